// The flags a control class sets for itself (capture, clicks, double clicks,
// opaque), what its window is created with, the client area its aligned
// children share, where the mouse wheel goes, and how little a change repaints.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>

#include "platform/gui/Controls.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/Forms.h"
#include "platform/gui/PopupWindow.h"
#include "platform/gui/QtBridge.h"

namespace {

class Probe : public TCustomControl {
public:
    explicit Probe(TComponent* owner) : TCustomControl(owner) {}
    std::vector<UINT> messages;
    bool takeWheel = false;
    TMessage lastWheel{};
    uint32_t classStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    TRect reserved;  // kept from the client area for the control itself
    TColor paint = clNone;
    int Count(UINT msg) const { return int(std::count(messages.begin(), messages.end(), msg)); }

protected:
    void WndProc(TMessage& m) override {
        messages.push_back(m.Msg);
        if (m.Msg == WM_MOUSEWHEEL) lastWheel = m;
        if (m.Msg == WM_MOUSEWHEEL && takeWheel) {
            m.Result = 1;
            return;
        }
        TCustomControl::WndProc(m);
    }
    void CreateParams(TCreateParams& Params) override { Params.WindowClass.style = classStyle; }
    void AdjustClientRect(TRect& R) override {
        R.Left += reserved.Left;
        R.Top += reserved.Top;
        R.Right -= reserved.Right;
        R.Bottom -= reserved.Bottom;
    }
    void Paint() override {
        if (paint == clNone) return;
        Canvas().Brush().Color = paint;
        Canvas().FillRect(ClientRect());
    }
};

// A windowless child that paints nothing: what shows in its place is the parent's.
class Blank : public TGraphicControl {
public:
    explicit Blank(TComponent* owner) : TGraphicControl(owner) {}
};

class ControlStyles : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override {
        SetCaptureControl(nullptr);
        delete form;
    }
    template <class T>
    T* Add(TWinControl* parent, int left, int top, int width, int height) {
        auto* c = new T(form);
        c->SetParent(parent);
        c->SetBounds(left, top, width, height);
        return c;
    }
    TForm* form = nullptr;
};

TEST_F(ControlStyles, CaptureClickAndDoubleClickFollowTheStyleFlags) {
    struct Case {
        const char* name;
        TControlStyle style;
        bool captured;
        int clicks, doubleClicks, downs;
    } cases[] = {
        // The release after a double click is a click too, as in the framework.
        {"framework default", csCaptureMouse | csClickEvents | csDoubleClicks, true, 2, 1, 2},
        {"no capture", csClickEvents | csDoubleClicks, false, 2, 1, 2},
        // A release over the control is no click without click events.
        {"no click events", csCaptureMouse | csDoubleClicks, true, 0, 1, 2},
        // The second press of a double click is a plain press.
        {"no double clicks", csCaptureMouse | csClickEvents, true, 2, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* probe = Add<Probe>(form, 10, 10, 100, 50);
        probe->SetControlStyle(c.style);
        int clicks = 0, doubleClicks = 0, downs = 0;
        probe->OnClick = [&](TObject*) { ++clicks; };
        probe->OnDblClick = [&](TObject*) { ++doubleClicks; };
        probe->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
        probe->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_EQ(GetCaptureControl() == probe, c.captured);
        probe->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        probe->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        probe->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_EQ(doubleClicks, c.doubleClicks);
        EXPECT_EQ(downs, c.downs);
        delete probe;
    }
}

TEST_F(ControlStyles, AWindowWithoutDoubleClicksInItsClassGetsTwoPresses) {
    auto* plain = Add<Probe>(form, 0, 0, 100, 50);
    auto* noDouble = new Probe(form);
    noDouble->classStyle = CS_HREDRAW | CS_VREDRAW;
    noDouble->SetParent(form);
    noDouble->SetBounds(0, 60, 100, 50);
    for (Probe* p : {plain, noDouble}) {
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(p->Widget(), &dbl);
    }
    EXPECT_EQ(plain->Count(WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(plain->Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(noDouble->ClassStyle() & CS_DBLCLKS, 0u);
    EXPECT_EQ(noDouble->Count(WM_LBUTTONDBLCLK), 0);
    EXPECT_EQ(noDouble->Count(WM_LBUTTONDOWN), 1);
}

TEST_F(ControlStyles, OnlyAWindowWithoutRedrawStylesKeepsItsContentsOnAResize) {
    struct Case {
        uint32_t style;
        bool staticContents;
    } cases[] = {{CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, false}, {CS_HREDRAW, false}, {CS_DBLCLKS, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        auto* probe = new Probe(form);
        probe->classStyle = c.style;
        probe->SetParent(form);
        EXPECT_EQ(probe->Widget()->testAttribute(Qt::WA_StaticContents), c.staticContents);
        delete probe;
    }
}

TEST_F(ControlStyles, AnOpaqueWindowIsNotErasedBeforeItPaints) {
    auto* probe = Add<Probe>(form, 0, 0, 50, 50);
    TBitmap out(50, 50);
    probe->PaintTo(out.Canvas(), 0, 0);
    EXPECT_EQ(probe->Count(WM_ERASEBKGND), 1);
    probe->SetControlStyle(probe->ControlStyle() | csOpaque);
    probe->PaintTo(out.Canvas(), 0, 0);
    EXPECT_EQ(probe->Count(WM_ERASEBKGND), 1);
    EXPECT_EQ(probe->Count(WM_PAINT), 2);
}

TEST_F(ControlStyles, AParentPaintsNothingUnderAnOpaqueWindowlessChild) {
    auto* parent = Add<Probe>(form, 0, 0, 100, 100);
    parent->SetColor(clWhite);
    parent->paint = clRed;
    auto* child = Add<Blank>(parent, 20, 20, 30, 30);
    struct Case {
        const char* name;
        bool opaque;
        TColor under;
    } cases[] = {{"see-through child", false, clRed}, {"opaque child", true, clWhite}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        child->SetControlStyle(c.opaque ? child->ControlStyle() | csOpaque : child->ControlStyle() & ~csOpaque);
        TBitmap out(100, 100);
        parent->PaintTo(out.Canvas(), 0, 0);
        // Inside the child only the erase shows (an opaque child paints there itself); around it the paint.
        EXPECT_EQ(out.Pixel(35, 35), ColorToRGB(c.under));
        EXPECT_EQ(out.Pixel(5, 5), ColorToRGB(clRed));
        EXPECT_EQ(out.Pixel(60, 60), ColorToRGB(clRed));
    }
}

TEST_F(ControlStyles, AlignedChildrenShareTheAdjustedClientArea) {
    auto* parent = Add<Probe>(form, 0, 0, 200, 100);
    parent->reserved = Rect(2, 20, 3, 4);
    auto* top = Add<Probe>(parent, 0, 0, 10, 10);
    top->SetAlign(TAlign::alTop);
    auto* rest = Add<Probe>(parent, 0, 0, 10, 10);
    rest->SetAlign(TAlign::alClient);
    EXPECT_EQ(top->BoundsRect(), Rect(2, 20, 197, 30));
    EXPECT_EQ(rest->BoundsRect(), Rect(2, 30, 197, 96));
    parent->SetBounds(0, 0, 100, 80);
    EXPECT_EQ(rest->BoundsRect(), Rect(2, 30, 97, 76));
}

class Wheel : public ControlStyles {
protected:
    void SetUp() override {
        ControlStyles::SetUp();
        panel = Add<Probe>(form, 0, 0, 300, 200);
        focused = Add<Probe>(panel, 10, 10, 100, 50);
        other = Add<Probe>(panel, 10, 100, 100, 50);
        for (Probe* p : {focused, other}) p->SetTabStop(true);
        form->SetVisible(true);
        QApplication::setActiveWindow(form->Widget());
    }
    void Turn(QWidget* at, int delta) {
        QWheelEvent e(QPointF(5, 5), at->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(at, &e);
    }
    Probe* panel = nullptr;
    Probe* focused = nullptr;
    Probe* other = nullptr;
};

TEST_F(Wheel, GoesToTheControlUnderThePointerWhereverTheFocusIs) {
    focused->SetFocus();
    ASSERT_TRUE(focused->Focused());
    Turn(other->Widget(), 120);
    EXPECT_EQ(other->Count(WM_MOUSEWHEEL), 1);
    EXPECT_EQ(focused->Count(WM_MOUSEWHEEL), 0);
    if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    Turn(focused->Widget(), 120);
    EXPECT_EQ(focused->Count(WM_MOUSEWHEEL), 1);
    EXPECT_EQ(other->Count(WM_MOUSEWHEEL), 1);
}

TEST_F(Wheel, AnUnusedTurnBubblesToTheParentsAndAUsedOneStops) {
    focused->SetFocus();
    Turn(other->Widget(), -120);
    EXPECT_EQ(panel->Count(WM_MOUSEWHEEL), 1);
    other->takeWheel = true;
    Turn(other->Widget(), -120);
    EXPECT_EQ(other->Count(WM_MOUSEWHEEL), 2);
    EXPECT_EQ(panel->Count(WM_MOUSEWHEEL), 1);
    EXPECT_EQ(focused->Count(WM_MOUSEWHEEL), 0);
}

TEST_F(Wheel, CarriesTheDeltaAndTheScreenPoint) {
    Turn(other->Widget(), -120);
    EXPECT_EQ(HiWordSigned(LPARAM(other->lastWheel.WParam)), -120);
    const TPoint screen = other->ClientToScreen({5, 5});
    EXPECT_EQ(LoWordSigned(other->lastWheel.LParam), screen.X);
    EXPECT_EQ(HiWordSigned(other->lastWheel.LParam), screen.Y);
}

// Counts its paints.
class Swatch : public TGraphicControl {
public:
    explicit Swatch(TComponent* owner) : TGraphicControl(owner) {}
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        Canvas().Brush().Color = clRed;
        Canvas().FillRect(Rect(0, 0, Width(), Height()));
    }
};

TEST_F(ControlStyles, AWindowlessChildRepaintsItsOwnRectangleOnly) {
    auto* parent = Add<Probe>(form, 0, 0, 300, 200);
    auto* changed = Add<Swatch>(parent, 10, 10, 40, 20);
    auto* neighbour = Add<Swatch>(parent, 100, 10, 40, 20);
    form->SetVisible(true);
    QApplication::processEvents();
    changed->paints = neighbour->paints = 0;
    const int parentPaints = parent->Count(WM_PAINT);
    changed->Repaint();
    EXPECT_EQ(changed->paints, 1);
    EXPECT_EQ(neighbour->paints, 0);
    EXPECT_EQ(parent->Count(WM_PAINT), parentPaints + 1);
    // A window's own Repaint still paints all of it.
    parent->Repaint();
    EXPECT_EQ(changed->paints, 2);
    EXPECT_EQ(neighbour->paints, 1);
}

class PopupProbe : public TPopupWindow {
public:
    explicit PopupProbe(TComponent* owner) : TPopupWindow(owner) {}
    int cancels = 0;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_CANCELMODE) ++cancels;
        TPopupWindow::WndProc(m);
    }
};

TEST_F(ControlStyles, APopupOpensBelowItsRectangleOrAboveWhenItDoesNotFit) {
    TRect work;
    ASSERT_TRUE(GetDesktopWorkRect(work));
    PopupProbe popup(nullptr);
    popup.SetBounds(0, 0, 80, 60);
    struct Case {
        const char* name;
        TRect opener;
        TPoint at;
    } cases[] = {
        {"room below", Rect(work.Left + 10, work.Top + 10, work.Left + 50, work.Top + 30), {work.Left + 10, work.Top + 30}},
        {"at the bottom", Rect(work.Left + 10, work.Bottom - 20, work.Left + 50, work.Bottom), {work.Left + 10, work.Bottom - 80}},
        {"at the right edge", Rect(work.Right - 20, work.Top, work.Right, work.Top + 20), {work.Right - 80, work.Top + 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        popup.PopupBelow(c.opener);
        EXPECT_TRUE(popup.PoppedUp());
        EXPECT_EQ((TPoint{popup.Left(), popup.Top()}), c.at);
        popup.CloseUp();
        EXPECT_FALSE(popup.PoppedUp());
    }
    // Closed by the window system (a click elsewhere), it is told its mode ended.
    popup.PopupBelow(Rect(work.Left, work.Top, work.Left + 10, work.Top + 10));
    popup.Widget()->close();
    EXPECT_EQ(popup.cancels, 1);
    EXPECT_FALSE(popup.PoppedUp());
}

}  // namespace
