#pragma once
// The desktop as the program's platform describes it: screen metrics, the
// work area, monitors, layered-window alpha and the system version.

#include <cstdint>

#include "platform/gui/Controls.h"

enum { SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CMONITORS = 80 };
int GetSystemMetrics(int index);

// The primary screen without panels and docks (SPI_GETWORKAREA).
bool GetDesktopWorkRect(TRect& r);

struct TMonitor;
using HMONITOR = TMonitor*;
enum : uint32_t { MONITOR_DEFAULTTONULL = 0, MONITOR_DEFAULTTOPRIMARY = 1, MONITOR_DEFAULTTONEAREST = 2 };
enum : uint32_t { MONITORINFOF_PRIMARY = 1 };

struct MONITORINFO {
    uint32_t cbSize = 40;
    TRect rcMonitor;
    TRect rcWork;
    uint32_t dwFlags = 0;
};

// The monitor that shows most of the window; with no window (or one not on
// any screen) the flags decide between none, the primary and the nearest one.
HMONITOR MonitorFromWindow(HWND wnd, uint32_t flags);
bool GetMonitorInfo(HMONITOR monitor, MONITORINFO& info);

enum : uint32_t { LWA_COLORKEY = 1, LWA_ALPHA = 2 };
// The opacity of a top-level window (alpha 0..255); the colour key is not
// supported and is ignored. Returns false when the window has no top level.
bool SetLayeredWindowAttributes(HWND wnd, TColor key, uint8_t alpha, uint32_t flags);
// The opacity last given to the window's top level, 255 when none was.
uint8_t GetLayeredWindowAlpha(HWND wnd);

// The platform's version word: major version in the low byte, minor in the
// next. This layer answers as the newest system the program knew.
uint32_t GetVersion();

// Scroll-bar state as the platform reports it; this layer has no query for
// it, so callers fall back to treating the bar as invisible.
enum : uint32_t { STATE_SYSTEM_INVISIBLE = 0x8000, OBJID_HSCROLL = 0xFFFFFFFA, OBJID_VSCROLL = 0xFFFFFFFB };
struct SCROLLBARINFO {
    uint32_t cbSize = 60;
    TRect rcScrollBar;
    int dxyLineButton = 0;
    int xyThumbTop = 0;
    int xyThumbBottom = 0;
    int reserved = 0;
    uint32_t rgstate[6] = {};
};
