#pragma once
// The program's 8-bit text read as characters: valid UTF-8 as UTF-8, anything
// else as code page 936 (GBK), the Chinese code page of its corpora.

#include <string>
#include <string_view>
#include <utility>

// Valid by the standard: no overlong form, no surrogate, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view text);
// Whether text holds a byte above 127: ASCII text reads alike in every encoding.
bool HasByteAbove127(std::string_view text);
// Code page 936 text as UTF-8; a byte that starts no character becomes U+FFFD.
std::string CodePage936ToUtf8(std::string_view text);
// The text as UTF-8: itself when valid UTF-8, else decoded from code page 936
// (a byte that is not code page 936 becomes U+FFFD).
std::string ToUtf8(const std::string& text);
std::u16string ToUtf16(const std::string& text);
// One code point as UTF-8 at the end of out.
void AppendUtf8(std::string& out, char32_t c);
// UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
std::string FromUtf16(const std::u16string& text);
// The bytes of the UTF-8 character that starts at s[i], or 0 when none starts
// there (a stray trail byte, a byte that never leads, a sequence cut short,
// an overlong form, a surrogate, a code point beyond U+10FFFF).
size_t Utf8CharLength(std::string_view s, size_t i);
// One character of code page 936 text at s[i]: its code point and byte count.
// A byte that starts no character is U+FFFD and counts one.
std::pair<char32_t, size_t> DecodeCodePage936Char(std::string_view s, size_t i);
// The character of a line that starts at byte i, as the program shows the
// line: utf8 tells that the whole line is valid UTF-8, otherwise it is read as
// code page 936. Sequences that are valid UTF-8 in form but name no character
// (overlong forms, surrogates) are U+FFFD.
std::pair<char32_t, size_t> ShownCharacterAt(std::string_view line, size_t i, bool utf8);

// The columns a text takes in a fixed-pitch font as the program shows it.
// Text shown as code page 936 takes a column a byte, so a double-byte
// character takes two; UTF-8 a column a character, two for an East Asian
// wide one (as in code page 936) and none for a combining mark.
int TextColumns(std::string_view text, bool utf8);
