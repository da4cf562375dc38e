#pragma once
// The program's 8-bit text read as characters: valid UTF-8 as UTF-8, anything
// else as code page 936 (GBK), the Chinese code page of its corpora.

#include <string>
#include <string_view>

bool IsValidUtf8(std::string_view text);
// The text as UTF-8: itself when valid UTF-8, else decoded from code page 936
// (a byte that is not code page 936 becomes U+FFFD).
std::string ToUtf8(const std::string& text);
std::u16string ToUtf16(const std::string& text);
// One code point as UTF-8 at the end of out.
void AppendUtf8(std::string& out, char32_t c);
// UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
std::string FromUtf16(const std::u16string& text);
// The columns a text takes in a fixed-pitch font as the program shows it.
// Text shown as code page 936 takes a column a byte, so a double-byte
// character takes two; UTF-8 a column a character, two for an East Asian
// wide one (as in code page 936) and none for a combining mark.
int TextColumns(std::string_view text, bool utf8);
