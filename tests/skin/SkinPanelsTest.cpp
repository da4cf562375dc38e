// Skinned containers: transparency through nested panels, the caption's check
// box and roll-up, and the status bar's size grip.

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "platform/gui/controls/NonClient.h"
#include "tests/skin/SyntheticSkin.h"

using namespace synthetic;

namespace {

// A checkerboard of 4-pixel squares: any shift of the background shows.
TColor Checker(int x, int y) { return ((x / 4) + (y / 4)) % 2 ? TColor(0x3060C0) : TColor(0xC0F0A0); }

// A form whose background is the checkerboard.
class CheckerForm : public TForm {
public:
    using TForm::TForm;

protected:
    void WMEraseBkgnd(TMessage& M) override {
        auto* C = reinterpret_cast<TCanvas*>(M.WParam);
        if (!C) return;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) C->SetPixel(x, y, Checker(x, y));
        M.Result = 1;
    }
};

// A windowless control of one flat colour.
class Patch : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas().Brush().Color = 0x0000FF;
        Canvas().FillRect(ClientRect());
    }
};

class SkinPanels : public testing::Test {
protected:
    void SetUp() override {
        form = new CheckerForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        skin = std::make_unique<Skin>(form);
        cells = skin->AddPicture(NineCells());
        for (const char* name : {"panel", "groupbox", "statusbar"}) NinePart(skin->Add<TqlDataSkinPanelControl>(name), cells);
    }
    void TearDown() override { delete form; }

    template <class T>
    T* Add(TWinControl* parent, int x, int y, int w, int h) {
        auto* c = new T(form);
        c->SetParent(parent);
        c->SetBounds(x, y, w, h);
        return c;
    }

    CheckerForm* form = nullptr;
    std::unique_ptr<Skin> skin;
    int cells = 0;
};

TEST_F(SkinPanels, NestedTransparentPanelsShowTheBackgroundAtTheirOwnPlace) {
    auto* outer = Add<TqlSkinPanel>(form, 13, 7, 200, 150);
    auto* inner = Add<TqlSkinPanel>(outer, 9, 11, 120, 90);
    Add<Patch>(outer, 150, 20, 20, 20);
    auto* over = Add<TqlSkinPanel>(outer, 140, 10, 50, 50);
    for (TqlSkinPanel* p : {outer, inner, over}) {
        p->SetBorderStyle(TqlSkinBorderStyle::bvNone);
        p->SetTransparentMode(true);
    }
    struct Case {
        const char* name;
        TqlSkinPanel* panel;
        int ox, oy;  // the panel's place on the form
    } cases[] = {{"outer", outer, 13, 7}, {"inner", inner, 22, 18}, {"over a sibling", over, 153, 17}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TBitmap shot = Snapshot(*c.panel);
        int wrong = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x) {
                const int fx = c.ox + x, fy = c.oy + y;
                // The windowless control shows through the panel above it
                // (and in the outer panel's picture, which holds its children).
                const bool onPatch = c.panel != inner && fx >= 163 && fx < 183 && fy >= 27 && fy < 47;
                wrong += shot.Pixel(x, y) != (onPatch ? TColor(0x0000FF) : Checker(fx, fy));
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(SkinPanels, ATransparentPanelWithABorderDrawsOneLineInTheSkinsFrameColour) {
    auto* panel = Add<TqlSkinPanel>(form, 0, 0, 60, 40);
    panel->SetTransparentMode(true);
    const TBitmap shot = Snapshot(*panel);
    // The frame colour is the picture's pixel in the middle of its bottom row.
    EXPECT_EQ(shot.Pixel(0, 0), kBottom);
    EXPECT_EQ(shot.Pixel(59, 39), kBottom);
    EXPECT_EQ(shot.Pixel(1, 1), Checker(1, 1));
    EXPECT_EQ(shot.Pixel(30, 20), Checker(30, 20));
}

TEST_F(SkinPanels, ACaptionClickTogglesTheCheckBoxAndTheChildrensEnabledState) {
    skin->Data->CtrlList.clear();  // unskinned: the caption bar has a fixed place
    auto* panel = Add<TqlSkinPanel>(form, 0, 0, 200, 150);
    panel->SetCaptionMode(true);
    panel->SetCheckedMode(true);
    auto* child = Add<TqlSkinCheckRadioBox>(panel, 10, 40, 100, 20);
    int fired = 0;
    panel->OnChecked = [&](TObject*) { ++fired; };
    const bool expected[] = {true, false, true};
    for (bool want : expected) {
        SCOPED_TRACE(want);
        panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 10));
        panel->Perform(WM_LBUTTONUP, 0, MAKELPARAM(50, 10));
        EXPECT_EQ(panel->Checked(), want);
        EXPECT_EQ(child->Enabled(), want);
    }
    EXPECT_EQ(fired, 3);
    // A click below the caption bar changes nothing.
    panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 100));
    panel->Perform(WM_LBUTTONUP, 0, MAKELPARAM(50, 100));
    EXPECT_TRUE(panel->Checked());
}

TEST_F(SkinPanels, RollUpKeepsTheUsersConstraintsAndItsHeightThroughASkinChange) {
    auto* panel = Add<TqlSkinPanel>(form, 0, 0, 200, 150);
    panel->SetCaptionMode(true);
    panel->SetRollUpMode(true);
    auto* child = Add<TqlSkinCheckRadioBox>(panel, 12, 40, 100, 20);
    const TSizeConstraints users{10, 20, 500, 400};
    panel->SetConstraints(users);
    int changes = 0;
    panel->OnChangeRollUpState = [&](TObject*) { ++changes; };

    panel->SetRollUpState(true);
    // Only the frame remains: the mapped client area (height - 20) is taken away.
    EXPECT_EQ(panel->Height(), 20);
    EXPECT_EQ(panel->RealHeight(), 150);
    EXPECT_FALSE(child->Visible());
    EXPECT_EQ(panel->Constraints(), TSizeConstraints{});

    // A skin whose frame is thicker: the rolled-up height follows it,
    // measured against the height before the roll-up.
    auto& look = dynamic_cast<TqlDataSkinPanelControl&>(*skin->Data->CtrlList[0]);
    look.ClientRect = Rect(10, 12, 20, 16);
    look.LTPoint = {10, 12};
    look.RTPoint = {20, 12};
    look.LBPoint = {10, 16};
    look.RBPoint = {20, 16};
    panel->ChangeSkinData();
    EXPECT_TRUE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 150 - (150 - 26));
    EXPECT_EQ(panel->RealHeight(), 150);

    panel->SetRollUpState(false);
    EXPECT_EQ(panel->Height(), 150);
    EXPECT_EQ(panel->RealHeight(), -1);
    EXPECT_TRUE(child->Visible());
    EXPECT_EQ(panel->Constraints(), users);
    EXPECT_EQ(changes, 2);

    // Rolling up twice in a row never saves the cleared constraints over the user's.
    panel->SetRollUpState(true);
    panel->SetRollUpMode(false);
    panel->SetRollUpState(false);
    EXPECT_EQ(panel->Constraints(), users);
}

TEST_F(SkinPanels, AnUnskinnedPanelRollsUpToItsCaptionBar) {
    skin->Data->CtrlList.clear();
    auto* panel = Add<TqlSkinPanel>(form, 0, 0, 200, 150);
    panel->SetCaptionMode(true);
    panel->SetRollUpMode(true);
    panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 5));
    panel->Perform(WM_LBUTTONUP, 0, MAKELPARAM(100, 5));
    EXPECT_TRUE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), panel->DefaultCaptionHeight() + 1);
}

TEST_F(SkinPanels, APanelOfNoSizePaintsNothing) {
    auto* panel = Add<TqlSkinPanel>(form, 0, 0, 0, 0);
    panel->SetTransparentMode(true);
    TBitmap B(4, 4);
    B.Canvas().Brush().Color = 0x123456;
    B.Canvas().FillRect(Rect(0, 0, 4, 4));
    EXPECT_NO_THROW(panel->PaintTo(B.Canvas(), 0, 0));
    EXPECT_EQ(B.Pixel(1, 1), TColor(0x123456));
}

TEST_F(SkinPanels, TheStatusBarGripAnswersTheSizingCodeOnlyWhereItIs) {
    auto* bar = Add<TqlSkinStatusBar>(form, 0, 0, 300, 24);
    skin->Data->CtrlList.clear();
    bar->SetAlign(TAlign::alNone);
    bar->SetBounds(0, 0, 300, 24);
    auto hit = [&](int x, int y) {
        const TPoint s = bar->ClientToScreen({x, y});
        return bar->Perform(WM_NCHITTEST, 0, MAKELPARAM(s.X, s.Y));
    };
    bar->SetSizeGrip(true);
    // Unskinned, the grip is a square of the bar's height at its right end,
    // less 2 pixels at the left and bottom.
    const TRect g = bar->GripRect();
    EXPECT_EQ(g, Rect(278, 0, 300, 22));
    struct Case {
        int x, y;
        LRESULT code;
    } cases[] = {{290, 10, HTBOTTOMRIGHT}, {278, 0, HTBOTTOMRIGHT}, {277, 10, HTCLIENT}, {10, 10, HTCLIENT}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(hit(c.x, c.y), c.code);
    }
    // A form that is maximised turns the grip off: no sizing code anywhere.
    bar->SetGripActive(false);
    EXPECT_EQ(hit(290, 10), HTCLIENT);
    bar->SetGripActive(true);
    bar->SetSizeGrip(false);
    EXPECT_EQ(hit(290, 10), HTCLIENT);
}

TEST_F(SkinPanels, TheStatusBarGripComesFromTheSkinWhenItHasOne) {
    auto& look = dynamic_cast<TqlDataSkinPanelControl&>(*skin->Data->CtrlList[2]);
    look.GripperRect = Rect(20, 20, 30, 30);
    auto* bar = Add<TqlSkinStatusBar>(form, 0, 0, 300, 30);
    bar->SetAlign(TAlign::alNone);
    bar->SetBounds(0, 0, 300, 30);
    bar->SetTransparentMode(true);
    bar->SetSizeGrip(true);
    // The grip sits right of the client area, at its bottom.
    const TRect g = bar->GripRect();
    EXPECT_EQ(g.Right - g.Left, 10);
    EXPECT_EQ(g.Bottom - g.Top, 10);
    const TBitmap shot = Snapshot(*bar);
    EXPECT_EQ(shot.Pixel(g.Left + 5, g.Top + 5), kBR);
}

}  // namespace
