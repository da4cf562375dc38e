#include "platform/gui/views/TreeCounts.h"

#include <QAbstractItemModel>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <algorithm>

namespace tree_counts {

namespace {

int CountUnder(const QAbstractItemModel& model, const QModelIndex& parent) {
    const int rows = model.rowCount(parent);
    int count = rows;
    for (int row = 0; row < rows; ++row) {
        const QModelIndex child = model.index(row, 0, parent);
        // Asking a branch that has not loaded would load it: only loaded ones are counted.
        if (model.hasChildren(child) && !model.canFetchMore(child)) count += CountUnder(model, child);
    }
    return count;
}

// The height the view's style gives an item of one line of text in the view's
// font: what the first item will measure, before there is one.
int TextRowHeight(const QTreeView& view) {
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.font = view.font();
    option.fontMetrics = view.fontMetrics();
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("Xg");
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.decorationSize = view.iconSize().isValid() ? view.iconSize() : QSize();
    return view.style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), &view).height();
}

}  // namespace

int ItemCount(const QTreeView& view) {
    const QAbstractItemModel* model = view.model();
    return model ? CountUnder(*model, view.rootIndex()) : 0;
}

int VisibleCount(const QTreeView& view) {
    const QAbstractItemModel* model = view.model();
    int rowHeight = 0;
    if (model && model->rowCount(view.rootIndex()) > 0)
        rowHeight = view.visualRect(model->index(0, 0, view.rootIndex())).height();
    // An empty tree measures by its font, as its items will be.
    if (rowHeight <= 0) rowHeight = std::max(1, TextRowHeight(view));
    // A hidden view lays out its viewport only when shown: measure by its size then.
    const int height = view.isVisible() ? view.viewport()->height() : view.maximumViewportSize().height();
    return std::max(0, height) / rowHeight;
}

}  // namespace tree_counts
