// Screens and windows through Qt.

#include "platform/gui/Desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

TRect ToTRect(const QRect& r) { return Bounds(r.x(), r.y(), r.width(), r.height()); }

QScreen* ScreenOf(HMONITOR monitor) { return reinterpret_cast<QScreen*>(monitor); }

HMONITOR MonitorOf(QScreen* screen) { return reinterpret_cast<HMONITOR>(screen); }

bool IsKnownScreen(QScreen* screen) { return screen && QGuiApplication::screens().contains(screen); }

}  // namespace

int GetSystemMetrics(int index) {
    QScreen* primary = QGuiApplication::primaryScreen();
    switch (index) {
        case SM_CXSCREEN: return primary ? primary->geometry().width() : 0;
        case SM_CYSCREEN: return primary ? primary->geometry().height() : 0;
        case SM_CMONITORS: return static_cast<int>(QGuiApplication::screens().size());
        default: return 0;
    }
}

bool GetDesktopWorkRect(TRect& r) {
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return false;
    r = ToTRect(primary->availableGeometry());
    return true;
}

HMONITOR MonitorFromWindow(HWND wnd, uint32_t flags) {
    if (wnd && wnd->HandleAllocated()) {
        QWidget* top = wnd->Widget()->window();
        const QRect frame(top->mapToGlobal(QPoint(0, 0)), top->size());
        QScreen* best = nullptr;
        int64_t bestArea = 0;
        for (QScreen* screen : QGuiApplication::screens()) {
            const QRect common = screen->geometry().intersected(frame);
            const int64_t area = common.isEmpty() ? 0 : int64_t(common.width()) * common.height();
            if (area > bestArea) {
                best = screen;
                bestArea = area;
            }
        }
        if (best) return MonitorOf(best);
        if (flags == MONITOR_DEFAULTTONEAREST) {
            // On no screen: the one whose edge lies closest to the window.
            QScreen* nearest = nullptr;
            int64_t nearestGap = 0;
            for (QScreen* screen : QGuiApplication::screens()) {
                const QRect s = screen->geometry();
                const int64_t dx = std::max({0, s.left() - frame.right(), frame.left() - s.right()});
                const int64_t dy = std::max({0, s.top() - frame.bottom(), frame.top() - s.bottom()});
                if (!nearest || dx * dx + dy * dy < nearestGap) {
                    nearest = screen;
                    nearestGap = dx * dx + dy * dy;
                }
            }
            if (nearest) return MonitorOf(nearest);
        }
    }
    if (flags == MONITOR_DEFAULTTONULL) return nullptr;
    return MonitorOf(QGuiApplication::primaryScreen());
}

bool GetMonitorInfo(HMONITOR monitor, MONITORINFO& info) {
    QScreen* screen = ScreenOf(monitor);
    if (info.cbSize < sizeof(MONITORINFO) || !IsKnownScreen(screen)) return false;
    info.rcMonitor = ToTRect(screen->geometry());
    info.rcWork = ToTRect(screen->availableGeometry());
    info.dwFlags = screen == QGuiApplication::primaryScreen() ? uint32_t(MONITORINFOF_PRIMARY) : 0u;
    return true;
}

bool SetLayeredWindowAttributes(HWND wnd, TColor /*key*/, uint8_t alpha, uint32_t flags) {
    if (!wnd) return false;
    if (!(flags & LWA_ALPHA)) return true;
    QWidget* top = wnd->Widget() ? wnd->Widget()->window() : nullptr;
    if (!top) return false;
    top->setWindowOpacity(alpha / 255.0);
    return true;
}

uint8_t GetLayeredWindowAlpha(HWND wnd) {
    QWidget* top = wnd && wnd->Widget() ? wnd->Widget()->window() : nullptr;
    return top ? static_cast<uint8_t>(top->windowOpacity() * 255.0 + 0.5) : 255;
}

uint32_t GetVersion() { return 6u | (1u << 8); }
