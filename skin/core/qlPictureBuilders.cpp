// Control pictures of any size from skin pieces: three-part strips, nine-part
// frames with their client, and frame bands.

#include "skin/core/qlPictureOps.h"
#include "skin/core/qlUtils.h"

using namespace qlPictureOps;

namespace {

// Middle of a horizontal strip over [From, To) of Dest.
void HorizontalMiddle(TBitmap& Dest, const TBitmap& Src, const TRect& SrcRect, int A, int B, int From, int To,
                      bool Stretch) {
    const int h = HeightOfRect(SrcRect);
    const TRect middle = Rect(SrcRect.Left + A, SrcRect.Top, SrcRect.Right - B, SrcRect.Bottom);
    StretchOrTileH(Stretch, Dest, Rect(From, 0, To, h), Src, middle);
}

void LeftCap(TBitmap& Dest, const TBitmap& Src, const TRect& SrcRect, int A) {
    if (A > 0) Copy(Dest, Rect(0, 0, A, HeightOfRect(SrcRect)), Src, Rect(SrcRect.Left, SrcRect.Top,
                                                                         SrcRect.Left + A, SrcRect.Bottom));
}

}  // namespace

void BuildHThreePart(int A, int B, TBitmap& Dest, const TBitmap& Src, const TRect& SrcRect, int Width,
                     int /*Height*/, bool Stretch) {
    const int h = HeightOfRect(SrcRect);
    SizeFresh(Dest, Width, h);
    LeftCap(Dest, Src, SrcRect, A);
    if (B > 0) Copy(Dest, Rect(Width - B, 0, Width, h), Src, Rect(SrcRect.Right - B, SrcRect.Top, SrcRect.Right,
                                                                   SrcRect.Bottom));
    HorizontalMiddle(Dest, Src, SrcRect, A, B, A, Width - B, Stretch);
}

void BuildHTwoPart(int A, int B, TBitmap& Dest, const TBitmap& Src, const TRect& SrcRect, int Width,
                   int /*Height*/, bool Stretch) {
    SizeFresh(Dest, Width, HeightOfRect(SrcRect));
    LeftCap(Dest, Src, SrcRect, A);
    HorizontalMiddle(Dest, Src, SrcRect, A, B, A, Width, Stretch);
}

void BuildHMiddleOnly(int A, int B, TBitmap& Dest, const TBitmap& Src, const TRect& SrcRect, int Width,
                      int /*Height*/, bool Stretch) {
    SizeFresh(Dest, Width, HeightOfRect(SrcRect));
    HorizontalMiddle(Dest, Src, SrcRect, A, B, 0, Width, Stretch);
}

void BuildVThreePart(int A, int B, TBitmap& Dest, const TBitmap& Src, const TRect& SrcRect, int /*Width*/,
                     int Height, bool Stretch) {
    const int w = WidthOfRect(SrcRect);
    SizeFresh(Dest, w, Height);
    if (A > 0) Copy(Dest, Rect(0, 0, w, A), Src, Rect(SrcRect.Left, SrcRect.Top, SrcRect.Right, SrcRect.Top + A));
    if (B > 0) Copy(Dest, Rect(0, Height - B, w, Height), Src, Rect(SrcRect.Left, SrcRect.Bottom - B, SrcRect.Right,
                                                                     SrcRect.Bottom));
    const TRect middle = Rect(SrcRect.Left, SrcRect.Top + A, SrcRect.Right, SrcRect.Bottom - B);
    StretchOrTileV(Stretch, Dest, Rect(0, A, w, Height - B), Src, middle);
}

namespace {

struct TNinePart {
    TPoint LT, RT, LB, RB;
    TRect CR;
    TPoint NLT, NRT, NLB, NRB;
    TRect NCR;
};

struct TNinePartFlags {
    bool DrawClient, LeftStretch, TopStretch, RightStretch, BottomStretch, StretchEffect;
    int StretchType;
    bool RightColumn;
};

// The client stretched along one axis and repeated along the other, clipped to NCR.
void StretchAndRepeatClient(TBitmap& Dest, const TBitmap& client, const TRect& NCR, bool repeatAlongX) {
    const int w = repeatAlongX ? client.Width() : NCR.Width();
    const int h = repeatAlongX ? NCR.Height() : client.Height();
    TBitmap strip;
    strip.SetSize(w, h);
    strip.Canvas().StretchDraw(Rect(0, 0, w, h), client);
    TCanvas& canvas = Dest.Canvas();
    canvas.SaveState();
    canvas.IntersectClipRect(NCR);
    const int count = repeatAlongX ? NCR.Width() / w : NCR.Height() / h;
    for (int k = 0; k <= count; ++k)
        canvas.Draw(repeatAlongX ? NCR.Left + k * w : NCR.Left, repeatAlongX ? NCR.Top : NCR.Top + k * h, strip);
    canvas.RestoreState();
}

void DrawClientArea(TBitmap& Dest, const TBitmap& Src, const TRect& S, const TRect& NCR, const TNinePartFlags& f) {
    if (!f.StretchEffect) {
        Tile(Dest, NCR, Src, S, true, true);
        return;
    }
    if (S.IsEmpty() || NCR.IsEmpty()) return;
    TBitmap client;
    client.SetSize(S.Width(), S.Height());
    Copy(client, Rect(0, 0, S.Width(), S.Height()), Src, S);
    switch (f.StretchType) {
        case stFull: Dest.Canvas().StretchDraw(NCR, client); break;
        case stHorz: StretchAndRepeatClient(Dest, client, NCR, true); break;
        case stVert: StretchAndRepeatClient(Dest, client, NCR, false); break;
        default: break;
    }
}

void BuildNine(const TNinePart& p, TBitmap& Dest, const TBitmap& Src, const TRect& SR, int W, int H,
               const TNinePartFlags& f) {
    SizeFresh(Dest, W, H);
    if (p.RB.X == p.LT.X || p.RB.Y == p.LT.Y || Src.Empty()) return;
    const int sw = WidthOfRect(SR), sh = HeightOfRect(SR);
    const TRect& CR = p.CR;
    const TRect& NCR = p.NCR;
    const bool right = f.RightColumn;

    // Edges.
    StretchOrTileH(f.TopStretch, Dest, Rect(p.NLT.X, 0, right ? p.NRT.X : W, NCR.Top), Src,
                   At(SR, p.LT.X, 0, p.RT.X, CR.Top));
    StretchOrTileH(f.BottomStretch, Dest, Rect(p.NLB.X, NCR.Bottom, right ? p.NRB.X : W, H), Src,
                   At(SR, p.LB.X, CR.Bottom, p.RB.X, sh));
    StretchOrTileV(f.LeftStretch, Dest, Rect(0, p.NLT.Y, NCR.Left, p.NLB.Y), Src, At(SR, 0, p.LT.Y, CR.Left, p.LB.Y));
    if (right)
        StretchOrTileV(f.RightStretch, Dest, Rect(NCR.Right, p.NRT.Y, W, p.NRB.Y), Src,
                       At(SR, CR.Right, p.RT.Y, sw, p.RB.Y));

    // Fixed pieces, in this order so that later ones win where they overlap.
    Copy(Dest, Rect(0, 0, p.NLT.X, NCR.Top), Src, At(SR, 0, 0, p.LT.X, CR.Top));
    Copy(Dest, Rect(0, NCR.Top, NCR.Left, p.NLT.Y), Src, At(SR, 0, CR.Top, CR.Left, p.LT.Y));
    if (right) {
        Copy(Dest, Rect(p.NRT.X, 0, W, NCR.Top), Src, At(SR, p.RT.X, 0, sw, CR.Top));
        Copy(Dest, Rect(NCR.Right, NCR.Top, W, p.NRT.Y), Src, At(SR, CR.Right, CR.Top, sw, p.RT.Y));
    }
    Copy(Dest, Rect(0, p.NLB.Y, NCR.Left, H), Src, At(SR, 0, p.LB.Y, CR.Left, sh));
    Copy(Dest, Rect(NCR.Left, NCR.Bottom, p.NLB.X, H), Src, At(SR, CR.Left, CR.Bottom, p.LB.X, sh));
    if (right) {
        Copy(Dest, Rect(p.NRB.X, NCR.Bottom, W, H), Src, At(SR, p.RB.X, CR.Bottom, sw, sh));
        Copy(Dest, Rect(NCR.Right, p.NRB.Y, W, NCR.Bottom), Src, At(SR, CR.Right, p.RB.Y, sw, CR.Bottom));
    }

    if (!f.DrawClient) return;
    const TRect clientDest = Rect(NCR.Left, NCR.Top, right ? NCR.Right : W, NCR.Bottom);
    DrawClientArea(Dest, Src, At(SR, CR.Left, CR.Top, CR.Right, CR.Bottom), clientDest, f);
}

}  // namespace

void BuildNinePart(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CR, TPoint NLT, TPoint NRT, TPoint NLB,
                   TPoint NRB, TRect NCR, TBitmap& Dest, const TBitmap& Src, const TRect& SR, int Width, int Height,
                   bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch,
                   bool StretchEffect, int StretchType) {
    BuildNine({LT, RT, LB, RB, CR, NLT, NRT, NLB, NRB, NCR}, Dest, Src, SR, Width, Height,
              {DrawClient, LeftStretch, TopStretch, RightStretch, BottomStretch, StretchEffect, StretchType, true});
}

void BuildNinePartA(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CR, TPoint NLT, TPoint NRT, TPoint NLB,
                    TPoint NRB, TRect NCR, TBitmap& Dest, const TBitmap& Src, const TRect& SR, int Width, int Height,
                    bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch,
                    bool StretchEffect, int StretchType) {
    BuildNinePart(LT, RT, LB, RB, CR, NLT, NRT, NLB, NRB, NCR, Dest, Src, SR, Width, Height, DrawClient, LeftStretch,
                  TopStretch, RightStretch, BottomStretch, StretchEffect, StretchType);
}

void BuildNinePartB(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CR, TPoint NLT, TPoint NRT, TPoint NLB,
                    TPoint NRB, TRect NCR, TBitmap& Dest, const TBitmap& Src, const TRect& SR, int Width, int Height,
                    bool DrawClient, bool LeftStretch, bool TopStretch, bool /*RightStretch*/, bool BottomStretch,
                    bool StretchEffect, int StretchType) {
    BuildNine({LT, RT, LB, RB, CR, NLT, NRT, NLB, NRB, NCR}, Dest, Src, SR, Width, Height,
              {DrawClient, LeftStretch, TopStretch, false, BottomStretch, StretchEffect, StretchType, false});
}

void BuildNinePartSized(TBitmap& Dest, const TBitmap& Src, const TRect& SR, const TRect& CR, bool DrawClient) {
    const int W = Dest.Width(), H = Dest.Height();
    const int dw = W - WidthOfRect(SR), dh = H - HeightOfRect(SR);
    const TPoint LT{CR.Left, CR.Top}, RT{CR.Right, CR.Top}, LB{CR.Left, CR.Bottom}, RB{CR.Right, CR.Bottom};
    BuildNinePart(LT, RT, LB, RB, CR, LT, {RT.X + dw, RT.Y}, {LB.X, LB.Y + dh}, {RB.X + dw, RB.Y + dh},
                  Rect(CR.Left, CR.Top, CR.Right + dw, CR.Bottom + dh), Dest, Src, SR, W, H, DrawClient, true, true,
                  true, true, true, stFull);
}

void BuildFrameImage(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CR, TPoint NLT, TPoint NRT, TPoint NLB,
                     TPoint NRB, TRect NCR, TBitmap& LeftBand, TBitmap& TopBand, TBitmap& RightBand,
                     TBitmap& BottomBand, const TBitmap& Src, const TRect& SR, int Width, int Height,
                     bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch) {
    const int sw = WidthOfRect(SR), sh = HeightOfRect(SR);
    const int BH = Height - NCR.Bottom;
    int topHeight = 0, bottomHeight = 0;

    if (Width >= 1 && NCR.Top >= 1 && RT.X - LT.X >= 1) {
        SizeFresh(TopBand, Width, NCR.Top);
        const TRect edge = At(SR, LT.X, 0, RT.X, NCR.Top);
        if (TopStretch)
            Stretch(TopBand, Rect(NLT.X, 0, NRT.X, NCR.Top), Src, edge);
        else
            Tile(TopBand, Rect(0, 0, Width, NCR.Top), Src, edge, true, false);
        Copy(TopBand, Rect(0, 0, NLT.X, NCR.Top), Src, At(SR, 0, 0, LT.X, NCR.Top));
        Copy(TopBand, Rect(NRT.X, 0, NRT.X + sw - RT.X, NCR.Top), Src, At(SR, RT.X, 0, sw, NCR.Top));
        topHeight = NCR.Top;
    }
    if (Width >= 1 && BH >= 1 && RB.X - LB.X >= 1) {
        SizeFresh(BottomBand, Width, BH);
        const int top = sh - BH;
        const TRect edge = At(SR, LB.X, top, RB.X, sh);
        if (BottomStretch)
            Stretch(BottomBand, Rect(NLB.X, 0, NRB.X, BH), Src, edge);
        else
            Tile(BottomBand, Rect(0, 0, Width, BH), Src, edge, true, false);
        Copy(BottomBand, Rect(0, 0, NLB.X, BH), Src, At(SR, 0, top, LB.X, sh));
        Copy(BottomBand, Rect(NRB.X, 0, NRB.X + sw - RB.X, BH), Src, At(SR, RB.X, top, sw, sh));
        bottomHeight = BH;
    }

    const int sideHeight = Height - topHeight - bottomHeight;
    // One side band: source columns [Left, Right) of SR, edge rows [EdgeTop, EdgeBottom).
    auto side = [&](TBitmap& band, int width, int left, int right, int edgeTop, int edgeBottom, bool stretch) {
        SizeFresh(band, width, sideHeight);
        const TRect edge = At(SR, left, edgeTop, right, edgeBottom);
        const int above = edgeTop - CR.Top, below = CR.Bottom - edgeBottom;
        if (stretch)
            Stretch(band, Rect(0, above, width, sideHeight - below), Src, edge);
        else
            Tile(band, Rect(0, 0, width, sideHeight), Src, edge, false, true);
        if (above > 0) Copy(band, Rect(0, 0, width, above), Src, At(SR, left, CR.Top, right, edgeTop));
        if (below > 0)
            Copy(band, Rect(0, sideHeight - below, width, sideHeight), Src, At(SR, left, edgeBottom, right, CR.Bottom));
    };
    if (NCR.Left >= 1 && sideHeight >= 1 && LB.Y - LT.Y >= 1)
        side(LeftBand, NCR.Left, 0, NCR.Left, LT.Y, LB.Y, LeftStretch);
    if (Width - NCR.Right >= 1 && sideHeight >= 1 && RB.Y - RT.Y >= 1)
        side(RightBand, Width - NCR.Right, CR.Right, sw, RT.Y, RB.Y, RightStretch);
}
