#pragma once
// A window's scroll state as the platform keeps it (range, page, position),
// read and set with GetScrollInfo/SetScrollInfo, and WM_HSCROLL/WM_VSCROLL
// for windows that scroll. A view standing on a Qt scroll area keeps its
// state in Qt's bars; it can hide them and be driven from bars outside it.

#include <functional>

#include "platform/gui/Controls.h"

enum : int { SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3 };

// WM_HSCROLL/WM_VSCROLL request codes.
enum : int {
    SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2, SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6,
    SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8,
};

enum : UINT { SIF_RANGE = 0x01, SIF_PAGE = 0x02, SIF_POS = 0x04, SIF_DISABLENOSCROLL = 0x08, SIF_TRACKPOS = 0x10,
              SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS };

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// The platform's rules: the page never exceeds the range's length
// (Max - Min + 1), and the position stays within Min .. Max - Page + 1.
struct TScrollRange {
    int Min = 0;
    int Max = 0;
    UINT Page = 0;
    int Pos = 0;

    // The largest position the page allows.
    int MaxPos() const;
    // Applies the fields the mask names, then the rules; returns the position.
    int Apply(const SCROLLINFO& info);
    // Fills the fields the mask names (the track position is the position).
    void Fill(SCROLLINFO& info) const;
};

// The request and the position of WM_HSCROLL/WM_VSCROLL. The position takes
// the whole upper part of WParam, so that it is never cut to 16 bits.
constexpr WPARAM MakeScrollWParam(int code, int pos) { return WPARAM(code & 0xFFFF) | (WPARAM(uint32_t(pos)) << 16); }
constexpr int ScrollCodeOf(WPARAM w) { return int(w & 0xFFFF); }
constexpr int ScrollPosOf(WPARAM w) { return int32_t(uint32_t(w >> 16)); }

bool GetScrollInfo(HWND window, int bar, SCROLLINFO* info);
// Returns the new position.
int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, bool redraw);
int GetScrollPos(HWND window, int bar);

// Shows or hides the Qt scroll bars of a view; hidden, the view still keeps
// its scroll state and scrolls by messages.
void ShowNativeScrollBars(TWinControl& view, bool show);
bool NativeScrollBarsShown(const TWinControl& view);
// Keeps a strip along the view's right and bottom edges free of its content,
// for bars drawn outside the view's own widget.
void SetScrollBarRoom(TWinControl& view, int right, int bottom);
// Calls OnChange whenever the view's scroll state changes, whoever changed
// it, and when the view is moved, resized, shown or hidden; until the view goes.
void WatchScrollState(TWinControl& view, std::function<void()> OnChange);

namespace scrolling {
// WM_HSCROLL/WM_VSCROLL on a window standing on a Qt scroll area: it scrolls
// as the request says. True when the message was handled.
bool DefaultHandler(TWinControl& window, TMessage& m);
}  // namespace scrolling
