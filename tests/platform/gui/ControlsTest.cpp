// The control layer's own rules: flags, ownership, message routing of keys and
// the mouse, capture, timers on the manual clock and posted messages.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QResizeEvent>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/Timers.h"

namespace {

// Records the messages it is sent and answers WM_GETDLGCODE as told.
class Probe : public TCustomControl {
public:
    explicit Probe(TComponent* owner) : TCustomControl(owner) {}
    std::vector<UINT> messages;
    LRESULT dialogCode = 0;
    bool takeDialogKeys = false;
    int Count(UINT msg) const { return int(std::count(messages.begin(), messages.end(), msg)); }

protected:
    void WndProc(TMessage& m) override {
        messages.push_back(m.Msg);
        TCustomControl::WndProc(m);
    }
    void WMGetDlgCode(TMessage& m) override { m.Result = dialogCode; }
    void CMDialogKey(TMessage& m) override {
        if (takeDialogKeys) m.Result = 1;
    }
};

class GraphicProbe : public TGraphicControl {
public:
    explicit GraphicProbe(TComponent* owner) : TGraphicControl(owner) {}
    std::vector<std::pair<UINT, TPoint>> messages;
    int Count(UINT msg) const {
        int n = 0;
        for (auto& [m, p] : messages) n += m == msg;
        return n;
    }

protected:
    void WndProc(TMessage& m) override {
        messages.push_back({m.Msg, {LoWordSigned(m.LParam), HiWordSigned(m.LParam)}});
        TGraphicControl::WndProc(m);
    }
};

class Layer : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override { delete form; }

    template <class T>
    T* Add(TWinControl* parent, int left, int top, int width, int height) {
        auto* c = new T(form);
        c->SetParent(parent);
        c->SetBounds(left, top, width, height);
        return c;
    }

    TForm* form = nullptr;
};

TEST_F(Layer, EnabledAndVisibleAreTheControlsOwnFlags) {
    auto* panel = Add<Probe>(form, 0, 0, 200, 200);
    auto* child = Add<Probe>(panel, 10, 10, 50, 50);
    panel->SetEnabled(false);
    panel->SetVisible(false);
    EXPECT_TRUE(child->Enabled());
    EXPECT_TRUE(child->Visible());
    EXPECT_FALSE(child->EffectivelyEnabled());
    EXPECT_FALSE(child->Showing());
    EXPECT_EQ(child->Count(CM_ENABLEDCHANGED), 0);
    panel->SetEnabled(true);
    EXPECT_TRUE(child->EffectivelyEnabled());
    // The window's own state stops input only: its controls keep their look.
    form->SetEnabled(false);
    EXPECT_FALSE(form->EffectivelyEnabled());
    EXPECT_TRUE(child->EffectivelyEnabled());
    form->SetEnabled(true);
}

TEST_F(Layer, ParentsTakeTheirChildrenAndOwnersTheirComponentsAlong) {
    auto* panel = Add<Probe>(form, 0, 0, 200, 200);
    auto* child = Add<Probe>(panel, 10, 10, 50, 50);
    child->Name = "child";
    ASSERT_EQ(form->FindComponent("child"), child);
    int before = form->ComponentCount();
    delete panel;
    // The child went with its parent and left its owner's list.
    EXPECT_EQ(form->FindComponent("child"), nullptr);
    EXPECT_EQ(form->ComponentCount(), before - 2);
}

// Hooks its form's messages and, as it goes, notes whether the form was still
// whole and unhooks itself.
class Hooker : public TComponent {
public:
    Hooker(TForm* form, std::vector<std::string>& log) : TComponent(form), form(form), log(log) {
        form->HookMessages(this, [](TMessage&) { return false; });
    }
    ~Hooker() override {
        log.push_back(Name + (dynamic_cast<TForm*>(Owner()) == form ? " saw the form" : " saw no form"));
        form->UnhookMessages(this);
    }

private:
    TForm* form;
    std::vector<std::string>& log;
};

class Orphan : public TCustomControl {
public:
    explicit Orphan(std::vector<std::string>& log) : TCustomControl(nullptr), log(log) {}
    ~Orphan() override { log.push_back(Name + (dynamic_cast<TForm*>(Parent()) ? " saw the form" : " saw no form")); }

private:
    std::vector<std::string>& log;
};

// Components and child controls go while the form is still a form: their
// destructors may reach its hooks, focus and screen entry.
// Started through PATH or a link, argv[0] holds a bare name; the program's
// folder must still be the one its executable is in.
TEST(Application, ExeNameIsTheRunningExecutableWhateverArgvZeroSays) {
    static char name[] = "lexmoor";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    TApplication app(argc, argv);
    std::error_code error;
    EXPECT_TRUE(std::filesystem::path(app.ExeName).is_absolute()) << app.ExeName;
    EXPECT_TRUE(std::filesystem::equivalent(app.ExeName, "/proc/self/exe", error)) << app.ExeName;
}

TEST(FormDestruction, WhatTheFormOwnsOrHoldsGoesWhileTheFormIsWhole) {
    std::vector<std::string> log;
    auto* form = new TForm(nullptr);
    auto* first = new Hooker(form, log);
    first->Name = "first";
    auto* second = new Hooker(form, log);
    second->Name = "second";
    // Parented on the form but owned by nobody.
    auto* panel = new Orphan(log);
    panel->Name = "panel";
    panel->SetParent(form);
    delete form;
    EXPECT_EQ(log, (std::vector<std::string>{"second saw the form", "first saw the form", "panel saw the form"}))
        << "owned components newest first, then the children it does not own";
}

TEST_F(Layer, SpecialKeysAControlDoesNotWantGoToTheFormFirst) {
    auto* probe = Add<Probe>(form, 0, 0, 100, 30);
    auto* taker = Add<Probe>(form, 0, 40, 100, 30);
    taker->takeDialogKeys = true;

    // Enter: not wanted, so CM_DIALOGKEY goes round the form; a taker ends it.
    EXPECT_TRUE(TQtBridge::KeyPressed(probe, VK_RETURN, 0, '\r'));
    EXPECT_EQ(probe->Count(WM_KEYDOWN), 0);
    EXPECT_EQ(probe->Count(WM_CHAR), 0);
    EXPECT_EQ(taker->Count(CM_DIALOGKEY), 1);

    // Wanted keys come as WM_KEYDOWN and WM_CHAR to the control itself.
    taker->takeDialogKeys = false;
    probe->dialogCode = DLGC_WANTALLKEYS;
    TQtBridge::KeyPressed(probe, VK_RETURN, 0, '\r');
    EXPECT_EQ(probe->Count(WM_KEYDOWN), 1);
    EXPECT_EQ(probe->Count(WM_CHAR), 1);

    // Ordinary keys never ask.
    probe->dialogCode = 0;
    TQtBridge::KeyPressed(probe, 'A', 0, 'a');
    EXPECT_EQ(probe->Count(WM_KEYDOWN), 2);
}

TEST_F(Layer, KeyHandlersCanSwallowAKey) {
    auto* probe = Add<Probe>(form, 0, 0, 100, 30);
    int presses = 0;
    probe->OnKeyDown = [](TObject*, uint16_t& key, TShiftState) {
        if (key == 'X') key = 0;
    };
    probe->OnKeyPress = [&](TObject*, char&) { ++presses; };
    TQtBridge::KeyPressed(probe, 'X', 0, 'x');
    EXPECT_EQ(presses, 0);
    TQtBridge::KeyPressed(probe, 'Y', 0, 'y');
    EXPECT_EQ(presses, 1);
}

TEST_F(Layer, TabMovesThroughTheTabOrder) {
    auto* first = Add<Probe>(form, 0, 0, 100, 30);
    auto* second = Add<Probe>(form, 0, 40, 100, 30);
    auto* skipped = Add<Probe>(form, 0, 80, 100, 30);
    for (Probe* p : {first, second, skipped}) p->SetTabStop(true);
    first->TabOrder = 1;
    second->TabOrder = 0;
    skipped->TabOrder = 2;
    skipped->SetEnabled(false);
    // Only a control of a showing form can take the focus.
    form->SetVisible(true);
    form->SetActiveControl(second);
    TQtBridge::KeyPressed(second, VK_TAB, 0, '\t');
    EXPECT_EQ(form->ActiveControl(), first);
    TQtBridge::KeyPressed(first, VK_TAB, 0, '\t');
    EXPECT_EQ(form->ActiveControl(), second);
    TQtBridge::KeyPressed(second, VK_TAB, ssShift, '\t');
    EXPECT_EQ(form->ActiveControl(), first);
}

TEST_F(Layer, ACapturingControlStillLearnsWhenTheMouseLeavesAndReturns) {
    auto* probe = Add<Probe>(form, 10, 10, 100, 50);
    TQtBridge::MouseEnteredWindow(probe);
    TQtBridge::MouseMessage(probe, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    EXPECT_EQ(GetCaptureControl(), probe);
    TQtBridge::MouseMessage(probe, WM_MOUSEMOVE, MK_LBUTTON, 150, 5);
    EXPECT_FALSE(probe->MouseInControl());
    TQtBridge::MouseMessage(probe, WM_MOUSEMOVE, MK_LBUTTON, 20, 20);
    EXPECT_TRUE(probe->MouseInControl());
    EXPECT_EQ(probe->Count(CM_MOUSELEAVE), 1);
    EXPECT_EQ(probe->Count(CM_MOUSEENTER), 2);

    int clicks = 0;
    probe->OnClick = [&](TObject*) { ++clicks; };
    TQtBridge::MouseMessage(probe, WM_LBUTTONUP, 0, 20, 20);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(GetCaptureControl(), nullptr);

    // A release outside the control is no click.
    TQtBridge::MouseMessage(probe, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    TQtBridge::MouseMessage(probe, WM_LBUTTONUP, 0, 300, 5);
    EXPECT_EQ(clicks, 1);
}

TEST_F(Layer, WindowlessChildrenGetTheMouseOverThemInTheirOwnCoordinates) {
    auto* panel = Add<Probe>(form, 0, 0, 300, 200);
    auto* below = Add<GraphicProbe>(panel, 10, 10, 100, 100);
    auto* above = Add<GraphicProbe>(panel, 50, 50, 100, 100);
    TQtBridge::MouseMessage(panel, WM_MOUSEMOVE, 0, 20, 20);
    EXPECT_EQ(below->Count(CM_MOUSEENTER), 1);
    // Where both lie, the later (upper) one takes the mouse.
    TQtBridge::MouseMessage(panel, WM_MOUSEMOVE, 0, 60, 60);
    EXPECT_EQ(below->Count(CM_MOUSELEAVE), 1);
    EXPECT_EQ(above->Count(CM_MOUSEENTER), 1);
    TQtBridge::MouseMessage(panel, WM_LBUTTONDOWN, MK_LBUTTON, 60, 70);
    ASSERT_EQ(above->messages.back().first, UINT(WM_LBUTTONDOWN));
    EXPECT_EQ(above->messages.back().second, (TPoint{10, 20}));
    // The capture keeps the messages with it off its rectangle too.
    TQtBridge::MouseMessage(panel, WM_MOUSEMOVE, MK_LBUTTON, 250, 190);
    EXPECT_EQ(above->Count(CM_MOUSELEAVE), 1);
    EXPECT_EQ(above->Count(WM_MOUSEMOVE), 2);
    EXPECT_EQ(above->messages.back().second, (TPoint{200, 140}));
    TQtBridge::MouseMessage(panel, WM_LBUTTONUP, 0, 250, 190);
    EXPECT_EQ(above->Count(WM_LBUTTONUP), 1);
    EXPECT_EQ(panel->Count(WM_LBUTTONDOWN), 0);
}

// Anchored controls keep their distances to the anchored edges through every
// resize, shrinking and growing back to where they were; nested ones follow
// their parent's new size.
TEST_F(Layer, AnchoredControlsKeepTheirDistanceToTheAnchoredEdges) {
    auto* group = Add<Probe>(form, 10, 10, 200, 150);
    group->SetAnchors(akLeft | akTop | akRight | akBottom);
    auto* list = Add<Probe>(group, 5, 20, 190, 100);
    list->SetAnchors(akLeft | akTop | akRight | akBottom);
    auto* status = Add<GraphicProbe>(group, 5, 130, 100, 15);
    status->SetAnchors(akLeft | akBottom);
    auto* button = Add<Probe>(form, 300, 10, 80, 25);
    button->SetAnchors(akTop | akRight);
    auto* fixed = Add<Probe>(form, 300, 200, 50, 50);

    struct Case {
        int width, height;
        TRect group, list, status, button;
    } cases[] = {
        {600, 500, Bounds(10, 10, 400, 350), Bounds(5, 20, 390, 300), Bounds(5, 330, 100, 15), Bounds(500, 10, 80, 25)},
        {300, 200, Bounds(10, 10, 100, 50), Bounds(5, 20, 90, 0), Bounds(5, 30, 100, 15), Bounds(200, 10, 80, 25)},
        {400, 300, Bounds(10, 10, 200, 150), Bounds(5, 20, 190, 100), Bounds(5, 130, 100, 15), Bounds(300, 10, 80, 25)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        form->SetBounds(0, 0, c.width, c.height);
        EXPECT_EQ(group->BoundsRect(), c.group);
        EXPECT_EQ(list->BoundsRect(), c.list);
        EXPECT_EQ(status->BoundsRect(), c.status);
        EXPECT_EQ(button->BoundsRect(), c.button);
        EXPECT_EQ(fixed->BoundsRect(), Bounds(300, 200, 50, 50));
    }
}

// The window manager sizes a top-level window; its resize events can come
// late, carrying a size the window no longer has (a maximise right after the
// first show): the form follows the window's own size.
TEST_F(Layer, AFormTakesTheSizeItsWindowHasNotTheSizeALateEventCarries) {
    form->Show();
    form->Widget()->resize(500, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->Width(), 500);
    EXPECT_EQ(form->Height(), 400);
    QResizeEvent late(QSize(400, 300), QSize(400, 300));
    QCoreApplication::sendEvent(form->Widget(), &late);
    EXPECT_EQ(form->Width(), 500);
    EXPECT_EQ(form->Height(), 400);
}

TEST_F(Layer, TimersFireOnTheManualClockOncePerInterval) {
    auto& service = TTimerService::Instance();
    service.UseManualClock(true);
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetInterval(100);
    service.Advance(99);
    EXPECT_EQ(ticks, 0);
    service.Advance(1);
    EXPECT_EQ(ticks, 1);
    service.Advance(250);
    EXPECT_EQ(ticks, 3);
    timer.SetEnabled(false);
    service.Advance(1000);
    EXPECT_EQ(ticks, 3);

    auto* probe = Add<Probe>(form, 0, 0, 10, 10);
    probe->SetTimer(7, 20);
    service.Advance(60);
    EXPECT_EQ(probe->Count(WM_TIMER), 3);
    probe->KillTimer(7);
    service.Advance(60);
    EXPECT_EQ(probe->Count(WM_TIMER), 3);
    service.UseManualClock(false);
}

TEST_F(Layer, PostedMessagesArriveLaterAndNeverAtADestroyedWindow) {
    auto* probe = Add<Probe>(form, 0, 0, 10, 10);
    auto* doomed = Add<Probe>(form, 0, 0, 10, 10);
    EXPECT_TRUE(PostMessage(probe, WM_USER + 1, 0, 0));
    EXPECT_TRUE(PostMessage(doomed, WM_USER + 1, 0, 0));
    EXPECT_EQ(probe->Count(WM_USER + 1), 0);
    HWND handle = doomed->Handle();
    delete doomed;
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(SendMessage(handle, WM_USER, 0, 0), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(probe->Count(WM_USER + 1), 1);
}

}  // namespace

namespace {

// Counts the calls of the hook that follows the making of its window.
class WindowMaker : public TWinControl {
public:
    using TWinControl::TWinControl;
    int made = 0, madeWithWindow = 0;

protected:
    void CreateWnd() override { ++made, madeWithWindow += HandleAllocated(); }
};

}  // namespace

TEST(Controls, TheHookAfterAWindowIsMadeRunsOnceWithTheWindowThere) {
    TForm form(nullptr);
    auto* control = new WindowMaker(&form);
    EXPECT_EQ(control->made, 0);
    control->SetParent(&form);
    control->SetBounds(5, 6, 70, 80);
    EXPECT_EQ(control->made, 1);
    EXPECT_EQ(control->madeWithWindow, 1);
}

namespace {

// What the window manager is asked for: a dialog gets a title and a close
// button only and a fixed size (so no resize handle, whose grips mark the
// bottom edge), following the size the program gives it; a sizeable form
// keeps every button and its free size.
TEST(FormFrame, ADialogHasNoMinimiseMaximiseOrResizeHandle) {
    struct Case {
        TBorderStyle style;
        bool dialog;
    };
    for (const Case& c : {Case{TBorderStyle::bsDialog, true}, Case{TBorderStyle::bsSizeable, false}}) {
        SCOPED_TRACE(c.dialog ? "dialog" : "sizeable");
        TForm form(nullptr);
        form.BorderStyle = c.style;
        form.SetBounds(20, 20, 300, 120);
        form.SetVisible(true);
        QWidget* window = form.Widget();
        const Qt::WindowFlags flags = window->windowFlags();
        EXPECT_EQ(flags.testFlag(Qt::WindowMinimizeButtonHint), !c.dialog);
        EXPECT_EQ(flags.testFlag(Qt::WindowMaximizeButtonHint), !c.dialog);
        EXPECT_EQ((flags & Qt::WindowType_Mask) == Qt::Dialog, c.dialog);
        EXPECT_EQ(window->minimumSize() == window->maximumSize(), c.dialog);
        form.SetBounds(20, 20, 340, 150);
        EXPECT_EQ(window->size(), QSize(340, 150));
        if (c.dialog) {
            EXPECT_EQ(window->maximumSize(), QSize(340, 150));
        }
        form.SetVisible(false);
    }
}

}  // namespace
