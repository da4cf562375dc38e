// The Query page: free concordance over the checked files, "Change  Mode",
// highlighting of its pane, and saving it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "app/Unit1.h"
#include "engine/Parallel.h"
#include "platform/core/Messages.h"
#include "platform/core/SysUtils.h"
#include "tests/support/FormFixture.h"
#include "tests/support/FormPicture.h"
#include "tests/support/Utf16Text.h"

namespace {

class QueryPage : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        OpenCorpus({{"a.txt", "the_AT cat_NN sat_VV on_II the_AT mat_NN\r\nthe_AT dog_NN ran_VV\r\n"},
                    {"b.txt", "a_AT cat_NN ate_VV the_AT fish_NN\r\n"}});
    }

    void Query(const std::string& text) {
        form->cbxInputStr->SetText(text);
        form->cbxInputStrChange(form->cbxInputStr);  // as typing it does
        ASSERT_TRUE(form->btnQuery->Enabled());
        GuardedCall([&] { form->btnQuery->Click(); });
    }
};

TEST_F(QueryPage, AQueryWithoutHitsLeavesThePaneEmptyAndTheBarsHidden) {
    Query("zebra");
    EXPECT_EQ(form->lblInfo->Caption(), "    Hit(s): 0");
    EXPECT_TRUE(form->edtInfo->GetText().ends_with(" 0 hit(s)."));
    EXPECT_FALSE(form->crbxReSort->Visible());
    EXPECT_FALSE(form->plQSearch->Visible());
    EXPECT_TRUE(form->btnSave->Enabled());
    EXPECT_TRUE(form->tsSettings->Enabled());
    EXPECT_TRUE(form->cbxInputStr->Enabled());
    Query("zebra");
    EXPECT_EQ(form->cbxInputStr->Items().Count(), 1);
    EXPECT_EQ(form->cbxNode->Items().IndexOf("zebra"), 0);
}

TEST_F(QueryPage, SpansOfZeroWrapTheQueryInWordBoundaries) {
    // With no context words "at" alone would match the start of "ate_VV".
    TQuery bare;
    int progress = 0;
    bare.LoadFile(corpus_.Path() + "/b.txt", "[_]");
    bare.Search("at", false, 0, 0, progress, false);
    ASSERT_EQ(bare.Hits.size(), 1u);
    form->cbxLeftRangeNum->SetItemIndex(0);
    form->cbxRightRangeNum->SetItemIndex(0);
    Query("at");
    EXPECT_TRUE(form->gQueryHits.empty());
    Query("ate_VV");
    EXPECT_EQ(form->gQueryHits.size(), 1u);
}

// Raw text is searched for whole words: one that ends in a letter beyond
// ASCII is found, and an ASCII word is not found inside it.
TEST_F(QueryPage, ARawQueryFindsWholeWordsBeyondAscii) {
    corpus_.Write("c.txt", "un caf\xC3\xA9 noir\r\ndes caf\xC3\xA9s\r\n\xE4\xB8\xAD\xE6\x96\x87 ok\r\n");
    form->rdoRaw->SetChecked(true);
    ChooseCorpusFolder();
    Query("caf\xC3\xA9");
    ASSERT_EQ(form->gQueryHits.size(), 1u);
    EXPECT_EQ(form->gQueryHits[0].Center, "caf\xC3\xA9");
    Query("caf");
    EXPECT_TRUE(form->gQueryHits.empty());
    Query("\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(form->gQueryHits.size(), 1u);
    Query("noir");
    EXPECT_EQ(form->gQueryHits.size(), 1u);
}

TEST_F(QueryPage, TheLiteralConversionWinsOverTheTagConversion) {
    form->crbxByLit->SetChecked(true);
    form->crbxByPOS->SetChecked(true);  // its click unchecks Literal, as a user's would
    EXPECT_FALSE(form->crbxByLit->Checked());
    form->crbxByLit->SetChecked(true);
    EXPECT_FALSE(form->crbxByPOS->Checked());
    Query("cat");
    EXPECT_EQ(form->gQueryHits.size(), 2u);
    EXPECT_EQ(form->gQueryHits[0].Center, "cat_NN");
}

TEST_F(QueryPage, ChangeModeRedisplaysTheSameHitsWithoutSearching) {
    Query("the_AT");
    // Only a new search would read the files again.
    corpus_.Write("a.txt", "no hits here\r\n");
    EXPECT_TRUE(form->crbxReSort->Visible());
    form->crbxReSort->SetChecked(true);
    EXPECT_FALSE(form->cbxInputStr->Enabled());
    EXPECT_FALSE(form->tsSettings->Enabled());
    form->cbxSortType->SetItemIndex(form->cbxSortType->Items().IndexOf("FILE"));
    form->cbxC->SetItemIndex(form->cbxC->Items().IndexOf("POS"));
    GuardedCall([&] { form->btnQuery->Click(); });
    EXPECT_EQ(form->rdtResult->Lines().Count(), 5);
    EXPECT_NE(form->rdtResult->Lines()[1].find("AT"), std::string::npos);
    EXPECT_FALSE(form->cbxInputStr->Enabled());
    form->crbxReSort->SetChecked(false);
    EXPECT_TRUE(form->cbxInputStr->Enabled());
}

// The files are searched side by side; the gauge follows the corpus searched
// so far while the search runs, and its text names the file the search is at.
TEST_F(QueryPage, TheGaugeMovesFileByFileWhileTheSearchRuns) {
    std::string lines;
    for (int l = 0; l < 600; ++l) lines += "the_AT cat_NN sat_VV on_II the_AT mat_NN\r\n";
    for (const char* name : {"c.txt", "d.txt", "e.txt"}) corpus_.Write(name, lines);
    ChooseCorpusFolder();
    ASSERT_EQ(form->gFileCount, 5);

    // One thread searches in the window's own thread, file after file, and
    // lets the window's timers run as it goes: the timer's step is taken at
    // every pump, as it would be once a second.
    struct Seen {
        int value;
        std::string text;
    };
    std::vector<Seen> seen;
    const TMessagePump pump = MessagePump();
    SetEngineThreads(1);
    SetMessagePump([&] {
        form->Timer1Timer(form->Timer1);
        seen.push_back({form->ggCurLine->Value(), form->ggCurLine->ProgressText()});
    }, 0);
    Query("cat_NN");
    SetMessagePump(pump);
    SetEngineThreads(0);
    EXPECT_EQ(form->gQueryHits.size(), 1802u);

    // The gauge fills step by step while the file named moves on; it drops
    // back when the search is over.
    std::vector<std::string> texts;
    std::set<int> values;
    for (const Seen& s : seen) {
        if (!values.empty() && s.value < *values.rbegin()) break;
        values.insert(s.value);
        if (texts.empty() || texts.back() != s.text) texts.push_back(s.text);
    }
    EXPECT_GT(values.size(), 5u);
    EXPECT_LT(*values.begin(), 2000);
    EXPECT_GT(*values.rbegin(), 8000);
    auto at = texts.begin();
    for (const char* file : {"3", "4", "5"}) {
        SCOPED_TRACE(file);
        at = std::find(at, texts.end(), std::string("Analyzing file ") + file + "...   5 file(s) in queue...  ");
        EXPECT_NE(at, texts.end());
    }
    EXPECT_FALSE(form->plGauge->Visible());
}

TEST_F(QueryPage, HighlightMarksOnlyTheCentreAndMovesToTheNextColour) {
    // Tags in every column: NN stands in the centre and in right contexts.
    for (TqlSkinComboBox* mode : {form->cbxL, form->cbxC, form->cbxR}) mode->SetItemIndex(0);
    Query("cat_NN");
    form->cbxQSearch->SetText("NN");
    form->cbxSearchRange->SetItemIndex(form->cbxSearchRange->Items().IndexOf("CENTER"));
    TColor first = form->ccbxQColor->Selected();
    GuardedCall([&] { form->btnHighlight->Click(); });
    EXPECT_EQ(form->lblInfo->Caption(), "Hit(s): 2   \r\nMark hit(s): 2   \r\n     NN(2)");
    TRichEdit* pane = form->rdtResult;
    for (int line = 1; line <= 2; ++line) {
        std::string text = pane->Lines()[line];
        size_t centre = text.find("\t NN");
        ASSERT_NE(centre, std::string::npos);
        EXPECT_EQ(pane->ColorAt(pane->LineIndex(line) + int(centre) + 2), first);
        size_t right = text.rfind("NN");
        ASSERT_GT(right, centre + 2);
        EXPECT_NE(pane->ColorAt(pane->LineIndex(line) + int(right)), first);
    }
    // File names off: the FILE range is empty and marks nothing.
    form->crbxShowFileName->SetChecked(false);
    GuardedCall([&] { form->btnQuery->Click(); });
    form->cbxQSearch->SetText("txt");
    form->cbxSearchRange->SetItemIndex(form->cbxSearchRange->Items().IndexOf("FILE"));
    TColor second = form->ccbxQColor->Selected();
    EXPECT_NE(second, first);
    GuardedCall([&] { form->btnHighlight->Click(); });
    EXPECT_EQ(form->lblInfo->Caption(), "Hit(s): 2   \r\nMark hit(s): txt(0)");
    // The colour box wraps after its last item.
    int count = form->ccbxQColor->Items().Count();
    form->ccbxQColor->SetItemIndex(count - 1);
    TForm1::CycleColor(form->ccbxQColor);
    EXPECT_EQ(form->ccbxQColor->ItemIndex(), 0);
    EXPECT_TRUE(form->plQuery->Enabled());
    EXPECT_FALSE(form->plGauge->Visible());
}

TEST_F(QueryPage, SavingWritesRichTextWithTheMarksOrPlainLines) {
    Query("cat_NN");
    form->cbxQSearch->SetText("cat");
    TColor mark = form->ccbxQColor->Selected();
    GuardedCall([&] { form->btnHighlight->Click(); });

    std::string rtf = (std::filesystem::path(home_.Path()) / "query.rtf").string();
    TDialogScript::QueueFile(true, rtf, 2);
    GuardedCall([&] { form->btnSave->Click(); });
    TRichEdit* reader = new TRichEdit(form);
    reader->SetParent(form);
    reader->LoadFromFile(rtf);
    ASSERT_EQ(reader->Lines().Count(), form->rdtResult->Lines().Count());
    int at = reader->LineIndex(1) + int(reader->Lines()[1].find("cat"));
    EXPECT_EQ(reader->ColorAt(at), mark);
    EXPECT_TRUE(reader->StyleAt(at) & fsUnderline);

    std::string txt = (std::filesystem::path(home_.Path()) / "query.txt").string();
    TDialogScript::QueueFile(true, txt, 1);
    GuardedCall([&] { form->btnSave->Click(); });
    EXPECT_EQ(ReadFileBytes(txt), form->rdtResult->Lines().Text());

    // An existing file and No: untouched, and the window usable.
    TDialogScript::QueueFile(true, txt, 1);
    TDialogScript::QueueResult(mrNo);
    WriteFileBytes(txt, "mine");
    GuardedCall([&] { form->btnSave->Click(); });
    EXPECT_EQ(ReadFileBytes(txt), "mine");
    EXPECT_TRUE(form->Enabled());
}

TEST_F(QueryPage, TheCaretLineNeverReadsPastTheHitsItShows) {
    Query("the_AT");
    size_t shown = form->gHits.size();
    ASSERT_EQ(shown, 4u);
    // A later search with fewer hits by the same engine (the Count page's) leaves the pane alone.
    form->gQuery->Clear();
    TRichEdit* pane = form->rdtResult;
    pane->Select(pane->LineIndex(4) + 2, 0);
    form->rdtResultMouseDown(pane, TMouseButton::mbLeft, 0, 0, 0);
    EXPECT_TRUE(form->edtInfo->GetText().starts_with("4.\t"));
}

TEST_F(QueryPage, QueryPagePicture) {
    form->tsQuery->SetTabVisible(true);
    form->qlSkinPageControl1->SetActivePage(form->tsQuery);
    Query("the_AT");
    form->SetBounds(0, 0, 1024, 720);
    TColor mark = form->ccbxQColor->Selected();
    // The mark's colour is none of the lines' own.
    ASSERT_EQ(FormPicture(form).Count(form->rdtResult, mark), 0);
    form->cbxQSearch->SetText("NN");
    GuardedCall([&] { form->btnHighlight->Click(); });
    FormPicture picture(form);
    EXPECT_TRUE(picture.Save("query_page.png"));
    EXPECT_GT(picture.Count(form->rdtResult, kFirstLinesColour), 0);
    EXPECT_GT(picture.Count(form->rdtResult, mark), 0);
}


// A search that cannot compile is reported as the bad filter is, and the last
// concordance stays instead of an empty pane that reads as "no hits".
TEST_F(QueryPage, AQueryThatDoesNotCompileIsReportedAndKeepsTheLastConcordance) {
    Query("cat_NN");
    std::vector<std::string> before = form->rdtResult->Lines().Items();
    ASSERT_GT(before.size(), 1u);
    std::string info = form->lblInfo->Caption();
    struct Case {
        const char* name;
        TqlSkinCheckRadioBox* conversion;
    };
    for (const Case& c : {Case{"as typed", nullptr}, Case{"literal", form->crbxByLit}, Case{"tags", form->crbxByPOS}}) {
        SCOPED_TRACE(c.name);
        form->crbxByLit->SetChecked(false);
        form->crbxByPOS->SetChecked(false);
        if (c.conversion) c.conversion->SetChecked(true);
        TDialogScript::Clear();
        Query("ca(t");
        auto shown = TDialogScript::Texts(TShownDialog::Kind::Message);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_NE(shown[0].find("missing closing parenthesis"), std::string::npos) << shown[0];
        EXPECT_EQ(form->rdtResult->Lines().Items(), before);
        EXPECT_EQ(form->lblInfo->Caption(), info);
        EXPECT_EQ(form->gQueryHits.size(), 2u);
        EXPECT_EQ(form->cbxInputStr->Items().IndexOf("ca(t"), -1);
        EXPECT_TRUE(form->tsSettings->Enabled());
    }
}

}  // namespace

// One blank-free token of 50 KB is written whole where it stands, and no line
// is padded to its width: the pane holds the text plus a bounded padding per line.
TEST_F(QueryPage, ALongTokenIsWrittenWholeAndNoOtherLineGrowsWithIt) {
    const std::string word(50000, 'x');
    const std::string huge = word + "_NN";
    corpus_.Write("c.txt", "the_AT " + huge + " ran_VV\r\n" + huge + " the_AT end_NN\r\n");
    ChooseCorpusFolder();
    for (bool coloured : {false, true}) {
        SCOPED_TRACE(coloured ? "coloured" : "plain");
        form->crbxShowColor->SetChecked(coloured);
        for (TqlSkinComboBox* mode : {form->cbxL, form->cbxR}) mode->SetItemIndex(mode->Items().IndexOf("WORD"));
        Query("the_AT");
        ASSERT_EQ(form->gQueryHits.size(), 6u);
        TRichEdit* pane = form->rdtResult;
        ASSERT_GE(pane->Lines().Count(), 7);
        int whole = 0;
        size_t bytes = 0;
        for (int line = 0; line < pane->Lines().Count(); ++line) {
            const std::string text = pane->Lines()[line];
            SCOPED_TRACE(text.substr(0, 80));
            const bool holdsIt = text.find(word) != std::string::npos;
            whole += holdsIt;
            // Three columns padded to at most a few hundred characters each.
            EXPECT_LT(text.size(), (holdsIt ? word.size() : 0) + 1500u);
            bytes += text.size();
        }
        EXPECT_EQ(whole, 2);
        EXPECT_LT(bytes, 2 * word.size() + 6 * 1500u);
    }
}

// A UTF-16 file gives no hits and is named; the other files are searched.
TEST_F(QueryPage, AUtf16FileIsLeftOutOfTheSearchAndNamed) {
    corpus_.Write("c.txt", Utf16("the_AT cat_NN sat_VV\r\n"));
    ChooseCorpusFolder();
    TDialogScript::Clear();
    form->crbxByLit->SetChecked(true);
    Query("cat");
    EXPECT_EQ(form->gQueryHits.size(), 2u);
    const auto shown = TDialogScript::Texts(TShownDialog::Kind::Message);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].starts_with("1 file(s) left out: c.txt. ")) << shown[0];
}

// A folder saved as UTF-16 throughout leaves out every file: the message
// gives the whole number and names the first few, so that it still fits
// on a screen with its button.
TEST_F(QueryPage, ManyLeftOutFilesAreCountedWholeAndNamedInPart) {
    const std::string wide = Utf16("the_AT cat_NN\r\n");
    const int files = 300;
    for (int i = 0; i < files; ++i) corpus_.Write("w" + std::to_string(1000 + i) + ".txt", wide);
    ChooseCorpusFolder();
    TDialogScript::Clear();
    form->crbxByLit->SetChecked(true);
    Query("cat");
    EXPECT_EQ(form->gQueryHits.size(), 2u);
    const auto shown = TDialogScript::Texts(TShownDialog::Kind::Message);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].starts_with(std::to_string(files) + " file(s) left out: w1000.txt, w1001.txt, ")) << shown[0];
    EXPECT_NE(shown[0].find("UTF-16"), std::string::npos);
    // Only what is shown right is offered as readable: "ANSI" reads as CP1252 to many.
    for (const char* unread : {"ANSI", "Latin-1", "CP1252"}) EXPECT_EQ(shown[0].find(unread), std::string::npos);
    EXPECT_EQ(shown[0].find("w" + std::to_string(1000 + files - 1) + ".txt"), std::string::npos);
    EXPECT_LT(shown[0].size(), 600u) << shown[0];
}

// A line on which the expression backtracks without end is left out; the
// others keep their hits and the user learns how many lines were skipped.
TEST_F(QueryPage, ALineTheMatcherGivesUpOnIsSkippedAndReported) {
    corpus_.Write("c.txt", "x_X aab_NN y_Y\r\n" + std::string(40, 'a') + "_NN c_C b_NN\r\nw_W ab_NN v_V\r\n");
    ChooseCorpusFolder();
    Query("(a+)+b_NN");
    EXPECT_EQ(form->gQueryHits.size(), 2u);
    ASSERT_FALSE(TDialogScript::Texts(TShownDialog::Kind::Message).empty());
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Message).back(),
              "1 line(s) skipped: the expression took too long to match on them.");
}
