#pragma once
// Skins made in a test, whose pictures have a colour per part, so that every
// pixel a control paints names the part it came from.

#include <memory>

#include "skin/controls/qlSkinCtrls.h"

namespace synthetic {

inline void FillRect(TBitmap& B, const TRect& R, TColor C) {
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x) B.SetPixel(x, y, C);
}

// The nine cells of a 30 x 30 picture (10 x 10 each); the top edge cell is
// split in a left and a right half so tiling and stretching differ.
constexpr TColor kTL = 0x0000F0, kTopA = 0x00F000, kTopB = 0x00F0F0, kTR = 0xF00000, kLeft = 0xF000F0,
                 kClient = 0xF0F000, kRight = 0x000080, kBL = 0x008000, kBottom = 0x800000, kBR = 0x808080;

inline TBitmap NineCells() {
    TBitmap B(30, 30);
    FillRect(B, Rect(0, 0, 10, 10), kTL);
    FillRect(B, Rect(10, 0, 15, 10), kTopA);
    FillRect(B, Rect(15, 0, 20, 10), kTopB);
    FillRect(B, Rect(20, 0, 30, 10), kTR);
    FillRect(B, Rect(0, 10, 10, 20), kLeft);
    FillRect(B, Rect(10, 10, 20, 20), kClient);
    FillRect(B, Rect(20, 10, 30, 20), kRight);
    FillRect(B, Rect(0, 20, 10, 30), kBL);
    FillRect(B, Rect(10, 20, 20, 30), kBottom);
    FillRect(B, Rect(20, 20, 30, 30), kBR);
    return B;
}

// A black disc of diameter 20 on white: a mask.
inline TBitmap Disc() {
    TBitmap B(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const int dx = 2 * x + 1 - 20, dy = 2 * y + 1 - 20;
            B.SetPixel(x, y, dx * dx + dy * dy <= 400 ? clBlack : clWhite);
        }
    return B;
}

// A loaded skin data component whose pictures and descriptors the test adds.
class Skin {
public:
    explicit Skin(TComponent* owner) : Data(new TqlSkinData(owner)) { Data->Empty = false; }

    int AddPicture(const TBitmap& B) {
        Data->ActivePictures.push_back(std::make_unique<TBitmap>(B));
        return int(Data->ActivePictures.size()) - 1;
    }

    template <class D>
    D& Add(const char* name) {
        Data->CtrlList.push_back(std::make_unique<D>(name));
        return static_cast<D&>(*Data->CtrlList.back());
    }

    TqlSkinData* Data;
};

inline void NinePart(TqlDataSkinCustomControl& d, int picture) {
    d.PictureIndex = picture;
    d.SkinRect = Rect(0, 0, 30, 30);
    d.LTPoint = {10, 10};
    d.RTPoint = {20, 10};
    d.LBPoint = {10, 20};
    d.RBPoint = {20, 20};
    d.ClientRect = Rect(10, 10, 20, 20);
}

// What a windowed control shows, painted off screen.
inline TBitmap Snapshot(TWinControl& c) {
    TBitmap B(c.Width() > 0 ? c.Width() : 1, c.Height() > 0 ? c.Height() : 1);
    c.PaintTo(B.Canvas(), 0, 0);
    return B;
}

}  // namespace synthetic
