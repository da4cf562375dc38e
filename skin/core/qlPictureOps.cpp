// Piece copies for the picture builders.

#include "skin/core/qlPictureOps.h"

#include <algorithm>

namespace qlPictureOps {

void SizeFresh(TBitmap& Bitmap, int Width, int Height) {
    Bitmap.SetSize(Width, Height);
    TCanvas& canvas = Bitmap.Canvas();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = clWhite;
    canvas.FillRect(Rect(0, 0, Bitmap.Width(), Bitmap.Height()));
}

void Copy(TBitmap& Dest, const TRect& D, const TBitmap& Src, const TRect& S) {
    if (D.IsEmpty() || S.IsEmpty() || Src.Empty()) return;
    TRect s = S, d = D;
    const bool oneToOne = s.Width() == d.Width() && s.Height() == d.Height();
    const int w = Src.Width(), h = Src.Height();
    if (oneToOne) {
        if (s.Left < 0) d.Left -= s.Left;
        if (s.Top < 0) d.Top -= s.Top;
        if (s.Right > w) d.Right -= s.Right - w;
        if (s.Bottom > h) d.Bottom -= s.Bottom - h;
    }
    s = Rect(std::max(s.Left, 0), std::max(s.Top, 0), std::min(s.Right, w), std::min(s.Bottom, h));
    if (s.IsEmpty() || d.IsEmpty()) return;
    Dest.Canvas().CopyRect(d, Src, s);
}

void Stretch(TBitmap& Dest, const TRect& D, const TBitmap& Src, const TRect& S) {
    if (D.IsEmpty() || S.IsEmpty()) return;
    TBitmap piece;
    piece.SetSize(S.Width(), S.Height());
    Copy(piece, Rect(0, 0, S.Width(), S.Height()), Src, S);
    Dest.Canvas().StretchDraw(D, piece);
}

void Tile(TBitmap& Dest, const TRect& D, const TBitmap& Src, const TRect& S, bool AlongX, bool AlongY) {
    const int stepX = AlongX ? S.Width() : D.Width();
    const int stepY = AlongY ? S.Height() : D.Height();
    if (stepX <= 0 || stepY <= 0) return;
    for (int x = D.Left; x < D.Right; x += stepX) {
        const int w = std::min(stepX, D.Right - x);
        for (int y = D.Top; y < D.Bottom; y += stepY) {
            const int h = std::min(stepY, D.Bottom - y);
            // The source is shortened at its far end where the tile is cut.
            const TRect s = Rect(S.Left, S.Top, AlongX ? S.Left + w : S.Right, AlongY ? S.Top + h : S.Bottom);
            Copy(Dest, Rect(x, y, x + w, y + h), Src, s);
        }
    }
}

}  // namespace qlPictureOps
