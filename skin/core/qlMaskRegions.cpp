// Window regions from mask pictures: the black pixels of a mask, row by row.

#include <cstring>

#include "platform/gui/graphics/RegionData.h"
#include "skin/core/qlPictureOps.h"
#include "skin/core/qlUtils.h"

using namespace qlPictureOps;

TqlFBitmap::TqlFBitmap(const TBitmap& Bitmap) : FDib(Bitmap) {
    FRows.reserve(size_t(FDib.Height()));
    for (int y = 0; y < FDib.Height(); ++y) FRows.push_back(FDib.Row(y));
}

int MaskToRegionRects(const TBitmap& Mask, int OffsetX, int OffsetY, std::vector<uint8_t>& Data) {
    if (Mask.Empty()) return 0;
    TqlFBitmap scan(Mask);
    const int w = scan.Width(), h = scan.Height();
    // Grows as needed: a fine pattern has far more runs than any fixed guess.
    std::vector<TRect> runs;
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = scan.ScanLine(y);
        auto black = [row](int x) { return row[3 * x] == 0 && row[3 * x + 1] == 0 && row[3 * x + 2] == 0; };
        for (int x = 0; x < w;) {
            if (!black(x)) {
                ++x;
                continue;
            }
            const int x0 = x;
            while (x < w && black(x)) ++x;
            runs.push_back(Rect(OffsetX + x0, OffsetY + y, OffsetX + x, OffsetY + y + 1));
        }
    }
    RGNDATAHEADER header;
    header.nCount = uint32_t(runs.size());
    header.rcBound = Rect(OffsetX, OffsetY, OffsetX + w, OffsetY + h);
    const size_t size = sizeof header + runs.size() * sizeof(TRect);
    Data.assign(size, 0);
    std::memcpy(Data.data(), &header, sizeof header);
    if (!runs.empty()) std::memcpy(Data.data() + sizeof header, runs.data(), runs.size() * sizeof(TRect));
    return int(size);
}

namespace {

// The region of a band placed at (x, y), or nullptr for an empty band.
HRGN BandRegion(const TBitmap& band, int x, int y) {
    std::vector<uint8_t> data;
    const int size = MaskToRegionRects(band, x, y, data);
    return size > 0 ? ExtCreateRegion(nullptr, uint32_t(size), data.data()) : nullptr;
}

}  // namespace

void RegionFromMask(HRGN& Rgn, const TBitmap& Mask) { Rgn = BandRegion(Mask, 0, 0); }

void BuildNinePartMask(TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CR, TPoint NLT, TPoint NRT, TPoint NLB,
                       TPoint NRB, TRect NCR, const TBitmap& Mask, TBitmap& TopBand, TBitmap& LeftBand,
                       TBitmap& RightBand, TBitmap& BottomBand, int Width, int /*Height*/) {
    const int mw = Mask.Width(), mh = Mask.Height();
    const int sideHeight = HeightOfRect(NCR);

    // A side band: mask columns [left, right), edge rows [edgeTop, edgeBottom).
    auto side = [&](TBitmap& band, int left, int right, int edgeTop, int edgeBottom) {
        const int w = right - left;
        SizeFresh(band, w, sideHeight);
        if (edgeBottom != edgeTop)
            Tile(band, Rect(0, 0, w, sideHeight), Mask, Rect(left, edgeTop, right, edgeBottom), false, true);
        const int above = edgeTop - CR.Top, below = CR.Bottom - edgeBottom;
        if (above > 0) Copy(band, Rect(0, 0, w, above), Mask, Rect(left, CR.Top, right, edgeTop));
        if (below > 0)
            Copy(band, Rect(0, sideHeight - below, w, sideHeight), Mask, Rect(left, edgeBottom, right, CR.Bottom));
    };
    if (CR.Left >= 1 && sideHeight >= 1) side(LeftBand, 0, CR.Left, LT.Y, LB.Y);
    if (mw - CR.Right >= 1 && sideHeight >= 1) side(RightBand, CR.Right, mw, RT.Y, RB.Y);

    // A top or bottom band: mask rows [top, bottom), edge columns [edgeLeft, edgeRight).
    auto across = [&](TBitmap& band, int top, int bottom, int edgeLeft, int edgeRight, int newLeft, int newRight) {
        const int h = bottom - top;
        SizeFresh(band, Width, h);
        if (edgeRight != edgeLeft)
            Tile(band, Rect(newLeft, 0, newRight, h), Mask, Rect(edgeLeft, top, edgeRight, bottom), true, false);
        Copy(band, Rect(0, 0, edgeLeft, h), Mask, Rect(0, top, edgeLeft, bottom));
        Copy(band, Rect(newRight, 0, newRight + mw - edgeRight, h), Mask, Rect(edgeRight, top, mw, bottom));
    };
    if (Width >= 1 && CR.Top >= 1) across(TopBand, 0, CR.Top, LT.X, RT.X, NLT.X, NRT.X);
    if (Width >= 1 && mh - CR.Bottom >= 1) across(BottomBand, CR.Bottom, mh, LB.X, RB.X, NLB.X, NRB.X);
}

void RegionFromNinePartMask(HRGN& Rgn, TPoint LT, TPoint RT, TPoint LB, TPoint RB, TRect CR, TPoint NLT,
                            TPoint NRT, TPoint NLB, TPoint NRB, TRect NCR, const TBitmap& Mask, int Width,
                            int Height) {
    Rgn = nullptr;
    if (NLT.X > NRT.X || NLT.Y > NLB.Y || RectIsEmpty(NCR)) return;
    TBitmap top, left, right, bottom;
    BuildNinePartMask(LT, RT, LB, RB, CR, NLT, NRT, NLB, NRB, NCR, Mask, top, left, right, bottom, Width, Height);
    const HRGN bands[] = {BandRegion(top, 0, 0), BandRegion(bottom, 0, NCR.Bottom), BandRegion(left, 0, NCR.Top),
                          BandRegion(right, NCR.Right, NCR.Top)};
    Rgn = CreateRectRgn(NCR.Left, NCR.Top, NCR.Right, NCR.Bottom);
    for (HRGN band : bands) {
        if (!band) continue;
        CombineRgn(Rgn, Rgn, band, RGN_OR);
        DeleteObject(band);
    }
}
