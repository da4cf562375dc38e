// Rectangle helpers and single-line captions: measuring, fitting with an
// ellipsis, and drawing.

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "tests/skin/core/SkinPictures.h"
#include "skin/core/qlUtils.h"

TEST(RectHelpers, EmptinessAndContainment) {
    struct Case {
        const char* name;
        bool actual, expected;
    };
    const std::vector<Case> cases = {
        {"a 1 x 1 rectangle is not empty", RectIsEmpty(Rect(0, 0, 1, 1)), false},
        {"zero width is empty", RectIsEmpty(Rect(5, 5, 5, 9)), true},
        {"negative height is empty", RectIsEmpty(Rect(0, 0, 3, -1)), true},
        {"the bottom-right corner counts as inside", PointInRectIncl(Rect(0, 0, 10, 10), {10, 10}), true},
        {"beyond the corner is outside", PointInRectIncl(Rect(0, 0, 10, 10), {11, 10}), false},
        {"left of the rectangle is outside", PointInRectIncl(Rect(0, 0, 10, 10), {-1, 3}), false},
        {"a rectangle is not inside itself", RectInRect(Rect(0, 0, 10, 10), Rect(0, 0, 10, 10)), false},
        {"a smaller one is", RectInRect(Rect(1, 1, 9, 9), Rect(0, 0, 10, 10)), true},
        {"one touching the left edge is", RectInRect(Rect(0, 0, 9, 9), Rect(0, 0, 10, 10)), true},
        {"x 0 is unset", PointIsUnset({0, 5}), true},
        {"y 0 is unset", PointIsUnset({5, 0}), true},
        {"both set", PointIsUnset({5, 5}), false},
        {"equal rectangles", SameRect(Rect(1, 2, 3, 4), Rect(1, 2, 3, 4)), true},
        {"one field differs", SameRect(Rect(1, 2, 3, 4), Rect(1, 2, 3, 5)), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.actual, c.expected);
    }
    EXPECT_EQ(WidthOfRect(Rect(5, 0, 2, 0)), -3) << "negative widths pass through";
    EXPECT_EQ(HeightOfRect(Rect(0, 7, 0, 2)), -5);
    EXPECT_EQ(IntMax(-2, -7), -2);
    EXPECT_EQ(IntMin(-2, -7), -7);
    TRect r = Rect(1, 2, 3, 4);
    ZeroRect(r);
    EXPECT_EQ(r, TRect{});
}

namespace {

// The prefix before a trailing "..." (the whole text when there is none).
std::string Kept(const std::string& fitted, const std::string& original) {
    if (fitted == original) return fitted;
    EXPECT_GE(fitted.size(), 3u);
    EXPECT_EQ(fitted.substr(fitted.size() - 3), "...");
    return fitted.substr(0, fitted.size() - 3);
}

}  // namespace

TEST(Ellipsis, KeepsTextThatFitsAndGivesDotsAtWidthZero) {
    TBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    std::string s = "Collocate";
    FitTextEllipsis(c, s, c.TextWidth(s));
    EXPECT_EQ(s, "Collocate");
    s = "Collocate";
    FitTextEllipsis(c, s, 0);
    EXPECT_EQ(s, "...");
    std::u16string w = u"Collocate";
    FitTextEllipsisW(c, w, MeasureTextWidthW(c, w));
    EXPECT_EQ(w, u"Collocate");
    FitTextEllipsisW(c, w, 0);
    EXPECT_EQ(w, u"...");
    std::string empty;
    FitTextEllipsis(c, empty, 0);
    EXPECT_EQ(empty, "");
}

TEST(Ellipsis, NeverSplitsACharacterAndFitsWheneverAPrefixCan) {
    struct Case {
        const char* name;
        std::string text;
        std::set<size_t> boundaries;  // where a character may end
    };
    const std::vector<Case> cases = {
        {"code page 936", "\xD6\xD0\xCE\xC4\xB2\xE2\xCA\xD4", {0, 2, 4, 6, 8}},
        {"code page 936 among ASCII", "ab\xD6\xD0" "c\xCE\xC4", {0, 1, 2, 4, 5, 7}},
        {"UTF-8", "\xE4\xB8\xAD\xE6\x96\x87" "ab", {0, 3, 6, 7, 8}},
    };
    TBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.name);
        const int full = c.TextWidth(cs.text);
        for (int width = 0; width <= full + 1; ++width) {
            SCOPED_TRACE(width);
            std::string s = cs.text;
            FitTextEllipsis(c, s, width);
            const std::string kept = Kept(s, cs.text);
            EXPECT_EQ(cs.text.compare(0, kept.size(), kept), 0);
            EXPECT_TRUE(cs.boundaries.count(kept.size())) << "split at byte " << kept.size();
            if (s != "...") {
                EXPECT_LE(c.TextWidth(s), width);
            }
        }
    }
}

TEST(Ellipsis, WideTextKeepsSurrogatePairsTogether) {
    TBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    const std::u16string text = u"a\U0001F600\U0001F600b";
    const int full = MeasureTextWidthW(c, text);
    for (int width = 0; width <= full; ++width) {
        SCOPED_TRACE(width);
        std::u16string s = text;
        FitTextEllipsisW(c, s, width);
        if (s == text) continue;
        const std::u16string kept = s.substr(0, s.size() - 3);
        EXPECT_EQ(s.substr(s.size() - 3), u"...");
        EXPECT_TRUE(kept.empty() || !(kept.back() >= 0xD800 && kept.back() < 0xDC00)) << "lone high surrogate";
    }
}

TEST(PlatformText, TheWideAndThe8BitCallsDrawAlike) {
    const std::u16string caption = u"Span \u00e9t\u00e9";
    TBitmap drawn[2];
    int heights[2];
    const bool saved = IsNTPlatform;
    for (int i = 0; i < 2; ++i) {
        IsNTPlatform = i == 0;
        drawn[i] = WhitePicture(80, 20);
        drawn[i].Canvas().Font().SetColor(clBlack);
        drawn[i].Canvas().Brush().Style = TBrushStyle::bsClear;
        TRect r = Rect(2, 2, 78, 18);
        heights[i] = DrawTextPlatform(drawn[i].Canvas(), caption, r, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    }
    IsNTPlatform = saved;
    EXPECT_EQ(heights[0], heights[1]);
    EXPECT_EQ(Silhouette(drawn[0]), Silhouette(drawn[1]));
    EXPECT_NE(Silhouette(drawn[0]), Silhouette(WhitePicture(80, 20))) << "something was drawn";
}

TEST(PlatformText, MeasuringDrawsNothingAndSizesTheRectangle) {
    TBitmap b = WhitePicture(60, 20);
    TCanvas& c = b.Canvas();
    c.Font().SetColor(clBlack);
    TRect r = Rect(3, 4, 3, 4);
    DrawTextPlatform(c, u"Node", r, DT_CALCRECT);
    EXPECT_EQ(Silhouette(b), Silhouette(WhitePicture(60, 20)));
    EXPECT_EQ(r.Left, 3);
    EXPECT_EQ(WidthOfRect(r), c.TextWidth("Node"));
    EXPECT_EQ(HeightOfRect(r), c.TextHeight("Node"));
    EXPECT_EQ(MeasureTextWidthW(c, u"Node"), c.TextWidth("Node"));
    EXPECT_EQ(MeasureTextHeightW(c, u"Node"), c.TextHeight("Node"));
    EXPECT_EQ(MeasureTextWidthW(c, u""), 0);
}

TEST(CentredCaptions, DrawnInsideTheRectangleCentredDownAndNothingForEmptyText) {
    const TRect R = Rect(10, 4, 70, 30);
    struct Case {
        const char* name;
        std::function<void(TCanvas&, const std::string&)> draw;
        int firstColumn;  // the leftmost the ink may start
    };
    const std::vector<Case> cases = {
        {"DrawTextVCentered", [&](TCanvas& c, const std::string& s) { DrawTextVCentered(c, s, R); }, R.Left},
        {"TextRectVCentered", [&](TCanvas& c, const std::string& s) { TextRectVCentered(c, s, R); }, R.Left + 2},
        {"TextRectVCenteredOffset",
         [&](TCanvas& c, const std::string& s) { TextRectVCenteredOffset(c, s, R, 5); }, R.Left + 7},
    };
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.name);
        for (const std::string text : {"", "Hits"}) {
            TBitmap b = WhitePicture(80, 40);
            b.Canvas().Font().SetColor(clBlack);
            b.Canvas().Brush().Style = TBrushStyle::bsClear;
            cs.draw(b.Canvas(), text);
            const TRect ink = InkBounds(b);
            if (text.empty()) {
                EXPECT_EQ(ink.Right, -1) << "nothing drawn";
                continue;
            }
            EXPECT_GE(ink.Left, cs.firstColumn);
            EXPECT_LE(ink.Left, cs.firstColumn + 2);
            EXPECT_LE(ink.Right, R.Right);
            // Centred down: the ink's middle near the rectangle's.
            EXPECT_NEAR((ink.Top + ink.Bottom) / 2, (R.Top + R.Bottom) / 2, 3);
        }
    }
}
