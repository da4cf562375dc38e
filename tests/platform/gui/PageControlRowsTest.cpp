// The page control's tab rows when they wrap, its hot-tracked tab and its
// owner-drawn tabs.

#include <gtest/gtest.h>

#include <map>

#include "platform/gui/ComCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/controls/ScrollInfo.h"
#include "tests/support/Pictures.h"

namespace {

class PageRows : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 500, 300);
        form->Show();
        pc = new TPageControl(form);
        pc->SetParent(form);
        pc->TabWidth = 60;
        pc->SetBounds(0, 0, 400, 200);
        for (const char* caption : {"Settings", "Query", "Count", "Collocate", "N-Gram", "About"}) {
            auto* page = new TTabSheet(form);
            page->SetCaption(caption);
            page->SetPageControl(pc);
        }
    }
    void TearDown() override { delete form; }
    TBitmap Shot() {
        TBitmap b(pc->Width(), pc->Height());
        pc->PaintTo(b.Canvas(), 0, 0);
        return b;
    }
    static int Count(const TBitmap& b, const TRect& r, TColor c) {
        int n = 0;
        for (int y = std::max(0, r.Top); y < std::min(b.Height(), r.Bottom); ++y)
            for (int x = std::max(0, r.Left); x < std::min(b.Width(), r.Right); ++x) n += b.Pixel(x, y) == c;
        return n;
    }
    TForm* form = nullptr;
    TPageControl* pc = nullptr;
};

// Six tabs of 60 wrap greedily; each row is stretched to the full width, the
// active tab's row touches the page and the other rows follow outward in turn.
TEST_F(PageRows, MultiLineRowsAtSeveralWidths) {
    pc->SetMultiLine(true);
    // outward: each page's row counted outward from the page.
    struct Case { int width; TTabPosition side; int active, rows, outward[6]; };
    const Case cases[] = {
        {400, TTabPosition::tpTop, 0, 1, {0, 0, 0, 0, 0, 0}},
        {250, TTabPosition::tpTop, 0, 2, {0, 0, 0, 0, 1, 1}},
        {250, TTabPosition::tpTop, 5, 2, {1, 1, 1, 1, 0, 0}},
        {130, TTabPosition::tpTop, 0, 3, {0, 0, 1, 1, 2, 2}},
        {130, TTabPosition::tpTop, 2, 3, {2, 2, 0, 0, 1, 1}},
        {130, TTabPosition::tpTop, 4, 3, {1, 1, 2, 2, 0, 0}},
        {250, TTabPosition::tpBottom, 5, 2, {1, 1, 1, 1, 0, 0}},
    };
    const int h = pc->TabHeight;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << " active " << c.active << " side " << int(c.side));
        pc->SetTabPosition(c.side);
        pc->SetBounds(0, 0, c.width, 200);
        pc->SetActivePageIndex(c.active);
        EXPECT_EQ(pc->RowCount(), c.rows);
        EXPECT_EQ(pc->Perform(TCM_GETROWCOUNT), c.rows);
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(i);
            const TRect r = pc->TabRect(i);
            const int nearEdge = c.side == TTabPosition::tpTop ? (c.rows - c.outward[i]) * h
                                                               : 200 - (c.rows - c.outward[i]) * h;
            EXPECT_EQ(c.side == TTabPosition::tpTop ? r.Bottom : r.Top, nearEdge);
            EXPECT_EQ(r.Height(), h);
            const bool rowStarts = i == 0 || c.outward[i - 1] != c.outward[i];
            const bool rowEnds = i == 5 || c.outward[i + 1] != c.outward[i];
            EXPECT_EQ(r.Left, rowStarts ? 2 : pc->TabRect(i - 1).Right) << "tabs abut within a row";
            if (rowEnds && c.rows > 1) {
                EXPECT_EQ(r.Right, c.width - 2) << "a wrapped row fills the width";
            }
        }
        const int top = c.side == TTabPosition::tpTop ? c.rows * h : 0;
        EXPECT_EQ(pc->ActivePage()->BoundsRect(), Rect(4, 4 + top, c.width - 4, 196 - c.rows * h + top));
    }
}

// Wrapped rows never scroll, and a caption that grows lays them out again.
TEST_F(PageRows, WrappedRowsFollowTheCaptions) {
    pc->SetBounds(0, 0, 130, 200);
    pc->Perform(WM_HSCROLL, MakeScrollWParam(SB_THUMBPOSITION, 2));
    pc->SetMultiLine(true);
    pc->Perform(WM_HSCROLL, MakeScrollWParam(SB_THUMBPOSITION, 2));
    EXPECT_EQ(pc->TabRect(0).Left, 2);
    pc->Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(0, pc->TabHeight));
    const int rows = pc->RowCount();
    pc->Pages(1)->SetCaption("A caption far too long to share a row with another");
    EXPECT_GT(pc->RowCount(), rows);
    EXPECT_EQ(pc->ActivePage()->BoundsRect(), pc->ClientRect());
}

// A click on a tab of the outer row activates it and brings its row to the page.
TEST_F(PageRows, ClickingATabOnAnotherRowActivatesIt) {
    pc->SetMultiLine(true);
    pc->SetBounds(0, 0, 250, 200);
    pc->SetActivePageIndex(0);
    int changes = 0;
    pc->OnChange = [&](TObject*) { ++changes; };
    const TRect outer = pc->TabRect(5);
    ASSERT_EQ(outer.Top, 0);
    pc->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(outer.Left + 5, outer.Top + 5));
    pc->Perform(WM_LBUTTONUP, 0, MAKELPARAM(outer.Left + 5, outer.Top + 5));
    EXPECT_EQ(pc->ActivePageIndex(), 5);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pc->TabRect(5).Top, pc->TabHeight) << "its row moved next to the page";
    EXPECT_EQ(pc->TabRect(0).Top, 0);
    TCHITTESTINFO info{{pc->TabRect(1).Left + 3, 3}, 0};
    EXPECT_EQ(pc->Perform(TCM_HITTEST, 0, LPARAM(&info)), 1);
    EXPECT_TRUE(Shot().SavePng(PicturePath("PageControlRows.png")));
}

// Owner-drawn tabs: the handler gets each visible tab's number, rectangle and
// whether it is active, and what it draws shows.
TEST_F(PageRows, OwnerDrawnTabsGoThroughTheHandler) {
    constexpr TColor kInk = 0x3366CC;
    pc->Pages(2)->SetTabVisible(false);
    pc->SetActivePageIndex(3);
    pc->SetMultiLine(true);
    pc->SetBounds(0, 0, 250, 200);
    std::map<int, std::pair<TRect, bool>> calls;
    pc->OnDrawTab = [&](TPageControl* control, int tab, const TRect& r, bool active) {
        EXPECT_EQ(calls.count(tab), 0u) << "once per tab";
        calls[tab] = {r, active};
        control->Canvas().Brush().Color = kInk;
        control->Canvas().FillRect(Rect(r.Left + 4, r.Top + 4, r.Left + 10, r.Top + 10));
    };
    Shot();
    EXPECT_TRUE(calls.empty()) << "not owner-drawn yet";
    pc->SetOwnerDraw(true);
    const TBitmap shot = Shot();
    ASSERT_EQ(calls.size(), 5u);
    const int pages[] = {0, 1, 3, 4, 5};
    for (int tab = 0; tab < 5; ++tab) {
        SCOPED_TRACE(tab);
        const TRect r = pc->TabRect(pages[tab]);
        EXPECT_EQ(calls[tab].first, r);
        EXPECT_EQ(calls[tab].second, pages[tab] == 3);
        EXPECT_EQ(shot.Pixel(r.Left + 6, r.Top + 6), kInk);
    }
}

// The tab under the pointer shows its caption in the hot colour, only with HotTrack.
TEST_F(PageRows, HotTrackColoursTheTabUnderThePointer) {
    const TColor hot = ColorToRGB(clHotLight);
    const TRect over = pc->TabRect(2), other = pc->TabRect(3);
    pc->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(over.Left + 5, over.Top + 5));
    EXPECT_EQ(Count(Shot(), over, hot), 0) << "off by default";
    pc->SetHotTrack(true);
    const TBitmap shot = Shot();
    EXPECT_GT(Count(shot, over, hot), 5);
    EXPECT_EQ(Count(shot, other, hot), 0);
    pc->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(Count(Shot(), over, hot), 0);
}

}  // namespace
