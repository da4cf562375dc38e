#include "app/Logo.h"

namespace {

constexpr TColor kKey = RGB(0xFF, 0x00, 0xFF);
constexpr TColor kGround = RGB(0x2F, 0x6F, 0xDB);
constexpr TColor kLine = RGB(0xFF, 0xFF, 0xFF);
constexpr TColor kNode = RGB(0xF5, 0xB8, 0x3D);

// Whether (x, y) lies inside the square of side n with corners of radius r.
bool InsideRounded(int x, int y, int n, int r) {
    const int cx = x < r ? r : x >= n - r ? n - r - 1 : x;
    const int cy = y < r ? r : y >= n - r ? n - r - 1 : y;
    const int dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= r * r;
}

void FillBar(TBitmap& picture, int left, int top, int right, int bottom, TColor color) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) picture.SetPixel(x, y, color);
}

}  // namespace

// Integer arithmetic only, so that every build draws the same pixels.
void DrawProgramLogo(TBitmap& picture, int size) {
    picture.SetSize(size, size);
    const int radius = size / 5;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) picture.SetPixel(x, y, InsideRounded(x, y, size, radius) ? kGround : kKey);
    // Four lines of context of differing lengths, all meeting at the node column.
    const int unit = size / 16, node = size / 2 - unit, nodeWidth = 2 * unit;
    const struct {
        int left, right;
    } lines[] = {{3, 13}, {5, 12}, {2, 14}, {4, 11}};
    int top = 3 * unit;
    for (const auto& line : lines) {
        FillBar(picture, line.left * unit, top, node - unit / 2, top + unit + unit / 2, kLine);
        FillBar(picture, node + nodeWidth + unit / 2, top, line.right * unit, top + unit + unit / 2, kLine);
        top += 3 * unit;
    }
    FillBar(picture, node, 2 * unit, node + nodeWidth, top - unit, kNode);
    picture.TransparentColor = kKey;
    picture.Transparent = true;
}
