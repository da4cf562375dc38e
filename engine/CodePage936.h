#pragma once
// Characters of code page 936 (GBK) text. A lead byte (0x81-0xFE) makes one
// character with the byte after it only when that byte can be a trail byte:
// in Latin-1 or CP1252 text the same lead bytes are letters and quotes, and
// the comma or blank after them is a character of its own.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

inline bool IsGbkLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x81 && b <= 0xFE;
}

inline bool IsGbkTrailByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}

// The bytes of the character that starts at i.
inline size_t GbkCharLength(std::string_view text, size_t i) {
    return i + 1 < text.size() && IsGbkLeadByte(text[i]) && IsGbkTrailByte(text[i + 1]) ? 2 : 1;
}

// Text read as code page 936: it has bytes above 127 and is not valid UTF-8.
bool IsGbkText(std::string_view text);

// Where a tagged token parts into word and tag: at its first separator byte
// that starts a character, npos when it has none. In code page 936 text a
// trail byte may equal the separator ("_" is 0x5F); a token whose separators
// are all such bytes is read byte by byte, as Latin-1 text with a letter
// before its separator is.
size_t TaggedSeparatorAt(std::string_view token, const std::array<bool, 256>& separators);

// Whether text holds c as a character of its own: in code page 936 text a
// trail byte equal to c is part of its character.
bool HoldsCharacter(std::string_view text, char c);
