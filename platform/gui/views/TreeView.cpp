#include "platform/gui/views/TreeView.h"

#include <algorithm>

#include <QHeaderView>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTreeView>

#include "platform/gui/QtGlue.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/gui/views/TreeCounts.h"

namespace {

QStandardItem* ItemOf(HTREEITEM item) { return reinterpret_cast<QStandardItem*>(item); }
HTREEITEM HandleOf(QStandardItem* item) { return reinterpret_cast<HTREEITEM>(item); }

// An item's indexes in the two image lists; absent: -1.
constexpr int kImageRole = Qt::UserRole + 1, kStateRole = Qt::UserRole + 2;

int IndexIn(const QModelIndex& index, int role) {
    const QVariant v = index.data(role);
    return v.isValid() ? v.toInt() : -1;
}

// Gives each item the picture of its images at paint time, so a list's
// background colour or contents changed since show at once.
class ItemImageDelegate : public QStyledItemDelegate {
public:
    ItemImageDelegate(const TCustomTreeView& tree, QObject* parent) : QStyledItemDelegate(parent), FTree(tree) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QPixmap picture = FTree.ItemPicture(index);
        if (picture.isNull()) return;
        // The same picture selected or not: the platform's trees do not tint it.
        QIcon icon;
        for (QIcon::Mode mode : {QIcon::Normal, QIcon::Selected, QIcon::Active}) icon.addPixmap(picture, mode);
        option->icon = icon;
        option->decorationSize = picture.size();
        option->features |= QStyleOptionViewItem::HasDecoration;
    }

private:
    const TCustomTreeView& FTree;
};

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
    view->setItemDelegate(new ItemImageDelegate(*this, view));
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

void TCustomTreeView::SetImageList(TCustomImageList*& field, TCustomImageList* value) {
    if (value == field) return;
    if (field) RemoveFreeNotification(field);
    field = value;
    if (value) value->FreeNotification(this);
    // Rows take the height of their pictures again.
    View()->doItemsLayout();
    Invalidate();
}

void TCustomTreeView::SetImages(TCustomImageList* value) { SetImageList(FImages, value); }

void TCustomTreeView::SetStateImages(TCustomImageList* value) { SetImageList(FStateImages, value); }

void TCustomTreeView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FImages) SetImages(nullptr);
    if (component == FStateImages) SetStateImages(nullptr);
}

void TCustomTreeView::SetItemImageIndex(HTREEITEM item, int index) {
    if (item) ItemOf(item)->setData(index, kImageRole);
}

void TCustomTreeView::SetItemStateIndex(HTREEITEM item, int index) {
    if (item) ItemOf(item)->setData(index, kStateRole);
}

QPixmap TCustomTreeView::ItemPicture(const QModelIndex& index) const {
    const TCustomImageList* lists[] = {FStateImages, FImages};
    const int indexes[] = {IndexIn(index, kStateRole), IndexIn(index, kImageRole)};
    int width = 0, height = 0;
    for (const TCustomImageList* list : lists)
        if (list) width += list->Width(), height = std::max(height, list->Height());
    if (width == 0 || height == 0) return {};
    QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    TCanvas canvas;
    canvas.BeginPaint(&painter);
    int x = 0;
    for (int k = 0; k < 2; ++k) {
        if (!lists[k]) continue;
        lists[k]->Draw(canvas, x, (height - lists[k]->Height()) / 2, indexes[k]);
        x += lists[k]->Width();
    }
    canvas.EndPaint();
    painter.end();
    return QPixmap::fromImage(picture);
}

void TCustomTreeView::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TCustomTreeView::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case TVM_GETCOUNT: m.Result = tree_counts::ItemCount(*View()); return;
        case TVM_GETVISIBLECOUNT: m.Result = tree_counts::VisibleCount(*View()); return;
        default: TWinControl::Dispatch(m);
    }
}
