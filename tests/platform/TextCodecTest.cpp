// The program's 8-bit text as it is shown: the characters a text stands for,
// and the columns it takes in a fixed-pitch font.

#include <gtest/gtest.h>

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

}  // namespace
