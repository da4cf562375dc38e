#pragma once
// ASCII text as a UTF-16 file holds it: a byte-order mark, then two bytes a character.

#include <string>
#include <string_view>

inline std::string Utf16(std::string_view ascii, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return bytes;
}
