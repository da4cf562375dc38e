#pragma once
// Browsing the file system: a tree of the machine's folders.

#include <string>

#include "platform/gui/Controls.h"

class QTreeView;
class QFileSystemModel;

// The folders of the file system from "/" down (hidden ones left out), loaded
// as the user opens them. Arrow keys move in the tree; Enter and Escape are
// left to the form, so the dialog's buttons take them.
class TFolderTree : public TWinControl {
public:
    explicit TFolderTree(TComponent* owner);
    ~TFolderTree() override;

    // The full path of the selected folder, "" when none is selected.
    std::string SelectedPath() const;
    // Opens the tree down to an existing folder, selects it and scrolls it into
    // view; false (selection unchanged) when path names no folder.
    bool SetSelectedPath(const std::string& path);

    // Fired when the selection changes, by the user or by SetSelectedPath.
    TNotifyEvent OnChange;

protected:
    QWidget* CreateWidget() override;
    void WMGetDlgCode(TMessage& m) override;
    // The tree-view counts of the platform.
    void Dispatch(TMessage& m) override;

private:
    QTreeView* View() const;
    void ScrollToSelectionLater();
    QFileSystemModel* FModel = nullptr;
    bool FSettingPath = false;
    // The tree fills in folders on a worker thread, so rows above the selection
    // appear after SetSelectedPath has scrolled: it scrolls again as folders
    // arrive, until the user moves the selection, opens or closes a folder, or scrolls.
    bool FFollowSelection = false;
    bool FScrollPending = false;
};
