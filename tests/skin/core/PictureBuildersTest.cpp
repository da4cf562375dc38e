// Pictures of any size from skin pieces. The source is coordinate-encoded, so
// each built pixel names the source pixel it was copied from.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "tests/skin/core/SkinPictures.h"
#include "skin/core/qlUtils.h"

namespace {

// A three-part strip: left cap 3, middle 7, right cap 4, four rows high, at (10, 5).
const TRect kStrip = Rect(10, 5, 24, 9);

// A nine-part piece of 30 x 24 at (10, 5) of a 64 x 40 picture: bands of 6
// (left, right) and 5 (top, bottom), edges between corner points 8..22 across
// and 7..17 down, a client of 18 x 14.
const TRect kSR = Rect(10, 5, 40, 29);
const TRect kCR = Rect(6, 5, 24, 19);
const TPoint kLT{8, 7}, kRT{22, 7}, kLB{8, 17}, kRB{22, 17};

struct TNewPoints {
    TPoint NLT, NRT, NLB, NRB;
    TRect NCR;
};

TNewPoints NewPoints(int W, int H) {
    const int dw = W - kSR.Width(), dh = H - kSR.Height();
    return {kLT, {kRT.X + dw, kRT.Y}, {kLB.X, kLB.Y + dh}, {kRB.X + dw, kRB.Y + dh},
            Rect(kCR.Left, kCR.Top, kCR.Right + dw, kCR.Bottom + dh)};
}

struct TNineOptions {
    bool DrawClient = true;
    bool StretchEffect = false;
    int StretchType = stFull;
};

TBitmap BuildPiece(int W, int H, TNineOptions o = {}, decltype(&BuildNinePart) builder = &BuildNinePart,
                   const TBitmap* picture = nullptr) {
    static const TBitmap coordinates = CoordinatePicture(64, 40);
    const TBitmap& source = picture ? *picture : coordinates;
    const TNewPoints n = NewPoints(W, H);
    TBitmap dest;
    builder(kLT, kRT, kLB, kRB, kCR, n.NLT, n.NRT, n.NLB, n.NRB, n.NCR, dest, source, kSR, W, H, o.DrawClient, false,
            false, false, false, o.StretchEffect, o.StretchType);
    return dest;
}

int Mod(int a, int m) { return a % m; }

// Where pixel (x, y) of a W x H tiled build comes from, relative to the
// piece: corners and the pieces beside the edges move with their edge, edges
// and client repeat from their first point.
TPoint TiledSource(int x, int y, int W, int H) {
    const TNewPoints n = NewPoints(W, H);
    const int dw = W - kSR.Width(), dh = H - kSR.Height();
    const int sx = x < n.NCR.Left ? x : x >= n.NCR.Right ? x - dw : -1;  // the side columns
    if (y < n.NCR.Top) {
        if (x < n.NLT.X) return {x, y};
        if (x >= n.NRT.X) return {x - dw, y};
        return {kLT.X + Mod(x - n.NLT.X, kRT.X - kLT.X), y};
    }
    if (y >= n.NCR.Bottom) {
        if (x < n.NLB.X) return {x, y - dh};
        if (x >= n.NRB.X) return {x - dw, y - dh};
        return {kLB.X + Mod(x - n.NLB.X, kRB.X - kLB.X), y - dh};
    }
    if (sx >= 0) {
        const int top = x < n.NCR.Left ? n.NLT.Y : n.NRT.Y, bottom = x < n.NCR.Left ? n.NLB.Y : n.NRB.Y;
        if (y < top) return {sx, y};
        if (y >= bottom) return {sx, y - dh};
        return {sx, kLT.Y + Mod(y - top, kLB.Y - kLT.Y)};
    }
    return {kCR.Left + Mod(x - n.NCR.Left, kCR.Width()), kCR.Top + Mod(y - n.NCR.Top, kCR.Height())};
}

TPoint Absolute(TPoint p) { return {kSR.Left + p.X, kSR.Top + p.Y}; }

std::string At(int x, int y) { return "pixel " + std::to_string(x) + "," + std::to_string(y); }

}  // namespace

TEST(ThreePartBuilders, StripsCopyTheirCapsAndTileTheMiddle) {
    const TBitmap source = CoordinatePicture(40, 20);
    struct Case {
        const char* name;
        decltype(&BuildHThreePart) builder;
        int A, B, width;
        std::function<int(int)> sourceX;  // source column of each built column
    };
    const std::vector<Case> cases = {
        // A middle of 7 into a span of 20: tiles at 0, 7 and 14, the last cut to 6.
        {"three parts", &BuildHThreePart, 3, 4, 27,
         [](int x) { return x < 3 ? 10 + x : x < 23 ? 13 + (x - 3) % 7 : 20 + (x - 23); }},
        // Narrower than both caps: the right cap overlaps the left, no middle.
        {"narrower than the caps", &BuildHThreePart, 3, 4, 5, [](int x) { return x < 1 ? 10 + x : 19 + x; }},
        {"two parts", &BuildHTwoPart, 3, 4, 20, [](int x) { return x < 3 ? 10 + x : 13 + (x - 3) % 7; }},
        // The middle alone (without caps) from x 0 to exactly the width.
        {"middle only", &BuildHMiddleOnly, 5, 4, 12, [](int x) { return 15 + x % 5; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap dest;
        c.builder(c.A, c.B, dest, source, kStrip, c.width, 99, false);
        ASSERT_EQ(dest.Width(), c.width);
        ASSERT_EQ(dest.Height(), kStrip.Height());
        for (int y = 0; y < dest.Height(); ++y)
            for (int x = 0; x < dest.Width(); ++x) {
                SCOPED_TRACE(At(x, y));
                EXPECT_EQ(SourceOf(dest, x, y), (TPoint{c.sourceX(x), 5 + y}));
            }
    }
}

TEST(ThreePartBuilders, TheVerticalStripTilesDownwards) {
    const TBitmap source = CoordinatePicture(40, 20);
    TBitmap dest;
    BuildVThreePart(2, 1, dest, source, Rect(10, 5, 13, 10), 99, 12, false);
    ASSERT_EQ(dest.Width(), 3);
    ASSERT_EQ(dest.Height(), 12);
    for (int y = 0; y < 12; ++y) {
        SCOPED_TRACE(y);
        const int sy = y < 2 ? 5 + y : y == 11 ? 9 : 7 + (y - 2) % 2;
        EXPECT_EQ(SourceOf(dest, 1, y), (TPoint{11, sy}));
    }
}

TEST(ThreePartBuilders, AStretchedMiddleSpansTheGapInOrder) {
    const TBitmap source = CoordinatePicture(40, 20);
    TBitmap dest;
    BuildHThreePart(3, 4, dest, source, kStrip, 40, 0, true);
    EXPECT_EQ(SourceOf(dest, 3, 0).X, 13);
    EXPECT_EQ(SourceOf(dest, 35, 0).X, 19);
    EXPECT_EQ(SourceOf(dest, 36, 0).X, 20) << "the right cap follows";
    for (int x = 4; x < 36; ++x) EXPECT_LE(SourceOf(dest, x - 1, 0).X, SourceOf(dest, x, 0).X) << x;
}

TEST(NinePartBuilder, EveryPixelOfATiledBuildComesFromItsPart) {
    struct Case {
        const char* name;
        int W, H;
    };
    for (const Case& c : std::vector<Case>{{"equal", 30, 24}, {"larger", 47, 33}, {"smaller", 20, 16}}) {
        SCOPED_TRACE(c.name);
        const TBitmap dest = BuildPiece(c.W, c.H);
        ASSERT_EQ(dest.Width(), c.W);
        ASSERT_EQ(dest.Height(), c.H);
        for (int y = 0; y < c.H; ++y)
            for (int x = 0; x < c.W; ++x) {
                SCOPED_TRACE(At(x, y));
                ASSERT_EQ(SourceOf(dest, x, y), Absolute(TiledSource(x, y, c.W, c.H)));
            }
    }
}

TEST(NinePartBuilder, AStretchedClientFollowsItsStretchType) {
    const int W = 47, H = 33;
    const TRect NCR = NewPoints(W, H).NCR;  // (6, 5)-(41, 28): 35 x 23 from 18 x 14
    auto client = [](TPoint p) { return TPoint{p.X - kSR.Left - kCR.Left, p.Y - kSR.Top - kCR.Top}; };

    const TBitmap full = BuildPiece(W, H, {true, true, stFull});
    EXPECT_EQ(client(SourceOf(full, NCR.Left, NCR.Top)), (TPoint{0, 0}));
    EXPECT_EQ(client(SourceOf(full, NCR.Right - 1, NCR.Bottom - 1)), (TPoint{17, 13}));

    // Stretched down, repeated across: columns repeat every 18 pixels.
    const TBitmap horz = BuildPiece(W, H, {true, true, stHorz});
    for (int x = NCR.Left; x < NCR.Right; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(client(SourceOf(horz, x, NCR.Top)), (TPoint{(x - NCR.Left) % 18, 0}));
        EXPECT_EQ(client(SourceOf(horz, x, NCR.Bottom - 1)), (TPoint{(x - NCR.Left) % 18, 13}));
    }
    // The repeat stops at the client's edge, where the right band begins.
    EXPECT_EQ(SourceOf(horz, NCR.Right, 10), Absolute(TiledSource(NCR.Right, 10, W, H)));

    const TBitmap vert = BuildPiece(W, H, {true, true, stVert});
    for (int y = NCR.Top; y < NCR.Bottom; ++y) {
        SCOPED_TRACE(y);
        EXPECT_EQ(client(SourceOf(vert, NCR.Left, y)), (TPoint{0, (y - NCR.Top) % 14}));
        EXPECT_EQ(client(SourceOf(vert, NCR.Right - 1, y)), (TPoint{17, (y - NCR.Top) % 14}));
    }
    EXPECT_EQ(SourceOf(vert, 20, NCR.Bottom), Absolute(TiledSource(20, NCR.Bottom, W, H)));

    const TBitmap unknown = BuildPiece(W, H, {true, true, 3});
    EXPECT_EQ(SourceOf(unknown, 20, 15), kUndrawn);
    const TBitmap noClient = BuildPiece(W, H, {false, false, stFull});
    EXPECT_EQ(SourceOf(noClient, 20, 15), kUndrawn);
    EXPECT_EQ(SourceOf(noClient, 2, 2), Absolute({2, 2})) << "the frame is still drawn";
}

TEST(NinePartBuilder, DegenerateGeometryDrawsNothingWrongAndStaysInside) {
    static const TBitmap source = CoordinatePicture(64, 40);
    struct Case {
        const char* name;
        TPoint LT, RT, LB, RB;
        TRect CR;
        int W, H;
        const TBitmap* src;
        std::function<void(const TBitmap&)> check;
    };
    const TBitmap empty;
    auto allUndrawn = [](const TBitmap& b) {
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) ASSERT_EQ(SourceOf(b, x, y), kUndrawn) << At(x, y);
    };
    const std::vector<Case> cases = {
        {"RB.X equals LT.X: sized, undrawn", kLT, kRT, kLB, {kLT.X, kRB.Y}, kCR, 47, 33, &source, allUndrawn},
        {"RB.Y equals LT.Y: sized, undrawn", kLT, kRT, kLB, {kRB.X, kLT.Y}, kCR, 47, 33, &source, allUndrawn},
        {"empty source: sized, undrawn", kLT, kRT, kLB, kRB, kCR, 47, 33, &empty, allUndrawn},
        {"a top edge of length 0 draws no top edge", kLT, {kLT.X, kRT.Y}, kLB, kRB, kCR, 47, 33, &source,
         [](const TBitmap& b) { EXPECT_EQ(SourceOf(b, 12, 2), kUndrawn); }},
        {"a client of width 0 draws no client", kLT, kRT, kLB, kRB, Rect(6, 5, 6, 19), 47, 33, &source,
         [](const TBitmap& b) { EXPECT_EQ(b.Width(), 47); }},
        {"points outside the piece", {-5, -5}, {50, -5}, {-5, 60}, {50, 60}, Rect(-3, -3, 40, 40), 47, 33, &source,
         [](const TBitmap& b) { EXPECT_EQ(b.Height(), 33); }},
        {"smaller than the corners", kLT, kRT, kLB, kRB, kCR, 5, 4, &source,
         [](const TBitmap& b) {
             // The corners overlap; whichever is drawn last, the pixel comes from the piece.
             EXPECT_TRUE(kSR.Contains(SourceOf(b, 0, 0)));
             EXPECT_TRUE(kSR.Contains(SourceOf(b, 4, 3)));
         }},
        {"zero size", kLT, kRT, kLB, kRB, kCR, 0, 0, &source, [](const TBitmap& b) { EXPECT_TRUE(b.Empty()); }},
        {"negative size", kLT, kRT, kLB, kRB, kCR, -4, 10, &source, [](const TBitmap& b) { EXPECT_TRUE(b.Empty()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool stretch : {false, true}) {
            SCOPED_TRACE(stretch ? "stretched" : "tiled");
            const int dw = c.W - kSR.Width(), dh = c.H - kSR.Height();
            const TPoint NRT{c.RT.X + dw, c.RT.Y}, NLB{c.LB.X, c.LB.Y + dh}, NRB{c.RB.X + dw, c.RB.Y + dh};
            const TRect NCR = Rect(c.CR.Left, c.CR.Top, c.CR.Right + dw, c.CR.Bottom + dh);
            TBitmap dest;
            dest.SetSize(3, 3);
            dest.SetPixel(1, 1, clRed);
            BuildNinePart(c.LT, c.RT, c.LB, c.RB, c.CR, c.LT, NRT, NLB, NRB, NCR, dest, *c.src, kSR, c.W, c.H, true,
                          stretch, stretch, stretch, stretch, stretch, stFull);
            EXPECT_EQ(dest.Width(), std::max(0, c.W));
            c.check(dest);
        }
    }
}

TEST(NinePartBuilder, WithoutARightColumnTheHeaderRunsToItsEnd) {
    const TBitmap header = BuildPiece(300, 24, {}, &BuildNinePartB);
    ASSERT_EQ(header.Width(), 300);
    EXPECT_EQ(SourceOf(header, 299, 2), Absolute({kLT.X + (299 - kLT.X) % 14, 2}));
    EXPECT_EQ(SourceOf(header, 299, 10), Absolute({kCR.Left + (299 - kCR.Left) % 18, 10}));
    EXPECT_EQ(SourceOf(header, 299, 22), Absolute({kLB.X + (299 - kLB.X) % 14, 22}));
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 300; ++x) {
            const int sx = SourceOf(header, x, y).X - kSR.Left;
            ASSERT_LT(sx, y < kCR.Top || y >= kCR.Bottom ? kRT.X : kCR.Right) << At(x, y) << ": right frame drawn";
        }
}

TEST(NinePartBuilder, TheSizedBuildKeepsCornersAndStretchesTheRest) {
    const TBitmap source = CoordinatePicture(64, 40);
    TBitmap dest;
    dest.SetSize(60, 48);
    BuildNinePartSized(dest, source, kSR, kCR, true);
    EXPECT_EQ(SourceOf(dest, 0, 0), Absolute({0, 0}));
    EXPECT_EQ(SourceOf(dest, 59, 47), Absolute({29, 23}));
    EXPECT_EQ(SourceOf(dest, 59, 0), Absolute({29, 0}));
    const TPoint middle = SourceOf(dest, 30, 24);
    EXPECT_TRUE(Rect(kSR.Left + kCR.Left, kSR.Top + kCR.Top, kSR.Left + kCR.Right, kSR.Top + kCR.Bottom)
                    .Contains(middle));
}

TEST(FrameImage, TheFourBandsFitAroundTheClient) {
    const TBitmap source = CoordinatePicture(64, 40);
    const int W = 47, H = 33;
    const TNewPoints n = NewPoints(W, H);
    TBitmap left, top, right, bottom;
    BuildFrameImage(kLT, kRT, kLB, kRB, kCR, n.NLT, n.NRT, n.NLB, n.NRB, n.NCR, left, top, right, bottom, source, kSR,
                    W, H, false, false, false, false);
    EXPECT_EQ(top.Width(), W);
    EXPECT_EQ(top.Height(), n.NCR.Top);
    EXPECT_EQ(bottom.Height(), H - n.NCR.Bottom);
    EXPECT_EQ(left.Width(), n.NCR.Left);
    EXPECT_EQ(left.Height(), n.NCR.Height());
    EXPECT_EQ(right.Width(), W - n.NCR.Right);
    EXPECT_EQ(right.Height(), n.NCR.Height());
    EXPECT_EQ(SourceOf(top, 0, 0), Absolute({0, 0}));
    EXPECT_EQ(SourceOf(top, W - 1, 4), Absolute({29, 4}));
    EXPECT_EQ(SourceOf(bottom, W - 1, bottom.Height() - 1), Absolute({29, 23}));
    // Side bands: the piece above the edge at the top, the edge tiled from the band's top.
    EXPECT_EQ(SourceOf(left, 0, 0), Absolute({0, kCR.Top}));
    EXPECT_EQ(SourceOf(left, 0, 2), Absolute({0, kLT.Y + 2}));
    EXPECT_EQ(SourceOf(right, right.Width() - 1, left.Height() - 1), Absolute({29, kCR.Bottom - 1}));
}

// Writes builds at three sizes, for people to look at, from a picture whose
// colours brighten to the right and down inside each part and whose part
// borders are dark lines; the check is only that the file is written.
TEST(NinePartBuilder, PictureOfThreeSizes) {
    TBitmap piece = CoordinatePicture(64, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x) {
            const int px = x - kSR.Left, py = y - kSR.Top;
            const bool border = px == kLT.X || px == kRT.X || py == kLT.Y || py == kLB.Y || px == kCR.Left ||
                                px == kCR.Right || py == kCR.Top || py == kCR.Bottom;
            piece.SetPixel(x, y, border ? RGB(40, 40, 40) : RGB(120 + 4 * px, 100 + 5 * py, 200));
        }
    const int scale = 4;
    TBitmap sheet(scale * 190, scale * 60);
    sheet.Canvas().Brush().Color = clWhite;
    sheet.Canvas().FillRect(Rect(0, 0, sheet.Width(), sheet.Height()));
    int x = 4;
    for (auto [w, h] : {std::pair{20, 16}, {30, 24}, {110, 50}}) {
        const TBitmap b = BuildPiece(w, h, {}, &BuildNinePart, &piece);
        sheet.Canvas().StretchDraw(Rect(scale * x, scale * 4, scale * (x + w), scale * (4 + h)), b);
        x += w + 8;
    }
    // Beside the test program, in the build folder, wherever the test is run from.
    const auto folder = std::filesystem::canonical("/proc/self/exe").parent_path();
    const std::string path = (folder / "nine_part_builds.png").string();
    ASSERT_TRUE(sheet.SavePng(path));
    EXPECT_GT(std::filesystem::file_size(path), 0u);
}
