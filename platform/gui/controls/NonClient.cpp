#include "platform/gui/controls/NonClient.h"

#include <QCursor>
#include <QVariant>
#include <QWidget>

#include "platform/gui/QtBridge.h"

namespace {

constexpr const char* kCursorSetProperty = "lexmoorCursorSet";

bool IsSizingCode(LRESULT code) { return code >= HTLEFT && code <= HTBOTTOMRIGHT; }

// The form edges a sizing code drags.
struct TEdges {
    bool left = false, top = false, right = false, bottom = false;
};

TEdges EdgesOf(LRESULT code) {
    switch (code) {
        case HTLEFT: return {true, false, false, false};
        case HTRIGHT: return {false, false, true, false};
        case HTTOP: return {false, true, false, false};
        case HTBOTTOM: return {false, false, false, true};
        case HTTOPLEFT: return {true, true, false, false};
        case HTTOPRIGHT: return {false, true, true, false};
        case HTBOTTOMLEFT: return {true, false, false, true};
        case HTBOTTOMRIGHT: return {false, false, true, true};
        default: return {};
    }
}

// A form being sized from a press on a sizing code of one of its windows.
struct TSizeDrag {
    TWinControl* form = nullptr;
    TPoint start;
    TRect bounds;
    TEdges edges;
};

TSizeDrag gDrag;
// The last mouse point routed, in screen coordinates: where the cursor is, as
// far as the layer's cursor choice goes (synthetic input included).
TPoint gMousePoint;

// The client area inside the band (controls may report a smaller one for their children).
TRect BandClient(const TWinControl& window) { return window.TWinControl::ClientRect(); }

// A point in window coordinates on the screen, by the same reckoning as ScreenToClient.
TPoint ScreenPoint(const TWinControl& window, int x, int y) {
    const TRect& band = window.NonClientBand();
    return window.ClientToScreen({x - band.Left, y - band.Top});
}

void SizeFormTo(TPoint screen) {
    if (!IsWindow(gDrag.form)) {
        gDrag = {};
        return;
    }
    const int dx = screen.X - gDrag.start.X, dy = screen.Y - gDrag.start.Y;
    TRect r = gDrag.bounds;
    if (gDrag.edges.left) r.Left += dx;
    if (gDrag.edges.right) r.Right += dx;
    if (gDrag.edges.top) r.Top += dy;
    if (gDrag.edges.bottom) r.Bottom += dy;
    gDrag.form->SetBounds(r.Left, r.Top, std::max(1, r.Width()), std::max(1, r.Height()));
}

Qt::CursorShape ShapeOfCode(LRESULT code) {
    switch (code) {
        case HTLEFT: case HTRIGHT: return Qt::SizeHorCursor;
        case HTTOP: case HTBOTTOM: return Qt::SizeVerCursor;
        case HTTOPLEFT: case HTBOTTOMRIGHT: return Qt::SizeFDiagCursor;
        case HTTOPRIGHT: case HTBOTTOMLEFT: return Qt::SizeBDiagCursor;
        default: return Qt::ArrowCursor;
    }
}

Qt::CursorShape ShapeOf(TCursor cursor) {
    switch (cursor) {
        case TCursor::crHandPoint: return Qt::PointingHandCursor;
        case TCursor::crIBeam: return Qt::IBeamCursor;
        case TCursor::crHourGlass: return Qt::WaitCursor;
        case TCursor::crSizeWE: return Qt::SizeHorCursor;
        case TCursor::crSizeNS: return Qt::SizeVerCursor;
        case TCursor::crSizeAll: return Qt::SizeAllCursor;
        default: return Qt::ArrowCursor;
    }
}

// Shows a cursor over the window; crDefault gives back the widget's own
// (native widgets keep theirs unless the layer replaced it).
void ShowCursor(TWinControl& window, bool useDefault, Qt::CursorShape shape) {
    QWidget* widget = window.Widget();
    if (!widget) return;
    if (!useDefault) {
        widget->setCursor(shape);
        widget->setProperty(kCursorSetProperty, true);
    } else if (widget->property(kCursorSetProperty).toBool()) {
        widget->unsetCursor();
        widget->setProperty(kCursorSetProperty, QVariant());
    }
}

LRESULT DefaultHitTest(const TWinControl& window, LPARAM lParam) {
    const TPoint client = window.ScreenToClient({LoWordSigned(lParam), HiWordSigned(lParam)});
    if (BandClient(window).Contains(client)) return HTCLIENT;
    const TRect& band = window.NonClientBand();
    const TPoint inWindow{client.X + band.Left, client.Y + band.Top};
    return Rect(0, 0, window.Width(), window.Height()).Contains(inWindow) ? HTBORDER : HTNOWHERE;
}

void DefaultSetCursor(TWinControl& window, TMessage& m) {
    // The parent may choose the cursor first, as on the platform.
    if (TWinControl* parent = window.Parent(); parent && parent->Perform(WM_SETCURSOR, m.WParam, m.LParam) != 0) {
        m.Result = 1;
        return;
    }
    // A parent is only asked on behalf of its child: the child shows the cursor.
    if (reinterpret_cast<TWinControl*>(m.WParam) != &window) return;
    const LRESULT code = LoWordSigned(m.LParam);
    if (code != HTCLIENT) {
        ShowCursor(window, code == HTBORDER || code == HTNOWHERE, ShapeOfCode(code));
        m.Result = 1;
        return;
    }
    TCursor cursor = window.Cursor;
    const TPoint at = window.ScreenToClient(gMousePoint);
    if (TControl* child = window.ControlAtPos(at); child && !dynamic_cast<TWinControl*>(child) &&
                                                   child->Cursor != TCursor::crDefault)
        cursor = child->Cursor;
    ShowCursor(window, cursor == TCursor::crDefault, ShapeOf(cursor));
    m.Result = cursor != TCursor::crDefault;
}

}  // namespace

bool SetWindowPos(HWND window, HWND /*insertAfter*/, int x, int y, int cx, int cy, UINT flags) {
    if (!IsWindow(window)) return false;
    if (!(flags & SWP_NOMOVE) || !(flags & SWP_NOSIZE)) {
        if (flags & SWP_NOMOVE) x = window->Left(), y = window->Top();
        if (flags & SWP_NOSIZE) cx = window->Width(), cy = window->Height();
        window->SetBounds(x, y, cx, cy);
    }
    if (flags & SWP_FRAMECHANGED) window->RecalcNonClient();
    if (flags & SWP_SHOWWINDOW) window->Show();
    if (flags & SWP_HIDEWINDOW) window->Hide();
    return true;
}

std::string GetClassName(HWND window) { return IsWindow(window) ? window->WindowClassName() : std::string(); }

namespace non_client {

bool Sizing() { return gDrag.form != nullptr; }

bool RouteMouse(TWinControl& window, UINT msg, WPARAM keys, int x, int y) {
    const TPoint screen = ScreenPoint(window, x, y);
    gMousePoint = screen;
    if (Sizing()) {
        if (msg == WM_MOUSEMOVE) SizeFormTo(screen);
        if (msg == WM_LBUTTONUP) gDrag = {};
        return true;
    }
    const LPARAM screenParam = MAKELPARAM(screen.X, screen.Y);
    const bool captured = GetCaptureControl() == &window;
    LRESULT hit = captured ? HTCLIENT : window.Perform(WM_NCHITTEST, 0, screenParam);
    if (!IsWindow(&window)) return true;
    if (hit == HTNOWHERE || hit == HTTRANSPARENT || hit == HTERROR) hit = HTCLIENT;
    if (msg == WM_MOUSEMOVE && !captured) window.Perform(WM_SETCURSOR, WPARAM(&window), MAKELPARAM(int(hit), int(msg)));
    if (hit != HTCLIENT) {
        // The band's own messages carry the hit-test code and the screen point.
        window.Perform(msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE, WPARAM(hit), screenParam);
        return true;
    }
    const TRect& band = window.NonClientBand();
    const TPoint client{x - band.Left, y - band.Top};
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
        // Every window above hears of a press in a child, at the point in its own client area.
        for (TWinControl* parent = window.Parent(); parent; parent = parent->Parent()) {
            const TPoint p = parent->ScreenToClient(screen);
            parent->Perform(WM_PARENTNOTIFY, MAKEWPARAM(int(msg), 0), MAKELPARAM(p.X, p.Y));
            if (!IsWindow(&window)) return true;
        }
    }
    return TQtBridge::MouseMessage(&window, msg, keys, client.X, client.Y);
}

bool DefaultHandler(TWinControl& window, TMessage& m) {
    switch (m.Msg) {
        case WM_NCHITTEST: m.Result = DefaultHitTest(window, m.LParam); return true;
        case WM_NCCALCSIZE:
        case WM_NCPAINT:
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONUP:
        case WM_NCLBUTTONDBLCLK:
        case WM_PARENTNOTIFY:
        case WM_WINDOWPOSCHANGING: return true;
        case WM_NCLBUTTONDOWN:
            if (IsSizingCode(LRESULT(m.WParam))) {
                TWinControl* form = &window;
                while (form->Parent()) form = form->Parent();
                gDrag = {form, {LoWordSigned(m.LParam), HiWordSigned(m.LParam)}, form->BoundsRect(),
                         EdgesOf(LRESULT(m.WParam))};
            }
            return true;
        case WM_SETCURSOR: DefaultSetCursor(window, m); return true;
        default: return false;
    }
}

}  // namespace non_client
