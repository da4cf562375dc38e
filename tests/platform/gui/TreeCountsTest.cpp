// The tree-view counts: every item held, closed branches included, without
// loading branches that load as they open; and the items that fit the view.

#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardItemModel>
#include <QTreeView>

#include <string>

#include "platform/gui/Forms.h"
#include "platform/gui/ShellCtrls.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/views/TreeCounts.h"

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

}  // namespace
