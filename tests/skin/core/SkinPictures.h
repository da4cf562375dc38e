#pragma once
// Pictures for checking the skin helpers: a coordinate-encoded source in
// which every pixel names its own position (red = x, green = y), so that each
// pixel of a built picture tells where it was copied from.

#include <string>
#include <vector>

#include "platform/gui/Graphics.h"
#include "tests/support/PixelPictures.h"

inline TBitmap CoordinatePicture(int width, int height) {
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.SetPixel(x, y, RGB(x, y, 0));
    return b;
}

// Where a pixel of a build came from; (255, 255) for the white of an undrawn pixel.
inline TPoint SourceOf(const TBitmap& b, int x, int y) {
    const TColor c = b.Pixel(x, y);
    return {GetRValue(c), GetGValue(c)};
}

constexpr TPoint kUndrawn{255, 255};

inline TBitmap PictureFromRows(const std::vector<std::string>& rows) {
    TBitmap b = WhitePicture(int(rows.empty() ? 0 : rows[0].size()), int(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] == '#') b.SetPixel(int(x), int(y), clBlack);
    return b;
}
