#pragma once
// A list of equal-sized images drawn by index, as buttons and menus take
// their glyphs from. A component: the controls that draw from it are told
// when it goes.

#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"

class TCustomImageList : public TComponent {
public:
    TCustomImageList(int width, int height, TComponent* owner = nullptr)
        : TComponent(owner), FWidth(width), FHeight(height) {}

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return int(FImages.size()); }

    // Adds the image cut or padded to the list's size; pixels of maskColor
    // (clNone: none) are transparent. Returns its index.
    int AddMasked(const TBitmap& image, TColor maskColor);
    // Draws image index at (x, y); a disabled image is drawn greyed and
    // lightened. An index outside the list draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // Shows through an image's transparent pixels when drawn; clNone: the
    // canvas shows through.
    TColor BkColor = clNone;

private:
    int FWidth;
    int FHeight;
    std::vector<TBitmap> FImages;
};
