#pragma once
// The text of a rich-edit pane apart from any view of it: lines of the
// program's 8-bit text with one attribute per byte, and the reader and writer
// of the RTF the program writes and reads (code page 936 text, a font table,
// a colour table, colour, bold, underline and size per run).

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/gui/Graphics.h"

struct TTextAttr {
    TColor Color = clWindowText;
    TFontStyles Style = 0;
    int Size = 8;  // points
    std::string Name = "Tahoma";
    bool operator==(const TTextAttr&) const = default;
};

// Each distinct attribute stored once; text refers to attributes by index.
class TAttrTable {
public:
    using Id = uint16_t;
    // The index of attr, added when new. A full table answers 0, so text keeps
    // loading with the first attribute rather than failing.
    Id Intern(const TTextAttr& attr);
    const TTextAttr& operator[](Id id) const { return FAttrs[id]; }
    size_t Count() const { return FAttrs.size(); }

private:
    struct Hash {
        size_t operator()(const TTextAttr& a) const;
    };
    std::vector<TTextAttr> FAttrs;
    std::unordered_map<TTextAttr, Id, Hash> FIndex;
};

struct TRichText {
    std::vector<std::string> Lines;
    // Attrs[i][k] is the attribute of byte k of line i.
    std::vector<std::vector<TAttrTable::Id>> Attrs;
    TAttrTable Table;
};

// Reads RTF into lines and attributes; text before any formatting takes
// `defaults`. Paragraph marks end lines; the last mark of the document is its
// end rather than an empty line after it. Bad input loads what it can.
TRichText ReadRtf(std::string_view rtf, const TTextAttr& defaults);

// RTF with a code page 936 header that ReadRtf reads back to the same lines
// and attributes (system colours come back as the reader's default colour).
std::string WriteRtf(const TRichText& text);

// Whether bytes begin as an RTF document does.
bool LooksLikeRtf(std::string_view bytes);

// A character as code page 936 bytes, or as UTF-8 when that code page lacks it.
std::string EncodeCodePoint(char32_t code);
