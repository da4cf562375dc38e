#pragma once
// The shell controls of the skinned dialogs.

#include <string>

#include "platform/gui/ShellCtrls.h"
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
