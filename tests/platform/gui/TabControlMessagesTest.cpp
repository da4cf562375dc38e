// The page control answers the platform's tab-control messages: its tab row
// holds only the visible tabs, so tab numbers differ from page numbers.

#include <gtest/gtest.h>

#include "platform/gui/ComCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/controls/ScrollInfo.h"

namespace {

class TabMessages : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        pc = new TPageControl(form);
        pc->SetParent(form);
        pc->SetBounds(0, 0, 300, 200);
        for (const char* caption : {"Settings", "Query", "Count", "Collocate", "N-Gram", "About"}) {
            auto* page = new TTabSheet(form);
            page->SetCaption(caption);
            page->SetPageControl(pc);
        }
        for (int hidden : {1, 2, 4}) pc->Pages(hidden)->SetTabVisible(false);
    }
    void TearDown() override { delete form; }
    TRect ItemRect(int tab) {
        TRect r;
        return pc->Perform(TCM_GETITEMRECT, WPARAM(tab), LPARAM(&r)) ? r : TRect{};
    }
    int HitTest(TPoint p, UINT* flags = nullptr) {
        TCHITTESTINFO info{p, 0};
        const int tab = int(pc->Perform(TCM_HITTEST, 0, LPARAM(&info)));
        if (flags) *flags = info.flags;
        return tab;
    }
    TForm* form = nullptr;
    TPageControl* pc = nullptr;
};

TEST_F(TabMessages, TabsAreCountedAmongTheVisibleOnes) {
    EXPECT_EQ(pc->Perform(TCM_GETITEMCOUNT), 3);
    EXPECT_EQ(pc->Perform(TCM_GETROWCOUNT), 1);
    EXPECT_EQ(ItemRect(0), pc->TabRect(0));
    EXPECT_EQ(ItemRect(1), pc->TabRect(3)) << "Collocate is tab 1 but page 3";
    EXPECT_EQ(ItemRect(2), pc->TabRect(5));
    EXPECT_EQ(ItemRect(1).Left, ItemRect(0).Right) << "tabs abut";
    TRect untouched = Rect(1, 2, 3, 4), r = untouched;
    EXPECT_EQ(pc->Perform(TCM_GETITEMRECT, 3, LPARAM(&r)), 0);
    EXPECT_EQ(r, untouched);

    pc->SetActivePage(pc->Pages(3));
    EXPECT_EQ(pc->Perform(TCM_GETCURSEL), 1);
    EXPECT_EQ(pc->Perform(TCM_SETCURSEL, 2), 1) << "answers the former tab";
    EXPECT_EQ(pc->ActivePage(), pc->Pages(5));
    pc->Perform(TCM_SETCURSEL, 7);
    EXPECT_EQ(pc->ActivePage(), pc->Pages(5)) << "no such tab: nothing changes";
}

TEST_F(TabMessages, HitTestNamesTheTabUnderAPoint) {
    struct Case {
        const char* name;
        TPoint p;
        int tab;
        UINT flags;
    };
    const TRect middle = ItemRect(1);
    const Case cases[] = {
        {"inside the first tab", {ItemRect(0).Left + 1, 3}, 0, TCHT_ONITEM},
        {"the middle tab's left edge", {middle.Left, middle.Bottom - 1}, 1, TCHT_ONITEM},
        {"the last tab", {ItemRect(2).Right - 1, 5}, 2, TCHT_ONITEM},
        {"right of the row", {ItemRect(2).Right + 3, 5}, -1, TCHT_NOWHERE},
        {"below the row, on the page", {middle.Left + 3, middle.Bottom + 10}, -1, TCHT_NOWHERE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UINT flags = 0;
        EXPECT_EQ(HitTest(c.p, &flags), c.tab);
        EXPECT_EQ(flags, c.flags);
    }
}

TEST_F(TabMessages, AdjustRectGoesBetweenTheControlAndItsPageArea) {
    TRect r = Rect(0, 0, pc->Width(), pc->Height());
    pc->Perform(TCM_ADJUSTRECT, 0, LPARAM(&r));
    EXPECT_EQ(r, pc->ClientRect());
    EXPECT_EQ(r, pc->Pages(0)->BoundsRect()) << "the pages fill the page area";
    pc->Perform(TCM_ADJUSTRECT, 1, LPARAM(&r));
    EXPECT_EQ(r, Rect(0, 0, pc->Width(), pc->Height()));

    // Taller tabs push the page area down and the pages follow.
    const int top = pc->ClientRect().Top;
    EXPECT_EQ(pc->Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(0, 30)), MAKELPARAM(0, 22)) << "the former size";
    EXPECT_EQ(ItemRect(0).Height(), 30);
    r = Rect(10, 10, 110, 110);
    pc->Perform(TCM_ADJUSTRECT, 0, LPARAM(&r));
    EXPECT_EQ(r.Top, 10 + top + 8);
    EXPECT_EQ(pc->Pages(0)->Top(), top + 8);
}

TEST_F(TabMessages, ItemSizeFixesTheWidthOfEveryTabUntilCleared) {
    const std::vector<TRect> before{ItemRect(0), ItemRect(1), ItemRect(2)};
    pc->Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(50, 22));
    for (int tab = 0; tab < 3; ++tab) {
        SCOPED_TRACE(tab);
        EXPECT_EQ(ItemRect(tab).Width(), 50);
        EXPECT_EQ(ItemRect(tab).Left, before[0].Left + 50 * tab);
    }
    pc->Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(0, 22));
    EXPECT_EQ((std::vector<TRect>{ItemRect(0), ItemRect(1), ItemRect(2)}), before);
}

TEST_F(TabMessages, TheRowScrollsByWholeTabs) {
    const std::vector<TRect> unscrolled{ItemRect(0), ItemRect(1), ItemRect(2)};
    struct Step {
        const char* name;
        WPARAM request;
        int first;  // the tab that starts the row afterwards
    };
    const Step steps[] = {
        {"to tab 1", MakeScrollWParam(SB_THUMBPOSITION, 1), 1},
        {"a line right", MakeScrollWParam(SB_LINERIGHT, 0), 2},
        {"past the last tab", MakeScrollWParam(SB_LINERIGHT, 0), 2},
        {"far past the end", MakeScrollWParam(SB_THUMBPOSITION, 70000), 2},
        {"a line left", MakeScrollWParam(SB_LINELEFT, 0), 1},
        {"back to the start", MakeScrollWParam(SB_THUMBPOSITION, 0), 0},
        {"before the start", MakeScrollWParam(SB_LINELEFT, 0), 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        pc->Perform(WM_HSCROLL, s.request, 0);
        // Scrolled, the row's first tab starts where tab 0 starts unscrolled.
        const int shift = unscrolled[size_t(s.first)].Left - unscrolled[0].Left;
        for (int tab = 0; tab < 3; ++tab) {
            const TRect r = ItemRect(tab);
            EXPECT_EQ(r.Left, unscrolled[size_t(tab)].Left - shift);
            EXPECT_EQ(r.Width(), unscrolled[size_t(tab)].Width());
            if (tab < s.first) {
                EXPECT_LE(r.Right, unscrolled[0].Left) << "tabs scrolled out end before the row's start";
            }
        }
        EXPECT_EQ(HitTest({unscrolled[0].Left + 1, 3}), s.first) << "the row's first tab is where tab 0 was";
    }
}

// The row of tabs stands on any side of the 300 x 200 control, a tab's length
// running along it, and the page area takes the rest inside the 4-pixel insets.
TEST_F(TabMessages, TabsOnEverySideLeaveThePagesTheRest) {
    pc->Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(50, 20));
    struct Case {
        TTabPosition position;
        TRect pages, secondTab;
    } cases[] = {
        {TTabPosition::tpTop, Rect(4, 24, 296, 196), Rect(52, 0, 102, 20)},
        {TTabPosition::tpBottom, Rect(4, 4, 296, 176), Rect(52, 180, 102, 200)},
        {TTabPosition::tpLeft, Rect(24, 4, 296, 196), Rect(0, 52, 20, 102)},
        {TTabPosition::tpRight, Rect(4, 4, 276, 196), Rect(280, 52, 300, 102)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.position));
        pc->SetTabPosition(c.position);
        TRect area = Rect(0, 0, 300, 200);
        pc->Perform(TCM_ADJUSTRECT, 0, LPARAM(&area));
        EXPECT_EQ(area, c.pages);
        EXPECT_EQ(pc->Pages(3)->BoundsRect(), c.pages);
        EXPECT_EQ(ItemRect(1), c.secondTab) << "the Collocate tab";
        EXPECT_EQ(HitTest({c.secondTab.Left + 2, c.secondTab.Top + 2}), 1);
        pc->SetActivePage(pc->Pages(0));
        // Painting every side goes through the platform's style without harm.
        TBitmap picture(300, 200);
        pc->PaintTo(picture.Canvas(), 0, 0);
    }
}

}  // namespace
