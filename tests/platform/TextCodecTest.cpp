// The program's 8-bit text as it is shown: the characters a text stands for,
// and the columns it takes in a fixed-pitch font.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/core/TextCodec.h"

namespace {

// Code page 936 text and text that is not UTF-8 (Latin-1, CP1252) take a
// column a byte, as they always did; UTF-8 a column a character, as many as
// a code page 936 character for an East Asian wide one.
TEST(TextColumns, CountBytesOfEightBitTextAndCharactersOfUtf8) {
    struct Case {
        const char* name;
        std::string text;
        int columns;
    };
    const Case cases[] = {
        {"ASCII", "a cat", 5},
        {"code page 936", "\xCE\xD2\xC3\xC7 x", 6},
        {"Latin-1", "caf\xE9 au", 7},
        {"CP1252 quotes", "\x93hi\x94", 4},
        {"UTF-8 accents", "caf\xC3\xA9 na\xC3\xAFve", 10},
        {"UTF-8 combining acute", "cafe\xCC\x81", 4},
        {"UTF-8 Chinese", "\xE4\xB8\xAD\xE6\x96\x87", 4},
        {"UTF-8 fullwidth comma", "a\xEF\xBC\x8C", 3},
        {"UTF-8 Greek and Cyrillic", "\xCE\xB1\xD0\xB6", 2},
        {"empty", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TextColumns(c.text, IsValidUtf8(c.text)), c.columns);
        // Shown as 8-bit text, every byte is a column.
        EXPECT_EQ(TextColumns(c.text, false), static_cast<int>(c.text.size()));
    }
}

std::string ReadmeText() {
    std::ifstream in(LEXMOOR_SOURCE_DIR "/README.md", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The README names the encodings corpus files may be in, in the sentence
// that begins "Corpus files may be"; each must be shown as the characters
// it stands for, or a linguist is told of text the program garbles.
TEST(TextCodec, TheReadmeClaimsOnlyEncodingsThatAreShownRight) {
    const std::string readme = ReadmeText();
    ASSERT_FALSE(readme.empty());
    const size_t at = readme.find("Corpus files may be");
    ASSERT_NE(at, std::string::npos);
    std::string claim = readme.substr(at, readme.find('.', at) - at);
    for (char& c : claim)
        if (c == '\n') c = ' ';
    struct Sample {
        const char* encoding;
        std::string bytes, shown;
    };
    // "créée" and “quoted” as each encoding writes them.
    const Sample samples[] = {
        {"UTF-8", "cr\xC3\xA9\xC3\xA9" "e", "cr\xC3\xA9\xC3\xA9" "e"},
        {"code page 936", "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},
        {"Latin-1", "cr\xE9\xE9" "e", "cr\xC3\xA9\xC3\xA9" "e"},
        {"ISO-8859-1", "cr\xE9\xE9" "e", "cr\xC3\xA9\xC3\xA9" "e"},
        {"CP1252", "\x93quoted\x94", "\xE2\x80\x9Cquoted\xE2\x80\x9D"},
        {"Windows-1252", "\x93quoted\x94", "\xE2\x80\x9Cquoted\xE2\x80\x9D"},
    };
    int claimed = 0;
    for (const Sample& s : samples) {
        if (claim.find(s.encoding) == std::string::npos) continue;
        SCOPED_TRACE(s.encoding);
        ++claimed;
        EXPECT_EQ(ToUtf8(s.bytes), s.shown) << claim;
    }
    EXPECT_GE(claimed, 2) << claim;
}

}  // namespace

// Valid UTF-8 is valid by the standard: surrogates, overlong forms and code
// points beyond U+10FFFF are not, so text holding them is read as code page
// 936, where F4 96 91 99 are two characters.
TEST(TextCodec, OnlyStandardUtf8IsReadAsUtf8) {
    for (const char* bad : {"\xED\xA0\x80", "\xED\xBF\xBF", "\xE0\x80\x80", "\xE0\x9F\xBF", "\xF0\x80\x80\x80",
                            "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xC0\x80", "\xC1\xBF"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(IsValidUtf8(bad));
        EXPECT_EQ(Utf8CharLength(bad, 0), 0u);
    }
    for (const char* good : {"\xED\x9F\xBF", "\xEE\x80\x80", "\xE0\xA0\x80", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"})
        EXPECT_TRUE(IsValidUtf8(good)) << good;
    EXPECT_EQ(ToUtf8("\xF4\x96\x91\x99"), "魱憴");
}
