#include "skin/default/SkinPainter.h"

#include <algorithm>

TColor MixColor(TColor a, TColor b, int t, int den) {
    auto mix = [&](int x, int y) { return (x * (den - t) + y * t + den / 2) / den; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

void TSkinPainter::Fill(const TRect& r, TColor color) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) FBitmap.SetPixel(x, y, color);
}

void TSkinPainter::Shade(const TRect& bounds, TColor color,
                         const std::function<bool(long long sx, long long sy)>& inside) {
    const int top = std::max(bounds.Top, 0), bottom = std::min(bounds.Bottom, FBitmap.Height());
    const int left = std::max(bounds.Left, 0), right = std::min(bounds.Right, FBitmap.Width());
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            int covered = 0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i) covered += inside(8LL * x + 2 * i + 1, 8LL * y + 2 * j + 1);
            if (covered == 0) continue;
            FBitmap.SetPixel(x, y, covered == 16 ? color : MixColor(FBitmap.Pixel(x, y), color, covered, 16));
        }
}

namespace {

// Inside a rectangle with round corners, all in eighths of a pixel.
bool InRoundRect(long long sx, long long sy, long long l, long long t, long long r, long long b, long long radius) {
    if (sx < l || sx >= r || sy < t || sy >= b) return false;
    const long long cx = std::clamp(sx, l + radius, r - radius), cy = std::clamp(sy, t + radius, b - radius);
    const long long dx = sx - cx, dy = sy - cy;
    return dx * dx + dy * dy <= radius * radius;
}

}  // namespace

void TSkinPainter::RoundRect(const TRect& r, int radius, int bw, TColor border, TColor top, TColor bottom) {
    const long long l = 8LL * r.Left, t = 8LL * r.Top, rr = 8LL * r.Right, b = 8LL * r.Bottom, rad = 8LL * radius;
    if (border != top || border != bottom)
        Shade(r, border, [&](long long sx, long long sy) { return InRoundRect(sx, sy, l, t, rr, b, rad); });
    const long long w = 8LL * bw, innerRad = std::max(0LL, rad - w);
    const int height = std::max(1, r.Height() - 2 * bw - 1);
    for (int y = r.Top; y < r.Bottom; ++y) {
        const TColor fill = MixColor(top, bottom, std::clamp(y - r.Top - bw, 0, height), height);
        Shade(Rect(r.Left, y, r.Right, y + 1), fill,
              [&](long long sx, long long sy) { return InRoundRect(sx, sy, l + w, t + w, rr - w, b - w, innerRad); });
    }
}

void TSkinPainter::Ring(const TRect& r, int radius, int bw, TColor color) {
    const long long l = 8LL * r.Left, t = 8LL * r.Top, rr = 8LL * r.Right, b = 8LL * r.Bottom, w = 8LL * bw;
    const long long rad = 8LL * radius;
    Shade(Rect(r.Left - bw, r.Top - bw, r.Right + bw, r.Bottom + bw), color, [&](long long sx, long long sy) {
        return InRoundRect(sx, sy, l - w, t - w, rr + w, b + w, rad + w) && !InRoundRect(sx, sy, l, t, rr, b, rad);
    });
}

void TSkinPainter::Disc(const TRect& r, TColor color) {
    const long long l = 8LL * r.Left, t = 8LL * r.Top, rr = 8LL * r.Right, b = 8LL * r.Bottom;
    Shade(r, color, [&](long long sx, long long sy) { return InRoundRect(sx, sy, l, t, rr, b, (rr - l) / 2); });
}

namespace {

// Within half of thick (all squared, in eighths) of the segment a-b.
bool NearSegment(long long px, long long py, long long ax, long long ay, long long bx, long long by, long long half) {
    const long long vx = bx - ax, vy = by - ay, wx = px - ax, wy = py - ay;
    const long long dot = vx * wx + vy * wy, len2 = vx * vx + vy * vy;
    if (dot <= 0) return wx * wx + wy * wy <= half * half;
    if (dot >= len2) {
        const long long ex = px - bx, ey = py - by;
        return ex * ex + ey * ey <= half * half;
    }
    const long long cross = vx * wy - vy * wx;
    return cross * cross <= half * half * len2;
}

}  // namespace

void TSkinPainter::Check(const TRect& r, TColor color) {
    const long long l = 8LL * r.Left, t = 8LL * r.Top, w = 8LL * r.Width(), h = 8LL * r.Height();
    const long long ax = l + w * 2 / 10, ay = t + h * 5 / 10, bx = l + w * 4 / 10, by = t + h * 7 / 10;
    const long long cx = l + w * 8 / 10, cy = t + h * 3 / 10, half = std::max(6LL, w / 14);
    Shade(r, color, [&](long long sx, long long sy) {
        return NearSegment(sx, sy, ax, ay, bx, by, half) || NearSegment(sx, sy, bx, by, cx, cy, half);
    });
}

void TSkinPainter::Arrow(const TRect& r, Dir dir, TColor color) {
    const long long l = 8LL * r.Left, t = 8LL * r.Top, rr = 8LL * r.Right, b = 8LL * r.Bottom;
    long long x[3], y[3];
    switch (dir) {
        case Dir::Up:
            x[0] = l, y[0] = b, x[1] = (l + rr) / 2, y[1] = t, x[2] = rr, y[2] = b;
            break;
        case Dir::Down:
            x[0] = l, y[0] = t, x[1] = rr, y[1] = t, x[2] = (l + rr) / 2, y[2] = b;
            break;
        case Dir::Left:
            x[0] = rr, y[0] = t, x[1] = rr, y[1] = b, x[2] = l, y[2] = (t + b) / 2;
            break;
        case Dir::Right:
            x[0] = l, y[0] = t, x[1] = rr, y[1] = (t + b) / 2, x[2] = l, y[2] = b;
            break;
    }
    auto edge = [&](int i, long long px, long long py) {
        const int j = (i + 1) % 3;
        return (x[j] - x[i]) * (py - y[i]) - (y[j] - y[i]) * (px - x[i]);
    };
    Shade(r, color, [&](long long sx, long long sy) {
        const long long e0 = edge(0, sx, sy), e1 = edge(1, sx, sy), e2 = edge(2, sx, sy);
        return (e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0);
    });
}

void TSkinPainter::Grip(const TRect& r, TColor color) {
    const bool across = r.Width() >= r.Height();
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    for (int k = -2; k <= 2; ++k) {
        const int x = across ? cx + 4 * k : cx, y = across ? cy : cy + 4 * k;
        Disc(Rect(x - 1, y - 1, x + 1, y + 1), color);
    }
}

void TSkinPainter::Line(int x0, int y0, int x1, int y1, int thick, TColor color) {
    const long long ax = 8LL * x0 + 4, ay = 8LL * y0 + 4, bx = 8LL * x1 + 4, by = 8LL * y1 + 4, half = 4LL * thick;
    const TRect bounds = Rect(std::min(x0, x1) - thick, std::min(y0, y1) - thick, std::max(x0, x1) + thick + 1,
                              std::max(y0, y1) + thick + 1);
    Shade(bounds, color, [&](long long sx, long long sy) { return NearSegment(sx, sy, ax, ay, bx, by, half); });
}
