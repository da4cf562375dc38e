// Glyphs with captions, arrows, marks and caption-button symbols.

#include <algorithm>
#include <functional>

#include "skin/core/qlUtils.h"

void LayoutGlyphAndCaption(TqlButtonLayout Layout, const TRect& R, int GlyphWidth, int GlyphHeight, int TextWidth,
                           int TextHeight, int Spacing, int Margin, int& TextX, int& TextY, int& GlyphX,
                           int& GlyphY) {
    const int CX = R.Left + WidthOfRect(R) / 2, CY = R.Top + HeightOfRect(R) / 2;
    if (Layout > blGlyphBottom) Layout = blGlyphLeft;
    const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    if (horizontal) {
        GlyphY = CY - GlyphHeight / 2;
        TextY = CY - TextHeight / 2;
    } else {
        GlyphX = CX - GlyphWidth / 2;
        TextX = CX - TextWidth / 2;
    }
    if (Margin == -1) {
        const int HalfW = (TextWidth + GlyphWidth + Spacing) / 2, HalfH = (TextHeight + GlyphHeight + Spacing) / 2;
        switch (Layout) {
            case blGlyphLeft: GlyphX = CX - HalfW, TextX = CX + HalfW - TextWidth; break;
            case blGlyphRight: GlyphX = CX + HalfW - GlyphWidth, TextX = CX - HalfW; break;
            case blGlyphTop: GlyphY = CY - HalfH, TextY = CY + HalfH - TextHeight; break;
            case blGlyphBottom: GlyphY = CY + HalfH - GlyphHeight, TextY = CY - HalfH; break;
        }
        return;
    }
    switch (Layout) {
        case blGlyphLeft: GlyphX = R.Left + Margin, TextX = GlyphX + GlyphWidth + Spacing; break;
        case blGlyphRight: GlyphX = R.Right - GlyphWidth - Margin, TextX = GlyphX - Spacing - TextWidth; break;
        case blGlyphTop: GlyphY = R.Top + Margin, TextY = GlyphY + GlyphHeight + Spacing; break;
        case blGlyphBottom: GlyphY = R.Bottom - GlyphHeight - Margin, TextY = GlyphY - Spacing - TextHeight; break;
    }
}

namespace {

int CellWidth(const TBitmap& Glyph, int NumGlyphs) { return Glyph.Width() / std::max(1, NumGlyphs); }

void Line(TCanvas& Canvas, int x1, int y1, int x2, int y2) {
    Canvas.MoveTo(x1, y1);
    Canvas.LineTo(x2, y2);
}

// Three marker lines from x1 to x2 at the rows y - 1, y and y + 1.
void MarkerLines(TCanvas& Canvas, int x1, int x2, int y, TColor Color) {
    Canvas.Pen().Color = Color;
    for (int row = y - 1; row <= y + 1; ++row) Line(Canvas, x1, row, x2, row);
}

void Frame(TCanvas& Canvas, int left, int top, int right, int bottom) {
    Canvas.Brush().Style = TBrushStyle::bsClear;
    Canvas.Rectangle(left, top, right, bottom);
}

void FilledSquare(TCanvas& Canvas, int left, int top, int right, int bottom, TColor Color) {
    Canvas.Pen().Color = Color;
    Canvas.Brush().Style = TBrushStyle::bsSolid;
    Canvas.Brush().Color = Color;
    Canvas.Rectangle(left, top, right, bottom);
}

}  // namespace

void DrawGlyphState(TCanvas& Canvas, int X, int Y, const TBitmap& Glyph, int NumGlyphs, int StateIndex) {
    if (Glyph.Empty()) return;
    NumGlyphs = std::max(1, NumGlyphs);
    const int cw = CellWidth(Glyph, NumGlyphs);
    if (cw <= 0) return;
    StateIndex = std::clamp(StateIndex, 1, NumGlyphs);
    TBitmap cell;
    cell.SetSize(cw, Glyph.Height());
    cell.Canvas().CopyRect(Rect(0, 0, cw, Glyph.Height()), Glyph, Rect((StateIndex - 1) * cw, 0, StateIndex * cw,
                                                                        Glyph.Height()));
    cell.Transparent = true;
    cell.TransparentColor = clNone;
    Canvas.Draw(X, Y, cell);
}

namespace {

// What the two glyph-and-caption routines differ in.
struct TGlyphSource {
    int Width = 0;  // 0 x 0 for no glyph
    int Height = 0;
    std::function<void(TCanvas&, int, int)> Draw;
    bool ClearBrushWithoutCaption = true;
    bool FillMovesWhenDown = false;
};

void DrawGlyphAndCaption(TCanvas& Canvas, const TRect& R, int Margin, int Spacing, TqlButtonLayout Layout,
                         const std::string& Caption, const TGlyphSource& glyph, bool Down, bool DrawMarker,
                         TColor MarkerColor) {
    const bool hasGlyph = glyph.Width > 0 || glyph.Height > 0;
    if (Layout > blGlyphBottom) Layout = blGlyphLeft;

    int tw = 0, th = 0;
    if (!Caption.empty()) {
        TRect measure = Rect(0, 0, WidthOfRect(R), HeightOfRect(R));
        if (Layout == blGlyphLeft || Layout == blGlyphRight)
            measure.Right -= glyph.Width;
        else
            measure.Bottom -= glyph.Height;
        Canvas.DrawText(Caption, measure, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
        tw = WidthOfRect(measure);
        th = HeightOfRect(measure);
    }
    if (!Caption.empty() || glyph.ClearBrushWithoutCaption) Canvas.Brush().Style = TBrushStyle::bsClear;

    int tx = 0, ty = 0, gx = 0, gy = 0;
    LayoutGlyphAndCaption(Layout, R, glyph.Width, glyph.Height, tw, th, Spacing, Margin, tx, ty, gx, gy);
    if (Down) ++tx, ++ty, ++gx, ++gy;

    TRect textRect = Rect(tx, ty, tx + tw + 2, ty + th);
    if (!Caption.empty()) Canvas.DrawText(Caption, textRect, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS);

    if (hasGlyph) {
        glyph.Draw(Canvas, gx, gy);
        // The marker spans the glyph that is shown (one cell of a strip).
        if (DrawMarker) MarkerLines(Canvas, gx, gx + glyph.Width, gy + glyph.Height - 1, MarkerColor);
    } else if (DrawMarker) {
        if (!Caption.empty()) {
            MarkerLines(Canvas, textRect.Left, textRect.Right, textRect.Bottom, MarkerColor);
        } else {
            Canvas.Brush().Style = TBrushStyle::bsSolid;
            Canvas.Brush().Color = MarkerColor;
            const bool moved = Down && glyph.FillMovesWhenDown;
            Canvas.FillRect(moved ? Rect(R.Left + 4, R.Top + 5, R.Right - 2, R.Bottom - 3)
                                  : Rect(R.Left + 4, R.Top + 4, R.Right - 2, R.Bottom - 4));
        }
    }
}

}  // namespace

void DrawBitmapGlyphCaption(TCanvas& Canvas, const TRect& R, int Margin, int Spacing, TqlButtonLayout Layout,
                            const std::string& Caption, const TBitmap* Glyph, int NumGlyphs, int StateIndex,
                            bool Down, bool DrawMarker, TColor MarkerColor) {
    TGlyphSource source;
    if (Glyph && !Glyph->Empty()) {
        source.Width = CellWidth(*Glyph, NumGlyphs);
        source.Height = Glyph->Height();
        source.Draw = [&](TCanvas& c, int x, int y) { DrawGlyphState(c, x, y, *Glyph, NumGlyphs, StateIndex); };
    }
    source.ClearBrushWithoutCaption = false;
    source.FillMovesWhenDown = true;
    DrawGlyphAndCaption(Canvas, R, Margin, Spacing, Layout, Caption, source, Down, DrawMarker, MarkerColor);
}

void DrawImageListGlyphCaption(TCanvas& Canvas, const TRect& R, int Margin, int Spacing, TqlButtonLayout Layout,
                               const std::string& Caption, int ImageIndex, const TCustomImageList* ImageList,
                               bool Down, bool Enabled, bool DrawMarker, TColor MarkerColor) {
    TGlyphSource source;
    if (ImageList && ImageIndex >= 0 && ImageIndex < ImageList->Count()) {
        source.Width = ImageList->Width();
        source.Height = ImageList->Height();
        source.Draw = [&](TCanvas& c, int x, int y) { ImageList->Draw(c, x, y, ImageIndex, Enabled); };
    }
    DrawGlyphAndCaption(Canvas, R, Margin, Spacing, Layout, Caption, source, Down, DrawMarker, MarkerColor);
}

void DrawDropDownArrow(TCanvas& Canvas, const TRect& R, TColor Color) {
    const int CX = R.Left + WidthOfRect(R) / 2, CY = R.Top + HeightOfRect(R) / 2;
    Canvas.Pen().Color = Color;
    for (int k = 2; k >= 0; --k) Line(Canvas, CX - k, CY + 2 - k, CX + k + 1, CY + 2 - k);
}

void DrawDirectionArrow(TCanvas& Canvas, const TRect& R, TColor Color, int Direction) {
    const int CX = R.Left + WidthOfRect(R) / 2, CY = R.Top + HeightOfRect(R) / 2;
    Canvas.Pen().Color = Color;
    switch (Direction) {
        case 1:
            for (int k = 0; k <= 3; ++k) Line(Canvas, CX - 2 + k, CY - k, CX - 2 + k, CY + k + 1);
            break;
        case 2:
            for (int k = 3; k >= 0; --k) Line(Canvas, CX + 2 - k, CY + k, CX + 2 - k, CY - k - 1);
            break;
        case 3:
            for (int k = 0; k <= 3; ++k) Line(Canvas, CX - k, CY - 2 + k, CX + k + 1, CY - 2 + k);
            break;
        case 4:
            for (int k = 3; k >= 0; --k) Line(Canvas, CX - k, CY + 2 - k, CX + k + 1, CY + 2 - k);
            break;
        default: break;
    }
}

void DrawRadioDot(TCanvas& Canvas, int X, int Y, TColor Color) { FilledSquare(Canvas, X, Y, X + 6, Y + 6, Color); }

void DrawCheckTick(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().Color = Color;
    for (int k = 0; k <= 2; ++k) {
        Canvas.MoveTo(X, Y + 5 - k);
        Canvas.LineTo(X + 2, Y + 7 - k);
        Canvas.LineTo(X + 7, Y + 2 - k);
    }
}

void DrawCloseGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().Color = Color;
    Line(Canvas, X + 1, Y + 1, X + 9, Y + 9);
    Line(Canvas, X + 9, Y + 1, X + 1, Y + 9);
    Line(Canvas, X + 2, Y + 1, X + 10, Y + 9);
    Line(Canvas, X + 8, Y + 1, X, Y + 9);
}

void DrawMaximizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().Color = Color;
    Frame(Canvas, X, Y, X + 11, Y + 10);
    Frame(Canvas, X, Y, X + 11, Y + 2);
}

void DrawMinimizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().Color = Color;
    Line(Canvas, X + 1, Y + 8, X + 9, Y + 8);
    Line(Canvas, X + 1, Y + 9, X + 9, Y + 9);
}

void DrawRestoreGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().Color = Color;
    Frame(Canvas, X + 2, Y, X + 10, Y + 6);
    Frame(Canvas, X + 2, Y, X + 10, Y + 2);
    Frame(Canvas, X, Y + 4, X + 7, Y + 10);
    Frame(Canvas, X, Y + 4, X + 7, Y + 6);
}

void DrawRollUpGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().Color = Color;
    for (int k = 0; k < 4; ++k) Line(Canvas, X + 1 + k, Y + 6 - k, X + 9 - k, Y + 6 - k);
}

void DrawRollDownGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().Color = Color;
    for (int k = 0; k < 4; ++k) Line(Canvas, X + 1 + k, Y + 2 + k, X + 9 - k, Y + 2 + k);
}

void DrawSysMenuGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    Canvas.Pen().Color = Color;
    Frame(Canvas, X + 1, Y + 3, X + 9, Y + 6);
}

void DrawMinimizeToTrayGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
    FilledSquare(Canvas, X + 2, Y + 2, X + 7, Y + 7, Color);
}
