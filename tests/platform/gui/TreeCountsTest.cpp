// The tree-view counts: every item held, closed branches included, without
// loading branches that load as they open; and the items that fit the view.

#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardItemModel>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTreeView>

#include <filesystem>
#include <string>

#include "platform/gui/Forms.h"
#include "platform/gui/ShellCtrls.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/views/TreeCounts.h"
#include "tests/support/TempFolder.h"

namespace {

// Branches named "lazy ..." load when opened, as folders of a file system do.
class LazyModel : public QStandardItemModel {
public:
    mutable int fetches = 0;
    bool canFetchMore(const QModelIndex& parent) const override {
        return parent.isValid() && parent.data().toString().startsWith("lazy");
    }
    void fetchMore(const QModelIndex&) override { ++fetches; }
};

QStandardItem* Branch(const char* name, std::initializer_list<QStandardItem*> children) {
    auto* item = new QStandardItem(name);
    for (QStandardItem* child : children) item->appendRow(child);
    return item;
}

TEST(TreeCounts, EveryLoadedItemCountsOpenOrClosed) {
    LazyModel model;
    model.appendRow(Branch("a", {Branch("a1", {}), Branch("a2", {Branch("a2x", {})})}));
    model.appendRow(Branch("lazy b", {Branch("b1", {})}));
    model.appendRow(Branch("c", {}));
    QTreeView view;
    view.setModel(&model);
    view.resize(200, 300);
    EXPECT_EQ(tree_counts::ItemCount(view), 6) << "a, a1, a2, a2x, lazy b, c";
    EXPECT_EQ(model.fetches, 0) << "counting loads nothing";
    view.expand(model.index(0, 0));
    EXPECT_EQ(tree_counts::ItemCount(view), 6) << "opening a branch changes nothing";
}

TEST(TreeCounts, VisibleCountIsTheItemsThatFitWhole) {
    QStandardItemModel model;
    for (int i = 0; i < 100; ++i) model.appendRow(new QStandardItem(QString::number(i)));
    QTreeView view;
    view.setModel(&model);
    view.resize(200, 123);
    const int beforeShown = tree_counts::VisibleCount(view);
    view.show();
    EXPECT_EQ(tree_counts::VisibleCount(view), beforeShown) << "a hidden view measures as it will show";
    for (int height : {60, 123, 300}) {
        SCOPED_TRACE(height);
        view.resize(200, height);
        const int count = tree_counts::VisibleCount(view);
        const int row = view.visualRect(model.index(0, 0)).height();
        ASSERT_GT(row, 0);
        EXPECT_LE(count * row, view.viewport()->height());
        EXPECT_GT((count + 1) * row, view.viewport()->height());
    }
    QStandardItemModel empty;
    view.setModel(&empty);
    EXPECT_GT(tree_counts::VisibleCount(view), 0) << "an empty tree measures by its font";
}

// A view that shows a bar once its items overflow asks the empty tree how many
// fit: the answer must not change when the first item arrives, whatever font
// stands in for the one asked.
TEST(TreeCounts, AnEmptyTreeMeasuresAsItsItemsWill) {
    for (const char* family : {"Arial", "DejaVu Sans", "Liberation Sans", "Nimbus Sans"}) {
        for (int points : {7, 8, 9, 10, 11, 12, 14, 18}) {
            SCOPED_TRACE(std::string(family) + " " + std::to_string(points));
            QStandardItemModel model;
            QTreeView view;
            view.setModel(&model);
            view.setHeaderHidden(true);
            view.setFont(QFont(family, points));
            view.resize(200, 150);
            view.show();
            const int empty = tree_counts::VisibleCount(view);
            model.appendRow(new QStandardItem("item 0"));
            EXPECT_EQ(tree_counts::VisibleCount(view), empty);
        }
    }
}

TEST(TreeCounts, TheFolderTreeAnswersTheCountMessages) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 400);
    auto* tree = new TFolderTree(&form);
    tree->SetParent(&form);
    tree->SetBounds(0, 0, 200, 100);
    EXPECT_GT(tree->Perform(TVM_GETVISIBLECOUNT), 0) << "measured before the tree is first shown";
    form.Show();
    const LRESULT small = tree->Perform(TVM_GETVISIBLECOUNT);
    tree->SetHeight(300);
    const LRESULT tall = tree->Perform(TVM_GETVISIBLECOUNT);
    EXPECT_GT(small, 0);
    EXPECT_GT(tall, 2 * small) << "three times the height holds more than twice the items";
    EXPECT_GE(tree->Perform(TVM_GETCOUNT), 0);
}

// A deep folder in a narrow tree: the selection shows whole, with the tree
// scrolled sideways no further than that takes, so the names above it keep
// their beginnings (a wide column centred on the selection cut both).
TEST(FolderTree, TheSelectedFolderShowsWholeScrolledOnlyAsFarAsNeeded) {
    TempFolder tmp;
    struct Case {
        const char* name;
        int width;
    } cases[] = {{"fits unscrolled", 900}, {"fits in a narrow tree", 240}, {"needs a little scrolling", 150}};
    std::filesystem::path deep = tmp.Path();
    for (const char* part : {"one-root", "neck", "a-third-level", "fourth"}) deep /= part;
    std::filesystem::create_directories(deep);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TForm form(nullptr);
        form.SetBounds(0, 0, c.width + 40, 400);
        auto* tree = new TFolderTree(&form);
        tree->SetParent(&form);
        tree->SetBounds(0, 0, c.width, 300);
        form.Show();
        ASSERT_TRUE(tree->SetSelectedPath(deep.string()));
        auto* view = static_cast<QTreeView*>(tree->Widget());
        // Folders load on a worker thread; the tree follows them as they come.
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 1500) QApplication::processEvents(QEventLoop::AllEvents, 20);
        const QModelIndex current = view->currentIndex();
        ASSERT_TRUE(current.isValid());
        const int offset = view->horizontalScrollBar()->value();
        const QRect cell = view->visualRect(current);
        const int textWidth = view->sizeHintForIndex(current).width();
        const int viewport = view->viewport()->width();
        // Where the text would stand unscrolled, and the least scroll that shows it whole.
        const int left = cell.left() + offset, right = left + textWidth;
        const int needed = std::min(left, std::max(0, right - viewport));
        EXPECT_EQ(offset, needed);
        EXPECT_GE(cell.left(), 0);
        EXPECT_LE(cell.left() + textWidth, viewport + (textWidth > viewport ? textWidth : 0));
    }
}

}  // namespace
