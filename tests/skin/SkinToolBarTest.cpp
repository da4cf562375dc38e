// The skinned tool bar: its scroll buttons appear only when the children do
// not fit, answer their own hit-test codes, and scroll on the manual clock.

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "platform/gui/Timers.h"
#include "platform/gui/controls/NonClient.h"
#include "tests/skin/SyntheticSkin.h"

using namespace synthetic;

namespace {

class SkinToolBar : public testing::Test {
protected:
    void SetUp() override {
        TTimerService::Instance().UseManualClock(true);
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 600, 200);
        bar = new TqlSkinToolBar(form);
        bar->SetParent(form);
        bar->SetBounds(0, 0, 200, 30);
        // Five 60-pixel plain children side by side: 300 pixels.
        for (int i = 0; i < 5; ++i) {
            auto* c = new TCustomControl(form);
            c->SetParent(bar);
            c->SetBounds(i * 60, 0, 60, 20);
            children.push_back(c);
        }
    }
    void TearDown() override {
        delete form;
        TTimerService::Instance().UseManualClock(false);
    }
    LRESULT Hit(int x) {
        const TPoint s = bar->ClientToScreen({x, 5});
        return bar->Perform(WM_NCHITTEST, 0, MAKELPARAM(s.X, s.Y));
    }
    int RightEdge() const { return children.back()->Left() + children.back()->Width(); }

    TForm* form = nullptr;
    TqlSkinToolBar* bar = nullptr;
    std::vector<TControl*> children;
};

TEST_F(SkinToolBar, ChildrenThatFitShowNoButtonsAndNoCodesOfTheirOwn) {
    bar->SetWidth(400);
    bar->SetCanScroll(true);
    EXPECT_FALSE(bar->ButtonsShown());
    EXPECT_EQ(bar->NonClientBand(), TRect{});
    EXPECT_EQ(Hit(2), LRESULT(HTCLIENT));
    EXPECT_EQ(Hit(395), LRESULT(HTCLIENT));
    // Plain children are centred across the bar.
    EXPECT_EQ(children[0]->Top(), 5);
}

// Children with no alignment sit in the middle of the bar whatever Top they are
// given, and follow its height; without AdjustControls, Top holds.
TEST_F(SkinToolBar, ChildrenAreCentredAcrossTheBarAtAnyHeight) {
    const auto put = [&](TControl* c, const TRect& r) {
        c->SetParent(bar);
        c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        return c;
    };
    TControl* box = put(new TqlSkinCheckRadioBox(form), Rect(0, 0, 60, 20));
    TControl* button = put(new TqlSkinSpeedButton(form), Rect(70, 3, 94, 27));
    TControl* bevel = put(new TqlSkinBevel(form), Rect(100, 0, 104, 16));
    TControl* aligned = put(new TCustomControl(form), Rect(0, 0, 10, 10));
    aligned->SetAlign(TAlign::alLeft);
    struct Case {
        const char* name;
        TControl* child;
        int top30, top40;
        bool recentres;  // a Top asked for later is centred again
    } cases[] = {{"plain", children[0], 5, 10, false},
                 {"skinned window", box, 5, 10, true},
                 {"speed button", button, 3, 8, true},
                 {"bevel", bevel, 7, 12, true},
                 {"aligned", aligned, 0, 0, false}};
    for (int height : {30, 40}) {
        bar->SetHeight(height);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << " in " << height);
            const int top = height == 30 ? c.top30 : c.top40;
            EXPECT_EQ(c.child->Top(), top);
            if (c.child == aligned) continue;
            c.child->SetTop(0);
            if (c.recentres) {
                EXPECT_EQ(c.child->Top(), top);
            }
        }
    }
    bar->AdjustControls = false;
    for (TControl* c : {box, button, bevel}) {
        c->SetTop(1);
        EXPECT_EQ(c->Top(), 1);
    }
}

// With the scroll buttons shown the children's area is their whole extent moved by
// the scroll position, one pixel in from top and bottom while unskinned.
TEST_F(SkinToolBar, TheChildrensAreaSpansTheScrolledExtent) {
    struct OpenBar : TqlSkinToolBar {
        using TqlSkinToolBar::TqlSkinToolBar;
        using TqlSkinToolBar::AdjustClientRect;
    };
    auto* open = new OpenBar(form);
    open->SetParent(form);
    open->SetBounds(0, 100, 200, 30);
    for (TControl* c : children) c->SetParent(open);
    bar = open;
    TRect r;
    bar->SetWidth(400);
    open->AdjustClientRect(r);
    EXPECT_EQ(r, Rect(0, 0, 400, 30));
    bar->SetWidth(200);
    bar->SetCanScroll(true);
    ASSERT_TRUE(bar->ButtonsShown());
    open->AdjustClientRect(r);
    EXPECT_EQ(r, Rect(0, 1, 300, 29));
    bar->ScrollStep(false);
    ASSERT_GT(bar->ScrollPosition(), 0);
    open->AdjustClientRect(r);
    EXPECT_EQ(r, Rect(-bar->ScrollPosition(), 1, 300 - bar->ScrollPosition(), 29));
}

TEST_F(SkinToolBar, ButtonsAppearWhenTheChildrenDoNotFitAndAnswerTheirCodes) {
    bar->SetCanScroll(true);
    ASSERT_TRUE(bar->ButtonsShown());
    EXPECT_EQ(bar->NonClientBand(), Rect(12, 0, 12, 0));
    EXPECT_EQ(bar->ClientWidth(), 176);
    EXPECT_EQ(Hit(-5), LRESULT(HTSCROLLLEFT));
    EXPECT_EQ(Hit(180), LRESULT(HTSCROLLRIGHT));
    EXPECT_EQ(Hit(50), LRESULT(HTCLIENT));
    // The band shows the left button, lit under the mouse, then pressed.
    EXPECT_EQ(Snapshot(*bar).Pixel(2, 2), ColorToRGB(clBtnFace));
    bar->Perform(WM_NCMOUSEMOVE, WPARAM(HTSCROLLLEFT), 0);
    EXPECT_EQ(Snapshot(*bar).Pixel(2, 2), TColor(0xD2BDB6));
    EXPECT_EQ(Snapshot(*bar).Pixel(0, 2), TColor(0x800000));
    bar->Perform(WM_NCLBUTTONDOWN, WPARAM(HTSCROLLLEFT), 0);
    EXPECT_EQ(Snapshot(*bar).Pixel(2, 2), TColor(0xB59385));
    bar->Perform(WM_NCLBUTTONUP, WPARAM(HTSCROLLLEFT), 0);
    // Widening the bar until all fit hides them again.
    bar->SetWidth(320);
    EXPECT_FALSE(bar->ButtonsShown());
}

TEST_F(SkinToolBar, HoldingTheRightButtonStopsAtTheLastChildsRightEdge) {
    bar->SetCanScroll(true);
    bar->SetScrollOffset(50);
    bar->Perform(WM_NCLBUTTONDOWN, WPARAM(HTSCROLLRIGHT), 0);
    TTimerService::Instance().Advance(50);
    EXPECT_EQ(bar->ScrollPosition(), 50);
    TTimerService::Instance().Advance(1000);
    // 300 pixels of children in 176 of client: at most 124.
    EXPECT_EQ(bar->ScrollPosition(), 124);
    EXPECT_EQ(RightEdge(), bar->ClientWidth());
    // Releasing at the end scrolls no further.
    bar->Perform(WM_NCLBUTTONUP, WPARAM(HTSCROLLRIGHT), 0);
    EXPECT_EQ(bar->ScrollPosition(), 124);
    // The left button steps back, not below 0.
    for (int i = 0; i < 4; ++i) {
        bar->Perform(WM_NCLBUTTONDOWN, WPARAM(HTSCROLLLEFT), 0);
        bar->Perform(WM_NCLBUTTONUP, WPARAM(HTSCROLLLEFT), 0);
    }
    EXPECT_EQ(bar->ScrollPosition(), 0);
    EXPECT_EQ(children[0]->Left(), 0);
}

TEST_F(SkinToolBar, AStepIsTheClientWidthUnlessAnOffsetIsSet) {
    bar->SetCanScroll(true);
    bar->Perform(WM_NCLBUTTONDOWN, WPARAM(HTSCROLLRIGHT), 0);
    bar->Perform(WM_NCLBUTTONUP, WPARAM(HTSCROLLRIGHT), 0);
    EXPECT_EQ(bar->ScrollPosition(), 124);
    // Growing the bar while scrolled gives the children their room back.
    bar->SetWidth(250);
    EXPECT_EQ(bar->ScrollPosition(), 300 - 226);
    bar->SetScrollTimerInterval(0);
    EXPECT_EQ(bar->ScrollTimerInterval(), 50);
    bar->SetScrollOffset(-4);
    EXPECT_EQ(bar->ScrollOffset(), 0);
}

// A bar grown while scrolled part-way gives the growth back to its children.
TEST_F(SkinToolBar, GrowingWhileScrolledScrollsTheChildrenBackByTheGrowth) {
    bar->SetCanScroll(true);
    bar->SetScrollOffset(50);
    auto click = [&](LRESULT code) {
        bar->Perform(WM_NCLBUTTONDOWN, WPARAM(code), 0);
        bar->Perform(WM_NCLBUTTONUP, WPARAM(code), 0);
    };
    // 300 pixels of children scrolled to 50 in a client of 176, then the bar resized.
    for (auto [width, position] : {std::pair{220, 30}, std::pair{280, 0}, std::pair{180, 50}}) {
        SCOPED_TRACE(width);
        bar->SetWidth(200);
        while (bar->ScrollPosition() > 0) click(HTSCROLLLEFT);
        click(HTSCROLLRIGHT);
        bar->SetWidth(width);
        EXPECT_EQ(bar->ScrollPosition(), position);
        EXPECT_EQ(children[0]->Left(), -position);
    }
}

TEST_F(SkinToolBar, HotScrollScrollsWhileTheMouseRestsOnAButton) {
    bar->SetCanScroll(true);
    bar->SetScrollOffset(10);
    bar->HotScroll = true;
    bar->Perform(WM_NCMOUSEMOVE, WPARAM(HTSCROLLRIGHT), 0);
    TTimerService::Instance().Advance(200);
    EXPECT_EQ(bar->ScrollPosition(), 40);
    // Moving into the client area stops it.
    bar->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(50, 5));
    TTimerService::Instance().Advance(200);
    EXPECT_EQ(bar->ScrollPosition(), 40);
}

TEST_F(SkinToolBar, TheScrollButtonsWearTheSkinsResizeButtonInEachState) {
    constexpr TColor kIdle = 0x405060, kHot = 0x708090, kDown = 0xA0B0C0;
    TBitmap faces(36, 12);
    FillRect(faces, Rect(0, 0, 12, 12), kIdle);
    FillRect(faces, Rect(12, 0, 24, 12), kHot);
    FillRect(faces, Rect(24, 0, 36, 12), kDown);
    Skin skin(form);
    auto& look = skin.Add<TqlDataSkinButtonControl>("resizebutton");
    look.PictureIndex = skin.AddPicture(faces);
    look.SkinRect = Rect(0, 0, 12, 12);
    look.ActiveSkinRect = Rect(12, 0, 24, 12);
    look.DownSkinRect = Rect(24, 0, 36, 12);
    look.ClientRect = Rect(3, 3, 9, 9);
    bar->SetSkinData(skin.Data);
    bar->SetCanScroll(true);
    ASSERT_TRUE(bar->ButtonsShown());
    auto left = [&] { return Snapshot(*bar).Pixel(1, 1); };
    auto right = [&] { return Snapshot(*bar).Pixel(bar->Width() - 2, 1); };
    EXPECT_EQ(left(), kIdle);
    EXPECT_EQ(right(), kIdle);
    bar->Perform(WM_NCMOUSEMOVE, WPARAM(HTSCROLLLEFT), 0);
    EXPECT_EQ(left(), kHot);
    EXPECT_EQ(right(), kIdle);
    bar->Perform(WM_NCLBUTTONDOWN, WPARAM(HTSCROLLLEFT), 0);
    EXPECT_EQ(left(), kDown);
    bar->Perform(WM_NCLBUTTONUP, WPARAM(HTSCROLLLEFT), 0);
    EXPECT_EQ(left(), kHot);
    // With hot scrolling a hot button already looks pressed.
    bar->HotScroll = true;
    bar->Perform(WM_NCMOUSEMOVE, WPARAM(HTSCROLLRIGHT), 0);
    EXPECT_EQ(right(), kDown);
    EXPECT_EQ(left(), kIdle);
    // Without a down face, pressed falls back to the active one.
    bar->HotScroll = false;
    look.DownSkinRect = TRect{};
    bar->Perform(WM_NCLBUTTONDOWN, WPARAM(HTSCROLLRIGHT), 0);
    EXPECT_EQ(right(), kHot);
    bar->Perform(WM_NCLBUTTONUP, WPARAM(HTSCROLLRIGHT), 0);
}

// With the scroll buttons shown a three-part skin's ends lie under them.
TEST_F(SkinToolBar, AThreePartSkinSpansTheBarUnderItsScrollButtons) {
    constexpr TColor kLeftEnd = 0x2040A0, kMiddle = 0xA0C0E0, kRightEnd = 0x60A020;
    TBitmap strip(40, 30);
    FillRect(strip, Rect(0, 0, 10, 30), kLeftEnd);
    FillRect(strip, Rect(10, 0, 30, 30), kMiddle);
    FillRect(strip, Rect(30, 0, 40, 30), kRightEnd);
    Skin skin(form);
    auto& look = skin.Add<TqlDataSkinPanelControl>("toolpanel");
    look.PictureIndex = skin.AddPicture(strip);
    look.SkinRect = Rect(0, 0, 40, 30);
    look.LTPoint = {10, 0};
    look.RTPoint = {30, 0};
    look.ClientRect = Rect(10, 0, 30, 30);
    bar->SetSkinData(skin.Data);
    struct Case {
        int width;
        bool buttons;
        TColor left, right;  // just inside the client's ends
    } cases[] = {{400, false, kLeftEnd, kRightEnd}, {200, true, kMiddle, kMiddle}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        bar->SetWidth(c.width);
        bar->SetCanScroll(true);
        ASSERT_EQ(bar->ButtonsShown(), c.buttons);
        const int band = c.buttons ? 12 : 0;
        const TBitmap shot = Snapshot(*bar);
        EXPECT_EQ(shot.Pixel(band + 1, 1), c.left);
        EXPECT_EQ(shot.Pixel(c.width - band - 2, 1), c.right);
    }
}

TEST_F(SkinToolBar, ImagesFlatAndCaptionsArePassedToTheChildSpeedButtons) {
    std::vector<TqlSkinSpeedButton*> buttons;
    for (int i = 0; i < 3; ++i) {
        auto* b = new TqlSkinSpeedButton(form);
        b->SetParent(bar);
        buttons.push_back(b);
    }
    TCustomImageList images(16, 16);
    bar->SetImages(&images);
    bar->SetFlat(true);
    for (TqlSkinSpeedButton* b : buttons) {
        EXPECT_EQ(b->ImageList(), &images);
        EXPECT_TRUE(b->Flat());
        EXPECT_TRUE(b->ShowCaption());
    }
    // Captions follow the bar only when it is told to show and hide them.
    bar->SetShowCaptions(false);
    EXPECT_TRUE(buttons[0]->ShowCaption());
    bar->AutoShowHideCaptions = true;
    bar->WidthWithCaptions = 300;
    bar->WidthWithoutCaptions = 120;
    bar->SetShowCaptions(false);
    for (TqlSkinSpeedButton* b : buttons) EXPECT_FALSE(b->ShowCaption());
    EXPECT_EQ(bar->Width(), 120);
    bar->SetShowCaptions(true);
    EXPECT_TRUE(buttons[2]->ShowCaption());
    EXPECT_EQ(bar->Width(), 300);
    // Plain children are left alone.
    EXPECT_EQ(children[0]->Width(), 60);
}

TEST_F(SkinToolBar, ASkinGivenToTheBarGoesToItsButtonsAndBevelsOnly) {
    auto* button = new TqlSkinSpeedButton(form);
    button->SetParent(bar);
    auto* bevel = new TqlSkinBevel(form);
    bevel->SetParent(bar);
    auto* box = new TqlSkinCheckRadioBox(form);
    box->SetParent(bar);
    Skin skin(form);
    bar->SetSkinData(skin.Data);
    EXPECT_EQ(bar->SkinData(), skin.Data);
    EXPECT_EQ(button->SkinData(), skin.Data);
    EXPECT_EQ(bevel->SkinData(), skin.Data);
    EXPECT_EQ(box->SkinData(), nullptr);

    // A status bar hands it to every skinned window on it.
    auto* status = new TqlSkinStatusBar(form);
    status->SetParent(form);
    auto* onStatus = new TqlSkinCheckRadioBox(form);
    onStatus->SetParent(status);
    status->SetSkinData(skin.Data);
    EXPECT_EQ(onStatus->SkinData(), skin.Data);
}

}  // namespace
