#pragma once
// The text of a rich-edit pane apart from any view of it: lines of the
// program's 8-bit text with one attribute per byte, positions as the program
// counts them, and the reader and writer of the RTF the program writes (code
// page 936 text, font and colour tables, colour, bold, underline and size).

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
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

// Lines with an attribute per byte. A position counts the bytes of the lines
// before it and two for every line break (CR LF) between them.
class TRichText {
public:
    using Id = TAttrTable::Id;

    // Plain text (CR, LF or CR LF end a line; a final line end adds no line) in one attribute.
    static TRichText FromPlainText(std::string_view text, const TTextAttr& attr);

    int Count() const { return static_cast<int>(Lines.size()); }
    int Length(int line) const { return static_cast<int>(Lines[size_t(line)].size()); }
    int TextLength() const;
    // Where each line starts (worked out again after Changed).
    const std::vector<int>& LineStarts() const;
    // The line and byte of a position (clamped to the text); a position inside
    // a line break is the end of its line.
    std::pair<int, int> Locate(int position) const;
    // The bytes of [start, start + length), line breaks as CR LF.
    std::string Text(int start, int length) const;
    // The attribute of the byte at position, or nullptr at a line break or outside the text.
    const TTextAttr* AttrAt(int position) const;
    // The attribute of the first character of [start, start + length); when
    // nothing is selected, of the character before start; else fallback.
    TTextAttr FirstAttr(int start, int length, const TTextAttr& fallback) const;
    // Lines [first, first + removed) become the given ones.
    void Replace(int first, int removed, std::vector<std::string> lines, std::vector<std::vector<Id>> attrs);
    // Passes every byte of [start, start + length) through change(old id) -> new
    // id and tells touched(line, from, to) of each line's changed bytes.
    template <class Change, class Touched>
    void ChangeAttrs(int start, int length, Change change, Touched touched);
    // Call after changing Lines directly.
    void Changed() { FStarts.clear(); }

    std::vector<std::string> Lines;
    std::vector<std::vector<Id>> Attrs;  // Attrs[i][k]: the attribute of byte k of line i
    TAttrTable Table;

private:
    mutable std::vector<int> FStarts;
};

template <class Change, class Touched>
void TRichText::ChangeAttrs(int start, int length, Change change, Touched touched) {
    if (length <= 0 || Lines.empty()) return;
    auto [line, from] = Locate(start);
    auto [last, to] = Locate(start + length);
    for (int l = line; l <= last; ++l) {
        const int b0 = l == line ? from : 0, b1 = l == last ? to : Length(l);
        auto& attrs = Attrs[size_t(l)];
        for (int b = b0; b < b1; ++b) attrs[size_t(b)] = change(attrs[size_t(b)]);
        if (b1 > b0) touched(l, b0, b1);
    }
}

// Reads RTF into lines and attributes; text before any formatting takes
// `defaults`. Paragraph marks end lines; the last mark of the document is its
// end rather than an empty line after it. Bad input loads what it can.
TRichText ReadRtf(std::string_view rtf, const TTextAttr& defaults);

// RTF with a code page 936 header that ReadRtf reads back to the same lines
// and attributes (system colours come back as the reader's default colour).
std::string WriteRtf(const TRichText& text);

// Whether bytes begin as an RTF document does.
bool LooksLikeRtf(std::string_view bytes);

// A character's code page 936 bytes; false when the code page lacks it.
bool EncodeCodePage936(char32_t code, std::string& bytes);
// A character as code page 936 bytes, or as UTF-8 when that code page lacks it.
std::string EncodeCodePoint(char32_t code);
