#include "platform/gui/views/TreeCounts.h"

#include <QAbstractItemModel>
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
    if (rowHeight <= 0) rowHeight = std::max(1, view.fontMetrics().height());
    // A hidden view lays out its viewport only when shown: measure by its size then.
    const int height = view.isVisible() ? view.viewport()->height() : view.maximumViewportSize().height();
    return std::max(0, height) / rowHeight;
}

}  // namespace tree_counts
