#pragma once
// The platform's tree view: items in branches that open and close, one
// selected item, scrolling by items, and the tree-view counts. It holds
// items of its own; a subclass may show another model instead.

#include <memory>
#include <string>

#include "platform/gui/Controls.h"

class QAbstractItemModel;
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

    // Fired when the selected item changes, by the user or by the program.
    TNotifyEvent OnChange;

    // For the platform's own browsers: shows model in place of the tree's own
    // items; the model's parent owns it.
    void ShowModel(QAbstractItemModel* model);

protected:
    QWidget* CreateWidget() override;
    void Dispatch(TMessage& m) override;
    // Arrow keys and letters move in the tree; Enter and Escape are the form's.
    void WMGetDlgCode(TMessage& m) override;
    // The selection moved; fires OnChange.
    virtual void Change();
    QTreeView* View() const;

private:
    void WatchSelection();
    QStandardItemModel* FItems = nullptr;
    // What the view's signals reach the control through; gone with the control.
    std::unique_ptr<QObject> FSignals;
};

class TTreeView : public TCustomTreeView {
public:
    using TCustomTreeView::TCustomTreeView;
};
