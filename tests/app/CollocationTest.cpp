// The collocation run end to end: what a run recomputes, the table it fills,
// its sorting, filtering, saving and editing, and the concordance behind a row.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <map>
#include <set>

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

#include "app/Unit1.h"
#include "platform/core/Messages.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TextCodec.h"
#include "platform/gui/QtGlue.h"
#include "tests/support/DecimalCommaLocale.h"
#include "tests/support/FormFixture.h"
#include "tests/support/FormPicture.h"
#include "tests/support/Utf16Text.h"

namespace {

class Collocation : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        OpenCorpus({{"a.txt", "the_DT cat_NN sat_VV on_IN the_DT mat_NN\r\na_DT dog_NN sat_VV on_IN a_DT log_NN\r\n"},
                    {"b.txt", "<p>\r\nthe_DT cat_NN ate_VV the_DT fish_NN\r\n"},
                    {"c.txt", "The_DT cat_NN saw_VV a_DT bird_NN\r\n"}});
        CheckOnly({"a.txt", "b.txt"});
    }

    void CheckOnly(std::initializer_list<const char*> names) { CheckOnlyFiles(*form, names); }

    void Run(const std::string& node, int left, int right) {
        form->cbxNode->SetText(node);
        form->cbxLeftSpan->SetItemIndex(left);
        form->cbxRightSpan->SetItemIndex(right);
        ASSERT_TRUE(form->btnCol->Enabled());
        // As the message loop delivers a click: an exception goes to the default handler.
        GuardedCall([&] { form->btnCol->Click(); });
    }

    // Column texts of the table, row by row.
    std::vector<std::vector<std::string>> Table() {
        std::vector<std::vector<std::string>> rows;
        TListItems& items = form->lsvColligate->Items();
        for (int i = 0; i < items.Count(); ++i) {
            std::vector<std::string> row{items[i]->Caption};
            row.insert(row.end(), items[i]->SubItems.begin(), items[i]->SubItems.end());
            rows.push_back(row);
        }
        return rows;
    }

    std::vector<std::string> Collocates() {
        std::vector<std::string> names;
        for (auto& row : Table()) names.push_back(Trim(row[1]));
        return names;
    }

    int RowOf(const std::string& collocate) {
        auto names = Collocates();
        return int(std::find(names.begin(), names.end(), collocate) - names.begin());
    }

    // A change no run can see: the file keeps its size (blanks end its text)
    // and its time of last change.
    void WriteUnseen(const std::string& name, std::string text) {
        const std::filesystem::path path = std::filesystem::path(corpus_.Path()) / name;
        const auto size = std::filesystem::file_size(path);
        const auto changed = std::filesystem::last_write_time(path);
        ASSERT_LE(text.size(), size);
        text.resize(size, ' ');
        corpus_.Write(name, text);
        std::filesystem::last_write_time(path, changed);
    }

    void SelectRows(std::initializer_list<std::string> collocates) {
        form->lsvColligate->ClearSelection();
        for (const auto& c : collocates) form->lsvColligate->Items()[RowOf(c)]->SetSelected(true);
    }

};

TEST_F(Collocation, ARunFillsTheTableWithCountsScoresAndTheInfoLine) {
    Run("cat", 1, 1);
    // WORD collocates of cat one word either side in a.txt and b.txt.
    auto rows = Table();
    ASSERT_EQ(Collocates(), (std::vector<std::string>{"ate", "sat", "the"}));
    EXPECT_EQ(rows[2][0], " 3");
    EXPECT_EQ(rows[2][1], "the ");
    EXPECT_EQ(rows[2][2], "4");  // f(c)
    EXPECT_EQ(rows[2][3], "2");  // f(n,c)
    TFreqInfo the{17, 2, 4, 2, 2};
    char mi[32];
    std::snprintf(mi, sizeof mi, "%.4Lf", TStat::RoundScore(TStat::MutualInformation(the)));
    EXPECT_EQ(rows[2][4], mi);
    EXPECT_EQ(form->lbColInfo->Caption(), "N = 17   Span = 2   f(n) = 2   3 hits");
    EXPECT_TRUE(form->lbColInfo->Visible());
    EXPECT_TRUE(form->btnSaveCol->Enabled());
    EXPECT_EQ(form->lsvColligate->PopupMenu, form->popMenuCol);
    EXPECT_TRUE(form->edtInfoCol->GetText().ends_with(" seconds used!"));
    EXPECT_EQ(form->cbxNode->Items().IndexOf("cat"), 0);
    EXPECT_EQ(form->cbxInputStrN->Items().IndexOf("cat"), 0);
    EXPECT_TRUE(form->Enabled());
    EXPECT_FALSE(form->ggColPro->Visible());
}

TEST_F(Collocation, ARunRecomputesOnlyWhatItsChangesNeed) {
    Run("cat", 1, 1);
    // The files change behind the engines' back: only what is read again sees it.
    WriteUnseen("a.txt", "the_DT cat_NN the_DT\r\n");
    WriteUnseen("b.txt", "<p>\r\n");
    Run("cat", 0, 1);  // narrower: counted again from the hits gathered
    EXPECT_EQ(Collocates(), (std::vector<std::string>{"ate", "sat"}));
    form->cbxCollMode->SetItemIndex(2);  // WORD -> BOTH: counted again only
    Run("cat", 0, 1);
    EXPECT_EQ(Collocates(), (std::vector<std::string>{"ate_VV", "sat_VV"}));
    Run("cat", 6, 1);  // wider than the five words gathered: searched again
    EXPECT_EQ(Collocates(), (std::vector<std::string>{"the_DT"}));
    form->rdoRaw->SetChecked(true);  // raw text: the corpus splits otherwise, all is read again
    Run("cat_NN", 1, 1);
    EXPECT_EQ(Collocates(), (std::vector<std::string>{"the_DT"}));
    EXPECT_EQ(form->gStat->Freq.N, 3);
}

// A corpus file edited between two runs is read again, whether its size
// changed or only its time of last change; the next run of the unchanged
// corpus reads nothing again.
TEST_F(Collocation, AFileEditedBetweenRunsIsReadAgain) {
    Run("cat", 1, 1);
    EXPECT_EQ(form->lbColInfo->Caption(), "N = 17   Span = 2   f(n) = 2   3 hits");
    corpus_.Write("b.txt", "<p>\r\nthe_DT cat_NN ate_VV the_DT fish_NN\r\na_DT cat_NN and_CC a_DT cat_NN\r\n");
    Run("cat", 1, 1);
    EXPECT_EQ(form->lbColInfo->Caption(), "N = 22   Span = 2   f(n) = 4   5 hits");
    EXPECT_EQ(Collocates(), (std::vector<std::string>{"a", "and", "ate", "sat", "the"}));

    const std::filesystem::path b = std::filesystem::path(corpus_.Path()) / "b.txt";
    const auto changed = std::filesystem::last_write_time(b);
    corpus_.Write("b.txt", "<p>\r\nthe_DT cat_NN ate_VV the_DT fish_NN\r\na_DT cat_NN and_CC a_DT dog_NN\r\n");
    std::filesystem::last_write_time(b, changed + std::chrono::seconds(1));
    Run("cat", 1, 1);
    EXPECT_EQ(form->lbColInfo->Caption(), "N = 22   Span = 2   f(n) = 3   5 hits");

    WriteUnseen("b.txt", "<p>\r\n");
    Run("cat", 1, 1);
    EXPECT_EQ(form->lbColInfo->Caption(), "N = 22   Span = 2   f(n) = 3   5 hits");
}

// A node the library cannot compile is reported as the bad filter is, and the
// last run stays on screen instead of an empty table that reads as "no collocates".
TEST_F(Collocation, ANodeThatDoesNotCompileIsReportedAndKeepsTheLastRun) {
    Run("cat", 1, 1);
    form->lsvColligate->Items()[0]->SetSelected(true);
    GuardedCall([&] { form->lsvColligateDblClick(form->lsvColligate); });
    int detailLines = form->rdtDetailCol->Lines().Count();
    ASSERT_GT(detailLines, 1);
    std::string info = form->lbColInfo->Caption();
    for (const char* mode : {"Default", "Literal", "POS"}) {
        SCOPED_TRACE(mode);
        form->cbxNodeMode->SetItemIndex(form->cbxNodeMode->Items().IndexOf(mode));
        ASSERT_GE(form->cbxNodeMode->ItemIndex(), 0);
        TDialogScript::Clear();
        Run("ca(t", 1, 1);
        auto shown = TDialogScript::Texts(TShownDialog::Kind::Message);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_NE(shown[0].find("missing closing parenthesis"), std::string::npos) << shown[0];
        EXPECT_EQ(Collocates(), (std::vector<std::string>{"ate", "sat", "the"}));
        EXPECT_EQ(form->lbColInfo->Caption(), info);
        EXPECT_EQ(form->rdtDetailCol->Lines().Count(), detailLines);
        EXPECT_EQ(form->cbxNode->Items().IndexOf("ca(t"), -1);
        EXPECT_TRUE(form->Enabled());
    }
}

TEST_F(Collocation, ARunWithoutHitsLeavesTheEnginesRightForTheNext) {
    Run("cat", 1, 1);
    Run("zebra", 1, 1);
    EXPECT_EQ(form->lsvColligate->Items().Count(), 0);
    EXPECT_FALSE(form->lbColInfo->Visible());
    EXPECT_EQ(form->lsvColligate->PopupMenu, nullptr);
    // The search for zebra replaced the stored hits: cat must be searched again.
    Run("cat", 1, 1);
    EXPECT_EQ(Collocates(), (std::vector<std::string>{"ate", "sat", "the"}));
}

TEST_F(Collocation, TheMinimumFilterKeepsRowsAtOrAboveTheValue) {
    form->cbxMinValue->SetItemIndex(2);  // Min f(n,c)
    EXPECT_TRUE(form->edtMinValue->Enabled());
    form->edtMinValue->SetValue(2);
    Run("cat", 1, 1);
    EXPECT_EQ(Collocates(), (std::vector<std::string>{"the"}));
    EXPECT_EQ(form->lbColInfo->Caption(), "N = 17   Span = 2   f(n) = 2   1 hits");
}

TEST_F(Collocation, HeaderClicksShareOneCounterAndSortNumbersAsPaddedText) {
    Run("cat", 1, 1);
    form->lsvColligateColumnClick(form->lsvColligate, form->lsvColligate->Column(2));  // f(c), descending
    EXPECT_EQ(Collocates(), (std::vector<std::string>{"the", "sat", "ate"}));
    EXPECT_EQ(Table()[0][0], " 1");
    form->lsvColligateColumnClick(form->lsvColligate, form->lsvColligate->Column(4));  // MI, ascending now
    auto mi = Table();
    for (size_t i = 1; i < mi.size(); ++i) EXPECT_LE(std::stod(mi[i - 1][4]), std::stod(mi[i][4]));
    form->lsvColligateColumnClick(form->lsvColligate, form->lsvColligate->Column(0));  // NO: order kept
    EXPECT_EQ(Table()[0][0], " 1");
    EXPECT_EQ(form->gSortClicks, 3);
}

TEST_F(Collocation, TheSavedTableHasThirteenFieldsEachEndedByATab) {
    Run("cat", 1, 1);
    std::string path = (std::filesystem::path(home_.Path()) / "table.xls").string();
    TDialogScript::QueueFile(true, path);
    form->btnSaveCol->Click();
    std::string text = ReadFileBytes(path);
    TStringList lines;
    lines.SetText(text);
    ASSERT_EQ(lines.Count(), 4);
    EXPECT_EQ(lines[0], "NO\tCollocate\tN\tSpan\tF(n)\tf(c)\tf(n,c)\tMI\tMI3\tZ-Score\tT-Score\tLog-log\tLog-likelihood\t");
    EXPECT_TRUE(lines[3].starts_with(" 3\tthe \t17\t2\t2\t4\t2\t"));
    for (int i = 0; i < lines.Count(); ++i) EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), '\t'), 13);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Shell).back(), home_.Path() + "/");

    // Saving over it asks first; No leaves the file as it was.
    WriteFileBytes(path, "keep");
    TDialogScript::QueueFile(true, path);
    TDialogScript::QueueResult(mrNo);
    form->btnSaveCol->Click();
    EXPECT_EQ(ReadFileBytes(path), "keep");
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Question).back(),
              "table.xls already exists, do you want to overwrite it?");
}

// Any name that exists brings the overwrite question; what is not a regular
// file (here a link to a FIFO, as a link to a device would be) is then named
// as such and left as it was, and nothing is written or opened. A link to a
// regular file has its target replaced and stays a link.
TEST_F(Collocation, SavingOverWhatIsNotARegularFileAsksAndChangesNothing) {
    namespace fs = std::filesystem;
    Run("cat", 1, 1);
    const std::string fifo = home_.Path() + "/pipe", link = home_.Path() + "/table.xls";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(fifo, link);
    for (TModalResult answer : {mrNo, mrYes}) {
        SCOPED_TRACE(answer);
        TDialogScript::Clear();
        TDialogScript::QueueFile(true, link);
        TDialogScript::QueueResult(answer);
        GuardedCall([&] { form->btnSaveCol->Click(); });
        EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Question),
                  (std::vector<std::string>{"table.xls already exists, do you want to overwrite it?"}));
        const auto messages = TDialogScript::Texts(TShownDialog::Kind::Message);
        if (answer == mrYes) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_TRUE(messages[0].starts_with("table.xls is not a regular file")) << messages[0];
        } else {
            EXPECT_TRUE(messages.empty());
        }
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
        EXPECT_TRUE(TDialogScript::Texts(TShownDialog::Kind::Shell).empty());
        EXPECT_TRUE(form->Enabled());
    }

    const std::string real = home_.Path() + "/real.xls", toReal = home_.Path() + "/to real.xls";
    WriteFileBytes(real, "old");
    fs::create_symlink(real, toReal);
    TDialogScript::QueueFile(true, toReal);
    TDialogScript::QueueResult(mrYes);
    form->btnSaveCol->Click();
    EXPECT_TRUE(fs::is_symlink(toReal));
    EXPECT_TRUE(ReadFileBytes(real).starts_with("NO\tCollocate\t"));
}

// Each count and score column shows its widest value whole, in the font it
// is drawn in (f(n,c) bold), however large the corpus: its ink is that of a
// column wide enough for anything. A merge that makes a value wider widens
// its column again.
TEST_F(Collocation, CountAndScoreColumnsShowTheirWidestValuesWhole) {
    form->tsColligate->SetEnabled(true);
    form->qlSkinPageControl1->SetActivePage(form->tsColligate);
    form->SetBounds(0, 0, 1400, 800);
    Run("cat", 1, 1);
    TListView* table = form->lsvColligate;
    TStatResult big, small;
    big.Collocate = "the";
    big.Fc = 2000000000;
    big.Fnc = 1987654321;
    big.MI = big.MI3 = big.ZScore = big.TScore = big.LogLog = big.LogLikelihood = 1234567890.1234L;
    small.Collocate = "sat";
    small.Fc = small.Fnc = 7;
    form->gStat->Results = {small, big};
    TParamInfo all;
    all.MinMeasure = "None";
    form->FillCollocateList(table, all);
    ASSERT_EQ(table->Items().Count(), 2);
    // The ink of one column, every other column too narrow to show any; 300
    // pixels more than a value needs leave it whole and still in sight.
    auto inkOf = [&](int column, TColor ink, int width) {
        std::vector<int> widths;
        for (int c = 0; c < table->ColumnCount(); ++c) {
            widths.push_back(table->Column(c)->Width);
            table->SetColumnWidth(c, c == column ? width : 1);
        }
        const int n = FormPicture(form).Count(table, ink);
        for (int c = 0; c < table->ColumnCount(); ++c) table->SetColumnWidth(c, widths[size_t(c)]);
        return n;
    };
    struct Column {
        int index;
        TColor ink;
    };
    const Column columns[] = {{3, RGB(0xFF, 0x00, 0x00)}, {4, RGB(0xBF, 0x00, 0x60)}, {5, RGB(0xBF, 0x00, 0x60)},
                              {6, RGB(0x60, 0x00, 0xBF)}, {7, RGB(0x60, 0x00, 0xBF)}, {8, RGB(0xA8, 0x17, 0xA0)},
                              {9, RGB(0xA8, 0x17, 0xA0)}};
    for (const Column& c : columns) {
        SCOPED_TRACE(table->Column(c.index)->Caption);
        const int fitted = inkOf(c.index, c.ink, table->Column(c.index)->Width);
        EXPECT_GT(fitted, 0);
        EXPECT_EQ(fitted, inkOf(c.index, c.ink, table->Column(c.index)->Width + 300));
    }

    // Small values on a fresh table; a merge then makes f(n,c) ten digits long.
    form->gStat->Results = {small, small};
    form->FillCollocateList(table, all);
    TFreqInfo merged;
    merged.N = 2100000000;
    merged.Fn = 1000;
    merged.Fc = 2000000007;
    merged.Fnc = 1987654328;
    merged.Span = 2;
    ASSERT_TRUE(form->UpdateMergedRow(table, 1, "the", merged));
    EXPECT_EQ(inkOf(3, RGB(0xFF, 0x00, 0x00), table->Column(3)->Width),
              inkOf(3, RGB(0xFF, 0x00, 0x00), table->Column(3)->Width + 300));
}

TEST_F(Collocation, MergingSumsTheCountsAndKeepsTheHitsOfEveryPart) {
    Run("cat", 1, 1);
    SelectRows({"ate", "sat"});
    form->popMenuColPopup(form->popMenuCol);
    EXPECT_TRUE(form->itmMerge->Enabled);
    EXPECT_FALSE(form->itmRename->Enabled);
    TDialogScript::QueueInput(true, "eat-sit");
    form->itmMergeClick(form->itmMerge);
    ASSERT_EQ(Collocates(), (std::vector<std::string>{"eat-sit", "the"}));
    auto merged = Table()[0];
    EXPECT_EQ(merged[2], "3");  // f(c) 1 + 2
    EXPECT_EQ(merged[3], "2");  // f(n,c) 1 + 1
    TFreqInfo sums{17, 2, 3, 2, 2};
    char ll[32];
    std::snprintf(ll, sizeof ll, "%.4Lf", TStat::RoundScore(TStat::LogLikelihood(sums)));
    EXPECT_EQ(merged[9], TStat::LogLikelihood(sums) == 0 ? "0" : ll);
    EXPECT_EQ(form->lbColInfo->Caption(), "N = 17   Span = 2   f(n) = 2   2 hits");

    // Its concordance shows the hits of both parts.
    SelectRows({"eat-sit"});
    form->lsvColligateDblClick(form->lsvColligate);
    EXPECT_EQ(form->gCollDetail.size(), 2u);
    EXPECT_EQ(form->edtInfoCol->GetText(), "2 hit(s).");
    EXPECT_TRUE(form->plColDetails->Enabled());
}

TEST_F(Collocation, NamesAlreadyUsedOrUnfitAreRefused) {
    Run("cat", 1, 1);
    SelectRows({"ate", "sat"});
    TDialogScript::QueueInput(true, "the");
    form->itmMergeClick(form->itmMerge);
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Message).back(), "This name has been used!");
    EXPECT_EQ(Collocates().size(), 3u);
    TDialogScript::QueueInput(true, "a=b");
    form->itmMergeClick(form->itmMerge);
    EXPECT_EQ(Collocates().size(), 3u);
    // A blank name is a change of mind: nothing merged, nothing said.
    const size_t said = TDialogScript::Texts(TShownDialog::Kind::Message).size();
    TDialogScript::QueueInput(true, "   ");
    form->itmMergeClick(form->itmMerge);
    EXPECT_EQ(Collocates().size(), 3u);
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Message).size(), said);
    // Renaming to nothing says so.
    SelectRows({"the"});
    TDialogScript::QueueInput(true, " ");
    form->itmRenameClick(form->itmRename);
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Message).back(), "The name cannot be blank!");
    EXPECT_EQ(Collocates().size(), 3u);
    SelectRows({"ate", "sat"});
    // A name of the selection itself is fine.
    TDialogScript::QueueInput(true, "sat");
    form->itmMergeClick(form->itmMerge);
    EXPECT_EQ(Collocates(), (std::vector<std::string>{"sat", "the"}));
}

// The keyboard opens the table's menu by Shift+F10 as well as by the menu key.
TEST_F(Collocation, ShiftF10OpensTheTablesMenu) {
    Run("cat", 1, 1);
    SelectRows({"sat"});
    QWidget* table = form->lsvColligate->Widget();
    for (auto [key, modifiers, opens] : {std::tuple{Qt::Key_F10, Qt::ShiftModifier, true},
                                         std::tuple{Qt::Key_Menu, Qt::NoModifier, true},
                                         std::tuple{Qt::Key_F10, Qt::NoModifier, false}}) {
        SCOPED_TRACE(QKeySequence(key | modifiers).toString().toStdString());
        TDialogScript::Clear();
        TDialogScript::QueueMenuChoice("");
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(table, &press);
        if (key == Qt::Key_Menu) {
            // Qt turns the menu key into a request of its own.
            QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(5, 5), table->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(table, &request);
        }
        EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Menu).size(), opens ? 1u : 0u);
    }
}

// The table is turned off while a merge works on it; the keyboard stays with it
// afterwards instead of landing on whatever control Qt found next.
TEST_F(Collocation, TheTableKeepsTheFocusOverAMerge) {
    Run("cat", 1, 1);
    form->qlSkinPageControl1->SetActivePage(form->tsColligate);
    form->Widget()->activateWindow();
    QApplication::processEvents();
    form->lsvColligate->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(form->lsvColligate->Focused());
    SelectRows({"ate", "sat"});
    TDialogScript::QueueInput(true, "verbs");
    form->itmMergeClick(form->itmMerge);
    QApplication::processEvents();
    ASSERT_EQ(RowOf("verbs"), 0);
    EXPECT_TRUE(form->lsvColligate->Focused());
}

// In a case-sensitive run "The" and "the" are two collocates: merging under
// the name of the other one would leave two rows of one name.
TEST_F(Collocation, AMergeNameIsComparedAsTheRunComparesCollocates) {
    CheckOnly({"a.txt", "c.txt"});
    form->crbxColCase->SetChecked(true);
    Run("cat", 1, 1);
    ASSERT_GE(RowOf("The"), 0);
    ASSERT_LT(RowOf("The"), int(Collocates().size()));
    SelectRows({"the", "sat"});
    TDialogScript::Clear();
    TDialogScript::QueueInput(true, "The");
    form->itmMergeClick(form->itmMerge);
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Message),
              (std::vector<std::string>{"This name has been used!"}));
    auto names = Collocates();
    EXPECT_EQ(std::count(names.begin(), names.end(), "The"), 1);
    ASSERT_EQ(names.size(), 4u);
    // Its own spelling is still a name of the selection.
    TDialogScript::QueueInput(true, "the");
    form->itmMergeClick(form->itmMerge);
    names = Collocates();
    EXPECT_EQ(std::count(names.begin(), names.end(), "the"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "sat"), 0);
    // "the cat sat": both co-occurrences count, and their one line shows once.
    EXPECT_EQ(Table()[RowOf("the")][3], "2");
    SelectRows({"the"});
    form->lsvColligateDblClick(form->lsvColligate);
    EXPECT_EQ(form->gCollDetail.size(), 1u);
}

namespace {

// A score as the table writes it, read without the C library's locale.
double ScoreValue(const std::string& text) {
    double value = -1;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

// Under a locale whose decimal point is a comma the table, its sort and the
// saved file read exactly as under "C".
TEST_F(Collocation, ScoresAreWrittenAndSortedWithAPointWhateverTheLocale) {
    Run("cat", 1, 1);
    const auto plain = Table();
    std::string table, path = (std::filesystem::path(home_.Path()) / "table.xls").string();
    {
        DecimalCommaLocale comma;
        ASSERT_TRUE(comma.Active());
        Run("sat", 1, 1);
        Run("cat", 1, 1);
        EXPECT_EQ(Table(), plain);
        form->lsvColligateColumnClick(form->lsvColligate, form->lsvColligate->Column(8));  // Log-log, descending
        auto sorted = Table();
        for (size_t i = 1; i < sorted.size(); ++i) {
            SCOPED_TRACE(sorted[i][8]);
            EXPECT_GE(ScoreValue(sorted[i - 1][8]), ScoreValue(sorted[i][8]));
        }
        TDialogScript::QueueFile(true, path);
        form->btnSaveCol->Click();
        table = ReadFileBytes(path);

        form->edtMinValue->SetValue(2.5);
        EXPECT_EQ(form->edtMinValue->GetText(), "2.5000");
        form->edtMinValue->SetText("0.75");
        EXPECT_EQ(form->edtMinValue->Value(), 0.75);
    }
    // The header names f(n,c); no field below it holds a comma.
    EXPECT_EQ(table.find(',', table.find('\n')), std::string::npos);
    bool fraction = false;
    for (const auto& row : plain) fraction |= row[4].find('.') != std::string::npos;
    EXPECT_TRUE(fraction);
}

// A new run empties the detail pane; a highlight then has nothing to mark and
// leaves the bar alone, with no message.
TEST_F(Collocation, HighlightDoesNothingOnThePaneARunEmptied) {
    Run("cat", 1, 1);
    SelectRows({"the"});
    form->lsvColligateDblClick(form->lsvColligate);
    form->cbxQSearchCol->SetText("the");
    form->btnHighlightCol->Click();
    ASSERT_TRUE(form->lblInfoCol->Caption().starts_with("Hit(s): 2 "));
    const int colour = form->ccbxQColorCol->ItemIndex();
    Run("cat", 1, 1);
    ASSERT_TRUE(Trim(form->rdtDetailCol->GetText()).empty());
    // The summary of marks in lines no longer shown goes with them.
    EXPECT_EQ(form->lblInfoCol->Caption(), "");
    TDialogScript::Clear();
    for (const char* word : {"the", "", "x("}) {
        SCOPED_TRACE(word);
        form->cbxQSearchCol->SetText(word);
        form->btnHighlightCol->Click();
        EXPECT_EQ(form->lblInfoCol->Caption(), "");
        EXPECT_EQ(form->ccbxQColorCol->ItemIndex(), colour);
    }
    EXPECT_TRUE(TDialogScript::Texts(TShownDialog::Kind::Message).empty());
}

// What stands beside the pane and on the gauge tells of the lines shown: a
// highlight's summary goes when other lines replace the marked ones, and a
// run's gauge does not show the text of the last concordance written.
TEST_F(Collocation, TheHighlightSummaryAndGaugeTextGoWithTheLinesTheyTellOf) {
    Run("cat", 1, 1);
    auto highlight = [&] {
        form->cbxQSearchCol->SetText("the");
        form->btnHighlightCol->Click();
        return form->lblInfoCol->Caption();
    };
    SelectRows({"the"});
    form->lsvColligateDblClick(form->lsvColligate);
    ASSERT_TRUE(highlight().starts_with("Hit(s): 2 "));
    EXPECT_TRUE(form->ggColPro->ProgressText().starts_with("Outputting Line 2..."));
    SelectRows({"sat"});
    form->lsvColligateDblClick(form->lsvColligate);  // another collocate's lines
    EXPECT_EQ(form->lblInfoCol->Caption(), "");
    ASSERT_TRUE(highlight().starts_with("Hit(s): 1 "));
    form->btnDisplayColClick(form->btnDisplayCol);  // the same lines laid out again
    EXPECT_EQ(form->lblInfoCol->Caption(), "");

    // Whenever the run lets the window draw, its gauge shows no text.
    std::vector<std::string> shown;
    const TMessagePump pump = MessagePump();
    SetMessagePump([&] {
        if (form->ggColPro->Visible()) shown.push_back(form->ggColPro->ProgressText());
    }, 0);
    Run("sat", 1, 1);
    SetMessagePump(pump);
    ASSERT_FALSE(shown.empty());
    EXPECT_TRUE(std::all_of(shown.begin(), shown.end(), [](const std::string& t) { return t.empty(); }))
        << shown.front();
}

TEST_F(Collocation, ARenamedRowKeepsItsConcordance) {
    Run("cat", 1, 1);
    SelectRows({"the"});
    form->lsvColligateDblClick(form->lsvColligate);
    size_t before = form->gCollDetail.size();
    TDialogScript::QueueInput(true, "THE-word");
    form->itmRenameClick(form->itmRename);
    EXPECT_EQ(Collocates().back(), "THE-word");
    form->lsvColligateDblClick(form->lsvColligate);
    EXPECT_EQ(form->gCollDetail.size(), before);
    EXPECT_EQ(before, 2u);
    // Renaming to a used name is refused; to the same name in another case is nothing.
    SelectRows({"sat"});
    TDialogScript::QueueInput(true, "ate");
    form->itmRenameClick(form->itmRename);
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Message).back(), "This name has been used!");
}

TEST_F(Collocation, DeletingEveryRowLeavesAnEmptyTable) {
    Run("cat", 1, 1);
    form->lsvColligate->SelectAll();
    TDialogScript::QueueResult(mrNo);
    form->itmDeleteClick(form->itmDelete);
    EXPECT_EQ(form->lsvColligate->Items().Count(), 3);
    TDialogScript::QueueResult(mrYes);
    form->itmDeleteClick(form->itmDelete);
    EXPECT_EQ(form->lsvColligate->Items().Count(), 0);
    EXPECT_EQ(form->lbColInfo->Caption(), "N = 17   Span = 2   f(n) = 2   0 hits");
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Question).back(), "3 line(s) will be deleted, are you sure?");
}

TEST_F(Collocation, AFileThatVanishedEndsTheRunWithTheFormUsableAgain) {
    std::filesystem::remove(std::filesystem::path(corpus_.Path()) / "b.txt");
    Run("cat", 1, 1);
    EXPECT_TRUE(form->Enabled());
    EXPECT_FALSE(form->ggColPro->Visible());
    EXPECT_FALSE(form->Timer4->Enabled());
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Message).size(), 1u);
}

// A UTF-16 file is no 8-bit text: the run leaves it out of N and of the
// hits and names it, once for a load and once for each new search.
TEST_F(Collocation, AUtf16FileIsLeftOutAndNamed) {
    corpus_.Write("b.txt", Utf16("the_DT cat_NN ate_VV the_DT fish_NN\r\n"));
    TDialogScript::Clear();
    Run("cat", 1, 1);
    EXPECT_EQ(Collocates(), (std::vector<std::string>{"sat", "the"}));
    EXPECT_EQ(form->gStat->Freq.N, 12);
    auto shown = TDialogScript::Texts(TShownDialog::Kind::Message);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].starts_with("1 file(s) left out: b.txt. ")) << shown[0];
    EXPECT_NE(shown[0].find("UTF-16"), std::string::npos);
    Run("sat", 1, 1);  // searched again: told again
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Message).size(), 2u);
    Run("sat", 0, 1);  // counted again only
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Message).size(), 2u);
    EXPECT_TRUE(form->Enabled());
}

TEST_F(Collocation, CollocatePagePicture) {
    form->qlSkinPageControl1->SetActivePage(form->tsColligate);
    Run("cat", 1, 1);
    SelectRows({"the"});
    form->lsvColligateDblClick(form->lsvColligate);
    form->SetBounds(0, 0, 1024, 720);
    FormPicture picture(form);
    EXPECT_TRUE(picture.Save("collocate_page.png"));
    // The table's rows in their two colours with the collocates in blue, and
    // the concordance of "the" in the colour of its first lines.
    EXPECT_GT(picture.Count(form->lsvColligate, RGB(0xF7, 0xFF, 0xFF)), 0);
    EXPECT_GT(picture.Count(form->lsvColligate, RGB(0xFE, 0xF5, 0xFE)), 0);
    EXPECT_GT(picture.Count(form->lsvColligate, RGB(0x00, 0x00, 0xFF)), 0);
    EXPECT_GT(picture.Count(form->rdtDetailCol, kFirstLinesColour), 0);
}

}  // namespace

// A Chinese linguist's run over a code page 936 corpus: the node typed in the
// window finds its characters, and the table and the concordance show the
// words as themselves, also those whose bytes are valid UTF-8 (为 CE AA,
// 系统 CF B5 CD B3, 鲁迅 C2 B3 D1 B8), as over the corpus's UTF-8 twin.
TEST_F(Collocation, ACodePage936CorpusIsShownAsItsCharacters) {
    const std::string gbk = "\xC2\xB3\xD1\xB8 \xCE\xAA \xCF\xB5\xCD\xB3 \xB5\xC4\r\n-- \xC2\xB3\xD1\xB8 \xCE\xAA\r\n";
    const std::string utf8 = "鲁迅 为 系统 的\r\n-- 鲁迅 为\r\n";
    corpus_.Write("g.txt", gbk);
    corpus_.Write("u.txt", utf8);
    ChooseCorpusFolder();
    form->rdoRaw->SetChecked(true);
    std::map<std::string, std::vector<std::vector<std::string>>> tables;
    for (const char* file : {"g.txt", "u.txt"}) {
        SCOPED_TRACE(file);
        CheckOnly({file});
        Run("为", 1, 1);
        tables[file] = Table();
        const std::vector<std::string> names = Collocates();
        EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), (std::set<std::string>{"鲁迅", "系统"}));
        for (const std::string& name : names) EXPECT_EQ(ToQString(name), QString::fromStdString(name));
        ASSERT_LT(RowOf("鲁迅"), form->lsvColligate->Items().Count());
        form->lsvColligate->Items()[RowOf("鲁迅")]->SetSelected(true);
        GuardedCall([&] { form->lsvColligateDblClick(form->lsvColligate); });
        const QString pane = ToQString(form->rdtDetailCol->GetText());
        EXPECT_EQ(pane.count(QString::fromUtf8("鲁迅")), 2) << pane.toStdString();
        EXPECT_TRUE(pane.contains(QString::fromUtf8("-- 鲁迅")));
    }
    EXPECT_EQ(tables["g.txt"], tables["u.txt"]);
}

namespace {

// A folder holding a code page 936 file and its UTF-8 twin counts each word
// once, as one file read twice would; names typed for a merge or a rename are
// saved with the rows they stand beside, in UTF-8.
TEST_F(Collocation, AFolderOfBothEncodingsCountsEachWordOnceAndSavesUtf8) {
    corpus_.Write("g.txt",
                  "\xCE\xD2_r \xD1\xA7\xCF\xB0_v \xBA\xBA_n \xB5\xC4_u \xD6\xAA\xCA\xB6_n\r\n"
                  "\xCB\xFB_r \xD1\xA7\xCF\xB0_v \xBA\xBA_n \xB5\xC4_u \xCA\xE9_n\r\n");
    corpus_.Write("u.txt", "我_r 学习_v 汉_n 的_u 知识_n\r\n他_r 学习_v 汉_n 的_u 书_n\r\n");
    ChooseCorpusFolder();
    form->cbxNodeMode->SetItemIndex(form->cbxNodeMode->Items().IndexOf("POS"));
    std::map<std::string, std::string> counts;  // collocate -> "f(c) f(n,c)" of one file alone
    CheckOnly({"g.txt"});
    Run("v", 2, 2);
    for (const auto& row : Table()) counts[Trim(row[1])] = row[2] + " " + row[3];
    EXPECT_EQ(counts.size(), 4u);
    CheckOnly({"g.txt", "u.txt"});
    Run("v", 2, 2);
    EXPECT_EQ(form->lbColInfo->Caption(), "N = 20   Span = 4   f(n) = 4   4 hits");
    for (const auto& row : Table()) {
        SCOPED_TRACE(row[1]);
        ASSERT_TRUE(counts.contains(Trim(row[1])));
        const std::string alone = counts[Trim(row[1])];
        EXPECT_EQ(row[2] + " " + row[3], std::to_string(2 * std::stoi(alone)) + " " +
                                             std::to_string(2 * std::stoi(alone.substr(alone.find(' ') + 1))));
    }

    SelectRows({"汉"});
    TDialogScript::QueueInput(true, "汉语词");
    form->itmRenameClick(form->itmRename);
    SelectRows({"我", "他"});
    TDialogScript::QueueInput(true, "代词");
    form->itmMergeClick(form->itmMerge);
    ASSERT_LT(RowOf("汉语词"), form->lsvColligate->Items().Count());
    ASSERT_LT(RowOf("代词"), form->lsvColligate->Items().Count());
    const std::string path = (std::filesystem::path(home_.Path()) / "table.xls").string();
    TDialogScript::QueueFile(true, path);
    form->btnSaveCol->Click();
    const std::string saved = ReadFileBytes(path);
    EXPECT_TRUE(IsValidUtf8(saved));
    for (const char* name : {"汉语词 ", "代词 ", "的 "}) EXPECT_NE(saved.find(name), std::string::npos) << name;
}

}  // namespace
