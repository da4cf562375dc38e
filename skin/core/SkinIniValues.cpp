#include "skin/core/SkinIniValues.h"

#include <algorithm>
#include <array>
#include <climits>
#include <span>

#include "platform/core/Classes.h"
#include "platform/core/SysUtils.h"

namespace {

// Splits at "," keeping digits only; fills up to n components.
template <size_t N>
std::array<int, N> ParseDigitComponents(std::string_view text) {
    std::array<int, N> out{};
    size_t component = 0;
    long long value = 0;
    for (char c : text) {
        if (c == ',') {
            if (++component >= N) break;
            value = 0;
            continue;
        }
        if (c < '0' || c > '9') continue;
        value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
        out[component] = static_cast<int>(value);
    }
    return out;
}

template <class E>
struct Word {
    const char* word;
    E value;
};

// A word table: the words in comparison order, the word a missing key reads
// as, and the value of every other word.
template <class E, size_t N>
struct WordTable {
    std::array<Word<E>, N> words;
    const char* fallback;
    E other;
    // The word written for a value that no entry spells (the "other" value).
    const char* otherWord;

    E Parse(std::string_view text) const {
        for (const auto& w : words)
            if (text == w.word) return w.value;
        return other;
    }
    const char* Spell(E value) const {
        for (const auto& w : words)
            if (w.value == value) return w.word;
        return otherWord;
    }
};

// clang-format off
constexpr WordTable<TAlignment, 2> kAlignments{
    {{{"tacenter", TAlignment::taCenter}, {"taleftjustify", TAlignment::taLeftJustify}}},
    "tacenter", TAlignment::taRightJustify, "tarightjustify"};

constexpr WordTable<TqlStretchType, 2> kStretchTypes{
    {{{"stfull", TqlStretchType::stFull}, {"stvert", TqlStretchType::stVert}}},
    "stfull", TqlStretchType::stHorz, "sthorz"};

constexpr WordTable<TqlMorphKind, 7> kMorphKinds{
    {{{"mkdefault", TqlMorphKind::mkDefault},
      {"mkgradient", TqlMorphKind::mkGradient},
      {"mkleftgradient", TqlMorphKind::mkLeftGradient},
      {"mkrightgradient", TqlMorphKind::mkRightGradient},
      {"mkleftslide", TqlMorphKind::mkLeftSlide},
      {"mkrightslide", TqlMorphKind::mkRightSlide},
      {"mkpush", TqlMorphKind::mkPush}}},
    "mkdefault", TqlMorphKind::mkDefault, "mkdefault"};

constexpr WordTable<TqlInActiveEffect, 6> kInActiveEffects{
    {{{"iebrightness", TqlInActiveEffect::ieBrightness},
      {"iedarkness", TqlInActiveEffect::ieDarkness},
      {"iegrayscale", TqlInActiveEffect::ieGrayScale},
      {"ienoise", TqlInActiveEffect::ieNoise},
      {"iesplitblur", TqlInActiveEffect::ieSplitBlur},
      {"ieinvert", TqlInActiveEffect::ieInvert}}},
    "iebrightness", TqlInActiveEffect::ieGrayScale, "iegrayscale"};

// An unknown word is the harmless default command: a misspelt word must not
// turn a button into one that hides the window in the tray.
constexpr WordTable<TqlStdCommand, 7> kCommands{
    {{{"cmclose", TqlStdCommand::cmClose},
      {"cmmaximize", TqlStdCommand::cmMaximize},
      {"cmminimize", TqlStdCommand::cmMinimize},
      {"cmsysmenu", TqlStdCommand::cmSysMenu},
      {"cmdefault", TqlStdCommand::cmDefault},
      {"cmrollup", TqlStdCommand::cmRollUp},
      {"cmminimizetotray", TqlStdCommand::cmMinimizeToTray}}},
    "cmdefault", TqlStdCommand::cmDefault, "cmdefault"};
// clang-format on

template <class E, size_t N>
E ReadWord(const WordTable<E, N>& table, const TMemIniFile& ini, std::string_view section, std::string_view key) {
    return table.Parse(ini.ReadString(section, key, table.fallback));
}

struct StyleWord {
    const char* word;
    TFontStyle style;
};
constexpr std::array<StyleWord, 4> kStyleWords{
    {{"fsbold", fsBold}, {"fsitalic", fsItalic}, {"fsunderline", fsUnderline}, {"fsstrikeout", fsStrikeOut}}};

std::string Join(std::span<const int> values) {
    std::string s;
    for (int v : values) {
        if (!s.empty()) s += ',';
        s += IntToStr(v);
    }
    return s;
}

}  // namespace

TRect ParseRectText(std::string_view text) {
    auto c = ParseDigitComponents<4>(text);
    return {c[0], c[1], c[2], c[3]};
}

TPoint ParsePointText(std::string_view text) {
    auto c = ParseDigitComponents<2>(text);
    return {c[0], c[1]};
}

TRect ReadRectKey(const TMemIniFile& ini, std::string_view section, std::string_view key) {
    return ParseRectText(ini.ReadString(section, key, "0,0,0,0"));
}

TPoint ReadPointKey(const TMemIniFile& ini, std::string_view section, std::string_view key) {
    return ParsePointText(ini.ReadString(section, key, "0,0"));
}

bool ReadBoolKey(const TMemIniFile& ini, std::string_view section, std::string_view key) {
    return ini.ReadInteger(section, key, 0) == 1;
}

TFontStyles ReadFontStylesKey(const TMemIniFile& ini, std::string_view section, std::string_view key) {
    const std::string text = ini.ReadString(section, key, "");
    TFontStyles styles = 0;
    for (const auto& w : kStyleWords)
        if (text.find(w.word) != std::string::npos) styles |= w.style;
    return styles;
}

TAlignment ReadAlignmentKey(const TMemIniFile& ini, std::string_view section, std::string_view key) {
    return ReadWord(kAlignments, ini, section, key);
}

TqlStretchType ReadStretchType(const TMemIniFile& ini, std::string_view section, std::string_view key) {
    return ReadWord(kStretchTypes, ini, section, key);
}

TqlMorphKind ReadMorphKind(const TMemIniFile& ini, std::string_view section, std::string_view key) {
    return ReadWord(kMorphKinds, ini, section, key);
}

TqlInActiveEffect ReadInactiveEffect(const TMemIniFile& ini, std::string_view section, std::string_view key) {
    return ReadWord(kInActiveEffects, ini, section, key);
}

TqlStdCommand ReadCommandKey(const TMemIniFile& ini, std::string_view section, std::string_view key) {
    return ReadWord(kCommands, ini, section, key);
}

namespace {

// The number a key spells the way IntToStr writes it (no sign, no leading
// zero), or -1: "07" or "+7" is not the key of entry 7.
int64_t KeyNumber(const std::string& key) {
    if (key.empty() || key.size() > 10 || (key.size() > 1 && key[0] == '0')) return -1;
    int64_t n = 0;
    for (char c : key) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

// The numbered keys below count that the section holds, each with its number,
// in number order. Only the keys present are walked, so a huge count costs nothing.
std::vector<std::pair<int64_t, std::string>> NumberedKeys(const TMemIniFile& ini, std::string_view section,
                                                          int count) {
    TStringList keys;
    ini.ReadSection(section, keys);
    std::vector<std::pair<int64_t, std::string>> numbered;
    for (const std::string& key : keys.Items()) {
        const int64_t n = KeyNumber(key);
        if (n >= 0 && n < count) numbered.emplace_back(n, key);
    }
    std::sort(numbered.begin(), numbered.end());
    // A key given twice is read once, as a lookup by its name reads it.
    numbered.erase(std::unique(numbered.begin(), numbered.end(),
                               [](const auto& a, const auto& b) { return a.first == b.first; }),
                   numbered.end());
    return numbered;
}

}  // namespace

std::vector<std::string> ReadNumberedKeys(const TMemIniFile& ini, std::string_view section, int count) {
    std::vector<std::string> values;
    for (const auto& [n, key] : NumberedKeys(ini, section, count)) values.push_back(ini.ReadString(section, key, ""));
    return values;
}

void ReadStringListKey(const TMemIniFile& ini, std::string_view section, std::string_view key, TStringList& list) {
    const int count = std::clamp(ini.ReadInteger(section, std::string(key) + "count", 0), 0, kMaxStringListCount);
    std::vector<std::string> values(static_cast<size_t>(count));
    for (const auto& [n, name] : NumberedKeys(ini, section, count))
        values[static_cast<size_t>(n)] = ini.ReadString(section, name, "");
    for (std::string& value : values) list.Add(std::move(value));
}

void WriteRectKey(TMemIniFile& ini, std::string_view section, std::string_view key, const TRect& value) {
    const int v[] = {value.Left, value.Top, value.Right, value.Bottom};
    ini.WriteString(section, key, Join(v));
}

void WritePointKey(TMemIniFile& ini, std::string_view section, std::string_view key, const TPoint& value) {
    const int v[] = {value.X, value.Y};
    ini.WriteString(section, key, Join(v));
}

void WriteBoolKey(TMemIniFile& ini, std::string_view section, std::string_view key, bool value) {
    ini.WriteInteger(section, key, value ? 1 : 0);
}

void WriteFontStylesKey(TMemIniFile& ini, std::string_view section, std::string_view key, TFontStyles value) {
    std::string text;
    for (const auto& w : kStyleWords) {
        if (!(value & w.style)) continue;
        if (!text.empty()) text += ',';
        text += w.word;
    }
    ini.WriteString(section, key, text);
}

void WriteAlignmentKey(TMemIniFile& ini, std::string_view section, std::string_view key, TAlignment value) {
    ini.WriteString(section, key, kAlignments.Spell(value));
}

void WriteStretchType(TMemIniFile& ini, std::string_view section, std::string_view key, TqlStretchType value) {
    ini.WriteString(section, key, kStretchTypes.Spell(value));
}

void WriteMorphKind(TMemIniFile& ini, std::string_view section, std::string_view key, TqlMorphKind value) {
    ini.WriteString(section, key, kMorphKinds.Spell(value));
}

void WriteInActiveEffect(TMemIniFile& ini, std::string_view section, std::string_view key, TqlInActiveEffect value) {
    ini.WriteString(section, key, kInActiveEffects.Spell(value));
}

void WriteCommandKey(TMemIniFile& ini, std::string_view section, std::string_view key, TqlStdCommand value) {
    ini.WriteString(section, key, kCommands.Spell(value));
}

void WriteStringListKey(TMemIniFile& ini, std::string_view section, std::string_view key, const TStringList& list) {
    ini.WriteInteger(section, std::string(key) + "count", list.Count());
    for (int i = 0; i < list.Count(); ++i) ini.WriteString(section, IntToStr(i), list[i]);
}

bool IsValidSkinIni(const TMemIniFile& ini) {
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!ini.SectionExists(section)) return false;
    return true;
}

void TqlSkinKeys::Font(const char* prefix, std::string& name, int& height, TFontStyles& style, TColor& color) {
    const std::string p = prefix;
    Text((p + "fontname").c_str(), name, "Arial");
    Integer((p + "fontheight").c_str(), height, 14);
    FontStyles((p + "fontstyle").c_str(), style);
    Color((p + "fontcolor").c_str(), color);
}

void TqlSkinKeys::UpDownButtons(TRect& up, TRect& activeUp, TRect& downUp, TRect& down, TRect& activeDown,
                                TRect& downDown) {
    Rect("upbuttonrect", up);
    Rect("activeupbuttonrect", activeUp);
    Rect("downupbuttonrect", downUp);
    Rect("downbuttonrect", down);
    Rect("activedownbuttonrect", activeDown);
    Rect("downdownbuttonrect", downDown);
}

void TqlSkinKeyReader::Integer(const char* key, int& field, int fallback) {
    field = FIni.ReadInteger(FSection, key, fallback);
}
void TqlSkinKeyReader::Bool(const char* key, bool& field) { field = ReadBoolKey(FIni, FSection, key); }
void TqlSkinKeyReader::Rect(const char* key, TRect& field) { field = ReadRectKey(FIni, FSection, key); }
void TqlSkinKeyReader::Point(const char* key, TPoint& field) { field = ReadPointKey(FIni, FSection, key); }
void TqlSkinKeyReader::Text(const char* key, std::string& field, const char* fallback) {
    field = FIni.ReadString(FSection, key, fallback);
}
void TqlSkinKeyReader::FontStyles(const char* key, TFontStyles& field) {
    field = ReadFontStylesKey(FIni, FSection, key);
}
void TqlSkinKeyReader::Alignment(const char* key, TAlignment& field) { field = ReadAlignmentKey(FIni, FSection, key); }
void TqlSkinKeyReader::StretchType(const char* key, TqlStretchType& field) {
    field = ReadStretchType(FIni, FSection, key);
}
void TqlSkinKeyReader::MorphKind(const char* key, TqlMorphKind& field) { field = ReadMorphKind(FIni, FSection, key); }
void TqlSkinKeyReader::InActiveEffect(const char* key, TqlInActiveEffect& field) {
    field = ReadInactiveEffect(FIni, FSection, key);
}
void TqlSkinKeyReader::Command(const char* key, TqlStdCommand& field) { field = ReadCommandKey(FIni, FSection, key); }

void TqlSkinKeyWriter::Integer(const char* key, int& field, int) { FIni.WriteInteger(FSection, key, field); }
void TqlSkinKeyWriter::Bool(const char* key, bool& field) { WriteBoolKey(FIni, FSection, key, field); }
void TqlSkinKeyWriter::Rect(const char* key, TRect& field) { WriteRectKey(FIni, FSection, key, field); }
void TqlSkinKeyWriter::Point(const char* key, TPoint& field) { WritePointKey(FIni, FSection, key, field); }
void TqlSkinKeyWriter::Text(const char* key, std::string& field, const char*) {
    FIni.WriteString(FSection, key, field);
}
void TqlSkinKeyWriter::FontStyles(const char* key, TFontStyles& field) {
    WriteFontStylesKey(FIni, FSection, key, field);
}
void TqlSkinKeyWriter::Alignment(const char* key, TAlignment& field) { WriteAlignmentKey(FIni, FSection, key, field); }
void TqlSkinKeyWriter::StretchType(const char* key, TqlStretchType& field) {
    WriteStretchType(FIni, FSection, key, field);
}
void TqlSkinKeyWriter::MorphKind(const char* key, TqlMorphKind& field) { WriteMorphKind(FIni, FSection, key, field); }
void TqlSkinKeyWriter::InActiveEffect(const char* key, TqlInActiveEffect& field) {
    WriteInActiveEffect(FIni, FSection, key, field);
}
void TqlSkinKeyWriter::Command(const char* key, TqlStdCommand& field) { WriteCommandKey(FIni, FSection, key, field); }
