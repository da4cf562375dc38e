#pragma once
// The counts the platform's tree view answers (TVM_GETCOUNT,
// TVM_GETVISIBLECOUNT), for trees that stand on a Qt tree view.

class QTreeView;

namespace tree_counts {

// Every item the tree holds, under closed branches too (only those loaded so
// far, for trees that load as they open).
int ItemCount(const QTreeView& view);
// How many items fit whole in the view's height.
int VisibleCount(const QTreeView& view);

}  // namespace tree_counts
