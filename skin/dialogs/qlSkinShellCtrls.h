#pragma once
// The shell controls of the skinned dialogs.

#include <string>
#include <vector>

#include "platform/gui/ShellCtrls.h"
#include "skin/controls/qlSkinListView.h"
#include "skin/controls/qlSkinTreeView.h"

// The machine's folders on a skinned tree view, scrolled by attached skinned bars.
class TqlSkinShellTreeView : public TqlSkinCustomTreeView {
public:
    explicit TqlSkinShellTreeView(TComponent* AOwner) : TqlSkinCustomTreeView(AOwner), FFolders(*this) {}
    std::string SelectedPath() const { return FFolders.SelectedPath(); }
    bool SetSelectedPath(const std::string& Path) { return FFolders.SetSelectedPath(Path); }

private:
    TFolderBrowsing FFolders;
};

// The files of a folder on a skinned list view, a row per file with its name
// and size, scrolled by attached skinned bars.
class TqlSkinShellListView : public TqlSkinCustomListView {
public:
    explicit TqlSkinShellListView(TComponent* AOwner);
    // The headers of the name and size columns.
    void SetColumnCaptions(const std::string& Name, const std::string& Size);
    // Shows Names, files of Folder, in the order given.
    void ShowFiles(const std::string& Folder, const std::vector<std::string>& Names);
};
