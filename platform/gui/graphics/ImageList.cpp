// Image lists: each image kept as a bitmap of the list's size with its
// transparent colour.

#include "platform/gui/graphics/ImageList.h"

int TCustomImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    TBitmap copy(FWidth, FHeight);
    copy.Canvas().Brush().Color = maskColor == clNone ? clWhite : maskColor;
    copy.Canvas().FillRect(Rect(0, 0, FWidth, FHeight));
    copy.Canvas().CopyRect(Rect(0, 0, image.Width(), image.Height()), image, Rect(0, 0, image.Width(), image.Height()));
    copy.Transparent = maskColor != clNone;
    copy.TransparentColor = maskColor;
    FImages.push_back(std::move(copy));
    return Count() - 1;
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    if (BkColor != clNone) {
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = BkColor;
        canvas.FillRect(Rect(x, y, x + FWidth, y + FHeight));
    }
    const TBitmap& image = FImages[size_t(index)];
    if (enabled) {
        canvas.Draw(x, y, image);
        return;
    }
    TBitmap grey = image;
    const TColor key = image.Transparent ? ColorToRGB(image.TransparentColor) : clNone;
    for (int row = 0; row < FHeight; ++row)
        for (int col = 0; col < FWidth; ++col) {
            const TColor c = grey.Pixel(col, row);
            if (c == key) continue;
            const int g = (GetRValue(c) * 3 + GetGValue(c) * 6 + GetBValue(c)) / 10;
            const int light = (g + 2 * 192) / 3;
            grey.SetPixel(col, row, RGB(light, light, light));
        }
    canvas.Draw(x, y, grey);
}
