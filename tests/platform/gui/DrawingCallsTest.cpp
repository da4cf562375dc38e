// Device-context calls the skin draws with: joined lines, clip holes, turned
// text and block transfers with raster operations.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <QPainter>
#include <QPixmap>

#include "platform/gui/Graphics.h"
#include "platform/gui/graphics/Blit.h"
#include "tests/support/PixelPictures.h"

TEST(Polyline, JoinsThePointsAndLeavesOutOnlyTheLast) {
    TBitmap b = WhitePicture(6, 5);
    b.Canvas().Pen().Color = clBlack;
    b.Canvas().MoveTo(5, 4);
    b.Canvas().Polyline({{0, 0}, {4, 0}, {4, 3}, {1, 3}});
    EXPECT_EQ(Silhouette(b), (std::vector<std::string>{"#####.", "....#.", "....#.", "..###.", "......"}));
    // The pen position is neither used nor moved.
    EXPECT_EQ(b.Canvas().PenPos(), (TPoint{5, 4}));
}

TEST(Polyline, FewerThanTwoPointsDrawNothing) {
    TBitmap b = WhitePicture(3, 3);
    b.Canvas().Polyline({});
    b.Canvas().Polyline({{1, 1}});
    EXPECT_EQ(InkBounds(b), (TRect{3, 3, -1, -1}));
}

TEST(ClipHoles, ExcludedRectanglesStayUntouchedUntilTheStateIsRestored) {
    TBitmap b = WhitePicture(6, 4);
    TCanvas& c = b.Canvas();
    c.Brush().Color = clBlack;
    c.SaveState();
    c.SetOrigin(1, 0);
    c.ExcludeClipRect(Rect(1, 1, 3, 3));  // at (2, 1)-(4, 3) of the bitmap
    c.ExcludeClipRect(Rect(4, 0, 4, 4));  // empty: no hole
    c.FillRect(Rect(-1, 0, 5, 4));
    EXPECT_EQ(Silhouette(b), (std::vector<std::string>{"######", "##..##", "##..##", "######"}));
    c.RestoreState();
    c.FillRect(Rect(0, 0, 6, 4));
    EXPECT_EQ(Silhouette(b), (std::vector<std::string>{"######", "######", "######", "######"}));
}

TEST(ClipHoles, AHoleInsideAClipNarrowsIt) {
    TBitmap b = WhitePicture(5, 1);
    TCanvas& c = b.Canvas();
    c.Brush().Color = clBlack;
    c.IntersectClipRect(Rect(1, 0, 4, 1));
    c.ExcludeClipRect(Rect(2, 0, 3, 1));
    c.FillRect(Rect(0, 0, 5, 1));
    EXPECT_EQ(Silhouette(b), (std::vector<std::string>{".#.#."}));
}

TEST(TurnedText, AnEscapementOf900RunsTheTextUpwardsFromItsReferencePoint) {
    const std::string text = "Gauge 42%";
    TBitmap flat = WhitePicture(120, 120), turned = WhitePicture(120, 120);
    for (TBitmap* b : {&flat, &turned}) {
        b->Canvas().Brush().Style = TBrushStyle::bsClear;
        b->Canvas().Font().SetColor(clBlack);
        b->Canvas().Font().SetHeight(-14);
    }
    turned.Canvas().Font().SetEscapement(900);
    const int width = flat.Canvas().TextWidth(text), height = flat.Canvas().TextHeight(text);
    flat.Canvas().TextOut(10, 10, text);
    turned.Canvas().TextOut(50, 110, text);

    const TRect f = InkBounds(flat), t = InkBounds(turned);
    // The text cell (x, y - width)-(x + height, y) holds the ink.
    EXPECT_GE(t.Left, 50);
    EXPECT_LE(t.Right, 50 + height);
    EXPECT_LE(t.Bottom, 110);
    EXPECT_GE(t.Top, 110 - width);
    // The ink keeps its extent, turned by a quarter.
    EXPECT_NEAR(t.Height(), f.Width(), 2);
    EXPECT_NEAR(t.Width(), f.Height(), 2);
    // The first letter sits at the bottom, so the lowest ink row lies near y.
    EXPECT_GE(t.Bottom, 110 - 3);
}

TEST(TurnedText, TheEscapementIsPartOfTheFont) {
    TFont a, b;
    b.SetEscapement(900);
    EXPECT_FALSE(a == b);
    a.Assign(b);
    EXPECT_EQ(a.Escapement(), 900);
}

TEST(BitBlt, EachRasterOperationCombinesPatternSourceAndDestination) {
    const TColor src = RGB(0xF0, 0x33, 0x0F), dst = RGB(0xAA, 0x3C, 0x55), pat = RGB(0x0F, 0xFF, 0x81);
    auto bits = [](TColor c) { return uint32_t(c) & 0xFFFFFF; };
    const uint32_t S = bits(src), D = bits(dst), P = bits(pat), all = 0xFFFFFF;
    struct Case {
        const char* name;
        uint32_t rop;
        uint32_t expected;
    };
    const std::vector<Case> cases = {
        {"SRCCOPY", SRCCOPY, S},
        {"SRCAND", SRCAND, S & D},
        {"SRCPAINT", SRCPAINT, S | D},
        {"SRCINVERT", SRCINVERT, S ^ D},
        {"SRCERASE", SRCERASE, S & ~D & all},
        {"NOTSRCCOPY", NOTSRCCOPY, ~S & all},
        {"NOTSRCERASE", NOTSRCERASE, ~(S | D) & all},
        {"MERGECOPY", MERGECOPY, S & P},
        {"MERGEPAINT", MERGEPAINT, (~S | D) & all},
        {"PATCOPY", PATCOPY, P},
        {"PATINVERT", PATINVERT, P ^ D},
        {"DSTINVERT", DSTINVERT, ~D & all},
        {"BLACKNESS", BLACKNESS, 0},
        {"WHITENESS", WHITENESS, all},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap source = FilledPicture(4, 4, src), dest = FilledPicture(4, 4, dst);
        dest.Canvas().Brush().Color = pat;
        ASSERT_TRUE(BitBlt(dest.Canvas(), 1, 1, 2, 2, &source.Canvas(), 0, 0, c.rop));
        EXPECT_EQ(bits(dest.Pixel(1, 1)), c.expected);
        EXPECT_EQ(bits(dest.Pixel(2, 2)), c.expected);
        // Outside the block the destination keeps its colour.
        EXPECT_EQ(bits(dest.Pixel(0, 0)), D);
        EXPECT_EQ(bits(dest.Pixel(3, 2)), D);
    }
}

TEST(BitBlt, TheSourceBlockIsTakenFromItsOffsetAndTheDestinationsOriginApplies) {
    TBitmap source = WhitePicture(4, 1);
    source.SetPixel(2, 0, clRed);
    source.SetPixel(3, 0, clBlue);
    TBitmap dest = WhitePicture(4, 2);
    dest.Canvas().SetOrigin(1, 1);
    ASSERT_TRUE(BitBlt(dest.Canvas(), 0, 0, 2, 1, &source.Canvas(), 2, 0, SRCCOPY));
    EXPECT_EQ(dest.Pixel(1, 1), clRed);
    EXPECT_EQ(dest.Pixel(2, 1), clBlue);
    EXPECT_EQ(dest.Pixel(0, 0), clWhite);
}

TEST(BitBlt, ASourceOperationWithoutASourceFailsAndChangesNothing) {
    TBitmap dest = WhitePicture(2, 2);
    EXPECT_FALSE(BitBlt(dest.Canvas(), 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
    EXPECT_EQ(dest.Pixel(0, 0), clWhite);
    EXPECT_TRUE(BitBlt(dest.Canvas(), 0, 0, 2, 2, nullptr, 0, 0, BLACKNESS));
    EXPECT_EQ(dest.Pixel(1, 1), clBlack);
}

TEST(BitBlt, CopiesOntoADeviceWithoutAnImageAndRefusesToReadOne) {
    TBitmap source = FilledPicture(2, 2, clRed);
    QPixmap window(4, 4);
    window.fill(Qt::white);
    {
        QPainter painter(&window);
        TCanvas canvas;
        canvas.BeginPaint(&painter);
        EXPECT_TRUE(BitBlt(canvas, 1, 1, 2, 2, &source.Canvas(), 0, 0, SRCCOPY));
        EXPECT_FALSE(BitBlt(canvas, 0, 0, 1, 1, &source.Canvas(), 0, 0, SRCAND)) << "reads the window";
        canvas.EndPaint();
    }
    const QImage shown = window.toImage();
    EXPECT_EQ(shown.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(3, 1), qRgb(255, 255, 255));
}
