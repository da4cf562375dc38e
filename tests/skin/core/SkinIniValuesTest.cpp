// How each kind of skin value is read back from its INI text, and written.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/SysUtils.h"
#include "skin/core/SkinIniValues.h"
#include "tests/skin/core/SkinIniText.h"

namespace {

std::string Show(const TRect& r) {
    return IntToStr(r.Left) + "," + IntToStr(r.Top) + "," + IntToStr(r.Right) + "," + IntToStr(r.Bottom);
}
std::string Show(const TPoint& p) { return IntToStr(p.X) + "," + IntToStr(p.Y); }
std::string Show(TFontStyles s) {
    std::string out;
    if (s & fsBold) out += "B";
    if (s & fsItalic) out += "I";
    if (s & fsUnderline) out += "U";
    if (s & fsStrikeOut) out += "S";
    return out;
}
std::string Show(TAlignment a) {
    return a == TAlignment::taLeftJustify ? "left" : a == TAlignment::taCenter ? "centre" : "right";
}

using Reader = std::function<std::string(const TMemIniFile&)>;

// Each reader applied to key "k" of section "S", its result as text.
Reader ReaderOf(const std::string& kind) {
    if (kind == "rect") return [](const TMemIniFile& i) { return Show(ReadRectKey(i, "S", "k")); };
    if (kind == "point") return [](const TMemIniFile& i) { return Show(ReadPointKey(i, "S", "k")); };
    if (kind == "bool")
        return [](const TMemIniFile& i) { return std::string(ReadBoolKey(i, "S", "k") ? "true" : "false"); };
    if (kind == "style") return [](const TMemIniFile& i) { return Show(ReadFontStylesKey(i, "S", "k")); };
    if (kind == "align") return [](const TMemIniFile& i) { return Show(ReadAlignmentKey(i, "S", "k")); };
    if (kind == "stretch") return [](const TMemIniFile& i) { return IntToStr(int(ReadStretchType(i, "S", "k"))); };
    if (kind == "morph") return [](const TMemIniFile& i) { return IntToStr(int(ReadMorphKind(i, "S", "k"))); };
    if (kind == "effect") return [](const TMemIniFile& i) { return IntToStr(int(ReadInactiveEffect(i, "S", "k"))); };
    if (kind == "command") return [](const TMemIniFile& i) { return IntToStr(int(ReadCommandKey(i, "S", "k"))); };
    return nullptr;
}

}  // namespace

TEST(SkinIniValues, EachKindReadsItsTextOrItsFallback) {
    struct Case {
        const char* kind;
        std::optional<std::string> value;  // nullopt: the key is missing
        const char* expected;
    };
    const std::optional<std::string> missing;
    const Case cases[] = {
        {"rect", "458,272,500,294", "458,272,500,294"},
        {"rect", missing, "0,0,0,0"},
        {"rect", "1, 2, 3, 4", "1,2,3,4"},
        {"rect", "-3,-4,5,-6", "3,4,5,6"},
        {"rect", "1,2", "1,2,0,0"},
        {"rect", "1,,3,4", "1,0,3,4"},
        {"rect", "a,b,c,d", "0,0,0,0"},
        {"rect", "", "0,0,0,0"},
        {"rect", "1,2,3,4,5,6", "1,2,3,4"},
        {"rect", "99999999999,1,2,3", "2147483647,1,2,3"},
        {"rect", "1x0,2", "10,2,0,0"},
        {"point", "-3, 7", "3,7"},
        {"point", missing, "0,0"},
        {"point", "5", "5,0"},
        {"point", "1,2,3", "1,2"},
        {"bool", "1", "true"},
        {"bool", "2", "false"},
        {"bool", "-1", "false"},
        {"bool", "0x1", "true"},
        {"bool", "yes", "false"},
        {"bool", "", "false"},
        {"bool", missing, "false"},
        {"style", "fsbold", "B"},
        {"style", "fsboldfsitalic", "BI"},
        {"style", "fsstrikeout, fsunderline", "US"},
        {"style", "FSBOLD", ""},
        {"style", "", ""},
        {"style", missing, ""},
        {"align", missing, "centre"},
        {"align", "tacenter", "centre"},
        {"align", "taleftjustify", "left"},
        {"align", "tarightjustify", "right"},
        {"align", "TaCenter", "right"},
        {"align", "", "right"},
        {"stretch", missing, "0"},
        {"stretch", "stfull", "0"},
        {"stretch", "sthorz", "1"},
        {"stretch", "stvert", "2"},
        {"stretch", "StVert", "1"},
        {"stretch", "", "1"},
        {"morph", missing, "0"},
        {"morph", "mkgradient", "1"},
        {"morph", "mkleftslide", "4"},
        {"morph", "mkpush", "6"},
        {"morph", "MKPUSH", "0"},
        {"effect", missing, "0"},
        {"effect", "iedarkness", "1"},
        {"effect", "ieinvert", "5"},
        {"effect", "invert", "2"},
        {"effect", "", "2"},
        {"command", missing, "4"},
        {"command", "cmclose", "0"},
        {"command", "cmsysmenu", "3"},
        {"command", "cmrollup", "5"},
        {"command", "cmminimizetotray", "6"},
        {"command", "CMCLOSE", "4"},
        {"command", "cmminimise", "4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + (c.value ? "\"" + *c.value + "\"" : "missing"));
        auto ini = IniFromText(c.value ? "[S]\nk=" + *c.value + "\nother=1\n" : "[S]\nother=1\n");
        EXPECT_EQ(ReaderOf(c.kind)(*ini), c.expected);
    }
}

TEST(SkinIniValues, WritersSpellWhatTheReadersRead) {
    TMemIniFile ini;
    WriteRectKey(ini, "S", "rect", Rect(1, -2, 30, 400));
    WritePointKey(ini, "S", "point", Point(5, 6));
    WriteBoolKey(ini, "S", "bool", true);
    WriteFontStylesKey(ini, "S", "style", fsStrikeOut | fsBold | fsUnderline | fsItalic);
    WriteAlignmentKey(ini, "S", "align", TAlignment::taRightJustify);
    WriteStretchType(ini, "S", "stretch", TqlStretchType::stHorz);
    WriteMorphKind(ini, "S", "morph", TqlMorphKind::mkRightSlide);
    WriteInActiveEffect(ini, "S", "effect", TqlInActiveEffect::ieNoise);
    WriteCommandKey(ini, "S", "command", TqlStdCommand::cmMinimizeToTray);
    EXPECT_EQ(ini.ReadString("S", "rect", ""), "1,-2,30,400");
    EXPECT_EQ(ini.ReadString("S", "bool", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "style", ""), "fsbold,fsitalic,fsunderline,fsstrikeout");
    EXPECT_EQ(ini.ReadString("S", "align", ""), "tarightjustify");
    EXPECT_EQ(ini.ReadString("S", "stretch", ""), "sthorz");
    EXPECT_EQ(ini.ReadString("S", "command", ""), "cmminimizetotray");

    EXPECT_EQ(ReadPointKey(ini, "S", "point"), Point(5, 6));
    EXPECT_TRUE(ReadBoolKey(ini, "S", "bool"));
    EXPECT_EQ(ReadFontStylesKey(ini, "S", "style"), fsBold | fsItalic | fsUnderline | fsStrikeOut);
    EXPECT_EQ(ReadAlignmentKey(ini, "S", "align"), TAlignment::taRightJustify);
    EXPECT_EQ(ReadStretchType(ini, "S", "stretch"), TqlStretchType::stHorz);
    EXPECT_EQ(ReadMorphKind(ini, "S", "morph"), TqlMorphKind::mkRightSlide);
    EXPECT_EQ(ReadInactiveEffect(ini, "S", "effect"), TqlInActiveEffect::ieNoise);
    EXPECT_EQ(ReadCommandKey(ini, "S", "command"), TqlStdCommand::cmMinimizeToTray);
}

TEST(SkinIniValues, StringListsAppendAndAreBounded) {
    auto ini = IniFromText("[PICTURES]\nactivepicturescount=2\n0=a.bmp\n1=b.bmp\n[HUGE]\nlistcount=2147483647\n0=x\n"
                           "5000=far\n");
    TStringList list;
    list.Add("kept");
    ReadStringListKey(*ini, "pictures", "activepictures", list);
    EXPECT_EQ(list.Text(), "kept\r\na.bmp\r\nb.bmp\r\n");

    // A count far above the keys present stops at the bound and keeps the
    // positions below it; what lies beyond the bound is not listed.
    TStringList huge;
    ReadStringListKey(*ini, "HUGE", "list", huge);
    ASSERT_EQ(huge.Count(), kMaxStringListCount);
    EXPECT_EQ(huge[0], "x");
    EXPECT_EQ(huge.IndexOf("far"), -1);
    EXPECT_EQ(huge[kMaxStringListCount - 1], "");

    TStringList none;
    ReadStringListKey(*ini, "PICTURES", "nothing", none);
    EXPECT_EQ(none.Count(), 0);

    TMemIniFile out;
    WriteStringListKey(out, "P", "activepictures", list);
    TStringList back;
    ReadStringListKey(out, "P", "activepictures", back);
    EXPECT_EQ(back.Text(), list.Text());
}

// Every number below the count has its place, whatever keys the section
// holds and wherever they stand in it: a text's position is its number, and a
// number without a key of its own gives an empty text.
TEST(SkinIniValues, StringListsKeepEachTextAtItsNumber) {
    struct Case {
        const char* keys;
        std::vector<std::string> list;
    } cases[] = {
        {"listcount=5\n0=a\n4=e\n", {"a", "", "", "", "e"}},
        {"listcount=5\n4=e\n2=c\n0=a\n", {"a", "", "c", "", "e"}},
        {"listcount=3\n0=a\n1=b\n", {"a", "b", ""}},
        {"listcount=2\n0=a\n2=c\n1=b\n", {"a", "b"}},
        {"listcount=7\n04=x\n+3=y\n 5 =f\n-1=z\nother=w\n", {"", "", "", "", "", "f", ""}},
        {"listcount=9\n7=first\n7=second\n", {"", "", "", "", "", "", "", "first", ""}},
        {"listcount=2\n0=\n1=b\n", {"", "b"}},
        {"listcount=-3\n0=a\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        TStringList list;
        ReadStringListKey(*IniFromText(std::string("[L]\n") + c.keys), "L", "list", list);
        EXPECT_EQ(list.Items(), c.list);
    }
}

TEST(SkinIniValues, ASkinNeedsItsFiveSections) {
    const std::string all = "[VERSION]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\n";
    EXPECT_TRUE(IsValidSkinIni(*IniFromText(all)));
    EXPECT_TRUE(IsValidSkinIni(*IniFromText("[version]\n[pictures]\n[forminfo]\n[skinobjects]\n[skincontrols]\n")));
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"}) {
        SCOPED_TRACE(section);
        std::string text = all;
        text.erase(text.find(std::string("[") + section + "]"), std::string(section).size() + 3);
        EXPECT_FALSE(IsValidSkinIni(*IniFromText(text + "[POPUPWINDOW]\n")));
    }
}
