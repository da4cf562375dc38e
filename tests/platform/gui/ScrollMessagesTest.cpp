// Scroll state with the platform's range rules, and the list-view messages:
// a view whose own bars are hidden, driven from outside by messages, on a
// list of 100,000 owner-data rows that asks for no row until one is shown.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeView>

#include "platform/core/SysUtils.h"
#include "platform/gui/Forms.h"
#include "platform/gui/ListView.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/controls/ScrollInfo.h"

namespace {

SCROLLINFO Info(UINT mask, int min, int max, UINT page, int pos) {
    SCROLLINFO info;
    info.fMask = mask;
    info.nMin = min;
    info.nMax = max;
    info.nPage = page;
    info.nPos = pos;
    return info;
}

TEST(ScrollRange, PageAndPositionKeepTheRangeRules) {
    struct Case {
        const char* name;
        TScrollRange before;
        SCROLLINFO set;
        TScrollRange after;
    };
    const Case cases[] = {
        {"within the range", {}, Info(SIF_ALL, 0, 99, 10, 50), {0, 99, 10, 50}},
        {"position up to the last page", {}, Info(SIF_ALL, 0, 99, 10, 95), {0, 99, 10, 90}},
        {"no page: up to Max", {}, Info(SIF_ALL, 0, 99, 0, 150), {0, 99, 0, 99}},
        {"page longer than the range", {}, Info(SIF_ALL, 0, 9, 50, 3), {0, 9, 10, 0}},
        {"below Min", {}, Info(SIF_ALL, 20, 120, 10, 5), {20, 120, 10, 20}},
        {"Min not 0, last page", {}, Info(SIF_ALL, 20, 120, 10, 200), {20, 120, 10, 111}},
        {"Max below Min", {}, Info(SIF_RANGE | SIF_POS, 5, 2, 0, 9), {5, 5, 0, 5}},
        {"a new range clamps the old position", {0, 99, 10, 80}, Info(SIF_RANGE, 0, 49, 0, 0), {0, 49, 10, 40}},
        {"a new page clamps the old position", {0, 99, 10, 90}, Info(SIF_PAGE, 0, 0, 30, 0), {0, 99, 30, 70}},
        {"positions past 16 bits", {}, Info(SIF_ALL, 0, 99999, 20, 70000), {0, 99999, 20, 70000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TScrollRange r = c.before;
        EXPECT_EQ(r.Apply(c.set), c.after.Pos);
        EXPECT_EQ(r.Min, c.after.Min);
        EXPECT_EQ(r.Max, c.after.Max);
        EXPECT_EQ(r.Page, c.after.Page);
        EXPECT_EQ(r.Pos, c.after.Pos);
    }
}

TEST(ScrollRange, ScrollRequestsCarryWholePositions) {
    for (int pos : {0, 1, 65535, 65536, 70000, 2000000000, -3}) {
        SCOPED_TRACE(pos);
        const WPARAM w = MakeScrollWParam(SB_THUMBPOSITION, pos);
        EXPECT_EQ(ScrollCodeOf(w), SB_THUMBPOSITION);
        EXPECT_EQ(ScrollPosOf(w), pos);
    }
}

TEST(ScrollRange, APlainWindowKeepsOneStatePerBar) {
    TForm form(nullptr);
    auto* window = new TCustomControl(&form);
    window->SetParent(&form);
    SCROLLINFO set = Info(SIF_ALL, 0, 9, 4, 8);
    EXPECT_EQ(SetScrollInfo(window, SB_VERT, &set, true), 6);
    SCROLLINFO got;
    got.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &got));
    EXPECT_EQ(got.nMax, 9);
    EXPECT_EQ(got.nPage, 4u);
    EXPECT_EQ(got.nPos, 6);
    EXPECT_EQ(got.nTrackPos, 6);
    EXPECT_EQ(GetScrollPos(window, SB_HORZ), 0) << "the other bar is apart";
    EXPECT_FALSE(GetScrollInfo(window, SB_CTL, &got));
    delete window;
    EXPECT_FALSE(GetScrollInfo(window, SB_VERT, &got)) << "a window that is gone has no state";
}

class ScrollableList : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 420, 300);
        list = new TListView(form);
        list->SetParent(form);
        list->SetBounds(0, 0, 400, 280);
        list->AddColumn("NO", 40);
        list->AddColumn("Word", 90);
        list->SetOwnerData(true);
        list->OnData = [this](TObject*, TListItem* item) {
            asked.push_back(item->Index());
            item->Caption = IntToStr(item->Index());
        };
        ShowNativeScrollBars(*list, false);
        form->SetVisible(true);
        list->Items().SetCount(100000);
    }
    void TearDown() override { delete form; }
    QTreeView* View() { return static_cast<QTreeView*>(list->Widget()); }
    SCROLLINFO Vertical() {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        GetScrollInfo(list, SB_VERT, &info);
        return info;
    }
    TForm* form = nullptr;
    TListView* list = nullptr;
    std::vector<int> asked;
};

TEST_F(ScrollableList, TheViewScrollsByMessagesWithItsOwnBarsHidden) {
    QApplication::processEvents();  // the first paint asks for the rows it shows
    asked.clear();
    EXPECT_FALSE(View()->verticalScrollBar()->isVisible());
    EXPECT_FALSE(NativeScrollBarsShown(*list));
    const int page = int(list->Perform(LVM_GETCOUNTPERPAGE));
    EXPECT_GT(page, 5);
    EXPECT_EQ(list->Perform(LVM_GETITEMCOUNT), 100000);

    SCROLLINFO info = Vertical();
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 99999) << "the range is one step per row";
    EXPECT_EQ(int(info.nPage), page);
    EXPECT_EQ(info.nPos, 0);

    struct Step {
        const char* name;
        int code;
        int pos;
        int top;
    };
    const Step steps[] = {
        {"thumb past 16 bits", SB_THUMBPOSITION, 70000, 70000},
        {"line down", SB_LINEDOWN, 0, 70001},
        {"line up", SB_LINEUP, 0, 70000},
        {"page down", SB_PAGEDOWN, 0, 70000 + page},
        {"page up", SB_PAGEUP, 0, 70000},
        {"bottom", SB_BOTTOM, 0, 100000 - page},
        {"thumb beyond the end", SB_THUMBTRACK, 200000, 100000 - page},
        {"top", SB_TOP, 0, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        list->Perform(WM_VSCROLL, MakeScrollWParam(s.code, s.pos), 0);
        EXPECT_EQ(list->TopIndex(), s.top);
        EXPECT_EQ(Vertical().nPos, s.top);
        EXPECT_EQ(list->Perform(LVM_GETTOPINDEX), s.top);
    }

    SCROLLINFO set = Info(SIF_POS, 0, 0, 0, 123);
    EXPECT_EQ(SetScrollInfo(list, SB_VERT, &set, true), 123);
    EXPECT_EQ(list->TopIndex(), 123);
    EXPECT_EQ(Vertical().nMax, 99999) << "setting the position leaves the range";
    EXPECT_EQ(asked, std::vector<int>{}) << "scrolling asks for no row until one is painted";
}

TEST_F(ScrollableList, ItemRectanglesFollowTheScrolledRows) {
    const int top = 500;
    list->Perform(WM_VSCROLL, MakeScrollWParam(SB_THUMBPOSITION, top), 0);
    TRect first{LVIR_BOUNDS, 0, 0, 0};
    ASSERT_EQ(list->Perform(LVM_GETITEMRECT, top, LPARAM(&first)), 1);
    const int rowHeight = first.Height();
    EXPECT_GT(rowHeight, 0);
    const QRect viewport = View()->viewport()->geometry();
    EXPECT_GT(viewport.top(), View()->header()->height() - 1);
    EXPECT_EQ(first.Top, viewport.top()) << "the first row shown starts the rows' area, below the header";
    EXPECT_EQ(first.Left, viewport.left());
    EXPECT_EQ(first.Width(), 130) << "all columns";

    TRect next{LVIR_BOUNDS, 0, 0, 0};
    list->Perform(LVM_GETITEMRECT, top + 1, LPARAM(&next));
    EXPECT_EQ(next.Top, first.Bottom);
    TRect label{LVIR_LABEL, 0, 0, 0};
    list->Perform(LVM_GETITEMRECT, top, LPARAM(&label));
    EXPECT_EQ(label.Width(), 40) << "the first column's cell";
    TRect above{LVIR_BOUNDS, 0, 0, 0};
    list->Perform(LVM_GETITEMRECT, top - 2, LPARAM(&above));
    EXPECT_EQ(above.Top, first.Top - 2 * rowHeight) << "rows out of view lie outside";
    TRect none{LVIR_BOUNDS, 0, 0, 0};
    EXPECT_EQ(list->Perform(LVM_GETITEMRECT, 100000, LPARAM(&none)), 0);

    // LVM_SCROLL moves by pixels, whole rows at a time.
    list->Perform(LVM_SCROLL, 0, 3 * rowHeight);
    EXPECT_EQ(list->TopIndex(), top + 3);
    list->Perform(LVM_SCROLL, 0, -rowHeight);
    EXPECT_EQ(list->TopIndex(), top + 2);
    EXPECT_TRUE(asked.empty());
}

TEST_F(ScrollableList, OnlyAViewThatAsksLosesItsBars) {
    auto* other = new TListView(form);
    other->SetParent(form);
    EXPECT_TRUE(NativeScrollBarsShown(*other));
    ShowNativeScrollBars(*list, true);
    EXPECT_TRUE(NativeScrollBarsShown(*list));
}

}  // namespace
