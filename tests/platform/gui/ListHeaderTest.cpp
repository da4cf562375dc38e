// A list view's column header as a window of its own: the platform's header
// messages, in the order the user gave the columns, and a header that works
// for the user exactly as before it was asked for.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTreeView>

#include "platform/gui/Forms.h"
#include "platform/gui/ListView.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/controls/NonClient.h"

namespace {

// Records the children it hears of.
class NotedList : public TListView {
public:
    explicit NotedList(TComponent* owner) : TListView(owner) {}
    std::vector<std::pair<int, LPARAM>> notes;
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_PARENTNOTIFY) notes.emplace_back(LoWord(m.WParam), m.LParam);
        TListView::WndProc(m);
    }
};

class ListHeader : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 420, 300);
        list = new NotedList(form);
        list->SetParent(form);
        list->SetBounds(0, 0, 400, 280);
        list->AddColumn("NO", 40);
        list->AddColumn("Word", 90);
        list->AddColumn("f", 60, TAlignment::taRightJustify);
        form->SetVisible(true);
        qt = static_cast<QTreeView*>(list->Widget())->header();
    }
    void TearDown() override { delete form; }
    TRect ItemRect(HWND header, int item) {
        TRect r;
        return SendMessage(header, HDM_GETITEMRECT, WPARAM(item), LPARAM(&r)) ? r : TRect{};
    }
    TForm* form = nullptr;
    NotedList* list = nullptr;
    QHeaderView* qt = nullptr;
};

TEST_F(ListHeader, TheHeaderIsAWindowTheListHearsOfOnce) {
    const QFont fontBefore = qt->font();
    const auto header = reinterpret_cast<HWND>(list->Perform(LVM_GETHEADER));
    ASSERT_TRUE(IsWindow(header));
    EXPECT_EQ(GetClassName(header), "SysHeader32");
    EXPECT_EQ(reinterpret_cast<HWND>(list->Perform(LVM_GETHEADER)), header);
    EXPECT_EQ(list->notes, (std::vector<std::pair<int, LPARAM>>{{int(WM_CREATE), LPARAM(header)}}));
    EXPECT_EQ(qt->font(), fontBefore) << "the header keeps its look";
    EXPECT_EQ(qt->focusPolicy(), Qt::NoFocus);
}

TEST_F(ListHeader, ItemRectanglesAndOrderFollowTheColumns) {
    const HWND header = list->Header();
    EXPECT_EQ(SendMessage(header, HDM_GETITEMCOUNT, 0, 0), 3);
    const int widths[] = {40, 90, 60};
    int x = 0;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ItemRect(header, i), Rect(x, 0, x + widths[i], qt->height()));
        x += widths[i];
    }
    EXPECT_EQ(ItemRect(header, 3), TRect{});

    int order[3] = {};
    ASSERT_EQ(SendMessage(header, HDM_GETORDERARRAY, 3, LPARAM(order)), 1);
    EXPECT_EQ(std::vector<int>(order, order + 3), (std::vector<int>{0, 1, 2}));
    // The user drags the first column to the end.
    qt->moveSection(0, 2);
    ASSERT_EQ(SendMessage(header, HDM_GETORDERARRAY, 3, LPARAM(order)), 1);
    EXPECT_EQ(std::vector<int>(order, order + 3), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(ItemRect(header, 0), Rect(150, 0, 190, qt->height())) << "rectangles are where items are shown";
    EXPECT_EQ(ItemRect(header, 1).Left, 0);
    EXPECT_EQ(SendMessage(header, HDM_GETORDERARRAY, 2, LPARAM(order)), 0) << "the array must hold every item";
}

TEST_F(ListHeader, HitTestTellsDividersFromSections) {
    const HWND header = list->Header();
    const int grip = qt->style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, qt);
    struct Case {
        const char* name;
        TPoint p;
        int item;
        UINT flags;
    };
    const int y = qt->height() / 2;
    const Case cases[] = {
        {"inside the first section", {20, y}, 0, HHT_ONHEADER},
        {"inside the second section", {80, y}, 1, HHT_ONHEADER},
        {"on the first divider", {40, y}, 0, HHT_ONDIVIDER},
        {"just left of the first divider", {40 - grip, y}, 0, HHT_ONDIVIDER},
        {"just right of the second divider", {130 + grip, y}, 1, HHT_ONDIVIDER},
        {"clear of the divider", {40 + grip + 1, y}, 1, HHT_ONHEADER},
        {"right of the last section", {300, y}, -1, HHT_NOWHERE},
        {"below the header", {20, qt->height() + 5}, -1, HHT_NOWHERE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HDHITTESTINFO info{c.p, 0, 0};
        EXPECT_EQ(SendMessage(header, HDM_HITTEST, 0, LPARAM(&info)), c.item);
        EXPECT_EQ(info.iItem, c.item);
        EXPECT_EQ(info.flags, c.flags);
    }
}

TEST_F(ListHeader, ColumnClicksStillReachTheListAndTheHeaderGoesWithIt) {
    list->Header();
    std::vector<int> clicked;
    list->OnColumnClick = [&](TObject*, TListColumn* column) { clicked.push_back(column->Index); };
    for (int column : {2, 0}) {
        const QPoint p(qt->sectionViewportPosition(column) + qt->sectionSize(column) / 2, qt->height() / 2);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent e(type, QPointF(p), qt->viewport()->mapToGlobal(QPointF(p)), Qt::LeftButton, held,
                          Qt::NoModifier);
            QApplication::sendEvent(qt->viewport(), &e);
        }
    }
    EXPECT_EQ(clicked, (std::vector<int>{2, 0}));
    SetCaptureControl(nullptr);
    const HWND header = list->Header();
    delete list;
    EXPECT_FALSE(IsWindow(header));
}

// Turning the column headers off and on makes the header window anew: the
// list hears of each going and coming, and the windows that went hear nothing more.
TEST_F(ListHeader, HeadersTurnedOffAndOnAreMadeAgain) {
    const HWND first = list->Header();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        list->notes.clear();
        const HWND before = list->Header();
        list->SetShowColumnHeaders(false);
        EXPECT_TRUE(qt->isHidden());
        list->Header();
        list->SetShowColumnHeaders(true);
        const HWND made = list->Header();
        ASSERT_TRUE(IsWindow(made));
        EXPECT_EQ(SendMessage(made, HDM_GETITEMCOUNT, 0, 0), 3);
        ASSERT_EQ(list->notes.size(), 4u);
        EXPECT_EQ(list->notes[0], std::make_pair(int(WM_DESTROY), LPARAM(before)));
        EXPECT_EQ(list->notes[3], std::make_pair(int(WM_CREATE), LPARAM(made)));
    }
    EXPECT_FALSE(qt->isHidden());
    (void)first;
    // The header is resized and goes with the list: no window that went may hear of it.
    list->SetBounds(0, 0, 300, 200);
    list->AddColumn("more", 50);
    delete list;
}

}  // namespace
