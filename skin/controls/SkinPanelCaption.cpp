// The panel's caption: placed by the skin, over the parent's background, or
// in the plain look without a skin.

#include "skin/controls/SkinPanels.h"

#include <algorithm>

void SelectSkinFont(TCanvas& C, const std::string& Name, int Height, TFontStyles Style, bool UseSkin,
                    const TFont& DefaultFont, const TqlSkinData* Skin) {
    if (UseSkin) {
        C.Font().SetName(Name);
        C.Font().SetHeight(Height);
        C.Font().SetStyle(Style);
    } else {
        C.Font().Assign(DefaultFont);
    }
    const TqlResourceStrData* strings = Skin ? Skin->ResourceStrData() : nullptr;
    C.Font().SetCharset(strings ? strings->CharSet : DefaultFont.Charset());
}

namespace {

int AlignedX(const TRect& Area, TAlignment Alignment, int Width) {
    switch (Alignment) {
        case TAlignment::taRightJustify: return Area.Right - Width;
        case TAlignment::taCenter: return Area.Left + (WidthOfRect(Area) - Width) / 2;
        default: return Area.Left;
    }
}

}  // namespace

TqlCaptionPlace PlaceCaption(const TRect& Area, TAlignment Alignment, int TextWidth, int ImageWidth, int Spacing,
                             TqlImagePosition Position) {
    if (ImageWidth <= 0) {
        const int x = AlignedX(Area, Alignment, TextWidth);
        return {x, x};
    }
    if (Position == TqlImagePosition::qlipLeft) {
        const int imageX = Area.Left + 2;
        return {imageX, std::max(AlignedX(Area, Alignment, TextWidth), imageX + ImageWidth + Spacing)};
    }
    const int x = AlignedX(Area, Alignment, ImageWidth + Spacing + TextWidth);
    return {x, x + ImageWidth + Spacing};
}

int TqlSkinPanel::CaptionImageWidth() const {
    if (!FGlyph.Empty()) return FGlyph.Width() / FNumGlyphs;
    if (FCaptionImageList && FCaptionImageIndex >= 0 && FCaptionImageIndex < FCaptionImageList->Count())
        return FCaptionImageList->Width();
    return 0;
}

void TqlSkinPanel::DrawCaptionImage(TCanvas& C, int X, int MiddleY) const {
    const bool enabled = EffectivelyEnabled();
    if (!FGlyph.Empty()) {
        DrawGlyphState(C, X, MiddleY - FGlyph.Height() / 2, FGlyph, FNumGlyphs, !enabled && FNumGlyphs == 2 ? 2 : 1);
        return;
    }
    if (CaptionImageWidth() > 0)
        FCaptionImageList->Draw(C, X, MiddleY - FCaptionImageList->Height() / 2, FCaptionImageIndex, enabled);
}

// The caption bar of the skin: check image at the left, roll-up mark at the
// right, and between them the image and text placed by the skin's alignment,
// over the skin's caption frame when it has one. In frame paint mode C is the
// top band, which starts where the panel does.
void TqlSkinPanel::PaintSkinCaption(TCanvas& C) {
    const std::string text = Caption();
    if (text.empty() || RectIsEmpty(CaptionRect) || !Picture) return;
    const TRect cap = CaptionHotRect();
    const int middle = (cap.Top + cap.Bottom) / 2;
    TRect area = cap;
    auto copyPiece = [&](const TRect& src, int x) {
        const int w = WidthOfRect(src), h = HeightOfRect(src);
        C.CopyRect(Rect(x, middle - h / 2, x + w, middle - h / 2 + h), *Picture, src);
        return w;
    };
    if (FCheckedMode) {
        const TRect& r = FChecked ? CheckImageRect : UnCheckImageRect;
        if (!RectIsEmpty(r)) area.Left += copyPiece(r, area.Left) + 2;
    }
    SelectSkinFont(C, FontName, FontHeight, FontStyle, UseSkinFont, DefaultFont(), SkinData());
    C.Font().SetColor(FontColor);
    if (FRollUpMode) {
        TRect mark = Rect(area.Right - 12, cap.Top, area.Right, cap.Bottom);
        if (!RectIsEmpty(MarkFrameRect)) {
            const int w = WidthOfRect(MarkFrameRect), h = HeightOfRect(MarkFrameRect);
            mark = Rect(area.Right - w, middle - h / 2, area.Right, middle - h / 2 + h);
            copyPiece(MarkFrameRect, mark.Left);
        }
        DrawDirectionArrow(C, mark, FontColor, FRollUpState ? 4 : 3);
        area.Right = mark.Left;
    }
    const int tw = C.TextWidth(text), th = C.TextHeight(text), iw = CaptionImageWidth();
    TqlCaptionPlace place{};
    int textTop = middle - th / 2;
    if (!RectIsEmpty(FrameRect)) {
        // The frame is as wide as the caption plus its own margins.
        const int block = tw + (iw > 0 ? iw + FSpacing : 0);
        const int fw = block + WidthOfRect(FrameRect) - FrameTextRect.Left;
        TBitmap frame;
        BuildHThreePart(FrameLeftOffset, FrameRightOffset, frame, *Picture, FrameRect, fw, HeightOfRect(FrameRect),
                        false);
        const int fx = AlignedX(area, CaptionAlignment, fw);
        C.Draw(fx, cap.Top, frame);
        const int start = fx + FrameTextRect.Left;
        place = PlaceCaption(Rect(start, area.Top, start + block, area.Bottom), TAlignment::taLeftJustify, tw, iw,
                             FSpacing, TqlImagePosition::qlipDefault);
        if (!RectIsEmpty(FrameTextRect)) textTop = cap.Top + (FrameTextRect.Top + FrameTextRect.Bottom - th) / 2;
    } else {
        place = PlaceCaption(area, CaptionAlignment, tw, iw, FSpacing, FImagePosition);
    }
    if (iw > 0) DrawCaptionImage(C, place.ImageX, middle);
    C.Brush().Style = TBrushStyle::bsClear;
    C.TextRect(area, place.TextX, textTop, text);
}

// The group-box look over the parent's background: the caption at the top
// left and a line box whose top runs through the caption's middle.
void TqlSkinPanel::PaintTransparentCaption(TCanvas& C) {
    const TqlSkinData* skin = SkinData();
    SelectSkinFont(C, FontName, FontHeight, FontStyle, UseSkinFont, DefaultFont(), skin);
    const int labelIndex = skin->IndexOfControlData("stdlabel");
    auto* label = labelIndex < 0 ? nullptr
                                 : dynamic_cast<const TqlDataSkinStdLabelControl*>(skin->CtrlList[labelIndex].get());
    C.Font().SetColor(label ? label->FontColor : skin->SkinColors.cBtnText);
    const std::string text = Caption();
    FTextHeight = std::max(C.TextHeight(text.empty() ? std::string("Wg") : text), 1);
    int x = 5;
    if (FCheckedMode) {
        const TRect& r = FChecked ? CheckImageRect : UnCheckImageRect;
        if (Picture && !RectIsEmpty(r)) {
            const int h = r.Bottom - r.Top, w = r.Right - r.Left;
            const int y = (FTextHeight - h) / 2;
            C.CopyRect(Rect(x, y, x + w, y + h), *Picture, r);
            x += w + 3;
        }
    }
    if (const int iw = CaptionImageWidth(); iw > 0) {
        DrawCaptionImage(C, x, FTextHeight / 2);
        x += iw + FSpacing;
    }
    C.Brush().Style = TBrushStyle::bsClear;
    if (!text.empty()) C.TextOut(x, 0, text);
    x += text.empty() ? 0 : C.TextWidth(text);
    if (FRollUpMode) {
        DrawDirectionArrow(C, Rect(x + 2, 0, x + 12, FTextHeight), FontColor, FRollUpState ? 4 : 3);
        x += 12;
    }
    const int mid = FTextHeight / 2;
    C.Pen().Color = FrameLineColor();
    C.Pen().Width = 1;
    C.MoveTo(0, mid);
    C.LineTo(x == 5 ? Width() : 4, mid);
    if (x != 5) {
        C.MoveTo(x + 2, mid);
        C.LineTo(Width(), mid);
    }
    C.MoveTo(Width() - 1, mid);
    C.LineTo(Width() - 1, Height() - 1);
    C.LineTo(0, Height() - 1);
    C.LineTo(0, mid);
}

void TqlSkinPanel::CreateControlDefaultImage(TBitmap& B) {
    TqlSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas& C = B.Canvas();
    const int W = Width(), H = Height();
    auto edges = [&](const TRect& r, TColor topLeft, TColor bottomRight) {
        C.Pen().Color = topLeft;
        C.MoveTo(r.Left, r.Bottom - 1);
        C.LineTo(r.Left, r.Top);
        C.LineTo(r.Right - 1, r.Top);
        C.Pen().Color = bottomRight;
        C.LineTo(r.Right - 1, r.Bottom - 1);
        C.LineTo(r.Left - 1, r.Bottom - 1);
    };
    const TRect all = Rect(0, 0, W, H);
    switch (FBorderStyle) {
        case TqlSkinBorderStyle::bvFrame: edges(all, clBtnShadow, clBtnShadow); break;
        case TqlSkinBorderStyle::bvRaised: edges(all, clBtnHighlight, clBtnShadow); break;
        case TqlSkinBorderStyle::bvLowered: edges(all, clBtnShadow, clBtnHighlight); break;
        case TqlSkinBorderStyle::bvNone: break;
    }
    if (!FCaptionMode) return;
    const bool borderless = FBorderStyle == TqlSkinBorderStyle::bvNone;
    const TRect bar = borderless ? Rect(0, 0, W, FDefaultCaptionHeight) : Rect(1, 1, W - 1, FDefaultCaptionHeight);
    const TRect inner = Rect(bar.Left + 1, bar.Top + 1, bar.Right - 1, bar.Bottom - 1);
    // Without a border the bar carries the panel's outline itself.
    if (borderless) {
        edges(bar, clBtnShadow, clBtnShadow);
        edges(inner, clBtnHighlight, clBtnFace);
    } else {
        edges(bar, clBtnShadow, clBtnHighlight);
        edges(inner, clBtnHighlight, clBtnShadow);
    }
    TRect area = Rect(bar.Left + 2, bar.Top + 2, bar.Right - 2, bar.Bottom - 2);
    if (FCheckedMode) area.Left += 20;
    if (FRollUpMode) area.Right -= 10;
    C.Font().Assign(DefaultFont());
    if (const TqlSkinData* skin = SkinData(); skin && skin->ResourceStrData())
        C.Font().SetCharset(skin->ResourceStrData()->CharSet);
    const std::string text = Caption();
    const int iw = CaptionImageWidth(), tw = C.TextWidth(text);
    // The caption (image, spacing and text) starts 2 pixels into the area,
    // ends at its right, or is centred on the area's middle past that margin.
    const int cw = tw + (iw > 0 ? iw + FSpacing : 0);
    int start = area.Left + 2;
    if (FDefaultAlignment == TAlignment::taRightJustify) start = area.Right - cw;
    if (FDefaultAlignment == TAlignment::taCenter) start = area.Left + 2 + WidthOfRect(area) / 2 - cw / 2;
    const TqlCaptionPlace place = PlaceCaption(Rect(start, area.Top, start + cw, area.Bottom),
                                               TAlignment::taLeftJustify, tw, iw, FSpacing,
                                               TqlImagePosition::qlipDefault);
    if (FCheckedMode) {
        const int top = (area.Top + area.Bottom) / 2 - 7;
        C.Pen().Color = clBtnShadow;
        C.Brush().Style = TBrushStyle::bsClear;
        C.Rectangle(5, top, 19, top + 14);
        if (FChecked) DrawCheckTick(C, 5 + 3, top + 2, clBtnText);
    }
    if (iw > 0) DrawCaptionImage(C, place.ImageX, (area.Top + area.Bottom) / 2);
    C.Brush().Style = TBrushStyle::bsClear;
    C.TextRect(area, place.TextX, (area.Top + area.Bottom - C.TextHeight(text)) / 2, text);
    if (FRollUpMode)
        DrawDirectionArrow(C, Rect(area.Right, area.Top, area.Right + 10, area.Bottom), clBtnText,
                           FRollUpState ? 4 : 3);
}
