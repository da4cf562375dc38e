// The in-memory INI: how a text is read, looked up and written back.

#include <gtest/gtest.h>

#include <string>

#include "platform/core/Classes.h"
#include "platform/core/IniFiles.h"
#include "tests/support/TempFolder.h"

namespace {

void Load(TMemIniFile& ini, std::string_view text) {
    TStringList lines;
    lines.SetText(text);
    ini.SetStrings(lines);
}

std::string Text(const TMemIniFile& ini) {
    TStringList lines;
    ini.GetStrings(lines);
    return lines.Text();
}

}  // namespace

TEST(MemIniFile, LookupsIgnoreCaseBlanksCommentsAndStrayLines) {
    TMemIniFile ini;
    Load(ini,
         "orphan=before any section\r\n"
         "[Main]\r\n"
         "  Key One  =  spaced value  \r\n"
         "; comment=not a key\r\n"
         "no separator here\r\n"
         "formula=a=b=c\r\n"
         "empty=\r\n"
         "dup=first\r\n"
         "DUP=second\r\n"
         "[ other ]\r\n"
         "x=1\r\n"
         "[MAIN]\r\n"
         "later=continues main\r\n");
    struct Case {
        const char* section;
        const char* key;
        std::string expected;
    };
    const Case cases[] = {
        {"main", "key one", "spaced value"},
        {"MAIN", "KEY ONE", "spaced value"},
        {"Main", "formula", "a=b=c"},
        {"Main", "empty", ""},  // present but empty: not the fallback
        {"Main", "dup", "first"},
        {"Main", "; comment", "<none>"},
        {"Main", "no separator here", "<none>"},
        {"Main", "orphan", "<none>"},
        {"other", "x", "1"},
        {"main", "later", "continues main"},
        {"missing", "x", "<none>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ini.ReadString(c.section, c.key, "<none>"), c.expected);
    }
    EXPECT_TRUE(ini.SectionExists("OTHER"));
    EXPECT_FALSE(ini.SectionExists("orphan"));
    EXPECT_EQ(ini.KeyCount("main"), 6);
    EXPECT_EQ(ini.KeyCount("nowhere"), 0);
}

TEST(MemIniFile, IntegersAreDecimalOrHexWithTheFallbackForAnythingElse) {
    TMemIniFile ini;
    Load(ini,
         "[n]\n"
         "dec=42\nneg=-7\nhex=0x1F\nHEX=0XfF\nwide=0xFFFFFFFF\nsys=0xFF00000F\n"
         "toolong=0x123456789\nbig=2147483648\nword=twelve\nempty=\nhalf=12abc\nbare=0x\n");
    struct Case {
        const char* key;
        int expected;
    };
    const Case cases[] = {
        {"dec", 42},    {"neg", -7},        {"hex", 31},      {"HEX", 31},  // HEX is the first "hex"
        {"wide", -1},   {"sys", -16777201}, {"toolong", -99}, {"big", -99},     {"word", -99},
        {"empty", -99}, {"half", -99},      {"bare", -99},    {"missing", -99},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ini.ReadInteger("n", c.key, -99), c.expected);
    }
}

TEST(MemIniFile, WritesReplaceOrAppendAndSurviveAFileRoundTrip) {
    TempFolder folder;
    const std::string path = folder.Path() + "/skin.ini";
    {
        TMemIniFile ini(path);  // no file yet: empty
        EXPECT_FALSE(ini.SectionExists("a"));
        ini.WriteString("A", "name", "first");
        ini.WriteInteger("a", "count", -3);
        ini.WriteString("a", "NAME", "second");  // same key in another case
        ini.WriteString("b", "gone", "x");
        ini.WriteString("c", "kept", "y");
        ini.WriteString("c", "dropped", "z");
        ini.EraseSection("B");
        ini.DeleteKey("c", "DROPPED");
        EXPECT_EQ(Text(ini), "[A]\r\nname=second\r\ncount=-3\r\n\r\n[c]\r\nkept=y\r\n\r\n");
        ini.UpdateFile();
    }
    TMemIniFile reread(path);
    EXPECT_EQ(reread.ReadString("a", "name", ""), "second");
    EXPECT_EQ(reread.ReadInteger("A", "COUNT", 0), -3);
    EXPECT_EQ(reread.ReadString("c", "kept", ""), "y");
    EXPECT_FALSE(reread.ValueExists("c", "dropped"));
    EXPECT_FALSE(reread.SectionExists("b"));
    TStringList sections, keys;
    reread.ReadSections(sections);
    reread.ReadSection("a", keys);
    EXPECT_EQ(sections.Text(), "A\r\nc\r\n");
    EXPECT_EQ(keys.Text(), "name\r\ncount\r\n");
}

TEST(MemIniFile, DeletingAKeyKeepsTheOthersFindable) {
    TMemIniFile ini;
    Load(ini, "[s]\na=1\nb=2\nc=3\n");
    ini.DeleteKey("s", "a");
    EXPECT_EQ(ini.ReadString("s", "b", ""), "2");
    EXPECT_EQ(ini.ReadString("s", "c", ""), "3");
    ini.WriteString("s", "b", "two");
    EXPECT_EQ(Text(ini), "[s]\r\nb=two\r\nc=3\r\n\r\n");
}
