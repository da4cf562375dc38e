// Effect pictures: blends, colour effects, turns and flips.

#include <gtest/gtest.h>

#include <functional>

#include "tests/skin/core/SkinPictures.h"
#include "skin/core/qlEffects.h"

namespace {

// A picture with every channel of every pixel different.
TqlEffectBmp Patterned(int w, int h) {
    TqlEffectBmp b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, RGB(x * 7 + 1, y * 11 + 2, (x + y) * 3 + 3));
    return b;
}

TqlEffectBmp Uniform(int w, int h, TColor c) {
    TqlEffectBmp b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, c);
    return b;
}

std::vector<TColor> PixelsOf(const TqlEffectBmp& b) {
    std::vector<TColor> out;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) out.push_back(b.GetPixel(x, y));
    return out;
}

using TOperation = std::function<void(TqlEffectBmp& own, const TqlEffectBmp& source)>;

struct TNamedOperation {
    const char* name;
    TOperation apply;
};

std::vector<TNamedOperation> AllOperations(double kf) {
    auto morph = [kf](void (TqlEffectBmp::*op)(const TqlEffectBmp&, double)) {
        return [op, kf](TqlEffectBmp& own, const TqlEffectBmp& source) { (own.*op)(source, kf); };
    };
    auto turn = [](void (TqlEffectBmp::*op)(TqlEffectBmp&) const) {
        return [op](TqlEffectBmp& own, const TqlEffectBmp&) {
            TqlEffectBmp dest(1, 1);
            (own.*op)(dest);
            own = dest;
        };
    };
    return {
        {"Morph", morph(&TqlEffectBmp::Morph)},
        {"MorphGradient", morph(&TqlEffectBmp::MorphGradient)},
        {"MorphCenterGradientH", morph(&TqlEffectBmp::MorphCenterGradientH)},
        {"MorphCenterGradientV", morph(&TqlEffectBmp::MorphCenterGradientV)},
        {"MorphLeftGradient", morph(&TqlEffectBmp::MorphLeftGradient)},
        {"MorphRightGradient", morph(&TqlEffectBmp::MorphRightGradient)},
        {"MorphLeftSlide", morph(&TqlEffectBmp::MorphLeftSlide)},
        {"MorphRightSlide", morph(&TqlEffectBmp::MorphRightSlide)},
        {"MorphPush", morph(&TqlEffectBmp::MorphPush)},
        {"ChangeBrightness", [kf](TqlEffectBmp& own, const TqlEffectBmp&) { own.ChangeBrightness(kf); }},
        {"ChangeDarkness", [kf](TqlEffectBmp& own, const TqlEffectBmp&) { own.ChangeDarkness(kf); }},
        {"GrayScale", [](TqlEffectBmp& own, const TqlEffectBmp&) { own.GrayScale(); }},
        {"AddNoise", [](TqlEffectBmp& own, const TqlEffectBmp&) { own.AddNoise(50); }},
        {"SplitBlur", [](TqlEffectBmp& own, const TqlEffectBmp&) { own.SplitBlur(1); }},
        {"SplitBlur 3", [](TqlEffectBmp& own, const TqlEffectBmp&) { own.SplitBlur(3); }},
        {"Invert", [](TqlEffectBmp& own, const TqlEffectBmp&) { own.Invert(); }},
        {"RotateLeft", turn(&TqlEffectBmp::RotateLeft)},
        {"RotateRight", turn(&TqlEffectBmp::RotateRight)},
        {"FlipVertical", turn(&TqlEffectBmp::FlipVertical)},
    };
}

}  // namespace

TEST(EffectPicture, RowsOfBlueGreenRedPaddedToFourBytes) {
    TqlEffectBmp b(3, 2);
    EXPECT_EQ(b.ScanLine(1) - b.ScanLine(0), 12);
    EXPECT_EQ(b.ImageSize(), 24);
    b.SetPixel(1, 1, RGB(10, 20, 30));
    const uint8_t* p = b.ScanLine(1) + 3;
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);
}

TEST(EffectPicture, PixelAccessOutsideThePictureIsRefused) {
    TqlEffectBmp b = Uniform(2, 2, clBlue);
    for (TPoint p : {TPoint{-1, 0}, TPoint{0, -1}, TPoint{2, 0}, TPoint{0, 2}}) {
        SCOPED_TRACE(std::to_string(p.X) + "," + std::to_string(p.Y));
        EXPECT_EQ(b.GetPixel(p.X, p.Y), -1);
        b.SetPixel(p.X, p.Y, clRed);
        EXPECT_EQ(b.ScanLine(p.Y < 0 || p.Y >= 2 ? p.Y : 5), nullptr);
    }
    EXPECT_EQ(PixelsOf(b), std::vector<TColor>(4, clBlue));
    uint8_t row[6] = {};
    b.GetRow(7, row);
    b.SetRow(-1, row);
    EXPECT_EQ(PixelsOf(b), std::vector<TColor>(4, clBlue));
}

TEST(EffectPicture, ComesFromABitmapAndGoesBack) {
    const TBitmap source = CoordinatePicture(5, 3);
    const TqlEffectBmp effect(source);
    EXPECT_EQ(effect.GetPixel(4, 2), RGB(4, 2, 0));
    TBitmap target = WhitePicture(8, 8);
    effect.Draw(target.Canvas(), 2, 1);
    EXPECT_EQ(target.Pixel(6, 3), RGB(4, 2, 0));
    EXPECT_EQ(target.Pixel(1, 1), clWhite);
}

TEST(Blend, ShareOfTheSourceAtZeroHalfOneAndOutOfRange) {
    const TqlEffectBmp source = Uniform(3, 2, RGB(200, 102, 5));
    struct Case {
        double kf;
        TColor expected;
    };
    // At a half, 76.5 and 2.5 round to the even 76 and 2.
    for (const Case& c : std::vector<Case>{{0, RGB(0, 51, 0)},
                                           {-0.2, RGB(0, 51, 0)},
                                           {0.5, RGB(100, 76, 2)},
                                           {1, RGB(200, 102, 5)},
                                           {1.5, RGB(200, 102, 5)}}) {
        SCOPED_TRACE(c.kf);
        TqlEffectBmp own = Uniform(3, 2, RGB(0, 51, 0));
        own.Morph(source, c.kf);
        EXPECT_EQ(PixelsOf(own), std::vector<TColor>(6, c.expected));
    }
}

TEST(Blend, ASourceOfAnotherSizeChangesNothing) {
    for (auto [w, h] : {std::pair{3, 3}, {2, 2}, {3, 2}, {0, 0}}) {
        TqlEffectBmp own = Patterned(2, 3);
        const auto before = PixelsOf(own);
        const TqlEffectBmp other = Uniform(w, h, clWhite);
        for (const TNamedOperation& op : AllOperations(0.5)) {
            if (std::string(op.name).rfind("Morph", 0) != 0) continue;
            SCOPED_TRACE(op.name);
            op.apply(own, other);
            EXPECT_EQ(PixelsOf(own), before);
        }
    }
}

TEST(ColourEffects, ValuesAndRoundingOfHalves) {
    struct Case {
        const char* name;
        std::function<void(TqlEffectBmp&)> apply;
        TColor from, to;
    };
    const std::vector<Case> cases = {
        // 127.5 rounds to the even 128, 128.5 to 128 and 129.5 to 130.
        {"brightness of black", [](TqlEffectBmp& b) { b.ChangeBrightness(0.5); }, RGB(0, 2, 4), RGB(128, 128, 130)},
        {"brightness keeps white", [](TqlEffectBmp& b) { b.ChangeBrightness(0.5); }, clWhite, clWhite},
        {"brightness above 1 is white", [](TqlEffectBmp& b) { b.ChangeBrightness(3); }, RGB(1, 2, 3), clWhite},
        {"darkness", [](TqlEffectBmp& b) { b.ChangeDarkness(0.3); }, RGB(100, 10, 20), RGB(70, 7, 14)},
        {"darkness below 0 changes nothing", [](TqlEffectBmp& b) { b.ChangeDarkness(-1); }, RGB(100, 10, 255),
         RGB(100, 10, 255)},
        {"grey of green", [](TqlEffectBmp& b) { b.GrayScale(); }, RGB(0, 255, 0), RGB(150, 150, 150)},
        {"grey of white", [](TqlEffectBmp& b) { b.GrayScale(); }, clWhite, clWhite},
        {"grey of red and blue", [](TqlEffectBmp& b) { b.GrayScale(); }, RGB(100, 0, 200), RGB(52, 52, 52)},
        {"invert", [](TqlEffectBmp& b) { b.Invert(); }, RGB(0, 100, 255), RGB(255, 155, 0)},
        {"noise of amount 0 changes nothing", [](TqlEffectBmp& b) { b.AddNoise(0); }, RGB(9, 8, 7), RGB(9, 8, 7)},
        {"blur of a uniform picture keeps it", [](TqlEffectBmp& b) { b.SplitBlur(1); }, RGB(9, 8, 7), RGB(9, 8, 7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TqlEffectBmp b = Uniform(3, 2, c.from);
        c.apply(b);
        EXPECT_EQ(PixelsOf(b), std::vector<TColor>(6, c.to));
    }
}

TEST(ColourEffects, NoiseMovesAllThreeChannelsOfAPixelTogetherWithinTheAmount) {
    TqlEffectBmp b = Uniform(40, 10, RGB(100, 110, 120));
    b.AddNoise(50);
    bool changed = false;
    for (TColor c : PixelsOf(b)) {
        const int r = GetRValue(c) - 100;
        EXPECT_EQ(GetGValue(c) - 110, r);
        EXPECT_EQ(GetBValue(c) - 120, r);
        EXPECT_GE(r, -25);
        EXPECT_LE(r, 24);
        changed = changed || r != 0;
    }
    EXPECT_TRUE(changed);
}

TEST(ColourEffects, SplitBlurAveragesTheFourDiagonalNeighbours) {
    TqlEffectBmp b = Uniform(5, 5, clBlack);
    b.SetPixel(4, 4, RGB(200, 0, 0));
    b.SplitBlur(1);
    // (3, 3) is the first pixel to see (4, 4): one of its four neighbours.
    EXPECT_EQ(b.GetPixel(3, 3), RGB(50, 0, 0));
    EXPECT_EQ(b.GetPixel(2, 2), clBlack);
    EXPECT_EQ(b.GetPixel(4, 3), RGB(50, 0, 0));
    // Later pixels read the new values: (3, 4) sees (2, 4) = 12, (4, 3) and (4, 4).
    EXPECT_EQ(b.GetPixel(3, 4), RGB((12 + 50 + 200) / 4, 0, 0));
    // The corner's right and lower neighbours lie outside: its own row and
    // column stand in, so it reads (3, 3), (3, 4), (4, 3) and itself.
    EXPECT_EQ(b.GetPixel(4, 4), RGB((50 + 65 + 50 + 200) / 4, 0, 0));
}

TEST(Geometry, TurnsAndFlipsMovePixelsAndUndoEachOther) {
    const TqlEffectBmp original = Patterned(4, 3);
    TqlEffectBmp left(1, 1), back(1, 1), flipped(1, 1), again(1, 1);
    original.RotateLeft(left);
    ASSERT_EQ(left.Width(), 3);
    ASSERT_EQ(left.Height(), 4);
    EXPECT_EQ(left.GetPixel(0, 3), original.GetPixel(0, 0)) << "the top-left corner turns to the bottom-left";
    EXPECT_EQ(left.GetPixel(2, 0), original.GetPixel(3, 2));
    left.RotateRight(back);
    EXPECT_EQ(PixelsOf(back), PixelsOf(original));

    original.FlipVertical(flipped);
    EXPECT_EQ(flipped.GetPixel(1, 0), original.GetPixel(1, 2));
    flipped.FlipVertical(again);
    EXPECT_EQ(PixelsOf(again), PixelsOf(original));

    TqlEffectBmp inverted = Patterned(4, 3);
    inverted.Invert();
    EXPECT_NE(PixelsOf(inverted), PixelsOf(original));
    inverted.Invert();
    EXPECT_EQ(PixelsOf(inverted), PixelsOf(original));
}

TEST(Geometry, AnOperationIntoItselfTurnsTheWholePicture) {
    TqlEffectBmp b = Patterned(4, 3);
    const TqlEffectBmp original = Patterned(4, 3);
    b.RotateRight(b);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.GetPixel(2, 0), original.GetPixel(0, 0));
    b.RotateLeft(b);
    b.FlipVertical(b);
    b.FlipVertical(b);
    EXPECT_EQ(PixelsOf(b), PixelsOf(original));
}

TEST(Slides, MoveColumnsAtLeastOneAndPushShiftsThePicture) {
    const TqlEffectBmp source = Patterned(5, 1);
    TqlEffectBmp own = Uniform(5, 1, clBlack);
    own.MorphLeftSlide(source, 0);
    EXPECT_EQ(own.GetPixel(0, 0), source.GetPixel(4, 0)) << "Kf 0 still slides one column in";
    EXPECT_EQ(own.GetPixel(1, 0), clBlack);

    own = Uniform(5, 1, clBlack);
    own.MorphRightSlide(source, 0.4);  // two columns: the source's left part at the right
    EXPECT_EQ(own.GetPixel(3, 0), source.GetPixel(0, 0));
    EXPECT_EQ(own.GetPixel(4, 0), source.GetPixel(1, 0));
    EXPECT_EQ(own.GetPixel(2, 0), clBlack);

    TqlEffectBmp pushed = Patterned(5, 1);
    const TqlEffectBmp before = Patterned(5, 1);
    pushed.MorphPush(Uniform(5, 1, clWhite), 0.2);  // N = 1: the picture moves right by 2
    EXPECT_EQ(pushed.GetPixel(0, 0), clWhite);
    EXPECT_EQ(pushed.GetPixel(1, 0), clWhite);
    EXPECT_EQ(pushed.GetPixel(2, 0), before.GetPixel(0, 0));
    EXPECT_EQ(pushed.GetPixel(4, 0), before.GetPixel(2, 0));
}

TEST(Gradients, TheSourceOpensFromTheMiddleWithSoftEdges) {
    const TqlEffectBmp source = Uniform(10, 1, clWhite);
    TqlEffectBmp own = Uniform(10, 1, clBlack);
    own.MorphCenterGradientH(source, 0.4);  // band 4: columns 3 to 7 are the source
    for (int x = 3; x <= 7; ++x) EXPECT_EQ(own.GetPixel(x, 0), clWhite) << x;
    EXPECT_GT(GetRValue(own.GetPixel(1, 0)), GetRValue(own.GetPixel(0, 0)));
    EXPECT_LT(GetRValue(own.GetPixel(2, 0)), 255);

    TqlEffectBmp left = Uniform(10, 1, clBlack);
    left.MorphLeftGradient(source, 0.5);
    EXPECT_EQ(left.GetPixel(0, 0), clWhite) << "column 0 is the source";
    EXPECT_EQ(left.GetPixel(5, 0), clBlack) << "from N on the picture stays";
    EXPECT_EQ(left.GetPixel(9, 0), clBlack);
}

TEST(Gradients, ATallPictureOpensDownwardsAndTheRightGradientFromTheRight) {
    TqlEffectBmp tall = Uniform(1, 10, clBlack);
    tall.MorphGradient(Uniform(1, 10, clWhite), 0.4);  // band 4: rows 3 to 7
    for (int y = 3; y <= 7; ++y) EXPECT_EQ(tall.GetPixel(0, y), clWhite) << y;
    EXPECT_EQ(tall.GetPixel(0, 0), clBlack);
    EXPECT_EQ(tall.GetPixel(0, 9), clBlack);
    EXPECT_EQ(tall.GetPixel(0, 2), RGB(128, 128, 128)) << "half way: 127.5 to the even 128";

    TqlEffectBmp right = Uniform(10, 1, clBlack);
    right.MorphRightGradient(Uniform(10, 1, clWhite), 0.3);  // columns 7 to 9, the last the source
    EXPECT_EQ(right.GetPixel(9, 0), clWhite);
    EXPECT_GT(GetRValue(right.GetPixel(8, 0)), GetRValue(right.GetPixel(7, 0)));
    EXPECT_GT(GetRValue(right.GetPixel(7, 0)), 0);
    EXPECT_EQ(right.GetPixel(6, 0), clBlack);
}

TEST(EffectPicture, TinyPicturesAreSafeInEveryOperation) {
    // Grey in, grey out: an operation that read or wrote across channels or
    // past a row would break the grey.
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 2}, {1, 2}, {2, 1}, {0, 3}, {3, 0}, {3, 1}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        for (double kf : {-1.0, 0.0, 0.5, 1.0, 2.0}) {
            SCOPED_TRACE(kf);
            for (const TNamedOperation& op : AllOperations(kf)) {
                SCOPED_TRACE(op.name);
                TqlEffectBmp own = Uniform(w, h, RGB(40, 40, 40));
                const TqlEffectBmp source = Uniform(w, h, RGB(220, 220, 220));
                op.apply(own, source);
                EXPECT_EQ(own.Width() * own.Height(), w * h);
                for (TColor c : PixelsOf(own)) {
                    ASSERT_EQ(GetRValue(c), GetGValue(c));
                    ASSERT_EQ(GetGValue(c), GetBValue(c));
                }
            }
        }
    }
}
