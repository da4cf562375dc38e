#include "platform/gui/ShellCtrls.h"
#include "platform/gui/QtGlue.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

QTreeView* TFolderBrowsing::View() const { return static_cast<QTreeView*>(FTree.Widget()); }

TFolderBrowsing::TFolderBrowsing(TCustomTreeView& tree) : FTree(tree), FSignals(std::make_unique<QObject>()) {
    QTreeView* view = View();
    FModel = new QFileSystemModel(view);
    FModel->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    FModel->setRootPath(QString());
    tree.ShowModel(FModel);
    for (int column = 1; column < FModel->columnCount(); ++column) view->hideColumn(column);
    view->setSortingEnabled(true);
    view->sortByColumn(0, Qt::AscendingOrder);

    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentChanged, FSignals.get(),
                     [this](const QModelIndex&, const QModelIndex&) {
                         if (!FSettingPath) FFollowSelection = false;
                     });
    // Once the user opens, closes or scrolls the tree, it stays where the user put it.
    auto stopFollowing = [this] {
        if (!FSettingPath) FFollowSelection = false;
    };
    QObject::connect(view, &QTreeView::expanded, FSignals.get(), stopFollowing);
    QObject::connect(view, &QTreeView::collapsed, FSignals.get(), stopFollowing);
    QObject::connect(view->verticalScrollBar(), &QAbstractSlider::actionTriggered, FSignals.get(), stopFollowing);
    QObject::connect(view->horizontalScrollBar(), &QAbstractSlider::actionTriggered, FSignals.get(), stopFollowing);
    QObject::connect(FModel, &QAbstractItemModel::rowsInserted, FSignals.get(), [this] { ScrollToSelectionLater(); });
    QObject::connect(FModel, &QAbstractItemModel::layoutChanged, FSignals.get(), [this] { ScrollToSelectionLater(); });
}

// The model lives as long as the widget, which outlives this browsing.
TFolderBrowsing::~TFolderBrowsing() = default;

// Folders arrive in batches and are sorted after a turn of the event loop:
// the scroll waits until the view has laid them out.
void TFolderBrowsing::ScrollToSelectionLater() {
    if (!FFollowSelection || FScrollPending) return;
    FScrollPending = true;
    QTimer::singleShot(0, FSignals.get(), [this] {
        FScrollPending = false;
        QTreeView* view = View();
        if (FFollowSelection && view->currentIndex().isValid()) ShowWhole(view, view->currentIndex());
    });
}

// Centred up and down, but sideways only as far as the item's text needs:
// the view would centre the whole wide column and leave every name cut.
void TFolderBrowsing::ShowWhole(QTreeView* view, const QModelIndex& index) {
    view->scrollTo(index, QAbstractItemView::PositionAtCenter);
    QScrollBar* bar = view->horizontalScrollBar();
    const int left = view->visualRect(index).left() + bar->value();
    const int right = left + view->sizeHintForIndex(index).width();
    bar->setValue(std::min(left, std::max(0, right - view->viewport()->width())));
}

std::string TFolderBrowsing::SelectedPath() const {
    QModelIndex current = View()->currentIndex();
    if (!current.isValid()) return std::string();
    return FromQString(QDir::cleanPath(FModel->filePath(current)));
}

bool TFolderBrowsing::SetSelectedPath(const std::string& path) {
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
    ShowWhole(view, index);
    ScrollToSelectionLater();
    return true;
}

