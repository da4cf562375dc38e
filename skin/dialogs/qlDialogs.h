#pragma once
// The skinned input, save and folder dialogs of a form.

#include <string>

#include "platform/gui/Controls.h"
#include "skin/core/qlSkinData.h"

class TqlSkinInputDialog : public TComponent, public TqlSkinDataLink {
public:
    explicit TqlSkinInputDialog(TComponent* owner);
    // A one-line input with caption, prompt and value as the initial text;
    // true and the edited value when confirmed, false (value unchanged) when cancelled.
    bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
};

class TqlSkinSaveDialog : public TComponent, public TqlSkinDataLink {
public:
    explicit TqlSkinSaveDialog(TComponent* owner);
    // True when the user confirmed a name, then in FileName (full path).
    bool Execute();
    // Pairs of description and mask separated by "|", e.g. "Text (*.txt)|*.txt|Rich text (*.rtf)|*.rtf".
    std::string Filter;
    // The 1-based index of the chosen filter pair, read after Execute.
    int FilterIndex = 1;
    std::string FileName;
    std::string InitialDir;
    std::string Title;
    // Added to a typed name that has no extension (without the dot).
    std::string DefaultExt;

private:
    // Where the last confirmed name was saved: the next showing starts there
    // when neither InitialDir nor FileName names a folder.
    std::string FLastFolder;
};

class TqlSkinSelectDirectoryDialog : public TComponent, public TqlSkinDataLink {
public:
    explicit TqlSkinSelectDirectoryDialog(TComponent* owner);
    // True when the user confirmed a folder, whose full path is then in Directory.
    bool Execute();
    std::string Directory;
    std::string Title;
};
