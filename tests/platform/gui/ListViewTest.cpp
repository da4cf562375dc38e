// The report-style list view: rows and their selection through deletes and
// sorts, header clicks, custom-draw colours as painted, and the user's clicks
// played as real Qt mouse events on the view.

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeView>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <cmath>
#include <set>
#include <tuple>

#include "platform/core/SysUtils.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/gui/ListView.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/gui/Menus.h"
#include "tests/support/Pictures.h"

namespace {

QTreeView* ViewOf(TListView* list) { return static_cast<QTreeView*>(list->Widget()); }

// Sends one mouse event to w at p.
void Mouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, held, modifiers);
    QApplication::sendEvent(w, &e);
}

void Click(QWidget* w, QPoint p, Qt::KeyboardModifiers modifiers = {}) {
    Mouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, modifiers);
    Mouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, modifiers);
}

// The centre of a row in the view's viewport.
QPoint RowPoint(TListView* list, int row) {
    QTreeView* view = ViewOf(list);
    return view->visualRect(view->model()->index(row, 0)).center();
}

std::string Captions(TListView* list) {
    std::string s;
    for (int i = 0; i < list->Items().Count(); ++i) s += list->Items()[i]->Caption;
    return s;
}

// Rows selected by our flags, and as Qt's selection model sees them.
std::string SelectedRows(TListView* list) {
    std::string s;
    for (int i = 0; i < list->Items().Count(); ++i)
        if (list->Items()[i]->Selected()) s += std::to_string(i);
    return s;
}

// Qt's selection may wait for the event loop after a change of rows.
std::string QtSelectedRows(TListView* list) {
    QApplication::processEvents();
    std::set<int> rows;
    for (const QModelIndex& index : ViewOf(list)->selectionModel()->selectedRows()) rows.insert(index.row());
    std::string s;
    for (int row : rows) s += std::to_string(row);
    return s;
}

class ListViewTest : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 420, 300);
        list = new TListView(form);
        list->SetParent(form);
        list->SetBounds(0, 0, 400, 280);
        list->SetMultiSelect(true);
        list->AddColumn("NO", 40);
        list->AddColumn("Word", 90);
        list->AddColumn("f", 60, TAlignment::taRightJustify);
        form->SetVisible(true);
    }
    void TearDown() override { delete form; }
    // One item per character of captions, with sub-items "w<caption>" and the given number texts.
    void Fill(const std::string& captions, const std::vector<std::string>& numbers = {}) {
        for (size_t i = 0; i < captions.size(); ++i) {
            TListItem* item = list->Items().Add();
            item->Caption = captions.substr(i, 1);
            item->SubItems = {"w" + item->Caption, i < numbers.size() ? numbers[i] : "0"};
        }
    }
    TForm* form = nullptr;
    TListView* list = nullptr;
};

TEST_F(ListViewTest, DeletingRowsKeepsTheSelectionOfTheRest) {
    // The program's delete: remove the first selected row until none is selected.
    struct Case {
        const char* selected;  // '1' per selected row of "abcdefgh"
        const char* remaining;
        const char* remainingSelected;  // after deleting only the first selected row
    } cases[] = {
        {"01010101", "aceg", "246"},
        {"11000000", "cdefgh", "0"},
        {"00000001", "abcdefg", ""},
        {"11111111", "", "0123456"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        list->Items().Clear();
        Fill("abcdefgh");
        for (int i = 0; i < 8; ++i) list->Items()[i]->SetSelected(c.selected[i] == '1');
        list->Selected()->Delete();
        EXPECT_EQ(SelectedRows(list), c.remainingSelected);
        EXPECT_EQ(QtSelectedRows(list), c.remainingSelected);
        while (list->SelCount() > 0) list->Selected()->Delete();
        EXPECT_EQ(Captions(list), c.remaining);
        EXPECT_EQ(ViewOf(list)->model()->rowCount(), list->Items().Count());
        for (int i = 0; i < list->Items().Count(); ++i) EXPECT_EQ(list->Items()[i]->Index(), i);
    }

    list->Items().Clear();
    Fill("abcde");
    list->Items()[1]->SetSelected(true);
    list->Items()[3]->SetSelected(true);
    list->Items().Delete(2);  // an unselected row between them
    EXPECT_EQ(Captions(list), "abde");
    EXPECT_EQ(SelectedRows(list), "12");
    EXPECT_EQ(QtSelectedRows(list), "12");
    EXPECT_EQ(list->Selected()->Caption, "b");
    EXPECT_THROW(list->Items().Delete(4), EStringListError);
    // A Ctrl+click straight after a delete, before Qt has shown the selection
    // again, unselects the selected row clicked.
    list->Items().Delete(0);
    Click(ViewOf(list)->viewport(), RowPoint(list, 1), Qt::ControlModifier);
    EXPECT_EQ(Captions(list), "bde");
    EXPECT_EQ(SelectedRows(list), "0");
    EXPECT_EQ(QtSelectedRows(list), "0");

    list->Items().Clear();
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_EQ(list->Selected(), nullptr);
    EXPECT_EQ(ViewOf(list)->model()->rowCount(), 0);

    // Single selection: deleting the selected row, clicked by the user, leaves
    // nothing selected, in Qt too.
    list->SetMultiSelect(false);
    Fill("abc");
    list->Items()[0]->SetSelected(true);
    Click(ViewOf(list)->viewport(), RowPoint(list, 1));
    EXPECT_EQ(SelectedRows(list), "1");
    list->Items()[1]->Delete();
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_EQ(QtSelectedRows(list), "");
}

TEST_F(ListViewTest, CustomSortIsStableAndOrdersByTheCompareEvent) {
    // Numbers of column "f": equal pairs (9, 9) and (12, 12) must keep their order.
    Fill("ABCDE", {"12", "9", "12", "3", "9"});
    list->Items()[1]->SetSelected(true);  // B
    list->Items()[2]->SetSelected(true);  // C
    list->SetItemFocused(list->Items()[3]);  // D
    int sign = 1, seenData = 0;
    const TLVCompareEvent byNumber = [&](TObject*, TListItem* a, TListItem* b, int data, int& compare) {
        seenData = data;
        const double x = std::stod(a->SubItems[1]), y = std::stod(b->SubItems[1]);
        compare = sign * (x < y ? -1 : x > y ? 1 : 0);
    };
    list->OnCompare = byNumber;
    list->CustomSort(7);
    EXPECT_EQ(seenData, 7);
    EXPECT_EQ(Captions(list), "DBEAC");
    EXPECT_EQ(SelectedRows(list), "14");
    EXPECT_EQ(QtSelectedRows(list), "14");
    EXPECT_EQ(list->ItemFocused()->Caption, "D");
    for (int i = 0; i < 5; ++i) EXPECT_EQ(list->Items()[i]->Index(), i);

    sign = -1;
    list->CustomSort();
    EXPECT_EQ(Captions(list), "ACBED");
    EXPECT_EQ(QtSelectedRows(list), "12");

    list->OnCompare = [](TObject*, TListItem*, TListItem*, int, int& compare) { compare = 0; };
    list->CustomSort();
    EXPECT_EQ(Captions(list), "ACBED");

    // Enough rows for a sort that is not stable to show it: keys 0..3 in
    // turn; each key's rows must come out in their first order.
    list->Items().Clear();
    for (int i = 0; i < 200; ++i) {
        TListItem* item = list->Items().Add();
        item->Caption = IntToStr(i);
        item->SubItems = {"", IntToStr((i * 7) % 4)};
    }
    sign = 1;
    list->OnCompare = byNumber;
    list->CustomSort();
    for (int i = 1; i < 200; ++i) {
        const TListItem& a = *list->Items()[i - 1];
        const TListItem& b = *list->Items()[i];
        ASSERT_TRUE(a.SubItems[1] < b.SubItems[1] ||
                    (a.SubItems[1] == b.SubItems[1] && std::stoi(a.Caption) < std::stoi(b.Caption)))
            << "rows " << a.Caption << " and " << b.Caption;
    }
}

TEST_F(ListViewTest, InvalidateRepaintsTheRows) {
    Fill("abc");
    int drawn = 0;
    list->OnCustomDrawItem = [&](TObject*, TListItem*, bool&) { ++drawn; };
    QApplication::processEvents();
    drawn = 0;
    QApplication::processEvents();
    ASSERT_EQ(drawn, 0);
    // As after a rename: the program changes a text, then asks for a paint.
    list->Items()[1]->SubItems[0] = "renamed";
    list->Invalidate();
    QApplication::processEvents();
    EXPECT_GE(drawn, 3);
}

TEST_F(ListViewTest, MakeVisibleScrollsRowsOnly) {
    for (int i = 0; i < 100; ++i) list->Items().Add()->Caption = IntToStr(i);
    QTreeView* view = ViewOf(list);
    const int rowsShown = view->viewport()->height() / view->visualRect(view->model()->index(0, 0)).height();
    ASSERT_GT(rowsShown, 3);
    EXPECT_EQ(list->TopIndex(), 0);
    list->MakeVisible(list->Items()[80]);
    // Scrolled just far enough: row 80 is the last whole row shown.
    EXPECT_EQ(list->TopIndex(), 80 - rowsShown + 1);
    list->MakeVisible(list->Items()[10]);
    EXPECT_EQ(list->TopIndex(), 10);

    // Scrolling moves whole rows, at least one, and stops at either end.
    const int rowHeight = view->visualRect(view->model()->index(0, 0)).height();
    EXPECT_EQ(list->VisibleRowCount(), rowsShown);
    const struct {
        int dy, top;
    } steps[] = {{3 * rowHeight, 13}, {rowHeight / 2, 14}, {-1, 13}, {-1000 * rowHeight, 0}, {1000 * rowHeight, 100 - rowsShown}};
    for (auto step : steps) {
        SCOPED_TRACE(step.dy);
        list->Scroll(0, step.dy);
        EXPECT_EQ(list->TopIndex(), step.top);
    }
}

TEST_F(ListViewTest, HeaderShowsTheColumnsAndReportsClicks) {
    QHeaderView* header = ViewOf(list)->header();
    const int widths[] = {40, 90, 60};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(header->sectionSize(i), widths[i]);
    EXPECT_EQ(header->model()->headerData(1, Qt::Horizontal).toString(), "Word");
    EXPECT_TRUE(header->model()->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                Qt::AlignRight);

    std::vector<int> clicked;
    int controlClicks = 0;
    list->OnColumnClick = [&](TObject* sender, TListColumn* column) {
        EXPECT_EQ(sender, list);
        clicked.push_back(column->Index);
    };
    list->OnClick = [&](TObject*) { ++controlClicks; };
    for (int column : {2, 0, 1})
        Click(header->viewport(),
              QPoint(header->sectionViewportPosition(column) + widths[column] / 2, header->height() / 2));
    EXPECT_EQ(clicked, (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(controlClicks, 0);
}

TEST_F(ListViewTest, CustomDrawColoursReachThePixels) {
    const TColor odd = RGB(0xF7, 0xFF, 0xFF), even = RGB(0xFE, 0xF5, 0xFE);
    const TColor blue = RGB(0, 0, 0xFF), red = RGB(0xFF, 0, 0);
    Fill("abcd");
    std::set<int> subItems;
    list->OnCustomDrawItem = [&](TObject*, TListItem* item, bool&) {
        list->Canvas().Brush().Color = item->Index() % 2 ? odd : even;
    };
    list->OnCustomDrawSubItem = [&](TObject*, TListItem* item, int subItem, bool&) {
        subItems.insert(subItem);
        TFont& font = list->Canvas().Font();
        font.SetColor(subItem == 1 ? blue : red);
        if (subItem == 1 && item->Index() == 0) font.SetStyle(fsBold);
    };
    // Equal texts, so that the bold one is told by its ink.
    list->Items()[0]->SubItems[0] = list->Items()[2]->SubItems[0] = "MMM";
    list->Items()[3]->SetSelected(true);
    list->SetGridLines(true);
    QTreeView* view = ViewOf(list);
    TBitmap picture(list->Width(), list->Height());
    list->PaintTo(picture.Canvas(), 0, 0);
    EXPECT_EQ(subItems, (std::set<int>{1, 2}));

    const QPoint origin = view->viewport()->pos();
    auto cell = [&](int row, int column) {
        return view->visualRect(view->model()->index(row, column)).translated(origin);
    };
    // Colour pixels of one colour in a cell.
    auto count = [&](int row, int column, TColor colour) {
        int n = 0;
        const QRect r = cell(row, column);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += picture.Pixel(x, y) == colour;
        return n;
    };
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        const QRect r = cell(row, 0);
        EXPECT_EQ(picture.Pixel(r.right() - 3, r.top() + 2), row % 2 ? odd : even);
        EXPECT_GT(count(row, 1, blue), 0);
        EXPECT_EQ(count(row, 1, red), 0);
        EXPECT_GT(count(row, 2, red), 0);
        // Grid lines at the cell's right and bottom edges.
        EXPECT_EQ(picture.Pixel(r.right(), r.center().y()), ColorToRGB(clBtnFace));
        EXPECT_EQ(picture.Pixel(r.left() + 3, r.bottom()), ColorToRGB(clBtnFace));
    }
    EXPECT_GT(count(0, 1, blue), count(2, 1, blue));
    // The selected row shows the selection colours, not the handler's.
    const TColor selected = picture.Pixel(cell(3, 0).right() - 3, cell(3, 0).top() + 2);
    EXPECT_TRUE(selected == ColorToRGB(clHighlight) || selected == ColorToRGB(clBtnFace)) << std::hex << selected;

    // A picture of the program's kind of table, for a person to look at.
    list->Items().Clear();
    for (int i = 0; i < 20; ++i) {
        TListItem* item = list->Items().Add();
        item->Caption = " " + IntToStr(i + 1);
        item->SubItems = {std::string(i % 3 ? "word" : "#tag") + IntToStr(i) + " ", IntToStr(100 - i)};
    }
    list->Items()[4]->SetSelected(true);
    EXPECT_TRUE(form->SaveScreenshot(PicturePath("ListViewTable.png")));
}

TEST_F(ListViewTest, UserClicksSelectRowsAndDoubleClickFiresOnce) {
    Fill("abcdef");
    QWidget* viewport = ViewOf(list)->viewport();
    int selectEvents = 0;
    list->OnSelectItem = [&](TObject*) { ++selectEvents; };
    struct Step {
        int row;
        Qt::KeyboardModifiers modifiers;
        const char* selected;
    } steps[] = {
        {1, Qt::NoModifier, "1"},
        {3, Qt::ShiftModifier, "123"},
        {5, Qt::ControlModifier, "1235"},
        {2, Qt::ControlModifier, "135"},
        {4, Qt::NoModifier, "4"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.selected);
        const int before = selectEvents;
        Click(viewport, RowPoint(list, step.row), step.modifiers);
        EXPECT_EQ(SelectedRows(list), step.selected);
        EXPECT_EQ(list->SelCount(), static_cast<int>(std::string(step.selected).size()));
        EXPECT_EQ(list->Selected()->Index(), step.selected[0] - '0');
        EXPECT_EQ(list->ItemFocused()->Index(), step.row);
        EXPECT_GT(selectEvents, before);
    }

    // Keys reach Qt's view through the control and move the selection too.
    for (auto [key, modifiers, selected] : {std::tuple{Qt::Key_Down, Qt::NoModifier, "5"},
                                            std::tuple{Qt::Key_Up, Qt::ShiftModifier, "45"}}) {
        SCOPED_TRACE(selected);
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(ViewOf(list), &press);
        EXPECT_EQ(SelectedRows(list), selected);
    }

    int clicks = 0, doubleClicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    list->OnDblClick = [&](TObject* sender) {
        EXPECT_EQ(list->Selected()->Caption, "c");
        EXPECT_EQ(sender, list);
        ++doubleClicks;
    };
    Click(viewport, RowPoint(list, 2));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 0);
    Mouse(viewport, QEvent::MouseButtonDblClick, RowPoint(list, 2), Qt::LeftButton);
    Mouse(viewport, QEvent::MouseButtonRelease, RowPoint(list, 2), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 1);
}

// Owner data: rows come from OnData, here row r is "r" with sub-items "w<r>" and 2r.
class OwnerDataTest : public ListViewTest {
protected:
    void SetUp() override {
        ListViewTest::SetUp();
        list->SetOwnerData(true);
        list->OnData = [this](TObject* sender, TListItem* item) {
            EXPECT_EQ(sender, list);
            EXPECT_TRUE(item->Caption.empty() && item->SubItems.empty());
            asked.push_back(item->Index());
            item->Caption = IntToStr(item->Index());
            item->SubItems = {"w" + item->Caption, IntToStr(2 * item->Index())};
        };
    }
    // The rows a full paint of the view must show: those whose top is inside the viewport.
    std::vector<int> RowsOnScreen() {
        QTreeView* view = ViewOf(list);
        const int top = list->TopIndex(), height = view->visualRect(view->model()->index(top, 0)).height();
        std::vector<int> rows;
        for (int y = 0, row = top; y < view->viewport()->height() && row < list->Items().Count(); y += height)
            rows.push_back(row++);
        return rows;
    }
    void Paint() {
        TBitmap picture(list->Width(), list->Height());
        list->PaintTo(picture.Canvas(), 0, 0);
    }
    std::vector<int> asked;
};

TEST_F(OwnerDataTest, AsksOnlyForTheRowsItShowsOrReads) {
    list->Items().SetCount(100000);
    EXPECT_EQ(list->Items().Count(), 100000);
    EXPECT_EQ(ViewOf(list)->model()->rowCount(), 100000);
    EXPECT_TRUE(asked.empty());
    Paint();
    // One call per row shown, however many columns it has.
    EXPECT_EQ(asked, RowsOnScreen());
    // Typing does not search the rows' texts: that would ask for every row.
    asked.clear();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_9, Qt::NoModifier, "9");
    QApplication::sendEvent(ViewOf(list), &key);
    EXPECT_TRUE(asked.empty());

    TListItem* item = list->Items()[70000];
    EXPECT_EQ(item->Index(), 70000);
    EXPECT_EQ(item->Caption, "70000");
    EXPECT_EQ(item->SubItems, (std::vector<std::string>{"w70000", "140000"}));
    EXPECT_EQ(list->Items()[70000], item);
    EXPECT_EQ(asked, std::vector<int>{70000});
    EXPECT_THROW(list->Items()[100000], EStringListError);
    // Invalidate says the program's rows may have changed: they are asked for again.
    list->Invalidate();
    list->Items()[70000];
    EXPECT_EQ(asked, (std::vector<int>{70000, 70000}));

    asked.clear();
    list->MakeVisible(list->Items()[99999]);
    Paint();
    EXPECT_GT(list->TopIndex(), 99000);
    asked.erase(asked.begin());  // the read of row 99999
    EXPECT_EQ(asked, RowsOnScreen());
    EXPECT_EQ(RowsOnScreen().back(), 99999);

    // Back to normal mode: no rows, and OnData is no longer asked.
    list->SetOwnerData(false);
    EXPECT_EQ(list->Items().Count(), 0);
    list->Items().Add()->Caption = "x";
    asked.clear();
    Paint();
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(item->Selected(), false);
}

TEST_F(OwnerDataTest, SelectionIsKeptByRowAndDoubleClickSeesTheRow) {
    list->Items().SetCount(1000);
    list->Items()[5]->SetSelected(true);
    list->Items()[700]->SetSelected(true);
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_EQ(list->Selected()->Index(), 5);
    EXPECT_TRUE(list->Items()[700]->Selected());
    EXPECT_FALSE(list->Items()[6]->Selected());
    EXPECT_EQ(QtSelectedRows(list), "5700");
    // Rows below a deleted one move up with their selection.
    list->Items().Delete(100);
    EXPECT_EQ(list->Items().Count(), 999);
    EXPECT_TRUE(list->Items()[699]->Selected());
    EXPECT_EQ(QtSelectedRows(list), "5699");
    list->SetMultiSelect(false);
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(QtSelectedRows(list), "5");

    QWidget* viewport = ViewOf(list)->viewport();
    Click(viewport, RowPoint(list, 3));
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(list->Selected()->Caption, "3");
    EXPECT_EQ(list->ItemFocused()->Index(), 3);
    std::string seen;
    list->OnDblClick = [&](TObject*) { seen = list->Selected() ? list->Selected()->SubItems[0] : "none"; };
    Mouse(viewport, QEvent::MouseButtonPress, RowPoint(list, 4), Qt::LeftButton);
    Mouse(viewport, QEvent::MouseButtonRelease, RowPoint(list, 4), Qt::LeftButton);
    Mouse(viewport, QEvent::MouseButtonDblClick, RowPoint(list, 4), Qt::LeftButton);
    Mouse(viewport, QEvent::MouseButtonRelease, RowPoint(list, 4), Qt::LeftButton);
    EXPECT_EQ(seen, "w4");

    list->SetMultiSelect(true);
    list->SelectAll();
    EXPECT_EQ(list->SelCount(), 999);
    list->ClearSelection();
    EXPECT_EQ(list->Selected(), nullptr);
    list->Items()[2]->SetSelected(true);
    // A new count is new data.
    list->Items().SetCount(10);
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_EQ(list->Selected(), nullptr);
    EXPECT_EQ(list->ItemFocused(), nullptr);
}

TEST_F(OwnerDataTest, CustomDrawColoursReachThePixels) {
    const TColor odd = RGB(0xF7, 0xFF, 0xFF), even = RGB(0xFE, 0xF5, 0xFE), blue = RGB(0, 0, 0xFF);
    list->OnCustomDrawItem = [&](TObject*, TListItem* item, bool&) {
        EXPECT_EQ(item->Caption, IntToStr(item->Index()));
        list->Canvas().Brush().Color = item->Index() % 2 ? odd : even;
    };
    list->OnCustomDrawSubItem = [&](TObject*, TListItem*, int subItem, bool&) {
        if (subItem == 1) list->Canvas().Font().SetColor(blue);
    };
    list->Items().SetCount(50000);
    TBitmap picture(list->Width(), list->Height());
    list->PaintTo(picture.Canvas(), 0, 0);
    QTreeView* view = ViewOf(list);
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        const QRect r = view->visualRect(view->model()->index(row, 1)).translated(view->viewport()->pos());
        EXPECT_EQ(picture.Pixel(r.right() - 2, r.top() + 2), row % 2 ? odd : even);
        int inked = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) inked += picture.Pixel(x, y) == blue;
        EXPECT_GT(inked, 0);
    }
    EXPECT_TRUE(form->SaveScreenshot(PicturePath("ListViewOwnerData.png")));
}

TEST_F(ListViewTest, ColumnWidthsSetInCodeReachTheHeader) {
    QHeaderView* header = ViewOf(list)->header();
    list->Column(1)->Width = 150;
    list->Invalidate();
    EXPECT_EQ(header->sectionSize(1), 150);
    list->Column(2)->Width = 33;
    TBitmap picture(list->Width(), list->Height());
    list->PaintTo(picture.Canvas(), 0, 0);
    EXPECT_EQ(header->sectionSize(2), 33);
    EXPECT_EQ(header->sectionViewportPosition(2), 40 + 150);
    list->SetColumnWidth(0, 61);
    EXPECT_EQ(header->sectionSize(0), 61);
    EXPECT_EQ(list->Column(0)->Width, 61);
}

TEST_F(ListViewTest, CanvasMeasuresInTheControlsFontOutsidePaints) {
    TCanvas reference;
    reference.Font().Assign(list->Font());
    const int plain = reference.TextWidth("WWWW");
    ASSERT_GT(plain, 0);
    EXPECT_EQ(list->Canvas().TextWidth("WWWW"), plain);
    // What a custom-draw handler leaves on the canvas does not outlast the paint.
    Fill("ab");
    list->OnCustomDrawItem = [&](TObject*, TListItem*, bool&) {
        list->Canvas().Font().SetSize(30);
        list->Canvas().Font().SetStyle(fsBold);
    };
    TBitmap picture(list->Width(), list->Height());
    list->PaintTo(picture.Canvas(), 0, 0);
    EXPECT_EQ(list->Canvas().TextWidth("WWWW"), plain);
    list->Font().SetSize(24);
    EXPECT_GT(list->Canvas().TextWidth("WWWW"), 2 * plain);
}

// A column is widened to its widest text as the paint measures it: numbers
// from cached advances and kerning, other text shaped whole; in the font the
// custom-draw handler gives each cell.
TEST_F(ListViewTest, ContentWidthIsTheShapedWidthOfTheWidestCell) {
    Fill("a");
    TFont cellFont;
    list->OnCustomDrawSubItem = [&](TObject*, TListItem*, int, bool&) { list->Canvas().Font().Assign(cellFont); };
    list->Items()[0]->SubItems[1] = "";
    const int margins = list->ContentWidth(2);
    const std::vector<std::string> texts = {"0",         "1",        "11",       "-1.7",          "1 234",
                                            "+10.0000",  "747.4747", "2367948",  "-0.0001",       "77777.77",
                                            "Log-ratio", "office",   "AVAWAY.", "caf\xC3\xA9 1.5"};
    for (const char* name : {"Arial", "Courier New"})
        for (int height : {-11, -13, 16, 22})
            for (TFontStyles style : {TFontStyles(0), TFontStyles(fsBold)}) {
                cellFont.SetName(name);
                cellFont.SetHeight(height);
                cellFont.SetStyle(style);
                const QFontMetricsF metrics(cellFont.ToQFont());
                for (const std::string& text : texts) {
                    SCOPED_TRACE(std::string(name) + " " + std::to_string(height) + (style ? " bold " : " ") + text);
                    list->Items()[0]->SubItems[1] = text;
                    const int shaped = int(std::ceil(metrics.horizontalAdvance(QString::fromUtf8(text.c_str()))));
                    EXPECT_EQ(list->ContentWidth(2) - margins, shaped);
                }
            }
    // The widest of several rows, whatever their order.
    list->Items().Clear();
    Fill("abc", {"9.1", "1111.1111", "-88"});
    cellFont.SetName("Arial");
    const QFontMetricsF metrics(cellFont.ToQFont());
    EXPECT_EQ(list->ContentWidth(2) - margins, int(std::ceil(metrics.horizontalAdvance("1111.1111"))));
}

// List style runs the items down columns, icon styles lay them out in rows
// of a grid; clicks and keys follow the layout shown, and the report view
// comes back as it was.
TEST_F(ListViewTest, ListAndIconStylesLayOutTheItemsAndFollowClicksAndKeys) {
    const TColor iconColour = RGB(0x10, 0xE0, 0x10);
    TCustomImageList large(32, 32), small(16, 16);
    TBitmap glyph(32, 32);
    glyph.Canvas().Brush().Color = iconColour;
    glyph.Canvas().FillRect(Rect(0, 0, 32, 32));
    large.AddMasked(glyph, clNone);
    small.AddMasked(glyph, clNone);
    list->SetLargeImages(&large);
    list->SetSmallImages(&small);
    for (int i = 0; i < 40; ++i) {
        TListItem* item = list->Items().Add();
        item->Caption = (i % 3 ? "word" : "#tag") + IntToStr(i);
        item->ImageIndex = 0;
    }
    const TRect reportRow = list->ItemRect(1);
    QTreeView* view = ViewOf(list);
    QWidget* viewport = view->viewport();
    auto press = [&](Qt::Key key) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(view, &e);
        return list->ItemFocused() ? list->ItemFocused()->Index() : -1;
    };

    list->ViewStyle = TViewStyle::vsList;
    EXPECT_TRUE(view->header()->isHidden());
    const TRect first = list->ItemRect(0);
    int perColumn = 1;
    while (perColumn < 40 && list->ItemRect(perColumn).Left == first.Left) ++perColumn;
    ASSERT_GT(perColumn, 1);
    ASSERT_LT(perColumn, 40);
    EXPECT_EQ(list->ItemRect(perColumn), Rect(first.Right, first.Top, first.Right + first.Width(), first.Bottom));
    EXPECT_LT(first.Width(), reportRow.Width()) << "a cell, not a row across the columns";
    Click(viewport, RowPoint(list, perColumn + 1));
    EXPECT_EQ(SelectedRows(list), IntToStr(perColumn + 1));
    EXPECT_EQ(press(Qt::Key_Left), 1);
    EXPECT_EQ(press(Qt::Key_Down), 2);
    EXPECT_EQ(press(Qt::Key_Right), perColumn + 2);
    EXPECT_EQ(SelectedRows(list), IntToStr(perColumn + 2));
    Click(viewport, RowPoint(list, 2 * perColumn), Qt::ShiftModifier);
    EXPECT_EQ(list->SelCount(), perColumn - 1);
    list->Items()[3]->SetSelected(true);
    // The custom-draw colours reach the caption of an item that is not selected.
    const TColor back = RGB(0xFE, 0xF5, 0xA0), blue = RGB(0, 0, 0xFF);
    list->OnCustomDrawItem = [&](TObject*, TListItem* item, bool&) {
        if (item->Index() != 0) return;
        list->Canvas().Brush().Color = back;
        list->Canvas().Font().SetColor(blue);
    };
    TBitmap shot(list->Width(), list->Height());
    list->PaintTo(shot.Canvas(), 0, 0);
    int backs = 0, blues = 0;
    for (int y = first.Top; y < first.Bottom; ++y)
        for (int x = first.Left; x < first.Right; ++x) {
            backs += shot.Pixel(x, y) == back;
            blues += shot.Pixel(x, y) == blue;
        }
    EXPECT_GT(backs, 0);
    EXPECT_GT(blues, 0);
    list->OnCustomDrawItem = nullptr;
    EXPECT_TRUE(form->SaveScreenshot(PicturePath("ListViewListStyle.png")));
    list->ClearSelection();
    list->SetItemFocused(list->Items()[0]);

    list->ViewStyle = TViewStyle::vsIcon;
    const TRect cell = list->ItemRect(0);
    int perRow = 1;
    while (perRow < 40 && list->ItemRect(perRow).Top == cell.Top) ++perRow;
    ASSERT_GT(perRow, 1);
    ASSERT_LT(perRow, 40);
    EXPECT_EQ(list->ItemRect(1), Rect(cell.Right, cell.Top, cell.Right + cell.Width(), cell.Bottom));
    EXPECT_EQ(list->ItemRect(perRow), Rect(cell.Left, cell.Bottom, cell.Right, cell.Bottom + cell.Height()));
    list->Items()[perRow + 1]->SetSelected(true);
    list->SetItemFocused(list->Items()[perRow + 1]);
    TBitmap picture(list->Width(), list->Height());
    list->PaintTo(picture.Canvas(), 0, 0);
    // The icon stands centred at the top of its cell, the caption's ink below it.
    const int left = cell.Right, right = cell.Right + cell.Width(), middle = (left + right) / 2;
    int top = cell.Top;
    while (top < cell.Bottom && picture.Pixel(middle, top) != iconColour) ++top;
    ASSERT_LT(top, cell.Top + 8);
    EXPECT_EQ(picture.Pixel(middle, top + 31), iconColour);
    EXPECT_NE(picture.Pixel(middle, top + 32), iconColour);
    EXPECT_EQ(picture.Pixel(middle - 16, top + 16), iconColour);
    EXPECT_NE(picture.Pixel(middle - 17, top + 16), iconColour);
    int ink = 0;
    for (int y = top + 32; y < cell.Bottom; ++y)
        for (int x = left; x < right; ++x) ink += picture.Pixel(x, y) == ColorToRGB(clWindowText);
    EXPECT_GT(ink, 0);
    EXPECT_EQ(press(Qt::Key_Down), 2 * perRow + 1);
    EXPECT_EQ(press(Qt::Key_Right), 2 * perRow + 2);
    EXPECT_TRUE(form->SaveScreenshot(PicturePath("ListViewIconStyle.png")));

    list->ViewStyle = TViewStyle::vsReport;
    EXPECT_FALSE(view->header()->isHidden());
    EXPECT_EQ(list->ItemRect(1), reportRow);
    list->SetLargeImages(nullptr);
    list->SetSmallImages(nullptr);
}

// The list and icon styles show the captions of a list that has no columns;
// its first column, added later, is the captions' in the report view.
TEST(ListViewStyles, AListWithoutColumnsShowsItsCaptions) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* list = new TListView(&form);
    list->SetParent(&form);
    list->SetBounds(0, 0, 280, 180);
    form.SetVisible(true);
    for (const char* caption : {"alpha", "beta", "gamma"}) list->Items().Add()->Caption = caption;
    QTreeView* view = ViewOf(list);
    list->ViewStyle = TViewStyle::vsSmallIcon;
    EXPECT_EQ(view->model()->columnCount(), 1);
    Click(view->viewport(), RowPoint(list, 1));
    EXPECT_EQ(SelectedRows(list), "1");
    EXPECT_EQ(QtSelectedRows(list), "1");
    // An item added shows at the next paint, before anything else asks where it is.
    list->Items().Add()->Caption = "delta";
    TBitmap picture(list->Width(), list->Height());
    list->PaintTo(picture.Canvas(), 0, 0);
    for (int row : {0, 3}) {
        SCOPED_TRACE(row);
        const TRect cell = list->ItemRect(row);
        int ink = 0;
        for (int y = cell.Top; y < cell.Bottom; ++y)
            for (int x = cell.Left; x < cell.Right; ++x) ink += picture.Pixel(x, y) == ColorToRGB(clWindowText);
        EXPECT_GT(ink, 0);
    }

    list->ViewStyle = TViewStyle::vsReport;
    EXPECT_EQ(view->model()->columnCount(), 0);
    EXPECT_EQ(SelectedRows(list), "1");
    list->ViewStyle = TViewStyle::vsList;
    list->AddColumn("Name", 100);
    EXPECT_EQ(view->model()->columnCount(), 1);
    list->ViewStyle = TViewStyle::vsReport;
    EXPECT_EQ(view->model()->columnCount(), 1);
    EXPECT_EQ(view->model()->headerData(0, Qt::Horizontal).toString(), "Name");
    EXPECT_EQ(view->model()->index(3, 0).data().toString(), "delta");
    EXPECT_EQ(QtSelectedRows(list), "1");
}

TEST_F(ListViewTest, TheWheelTurnsTheColumnsInListStyle) {
    for (int i = 0; i < 300; ++i) list->Items().Add()->Caption = IntToStr(i);
    list->ViewStyle = TViewStyle::vsList;
    QWidget* viewport = ViewOf(list)->viewport();
    const QPoint at = viewport->rect().center();
    QWheelEvent down(QPointF(at), viewport->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &down);
    const int top = list->TopIndex();
    EXPECT_GT(top, 0);
    // The first item shown heads the first column in view.
    EXPECT_EQ(list->ItemRect(top).Left, viewport->geometry().left());
    EXPECT_EQ(list->ItemRect(top).Top, viewport->geometry().top());
}

TEST_F(ListViewTest, RightClickSelectsTheRowAndOpensThePopupMenu) {
    Fill("abc");
    list->Items()[0]->SetSelected(true);
    TPopupMenu menu(nullptr);
    int selectedWhenOpened = -1;
    menu.OnPopup = [&](TObject*) { selectedWhenOpened = list->Selected() ? list->Selected()->Index() : -1; };
    list->PopupMenu = &menu;
    TDialogScript::Activate(true);
    TDialogScript::Clear();
    QWidget* viewport = ViewOf(list)->viewport();
    const QPoint p = RowPoint(list, 2);
    Mouse(viewport, QEvent::MouseButtonPress, p, Qt::RightButton);
    QContextMenuEvent e(QContextMenuEvent::Mouse, p, viewport->mapToGlobal(p));
    QApplication::sendEvent(viewport, &e);
    Mouse(viewport, QEvent::MouseButtonRelease, p, Qt::RightButton);
    EXPECT_EQ(selectedWhenOpened, 2);
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Menu).size(), 1u);
    TDialogScript::Activate(false);
    list->PopupMenu = nullptr;
}

}  // namespace
