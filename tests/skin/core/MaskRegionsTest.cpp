// Window regions from mask pictures: black pixels are inside.

#include <gtest/gtest.h>

#include <cstring>

#include "tests/skin/core/SkinPictures.h"
#include "platform/gui/graphics/RegionData.h"
#include "skin/core/qlUtils.h"

namespace {

struct TParsedRegionData {
    RGNDATAHEADER header;
    std::vector<TRect> rects;
};

TParsedRegionData Parse(const std::vector<uint8_t>& data) {
    TParsedRegionData out;
    std::memcpy(&out.header, data.data(), sizeof out.header);
    out.rects.resize(out.header.nCount);
    if (!out.rects.empty())
        std::memcpy(out.rects.data(), data.data() + sizeof out.header, out.rects.size() * sizeof(TRect));
    return out;
}

}  // namespace

TEST(ScanCopy, RowsOfBlueGreenRedWithTheirGapAndATableOfRows) {
    TBitmap b(3, 2);
    b.SetPixel(2, 1, RGB(10, 20, 30));
    TqlFBitmap scan(b);
    EXPECT_EQ(scan.RowSize(), 12);
    EXPECT_EQ(scan.RowGap(), 3);
    EXPECT_EQ(scan.ImageSize(), 24);
    EXPECT_EQ(scan.ScanLine(0), scan.Bits());
    EXPECT_EQ(scan.ScanLine(1) - scan.ScanLine(0), 12);
    const uint8_t* p = scan.ScanLine(1) + 6;
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);
}

TEST(MaskRegionRects, OneRectanglePerRunOfBlackInARow) {
    struct Case {
        const char* name;
        std::vector<std::string> mask;
        TPoint offset;
        std::vector<TRect> rects;
    };
    const std::vector<Case> cases = {
        {"black, white, black", {"#.#"}, {0, 0}, {{0, 0, 1, 1}, {2, 0, 3, 1}}},
        {"all white", {"...", "..."}, {0, 0}, {}},
        {"runs end at the row's end and are not merged across rows", {".##", "###"}, {0, 0},
         {{1, 0, 3, 1}, {0, 1, 3, 2}}},
        {"placed at an offset", {"#.", ".#"}, {10, 20}, {{10, 20, 11, 21}, {11, 21, 12, 22}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TBitmap mask = PictureFromRows(c.mask);
        std::vector<uint8_t> data;
        const int size = MaskToRegionRects(mask, c.offset.X, c.offset.Y, data);
        EXPECT_EQ(size, int(32 + 16 * c.rects.size()));
        ASSERT_EQ(data.size(), size_t(size));
        const TParsedRegionData parsed = Parse(data);
        EXPECT_EQ(parsed.header.dwSize, 32u);
        EXPECT_EQ(parsed.header.iType, uint32_t(RDH_RECTANGLES));
        EXPECT_EQ(parsed.header.rcBound,
                  Rect(c.offset.X, c.offset.Y, c.offset.X + mask.Width(), c.offset.Y + mask.Height()));
        EXPECT_EQ(parsed.rects, c.rects);
    }
}

TEST(MaskRegionRects, AnEmptyMaskGivesNothingAndLeavesTheDataAlone) {
    std::vector<uint8_t> data = {7, 7};
    EXPECT_EQ(MaskToRegionRects(TBitmap(), 0, 0, data), 0);
    EXPECT_EQ(data, (std::vector<uint8_t>{7, 7}));
    HRGN rgn = reinterpret_cast<HRGN>(&data);
    RegionFromMask(rgn, TBitmap());
    EXPECT_EQ(rgn, nullptr);
}

TEST(MaskRegionRects, OnlyPureBlackIsInside) {
    TBitmap mask = WhitePicture(4, 1);
    mask.SetPixel(0, 0, clBlack);
    mask.SetPixel(1, 0, RGB(0, 0, 1));
    mask.SetPixel(2, 0, RGB(1, 0, 0));
    mask.SetPixel(3, 0, clBlack);
    HRGN rgn = nullptr;
    RegionFromMask(rgn, mask);
    ASSERT_NE(rgn, nullptr);
    EXPECT_EQ(RegionRects(rgn), (std::vector<TRect>{{0, 0, 1, 1}, {3, 0, 4, 1}}));
    DeleteObject(rgn);
}

TEST(MaskRegionRects, AFineCheckerboardKeepsEveryRun) {
    // 20,100 runs: far more than a fixed buffer of ten thousand would hold.
    const int w = 200, h = 201;
    TBitmap mask = WhitePicture(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = (y & 1); x < w; x += 2) mask.SetPixel(x, y, clBlack);
    std::vector<uint8_t> data;
    EXPECT_EQ(MaskToRegionRects(mask, 0, 0, data), 32 + 16 * 20100);
    const TParsedRegionData parsed = Parse(data);
    EXPECT_EQ(parsed.rects.back(), Rect(198, 200, 199, 201));

    HRGN rgn = nullptr;
    RegionFromMask(rgn, mask);
    ASSERT_NE(rgn, nullptr);
    // No two black squares touch along an edge, so the region keeps them all apart.
    EXPECT_EQ(RegionRects(rgn).size(), 20100u);
    for (int y = h - 3; y < h; ++y)
        for (int x = 0; x < w; ++x) ASSERT_EQ(PtInRegion(rgn, x, y), ((x + y) & 1) == 0) << x << "," << y;
    DeleteObject(rgn);
}

namespace {

// A window mask of 20 x 16 with cut corners: bands of 4 around a client of
// 12 x 8, edges uniform along their length so that tiling them anywhere gives
// the same pixels.
const std::vector<std::string> kWindowMask = {
    "....################",
    "..##################",
    ".###################",
    ".###################",
    "####################",
    "####################",
    "####################",
    "####################",
    "####################",
    "####################",
    "####################",
    "####################",
    "####################",
    "###################.",
    "##################..",
    "################....",
};
const TRect kMaskCR = Rect(4, 4, 16, 12);
const TPoint kMaskLT{6, 6}, kMaskRT{14, 6}, kMaskLB{6, 10}, kMaskRB{14, 10};

}  // namespace

TEST(NinePartMaskRegion, MatchesThePixelsOfTheMaskBuiltToTheWindowsSize) {
    const TBitmap mask = PictureFromRows(kWindowMask);
    struct Case {
        int W, H;
    };
    for (const Case& c : std::vector<Case>{{20, 16}, {53, 37}, {17, 13}}) {
        SCOPED_TRACE(std::to_string(c.W) + " x " + std::to_string(c.H));
        const int dw = c.W - 20, dh = c.H - 16;
        const TPoint NRT{kMaskRT.X + dw, kMaskRT.Y}, NLB{kMaskLB.X, kMaskLB.Y + dh};
        const TPoint NRB{kMaskRB.X + dw, kMaskRB.Y + dh};
        const TRect NCR = Rect(4, 4, 16 + dw, 12 + dh);
        HRGN rgn = nullptr;
        RegionFromNinePartMask(rgn, kMaskLT, kMaskRT, kMaskLB, kMaskRB, kMaskCR, kMaskLT, NRT, NLB, NRB, NCR, mask, c.W,
                               c.H);
        ASSERT_NE(rgn, nullptr);
        // The same mask as a picture of the window's size, through the picture builder.
        TBitmap built;
        BuildNinePart(kMaskLT, kMaskRT, kMaskLB, kMaskRB, kMaskCR, kMaskLT, NRT, NLB, NRB, NCR, built, mask,
                      Rect(0, 0, 20, 16), c.W, c.H, true, false, false, false, false, false, stFull);
        for (int y = -1; y <= c.H; ++y)
            for (int x = -1; x <= c.W; ++x) {
                const bool inside = x >= 0 && y >= 0 && x < c.W && y < c.H && built.Pixel(x, y) == clBlack;
                ASSERT_EQ(PtInRegion(rgn, x, y), inside) << x << "," << y;
            }
        DeleteObject(rgn);
    }
}

TEST(NinePartMaskRegion, AnEmptyClientOrCrossedPointsGiveNoRegion) {
    const TBitmap mask = PictureFromRows(kWindowMask);
    struct Case {
        const char* name;
        TPoint NRT, NLB;
        TRect NCR;
    };
    const std::vector<Case> cases = {
        {"empty client", kMaskRT, kMaskLB, Rect(4, 4, 4, 12)},
        {"top edge crossed", {kMaskLT.X - 1, kMaskRT.Y}, kMaskLB, kMaskCR},
        {"left edge crossed", kMaskRT, {kMaskLB.X, kMaskLT.Y - 1}, kMaskCR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HRGN rgn = CreateRectRgn(0, 0, 1, 1);
        HRGN before = rgn;
        RegionFromNinePartMask(rgn, kMaskLT, kMaskRT, kMaskLB, kMaskRB, kMaskCR, kMaskLT, c.NRT, c.NLB, kMaskRB, c.NCR,
                               mask, 20, 16);
        EXPECT_EQ(rgn, nullptr);
        DeleteObject(before);
    }
}

TEST(NinePartMaskRegion, BandsAreCutToTheWindowsSize) {
    const TBitmap mask = PictureFromRows(kWindowMask);
    TBitmap top, left, right, bottom;
    const TRect NCR = Rect(4, 4, 36, 22);  // a 40 x 26 window
    BuildNinePartMask(kMaskLT, kMaskRT, kMaskLB, kMaskRB, kMaskCR, kMaskLT, {kMaskRT.X + 20, 6}, {6, kMaskLB.Y + 10},
                      {kMaskRB.X + 20, kMaskRB.Y + 10}, NCR, mask, top, left, right, bottom, 40, 26);
    EXPECT_EQ(Silhouette(top), (std::vector<std::string>{"....####################################",
                                                          "..######################################",
                                                          ".#######################################",
                                                          ".#######################################"}));
    EXPECT_EQ(Silhouette(bottom), (std::vector<std::string>{"########################################",
                                                             "#######################################.",
                                                             "######################################..",
                                                             "####################################...."}));
    EXPECT_EQ(left.Width(), 4);
    EXPECT_EQ(left.Height(), 18);
    EXPECT_EQ(right.Width(), 4);
    EXPECT_EQ(right.Height(), 18);
}
