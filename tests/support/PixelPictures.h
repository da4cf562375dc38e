#pragma once
// Small readings of drawn bitmaps for drawing tests.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gui/Graphics.h"

inline TBitmap FilledPicture(int width, int height, TColor color) {
    TBitmap b(width, height);
    b.Canvas().Brush().Color = color;
    b.Canvas().FillRect(Rect(0, 0, width, height));
    return b;
}

inline TBitmap WhitePicture(int width, int height) { return FilledPicture(width, height, clWhite); }

// Rows of '#' for the ink colour and '.' for anything else.
inline std::vector<std::string> Silhouette(const TBitmap& b, TColor ink = clBlack) {
    std::vector<std::string> rows;
    for (int y = 0; y < b.Height(); ++y) {
        std::string row;
        for (int x = 0; x < b.Width(); ++x) row += b.Pixel(x, y) == ink ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

// The bounding box of every pixel that is not the background; (w, h, -1, -1) when there is none.
inline TRect InkBounds(const TBitmap& b, TColor background = clWhite) {
    TRect r{b.Width(), b.Height(), -1, -1};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) != background)
                r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
    return r;
}
