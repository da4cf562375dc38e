#pragma once
// Integer-only drawing of the default skin's pictures: shapes are sampled
// four by four per pixel in eighths of a pixel, so edges are smooth and every
// machine draws the same bytes.

#include <functional>

#include "platform/gui/Graphics.h"

// A colour between a (t = 0) and b (t = den).
TColor MixColor(TColor a, TColor b, int t, int den);

class TSkinPainter {
public:
    explicit TSkinPainter(TBitmap& bitmap) : FBitmap(bitmap) {}

    void Fill(const TRect& r, TColor color);
    // A rounded rectangle with a border of width bw, filled with a vertical
    // gradient from top to bottom; a border colour equal to the fill draws none.
    void RoundRect(const TRect& r, int radius, int bw, TColor border, TColor top, TColor bottom);
    // A ring of width bw around r, outside it, with the given corner radius.
    void Ring(const TRect& r, int radius, int bw, TColor color);
    void Disc(const TRect& r, TColor color);
    // A check mark inside r, strokes width/8 thick.
    void Check(const TRect& r, TColor color);
    // A triangle pointing up, down, left or right, filling r.
    enum class Dir { Up, Down, Left, Right };
    void Arrow(const TRect& r, Dir dir, TColor color);
    // A stroke from (x0, y0) to (x1, y1), in pixels, thick pixels wide.
    void Line(int x0, int y0, int x1, int y1, int thick, TColor color);
    // A short line of dots across r (a grip), along its longer side.
    void Grip(const TRect& r, TColor color);

private:
    // Blends color over the pixels of bounds by the share of the 16 samples
    // (in eighths of a pixel) for which inside is true.
    void Shade(const TRect& bounds, TColor color, const std::function<bool(long long sx, long long sy)>& inside);

    TBitmap& FBitmap;
};
