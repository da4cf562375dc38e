// The list panel: its switches, the list files a run writes (names, lines,
// stop list, minimum frequency), its folders, and lists of real text checked
// against counts made here.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "app/Unit1.h"
#include "platform/core/RegExpr.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TextCodec.h"
#include "tests/support/AppFixture.h"
#include "tests/support/FormFixture.h"
#include "tests/support/Utf16Text.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

Lines SplitCrLf(const std::string& text) {
    Lines lines;
    for (size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// A tagged corpus whose counts are worked out by hand: the_DT 42, dog_NN 40,
// barks_VBZ 39, a_DT 3, cat_NN 2, dog_VB 1.
std::string TaggedCorpus() {
    std::string text;
    for (int i = 0; i < 39; ++i) text += "the_DT dog_NN barks_VBZ\r\n";
    text += "the_DT dog_NN\r\nthe_DT cat_NN\r\nthe_DT cat_NN\r\na_DT a_DT a_DT dog_VB\r\n";
    return text;
}

std::string KingJamesText() {
    if (std::system("command -v bible > /dev/null 2>&1") != 0) return std::string();
    FILE* pipe = popen("bible gen1:1-rev22:21 2>/dev/null", "r");
    if (!pipe) return std::string();
    std::string text;
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    pclose(pipe);
    return text;
}

// Item (lower case) -> count, from the written lines of a list.
std::map<std::string, long> ReadCounts(const Lines& lines) {
    std::map<std::string, long> counts;
    for (const std::string& line : lines) {
        size_t tab = line.rfind('\t');
        // Lines without "_" are written as built: item, blank, TAB, count.
        std::string item = line.substr(0, tab);
        if (!item.empty() && item.back() == ' ') item.pop_back();
        counts[LowerCase(item)] += std::stol(line.substr(tab + 1));
    }
    return counts;
}

class FrequencyLists : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        // The empty stop list the program ships with.
        WriteFileBytes("stoplist.ini", "");
        form = app_->CreateForm<TForm1>();
        form->SetVisible(true);
    }

    void Open(const std::map<std::string, std::string>& files, bool raw = false) {
        for (const auto& [name, text] : files) corpus_.Write(name, text);
        if (raw) form->rdoRaw->SetChecked(true);
        TDialogScript::QueueFile(true, corpus_.Path());
        form->btnChoseDir->Click();
    }

    void Lengths(std::initializer_list<int> lengths) {
        for (int i = 0; i < 10; ++i) form->ccbxClusterLen->SetChecked(i, false);
        for (int length : lengths) form->ccbxClusterLen->SetChecked(length - 1, true);
        form->ccbxClusterLen->OnChange(form->ccbxClusterLen);
    }

    void Run() {
        TDialogScript::Clear();
        GuardedCall([&] { form->btnCreateList->Click(); });
    }

    // The files of the last run's folder and their lines.
    std::map<std::string, Lines> Written() {
        std::map<std::string, Lines> files;
        for (const auto& entry : fs::directory_iterator(form->LastListFolder))
            files[entry.path().filename().string()] = SplitCrLf(ReadFileBytes(entry.path().string()));
        return files;
    }

    int FolderCount() {
        if (!fs::exists("Frequency Lists")) return 0;
        return int(std::distance(fs::directory_iterator("Frequency Lists"), fs::directory_iterator()));
    }

    std::vector<std::string> Messages() { return TDialogScript::Texts(TShownDialog::Kind::Message); }

    TempFolder corpus_;
    TForm1* form = nullptr;
};

TEST_F(FrequencyLists, SwitchesFollowTheCheckedTypesAndClusterLengths) {
    EXPECT_FALSE(form->btnCreateList->Enabled());
    form->rbxPos->SetChecked(true);
    EXPECT_TRUE(form->gListReady);
    EXPECT_TRUE(form->btnCreateList->Enabled());
    form->rbxPos->SetChecked(false);
    EXPECT_FALSE(form->gListReady);
    EXPECT_FALSE(form->btnCreateList->Enabled());

    // A cross list takes single tokens only: it locks the lengths and frees the sub-order.
    form->rbxWordByPos->SetChecked(true);
    EXPECT_TRUE(form->btnCreateList->Enabled());
    EXPECT_TRUE(form->cbxSortType2->Enabled());
    EXPECT_FALSE(form->ccbxClusterLen->Enabled());
    form->rbxWordByPos->SetChecked(false);
    EXPECT_FALSE(form->cbxSortType2->Enabled());
    EXPECT_TRUE(form->ccbxClusterLen->Enabled());

    // Any lengths but "1" alone uncheck and disable both cross lists.
    form->rbxPosByWord->SetChecked(true);
    Lengths({1, 2});
    EXPECT_FALSE(form->rbxPosByWord->Checked());
    EXPECT_FALSE(form->rbxWordByPos->Enabled());
    EXPECT_FALSE(form->rbxPosByWord->Enabled());
    EXPECT_FALSE(form->gListReady);
    Lengths({1});
    EXPECT_TRUE(form->rbxWordByPos->Enabled());
    EXPECT_TRUE(form->rbxPosByWord->Enabled());

    form->rbxUseStopList->SetChecked(false);
    EXPECT_FALSE(form->btnSetStopList->Enabled());
    form->rbxUseStopList->SetChecked(true);
    // The program's folder is the folder of "lexmoor": here the current folder.
    EXPECT_EQ(form->ProgramFolder(), "");
    form->btnSetStopList->Click();
    ASSERT_EQ(TDialogScript::Shown().back().kind, TShownDialog::Kind::Shell);
    EXPECT_EQ(TDialogScript::Shown().back().title, "open");
    EXPECT_EQ(TDialogScript::Shown().back().text, "stoplist.ini");
}

TEST_F(FrequencyLists, WithoutATypeNothingIsWritten) {
    Open({{"a.txt", TaggedCorpus()}});
    Run();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Please select a type! (e.g. WORD, POS, WORD_POS, etc.)"}));
    EXPECT_TRUE(TDialogScript::Texts(TShownDialog::Kind::Shell).empty());
    EXPECT_EQ(FolderCount(), 0);
}

TEST_F(FrequencyLists, EmptyChoicesStillMakeTheFolderAndEmptyLists) {
    Open({{"a.txt", TaggedCorpus()}});
    form->rbxWord->SetChecked(true);
    Lengths({});
    Run();
    EXPECT_TRUE(Written().empty());
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Shell), (std::vector<std::string>{form->LastListFolder}));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_THAT(Messages()[0], testing::MatchesRegex(R"([0-9]+\.[0-9]{3} Seconds Used!)"));

    // No file checked: every length and type writes a list of no lines.
    form->rbxPos->SetChecked(true);
    form->rbxWordAndPos->SetChecked(true);
    Lengths({1, 3});
    TForm1::SetAllChecked(form->clbFileList, false);
    Run();
    std::map<std::string, Lines> expected;
    for (const char* type : {"WORD", "POS", "WORD and POS"})
        for (const char* length : {"1", "3"}) expected[std::string(type) + "[" + length + "](0).xls"] = {};
    EXPECT_EQ(Written(), expected);
    EXPECT_TRUE(form->Enabled());
    EXPECT_FALSE(form->ggFreList->Visible());
}

TEST_F(FrequencyLists, ListsOfATaggedCorpusCountWordsTagsAndBoth) {
    Open({{"a.txt", TaggedCorpus()}});
    for (auto* box : {form->rbxWord, form->rbxPos, form->rbxWordAndPos, form->rbxWordByPos, form->rbxPosByWord})
        box->SetChecked(true);
    Run();
    std::map<std::string, Lines> expected{
        {"WORD[1](5).xls", {"the \t42", "dog \t41", "barks \t39", "a \t3", "cat \t2"}},
        {"POS[1](4).xls", {"DT \t45", "NN \t42", "VBZ \t39", "VB \t1"}},
        {"WORD and POS[1](6).xls",
         {"the\tDT\t42", "dog\tNN\t40", "barks\tVBZ\t39", "a\tDT\t3", "cat\tNN\t2", "dog\tVB\t1"}},
        {"WORD by POS[1](5).xls",
         {"the \t42\tDT (42)", "dog \t41\tNN (40) \tVB (1)", "barks \t39\tVBZ (39)", "a \t3\tDT (3)", "cat \t2\tNN (2)"}},
        {"POS by WORD[1](4).xls",
         {"DT \t45\tthe (42) \ta (3)", "NN \t42\tdog (40) \tcat (2)", "VBZ \t39\tbarks (39)", "VB \t1\tdog (1)"}},
    };
    EXPECT_EQ(Written(), expected);

    // A minimum above 1 adds the number of written lines, also when none was dropped.
    form->rbxWordByPos->SetChecked(false);
    form->rbxPosByWord->SetChecked(false);
    form->edtMinFre->SetValue(2);
    Run();
    auto files = Written();
    std::set<std::string> names;
    for (const auto& [name, lines] : files) names.insert(name);
    EXPECT_EQ(names, (std::set<std::string>{"WORD[1](5)(5).xls", "POS[1](4)(3).xls", "WORD and POS[1](6)(5).xls"}));
    EXPECT_EQ(files["WORD and POS[1](6)(5).xls"].back(), "cat\tNN\t2");
}

// Lists read the corpus as counting does: a UTF-8 byte-order mark is no part
// of the first word, and a UTF-16 file is left out and named.
TEST_F(FrequencyLists, AByteOrderMarkIsNoTextAndAUtf16FileIsLeftOut) {
    const std::string wide = Utf16("the_DT cat_NN\r\n", true);
    Open({{"a.txt", "\xEF\xBB\xBF" + TaggedCorpus()}, {"b.txt", wide}});
    form->rbxWord->SetChecked(true);
    Run();
    const std::map<std::string, Lines> expected{{"WORD[1](5).xls", {"the \t42", "dog \t41", "barks \t39", "a \t3", "cat \t2"}}};
    EXPECT_EQ(Written(), expected);
    ASSERT_FALSE(Messages().empty());
    EXPECT_TRUE(Messages()[0].starts_with("1 file(s) left out: b.txt. ")) << Messages()[0];
}

// Clusters run on over any run of white space, as the search steps over it,
// and the list files get single blanks: a TAB inside a cluster would split
// its columns.
TEST_F(FrequencyLists, ClustersRunOnOverEveryRunOfWhiteSpace) {
    struct Corpus {
        const char* what;
        std::string single, spread;
        bool raw;
    };
    const Corpus corpora[] = {
        {"tagged", "the_DT cat_NN sat_VV on_IN the_DT mat_NN\r\n",
         "the_DT  cat_NN\tsat_VV \f on_IN\t\tthe_DT\vmat_NN\r\n", false},
        {"raw", "the cat sat on the mat\r\n", "the  cat\tsat \f on\t\tthe\vmat\r\n", true},
    };
    for (const Corpus& c : corpora) {
        SCOPED_TRACE(c.what);
        if (c.raw) form->rdoRaw->SetChecked(true);
        form->rbxWord->SetChecked(true);
        form->rbxWordAndPos->SetChecked(!c.raw);
        Lengths({2, 3});
        corpus_.Write("a.txt", c.single);
        TDialogScript::QueueFile(true, corpus_.Path());
        form->btnChoseDir->Click();
        Run();
        const auto expected = Written();
        ASSERT_FALSE(expected.empty());
        corpus_.Write("a.txt", c.spread);
        TDialogScript::QueueFile(true, corpus_.Path());
        form->btnChoseDir->Click();
        Run();
        EXPECT_EQ(Written(), expected);
    }
}

TEST_F(FrequencyLists, SeparatorsOtherThanTheUnderscoreSplitWordsFromTags) {
    Open({{"b.txt", "the/DT cat/NN\r\nthe/DT\r\n"}});
    form->rbxWord->SetChecked(true);
    form->rbxWordAndPos->SetChecked(true);
    for (bool underscoreToo : {true, false}) {
        SCOPED_TRACE(underscoreToo ? "[_/]" : "[/]");
        form->cblSplitterList->SetChecked(0, underscoreToo);
        form->cblSplitterList->SetChecked(1, true);
        form->cblSplitterListListBoxClick(nullptr);
        Run();
        EXPECT_EQ(Written(), (std::map<std::string, Lines>{{"WORD[1](2).xls", {"the \t2", "cat \t1"}},
                                                            {"WORD and POS[1](2).xls", {"the\tDT\t2", "cat\tNN\t1"}}}));
    }
}

TEST_F(FrequencyLists, ARawCorpusGivesTheSameWordAndWordAndPosLists) {
    Open({{"r.txt", "the cat sat on the mat\r\nthe dog sat\r\n"}}, true);
    ASSERT_EQ(TForm1::SplitterClass(form->cblSplitterList), "");
    form->rbxWord->SetChecked(true);
    form->rbxPos->SetChecked(true);
    form->rbxWordAndPos->SetChecked(true);
    Lengths({1, 2});
    Run();
    auto files = Written();
    ASSERT_EQ(files.size(), 6u);
    EXPECT_EQ(Lines(files["WORD[1](6).xls"].begin(), files["WORD[1](6).xls"].begin() + 2),
              (Lines{"the \t3", "sat \t2"}));
    for (const char* length : {"1](6)", "2](7)"}) {
        SCOPED_TRACE(length);
        EXPECT_EQ(files[std::string("WORD[") + length + ".xls"], files[std::string("WORD and POS[") + length + ".xls"]);
        EXPECT_EQ(files[std::string("WORD[") + length + ".xls"], files[std::string("POS[") + length + ".xls"]);
    }
    EXPECT_EQ(files["WORD[2](7).xls"].size(), 7u);
}

// Every list parts a token into the word and the tag counting parts it into:
// a separator byte that is the trail byte of a code page 936 character stays
// with its character, in a corpus tagged with "_" and in one whose own
// separator is turned into "_"; the lists hold the words as read, and a
// UTF-8 file's words as they stand.
TEST_F(FrequencyLists, WordsAndTagsInEveryListAreThoseCountingSees) {
    struct Case {
        const char* name;
        std::string word, tag;
    };
    const std::vector<Case> cases = {
        {"GBK, trail byte 0x5F", "\x81\x5F", "n"},  {"GBK, trail byte 0x5F inside", "\xC4\x5F\xB0\xA1", "v"},
        {"GBK, trail byte 0x7C", "\xB0\x7C", "p"},  {"GBK, plain", "\xC4\xE3", "r"},
        {"Latin-1 inside", "na\xEFve", "JJ"},      {"UTF-8", "caf\xC3\xA9", "NN"},
    };
    form->rbxWord->SetChecked(true);
    form->rbxPos->SetChecked(true);
    form->rbxWordAndPos->SetChecked(true);
    form->rbxWordByPos->SetChecked(true);
    form->rbxPosByWord->SetChecked(true);
    form->cblSplitterList->Items().Add("|");
    for (const char* separator : {"_", "|"}) {
        SCOPED_TRACE(std::string("separated by ") + separator);
        form->cblSplitterList->SetChecked(0, *separator == '_');
        form->cblSplitterList->SetChecked(2, *separator == '|');
        form->cblSplitterListListBoxClick(nullptr);
        // The UTF-8 word in a file of its own: in the other it would be read as code page 936.
        std::string text, utf8;
        for (const Case& c : cases)
            (IsValidUtf8(c.word) ? utf8 : text) +=
                std::string("x") + separator + "X " + c.word + separator + c.tag + " y" + separator + "Y\r\n";
        Open({{"c.txt", text}, {"u.txt", utf8}});
        Run();
        std::map<std::string, Lines> lists;
        for (auto& [name, lines] : Written()) lists[name.substr(0, name.find('['))] = lines;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            const std::string word = ToUtf8(c.word);
            const std::pair<const char*, std::string> expected[] = {
                {"WORD", word + " \t1"},
                {"POS", c.tag + " \t1"},
                {"WORD and POS", word + "\t" + c.tag + "\t1"},
                {"WORD by POS", word + " \t1\t" + c.tag + " (1)"},
                {"POS by WORD", c.tag + " \t1\t" + word + " (1)"},
            };
            for (const auto& [list, line] : expected) {
                SCOPED_TRACE(list);
                const Lines& lines = lists[list];
                EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end());
            }
        }
    }
}

TEST_F(FrequencyLists, TheStopListDropsMatchingLinesOnlyWhileSwitchedOn) {
    Open({{"r.txt", "the cat\r\nthe dog\r\n"}}, true);
    form->rbxWord->SetChecked(true);
    const Lines all{"cat \t1", "dog \t1", "the \t2"}, stopped{"cat \t1", "dog \t1"};
    struct Case {
        bool on;
        const char* file;  // nullptr: no stoplist.ini
        Lines expected;
    } cases[] = {
        {true, "^THE \r\n", stopped}, {false, "^the ", all}, {true, "[]", all},
        {true, " \t\r\n ", all},       {false, nullptr, all}, {false, "(", all},
        // An editor may save the list with a UTF-8 byte-order mark, which is no part of it.
        {true, "\xEF\xBB\xBF^THE \r\n", stopped},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.on ? "on, " : "off, ") + (c.file ? c.file : "missing"));
        fs::remove("stoplist.ini");
        if (c.file) WriteFileBytes("stoplist.ini", c.file);
        form->rbxUseStopList->SetChecked(c.on);
        Run();
        auto files = Written();
        ASSERT_EQ(files.size(), 1u);
        Lines lines = files.begin()->second;
        std::sort(lines.begin(), lines.end());
        EXPECT_EQ(lines, c.expected);
    }

    // An expression that does not compile is reported with the library's words; nothing is written.
    WriteFileBytes("stoplist.ini", "(");
    form->rbxUseStopList->SetChecked(true);
    std::string error;
    try {
        TRegExpr("(").Compile();
    } catch (const ERegExpr& e) {
        error = e.Message;
    }
    int folders = FolderCount();
    Run();
    EXPECT_EQ(Messages(), (std::vector<std::string>{error}));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(FolderCount(), folders);
}

// With the stop list on and no "stoplist.ini", the click ends with the
// file-open error and nothing is written or opened; with it off the file is
// not needed. "Set Stop List" gives the editor an empty file to open where
// there is none, and leaves one that exists as it is.
TEST_F(FrequencyLists, AMissingStopListEndsTheRunWhileSwitchedOn) {
    Open({{"r.txt", "the cat\r\n"}}, true);
    form->rbxWord->SetChecked(true);
    fs::remove("stoplist.ini");
    form->rbxUseStopList->SetChecked(true);
    const int folders = FolderCount();
    Run();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].starts_with("Cannot open file \"stoplist.ini\"")) << Messages()[0];
    EXPECT_EQ(FolderCount(), folders);
    EXPECT_TRUE(TDialogScript::Texts(TShownDialog::Kind::Shell).empty());
    EXPECT_TRUE(form->Enabled());

    form->rbxUseStopList->SetChecked(false);
    Run();
    EXPECT_EQ(FolderCount(), folders + 1);

    form->rbxUseStopList->SetChecked(true);
    TDialogScript::Clear();
    form->btnSetStopList->Click();
    EXPECT_TRUE(fs::is_regular_file("stoplist.ini"));
    EXPECT_EQ(ReadFileBytes("stoplist.ini"), "");
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Shell), (std::vector<std::string>{"stoplist.ini"}));
    WriteFileBytes("stoplist.ini", "^the ");
    form->btnSetStopList->Click();
    EXPECT_EQ(ReadFileBytes("stoplist.ini"), "^the ");
    Run();
    EXPECT_EQ(FolderCount(), folders + 2);
    auto files = Written();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files.begin()->second, (Lines{"cat \t1"}));
}

TEST_F(FrequencyLists, EveryRunGetsAFolderOfItsOwnWithAPlainName) {
    Open({{"r.txt", "a b\r\n"}}, true);
    form->rbxWord->SetChecked(true);
    // Two runs within one second share a time stamp, and names can hold neither "/" nor ":".
    const std::string stamp = "01.01.2000 00.00.00";
    form->ListTimeStamp = [&] { return stamp; };
    Run();
    EXPECT_EQ(form->LastListFolder, "Frequency Lists/[Wordlist]" + stamp + "/");
    Run();
    EXPECT_EQ(form->LastListFolder, "Frequency Lists/[Wordlist]" + stamp + " (2)/");
    EXPECT_EQ(Written().size(), 1u);
    form->ListTimeStamp = TDisplay::TimeStamp;
    Run();
    EXPECT_EQ(FolderCount(), 3);
    for (const auto& entry : fs::directory_iterator(fs::current_path() / "Frequency Lists")) {
        std::string name = entry.path().filename().string();
        EXPECT_EQ(name.find_first_of("/:"), std::string::npos) << name;
        EXPECT_EQ(name.rfind("[Wordlist]", 0), 0u) << name;
    }

    // A list never replaces a file already there.
    TStringList list;
    list.Add("the_DT \t42");
    form->WriteFrequencyList("x", "", list);
    form->WriteFrequencyList("x", "", list);
    EXPECT_EQ(ReadFileBytes("x.xls"), "the\tDT\t42\r\n");
    EXPECT_EQ(ReadFileBytes("x (2).xls"), "the\tDT\t42\r\n");
    EXPECT_FALSE(fs::exists("x"));
}

TEST_F(FrequencyLists, AFailedReadLeavesTheFormUsable) {
    Open({{"a.txt", "a b\r\n"}, {"b.txt", "c\r\n"}}, true);
    form->rbxWord->SetChecked(true);
    fs::remove(corpus_.Path() + "/b.txt");
    Run();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("b.txt"), std::string::npos) << Messages()[0];
    EXPECT_TRUE(form->Enabled());
    EXPECT_FALSE(form->ggFreList->Visible());
    EXPECT_FALSE(form->Timer2->Enabled());
    EXPECT_EQ(form->ggFreList->ProgressText(), "");
}

TEST(FrequencyListLines, TheCountIsTheFieldAfterTheItem) {
    struct Case {
        const char* line;
        int count;
    } cases[] = {{"the \t42", 42}, {"dog \t41\tNN (40) \tVB (1)", 41}, {"the_DT \t7", 7}, {"a\tb \t3", 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(TForm1::ListItemCount(c.line), c.count);
    }
}

class FrequencyListsAtScale : public FrequencyLists {
protected:
    // Runs one type and one length alone; returns the seconds it took.
    double TimedRun(TqlSkinCheckRadioBox* type, int length) {
        for (auto* box : {form->rbxWord, form->rbxPos, form->rbxWordAndPos}) box->SetChecked(box == type);
        Lengths({length});
        auto started = std::chrono::steady_clock::now();
        Run();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    }

    // The name and lines of the last run's list whose name starts with prefix.
    std::string ListNamed(const std::string& prefix, Lines& lines) {
        for (auto& [name, content] : Written())
            if (name.rfind(prefix, 0) == 0) return lines = content, name;
        return std::string();
    }
};

TEST_F(FrequencyListsAtScale, WordListOfTheKingJamesBibleMatchesACountOfItsTokens) {
    std::string text = KingJamesText();
    if (text.size() < 1000000) GTEST_SKIP() << "the `bible` command (Debian package bible-kjv) is not installed";
    // Independent count: lines trimmed, tokens at white space, case ignored as the lists ignore it.
    auto started = std::chrono::steady_clock::now();
    std::map<std::string, long> expected;
    long tokens = 0;
    TStringList source;
    source.SetText(text);
    for (const std::string& line : source.Items()) {
        std::istringstream words(line);
        for (std::string token; words >> token; ++tokens) ++expected[LowerCase(token)];
    }
    double counting = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    Open({{"kjv.txt", text}}, true);

    double seconds[3];
    for (int length = 1; length <= 3; ++length) {
        seconds[length - 1] = TimedRun(form->rbxWord, length);
        if (length > 1) continue;
        Lines lines;
        EXPECT_EQ(ListNamed("WORD[1](", lines), "WORD[1](" + std::to_string(expected.size()) + ").xls");
        EXPECT_EQ(ReadCounts(lines), expected);
        for (size_t i = 1; i < lines.size(); ++i)
            ASSERT_GE(TForm1::ListItemCount(lines[i - 1]), TForm1::ListItemCount(lines[i])) << "line " << i;
    }
    std::printf("King James Bible (%ld tokens, %zu distinct): WORD list of clusters of 1 token %.2f s, 2 tokens "
                "%.2f s, 3 tokens %.2f s; counting the tokens in a std::map took %.2f s\n",
                tokens, expected.size(), seconds[0], seconds[1], seconds[2], counting);
}

TEST_F(FrequencyListsAtScale, ListsOfALargeTaggedCorpusMatchCountsOfItsTokens) {
    // About as many tokens as the King James Bible: Zipf-distributed words,
    // most with one tag, some with a second, and a few tokens the lists must
    // split as the engine's own formatting does ("a_b_X", "x_", "_Y").
    std::mt19937 rng(7);
    const int vocabulary = 20000;
    std::vector<double> weights(vocabulary);
    for (int i = 0; i < vocabulary; ++i) weights[size_t(i)] = 1.0 / (i + 1);
    std::discrete_distribution<int> zipf(weights.begin(), weights.end());
    std::string text;
    std::map<std::string, long> tokens;  // lower case
    long total = 0;
    for (int line = 0; line < 31000; ++line) {
        for (int t = 0; t < 26; ++t) {
            int w = zipf(rng);
            std::string token = "w" + std::to_string(w) + "_T" + std::to_string((w + (rng() % 8 == 0)) % 40);
            if (line % 1000 == 0 && t == 0) token = line % 3000 == 0 ? "a_b_X" : line % 3000 == 1000 ? "x_" : "_Y";
            ++tokens[LowerCase(token)];
            ++total;
            text += (t ? " " : "") + token;
        }
        text += "\r\n";
    }
    // The writer puts the word and the tag of an item that still holds "_" into two fields.
    auto written = [](const std::string& item) {
        if (item.find('_') == std::string::npos) return item;
        return TDisplay::FormatToken(item, "[_]", "WORD") + "\t" + TDisplay::FormatToken(item, "[_]", "POS");
    };
    std::map<std::string, std::map<std::string, long>> expected;
    for (const auto& [token, n] : tokens) {
        expected["WORD"][written(TDisplay::FormatToken(token, "[_]", "WORD"))] += n;
        expected["POS"][written(TDisplay::FormatToken(token, "[_]", "POS"))] += n;
        expected["WORD and POS"][written(token)] += n;
    }
    Open({{"tagged.txt", text}});

    std::map<std::string, double> seconds;
    for (auto [type, prefix] :
         {std::pair{form->rbxWord, "WORD"}, {form->rbxPos, "POS"}, {form->rbxWordAndPos, "WORD and POS"}}) {
        SCOPED_TRACE(prefix);
        seconds[prefix] = TimedRun(type, 1);
        Lines lines;
        std::string name = ListNamed(std::string(prefix) + "[1](", lines);
        EXPECT_EQ(name, std::string(prefix) + "[1](" + std::to_string(expected[prefix].size()) + ").xls");
        EXPECT_EQ(ReadCounts(lines), expected[prefix]);
    }
    std::printf("Generated tagged corpus (%ld tokens, %zu distinct): lists of single tokens WORD %.2f s, POS %.2f s, "
                "WORD and POS %.2f s\n",
                total, tokens.size(), seconds["WORD"], seconds["POS"], seconds["WORD and POS"]);
}

}  // namespace

// The lists of a code page 936 corpus are those of its UTF-8 twin, line for
// line and in UTF-8: words whose bytes would be valid UTF-8 (为, 系统) and
// characters whose second byte is an ASCII letter (夾 8A 41, 奱 8A 61) are
// read as themselves.
TEST_F(FrequencyLists, ACodePage936CorpusListsAsItsUtf8Twin) {
    Open({{"g.txt", "\xCE\xAA \xCF\xB5\xCD\xB3\xA3\xAC\x8A\x41 \x8A\x61\r\n\x8A\x41 \xCE\xAA\r\n"},
          {"u.txt", "为 系统，夾 奱\r\n夾 为\r\n"}},
         true);
    form->rbxWord->SetChecked(true);
    Lengths({1, 2});
    std::map<std::string, std::map<std::string, Lines>> lists;
    for (const char* file : {"g.txt", "u.txt"}) {
        CheckOnlyFiles(*form, {file});
        Run();
        lists[file] = Written();
    }
    EXPECT_EQ(lists["g.txt"], lists["u.txt"]);
    Lines words;
    for (const auto& [name, lines] : lists["g.txt"])
        if (name.starts_with("WORD[1]")) words = lines;
    EXPECT_EQ(std::set<std::string>(words.begin(), words.end()),
              (std::set<std::string>{"为 \t2", "夾 \t1", "系统，夾 \t1", "奱 \t1"}));
}
