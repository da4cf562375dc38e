#include "platform/gui/views/TreeView.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>

#include "platform/gui/QtGlue.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/views/TreeCounts.h"

namespace {

QStandardItem* ItemOf(HTREEITEM item) { return reinterpret_cast<QStandardItem*>(item); }
HTREEITEM HandleOf(QStandardItem* item) { return reinterpret_cast<HTREEITEM>(item); }

}  // namespace

TCustomTreeView::TCustomTreeView(TComponent* owner) : TWinControl(owner), FSignals(std::make_unique<QObject>()) {
    SetNativeDefault(true);
    SetTabStop(true);
    EnsureWidget();
    WatchSelection();
}

// The widget outlives this part of the control: FSignals takes the view's
// connections to it along.
TCustomTreeView::~TCustomTreeView() = default;

QWidget* TCustomTreeView::CreateWidget() {
    auto* view = new QTreeView();
    FItems = new QStandardItemModel(view);
    view->setModel(FItems);
    view->setHeaderHidden(true);
    // A row wider than the view scrolls sideways, as the platform's trees do,
    // rather than being cut with an ellipsis.
    view->header()->setStretchLastSection(false);
    view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setUniformRowHeights(true);
    view->setAnimated(false);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The platform's trees scroll by whole items: a page is the items that fit.
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    return view;
}

QTreeView* TCustomTreeView::View() const { return static_cast<QTreeView*>(Widget()); }

void TCustomTreeView::WatchSelection() {
    QTreeView* view = View();
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentChanged, FSignals.get(),
                     [this](const QModelIndex&, const QModelIndex&) { Change(); });
}

void TCustomTreeView::ShowModel(QAbstractItemModel* model) {
    // A replaced selection model lives on: it must not reach the control any more.
    if (QItemSelectionModel* old = View()->selectionModel()) QObject::disconnect(old, nullptr, FSignals.get(), nullptr);
    View()->setModel(model);
    WatchSelection();
}

void TCustomTreeView::Change() {
    if (OnChange) OnChange(this);
}

void TCustomTreeView::SetFrameVisible(bool value) {
    View()->setFrameShape(value ? QFrame::StyledPanel : QFrame::NoFrame);
}

HTREEITEM TCustomTreeView::AddItem(HTREEITEM parent, const std::string& text) {
    if (View()->model() != FItems) ShowModel(FItems);
    auto* item = new QStandardItem(ToQString(text));
    (parent ? ItemOf(parent) : FItems->invisibleRootItem())->appendRow(item);
    return HandleOf(item);
}

void TCustomTreeView::ClearItems() { FItems->clear(); }

void TCustomTreeView::Expand(HTREEITEM item) {
    if (item) View()->expand(ItemOf(item)->index());
}

void TCustomTreeView::Select(HTREEITEM item) {
    if (item) View()->setCurrentIndex(ItemOf(item)->index());
}

HTREEITEM TCustomTreeView::Selected() const {
    if (View()->model() != FItems) return nullptr;
    return HandleOf(FItems->itemFromIndex(View()->currentIndex()));
}

void TCustomTreeView::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TCustomTreeView::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case TVM_GETCOUNT: m.Result = tree_counts::ItemCount(*View()); return;
        case TVM_GETVISIBLECOUNT: m.Result = tree_counts::VisibleCount(*View()); return;
        default: TWinControl::Dispatch(m);
    }
}
