// The skinned track bar: rounding of the thumb's place, dragging, jumps,
// keys and the wheel.

#include <gtest/gtest.h>

#include <QApplication>
#include <functional>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/controls/NonClient.h"
#include "skin/default/DefaultSkin.h"
#include "skin/default/SkinPalette.h"
#include "tests/skin/SyntheticSkin.h"
#include "tests/support/WheelCatcher.h"

using namespace synthetic;

namespace {

TEST(TrackMath, ThumbPlacesRoundHalfToEvenAndEmptyRangesStayAtTheStart) {
    using namespace track_math;
    struct Case {
        int value, min, max, length, offset;
    } cases[] = {
        {50, 0, 100, 5, 2},  // 2.5 rounds to 2
        {50, 0, 100, 7, 4},  // 3.5 rounds to 4
        {1, 0, 3, 90, 30},   {100, 0, 100, 90, 90}, {7, 7, 7, 90, 0}, {5, 9, 3, 90, 0}, {150, 0, 100, 90, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " in " << c.min << ".." << c.max << " over " << c.length);
        EXPECT_EQ(OffsetOf(Fraction(c.value, c.min, c.max), c.length), c.offset);
    }
    EXPECT_EQ(ValueAt(45, 90, 0, 100), 50);
    EXPECT_EQ(ValueAt(200, 90, 0, 100), 100);
    EXPECT_EQ(ValueAt(-3, 90, 0, 100), 0);
    EXPECT_EQ(ValueAt(10, 0, 0, 100), 0);
    EXPECT_EQ(ValueAt(40, 90, 7, 7), 7);
}

class SkinTrackBar : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        form->Show();
        bar = new TqlSkinTrackBar(form);
        bar->SetParent(form);
        bar->SetBounds(10, 10, 104, 20);  // unskinned: track 2..102, thumb 8 wide, centre 6..98
        bar->OnChange = [this](TObject*) { ++changes; };
        bar->OnLastChange = [this](TObject*) { ++lastChanges; };
    }
    void TearDown() override { delete form; }
    void Down(int x, int y) { bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    void Move(int x, int y) { bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
    void Up(int x, int y) { bar->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

    TForm* form = nullptr;
    TqlSkinTrackBar* bar = nullptr;
    int changes = 0, lastChanges = 0;
};

TEST_F(SkinTrackBar, ADragPastTheEndStopsAtTheMaximumAndReportsOnlyNewValues) {
    const TRect t = bar->ThumbRect();
    EXPECT_EQ((t.Left + t.Right) / 2, 52);
    Down(52, 10);
    EXPECT_TRUE(bar->Dragging());
    Move(75, 10);
    EXPECT_EQ(bar->Value(), 75);
    Move(400, 10);
    Move(500, 10);
    EXPECT_EQ(bar->Value(), 100);
    EXPECT_EQ(changes, 2);
    Up(500, 10);
    EXPECT_EQ(lastChanges, 1);
    EXPECT_FALSE(bar->Dragging());
}

// A range that leaves the value outside moves it as the Value setter would:
// a listener sees the new value; a range that keeps it says nothing.
TEST_F(SkinTrackBar, ARangeThatMovesTheValueReportsTheChange) {
    bar->SetValue(50);
    changes = 0;
    std::vector<int> seen;
    bar->OnChange = [&](TObject*) { seen.push_back(bar->Value()); };
    struct Case {
        const char* name;
        std::function<void()> set;
        std::vector<int> seen;
    } cases[] = {
        {"minimum above", [&] { bar->SetMinValue(60); }, {60}},
        {"minimum below", [&] { bar->SetMinValue(10); }, {}},
        {"maximum below", [&] { bar->SetMaxValue(40); }, {40}},
        {"maximum above", [&] { bar->SetMaxValue(90); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        seen.clear();
        c.set();
        EXPECT_EQ(seen, c.seen);
    }
    EXPECT_EQ(bar->Value(), 40);
    EXPECT_EQ(bar->MinValue(), 10);
    EXPECT_EQ(bar->MaxValue(), 90);
}

TEST_F(SkinTrackBar, AnEmptyRangeKeepsTheThumbAtTheStart) {
    bar->SetMinValue(5);
    bar->SetMaxValue(5);
    EXPECT_EQ(bar->Value(), 5);
    EXPECT_EQ(bar->ThumbRect().Left, 2);
    Down(4, 10);
    Move(90, 10);
    EXPECT_EQ(bar->Value(), 5);
}

TEST_F(SkinTrackBar, KeysAndTheWheelStepOnlyAFocusableBar) {
    Down(90, 10);
    Up(90, 10);
    bar->Perform(WM_KEYDOWN, VK_RIGHT, 0);
    bar->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(bar->Value(), 50);
    EXPECT_NE(form->ActiveControl(), bar);

    bar->SetCanFocused(true);
    bar->SetFocus();
    struct Case {
        UINT msg;
        WPARAM wParam;
        int value;
    } cases[] = {
        {WM_KEYDOWN, VK_RIGHT, 51},
        {WM_KEYDOWN, VK_DOWN, 50},
        {WM_KEYDOWN, VK_UP, 51},
        // A horizontal bar moves left when the wheel turns away from the user.
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 50},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 51},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.msg << " " << c.wParam);
        bar->Perform(c.msg, c.wParam, 0);
        EXPECT_EQ(bar->Value(), c.value);
    }
    EXPECT_EQ(lastChanges, 5);
    bar->SetVertical(true);
    bar->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(bar->Value(), 52);
    // A wheel message without a turn (a sideways swipe), whatever keys are held, moves nothing.
    for (WPARAM keys : {WPARAM(0), WPARAM(MK_SHIFT)})
        for (bool vertical : {true, false}) {
            bar->SetVertical(vertical);
            bar->Perform(WM_MOUSEWHEEL, MAKEWPARAM(keys, 0), 0);
            EXPECT_EQ(bar->Value(), 52) << keys << " " << vertical;
        }
    EXPECT_EQ(lastChanges, 6);
}

// The wheel moves only a bar that holds the focus; over any other bar it goes
// on to the parent, as over any other control.
TEST_F(SkinTrackBar, TheWheelPassesOnUnlessTheBarHoldsTheFocus) {
    auto* holder = new TWheelCatcher(form);
    holder->SetParent(form);
    holder->SetBounds(0, 100, 200, 50);
    bar->SetParent(holder);
    struct Case {
        const char* name;
        bool canFocus, focused;
        int moved, passed;
    } cases[] = {
        {"may not take the focus", false, false, 0, 1},
        {"may, but has not", true, false, 0, 1},
        {"holds the focus", true, true, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar->SetCanFocused(c.canFocus);
        if (c.focused)
            bar->SetFocus();
        else
            form->SetFocus();
        const int before = bar->Value(), lastBefore = lastChanges;
        holder->Wheels = 0;
        bar->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
        EXPECT_EQ(bar->Value() - before, c.moved);
        EXPECT_EQ(lastChanges - lastBefore, c.moved);
        EXPECT_EQ(holder->Wheels, c.passed);
    }
}

// Sent a command on gaining the focus, as native controls may be.
template <class Bar>
class Commanded : public Bar {
public:
    using Bar::Bar;
    int Commands = 0;
    void Command() {
        TMessage m{CN_COMMAND, 0, 0, 0};
        this->WndProc(m);
    }

protected:
    void WMSetFocus(TMessage& M) override {
        Bar::WMSetFocus(M);
        Command();
    }
    void Dispatch(TMessage& M) override {
        if (M.Msg == CN_COMMAND) ++Commands;
        Bar::Dispatch(M);
    }
};

template <class Bar>
class ClickFocus : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        form->Show();
        QApplication::setActiveWindow(form->Widget());
    }
    void TearDown() override { delete form; }
    TForm* form = nullptr;
};

using FocusingBars = testing::Types<TqlSkinTrackBar, TqlSkinScrollBar>;
TYPED_TEST_SUITE(ClickFocus, FocusingBars);

// Only the command that comes while a click makes the bar take the focus is
// dropped; one with the focus already there, or given by the program, is not.
TYPED_TEST(ClickFocus, ACommandWhileAClickTakesTheFocusIsDropped) {
    using B = Commanded<TypeParam>;
    struct Case {
        const char* name;
        std::function<void(B*)> act;
        int commands;
    };
    auto press = [](B* b, UINT msg) { b->Perform(msg, MK_LBUTTON, MAKELPARAM(2, 2)); };
    const Case cases[] = {
        {"click on an unfocused bar", [&](B* b) { press(b, WM_LBUTTONDOWN); }, 0},
        {"double click", [&](B* b) { press(b, WM_LBUTTONDBLCLK); }, 0},
        {"focus given by the program", [](B* b) { b->SetFocus(); }, 1},
        {"click on the focused bar", [&](B* b) { b->SetFocus(), press(b, WM_LBUTTONDOWN), b->Command(); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* b = new B(this->form);
        b->SetParent(this->form);
        b->SetBounds(10, 10, 120, 20);
        b->SetCanFocused(true);
        this->form->SetFocus();
        c.act(b);
        b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(b->Focused());
        EXPECT_EQ(b->Commands, c.commands);
        delete b;
    }
}

// An erase request outside a paint is answered with the whole control,
// painted into the canvas it brings, as a paint would show it.
template <class Control>
class ErasePaints : public testing::Test {};
using ErasingControls = testing::Types<TqlSkinGauge, TqlSkinTrackBar, TqlSkinScrollBar>;
TYPED_TEST_SUITE(ErasePaints, ErasingControls);

TYPED_TEST(ErasePaints, AnEraseRequestPaintsTheWholeControlIntoItsCanvas) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 100);
    auto* c = new TypeParam(&form);
    c->SetParent(&form);
    c->SetBounds(0, 0, 120, 20);
    const TBitmap painted = Snapshot(*c);
    constexpr TColor kUntouched = 0x123456;
    TBitmap erased(c->Width(), c->Height());
    FillRect(erased, Rect(0, 0, erased.Width(), erased.Height()), kUntouched);
    EXPECT_EQ(c->Perform(WM_ERASEBKGND, WPARAM(&erased.Canvas()), 0), LRESULT(1));
    int differing = 0;
    for (int y = 0; y < erased.Height(); ++y)
        for (int x = 0; x < erased.Width(); ++x) differing += erased.Pixel(x, y) != painted.Pixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_NE(erased.Pixel(0, 0), kUntouched);
}

TEST_F(SkinTrackBar, AVerticalJumpLandsUnderThePointerOnAnOffCentreTrack) {
    Skin s(form);
    TBitmap pic(40, 100);
    FillRect(pic, Rect(0, 0, 20, 100), kClient);
    FillRect(pic, Rect(20, 0, 30, 10), kTR);
    auto& d = s.Add<TqlDataSkinTrackBarControl>("trackbar");
    d.PictureIndex = s.AddPicture(pic);
    d.SkinRect = Rect(0, 0, 20, 100);
    d.TrackArea = Rect(0, 5, 20, 75);  // 5 from the top, 25 from the bottom
    d.ButtonRect = Rect(20, 0, 30, 10);
    d.Vertical = true;
    bar->SetSkinDataName("trackbar");
    bar->SetSkinData(s.Data);
    bar->JumpWhenClick = true;
    bar->GetSkinData();
    bar->SetBounds(10, 10, 20, 100);
    int W = 20, H = 100;
    bar->CalcSize(W, H);
    // The centre runs from 70 (minimum) up to 10 (maximum).
    struct Case {
        int y, value;
    } cases[] = {{70, 0}, {10, 100}, {40, 50}, {55, 25}, {95, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        Down(2, c.y);
        Up(2, c.y);
        EXPECT_EQ(bar->Value(), c.value);
        const TRect t = bar->ThumbRect();
        if (c.y >= 10 && c.y <= 70) {
            EXPECT_EQ((t.Top + t.Bottom) / 2, c.y);
        }
    }
    // Dragging upwards increases the value.
    bar->SetValue(0);
    Down(5, 70);
    Move(5, 40);
    EXPECT_EQ(bar->Value(), 50);
    Up(5, 40);
    const TBitmap shot = Snapshot(*bar);
    EXPECT_EQ(shot.Pixel(10, 40), kTR);
}

// The program's own skin has both track bars: the groove is the accent up to
// the thumb (below it when vertical) and grey beyond, the thumb a white disc.
TEST(SkinTrackBarDefaultSkin, BothBarsAreDrawnFromTheProgramsSkin) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    TqlCompressedStoredSkin stored(nullptr);
    stored.SetCompressedData(DefaultSkinZlib());
    auto* skin = new TqlSkinData(&form);
    skin->LoadFromStoredSkin(stored);
    for (bool vertical : {false, true}) {
        SCOPED_TRACE(vertical ? "trackbar" : "htrackbar");
        auto* bar = new TqlSkinTrackBar(&form);
        bar->SetParent(&form);
        bar->SetSkinDataName(vertical ? "trackbar" : "htrackbar");
        bar->SetBounds(10, 10, vertical ? 40 : 120, vertical ? 120 : 40);
        bar->SetSkinData(skin);
        bar->SetValue(50);
        // The skin fixes the thickness; the length stays.
        EXPECT_EQ(vertical ? bar->Width() : bar->Height(), 20);
        EXPECT_EQ(vertical ? bar->Height() : bar->Width(), 120);
        const TBitmap shot = Snapshot(*bar);
        auto along = [&](int at) { return vertical ? shot.Pixel(10, at) : shot.Pixel(at, 10); };
        // The value grows to the right, or upwards.
        EXPECT_EQ(along(vertical ? 110 : 10), defaultskin::kAccent);
        EXPECT_EQ(along(vertical ? 10 : 110), defaultskin::kThumb);
        EXPECT_EQ(along(60), defaultskin::kWhite);
        // Beside the groove the page shows.
        EXPECT_EQ(vertical ? shot.Pixel(2, 30) : shot.Pixel(30, 2), defaultskin::kWindow);
    }
}

}  // namespace
