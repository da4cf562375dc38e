#pragma once
// The caption table of the skinned parts: system-menu items, caption-button
// hints, edit menus, message-box buttons, file-dialog labels and colour-picker
// captions, looked up by key so that all of them can be replaced in one place.

#include <string>
#include <string_view>

#include "platform/core/Classes.h"
#include "platform/gui/Controls.h"

class TqlResourceStrData : public TComponent {
public:
    // Starts with every built-in line, in the built-in order.
    explicit TqlResourceStrData(TComponent* owner);

    // Lines "NAME=caption", "&" marking the accelerator letter.
    const TStrings& ResStrings() const { return FResStrings; }
    // Copies the lines; the table keeps its own list.
    void SetResStrings(const TStrings& value) { FResStrings.Assign(value); }
    // The character set that goes with the captions; only stored.
    int CharSet = 1;

    // The text after the first "=" of the first line whose name is key (in
    // any case); a key the lines lack falls back to its built-in caption, so
    // a partial table never leaves a button without a caption.
    std::string LookupResString(std::string_view key) const;

private:
    TStringList FResStrings;
};

// The built-in caption of a key (in any case), or "" for a key no part knows.
std::string BuiltInResString(std::string_view key);
// Every built-in line, "NAME=caption", in table order.
void BuiltInResStrings(TStrings& lines);
