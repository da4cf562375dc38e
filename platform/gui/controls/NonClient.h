#pragma once
// A window's frame band and the messages around a window's place: Qt gives a
// widget no non-client area, so the band is emulated inside the widget. The
// window says how wide it is (WM_NCCALCSIZE), paints it (WM_NCPAINT), names
// the part under the mouse (WM_NCHITTEST) and gets the mouse there as
// WM_NCMOUSEMOVE and WM_NCLBUTTON*; the client area, its children and its
// client messages sit inside the band.

#include <string>

#include "platform/gui/Controls.h"

enum : UINT {
    WM_NCCALCSIZE = 0x0083, WM_NCPAINT = 0x0085, WM_NCMOUSEMOVE = 0x00A0, WM_NCLBUTTONDOWN = 0x00A1,
    WM_NCLBUTTONUP = 0x00A2, WM_NCLBUTTONDBLCLK = 0x00A3, WM_PARENTNOTIFY = 0x0210,
};

// WM_NCHITTEST answers.
enum : LRESULT {
    HTERROR = -2, HTTRANSPARENT = -1, HTNOWHERE = 0, HTCLIENT = 1, HTCAPTION = 2, HTSYSMENU = 3, HTGROWBOX = 4,
    HTMENU = 5, HTHSCROLL = 6, HTVSCROLL = 7, HTMINBUTTON = 8, HTMAXBUTTON = 9, HTLEFT = 10, HTRIGHT = 11,
    HTTOP = 12, HTTOPLEFT = 13, HTTOPRIGHT = 14, HTBOTTOM = 15, HTBOTTOMLEFT = 16, HTBOTTOMRIGHT = 17,
    HTBORDER = 18, HTCLOSE = 20, HTHELP = 21, HTSIZE = HTGROWBOX,
};

// SetWindowPos flags.
enum : UINT {
    SWP_NOSIZE = 0x0001, SWP_NOMOVE = 0x0002, SWP_NOZORDER = 0x0004, SWP_NOREDRAW = 0x0008,
    SWP_NOACTIVATE = 0x0010, SWP_FRAMECHANGED = 0x0020, SWP_SHOWWINDOW = 0x0040, SWP_HIDEWINDOW = 0x0080,
};

// Where a window is about to go: WM_WINDOWPOSCHANGING carries a pointer to
// one in LParam, and the window may change it before it is applied.
struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0, y = 0, cx = 0, cy = 0;
    UINT flags = 0;
};

// WM_NCCALCSIZE with WParam true: rgrc[0] comes in as the window's rectangle
// in its parent's client coordinates and goes back as its client rectangle.
struct NCCALCSIZE_PARAMS {
    TRect rgrc[3];
    WINDOWPOS* lppos = nullptr;
};

constexpr WPARAM MAKEWPARAM(int lo, int hi) { return WPARAM(uint32_t((lo & 0xFFFF) | ((hi & 0xFFFF) << 16))); }
constexpr int LoWord(uintptr_t v) { return int(v & 0xFFFF); }
constexpr int HiWord(uintptr_t v) { return int((v >> 16) & 0xFFFF); }

// Moves, sizes or re-frames a window as SetWindowPos does; SWP_FRAMECHANGED
// asks the window for its frame band again.
bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// The window's class name: what the window says it is (native controls
// answer the platform's names, as "SysHeader32").
std::string GetClassName(HWND window);

namespace non_client {

// The mouse in window coordinates, as the bridge sees it: a point in the band
// becomes the WM_NC* message of its hit-test code, a point in the client area
// the client message in client coordinates. Moves also set the cursor
// (WM_SETCURSOR). Returns whether the message was consumed.
bool RouteMouse(TWinControl& window, UINT msg, WPARAM keys, int x, int y);

// The default handling of the band's messages: a press on a sizing code
// resizes the form, WM_SETCURSOR shows the cursor of the code or of the
// control. True when the message was one of these.
bool DefaultHandler(TWinControl& window, TMessage& m);

// Whether the mouse is sizing a form from a press on a sizing code.
bool Sizing();

}  // namespace non_client
