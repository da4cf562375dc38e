#pragma once
// Browsing the file system: the machine's folders on a tree view.

#include <memory>
#include <string>

#include "platform/gui/views/TreeView.h"

class QFileSystemModel;
class QModelIndex;
class QObject;

// Shows the folders of the file system from "/" down (hidden ones left out)
// on a tree view, loaded as the user opens them. Arrow keys move in the tree;
// Enter and Escape are left to the form, so the dialog's buttons take them.
class TFolderBrowsing {
public:
    explicit TFolderBrowsing(TCustomTreeView& tree);
    TFolderBrowsing(const TFolderBrowsing&) = delete;
    TFolderBrowsing& operator=(const TFolderBrowsing&) = delete;
    ~TFolderBrowsing();

    // The full path of the selected folder, "" when none is selected.
    std::string SelectedPath() const;
    // Opens the tree down to an existing folder, selects it and scrolls it into
    // view; false (selection unchanged) when path names no folder.
    bool SetSelectedPath(const std::string& path);

private:
    QTreeView* View() const;
    void ScrollToSelectionLater();
    static void ShowWhole(QTreeView* view, const QModelIndex& index);

    TCustomTreeView& FTree;
    QFileSystemModel* FModel = nullptr;
    // What the view's and the model's signals reach this through; gone with it.
    std::unique_ptr<QObject> FSignals;
    bool FSettingPath = false;
    // The tree fills in folders on a worker thread, so rows above the selection
    // appear after SetSelectedPath has scrolled: it scrolls again as folders
    // arrive, until the user moves the selection, opens or closes a folder, or scrolls.
    bool FFollowSelection = false;
    bool FScrollPending = false;
};

// A tree of the machine's folders.
class TFolderTree : public TCustomTreeView {
public:
    explicit TFolderTree(TComponent* owner) : TCustomTreeView(owner), FFolders(*this) {}
    std::string SelectedPath() const { return FFolders.SelectedPath(); }
    bool SetSelectedPath(const std::string& path) { return FFolders.SetSelectedPath(path); }

private:
    TFolderBrowsing FFolders;
};
