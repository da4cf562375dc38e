// Version rules, window alpha, scroll-bar state and work areas.

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "skin/core/qlUtils.h"

TEST(VersionRules, AlphaAndShadowRulesByVersion) {
    struct Case {
        int major, minor;
        bool alpha, shadow;
    };
    const std::vector<Case> cases = {
        {4, 10, false, false}, {5, 0, true, false}, {5, 1, true, true}, {5, 2, true, false},
        {5, 3, false, false},  {6, 0, true, true},  {6, 1, true, true}, {10, 0, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.major) + "." + std::to_string(c.minor));
        EXPECT_EQ(IsOS2000RuleFor(c.major, c.minor), c.alpha);
        EXPECT_EQ(IsOSXPRuleFor(c.major, c.minor), c.shadow);
    }
}

TEST(VersionRules, ThisPlatformAnswersAsANewSystem) {
    int major = 0, minor = 0;
    GetOSVersion(major, minor);
    EXPECT_GE(major, 6);
    EXPECT_TRUE(IsOSMajor6OrLater());
    EXPECT_TRUE(IsOS2000Rule());
    EXPECT_TRUE(IsOSXPRule());
}

TEST(WindowAlpha, IsSetOnTheWindowAndKeptInRange) {
    TForm form(nullptr);
    SetWindowAlpha(&form, 200);
    EXPECT_EQ(GetLayeredWindowAlpha(&form), 200);
    SetWindowAlpha(&form, 300);
    EXPECT_EQ(GetLayeredWindowAlpha(&form), 255);
    SetWindowAlpha(&form, -4);
    EXPECT_EQ(GetLayeredWindowAlpha(&form), 0);
    SetWindowAlpha(nullptr, 10);  // no window: nothing happens
}

TEST(ScrollBarInfo, WithoutAQueryTheBarIsReportedInvisible) {
    TForm form(nullptr);
    SCROLLBARINFO info;
    EXPECT_FALSE(SafeGetScrollBarInfo(&form, OBJID_VSCROLL, info));
    EXPECT_EQ(info.rgstate[0], uint32_t(STATE_SYSTEM_INVISIBLE));
}

TEST(WorkArea, OneMonitorGivesTheDesktopAndAnUnboundQueryFallsBackToIt) {
    const TRect screen = Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    TRect work;
    ASSERT_TRUE(GetDesktopWorkRect(work));
    TForm form(nullptr);
    form.SetBounds(20, 20, 300, 200);

    TRect r = Rect(-1, -1, -1, -1);
    GetWorkAreaOfWindow(&form, false, r);
    EXPECT_EQ(r, screen);
    GetWorkAreaOfWindow(&form, true, r);
    EXPECT_EQ(r, work);
    GetDesktopWorkArea(false, r);
    EXPECT_EQ(r, screen);
    EXPECT_FALSE(HasSeveralMonitors()) << "the test platform has one screen";

    // With the monitor entry points released, the answers stay the desktop's.
    FinalizeQlUtils();
    r = Rect(-1, -1, -1, -1);
    GetWorkAreaOfWindow(&form, true, r);
    EXPECT_EQ(r, work);
    InitializeQlUtils();
}
