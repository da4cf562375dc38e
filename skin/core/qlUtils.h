#pragma once
// The small shared routines of every skinned part: rectangles and text,
// pictures of any size built from skin pieces, window regions from mask
// pictures, glyphs and caption-button symbols, and the platform decisions.
// Free routines; the only state is the platform binding set at start-up.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/graphics/Dib.h"
#include "platform/gui/graphics/ImageList.h"

// Rectangles and points.

int WidthOfRect(const TRect& R);
int HeightOfRect(const TRect& R);
bool RectIsEmpty(const TRect& R);
void ZeroRect(TRect& R);
bool SameRect(const TRect& R1, const TRect& R2);
// Right and bottom edges count as inside.
bool PointInRectIncl(const TRect& R, const TPoint& P);
// Both corners of Inner inside Outer with Outer's right and bottom edges
// outside, so a rectangle is not inside an identical one.
bool RectInRect(const TRect& Inner, const TRect& Outer);
// Either coordinate 0 counts as unset.
bool PointIsUnset(const TPoint& P);
int IntMax(int A, int B);
int IntMin(int A, int B);

// Text. The wide routines draw through the wide call while IsNTPlatform,
// else through the 8-bit call in the system code page (UTF-8 here).

extern bool IsNTPlatform;
int DrawTextPlatform(TCanvas& Canvas, const std::u16string& S, TRect& R, unsigned Flags);
int MeasureTextWidthW(TCanvas& Canvas, const std::u16string& S);
int MeasureTextHeightW(TCanvas& Canvas, const std::u16string& S);
// Leaves S alone when it fits; otherwise drops whole characters from its end
// until S + "..." fits or S is empty, then appends "...".
void FitTextEllipsisW(TCanvas& Canvas, std::u16string& S, int MaxWidth);
// The same for the program's 8-bit text, whose characters are UTF-8 or code
// page 936 sequences; neither is ever split.
void FitTextEllipsis(TCanvas& Canvas, std::string& S, int MaxWidth);
void DrawTextVCentered(TCanvas& Canvas, const std::string& S, const TRect& R);
void TextRectVCentered(TCanvas& Canvas, const std::string& S, const TRect& R);
void TextRectVCenteredOffset(TCanvas& Canvas, const std::string& S, const TRect& R, int Offset);

// What lies behind Control on its parent: the parent's background and
// window painting, then its windowless controls listed before Control.
// Canvas has its origin at Control's top-left, or at (R.Left, R.Top) of it.
void PaintParentBackground(TControl* Control, TCanvas& Canvas);
void PaintParentBackgroundAt(TControl* Control, const TRect& R, TCanvas& Canvas);

// Picture builders. A skin piece is the rectangle SR of a skin picture with
// corner points LT, RT, LB, RB and client rectangle CR relative to SR's
// top-left; NLT .. NCR are the same positions in the destination. Fixed parts
// are copied 1:1, the parts between them tiled or stretched; source rectangles
// are clipped to the picture and a destination is filled white when sized.

void BuildHThreePart(int A, int B, TBitmap& Dest, const TBitmap& Src, const TRect& SrcRect, int Width, int Height,
                     bool Stretch);
void BuildHTwoPart(int A, int B, TBitmap& Dest, const TBitmap& Src, const TRect& SrcRect, int Width, int Height,
                   bool Stretch);
void BuildHMiddleOnly(int A, int B, TBitmap& Dest, const TBitmap& Src, const TRect& SrcRect, int Width, int Height,
                      bool Stretch);
void BuildVThreePart(int A, int B, TBitmap& Dest, const TBitmap& Src, const TRect& SrcRect, int Width, int Height,
                     bool Stretch);

// The builders' stretch types, the values of a descriptor's TqlStretchType.
enum : int { stFull = 0, stHorz = 1, stVert = 2 };

void BuildNinePart(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CR, TPoint NLT, TPoint NRT, TPoint NLB,
                   TPoint NRB, TRect NCR, TBitmap& Dest, const TBitmap& Src, const TRect& SR, int Width, int Height,
                   bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch,
                   bool StretchEffect, int StretchType);
void BuildNinePartA(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CR, TPoint NLT, TPoint NRT, TPoint NLB,
                    TPoint NRB, TRect NCR, TBitmap& Dest, const TBitmap& Src, const TRect& SR, int Width, int Height,
                    bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch,
                    bool StretchEffect, int StretchType);
// Without a right column: top and bottom edges and the client reach Width.
void BuildNinePartB(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CR, TPoint NLT, TPoint NRT, TPoint NLB,
                    TPoint NRB, TRect NCR, TBitmap& Dest, const TBitmap& Src, const TRect& SR, int Width, int Height,
                    bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch,
                    bool StretchEffect, int StretchType);
// Builds into Dest at its current size, corners at the client's corners,
// every part stretched.
void BuildNinePartSized(TBitmap& Dest, const TBitmap& Src, const TRect& SR, const TRect& CR, bool DrawClient);
// The four frame bands of a nine-part image; the client is left to the caller.
void BuildFrameImage(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CR, TPoint NLT, TPoint NRT, TPoint NLB,
                     TPoint NRB, TRect NCR, TBitmap& LeftBand, TBitmap& TopBand, TBitmap& RightBand,
                     TBitmap& BottomBand, const TBitmap& Src, const TRect& SR, int Width, int Height,
                     bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch);

// Mask pictures: pure black pixels belong to the window region.

// A 24-bit top-down copy of a bitmap with a table of its rows, for scanning.
class TqlFBitmap : public TObject {
public:
    explicit TqlFBitmap(const TBitmap& Bitmap);
    uint8_t* Bits() { return FDib.Bits(); }
    uint8_t* ScanLine(int Y) { return FRows[size_t(Y)]; }
    int RowGap() const { return FDib.Width() % 4; }
    int RowSize() const { return FDib.RowSize(); }
    int ImageSize() const { return FDib.ImageSize(); }
    int Width() const { return FDib.Width(); }
    int Height() const { return FDib.Height(); }

private:
    TDibSection FDib;
    std::vector<uint8_t*> FRows;
};

// Region data (header and one rectangle per run of black pixels in a row) of
// the mask placed at (OffsetX, OffsetY); returns its size in bytes, 0 for an
// empty mask, which leaves Data alone.
int MaskToRegionRects(const TBitmap& Mask, int OffsetX, int OffsetY, std::vector<uint8_t>& Data);
// Rgn := the mask's region, nullptr for an empty mask; the caller owns it.
void RegionFromMask(HRGN& Rgn, const TBitmap& Mask);
// The frame bands of a nine-part mask, copied and tiled, never stretched.
void BuildNinePartMask(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CR, TPoint NLT, TPoint NRT, TPoint NLB,
                       TPoint NRB, TRect NCR, const TBitmap& Mask, TBitmap& TopBand, TBitmap& LeftBand,
                       TBitmap& RightBand, TBitmap& BottomBand, int Width, int Height);
// The region of a Width x Height window: its solid client area and the black
// pixels of its mask's frame; nullptr when the client area is empty.
void RegionFromNinePartMask(HRGN& Rgn, TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CR, TPoint NLT,
                            TPoint NRT, TPoint NLB, TPoint NRB, TRect NCR, const TBitmap& Mask, int Width,
                            int Height);

// Glyphs and captions.

enum TqlButtonLayout : uint8_t { blGlyphLeft = 0, blGlyphRight = 1, blGlyphTop = 2, blGlyphBottom = 3 };
// Cells of a glyph strip, 1 to 4.
using TqlNumGlyphs = int;

// Top-left positions of glyph and caption in R; Margin -1 centres them
// together. A layout outside the four lays out as glyph-left.
void LayoutGlyphAndCaption(TqlButtonLayout Layout, const TRect& R, int GlyphWidth, int GlyphHeight, int TextWidth,
                           int TextHeight, int Spacing, int Margin, int& TextX, int& TextY, int& GlyphX,
                           int& GlyphY);
// Caption and image ImageIndex of an image list (none when the index is
// outside it or there is no list), disabled images greyed.
void DrawImageListGlyphCaption(TCanvas& Canvas, const TRect& R, int Margin, int Spacing, TqlButtonLayout Layout,
                               const std::string& Caption, int ImageIndex, const TCustomImageList* ImageList,
                               bool Down, bool Enabled, bool DrawMarker, TColor MarkerColor);
// Caption and cell StateIndex (1-based) of a strip of NumGlyphs cells; Glyph
// may be null or empty for none.
void DrawBitmapGlyphCaption(TCanvas& Canvas, const TRect& R, int Margin, int Spacing, TqlButtonLayout Layout,
                            const std::string& Caption, const TBitmap* Glyph, int NumGlyphs, int StateIndex,
                            bool Down, bool DrawMarker, TColor MarkerColor);
// Draws one cell of a glyph strip transparently (the cell's bottom-left
// pixel's colour); the index is clamped to the strip.
void DrawGlyphState(TCanvas& Canvas, int X, int Y, const TBitmap& Glyph, int NumGlyphs, int StateIndex);

void DrawDropDownArrow(TCanvas& Canvas, const TRect& R, TColor Color);
// Direction 1 left, 2 right, 3 up, 4 down; any other draws nothing.
void DrawDirectionArrow(TCanvas& Canvas, const TRect& R, TColor Color, int Direction);
void DrawRadioDot(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawCheckTick(TCanvas& Canvas, int X, int Y, TColor Color);

void DrawCloseGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMaximizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMinimizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRestoreGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRollUpGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRollDownGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawSysMenuGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMinimizeToTrayGlyph(TCanvas& Canvas, int X, int Y, TColor Color);

// Platform decisions.

void GetOSVersion(int& Major, int& Minor);
bool IsOSMajor6OrLater();
// Layered-window alpha is available: 5.0 and later.
bool IsOS2000Rule();
// Drop shadows are available: 5.1, or 6.0 and later (5.2 is not).
bool IsOSXPRule();
bool IsOS2000RuleFor(int Major, int Minor);
bool IsOSXPRuleFor(int Major, int Minor);
void SetWindowAlpha(HWND Wnd, int Alpha);
bool SafeGetScrollBarInfo(HWND Wnd, uint32_t ObjectId, SCROLLBARINFO& Info);
bool HasSeveralMonitors();
void GetDesktopWorkArea(bool UseWorkArea, TRect& R);
// The work area (or whole area) of the window's monitor; the desktop's when
// the monitor cannot be asked.
void GetWorkAreaOfWindow(HWND Wnd, bool UseWorkArea, TRect& R);

// Binding of the optional platform entry points, counted so that nested
// requests bind once and release once. Bound at program start.
void InitializeQlUtils();
void FinalizeQlUtils();
