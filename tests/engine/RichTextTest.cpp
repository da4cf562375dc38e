// Coloured concordance RTF and the highlighting of words in a pane.

#include <gtest/gtest.h>

#include "engine/Query.h"
#include "platform/core/Messages.h"
#include "tests/support/TempFolder.h"

namespace {

// A pane of plain lines whose line breaks count two characters; it records the marks.
class FakePane : public TRichTextTarget {
public:
    std::vector<std::string> lines;
    struct Mark {
        int start, length;
        int32_t color;
    };
    std::vector<Mark> marks;

    int LineCount() const override { return int(lines.size()); }
    std::string LineText(int line) const override { return lines[size_t(line)]; }
    int LineStart(int line) const override {
        int pos = 0;
        for (int i = 0; i < line; ++i) pos += int(lines[size_t(i)].size()) + 2;
        return pos;
    }
    void MarkRange(int start, int length, int32_t color) override { marks.push_back({start, length, color}); }
    // The text a mark covers, read back through positions as the pane counts them.
    std::string Marked(const Mark& m) const {
        for (int i = 0; i < LineCount(); ++i)
            if (m.start >= LineStart(i) && m.start < LineStart(i) + int(lines[size_t(i)].size()))
                return lines[size_t(i)].substr(size_t(m.start - LineStart(i)), size_t(m.length));
        return "";
    }
};

class Messages : public testing::Test {
protected:
    void SetUp() override {
        SetMessageSink([this](const std::string& t) { shown.push_back(t); });
    }
    void TearDown() override { SetMessageSink(nullptr); }
    std::vector<std::string> shown;
};

TEST(RtfText, HeaderFramesTheLinesWithTheFontSizeInHalfPoints) {
    TStringList lines;
    lines.Add("\\par line");
    TDisplay::WriteRtfHeader(lines, 11);
    ASSERT_EQ(lines.Count(), 5);
    EXPECT_EQ(lines[0], "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl{\\f0\\fnil\\fcharset0 "
                        "Courier New;}}");
    EXPECT_EQ(lines[1], "{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green1\\blue186;\\red0\\green0\\blue0;"
                        "\\red0\\green128\\blue255;\\red128\\green128\\blue255;}");
    EXPECT_EQ(lines[2], "{\\*\\generator Msftedit 5.41.15.1515;}\\viewkind4\\uc1\\pard\\cf1\\lang2052\\b\\f0\\fs22");
    EXPECT_EQ(lines[3], "\\par line");
    EXPECT_TRUE(lines.Text().ends_with("\\par line\r\n\\par \\cf2 \r\n\\par }\r\n \r\n"));
}

TEST(RtfText, LinesChangeColourEveryFiveLines) {
    for (int index : {0, 4, 5, 9, 10, 14, 15}) {
        SCOPED_TRACE(index);
        std::string line;
        TDisplay::RtfLine(" 1.\t", "  a\t ", "b\t ", " c \t", "f.txt ", index, line);
        std::string c = (index / 5) % 2 == 0 ? "2" : "4";
        EXPECT_EQ(line, "\\par \\cf" + c + "\\b  1.\t\\cf" + c + "\\b0  a\t \\cf3\\b b\t \\cf" + c + "\\b0 c \t\\cf" + c +
                            "f.txt ");
    }
}

TEST(RtfText, CorpusTextCannotBecomeRtf) {
    std::string line;
    TDisplay::RtfLine("1", "a\\b", "{key}", "\xC4\xE3", "", 0, line);
    EXPECT_NE(line.find("a\\\\b"), std::string::npos);
    EXPECT_NE(line.find("\\{key\\}"), std::string::npos);
    EXPECT_NE(line.find("\\'c4\\'e3"), std::string::npos);
    EXPECT_EQ(line.find('\xC4'), std::string::npos);
}

TEST(JoinHits, CountsCaseFoldedRunsAndListsThemByCountAndText) {
    TStringList found;
    std::string result;
    TDisplay::JoinHits(found, false, result);
    EXPECT_EQ(result, "");
    found.Add("cat");
    TDisplay::JoinHits(found, false, result);
    EXPECT_EQ(result, "cat(1)");
    found.Add("dog");
    found.Add("Cat");
    TDisplay::JoinHits(found, false, result);
    EXPECT_EQ(result, "dog(1)   \r\n     cat(2)   \r\n     ");
}

TEST_F(Messages, HighlightMarksOnlyMatchesInsideTheColumn) {
    FakePane pane;
    pane.lines = {"", " 1.\t   the cat\t saw \t the dog \t", " 2.\t     a dog\t saw \t the cat \t"};
    int progress = 0;
    std::string summary;
    // The right column starts after "NN.\t   " + left + "\t " + centre.
    int start = int(std::string(" 1.\t   the cat\t saw \t").size()) + 1;
    TDisplay::Highlight("the", 0x0000FF, pane, true, progress, start, 65532, summary);
    ASSERT_EQ(pane.marks.size(), 2u);
    for (auto& m : pane.marks) EXPECT_EQ(pane.Marked(m), "the");
    EXPECT_EQ(pane.marks[0].start, pane.LineStart(1) + start - 1 + 1);
    EXPECT_EQ(progress, 3);
    EXPECT_EQ(summary, "2   \r\n     the(2)");
    EXPECT_TRUE(shown.empty());
}

// A whole word that starts or ends with a character beyond ASCII is marked,
// in UTF-8 and code page 936 text alike, and only where it stands whole; ASCII
// words keep the edges they always had.
TEST_F(Messages, HighlightFindsWholeWordsBeyondAscii) {
    FakePane pane;
    pane.lines = {"",
                  "un caf\xC3\xA9 noir",                    // UTF-8 "café"
                  "des caf\xC3\xA9s et xcaf\xC3\xA9",        // not whole
                  "\xE4\xB8\xAD\xE6\x96\x87 \xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97",  // UTF-8 "中文 中文字"
                  "\xD6\xD0\xCE\xC4 \xD6\xD0\xCE\xC4\xD7\xD6",                       // the same in code page 936
                  "the-end other the"};
    struct Case {
        const char* name;
        std::string word;
        std::vector<int> lines;  // the line of each mark
    };
    const std::vector<Case> cases = {
        {"UTF-8 accented word", "caf\xC3\xA9", {1}},
        {"ASCII start of an accented word", "caf", {}},
        {"ASCII word beside UTF-8", "noir", {1}},
        {"UTF-8 Chinese", "\xE4\xB8\xAD\xE6\x96\x87", {3}},
        {"code page 936 Chinese", "\xD6\xD0\xCE\xC4", {4}},
        {"ASCII word at punctuation", "the", {5, 5}},
        {"ASCII word inside another", "he", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pane.marks.clear();
        int progress = 0;
        std::string summary;
        TDisplay::Highlight(c.word, 0xFF, pane, true, progress, 1, 65532, summary);
        std::vector<int> lines;
        for (const auto& m : pane.marks) {
            EXPECT_EQ(pane.Marked(m), c.word);
            for (int i = 0; i < pane.LineCount(); ++i)
                if (m.start >= pane.LineStart(i) && m.start < pane.LineStart(i) + int(pane.lines[size_t(i)].size()))
                    lines.push_back(i);
        }
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(summary.empty(), c.lines.empty());
    }
    EXPECT_TRUE(shown.empty());
}

TEST_F(Messages, HighlightSummarySortsByCountThenText) {
    FakePane pane;
    pane.lines = {"", "x cat y", "x dog y", "x cat y"};
    int progress = 0;
    std::string summary;
    TDisplay::Highlight("cat|dog", 0xFF, pane, false, progress, 1, 65532, summary);
    EXPECT_EQ(summary, "3   \r\n     dog(1)   \r\n     cat(2)");
}

TEST_F(Messages, BlankWordsBadExpressionsAndEmptyPanesAreHandled) {
    FakePane pane;
    pane.lines = {"", "some text"};
    int progress = 0;
    std::string summary = "old";
    TDisplay::Highlight("  ", 0, pane, true, progress, 1, 65532, summary);
    EXPECT_EQ(summary, "");
    TDisplay::Highlight("(un", 0, pane, true, progress, 1, 65532, summary);
    EXPECT_EQ(shown, (std::vector<std::string>{"The input box cannot be blank!", "An error occured! Expression=(un"}));
    EXPECT_TRUE(pane.marks.empty());

    FakePane empty;
    TDisplay::Highlight("cat", 0, empty, true, progress, 1, 65532, summary);
    EXPECT_EQ(summary, "");
    EXPECT_EQ(shown.size(), 2u);
}

// A failure while matching, not only while compiling, ends the marking with
// one message; what was marked before stays, and the caller learns of it.
TEST_F(Messages, AnErrorAtAnyMatchIsReportedOnceAndEndsTheMarking) {
    // "x" matches first; the second alternative then runs past the matcher's
    // stack over the long run of "ab" that never ends in "c".
    std::string tail;
    for (int i = 0; i < 100000; ++i) tail += "ab";
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        size_t marksBefore;
    };
    const std::vector<Case> cases = {
        {"second match of the first line", {"", "x " + tail + " d c", "x y"}, 1},
        {"first match of a later line", {"", "x y", tail + " d c", "x y"}, 1},
        {"later match of a later line", {"", "x y", "x " + tail + " d c"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shown.clear();
        FakePane pane;
        pane.lines = c.lines;
        int progress = 0;
        std::string summary = "old";
        bool done = true;
        EXPECT_NO_THROW(done = TDisplay::Highlight("x|(a|b)*c", 0xFF, pane, false, progress, 1, 1 << 30, summary));
        EXPECT_FALSE(done);
        EXPECT_EQ(shown, (std::vector<std::string>{"An error occured! Expression=x|(a|b)*c"}));
        EXPECT_EQ(summary, "");
        EXPECT_EQ(pane.marks.size(), c.marksBefore);
    }
    shown.clear();
    FakePane pane;
    pane.lines = {"", "x y"};
    int progress = 0;
    std::string summary;
    EXPECT_TRUE(TDisplay::Highlight("x|(a|b)*c", 0xFF, pane, false, progress, 1, 1 << 30, summary));
    EXPECT_TRUE(shown.empty());
}

}  // namespace

namespace {

TEST(RtfText, AFileNameStartingWithADigitKeepsItsColourWordApart) {
    std::string line;
    TDisplay::RtfLine("1", "a", "b", "c", "1990.txt ", 0, line);
    EXPECT_TRUE(line.ends_with("\\cf2 1990.txt "));
    TDisplay::RtfLine("1", "a", "b", "c", "news.txt ", 0, line);
    EXPECT_TRUE(line.ends_with("\\cf2news.txt "));
}

}  // namespace

// The search pumps per line, so a long search without any hit still repaints.
TEST(SearchPump, ASearchWithoutHitsStillPumpsMessages) {
    TempFolder folder;
    std::string text;
    for (int i = 0; i < 400; ++i) text += "nothing to find here\n";
    TQuery query;
    query.LoadFile(folder.Write("quiet.txt", text), "");
    int pumps = 0;
    SetMessagePump([&] { ++pumps; }, 0);
    int progress = 0;
    query.Search("absent", false, 2, 2, progress, true);
    SetMessagePump(nullptr);
    EXPECT_TRUE(query.Hits.empty());
    // The pump itself runs at most once in sixteen calls.
    EXPECT_GE(pumps, 400 / 16 - 1);
}

// Whole words are judged on whole characters in the lines a code page 936
// corpus gives: 這 (DF 40) and 區 (85 5E) end in bytes that are ASCII signs,
// yet standing alone each is one word, and 個 inside 這個 is none.
TEST_F(Messages, HighlightFindsWholeWordsOfACodePage936Corpus) {
    TempFolder folder;
    TQuery query;
    query.LoadFile(folder.Write("c.txt", "\xDF\x40 \x82\x80 \xDF\x40\x82\x80 \x85\x5E\n"), "");
    ASSERT_EQ(query.Lines.Count(), 1);
    FakePane pane;
    pane.lines = {"", query.Lines[0]};
    for (const auto& [word, marks] : {std::pair<std::string, size_t>{"這", 1}, {"個", 1}, {"區", 1}, {"這個", 1}}) {
        SCOPED_TRACE(word);
        pane.marks.clear();
        int progress = 0;
        std::string summary;
        TDisplay::Highlight(word, 0xFF, pane, false, progress, 1, 65532, summary);
        ASSERT_EQ(pane.marks.size(), marks);
        EXPECT_EQ(pane.Marked(pane.marks[0]), word);
    }
    EXPECT_TRUE(shown.empty());
}
