#pragma once
// The platform's tree view: items in branches that open and close, one
// selected item, scrolling by items, and the tree-view counts. It holds
// items of its own; a subclass may show another model instead.

#include <memory>
#include <string>

#include "platform/gui/Controls.h"

class QAbstractItemModel;
class QModelIndex;
class QPixmap;
class TCustomImageList;
class QObject;
class QStandardItemModel;
class QTreeView;

// An item of a tree that holds its own items; null for none.
struct _TREEITEM;
using HTREEITEM = _TREEITEM*;

class TCustomTreeView : public TWinControl {
public:
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;

    // Adds an item under parent (at the top when null); returns it.
    HTREEITEM AddItem(HTREEITEM parent, const std::string& text);
    void ClearItems();
    void Expand(HTREEITEM item);
    void Select(HTREEITEM item);
    HTREEITEM Selected() const;
    // Without its frame the items fill the whole window.
    void SetFrameVisible(bool value);

    // Not owned. Every item shows, left of its text, its state image from
    // StateImages and then its image from Images, by the item's indexes; a
    // list set keeps its room in every row, an index outside it draws nothing.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    TCustomImageList* StateImages() const { return FStateImages; }
    void SetStateImages(TCustomImageList* value);
    void SetItemImageIndex(HTREEITEM item, int index);
    void SetItemStateIndex(HTREEITEM item, int index);
    // The images shown beside an item of the tree's own items, as drawn now; null for none.
    QPixmap ItemPicture(const QModelIndex& index) const;

    // Fired when the selected item changes, by the user or by the program.
    TNotifyEvent OnChange;

    // For the platform's own browsers: shows model in place of the tree's own
    // items; the model's parent owns it.
    void ShowModel(QAbstractItemModel* model);

protected:
    QWidget* CreateWidget() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Dispatch(TMessage& m) override;
    // Arrow keys and letters move in the tree; Enter and Escape are the form's.
    void WMGetDlgCode(TMessage& m) override;
    // The selection moved; fires OnChange.
    virtual void Change();
    QTreeView* View() const;

private:
    void WatchSelection();
    void SetImageList(TCustomImageList*& field, TCustomImageList* value);
    QStandardItemModel* FItems = nullptr;
    TCustomImageList* FImages = nullptr;
    TCustomImageList* FStateImages = nullptr;
    // What the view's signals reach the control through; gone with the control.
    std::unique_ptr<QObject> FSignals;
};

class TTreeView : public TCustomTreeView {
public:
    using TCustomTreeView::TCustomTreeView;
};
