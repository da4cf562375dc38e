#include "platform/gui/Rtf.h"

#include <algorithm>
#include <array>
#include <iconv.h>
#include <map>

#include "platform/core/Classes.h"
#include "platform/core/TextCodec.h"

size_t TAttrTable::Hash::operator()(const TTextAttr& a) const {
    size_t h = std::hash<std::string>()(a.Name);
    h = h * 31 + static_cast<uint32_t>(a.Color);
    h = h * 31 + a.Style;
    return h * 31 + static_cast<uint32_t>(a.Size);
}

TAttrTable::Id TAttrTable::Intern(const TTextAttr& attr) {
    auto it = FIndex.find(attr);
    if (it != FIndex.end()) return it->second;
    if (FAttrs.size() > 0xFFFF) return 0;
    auto id = static_cast<Id>(FAttrs.size());
    FAttrs.push_back(attr);
    FIndex.emplace(attr, id);
    return id;
}

TRichText TRichText::FromPlainText(std::string_view text, const TTextAttr& attr) {
    TStringList split;
    split.SetText(text);
    TRichText rich;
    rich.Lines = split.Items();
    const Id id = rich.Table.Intern(attr);
    for (const auto& line : rich.Lines) rich.Attrs.emplace_back(line.size(), id);
    return rich;
}

const std::vector<int>& TRichText::LineStarts() const {
    if (FStarts.size() != Lines.size()) {
        FStarts.resize(Lines.size());
        int position = 0;
        for (size_t i = 0; i < Lines.size(); ++i) {
            FStarts[i] = position;
            position += static_cast<int>(Lines[i].size()) + 2;
        }
    }
    return FStarts;
}

int TRichText::TextLength() const { return Lines.empty() ? 0 : LineStarts().back() + Length(Count() - 1); }

std::pair<int, int> TRichText::Locate(int position) const {
    if (Lines.empty()) return {0, 0};
    const auto& starts = LineStarts();
    position = std::clamp(position, 0, TextLength());
    const int line = static_cast<int>(std::upper_bound(starts.begin(), starts.end(), position) - starts.begin()) - 1;
    return {line, std::min(position - starts[size_t(line)], Length(line))};
}

std::string TRichText::Text(int start, int length) const {
    if (Lines.empty()) return "";
    auto [line, from] = Locate(start);
    auto [last, to] = Locate(start + std::max(length, 0));
    if (line == last) return Lines[size_t(line)].substr(size_t(from), size_t(to - from));
    std::string text = Lines[size_t(line)].substr(size_t(from));
    for (int l = line + 1; l < last; ++l) text += "\r\n" + Lines[size_t(l)];
    return text + "\r\n" + Lines[size_t(last)].substr(0, size_t(to));
}

const TTextAttr* TRichText::AttrAt(int position) const {
    if (position < 0 || position >= TextLength()) return nullptr;
    auto [line, byte] = Locate(position);
    return byte < Length(line) ? &Table[Attrs[size_t(line)][size_t(byte)]] : nullptr;
}

TTextAttr TRichText::FirstAttr(int start, int length, const TTextAttr& fallback) const {
    if (Lines.empty()) return fallback;
    auto [line, byte] = Locate(start);
    const int end = start + length;
    for (int l = line, b = byte; length > 0 && l < Count() && LineStarts()[size_t(l)] + b < end; ++l, b = 0)
        if (b < Length(l)) return Table[Attrs[size_t(l)][size_t(b)]];
    if (byte > 0) return Table[Attrs[size_t(line)][size_t(byte) - 1]];
    if (Length(line) > 0) return Table[Attrs[size_t(line)][0]];
    return fallback;
}

void TRichText::Replace(int first, int removed, std::vector<std::string> lines, std::vector<std::vector<Id>> attrs) {
    const auto at = static_cast<std::ptrdiff_t>(first);
    Lines.erase(Lines.begin() + at, Lines.begin() + at + removed);
    Attrs.erase(Attrs.begin() + at, Attrs.begin() + at + removed);
    Lines.insert(Lines.begin() + at, std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    Attrs.insert(Attrs.begin() + at, std::make_move_iterator(attrs.begin()), std::make_move_iterator(attrs.end()));
    Changed();
}

bool EncodeCodePage936(char32_t code, std::string& bytes) {
    bytes.clear();
    if (code < 0x80) {
        bytes += char(code);
        return true;
    }
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    static iconv_t cd = iconv_open("CP936", "UTF-32LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::array<char, 4> in{char(code & 0xFF), char((code >> 8) & 0xFF), char((code >> 16) & 0xFF), 0};
    char buffer[8];
    char* src = in.data();
    size_t srcLeft = in.size();
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) || srcLeft != 0) return false;
    bytes.assign(buffer, static_cast<size_t>(dst - buffer));
    return true;
}

std::string EncodeCodePoint(char32_t code) {
    std::string bytes;
    if (EncodeCodePage936(code, bytes)) return bytes;
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return "?";
    AppendUtf8(bytes, code);
    return bytes;
}

bool LooksLikeRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

namespace {

enum class TDest { Text, FontTable, ColorTable, Skip };

struct TGroupState {
    TTextAttr Attr;
    TDest Dest = TDest::Text;
    int Uc = 1;
};

// Destinations whose text is not part of the document.
constexpr std::array<std::string_view, 24> kSkippedDestinations{
    "stylesheet", "info",      "pict",        "object",      "header",     "footer",
    "headerl",    "headerr",   "headerf",     "footerl",     "footerr",    "footerf",
    "footnote",   "fldinst",   "listtable",   "listoverridetable", "rsidtbl", "generator",
    "xmlnstbl",   "themedata", "colorschememapping", "latentstyles", "datastore", "pn"};

// An entry of the colour table written as a bare ";": the reader's own colour.
constexpr TColor kAutoColor = clDefault;
// Nesting beyond this is counted, not kept: braces still balance, formatting stays.
constexpr size_t kMaxDepth = 1000;
constexpr size_t kMaxColors = 0x10000;

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class TRtfReader {
public:
    TRtfReader(std::string_view in, const TTextAttr& defaults) : FIn(in), FDefaults(defaults) {
        FCur.Attr = defaults;
    }

    TRichText Read() {
        while (FPos < FIn.size() && !FEnded) {
            char c = FIn[FPos++];
            switch (c) {
                case '{': OpenGroup(); break;
                case '}': CloseGroup(); break;
                case '\\': Escape(); break;
                case '\r': case '\n': case '\0': break;
                default: TextByte(static_cast<unsigned char>(c));
            }
        }
        EndLine();
        // The text after the last paragraph mark is a line only when it holds
        // something; a document ending in a mark ends there, and its final mark
        // closes the document rather than opening an empty last line.
        if (FOut.Lines.back().empty()) {
            PopLine();
            if (!FOut.Lines.empty() && FOut.Lines.back().empty()) PopLine();
        }
        return std::move(FOut);
    }

private:
    void Escape() {
        if (FPos >= FIn.size()) return;
        char c = FIn[FPos];
        if (IsAlpha(c)) {
            size_t start = FPos;
            while (FPos < FIn.size() && IsAlpha(FIn[FPos])) ++FPos;
            std::string_view word = FIn.substr(start, std::min<size_t>(FPos - start, 32));
            bool negative = false, hasParam = false;
            int64_t value = 0;
            if (FPos + 1 < FIn.size() && FIn[FPos] == '-' && IsDigit(FIn[FPos + 1])) {
                negative = true;
                ++FPos;
            }
            while (FPos < FIn.size() && IsDigit(FIn[FPos])) {
                hasParam = true;
                if (value < 100'000'000) value = value * 10 + (FIn[FPos] - '0');
                ++FPos;
            }
            if (FPos < FIn.size() && FIn[FPos] == ' ') ++FPos;
            ControlWord(word, hasParam, static_cast<int>(negative ? -value : value));
            return;
        }
        ++FPos;
        switch (c) {
            case '\'': {
                int value = 0, digits = 0;
                for (; digits < 2 && FPos < FIn.size() && HexValue(FIn[FPos]) >= 0; ++digits, ++FPos)
                    value = value * 16 + HexValue(FIn[FPos]);
                // A broken escape is dropped; what follows it stays text.
                if (digits == 2) TextByte(static_cast<unsigned char>(value));
                return;
            }
            case '\\': case '{': case '}': TextByte(static_cast<unsigned char>(c)); return;
            case '~': TextByte(' '); return;
            case '_': TextByte('-'); return;
            case '\r': case '\n': ControlWord("par", false, 0); return;
            case '*':
                if (FCur.Dest != TDest::Skip && !SkippingFallback()) FCur.Dest = TDest::Skip;
                return;
            default: SkippingFallback(); return;
        }
    }

    // Fallback text after \uN: each character, symbol or control word skipped counts one.
    bool SkippingFallback() {
        if (FSkipChars <= 0) return false;
        --FSkipChars;
        return true;
    }

    void ControlWord(std::string_view word, bool hasParam, int param) {
        if (SkippingFallback() || FCur.Dest == TDest::Skip) return;
        if (FCur.Dest == TDest::FontTable) {
            if (word == "f") {
                FFontNumber = param;
                FFontName.clear();
            } else if (IsSkippedDestination(word)) {
                FCur.Dest = TDest::Skip;
            }
            return;
        }
        if (FCur.Dest == TDest::ColorTable) {
            int v = std::clamp(param, 0, 255);
            if (word == "red") FRed = v, FColorSet = true;
            else if (word == "green") FGreen = v, FColorSet = true;
            else if (word == "blue") FBlue = v, FColorSet = true;
            return;
        }
        TTextAttr& a = FCur.Attr;
        bool on = !hasParam || param != 0;
        if (word == "par" || word == "line") EndLine();
        else if (word == "tab") {
            FlushSurrogate();
            AppendByte('\t');
        }
        else if (word == "cf") SetAttr(a.Color, ColorOf(param));
        else if (word == "b") SetStyle(fsBold, on);
        else if (word == "i") SetStyle(fsItalic, on);
        else if (word == "strike") SetStyle(fsStrikeOut, on);
        else if (word == "ulnone") SetStyle(fsUnderline, false);
        else if (word.substr(0, 2) == "ul" && word != "ulc") SetStyle(fsUnderline, on);
        else if (word == "fs") {
            if (hasParam && param > 0) SetAttr(a.Size, std::clamp(param / 2, 1, 1638));
        } else if (word == "f") {
            if (auto it = FFonts.find(param); it != FFonts.end()) SetAttr(a.Name, it->second);
        } else if (word == "plain") {
            TTextAttr plain = FDefaults;
            if (auto it = FFonts.find(FDefaultFont); it != FFonts.end()) plain.Name = it->second;
            SetAttr(a, plain);
        } else if (word == "deff") FDefaultFont = param;
        else if (word == "uc") {
            if (hasParam) FCur.Uc = std::clamp(param, 0, 16);
        } else if (word == "u") {
            if (!hasParam) return;
            AppendCodePoint(static_cast<char32_t>(param < 0 ? param + 0x10000 : param));
            FSkipChars = FCur.Uc;
        } else if (word == "emdash") AppendCodePoint(0x2014);
        else if (word == "endash") AppendCodePoint(0x2013);
        else if (word == "bullet") AppendCodePoint(0x2022);
        else if (word == "lquote") AppendCodePoint(0x2018);
        else if (word == "rquote") AppendCodePoint(0x2019);
        else if (word == "ldblquote") AppendCodePoint(0x201C);
        else if (word == "rdblquote") AppendCodePoint(0x201D);
        else if (word == "fonttbl") FCur.Dest = TDest::FontTable;
        else if (word == "colortbl") FCur.Dest = TDest::ColorTable;
        else if (IsSkippedDestination(word)) FCur.Dest = TDest::Skip;
    }

    static bool IsSkippedDestination(std::string_view word) {
        return std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), word) != kSkippedDestinations.end();
    }

    TColor ColorOf(int index) const {
        if (index <= 0 || static_cast<size_t>(index) >= FColors.size() || FColors[size_t(index)] == kAutoColor)
            return FDefaults.Color;
        return FColors[size_t(index)];
    }

    template <class T>
    void SetAttr(T& field, const T& value) {
        if (field == value) return;
        field = value;
        FIdValid = false;
    }

    void SetStyle(TFontStyle style, bool on) {
        SetAttr(FCur.Attr.Style, on ? (FCur.Attr.Style | style) : (FCur.Attr.Style & ~TFontStyles(style)));
    }

    void TextByte(unsigned char c) {
        if (SkippingFallback()) return;
        switch (FCur.Dest) {
            case TDest::Skip: return;
            case TDest::FontTable:
                if (c == ';') StoreFont();
                else FFontName += char(c);
                return;
            case TDest::ColorTable:
                if (c == ';') StoreColor();
                return;
            case TDest::Text:
                FlushSurrogate();
                if (c >= 0x80) FLineHasBytes = true;
                AppendByte(c);
                return;
        }
    }

    void StoreFont() {
        std::string name = FFontName;
        while (!name.empty() && name.front() == ' ') name.erase(0, 1);
        while (!name.empty() && name.back() == ' ') name.pop_back();
        if (!name.empty()) FFonts[FFontNumber] = name;
        FFontName.clear();
    }

    void StoreColor() {
        if (FColors.size() < kMaxColors) FColors.push_back(FColorSet ? RGB(FRed, FGreen, FBlue) : kAutoColor);
        FRed = FGreen = FBlue = 0;
        FColorSet = false;
    }

    void AppendByte(unsigned char c) {
        if (!FIdValid) {
            FId = FOut.Table.Intern(FCur.Attr);
            FIdValid = true;
        }
        FLine += char(c);
        FLineAttrs.push_back(FId);
    }

    // A character named by its code goes into the line as UTF-8, so that a
    // paragraph of such characters (as the program writes them) reads back as
    // the text it showed. Where the paragraph also holds bytes of the
    // document's code page, its named characters become code page 936 at the
    // paragraph's end, as those bytes are read.
    void AppendCodePoint(char32_t code) {
        if (FCur.Dest != TDest::Text) return;
        if (FHighSurrogate && code >= 0xDC00 && code <= 0xDFFF) {
            code = 0x10000 + ((FHighSurrogate - 0xD800) << 10) + (code - 0xDC00);
            FHighSurrogate = 0;
        }
        FlushSurrogate();
        if (code >= 0xD800 && code <= 0xDBFF) {
            FHighSurrogate = code;
            return;
        }
        if (code > 0x10FFFF || (code >= 0xDC00 && code <= 0xDFFF)) {
            AppendByte('?');
            return;
        }
        std::string bytes;
        AppendUtf8(bytes, code);
        if (bytes.size() > 1) FLineCodes.push_back({FLine.size(), code});
        for (char c : bytes) AppendByte(static_cast<unsigned char>(c));
    }

    // A high surrogate that no low one followed.
    void FlushSurrogate() {
        if (!FHighSurrogate) return;
        FHighSurrogate = 0;
        AppendByte('?');
    }

    void EncodeNamedCharactersAsCodePage936() {
        std::string line;
        std::vector<TAttrTable::Id> attrs;
        size_t from = 0;
        for (const auto& [at, code] : FLineCodes) {
            line.append(FLine, from, at - from);
            attrs.insert(attrs.end(), FLineAttrs.begin() + std::ptrdiff_t(from), FLineAttrs.begin() + std::ptrdiff_t(at));
            const std::string bytes = EncodeCodePoint(code);
            line += bytes;
            attrs.insert(attrs.end(), bytes.size(), FLineAttrs[at]);
            std::string utf8;
            AppendUtf8(utf8, code);
            from = at + utf8.size();
        }
        line.append(FLine, from);
        attrs.insert(attrs.end(), FLineAttrs.begin() + std::ptrdiff_t(from), FLineAttrs.end());
        FLine = std::move(line);
        FLineAttrs = std::move(attrs);
    }

    void EndLine() {
        FlushSurrogate();
        if (FLineHasBytes && !FLineCodes.empty()) EncodeNamedCharactersAsCodePage936();
        FLineHasBytes = false;
        FLineCodes.clear();
        FOut.Lines.push_back(std::move(FLine));
        FOut.Attrs.push_back(std::move(FLineAttrs));
        FLine.clear();
        FLineAttrs.clear();
    }

    void PopLine() {
        FOut.Lines.pop_back();
        FOut.Attrs.pop_back();
    }

    void OpenGroup() {
        FSkipChars = 0;
        if (FStack.size() >= kMaxDepth) {
            ++FOverflow;
            return;
        }
        FStack.push_back(FCur);
    }

    void CloseGroup() {
        FSkipChars = 0;
        if (FOverflow > 0) {
            --FOverflow;
            return;
        }
        if (FStack.empty()) return;  // an unbalanced brace
        if (FCur.Dest == TDest::FontTable && !FFontName.empty()) StoreFont();
        if (FCur.Dest == TDest::ColorTable && FColorSet) StoreColor();
        bool closesFontTable = FCur.Dest == TDest::FontTable && FStack.back().Dest == TDest::Text;
        FCur = FStack.back();
        FStack.pop_back();
        FIdValid = false;
        // Text without a font of its own is in the document's default font.
        if (closesFontTable)
            if (auto it = FFonts.find(FDefaultFont); it != FFonts.end()) FCur.Attr.Name = it->second;
        if (FStack.empty()) FEnded = true;
    }

    std::string_view FIn;
    size_t FPos = 0;
    TTextAttr FDefaults;
    TGroupState FCur;
    std::vector<TGroupState> FStack;
    size_t FOverflow = 0;
    bool FEnded = false;
    int FSkipChars = 0;

    std::map<int, std::string> FFonts;
    int FDefaultFont = 0;
    int FFontNumber = 0;
    std::string FFontName;
    std::vector<TColor> FColors;
    int FRed = 0, FGreen = 0, FBlue = 0;
    bool FColorSet = false;

    TRichText FOut;
    std::string FLine;
    std::vector<TAttrTable::Id> FLineAttrs;
    // The line's characters named by code (byte offset, code point), kept as
    // UTF-8 until the line ends, and whether it also holds code page bytes.
    std::vector<std::pair<size_t, char32_t>> FLineCodes;
    bool FLineHasBytes = false;
    char32_t FHighSurrogate = 0;
    TAttrTable::Id FId = 0;
    bool FIdValid = false;
};

bool IsSystemColor(TColor c) { return (c & 0x80000000) != 0 || c == clDefault || c == clNone; }

void AppendEscaped(std::string& out, unsigned char c) {
    static const char* hex = "0123456789abcdef";
    if (c == '\\' || c == '{' || c == '}') {
        out += '\\';
        out += char(c);
    } else if (c == '\t') {
        out += "\\tab ";
    } else if (c >= 0x80 || c < 0x20) {
        out += "\\'";
        out += hex[c >> 4];
        out += hex[c & 15];
    } else {
        out += char(c);
    }
}

// A character as every reader takes it, whatever the font's character set:
// \\uN with N a signed 16-bit unit, two of them beyond U+FFFF, each followed
// by the one fallback character \\uc1 announces.
void AppendUnicode(std::string& out, char32_t code) {
    auto unit = [&out](uint32_t u) { out += "\\u" + std::to_string(static_cast<int16_t>(u)) + "?"; };
    if (code > 0xFFFF) {
        code -= 0x10000;
        unit(0xD800 + (code >> 10));
        unit(0xDC00 + (code & 0x3FF));
    } else {
        unit(code);
    }
}

}  // namespace

TRichText ReadRtf(std::string_view rtf, const TTextAttr& defaults) { return TRtfReader(rtf, defaults).Read(); }

std::string WriteRtf(const TRichText& text) {
    std::vector<std::string> fonts;
    std::vector<TColor> colors;
    std::vector<int> fontOf(text.Table.Count()), colorOf(text.Table.Count());
    for (size_t id = 0; id < text.Table.Count(); ++id) {
        const TTextAttr& a = text.Table[TAttrTable::Id(id)];
        auto f = std::find(fonts.begin(), fonts.end(), a.Name);
        fontOf[id] = static_cast<int>(f - fonts.begin());
        if (f == fonts.end()) fonts.push_back(a.Name);
        if (IsSystemColor(a.Color)) continue;  // \cf0: the reader's own colour
        auto c = std::find(colors.begin(), colors.end(), a.Color);
        colorOf[id] = static_cast<int>(c - colors.begin()) + 1;
        if (c == colors.end()) colors.push_back(a.Color);
    }
    if (fonts.empty()) fonts.push_back("Courier New");

    std::string out = "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl";
    for (size_t i = 0; i < fonts.size(); ++i) {
        bool ascii = std::all_of(fonts[i].begin(), fonts[i].end(), [](char c) { return (c & 0x80) == 0; });
        out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset" + (ascii ? "0 " : "134 ");
        for (char c : fonts[i]) AppendEscaped(out, static_cast<unsigned char>(c));
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (TColor c : colors)
        out += "\\red" + std::to_string(GetRValue(c)) + "\\green" + std::to_string(GetGValue(c)) + "\\blue" +
               std::to_string(GetBValue(c)) + ";";
    out += "}\r\n\\viewkind4\\uc1\\pard\\lang2052";

    const TTextAttr* previous = nullptr;
    int previousId = -1;
    for (size_t i = 0; i < text.Lines.size(); ++i) {
        if (i > 0) out += "\\par\r\n";
        const std::string& line = text.Lines[i];
        const bool utf8 = IsValidUtf8(line);
        for (size_t k = 0, length = 1; k < line.size(); k += length) {
            int id = k < text.Attrs[i].size() ? text.Attrs[i][k] : 0;
            if (id != previousId && size_t(id) < text.Table.Count()) {
                const TTextAttr& a = text.Table[TAttrTable::Id(id)];
                auto differs = [&](auto member) { return !previous || previous->*member != a.*member; };
                auto style = [&](TFontStyle s, const char* on, const char* off) {
                    if (!previous || ((previous->Style ^ a.Style) & s)) out += (a.Style & s) ? on : off;
                };
                if (differs(&TTextAttr::Name)) out += "\\f" + std::to_string(fontOf[size_t(id)]);
                if (differs(&TTextAttr::Size)) out += "\\fs" + std::to_string(a.Size * 2);
                if (differs(&TTextAttr::Color)) out += "\\cf" + std::to_string(colorOf[size_t(id)]);
                style(fsBold, "\\b", "\\b0");
                style(fsItalic, "\\i", "\\i0");
                style(fsUnderline, "\\ul", "\\ulnone");
                style(fsStrikeOut, "\\strike", "\\strike0");
                out += ' ';
                previous = &a;
                previousId = id;
            }
            const auto [code, bytes] = ShownCharacterAt(line, k, utf8);
            length = bytes;
            if (code < 0x80)
                AppendEscaped(out, static_cast<unsigned char>(code));
            else
                AppendUnicode(out, code);
        }
    }
    // A closing mark ends the last line; one more keeps an empty last line.
    if (!text.Lines.empty()) out += text.Lines.back().empty() ? "\\par\r\n\\par\r\n" : "\\par\r\n";
    out += "}\r\n";
    return out;
}
