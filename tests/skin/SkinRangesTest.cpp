// Ranges wider than an int holds: the gauge, the track bar and the slider
// place the middle value in the middle and the ends at the ends.

#include <gtest/gtest.h>

#include <climits>

#include "platform/gui/Forms.h"
#include "skin/controls/SkinRange.h"
#include "tests/skin/SyntheticSkin.h"

using namespace synthetic;

namespace {

constexpr int kLow = -2000000000, kHigh = 2000000000;

TEST(WideRanges, FractionsAndValuesOfARangeBeyondAnIntStayExact) {
    struct Case {
        int value, min, max;
        double fraction;
    } cases[] = {
        {0, kLow, kHigh, 0.5},          {kHigh, kLow, kHigh, 1.0},     {kLow, kLow, kHigh, 0.0},
        {INT_MAX, INT_MIN, INT_MAX, 1.0}, {INT_MIN, INT_MIN, INT_MAX, 0.0}, {1000000000, kLow, kHigh, 0.75},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " in " << c.min << ".." << c.max);
        EXPECT_DOUBLE_EQ(RangeFraction(c.value, c.min, c.max), c.fraction);
        EXPECT_EQ(RangeValueAt(c.fraction, c.min, c.max), c.value);
    }
    // Each control's own way back from a place to a value.
    EXPECT_EQ(track_math::ValueAt(45, 90, kLow, kHigh), 0);
    EXPECT_EQ(track_math::ValueAt(90, 90, INT_MIN, INT_MAX), INT_MAX);
    EXPECT_EQ(slider_math::ValueAt(45, kLow, kHigh, 90, 1, true), 0);
    EXPECT_EQ(slider_math::ValueAt(90, INT_MIN, INT_MAX, 90, 1, true), INT_MAX);
    EXPECT_EQ(slider_math::PositionOf(0, kLow, kHigh, 90), 45);
    // A step past either end of the whole int range stops at the end.
    using slider_math::Stepped;
    EXPECT_EQ(Stepped(INT_MAX - 1, INT_MIN, INT_MAX, 10, slider_math::Up), INT_MAX);
    EXPECT_EQ(Stepped(INT_MIN + 1, INT_MIN, INT_MAX, 10, slider_math::Down), INT_MIN);
}

class WideRangeControls : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override { delete form; }
    template <class C>
    C* Put(int w, int h) {
        auto* c = new C(form);
        c->SetParent(form);
        c->SetBounds(0, 0, w, h);
        c->SetMinValue(kLow);
        c->SetMaxValue(kHigh);
        return c;
    }
    // The middle of the thumb rectangles of a control at Min and at Max.
    template <class C>
    static int MiddleOfTheEnds(C* c, bool vertical) {
        auto centre = [&](int v) {
            c->SetValue(v);
            const TRect t = c->ThumbRect();
            return vertical ? (t.Top + t.Bottom) / 2 : (t.Left + t.Right) / 2;
        };
        return (centre(kLow) + centre(kHigh)) / 2;
    }
    TForm* form = nullptr;
};

TEST_F(WideRangeControls, TheGaugeFillsHalfItsAreaAtTheMiddleValue) {
    auto* gauge = Put<TqlSkinGauge>(102, 20);
    gauge->SetShowPercent(true);
    gauge->SetValue(0);
    const TRect area = Rect(1, 1, 101, 19);
    const TRect bar = gauge->BarRect(area);
    EXPECT_EQ(bar.Right - area.Left, (area.Right - area.Left) / 2);
    EXPECT_EQ(gauge->CaptionText(), "50%");
    // The painted bar ends where the rectangle says, and only there.
    const TBitmap shot = Snapshot(*gauge);
    EXPECT_EQ(shot.Pixel(bar.Right - 1, 2), TColor(0xD2BDB6));
    EXPECT_EQ(shot.Pixel(bar.Right + 1, 2), ColorToRGB(clWindow));
}

TEST_F(WideRangeControls, TheTrackBarAndTheSliderSetTheMiddleValueMidwayBetweenTheirEnds) {
    for (bool vertical : {false, true}) {
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        auto* bar = Put<TqlSkinTrackBar>(vertical ? 20 : 104, vertical ? 104 : 20);
        bar->SetVertical(vertical);
        const int middle = MiddleOfTheEnds(bar, vertical);
        bar->SetValue(0);
        const TRect t = bar->ThumbRect();
        EXPECT_EQ(vertical ? (t.Top + t.Bottom) / 2 : (t.Left + t.Right) / 2, middle);

        auto* slider = Put<TqlSkinSlider>(212, 40);
        slider->SetIncrement(1);
        slider->SetOrientation(vertical ? TqlSliderOrientation::soVertical : TqlSliderOrientation::soHorizontal);
        const int sliderMiddle = MiddleOfTheEnds(slider, vertical);
        slider->SetValue(0);
        const TRect s = slider->ThumbRect();
        EXPECT_NEAR(vertical ? (s.Top + s.Bottom) / 2 : (s.Left + s.Right) / 2, sliderMiddle, 1);
        // Painted with its points, one a value, it draws the thumb inside itself.
        slider->SetOptions(slider->Options() | soShowPoints);
        Snapshot(*slider);
        EXPECT_GE(vertical ? s.Top : s.Left, 0);
        delete bar;
        delete slider;
    }
}

// A key step at either end of the whole int range stays at that end; it must
// not wrap round to the other.
TEST_F(WideRangeControls, StepsAtTheEndsOfTheIntRangeStayThere) {
    auto* bar = Put<TqlSkinTrackBar>(104, 20);
    bar->SetCanFocused(true);
    auto* scroll = new TqlSkinScrollBar(form);
    scroll->SetParent(form);
    scroll->SetCanFocused(true);
    scroll->SetSmallChange(10);
    struct Case {
        int min, max, start;
        uint16_t key;
    } cases[] = {
        {INT_MIN, INT_MAX, INT_MAX, VK_RIGHT},
        {INT_MIN, INT_MAX, INT_MAX - 5, VK_RIGHT},
        {INT_MIN, INT_MAX, INT_MIN, VK_LEFT},
        {INT_MIN, INT_MAX, INT_MIN + 5, VK_LEFT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " key " << c.key);
        const int end = c.key == VK_RIGHT ? c.max : c.min;
        bar->SetMinValue(c.min);
        bar->SetMaxValue(c.max);
        bar->SetValue(c.start);
        for (int i = 0; i < 10; ++i) bar->Perform(WM_KEYDOWN, c.key, 0);
        EXPECT_EQ(bar->Value(), end);
        scroll->SetRange(c.min, c.max, c.start, 0);
        scroll->Perform(WM_KEYDOWN, c.key, 0);
        EXPECT_EQ(scroll->Position(), end);
    }
}

}  // namespace
