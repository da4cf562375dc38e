#pragma once
// How each kind of value is written in a skin INI and read back: the value
// readers and writers, their word tables, and the key lists through which
// every descriptor names its keys once, each with its fallback.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/IniFiles.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/Types.h"

class TStringList;

enum class TqlStretchType : uint8_t { stFull, stHorz, stVert };
enum class TqlMorphKind : uint8_t {
    mkDefault,
    mkGradient,
    mkLeftGradient,
    mkRightGradient,
    mkLeftSlide,
    mkRightSlide,
    mkPush
};
enum class TqlInActiveEffect : uint8_t { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };
// What a caption button or animated form part does when clicked.
enum class TqlStdCommand : uint8_t {
    cmClose,
    cmMaximize,
    cmMinimize,
    cmSysMenu,
    cmDefault,
    cmRollUp,
    cmMinimizeToTray
};

// Components are made of their digits alone (blanks, minus signs and letters
// are dropped), so no value is negative; a component without digits is 0, a
// missing one 0, extra ones are ignored and an overlong one is clamped.
TRect ParseRectText(std::string_view text);
TPoint ParsePointText(std::string_view text);

TRect ReadRectKey(const TMemIniFile& ini, std::string_view section, std::string_view key);
TPoint ReadPointKey(const TMemIniFile& ini, std::string_view section, std::string_view key);
// True exactly for the integer 1.
bool ReadBoolKey(const TMemIniFile& ini, std::string_view section, std::string_view key);
// Substring tests, so "fsboldfsitalic" is bold and italic; case-sensitive.
TFontStyles ReadFontStylesKey(const TMemIniFile& ini, std::string_view section, std::string_view key);
// The word tables compare exactly; a word outside the table, including an
// empty value, takes the table's value for other words (alignment right,
// stretch horizontal, morph default, inactive effect grayscale, command
// default); a missing key takes the table's fallback word.
TAlignment ReadAlignmentKey(const TMemIniFile& ini, std::string_view section, std::string_view key);
TqlStretchType ReadStretchType(const TMemIniFile& ini, std::string_view section, std::string_view key);
TqlMorphKind ReadMorphKind(const TMemIniFile& ini, std::string_view section, std::string_view key);
TqlInActiveEffect ReadInactiveEffect(const TMemIniFile& ini, std::string_view section, std::string_view key);
TqlStdCommand ReadCommandKey(const TMemIniFile& ini, std::string_view section, std::string_view key);
// The values of the numbered keys "0", "1", ... below count that the section
// holds, in number order; numbers missing between them are skipped. Only the
// keys present are walked, so a huge count costs nothing.
std::vector<std::string> ReadNumberedKeys(const TMemIniFile& ini, std::string_view section, int count);
// A string list holds at most this many texts. It lists the active pictures
// of a skin, which no real skin has more than a few dozen of, and a stored
// skin holds no more pictures than this.
constexpr int kMaxStringListCount = 4096;
// Appends count texts, count being read at key + "count" and kept to
// 0..kMaxStringListCount: the text of key "i" at position i, empty when the
// key is absent, so that a text's position is its number.
void ReadStringListKey(const TMemIniFile& ini, std::string_view section, std::string_view key, TStringList& list);

void WriteRectKey(TMemIniFile& ini, std::string_view section, std::string_view key, const TRect& value);
void WritePointKey(TMemIniFile& ini, std::string_view section, std::string_view key, const TPoint& value);
void WriteBoolKey(TMemIniFile& ini, std::string_view section, std::string_view key, bool value);
void WriteFontStylesKey(TMemIniFile& ini, std::string_view section, std::string_view key, TFontStyles value);
void WriteAlignmentKey(TMemIniFile& ini, std::string_view section, std::string_view key, TAlignment value);
void WriteStretchType(TMemIniFile& ini, std::string_view section, std::string_view key, TqlStretchType value);
void WriteMorphKind(TMemIniFile& ini, std::string_view section, std::string_view key, TqlMorphKind value);
void WriteInActiveEffect(TMemIniFile& ini, std::string_view section, std::string_view key, TqlInActiveEffect value);
void WriteCommandKey(TMemIniFile& ini, std::string_view section, std::string_view key, TqlStdCommand value);
void WriteStringListKey(TMemIniFile& ini, std::string_view section, std::string_view key, const TStringList& list);

// The five sections without which a text is no skin.
bool IsValidSkinIni(const TMemIniFile& ini);

// One call per key, in read order, with the key's fallback beside it. A
// descriptor lists its keys once; reading and writing both walk that list.
class TqlSkinKeys {
public:
    virtual ~TqlSkinKeys() = default;
    virtual void Integer(const char* key, int& field, int fallback = 0) = 0;
    void Color(const char* key, TColor& field, TColor fallback = 0) { Integer(key, field, fallback); }
    virtual void Bool(const char* key, bool& field) = 0;
    virtual void Rect(const char* key, TRect& field) = 0;
    virtual void Point(const char* key, TPoint& field) = 0;
    virtual void Text(const char* key, std::string& field, const char* fallback = "") = 0;
    virtual void FontStyles(const char* key, TFontStyles& field) = 0;
    virtual void Alignment(const char* key, TAlignment& field) = 0;
    virtual void StretchType(const char* key, TqlStretchType& field) = 0;
    virtual void MorphKind(const char* key, TqlMorphKind& field) = 0;
    virtual void InActiveEffect(const char* key, TqlInActiveEffect& field) = 0;
    virtual void Command(const char* key, TqlStdCommand& field) = 0;

    // The four font keys that most descriptors carry, "fontname" ("Arial"),
    // "fontheight" (14), "fontstyle" and "fontcolor" (0), each after prefix.
    void Font(const char* prefix, std::string& name, int& height, TFontStyles& style, TColor& color);
    // The six images of an up and a down button: "upbuttonrect",
    // "activeupbuttonrect", "downupbuttonrect" (pressed), "downbuttonrect",
    // "activedownbuttonrect", "downdownbuttonrect".
    void UpDownButtons(TRect& up, TRect& activeUp, TRect& downUp, TRect& down, TRect& activeDown, TRect& downDown);
};

// A visitor that looks at some kinds of key only: every other kind passes by.
class TqlSkinKeyFilter : public TqlSkinKeys {
public:
    void Integer(const char*, int&, int) override {}
    void Bool(const char*, bool&) override {}
    void Rect(const char*, TRect&) override {}
    void Point(const char*, TPoint&) override {}
    void Text(const char*, std::string&, const char*) override {}
    void FontStyles(const char*, TFontStyles&) override {}
    void Alignment(const char*, TAlignment&) override {}
    void StretchType(const char*, TqlStretchType&) override {}
    void MorphKind(const char*, TqlMorphKind&) override {}
    void InActiveEffect(const char*, TqlInActiveEffect&) override {}
    void Command(const char*, TqlStdCommand&) override {}
};

class TqlSkinKeyReader : public TqlSkinKeys {
public:
    TqlSkinKeyReader(const TMemIniFile& ini, std::string section) : FIni(ini), FSection(std::move(section)) {}
    void Integer(const char* key, int& field, int fallback) override;
    void Bool(const char* key, bool& field) override;
    void Rect(const char* key, TRect& field) override;
    void Point(const char* key, TPoint& field) override;
    void Text(const char* key, std::string& field, const char* fallback) override;
    void FontStyles(const char* key, TFontStyles& field) override;
    void Alignment(const char* key, TAlignment& field) override;
    void StretchType(const char* key, TqlStretchType& field) override;
    void MorphKind(const char* key, TqlMorphKind& field) override;
    void InActiveEffect(const char* key, TqlInActiveEffect& field) override;
    void Command(const char* key, TqlStdCommand& field) override;

private:
    const TMemIniFile& FIni;
    std::string FSection;
};

class TqlSkinKeyWriter : public TqlSkinKeys {
public:
    TqlSkinKeyWriter(TMemIniFile& ini, std::string section) : FIni(ini), FSection(std::move(section)) {}
    void Integer(const char* key, int& field, int fallback) override;
    void Bool(const char* key, bool& field) override;
    void Rect(const char* key, TRect& field) override;
    void Point(const char* key, TPoint& field) override;
    void Text(const char* key, std::string& field, const char* fallback) override;
    void FontStyles(const char* key, TFontStyles& field) override;
    void Alignment(const char* key, TAlignment& field) override;
    void StretchType(const char* key, TqlStretchType& field) override;
    void MorphKind(const char* key, TqlMorphKind& field) override;
    void InActiveEffect(const char* key, TqlInActiveEffect& field) override;
    void Command(const char* key, TqlStdCommand& field) override;

private:
    TMemIniFile& FIni;
    std::string FSection;
};

// Something whose fields are the keys of one INI section.
class TqlSkinKeyed {
public:
    virtual ~TqlSkinKeyed() = default;
    // Lists every key of the class and its bases, inherited keys first.
    virtual void Keys(TqlSkinKeys& keys) = 0;

protected:
    void ReadKeys(const TMemIniFile& ini, const std::string& section) {
        TqlSkinKeyReader reader(ini, section);
        Keys(reader);
    }
    void WriteKeys(TMemIniFile& ini, const std::string& section) {
        TqlSkinKeyWriter writer(ini, section);
        Keys(writer);
    }
    // An animation strip with fewer than one frame is no animation: the strip
    // is emptied and the count is 0, so no one divides by it.
    static void DropEmptyAnimation(TRect& strip, int& frameCount) {
        if (frameCount >= 1) return;
        frameCount = 0;
        strip = {};
    }
};

// One row of a type-word table: the word of an INI entry and the descriptor it makes.
template <class Base>
struct TqlTypeWord {
    const char* word;
    std::unique_ptr<Base> (*create)(std::string idName);
};

template <class Base, class T>
std::unique_ptr<Base> MakeDescriptor(std::string idName) {
    return std::make_unique<T>(std::move(idName));
}

// The descriptor of the first row whose word equals typeWord exactly, or null.
template <class Base>
std::unique_ptr<Base> CreateByTypeWord(std::span<const TqlTypeWord<Base>> table, std::string_view typeWord,
                                       std::string idName) {
    for (const auto& row : table)
        if (typeWord == row.word) return row.create(std::move(idName));
    return nullptr;
}
