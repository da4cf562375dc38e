// The self-painted standard controls driven as a user drives them: keys
// through the bridge's keyboard path, the mouse through messages.

#include <gtest/gtest.h>

#include <QImage>

#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/StdCtrls.h"
#include "tests/support/Pictures.h"

namespace {

// Answers WM_GETDLGCODE as a one-line edit does: characters and arrows, not Enter.
class TEditLike : public TCustomControl {
public:
    explicit TEditLike(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }

protected:
    void WMGetDlgCode(TMessage& m) override { m.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL; }
};

class FormTest : public ::testing::Test {
protected:
    FormTest() { form->SetBounds(0, 0, 400, 300); }
    ~FormTest() override { delete form; }
    template <class T>
    T* Add(int left, int top, int width, int height, TWinControl* parent = nullptr, const char* caption = "") {
        auto* c = new T(form);
        c->SetParent(parent ? parent : form);
        c->SetBounds(left, top, width, height);
        c->SetCaption(caption);
        return c;
    }
    static void Click(TControl* c, int x, int y) {
        c->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        c->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    static TNotifyEvent Counter(int& n) {
        return [&n](TObject*) { ++n; };
    }
    TForm* form = new TForm(nullptr);
};

class StdButton : public FormTest {};
class StdCheck : public FormTest {};
class StdRanges : public FormTest {};
class StdLayout : public FormTest {};

TEST_F(StdButton, DialogKeysClickExactlyTheRightButtonOnce) {
    auto* edit = Add<TEditLike>(10, 10, 100, 20);
    auto* ok = Add<TButton>(10, 40, 75, 25);
    auto* other = Add<TButton>(90, 40, 75, 25);
    auto* cancel = Add<TButton>(170, 40, 75, 25);
    ok->Default = true;
    ok->ModalResult = mrOk;
    cancel->Cancel = true;
    cancel->ModalResult = mrCancel;
    EXPECT_EQ(ok->Perform(WM_GETDLGCODE), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(other->Perform(WM_GETDLGCODE), DLGC_BUTTON);
    int clicks[3] = {};
    ok->OnClick = Counter(clicks[0]);
    other->OnClick = Counter(clicks[1]);
    cancel->OnClick = Counter(clicks[2]);
    // Keys reach only a form on screen (a button on a hidden one cannot take the focus).
    form->SetVisible(true);
    struct Case {
        const char* name;
        TWinControl* focus;
        uint16_t key;
        TShiftState shift;
        int ok, other, cancel;
        TModalResult result;
    } cases[] = {
        {"Enter in the edit: the Default button", edit, VK_RETURN, 0, 1, 0, 0, mrOk},
        {"Enter on another button: that button only", other, VK_RETURN, 0, 0, 1, 0, mrNone},
        {"Enter on the Default button itself", ok, VK_RETURN, 0, 1, 0, 0, mrOk},
        {"Escape anywhere: the Cancel button", other, VK_ESCAPE, 0, 0, 0, 1, mrCancel},
        {"Ctrl+Enter is no dialog key", edit, VK_RETURN, ssCtrl, 0, 0, 0, mrNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clicks[0] = clicks[1] = clicks[2] = 0;
        form->SetModalResult(mrNone);
        c.focus->SetFocus();
        TQtBridge::KeyPressed(c.focus, c.key, c.shift, c.key == VK_RETURN ? '\r' : 27);
        EXPECT_EQ(clicks[0], c.ok);
        EXPECT_EQ(clicks[1], c.other);
        EXPECT_EQ(clicks[2], c.cancel);
        EXPECT_EQ(form->ModalResult(), c.result);
    }
    // A Default button that cannot take the focus is not clicked.
    ok->SetEnabled(false);
    clicks[0] = 0;
    edit->SetFocus();
    TQtBridge::KeyPressed(edit, VK_RETURN, 0, '\r');
    EXPECT_EQ(clicks[0], 0);
}

TEST_F(StdButton, SpaceShowsDownAndClicksOnRelease) {
    auto* button = Add<TButton>(10, 10, 75, 25);
    EXPECT_TRUE(button->TabStop());
    int clicks = 0;
    button->OnClick = Counter(clicks);
    TQtBridge::KeyPressed(button, VK_SPACE, 0, ' ');
    EXPECT_TRUE(button->Down());
    EXPECT_EQ(clicks, 0);
    TQtBridge::KeyReleased(button, VK_SPACE, 0);
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(clicks, 1);
    // Losing the focus while Space is down cancels the click.
    TQtBridge::KeyPressed(button, VK_SPACE, 0, ' ');
    button->Perform(WM_KILLFOCUS);
    TQtBridge::KeyReleased(button, VK_SPACE, 0);
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(clicks, 1);
}

TEST_F(StdButton, MouseReleaseClicksOnlyInside) {
    auto* button = Add<TButton>(10, 10, 75, 25);
    int clicks = 0;
    button->OnClick = Counter(clicks);
    const TPoint releases[] = {{5, 5}, {74, 24}, {75, 10}, {-1, 10}, {10, 200}};
    for (TPoint p : releases) {
        const bool inside = p.X >= 0 && p.X < 75 && p.Y >= 0 && p.Y < 25;
        SCOPED_TRACE(testing::Message() << "release at " << p.X << "," << p.Y);
        clicks = 0;
        button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_TRUE(button->Down());
        button->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
        EXPECT_EQ(button->Down(), inside) << "down only while the pointer is over it";
        button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
        EXPECT_FALSE(button->Down());
        EXPECT_EQ(clicks, inside ? 1 : 0);
    }
}

TEST_F(StdCheck, ClicksAndSpaceCycleTheStateAndFireOnClickPerChange) {
    using S = TCheckBoxState;
    struct Case {
        bool allowGrayed, bySpace;
        S states[3];
    } cases[] = {
        {false, false, {S::cbChecked, S::cbUnchecked, S::cbChecked}},
        {true, false, {S::cbGrayed, S::cbChecked, S::cbUnchecked}},
        {true, true, {S::cbGrayed, S::cbChecked, S::cbUnchecked}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "AllowGrayed " << c.allowGrayed << ", by Space " << c.bySpace);
        auto* box = Add<TCheckBox>(10, 10, 100, 17);
        box->AllowGrayed = c.allowGrayed;
        int clicks = 0;
        box->OnClick = Counter(clicks);
        for (int i = 0; i < 3; ++i) {
            if (c.bySpace) {
                TQtBridge::KeyPressed(box, VK_SPACE, 0, ' ');
                TQtBridge::KeyReleased(box, VK_SPACE, 0);
            } else {
                Click(box, 5, 5);
            }
            EXPECT_EQ(box->State(), c.states[i]) << "after toggle " << i + 1;
            EXPECT_EQ(clicks, i + 1);
        }
        // Setting the state it has is no change; a release outside is no click.
        box->SetState(box->State());
        box->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        box->Perform(WM_LBUTTONUP, 0, MAKELPARAM(150, 5));
        EXPECT_EQ(box->State(), c.states[2]);
        EXPECT_EQ(clicks, 3);
        delete box;
    }
}

TEST_F(StdCheck, RadioButtonsExcludeEachOtherWithinTheirParentOnly) {
    auto* left = Add<TGroupBox>(0, 0, 150, 100);
    auto* right = Add<TGroupBox>(200, 0, 150, 100);
    auto* a = Add<TRadioButton>(10, 20, 100, 17, left);
    auto* b = Add<TRadioButton>(10, 40, 100, 17, left);
    auto* c = Add<TRadioButton>(10, 20, 100, 17, right);
    int aClicks = 0, bClicks = 0;
    a->OnClick = Counter(aClicks);
    b->OnClick = Counter(bClicks);
    a->SetChecked(true);
    c->SetChecked(true);
    Click(b, 5, 5);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(c->Checked()) << "another parent's radio button stays checked";
    EXPECT_EQ(aClicks, 1) << "being unchecked by a sibling fires nothing";
    EXPECT_EQ(bClicks, 1);
    Click(b, 5, 5);
    EXPECT_TRUE(b->Checked()) << "a click on a checked radio button changes nothing";
    EXPECT_EQ(bClicks, 1);
}

// Pages Alpha, Beta, Gamma, Delta; the first is active.
class StdPageControl : public FormTest {
protected:
    StdPageControl() {
        pc = Add<TPageControl>(0, 0, 300, 200);
        for (const char* caption : {"Alpha", "Beta", "Gamma", "Delta"}) {
            pages.push_back(new TTabSheet(form));
            pages.back()->SetCaption(caption);
            pages.back()->SetPageControl(pc);
        }
        pc->OnChanging = [this](TObject*, bool& allow) {
            ++changing;
            allow = allowChange;
        };
        pc->OnChange = Counter(changes);
    }
    void ClickTab(int index) {
        const TRect r = pc->TabRect(index);
        Click(pc, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void Key(uint16_t key, TShiftState shift = 0) { TQtBridge::KeyPressed(pc, key, shift, 0); }
    TPageControl* pc = nullptr;
    std::vector<TTabSheet*> pages;
    int changing = 0, changes = 0;
    bool allowChange = true;
};

TEST_F(StdPageControl, ClickOnADisabledPageTabChangesNothing) {
    ASSERT_EQ(pc->ActivePage(), pages[0]);
    pages[1]->SetEnabled(false);
    ClickTab(1);
    EXPECT_EQ(pc->ActivePage(), pages[0]);
    EXPECT_EQ(changing + changes, 0);
    ClickTab(2);
    EXPECT_EQ(pc->ActivePage(), pages[2]);
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changes, 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(pages[i]->Visible(), i == 2) << "page " << i;
    EXPECT_EQ(pages[2]->BoundsRect(), pc->ClientRect());
    EXPECT_GE(pc->ClientRect().Top, pc->TabHeight);
}

TEST_F(StdPageControl, OnChangingCanRefuse) {
    allowChange = false;
    ClickTab(3);
    pc->SetFocus();
    Key(VK_TAB, ssCtrl);
    EXPECT_EQ(pc->ActivePage(), pages[0]);
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changes, 0);
}

TEST_F(StdPageControl, KeysMoveBetweenEnabledVisibleTabs) {
    pages[1]->SetEnabled(false);
    pages[2]->SetTabVisible(false);
    pc->SetFocus();
    struct Step {
        uint16_t key;
        TShiftState shift;
        int active;
    } steps[] = {
        {VK_RIGHT, 0, 3}, {VK_RIGHT, 0, 3},  // arrows stop at the last tab
        {VK_TAB, ssCtrl, 0},                 // Ctrl+Tab wraps
        {VK_TAB, ssCtrl | ssShift, 3}, {VK_LEFT, 0, 0}, {VK_UP, 0, 0},
    };
    for (const Step& s : steps) {
        Key(s.key, s.shift);
        EXPECT_EQ(pc->ActivePageIndex(), s.active) << "key " << s.key << " shift " << s.shift;
    }
}

TEST_F(StdPageControl, HiddenTabsTakeNoRoomAndTheActivePageMovesOn) {
    pages[1]->SetTabVisible(false);
    EXPECT_TRUE(pc->TabRect(1).IsEmpty());
    EXPECT_EQ(pc->TabRect(2).Left, pc->TabRect(0).Right);
    // Where Beta's tab was is now Gamma's.
    Click(pc, pc->TabRect(0).Right + 2, pc->TabHeight / 2);
    EXPECT_EQ(pc->ActivePage(), pages[2]);
    // Nothing is drawn beyond the last visible tab.
    TBitmap image(pc->Width(), pc->Height());
    pc->PaintTo(image.Canvas(), 0, 0);
    EXPECT_EQ(image.Pixel(pc->TabRect(3).Right + 3, pc->TabHeight / 2), ColorToRGB(pc->Color()));

    // Hiding the active page's tab moves to the next visible one, without OnChange.
    changes = 0;
    pages[2]->SetTabVisible(false);
    EXPECT_EQ(pc->ActivePage(), pages[3]);
    pages[3]->SetTabVisible(false);
    EXPECT_EQ(pc->ActivePage(), pages[0]) << "no visible tab after it: the one before";
    pc->SetActivePage(pages[1]);
    EXPECT_EQ(pc->ActivePage(), pages[1]) << "code may show a page whose tab is hidden";
    EXPECT_TRUE(pages[1]->Visible());
    EXPECT_EQ(changes, 0);
}

TEST_F(StdRanges, ProgressBarKeepsPositionWithinRange) {
    auto* bar = Add<TProgressBar>(10, 10, 200, 16);
    struct Case {
        int min, max, position, expected;
    } cases[] = {{0, 100, 50, 50}, {0, 100, -5, 0}, {0, 100, 101, 100}, {10, 20, 5, 10}, {-10, -5, 0, -5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " set " << c.position);
        bar->SetMin(std::min(bar->Min(), c.min));
        bar->SetMax(c.max);
        bar->SetMin(c.min);
        bar->SetPosition(c.position);
        EXPECT_EQ(bar->Position(), c.expected);
    }
    bar->SetPosition(-7);
    bar->SetMin(-6);
    EXPECT_EQ(bar->Position(), -6) << "a new Min pulls the position along";
}

TEST_F(StdRanges, TrackBarKeysAndCodeMoveThePositionAndFireOnChange) {
    auto* bar = Add<TTrackBar>(10, 10, 200, 45);
    int changes = 0;
    bar->OnChange = Counter(changes);
    bar->SetPosition(5);
    EXPECT_EQ(changes, 1);
    // Position 0..10, line 1, page 2.
    struct Step {
        uint16_t key;
        int position, changes;
    } steps[] = {{VK_RIGHT, 6, 2}, {VK_LEFT, 5, 3}, {VK_UP, 4, 4}, {VK_DOWN, 5, 5}, {VK_NEXT, 7, 6},
                 {VK_PRIOR, 5, 7}, {VK_END, 10, 8}, {VK_RIGHT, 10, 8}, {VK_HOME, 0, 9}, {VK_PRIOR, 0, 9}};
    for (const Step& s : steps) {
        TQtBridge::KeyPressed(bar, s.key, 0, 0);
        EXPECT_EQ(bar->Position(), s.position) << "key " << s.key;
        EXPECT_EQ(changes, s.changes) << "key " << s.key;
    }
    bar->SetPosition(99);
    EXPECT_EQ(bar->Position(), 10);
    bar->SetMax(8);
    EXPECT_EQ(bar->Position(), 8);
    EXPECT_EQ(changes, 11);
}

TEST_F(StdRanges, TrackBarFollowsTheMouseWhileHeld) {
    auto* bar = Add<TTrackBar>(10, 10, 200, 45);
    bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(199, 22));
    EXPECT_EQ(bar->Position(), 10);
    bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 22));
    EXPECT_EQ(bar->Position(), 0);
    bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 22));
    EXPECT_NEAR(bar->Position(), 5, 1);
    const int held = bar->Position();
    bar->Perform(WM_LBUTTONUP, 0, MAKELPARAM(100, 22));
    bar->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(0, 22));
    EXPECT_EQ(bar->Position(), held);
}

TEST_F(StdLayout, PanelAlignsChildrenInsideItsBorders) {
    auto* panel = Add<TPanel>(10, 10, 200, 150);
    panel->BevelOuter = TBevelCut::bvRaised;
    panel->BevelInner = TBevelCut::bvLowered;
    panel->BevelWidth = 2;
    panel->BorderWidth = 3;
    auto* top = Add<TPanel>(0, 0, 50, 20, panel);
    top->SetAlign(TAlign::alTop);
    auto* rest = Add<TPanel>(0, 0, 50, 50, panel);
    rest->SetAlign(TAlign::alClient);
    // 2 + 3 + 2 pixels of frame on every side.
    EXPECT_EQ(top->BoundsRect(), Bounds(7, 7, 186, 20));
    EXPECT_EQ(rest->BoundsRect(), Rect(7, 27, 193, 143));
}

TEST_F(StdLayout, SplitterDragResizesItsNeighbourWithinLimits) {
    auto* left = Add<TPanel>(0, 0, 100, 10);
    left->SetAlign(TAlign::alLeft);
    auto* splitter = Add<TSplitter>(100, 0, 3, 10);
    auto* client = Add<TPanel>(200, 0, 10, 10);
    client->SetAlign(TAlign::alClient);
    splitter->MinSize = 30;
    int moved = 0;
    splitter->OnMoved = Counter(moved);
    // The form is 400 wide: the left panel may take all but the splitter and MinSize.
    struct Case {
        int to, width;
    } cases[] = {{151, 150}, {-100, 30}, {1000, 400 - 3 - 30}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "drag to " << c.to);
        TQtBridge::MouseMessage(form, WM_LBUTTONDOWN, MK_LBUTTON, splitter->Left() + 1, 50);
        TQtBridge::MouseMessage(form, WM_MOUSEMOVE, MK_LBUTTON, c.to, 50);
        TQtBridge::MouseMessage(form, WM_LBUTTONUP, 0, c.to, 50);
        EXPECT_EQ(left->Width(), c.width);
        EXPECT_EQ(splitter->Left(), c.width);
        EXPECT_EQ(client->BoundsRect(), Rect(c.width + 3, 0, 400, 300));
    }
    EXPECT_EQ(moved, 3);
}

TEST_F(StdLayout, LabelFitsItsCaptionAndGreysWhenDisabled) {
    auto* label = Add<TLabel>(100, 10, 10, 10);
    label->Alignment = TAlignment::taRightJustify;
    label->SetCaption("Collocates");
    TBitmap probe(1, 1);
    probe.Canvas().Font().Assign(label->Font());
    EXPECT_EQ(label->Width(), probe.Canvas().TextWidth("Collocates"));
    EXPECT_EQ(label->Height(), probe.Canvas().TextHeight("Collocates"));
    EXPECT_EQ(label->Left() + label->Width(), 110) << "a right-justified label keeps its right edge";

    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        label->SetEnabled(enabled);
        TBitmap image(form->Width(), form->Height());
        form->PaintTo(image.Canvas(), 0, 0);
        int black = 0, grey = 0;
        for (int y = label->Top(); y < label->Top() + label->Height(); ++y)
            for (int x = label->Left(); x < label->Left() + label->Width(); ++x) {
                black += image.Pixel(x, y) == clBlack;
                grey += image.Pixel(x, y) == ColorToRGB(clBtnShadow);
            }
        EXPECT_EQ(black > 10, enabled);
        EXPECT_EQ(grey > 10, !enabled);
    }
}

// One of each control, written to std_controls.png in the working folder for
// a person to look at; the checks catch gross breakage only.
TEST_F(StdLayout, FormWithEveryControlPaints) {
    form->SetBounds(0, 0, 520, 360);
    auto* status = Add<TStatusBar>(0, 0, 0, 19);
    status->SimplePanel = false;
    status->Panels = {{"Ready", 120}, {"12,345 tokens", 120}, {"corpus.txt", 0}};
    Add<TLabel>(12, 12, 10, 10, nullptr, "&Search for:");
    Add<TButton>(12, 36, 75, 25, nullptr, "OK")->Default = true;
    Add<TButton>(95, 36, 75, 25, nullptr, "Disabled")->SetEnabled(false);
    auto* group = Add<TGroupBox>(12, 72, 170, 110, nullptr, "Options");
    Add<TCheckBox>(10, 24, 150, 17, group, "Case sensitive")->SetChecked(true);
    auto* grayed = Add<TCheckBox>(10, 44, 150, 17, group, "Whole words");
    grayed->AllowGrayed = true;
    grayed->SetState(TCheckBoxState::cbGrayed);
    Add<TRadioButton>(10, 64, 150, 17, group, "Left context")->SetChecked(true);
    Add<TRadioButton>(10, 84, 150, 17, group, "Right context")->SetEnabled(false);
    Add<TPanel>(12, 192, 170, 40, nullptr, "Raised panel");
    Add<TBevel>(12, 240, 170, 30)->Shape = TBevelShape::bsFrame;
    auto* progress = Add<TProgressBar>(200, 12, 300, 18);
    progress->SetPosition(50);
    progress->SetProgressText("50%");
    Add<TTrackBar>(200, 36, 300, 40)->SetPosition(3);
    auto* pc = Add<TPageControl>(200, 84, 300, 160);
    for (const char* caption : {"Concordance", "Collocates", "Frequency"}) {
        auto* page = new TTabSheet(form);
        page->SetCaption(caption);
        page->SetPageControl(pc);
    }
    pc->Pages(2)->SetEnabled(false);
    Add<TLabel>(8, 8, 10, 10, pc->Pages(0), "Page one");
    auto* image = Add<TImage>(200, 252, 40, 40);
    image->Picture().SetSize(20, 20);
    image->Picture().Canvas().Brush().Color = clTeal;
    image->Picture().Canvas().FillRect(Rect(0, 0, 20, 20));
    image->Stretch = true;

    form->SetVisible(true);
    ASSERT_TRUE(form->SaveScreenshot(PicturePath("std_controls.png")));
    QImage shot(QString::fromStdString(PicturePath("std_controls.png")));
    ASSERT_EQ(shot.width(), 520);
    auto at = [&](int x, int y) {
        const QRgb c = shot.pixel(x, y);
        return RGB(qRed(c), qGreen(c), qBlue(c));
    };
    EXPECT_EQ(at(235, 287), clTeal) << "the picture is stretched over the image";
    EXPECT_EQ(status->BoundsRect(), Rect(0, 341, 520, 360)) << "the status bar sits at the bottom";
    EXPECT_NE(at(progress->Left() + 40, progress->Top() + 9), at(progress->Left() + 260, progress->Top() + 9))
        << "the filled half of the progress bar differs from the empty half";
}

}  // namespace
