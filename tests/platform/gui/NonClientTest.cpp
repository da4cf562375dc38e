// The frame band emulated inside a widget, and the messages about a window's
// place: its size and position before they are applied, its children's
// creation and presses, and the cursor.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/controls/NonClient.h"

namespace {

constexpr LRESULT kLeftButton = 119, kRightButton = 120;

struct Received {
    UINT msg;
    WPARAM wParam;
    TPoint point;
    LPARAM lParam;
};

// A bar with scroll buttons in a band of `side` pixels at each end, painted
// red; its client area is painted blue.
class Banded : public TCustomControl {
public:
    explicit Banded(TComponent* owner) : TCustomControl(owner) {}
    int side = 12;
    std::vector<Received> received;
    std::vector<Received> Of(UINT msg) const {
        std::vector<Received> out;
        std::copy_if(received.begin(), received.end(), std::back_inserter(out),
                     [msg](const Received& r) { return r.msg == msg; });
        return out;
    }

protected:
    void WndProc(TMessage& m) override {
        switch (m.Msg) {
            case WM_NCCALCSIZE: {
                auto& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0];
                r.Left += side;
                r.Right -= side;
                return;
            }
            case WM_NCHITTEST: {
                TCustomControl::WndProc(m);
                const TPoint p = ScreenToClient({LoWordSigned(m.LParam), HiWordSigned(m.LParam)});
                if (p.X < 0) m.Result = kLeftButton;
                if (p.X >= ClientWidth()) m.Result = kRightButton;
                return;
            }
            case WM_NCPAINT: {
                auto& canvas = *reinterpret_cast<TCanvas*>(m.WParam);
                canvas.Brush().Color = clRed;
                canvas.FillRect(Rect(0, 0, Width(), Height()));
                return;
            }
            default: break;
        }
        if (m.Msg != WM_SETCURSOR && m.Msg != WM_PAINT && m.Msg != WM_ERASEBKGND)
            received.push_back({m.Msg, m.WParam, {LoWordSigned(m.LParam), HiWordSigned(m.LParam)}, m.LParam});
        TCustomControl::WndProc(m);
    }
    void Paint() override {
        Canvas().Brush().Color = clBlue;
        Canvas().FillRect(ClientRect());
        Canvas().Brush().Color = clLime;
        Canvas().FillRect(Rect(0, 0, 2, 2));
    }
};

class NonClient : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 300, 200);
        bar = new Banded(form);
        bar->SetParent(form);
        bar->SetBounds(10, 20, 200, 30);
    }
    void TearDown() override { delete form; }
    TPoint Screen(TWinControl* w, int x, int y) { return w->ClientToScreen({x, y}); }
    TForm* form = nullptr;
    Banded* bar = nullptr;
};

TEST_F(NonClient, TheBandShrinksTheClientAreaAndMovesItsChildren) {
    EXPECT_EQ(bar->NonClientBand(), Rect(12, 0, 12, 0));
    EXPECT_EQ(bar->ClientRect(), Rect(0, 0, 176, 30));
    auto* child = new TCustomControl(form);
    child->SetParent(bar);
    child->SetAlign(TAlign::alClient);
    EXPECT_EQ(child->BoundsRect(), Rect(0, 0, 176, 30)) << "aligned children fill the client area only";
    EXPECT_EQ(child->Widget()->geometry(), QRect(12, 0, 176, 30)) << "the widget sits inside the band";
    EXPECT_EQ(Screen(child, 0, 0).X - Screen(form, 0, 0).X, 10 + 12);

    // The band follows what the window answers, once it is asked again.
    bar->side = 20;
    SetWindowPos(bar, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(bar->ClientRect().Width(), 160);
    EXPECT_EQ(child->Width(), 160);
    EXPECT_EQ(child->Widget()->x(), 20);
    bar->side = 0;
    bar->SetWidth(150);
    EXPECT_EQ(bar->NonClientBand(), TRect{}) << "a resize asks for the band too";
    EXPECT_EQ(child->Widget()->x(), 0);
}

TEST_F(NonClient, TheBandIsPaintedAroundTheShiftedClientArea) {
    TBitmap image(bar->Width(), bar->Height());
    bar->PaintTo(image.Canvas(), 0, 0);
    EXPECT_EQ(image.Pixel(0, 15), clRed);
    EXPECT_EQ(image.Pixel(11, 15), clRed);
    EXPECT_EQ(image.Pixel(12, 0), clLime) << "client (0, 0) is drawn at the band's inner edge";
    EXPECT_EQ(image.Pixel(14, 15), clBlue);
    EXPECT_EQ(image.Pixel(187, 15), clBlue);
    EXPECT_EQ(image.Pixel(188, 15), clRed) << "client painting is clipped to the client area";
    EXPECT_EQ(image.Pixel(199, 15), clRed);
}

TEST_F(NonClient, MouseInTheBandArrivesAsItsOwnMessagesWithTheHitCode) {
    struct Case {
        const char* name;
        UINT msg;
        int x;
        UINT expected;
        LRESULT code;
        int clientX;  // for client messages
    };
    const Case cases[] = {
        {"move over the left button", WM_MOUSEMOVE, 3, WM_NCMOUSEMOVE, kLeftButton, 0},
        {"press on the left button", WM_LBUTTONDOWN, 11, WM_NCLBUTTONDOWN, kLeftButton, 0},
        {"release on the right button", WM_LBUTTONUP, 190, WM_NCLBUTTONUP, kRightButton, 0},
        {"double click on the right button", WM_LBUTTONDBLCLK, 199, WM_NCLBUTTONDBLCLK, kRightButton, 0},
        {"move in the client area", WM_MOUSEMOVE, 12, WM_MOUSEMOVE, HTCLIENT, 0},
        {"move at the client's right end", WM_MOUSEMOVE, 187, WM_MOUSEMOVE, HTCLIENT, 175},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar->received.clear();
        non_client::RouteMouse(*bar, c.msg, c.msg == WM_LBUTTONDOWN ? WPARAM(MK_LBUTTON) : WPARAM(0), c.x, 7);
        SetCaptureControl(nullptr);
        const auto got = bar->Of(c.expected);
        ASSERT_EQ(got.size(), 1u);
        if (c.code == HTCLIENT) {
            EXPECT_EQ(got[0].point, Point(c.clientX, 7));
        } else {
            EXPECT_EQ(LRESULT(got[0].wParam), c.code);
            EXPECT_EQ(got[0].point, Screen(bar, c.x - 12, 7)) << "the band's messages carry screen points";
            EXPECT_TRUE(bar->Of(c.msg).empty()) << "no client message for a point in the band";
        }
    }
}

TEST_F(NonClient, AQtClickOnTheBandReachesTheWindowAsABandMessage) {
    form->Show();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(195, 5), QPointF(195, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(bar->Widget(), &press);
    ASSERT_EQ(bar->Of(WM_NCLBUTTONDOWN).size(), 1u);
    EXPECT_EQ(LRESULT(bar->Of(WM_NCLBUTTONDOWN)[0].wParam), kRightButton);
    EXPECT_TRUE(bar->Of(WM_LBUTTONDOWN).empty());
}

// A child of one colour.
class Patch : public TCustomControl {
public:
    explicit Patch(TComponent* owner) : TCustomControl(owner) {}

protected:
    void Paint() override {
        Canvas().Brush().Color = clYellow;
        Canvas().FillRect(ClientRect());
    }
};

TEST_F(NonClient, ChildrenShowOnlyInsideTheClientAreaAndNeverOverTheBand) {
    auto* left = new Patch(form);
    left->SetParent(bar);
    left->SetBounds(-5, 0, 60, 30);
    auto* right = new Patch(form);
    right->SetParent(bar);
    right->SetBounds(150, 0, 60, 30);
    auto shot = [&] {
        TBitmap image(bar->Width(), bar->Height());
        bar->PaintTo(image.Canvas(), 0, 0);
        return image;
    };
    struct Probe {
        int x;
        TColor colour;
    };
    auto check = [&](const char* when, std::initializer_list<Probe> probes) {
        SCOPED_TRACE(when);
        const TBitmap image = shot();
        for (const Probe& p : probes) {
            SCOPED_TRACE(p.x);
            EXPECT_EQ(image.Pixel(p.x, 15), p.colour);
        }
    };
    // The band is 12 pixels at each end of 200: the client runs from 12 to 188.
    check("placed", {{5, clRed}, {12, clYellow}, {66, clYellow}, {100, clBlue}, {187, clYellow}, {195, clRed}});
    // A narrower bar cuts the child at its new client edge (178).
    bar->SetWidth(190);
    check("narrowed", {{170, clYellow}, {177, clYellow}, {178, clRed}, {185, clRed}});
    // A child wholly outside the client area shows nowhere, not even in the band.
    right->SetBounds(-12, 0, 10, 30);
    check("outside", {{2, clRed}, {8, clRed}, {12, clYellow}, {170, clBlue}});
    // The child's own region still holds inside the client area.
    left->SetWindowRgn(CreateRectRgn(0, 0, 20, 30), true);
    check("with a region", {{5, clRed}, {12, clYellow}, {26, clYellow}, {28, clBlue}});
    // Without a band the child is whole again (its region aside).
    left->SetWindowRgn(nullptr, true);
    left->SetLeft(0);
    bar->side = 0;
    bar->SetWidth(300);
    check("no band", {{0, clYellow}, {59, clYellow}, {60, clBlue}, {299, clBlue}});
}

// A status bar's grip: the bottom-right 10 pixels answer HTBOTTOMRIGHT.
class Grip : public TCustomControl {
public:
    explicit Grip(TComponent* owner) : TCustomControl(owner) {}
    int setCursorCalls = 0;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_SETCURSOR) ++setCursorCalls;
        TCustomControl::WndProc(m);
        if (m.Msg == WM_NCHITTEST && m.Result == HTCLIENT) {
            const TPoint p = ScreenToClient({LoWordSigned(m.LParam), HiWordSigned(m.LParam)});
            if (p.X >= Width() - 10 && p.Y >= Height() - 10) m.Result = HTBOTTOMRIGHT;
        }
    }
};

TEST_F(NonClient, PressingTheGripSizesTheFormAndShowsTheSizingCursor) {
    auto* status = new Grip(form);
    status->SetParent(form);
    status->SetAlign(TAlign::alBottom);
    status->SetHeight(20);
    ASSERT_EQ(status->Top(), 180);

    non_client::RouteMouse(*status, WM_MOUSEMOVE, 0, 50, 10);
    EXPECT_EQ(status->Widget()->cursor().shape(), Qt::ArrowCursor);
    non_client::RouteMouse(*status, WM_MOUSEMOVE, 0, 295, 15);
    EXPECT_EQ(status->Widget()->cursor().shape(), Qt::SizeFDiagCursor);
    EXPECT_EQ(status->setCursorCalls, 2);

    non_client::RouteMouse(*status, WM_LBUTTONDOWN, MK_LBUTTON, 295, 15);
    EXPECT_TRUE(non_client::Sizing());
    // The bar moves down with the form's bottom: points stay in its own coordinates.
    non_client::RouteMouse(*status, WM_MOUSEMOVE, MK_LBUTTON, 325, 55);
    EXPECT_EQ(form->Width(), 330);
    EXPECT_EQ(form->Height(), 240);
    EXPECT_EQ(status->Top(), 220);
    non_client::RouteMouse(*status, WM_MOUSEMOVE, MK_LBUTTON, 305, 15);
    EXPECT_EQ(form->Width(), 310) << "measured from where the press was, on the screen";
    EXPECT_EQ(form->Height(), 240);
    non_client::RouteMouse(*status, WM_LBUTTONUP, 0, 305, 15);
    EXPECT_FALSE(non_client::Sizing());
    non_client::RouteMouse(*status, WM_MOUSEMOVE, 0, 100, 5);
    EXPECT_EQ(form->Width(), 310) << "released: moves no longer size";
    EXPECT_EQ(status->Widget()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(NonClient, ACursorPropertyShowsOverTheClientAreaAndAParentMayOverrule) {
    bar->Cursor = TCursor::crHandPoint;
    non_client::RouteMouse(*bar, WM_MOUSEMOVE, 0, 50, 5);
    EXPECT_EQ(bar->Widget()->cursor().shape(), Qt::PointingHandCursor);
    non_client::RouteMouse(*bar, WM_MOUSEMOVE, 0, 3, 5);
    EXPECT_EQ(bar->Widget()->cursor().shape(), Qt::ArrowCursor) << "the band's own code decides there";

    // A form that answers WM_SETCURSOR itself keeps the child's cursor as it was.
    class Keeper : public TForm {
    public:
        Keeper() : TForm(nullptr) {}
        void WndProc(TMessage& m) override {
            if (m.Msg == WM_SETCURSOR) {
                m.Result = 1;
                return;
            }
            TForm::WndProc(m);
        }
    } keeper;
    auto* inner = new TCustomControl(&keeper);
    inner->SetParent(&keeper);
    inner->SetBounds(0, 0, 50, 50);
    inner->Cursor = TCursor::crSizeAll;
    non_client::RouteMouse(*inner, WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_NE(inner->Widget()->cursor().shape(), Qt::SizeAllCursor);
}

// Widens itself by 4 pixels whenever it is sized, as a header does under a list.
class Wider : public TCustomControl {
public:
    explicit Wider(TComponent* owner) : TCustomControl(owner) {}
    std::vector<UINT> flags;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_WINDOWPOSCHANGING) {
            auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
            flags.push_back(pos->flags & (SWP_NOMOVE | SWP_NOSIZE));
            pos->cx += 4;
        }
        TCustomControl::WndProc(m);
    }
};

TEST_F(NonClient, AWindowMayChangeItsPlaceBeforeItIsApplied) {
    auto* header = new Wider(form);
    header->SetParent(form);
    header->flags.clear();
    header->SetBounds(0, 0, 100, 20);
    EXPECT_EQ(header->Width(), 104);
    header->SetTop(5);
    EXPECT_EQ(header->Width(), 104) << "a move alone does not size";
    header->SetBounds(0, 5, 104, 20);
    EXPECT_EQ(header->flags, (std::vector<UINT>{SWP_NOMOVE, SWP_NOSIZE})) << "no message when nothing changes";
}

TEST_F(NonClient, ParentsHearOfChildrenCreatedPressedAndRemoved) {
    auto* panel = new Banded(form);
    panel->side = 0;
    panel->SetParent(form);
    panel->SetBounds(50, 60, 100, 100);
    panel->received.clear();
    auto* child = new Wider(form);
    child->SetParent(panel);
    child->SetBounds(5, 6, 30, 30);

    auto notes = panel->Of(WM_PARENTNOTIFY);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(LoWord(notes[0].wParam), int(WM_CREATE));
    EXPECT_EQ(reinterpret_cast<HWND>(notes[0].lParam), child);
    EXPECT_EQ(GetClassName(child), "Wider") << "a window's class is its control's class";
    EXPECT_EQ(GetClassName(nullptr), "");

    panel->received.clear();
    non_client::RouteMouse(*child, WM_LBUTTONDOWN, MK_LBUTTON, 2, 3);
    SetCaptureControl(nullptr);
    notes = panel->Of(WM_PARENTNOTIFY);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(LoWord(notes[0].wParam), int(WM_LBUTTONDOWN));
    EXPECT_EQ(notes[0].point, Point(7, 9)) << "in the parent's client coordinates";

    panel->received.clear();
    child->SetParent(nullptr);
    notes = panel->Of(WM_PARENTNOTIFY);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(LoWord(notes[0].wParam), int(WM_DESTROY));
    delete child;
}

}  // namespace
