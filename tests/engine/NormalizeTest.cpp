#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/Query.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TextCodec.h"

namespace {

struct Case {
    std::string input, expected;
};

void ExpectNormalised(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE("input: " + c.input);
        EXPECT_EQ(TDisplay::NormalizeRaw(c.input), c.expected);
    }
}

std::string Blanks(int n) { return std::string(static_cast<size_t>(n), ' '); }

struct Replacement {
    std::string from, to;
    bool anyCase = false;
};

// The normalisation as plain replacements in their order, each over the whole
// text: the reference for the engine's version, which skips rules a line
// cannot contain.
std::string ReferenceNormalize(std::string text) {
    const std::vector<Replacement> before = {
        {"\xA1\xAA", " --- "}, {"\xA3\xBB", " ; "}, {"\xA1\xEA", "L"},  {"\xA1\xEC", "??"},
        {"\xA1\xF9", "??"},    {"\xA3\xC0", "@"},   {"\xA3\xA6", "&"},  {"\xA3\xA3", "#"},
        {"\xA3\xA4", "Y"},     {"\xA1\xE6", "\xA1\xE3" "C"},             {"\xA8\x48", "\xA1\xE3" "F"},
    };
    const std::vector<Replacement> split = {
        {"\t", " "},   {".", " . "}, {"\"", " \" "}, {",", " , "}, {"!", " ! "},
        {";", " ; "},  {":", " : "}, {"?", " ? "},   {"(", " ( "}, {")", " ) "},
        {"@", " @ "},  {"&", " & "}, {"won't", " will not ", true},  {"n't", " not ", true},
        {"'ll", " will ", true},     {"'ve", " have ", true},        {"'re", " are ", true},
        {"'m", " am ", true},        {"'", " ' "},                   {"o ' clock", "o'clock", true},
    };
    const std::vector<Replacement> after = {
        {"\xA3\xBA", " : "}, {"\xA1\xAE", " ' "}, {"\xA1\xB0", " \" "}, {"\xA1\xB1", " \" "},
        {"\xA1\xAF", " ' "}, {"\xA3\xAC", " , "}, {"\xA1\xA3", " . "}, {"\xA3\xBF", " ? "},
        {"\xA1\xA2", " , "}, {"\xA3\xA1", " ! "}, {"\xA3\xA8", " ( "}, {"\xA3\xA9", " ) "},
        {"\xA1\xBE", " [ "}, {"\xA1\xBF", " ] "}, {"  ", " "},        {"   ", " "},
        {"  ", " "},
    };
    for (const auto* table : {&before, &split, &after})
        for (const Replacement& r : *table)
            text = StringReplace(text, r.from, r.to, rfReplaceAll | (r.anyCase ? rfIgnoreCase : 0u));
    return text;
}

}  // namespace

TEST(NormalizeRaw, SplitsPunctuationAndExpandsContractions) {
    ExpectNormalised({
        {"I won't go.", "I will not go . "},
        {"Don't", "Do not "},
        {"Won't", " will not "},
        {"WON'T", " will not "},
        {"It's 5 o'clock", "It ' s 5 o'clock"},
        {"O'CLOCK", "o'clock"},
        {"3.14", "3 . 14"},
        {"I'm here, you're there", "I am here , you are there"},
        {"We'll've", "We will have "},
        {"Q: why?!", "Q : why ? ! "},
        {"said \"yes\"", "said \" yes \" "},
        {"a(b)c;d", "a ( b ) c ; d"},
        {"x@y&z", "x @ y & z"},
    });
}

// Code page 936 text and the punctuation it becomes.
const std::vector<Case> kFullWidth = {
    {"x\xA1\xAAy", "x --- y"},
    {"x\xA3\xBBy", "x ; y"},
    {"x\xA1\xEAy", "xLy"},
    {"x\xA1\xECy", "x ? ? y"},  // the "??" it becomes is split like typed ones
    {"x\xA1\xF9y", "x ? ? y"},
    {"x\xA3\xC0y", "x @ y"},
    {"x\xA3\xA6y", "x & y"},
    {"x\xA3\xA3y", "x#y"},
    {"x\xA3\xA4y", "xYy"},
    {"30\xA1\xE6", "30\xA1\xE3" "C"},
    {"86\xA8\x48", "86\xA1\xE3" "F"},
    {"x\xA3\xBAy", "x : y"},
    {"x\xA1\xAEy", "x ' y"},
    {"x\xA1\xB0y", "x \" y"},
    {"x\xA1\xB1y", "x \" y"},
    {"x\xA1\xAFy", "x ' y"},
    {"x\xA3\xACy", "x , y"},
    {"x\xA1\xA3y", "x . y"},
    {"x\xA3\xBFy", "x ? y"},
    {"x\xA1\xA2y", "x , y"},
    {"x\xA3\xA1y", "x ! y"},
    {"x\xA3\xA8y", "x ( y"},
    {"x\xA3\xA9y", "x ) y"},
    {"x\xA1\xBEy", "x [ y"},
    {"x\xA1\xBFy", "x ] y"},
    // A line of full-width punctuation alone: left double quote, comma,
    // ideographic full stop, right double quote.
    {"\xA1\xB0\xA3\xAC\xA1\xA3\xA1\xB1", " \" , . \" "},
    // Full-width quotes are replaced after the contractions, so they are never expanded.
    {"I\xA1\xAFm", "I ' m"},
    // Chinese characters that are no punctuation pass unchanged.
    {"\xC4\xE3\xBA\xC3 ok", "\xC4\xE3\xBA\xC3 ok"},
};

TEST(NormalizeRaw, TurnsEveryFullWidthCharacterIntoAscii) { ExpectNormalised(kFullWidth); }

// The same characters in UTF-8 text become the same punctuation, so that a
// corpus and its UTF-8 twin count alike: "dog，cat。" is four tokens in both.
TEST(NormalizeRaw, FullWidthCharactersInUtf8TextBecomeWhatTheyBecomeInCodePage936) {
    for (const Case& c : kFullWidth) {
        const std::string utf8 = CodePage936ToUtf8(c.input);
        SCOPED_TRACE(utf8);
        ASSERT_TRUE(IsValidUtf8(utf8));
        EXPECT_EQ(TDisplay::NormalizeRaw(utf8), CodePage936ToUtf8(c.expected));
    }
    EXPECT_EQ(TDisplay::NormalizeRaw("dog，cat。"), "dog , cat . ");
    EXPECT_EQ(TDisplay::NormalizeRaw("30℃ —"), "30°C --- ");
}

TEST(NormalizeRaw, ShortensBlankRunsInThreePasses) {
    // A run of n blanks becomes ceil(n/2), then (m/3 + m%3), then ceil again:
    // 2, 3, 4, 5, 6, 7, 8 -> 1; 9, 10 -> 2; 25 -> 13 -> 5 -> 3.
    std::vector<Case> cases;
    const std::vector<std::pair<int, int>> runs = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1},
                                                   {7, 1}, {8, 1}, {9, 2}, {10, 2}, {25, 3}};
    for (auto [from, to] : runs) cases.push_back({"a" + Blanks(from) + "b", "a" + Blanks(to) + "b"});
    cases.push_back({"  a  ", " a "});  // leading and trailing blanks are shortened, not removed
    cases.push_back({"a\tb", "a b"});
    cases.push_back({"a \t\t b", "a b"});
    cases.push_back({"plain words here", "plain words here"});
    ExpectNormalised(cases);
}

TEST(NormalizeRaw, MatchesTheRulesAppliedOneByOne) {
    const std::vector<std::string> lines = {
        "",
        "He said: \"I can't, won't & shan't!\"\t(1.5 o'Clock)",
        "\xA1\xB0\xCB\xFB\xCB\xB5\xA3\xBA\xA1\xAE\xCA\xC7\xA1\xAF\xA3\xAC\xA1\xA3\xA1\xB1  end",
        "  \xA1\xE6\xA8\x48\xA1\xEA\xA3\xA4 \xA3\xC0\xA3\xA6 they're     I'll we've",
        "##  ##   ##    a b c      ## ##",
        "\xA3\xA3\xA1\xAA\xA1\xBE\xA1\xBF\xA3\xA8\xA3\xA9\xA3\xBF\xA3\xA1\xA1\xA2",
    };
    for (const std::string& line : lines) {
        SCOPED_TRACE("input: " + line);
        EXPECT_EQ(TDisplay::NormalizeRaw(line), ReferenceNormalize(line));
    }
}

TEST(SplitPunctAndContractions, LeavesBlankRunsAndFullWidthCharactersAlone) {
    const std::vector<Case> cases = {
        {"I won't go.", "I  will not  go . "},
        {"a\tb  c", "a b  c"},
        {"x\xA3\xACy", "x\xA3\xACy"},
        {"can't", "ca not "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("input: " + c.input);
        EXPECT_EQ(TDisplay::SplitPunctAndContractions(c.input), c.expected);
    }
}

TEST(ReplaceNonAscii, ReplacesEveryCodeUnitAbove128) {
    struct WideCase {
        std::u16string input;
        char c;
        std::string expected;
    };
    const std::vector<WideCase> cases = {
        {u"plain.txt", '_', "plain.txt"},
        {u"caf\u00E9 \u4F60\u597D", '_', "caf_ __"},
        {u"\U0001F600", '#', "##"},  // each half of a surrogate pair
        {u"\u007F\u0081", '_', "\x7F_"},
        {u"", '_', ""},
    };
    for (const WideCase& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(TDisplay::ReplaceNonAscii(c.input, c.c), c.expected);
    }
    // Code 128 is not one of the replaced characters.
    std::string kept = TDisplay::ReplaceNonAscii(u"\u0080", '_');
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NE(kept[0], '_');
}

// In code page 936 text a match starts only where a character starts: a
// trail byte may equal an ASCII character or the lead byte of a full-width
// pair, and no Chinese character may be cut or changed.
TEST(NormalizeRaw, CodePage936CharactersAreNeverCutOrChanged) {
    ExpectNormalised({
        // A1 A3 (ideographic full stop) then A3 BF (full-width "?"): A3 A3 across them is no "#".
        {"x\xA1\xA3\xA3\xBFy", "x . ? y"},
        // Trail byte 0x40 is "@" in ASCII: the character stays whole.
        {"a\x81\x40" "b", "a\x81\x40" "b"},
        {"\xB0\x40@\xB0\x40", "\xB0\x40 @ \xB0\x40"},
        // Trail byte 0x6E is "n": no "n't" across a character.
        {"\xB0\x6E't", "\xB0\x6E ' t"},
        {"can't \xB0\x6E't", "ca not \xB0\x6E ' t"},
        // A lead byte as the last byte of a line stands alone.
        {"x.\xB0", "x . \xB0"},
        // Full-width pairs keep working between characters.
        {"\xC4\xE3\xA3\xAC\xBA\xC3", "\xC4\xE3 , \xBA\xC3"},
    });
}

// A lead byte takes only a byte that can follow it in code page 936: in
// Latin-1 and CP1252 text the same bytes are letters and curly quotes, and
// the punctuation after them is split off as after any other word.
TEST(NormalizeRaw, ALeadByteBeforeAByteThatCannotTrailItStandsAlone) {
    ExpectNormalised({
        {"caf\xE9, then", "caf\xE9 , then"},
        {"he said \x93no\x94.", "he said \x93no\x94 . "},
        {"\x93Why?\x94 (na\xEFve)", "\x93Why ? \x94 ( na\xEFve ) "},
        {"d\xE9j\xE0; vu:", "d\xE9j\xE0 ; vu : "},
        // 0x7F and 0xFF never trail; a full-width pair after them is still one.
        {"\xE9\x7F.\xFF\xA3\xAC", "\xE9\x7F . \xFF , "},
        // A trail byte of 0x40 ("@") or above still belongs to its lead byte.
        {"\xE9@\xB0\x40", "\xE9@\xB0\x40"},
    });
}

// UTF-8 text holds no code page 936 punctuation: its continuation bytes that
// look like a full-width pair are part of a character and stay as they are.
TEST(NormalizeRaw, Utf8TextIsNotReadAsCodePage936) {
    const std::string utf8 = "\xE3\xA3\xA3 ok, \xE4\xB8\xAD";  // U+38E3 holds A3 A3
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(TDisplay::NormalizeRaw(utf8), "\xE3\xA3\xA3 ok , \xE4\xB8\xAD");
    EXPECT_EQ(TDisplay::NormalizeRaw("caf\xC3\xA9@home"), "caf\xC3\xA9 @ home");
}

// The search pads a line before normalising it; normalising the line alone and
// then padding must give the same text, blanks at the edges included.
TEST(NormalizeRaw, APaddedLineNormalisesAsTheLineWithItsPads) {
    const std::vector<std::string> lines = {
        "",
        "plain",
        "\"quoted\" start and end.",
        "  blanks around  ",
        "He said: \"I can't, won't & shan't!\"\t(1.5 o'Clock)",
        "'tis o' clock",
        "\xA1\xB0\xCB\xFB\xCB\xB5\xA3\xBA\xA1\xAE\xCA\xC7\xA1\xAF\xA3\xAC\xA1\xA3\xA1\xB1  end",
        "\xB0\x40@\xB0\x6E't",
        "caf\xC3\xA9@home, \xE3\xA3\xA3",
        "(((a)))",
    };
    for (const std::string& pad : {std::string(" "), std::string(" ## ## ## "), std::string(" ##_## ##_## ")}) {
        for (const std::string& line : lines) {
            SCOPED_TRACE("pad [" + pad + "], line: " + line);
            EXPECT_EQ(TDisplay::NormalizeRawPadded(pad, line, pad), TDisplay::NormalizeRaw(pad + line + pad));
        }
    }
}
