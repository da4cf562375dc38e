#include "skin/controls/SkinSliders.h"

#include <cstdlib>

namespace {

constexpr TColor kClear = clFuchsia, kEdge = 0x808080, kLight = 0xFFFFFF, kFace = 0xF0F0F0, kPressedFace = 0xC8C8C8,
                 kGroove = 0xE4E4E4;

// A W x H picture of the shape Inside, its corners cut, on the transparent
// colour: the shape's edge (any pixel beside the outside) in the edge colour,
// its inside in Face.
template <class Inside>
void DrawShape(TBitmap& B, int X0, int W, int H, TColor Face, Inside inside) {
    auto in = [&](int x, int y) {
        const bool corner = (x == 0 || x == W - 1) && (y == 0 || y == H - 1);
        return x >= 0 && y >= 0 && x < W && y < H && !corner && inside(x, y);
    };
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
            B.SetPixel(X0 + x, y, !in(x, y) ? kClear : edge ? kEdge : Face);
        }
}

}  // namespace

// Thumbs are a body with a point towards the tick points (down, or right when
// vertical); rulers a groove with cut corners, lit along the far edge.
TBitmap DefaultSliderImage(TqlSliderImage Which) {
    const bool vertical = Which == siVThumb || Which == siVRuler;
    if (Which == siHThumb || Which == siVThumb) {
        const int along = 9, across = 17 + (vertical ? 2 : 0), body = across - 4;
        const int w = vertical ? across : along, h = vertical ? along : across;
        TBitmap B(2 * w, h);
        for (int cell = 0; cell < 2; ++cell)
            DrawShape(B, cell * w, w, h, cell ? kPressedFace : kFace, [&](int x, int y) {
                const int a = vertical ? y : x, c = vertical ? x : y;
                return c < body || std::abs(a - along / 2) <= across - 1 - c;
            });
        return B;
    }
    const int w = vertical ? 8 : 10, h = vertical ? 10 : 8;
    TBitmap B(w, h);
    DrawShape(B, 0, w, h, kGroove, [](int, int) { return true; });
    for (int i = 1; i + 1 < (vertical ? h : w); ++i) {
        if (vertical)
            B.SetPixel(w - 1, i, kLight);
        else
            B.SetPixel(i, h - 1, kLight);
    }
    return B;
}
