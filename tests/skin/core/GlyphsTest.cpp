// Glyph and caption layout, glyph strips, arrows, marks and caption-button symbols.

#include <gtest/gtest.h>

#include <functional>

#include "tests/skin/core/SkinPictures.h"
#include "skin/core/qlUtils.h"

namespace {

TBitmap Drawn(int width, int height, const std::function<void(TCanvas&)>& draw) {
    TBitmap b = WhitePicture(width, height);
    draw(b.Canvas());
    return b;
}

}  // namespace

TEST(GlyphLayout, PositionsOfGlyphAndCaption) {
    struct Case {
        const char* name;
        int layout, margin;
        TPoint glyph, text;
    };
    // Glyph 16 x 16, caption 40 x 13, spacing 4, in (0, 0, 100, 30).
    const std::vector<Case> cases = {
        {"centred, glyph left", blGlyphLeft, -1, {20, 7}, {40, 9}},
        {"centred, glyph right", blGlyphRight, -1, {64, 7}, {20, 9}},
        {"centred, glyph top", blGlyphTop, -1, {42, -1}, {30, 18}},
        {"centred, glyph bottom", blGlyphBottom, -1, {42, 15}, {30, -1}},
        {"margin 2, glyph left", blGlyphLeft, 2, {2, 7}, {22, 9}},
        {"margin 2, glyph right", blGlyphRight, 2, {82, 7}, {38, 9}},
        {"margin 2, glyph top", blGlyphTop, 2, {42, 2}, {30, 22}},
        {"margin 2, glyph bottom", blGlyphBottom, 2, {42, 12}, {30, -5}},
        {"an unknown layout lays out as glyph left", 7, -1, {20, 7}, {40, 9}},
        {"an unknown layout with a margin lays out as glyph left", 9, 2, {2, 7}, {22, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int tx = -99, ty = -99, gx = -99, gy = -99;
        LayoutGlyphAndCaption(TqlButtonLayout(c.layout), Rect(0, 0, 100, 30), 16, 16, 40, 13, 4, c.margin, tx, ty, gx,
                              gy);
        EXPECT_EQ((TPoint{gx, gy}), c.glyph);
        EXPECT_EQ((TPoint{tx, ty}), c.text);
    }
}

TEST(GlyphStrip, OneCellIsDrawnWithItsBottomLeftColourTransparent) {
    const TBitmap strip = CoordinatePicture(64, 8);  // four cells of 16
    struct Case {
        int state, firstColumn;
    };
    for (const Case& c : std::vector<Case>{{3, 32}, {1, 0}, {9, 48}, {0, 0}, {-2, 0}}) {
        SCOPED_TRACE("state " + std::to_string(c.state));
        const TBitmap b = Drawn(30, 12, [&](TCanvas& canvas) { DrawGlyphState(canvas, 5, 2, strip, 4, c.state); });
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 16; ++x) {
                const bool key = x == 0 && y == 7;
                ASSERT_EQ(SourceOf(b, 5 + x, 2 + y), (key ? kUndrawn : TPoint{c.firstColumn + x, y})) << x << "," << y;
            }
        EXPECT_EQ(b.Pixel(21, 2), clWhite) << "nothing beside the cell";
    }
}

TEST(GlyphStrip, MarkersSpanTheShownCellAndMoveWhenDown) {
    TBitmap strip(16, 8);  // two cells of 8
    strip.Canvas().Brush().Color = clBlue;
    strip.Canvas().FillRect(Rect(0, 0, 16, 8));
    strip.SetPixel(0, 7, clLime);  // the transparent key of cell 1
    for (bool down : {false, true}) {
        SCOPED_TRACE(down ? "down" : "up");
        const TBitmap b = Drawn(40, 20, [&](TCanvas& c) {
            DrawBitmapGlyphCaption(c, Rect(0, 0, 40, 20), -1, 0, blGlyphLeft, "", &strip, 2, 1, down, true, clRed);
        });
        const int gx = 16 + down, gy = 6 + down;  // centred: (20 - 4, 10 - 4)
        EXPECT_EQ(b.Pixel(gx + 1, gy), clBlue);
        for (int row = gy + 6; row <= gy + 8; ++row) {
            EXPECT_EQ(b.Pixel(gx, row), clRed) << row;
            EXPECT_EQ(b.Pixel(gx + 7, row), clRed) << row;
            EXPECT_NE(b.Pixel(gx + 8, row), clRed) << "one cell wide, row " << row;
            EXPECT_NE(b.Pixel(gx - 1, row), clRed) << row;
        }
        EXPECT_NE(b.Pixel(gx + 3, gy + 5), clRed);
    }
}

TEST(GlyphStrip, WithoutGlyphAndCaptionTheMarkerFillsTheButton) {
    for (bool down : {false, true}) {
        SCOPED_TRACE(down ? "down" : "up");
        const TBitmap b = Drawn(40, 20, [&](TCanvas& c) {
            DrawBitmapGlyphCaption(c, Rect(0, 0, 40, 20), -1, 0, blGlyphLeft, "", nullptr, 1, 1, down, true, clRed);
        });
        TRect ink{40, 20, -1, -1};
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                if (b.Pixel(x, y) == clRed)
                    ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                           std::max(ink.Bottom, y + 1)};
        EXPECT_EQ(ink, down ? Rect(4, 5, 38, 17) : Rect(4, 4, 38, 16));
    }
}

TEST(GlyphStrip, ACaptionAloneIsPlacedAsIfTheGlyphWereEmptyAndMovesWhenDown) {
    auto inkLeft = [](const TBitmap& b) {
        for (int x = 0; x < b.Width(); ++x)
            for (int y = 0; y < b.Height(); ++y)
                if (b.Pixel(x, y) != clWhite) return x;
        return -1;
    };
    TBitmap up, down;
    for (auto [b, isDown] : {std::pair{&up, false}, {&down, true}}) {
        // A structured binding is copied in by name: not every compiler captures one.
        *b = Drawn(80, 24, [pressed = isDown](TCanvas& c) {
            c.Font().SetColor(clBlack);
            DrawBitmapGlyphCaption(c, Rect(0, 0, 80, 24), -1, 4, blGlyphLeft, "OK", nullptr, 1, 1, pressed, false, 0);
        });
    }
    ASSERT_GE(inkLeft(up), 0);
    EXPECT_EQ(inkLeft(down), inkLeft(up) + 1);
    // The spacing counts without a glyph too, and the caption is centred in
    // a rectangle two pixels wider than itself.
    const int width = up.Canvas().TextWidth("OK");
    EXPECT_NEAR(inkLeft(up), 40 + (width + 4) / 2 - width + 1, 1);
}

TEST(Marks, ArrowsAndTicksCoverTheirPixels) {
    using Rows = std::vector<std::string>;
    struct Case {
        const char* name;
        std::function<void(TCanvas&)> draw;
        Rows expected;  // rows 2 to 8 of a 10 x 10 cell centred at (5, 5)
    };
    const TRect R = Rect(0, 0, 10, 10);
    const std::vector<Case> cases = {
        {"drop-down", [&](TCanvas& c) { DrawDropDownArrow(c, R, clBlack); },
         {"..........", "..........", "..........", "...#####..", "....###...", ".....#....", ".........."}},
        {"left", [&](TCanvas& c) { DrawDirectionArrow(c, R, clBlack, 1); },
         {"......#...", ".....##...", "....###...", "...####...", "....###...", ".....##...", "......#..."}},
        {"right", [&](TCanvas& c) { DrawDirectionArrow(c, R, clBlack, 2); },
         {"....#.....", "....##....", "....###...", "....####..", "....###...", "....##....", "....#....."}},
        {"up", [&](TCanvas& c) { DrawDirectionArrow(c, R, clBlack, 3); },
         {"..........", ".....#....", "....###...", "...#####..", "..#######.", "..........", ".........."}},
        {"down", [&](TCanvas& c) { DrawDirectionArrow(c, R, clBlack, 4); },
         {"..........", "..........", "..#######.", "...#####..", "....###...", ".....#....", ".........."}},
        {"no direction", [&](TCanvas& c) { DrawDirectionArrow(c, R, clBlack, 5); },
         {"..........", "..........", "..........", "..........", "..........", "..........", ".........."}},
        {"radio dot", [&](TCanvas& c) { DrawRadioDot(c, 2, 3, clBlack); },
         {"..........", "..######..", "..######..", "..######..", "..######..", "..######..", "..######.."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rows all = Silhouette(Drawn(10, 10, c.draw));
        EXPECT_EQ(Rows(all.begin() + 2, all.begin() + 9), c.expected);
        EXPECT_EQ(all[0] + all[1] + all[9], std::string(30, '.'));
    }
}

TEST(Marks, TheCheckTickIsThreePixelsThick) {
    const TBitmap b = Drawn(12, 12, [](TCanvas& c) { DrawCheckTick(c, 2, 2, clBlack); });
    const auto rows = Silhouette(b);
    int columns = 0;
    for (int x = 0; x < 12; ++x) {
        int ink = 0;
        for (int y = 0; y < 12; ++y) ink += rows[y][x] == '#';
        if (ink == 0) continue;
        ++columns;
        EXPECT_EQ(ink, 3) << "column " << x;
    }
    EXPECT_EQ(columns, 7);
    EXPECT_EQ(rows[9][4], '#') << "the bottom of the tick at (X + 2, Y + 7)";
}

TEST(CaptionButtonGlyphs, SymbolsCoverTheirPixels) {
    using Rows = std::vector<std::string>;
    struct Case {
        const char* name;
        void (*draw)(TCanvas&, int, int, TColor);
        Rows expected;  // a 12 x 11 cell, glyph at (0, 0)
    };
    const std::vector<Case> cases = {
        {"maximize", &DrawMaximizeGlyph,
         {"###########.", "###########.", "#.........#.", "#.........#.", "#.........#.", "#.........#.",
          "#.........#.", "#.........#.", "#.........#.", "###########.", "............"}},
        {"minimize", &DrawMinimizeGlyph,
         {"............", "............", "............", "............", "............", "............",
          "............", "............", ".########...", ".########...", "............"}},
        {"restore", &DrawRestoreGlyph,
         {"..########..", "..########..", "..#......#..", "..#......#..", "#######..#..", "##########..",
          "#.....#.....", "#.....#.....", "#.....#.....", "#######.....", "............"}},
        {"roll up", &DrawRollUpGlyph,
         {"............", "............", "............", "....##......", "...####.....", "..######....",
          ".########...", "............", "............", "............", "............"}},
        {"roll down", &DrawRollDownGlyph,
         {"............", "............", ".########...", "..######....", "...####.....", "....##......",
          "............", "............", "............", "............", "............"}},
        {"system menu", &DrawSysMenuGlyph,
         {"............", "............", "............", ".########...", ".#......#...", ".########...",
          "............", "............", "............", "............", "............"}},
        {"minimize to tray", &DrawMinimizeToTrayGlyph,
         {"............", "............", "..#####.....", "..#####.....", "..#####.....", "..#####.....",
          "..#####.....", "............", "............", "............", "............"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TBitmap b = Drawn(12, 11, [&](TCanvas& canvas) { c.draw(canvas, 0, 0, clBlack); });
        EXPECT_EQ(Silhouette(b), c.expected);
    }
}

TEST(CaptionButtonGlyphs, TheCloseCrossIsTwoPixelsThickOnBothDiagonals) {
    const auto rows = Silhouette(Drawn(12, 11, [](TCanvas& c) { DrawCloseGlyph(c, 0, 0, clBlack); }));
    for (int i = 1; i <= 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i][i], '#');
        EXPECT_EQ(rows[i][i + 1], '#');
        EXPECT_EQ(rows[i][10 - i], '#');
        EXPECT_EQ(rows[i][9 - i], '#');
    }
    EXPECT_EQ(rows[0], std::string(12, '.'));
    EXPECT_EQ(rows[9] + rows[10], std::string(24, '.'));
}

TEST(ImageListGlyph, AnIndexOutsideTheListDrawsTheCaptionAsIfThereWereNoGlyph) {
    TCustomImageList list(16, 16);
    list.AddMasked(WhitePicture(16, 16), clNone);
    auto draw = [](const std::function<void(TCanvas&)>& call) {
        return Silhouette(Drawn(100, 30, [&](TCanvas& c) {
            c.Font().SetColor(clBlack);
            call(c);
        }));
    };
    const auto alone = draw([](TCanvas& c) {
        DrawBitmapGlyphCaption(c, Rect(0, 0, 100, 30), -1, 4, blGlyphLeft, "Save", nullptr, 1, 1, false, false, 0);
    });
    for (int index : {1, -1, 5}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(draw([&](TCanvas& c) {
                      DrawImageListGlyphCaption(c, Rect(0, 0, 100, 30), -1, 4, blGlyphLeft, "Save", index, &list,
                                                false, true, false, 0);
                  }),
                  alone);
    }
    EXPECT_EQ(draw([](TCanvas& c) {
                  DrawImageListGlyphCaption(c, Rect(0, 0, 100, 30), -1, 4, blGlyphLeft, "Save", 0, nullptr, false,
                                            true, false, 0);
              }),
              alone);
}

TEST(ImageListGlyph, TheImageSitsWhereTheLayoutPutsItAndMovesWhenDown) {
    TCustomImageList list(8, 6);
    TBitmap image(8, 6);
    image.Canvas().Brush().Color = clBlue;
    image.Canvas().FillRect(Rect(0, 0, 8, 6));
    list.AddMasked(image, clNone);
    for (bool down : {false, true}) {
        SCOPED_TRACE(down ? "down" : "up");
        const TBitmap b = Drawn(40, 20, [&](TCanvas& c) {
            DrawImageListGlyphCaption(c, Rect(0, 0, 40, 20), 3, 0, blGlyphLeft, "", 0, &list, down, true, true,
                                      clRed);
        });
        const int gx = 3 + down, gy = 10 - 3 + down;
        EXPECT_EQ(b.Pixel(gx, gy), clBlue);
        EXPECT_EQ(b.Pixel(gx + 7, gy + 3), clBlue);
        EXPECT_EQ(b.Pixel(gx - 1, gy), clWhite);
        // The marker's three rows end one below the image, as wide as it.
        EXPECT_EQ(b.Pixel(gx, gy + 6), clRed);
        EXPECT_EQ(b.Pixel(gx + 7, gy + 4), clRed);
        EXPECT_EQ(b.Pixel(gx + 8, gy + 6), clWhite);
    }
}
