#pragma once
// An in-memory INI made from lines of text, for the skin tests.

#include <memory>
#include <string_view>

#include "platform/core/Classes.h"
#include "platform/core/IniFiles.h"

inline std::unique_ptr<TMemIniFile> IniFromText(std::string_view text) {
    TStringList lines;
    lines.SetText(text);
    auto ini = std::make_unique<TMemIniFile>();
    ini->SetStrings(lines);
    return ini;
}
