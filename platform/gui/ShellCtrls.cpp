#include "platform/gui/ShellCtrls.h"
#include "platform/gui/QtGlue.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/views/TreeCounts.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

TFolderTree::TFolderTree(TComponent* owner) : TWinControl(owner) {
    SetNativeDefault(true);
    SetTabStop(true);
    EnsureWidget();
}

TFolderTree::~TFolderTree() {
    // The widget outlives this part of the control: no signal may reach it any more.
    QObject::disconnect(View()->selectionModel(), nullptr, View(), nullptr);
    QObject::disconnect(FModel, nullptr, View(), nullptr);
}

QWidget* TFolderTree::CreateWidget() {
    auto* view = new QTreeView();
    FModel = new QFileSystemModel(view);
    FModel->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    FModel->setRootPath(QString());
    view->setModel(FModel);
    for (int column = 1; column < FModel->columnCount(); ++column) view->hideColumn(column);
    view->setHeaderHidden(true);
    view->setSortingEnabled(true);
    view->sortByColumn(0, Qt::AscendingOrder);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setUniformRowHeights(true);
    view->setAnimated(false);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);

    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentChanged, view,
                     [this](const QModelIndex&, const QModelIndex&) {
                         if (!FSettingPath) FFollowSelection = false;
                         if (OnChange) OnChange(this);
                     });
    // Once the user opens, closes or scrolls the tree, it stays where the user put it.
    auto stopFollowing = [this] {
        if (!FSettingPath) FFollowSelection = false;
    };
    QObject::connect(view, &QTreeView::expanded, view, stopFollowing);
    QObject::connect(view, &QTreeView::collapsed, view, stopFollowing);
    QObject::connect(view->verticalScrollBar(), &QAbstractSlider::actionTriggered, view, stopFollowing);
    QObject::connect(FModel, &QAbstractItemModel::rowsInserted, view, [this] { ScrollToSelectionLater(); });
    QObject::connect(FModel, &QAbstractItemModel::layoutChanged, view, [this] { ScrollToSelectionLater(); });
    return view;
}

// Folders arrive in batches and are sorted after a turn of the event loop:
// the scroll waits until the view has laid them out.
void TFolderTree::ScrollToSelectionLater() {
    if (!FFollowSelection || FScrollPending) return;
    FScrollPending = true;
    QTreeView* view = View();
    QTimer::singleShot(0, view, [this, view] {
        FScrollPending = false;
        if (FFollowSelection && view->currentIndex().isValid())
            view->scrollTo(view->currentIndex(), QAbstractItemView::PositionAtCenter);
    });
}

QTreeView* TFolderTree::View() const { return static_cast<QTreeView*>(Widget()); }

void TFolderTree::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case TVM_GETCOUNT: m.Result = tree_counts::ItemCount(*View()); return;
        case TVM_GETVISIBLECOUNT: m.Result = tree_counts::VisibleCount(*View()); return;
        default: TWinControl::Dispatch(m);
    }
}

std::string TFolderTree::SelectedPath() const {
    QModelIndex current = View()->currentIndex();
    if (!current.isValid()) return std::string();
    return FromQString(QDir::cleanPath(FModel->filePath(current)));
}

bool TFolderTree::SetSelectedPath(const std::string& path) {
    QFileInfo info(ToQString(path));
    if (path.empty() || !info.isDir()) return false;
    QModelIndex index = FModel->index(info.absoluteFilePath());
    if (!index.isValid()) return false;
    QTreeView* view = View();
    FSettingPath = true;
    FFollowSelection = true;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) view->expand(parent);
    view->setCurrentIndex(index);
    FSettingPath = false;
    view->scrollTo(index, QAbstractItemView::PositionAtCenter);
    ScrollToSelectionLater();
    return true;
}

void TFolderTree::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }
