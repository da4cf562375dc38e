#pragma once
// Copying, stretching and tiling pieces of skin pictures: what the picture
// builders and the mask cutters share.

#include "platform/gui/Graphics.h"

namespace qlPictureOps {

// Sizes a bitmap for a build and fills it white, so that parts a build leaves
// out never show an earlier picture (and lie outside a mask's region).
void SizeFresh(TBitmap& Bitmap, int Width, int Height);

// Source rectangle S of Src into D of Dest: 1:1 when the sizes agree (both
// cut where S leaves the picture), scaled otherwise.
void Copy(TBitmap& Dest, const TRect& D, const TBitmap& Src, const TRect& S);

// S scaled into D through a bitmap of S's own size, so only that piece scales.
void Stretch(TBitmap& Dest, const TRect& D, const TBitmap& Src, const TRect& S);

// Repeats S over D from D's top-left, along x and/or y, the last tiles cut at
// D's right and bottom. Across an axis that is not tiled the piece covers D.
// A piece of length 0 or less along a tiled axis draws nothing.
void Tile(TBitmap& Dest, const TRect& D, const TBitmap& Src, const TRect& S, bool AlongX, bool AlongY);

inline void StretchOrTileH(bool DoStretch, TBitmap& Dest, const TRect& D, const TBitmap& Src, const TRect& S) {
    if (DoStretch)
        Stretch(Dest, D, Src, S);
    else
        Tile(Dest, D, Src, S, true, false);
}

inline void StretchOrTileV(bool DoStretch, TBitmap& Dest, const TRect& D, const TBitmap& Src, const TRect& S) {
    if (DoStretch)
        Stretch(Dest, D, Src, S);
    else
        Tile(Dest, D, Src, S, false, true);
}

// A rectangle given relative to an origin.
inline TRect At(const TRect& Origin, int Left, int Top, int Right, int Bottom) {
    return Rect(Origin.Left + Left, Origin.Top + Top, Origin.Left + Right, Origin.Top + Bottom);
}

}  // namespace qlPictureOps
