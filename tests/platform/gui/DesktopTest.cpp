// Screens, monitors and window alpha as the skin asks for them.

#include <gtest/gtest.h>

#include "platform/gui/Desktop.h"
#include "platform/gui/Forms.h"

TEST(Desktop, TheWorkAreaLiesOnThePrimaryScreen) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_GT(cx, 0);
    ASSERT_GT(cy, 0);
    EXPECT_GE(GetSystemMetrics(SM_CMONITORS), 1);
    TRect work;
    ASSERT_TRUE(GetDesktopWorkRect(work));
    EXPECT_FALSE(work.IsEmpty());
    EXPECT_GE(work.Left, 0);
    EXPECT_GE(work.Top, 0);
    EXPECT_LE(work.Right, cx);
    EXPECT_LE(work.Bottom, cy);
}

TEST(Desktop, MonitorOfAWindowOrOfNoneFollowsTheFlags) {
    EXPECT_EQ(MonitorFromWindow(nullptr, MONITOR_DEFAULTTONULL), nullptr);
    const HMONITOR primary = MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY);
    ASSERT_NE(primary, nullptr);
    MONITORINFO info;
    ASSERT_TRUE(GetMonitorInfo(primary, info));
    EXPECT_EQ(info.rcMonitor, Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_EQ(info.dwFlags, uint32_t(MONITORINFOF_PRIMARY));

    TForm form(nullptr);
    form.SetBounds(10, 10, 200, 100);
    EXPECT_EQ(MonitorFromWindow(&form, MONITOR_DEFAULTTONEAREST), primary);
}

TEST(Desktop, UnknownMonitorsAndShortRecordsAreRefused) {
    MONITORINFO info;
    int notAScreen = 0;
    EXPECT_FALSE(GetMonitorInfo(reinterpret_cast<HMONITOR>(&notAScreen), info));
    EXPECT_FALSE(GetMonitorInfo(nullptr, info));
    info.cbSize = 20;
    EXPECT_FALSE(GetMonitorInfo(MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY), info));
}

TEST(Desktop, LayeredAlphaSetsTheWindowsOpacity) {
    TForm form(nullptr);
    EXPECT_EQ(GetLayeredWindowAlpha(&form), 255);
    EXPECT_TRUE(SetLayeredWindowAttributes(&form, 0, 128, LWA_ALPHA));
    EXPECT_EQ(GetLayeredWindowAlpha(&form), 128);
    // Without LWA_ALPHA the opacity is left alone.
    EXPECT_TRUE(SetLayeredWindowAttributes(&form, 0, 10, LWA_COLORKEY));
    EXPECT_EQ(GetLayeredWindowAlpha(&form), 128);
    EXPECT_FALSE(SetLayeredWindowAttributes(nullptr, 0, 10, LWA_ALPHA));
}
