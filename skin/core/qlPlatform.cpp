// Platform decisions of the skinned parts: system version rules, window
// alpha, scroll-bar state and the work area of a window's monitor.

#include <algorithm>

#include "skin/core/qlUtils.h"

namespace {

// The optional entry points; null when the platform lacks one.
struct TPlatformEntries {
    HMONITOR (*MonitorFromWindow)(HWND, uint32_t) = nullptr;
    bool (*GetMonitorInfo)(HMONITOR, MONITORINFO&) = nullptr;
    bool (*GetScrollBarInfo)(HWND, uint32_t, SCROLLBARINFO&) = nullptr;
};

TPlatformEntries gEntries;
int gInitCount = 0;

// Bound when the program starts, as the unit's initialization is.
const struct TStartupBinding {
    TStartupBinding() { InitializeQlUtils(); }
} gStartupBinding;

}  // namespace

void InitializeQlUtils() {
    if (gInitCount++ > 0) return;
    gEntries.MonitorFromWindow = &MonitorFromWindow;
    gEntries.GetMonitorInfo = &GetMonitorInfo;
    // This platform has no scroll-bar query: callers see the bar as invisible.
    gEntries.GetScrollBarInfo = nullptr;
    IsNTPlatform = true;
}

void FinalizeQlUtils() {
    if (gInitCount == 0 || --gInitCount > 0) return;
    gEntries = TPlatformEntries{};
}

void GetOSVersion(int& Major, int& Minor) {
    const uint32_t version = GetVersion();
    Major = int(version & 0xFF);
    Minor = int((version >> 8) & 0xFF);
}

bool IsOS2000RuleFor(int Major, int Minor) { return Major > 5 || (Major == 5 && Minor >= 0 && Minor <= 2); }

bool IsOSXPRuleFor(int Major, int Minor) { return Major > 5 || (Major == 5 && Minor == 1); }

bool IsOSMajor6OrLater() {
    int major = 0, minor = 0;
    GetOSVersion(major, minor);
    return major >= 6;
}

bool IsOS2000Rule() {
    int major = 0, minor = 0;
    GetOSVersion(major, minor);
    return IsOS2000RuleFor(major, minor);
}

bool IsOSXPRule() {
    int major = 0, minor = 0;
    GetOSVersion(major, minor);
    return IsOSXPRuleFor(major, minor);
}

void SetWindowAlpha(HWND Wnd, int Alpha) {
    SetLayeredWindowAttributes(Wnd, 0, uint8_t(std::clamp(Alpha, 0, 255)), LWA_ALPHA);
}

bool SafeGetScrollBarInfo(HWND Wnd, uint32_t ObjectId, SCROLLBARINFO& Info) {
    if (gEntries.GetScrollBarInfo) return gEntries.GetScrollBarInfo(Wnd, ObjectId, Info);
    Info.rgstate[0] = STATE_SYSTEM_INVISIBLE;
    return false;
}

bool HasSeveralMonitors() { return GetSystemMetrics(SM_CMONITORS) >= 2 && gEntries.GetMonitorInfo != nullptr; }

void GetDesktopWorkArea(bool UseWorkArea, TRect& R) {
    if (UseWorkArea && GetDesktopWorkRect(R)) return;
    R = Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void GetWorkAreaOfWindow(HWND Wnd, bool UseWorkArea, TRect& R) {
    if (HasSeveralMonitors() && gEntries.MonitorFromWindow) {
        MONITORINFO info;
        const HMONITOR monitor = gEntries.MonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST);
        if (monitor && gEntries.GetMonitorInfo(monitor, info)) {
            R = UseWorkArea ? info.rcWork : info.rcMonitor;
            return;
        }
    }
    // One monitor, or a monitor that could not be asked: the desktop's area
    // rather than leaving R as it was.
    GetDesktopWorkArea(UseWorkArea, R);
}
