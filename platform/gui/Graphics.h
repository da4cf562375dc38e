#pragma once
// Fonts, brushes, pens, canvases and bitmaps, with the pixel rules of the
// platform the program was written for: a rectangle excludes its right and
// bottom edge, LineTo leaves out its end point, colours are 0x00BBGGRR.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui/Types.h"

class QPainter;
class QImage;
class QRegion;
class QFont;
class TStream;

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

class TFont {
public:
    TFont() = default;
    TFont(const TFont& other) { Assign(other); }
    TFont& operator=(const TFont& other) {
        Assign(other);
        return *this;
    }

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);
    // Height in pixels; a negative value counts the character height without
    // the internal leading, as the platform does. Size is in points (96 dpi).
    int Height() const { return FHeight; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Charset() const { return FCharset; }
    void SetCharset(int charset);
    // Angle of the text line in tenths of a degree, counter-clockwise (900
    // runs the text upwards); TextOut and TextRect honour it.
    int Escapement() const { return FEscapement; }
    void SetEscapement(int tenths);

    void Assign(const TFont& other);
    bool operator==(const TFont& other) const;

    std::function<void(TFont*)> OnChange;

    QFont ToQFont() const;

private:
    void Changed();

    std::string FName = "Tahoma";
    int FHeight = -11;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    int FCharset = 1;
    int FEscapement = 0;
};

enum class TBrushStyle { bsSolid, bsClear };

class TBrush {
public:
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

enum class TPenStyle { psSolid, psDash, psDot, psClear };

class TPen {
public:
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
};

// DrawText flags.
enum : unsigned {
    DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800, DT_END_ELLIPSIS = 0x8000, DT_PATH_ELLIPSIS = 0x4000,
    DT_WORD_ELLIPSIS = 0x40000, DT_RTLREADING = 0x20000,
};

// A region of pixels, owned by whoever holds the handle until it is given to a
// window or deleted.
struct TRegionData;
using HRGN = TRegionData*;
enum { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
enum { NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3, RGN_ERROR = 0 };
HRGN CreateRectRgn(int left, int top, int right, int bottom);
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
bool PtInRegion(HRGN rgn, int x, int y);
void OffsetRgn(HRGN rgn, int dx, int dy);
bool EqualRgn(HRGN a, HRGN b);
void DeleteObject(HRGN rgn);
const QRegion& RegionOf(HRGN rgn);

class TBitmap;

// Drawing on an image or, during a paint, on a window.
class TCanvas {
public:
    TCanvas();
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TFont& Font() { return FFont; }
    TBrush& Brush() { return FBrush; }
    TPen& Pen() { return FPen; }

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void Rectangle(const TRect& r);
    void Rectangle(int left, int top, int right, int bottom) { Rectangle(Rect(left, top, right, bottom)); }
    void Ellipse(const TRect& r);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TPoint PenPos() const { return FPenPos; }
    void Polygon(const std::vector<TPoint>& points);
    // Joined lines with the pen; the last point is left out, as LineTo leaves
    // out its end, and the pen position is not used or moved.
    void Polyline(const std::vector<TPoint>& points);
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);
    // Win32 DrawText: returns the text height; with DT_CALCRECT it sets r to
    // the space the text needs and draws nothing.
    int DrawText(const std::string& text, TRect& r, unsigned flags);
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& r, const TBitmap& bitmap);
    // Copies source rectangle src of bitmap into dest, stretched when sizes differ.
    void CopyRect(const TRect& dest, const TBitmap& bitmap, const TRect& src);
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& src);
    void DrawFocusRect(const TRect& r);

    // Clipping for a paint: everything outside r is left alone.
    void SaveState();
    void RestoreState();
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    // Sets the origin: drawing at (x, y) lands at (x + dx, y + dy) of the
    // device (for painting a child at its place on its parent).
    void SetOrigin(int dx, int dy);
    TPoint Origin() const { return FOrigin; }

    // Binds the canvas to a painter for the duration of a paint (nullptr unbinds).
    void BeginPaint(QPainter* painter);
    void EndPaint();
    bool HandleAllocated() const;
    QPainter* Painter();

private:
    friend class TBitmap;
    void ApplyPen();
    void ApplyBrush();
    void ApplyFont();

    TFont FFont;
    TBrush FBrush;
    TPen FPen;
    TPoint FPenPos;
    TPoint FOrigin;
    QPainter* FPainter = nullptr;
    std::unique_ptr<QPainter> FOwnPainter;
    TBitmap* FBitmap = nullptr;
    // Origin and clip live here rather than only in the painter, because a
    // bitmap's painter is closed whenever its pixels are touched directly.
    struct TSavedState;
    std::unique_ptr<QRegion> FClip;  // in the painter's coordinates when bound; null when unclipped
    std::vector<TSavedState> FSaved;

    void ApplyState();
    void EndImagePainter();
};

// pfDevice is the screen's own layout (4 bytes, B, G, R and an unused 255):
// a picture kept in it is drawn on a window without a conversion.
enum class TPixelFormat { pf24bit, pf32bit, pfDevice };

// A 24- or 32-bit image with scan-line access.
// What the headers of a BMP file say: its size in bytes, the size of its info
// header and its sides.
struct TBmpHeader {
    int64_t FileSize = 0, InfoSize = 0, Width = 0, Height = 0;
};
// The headers of the BMP file at the stream's position, read without moving
// it; nothing when they are not a BMP file's ("BM", a known info header, a
// file size that holds the headers and fits in what the stream has left).
std::optional<TBmpHeader> PeekBmpHeader(TStream& stream);

class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap();
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);

    int Width() const;
    int Height() const;
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);
    bool Empty() const { return Width() == 0 || Height() == 0; }
    TPixelFormat PixelFormat() const { return FFormat; }
    void SetPixelFormat(TPixelFormat format);
    // Row y, bottom-up storage not emulated: 3 bytes per pixel (B, G, R) in
    // 24-bit, 4 (B, G, R, A) in 32-bit and device format.
    uint8_t* ScanLine(int y);
    const uint8_t* ScanLine(int y) const;
    TCanvas& Canvas();
    // The colour of a pixel, and its setting, without a canvas; a pixel
    // outside the image reads as -1, as on the platform.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    bool Transparent = false;
    TColor TransparentColor = clNone;

    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    void LoadFromBytes(const std::string& bmp);
    std::string SaveToBytes() const;
    // One whole BMP file at the stream's position, its file header giving its
    // size; the stream is left right after it. A picture that is no BMP, says
    // it is larger than what remains, or has a side of 0 raises.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    bool SavePng(const std::string& fileName) const;

    QImage& Image();
    const QImage& Image() const;

private:
    void Reformat(int width, int height);

    TPixelFormat FFormat = TPixelFormat::pf24bit;
    // Kept apart from the image, which is null while either is 0.
    int FWidth = 0;
    int FHeight = 0;
    std::unique_ptr<QImage> FImage;
    std::unique_ptr<TCanvas> FCanvas;
};
