// The Count page: identical concordance lines grouped and counted, their
// detail lines, "Change Mode", and the saved list.

#include <QString>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "app/Unit1.h"
#include "platform/core/SysUtils.h"
#include "tests/support/AllocationCount.h"
#include "tests/support/FormFixture.h"
#include "tests/support/FormPicture.h"

namespace {

class CountPage : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        // Around x: tag patterns A (DT NN VV), A, B (JJ NN RB), A, B.
        OpenCorpus({{"a.txt",
                     "a_DT x_NN b_VV\r\nc_DT x_NN d_VV\r\ne_JJ x_NN f_RB\r\ng_DT x_NN h_VV\r\ni_JJ x_NN j_RB\r\n"}});
        form->cbxLeftRangeNum->SetItemIndex(1);
        form->cbxRightRangeNum->SetItemIndex(1);
        form->crbxByLitN->SetChecked(true);
    }

    // Every column of the rows shows the words alone.
    void ShowWords() {
        for (TqlSkinComboBox* mode : {form->cbxLN1, form->cbxCN1, form->cbxRN1})
            mode->SetItemIndex(mode->Items().IndexOf("WORD"));
    }

    void Count(const std::string& text) {
        form->cbxInputStrN->SetText(text);
        GuardedCall([&] { form->btnQueryNClick(form->btnQueryN); });
    }

    // The list saved as count.txt through the save dialog; the file's path.
    std::string SaveList() {
        std::string path = (std::filesystem::path(home_.Path()) / "count.txt").string();
        TDialogScript::QueueFile(true, path);
        GuardedCall([&] { form->btnSaveNClick(form->btnSaveN); });
        return path;
    }

    // The rows as the list shows them: frequency and the three columns, trimmed.
    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        for (int r = 0; r < form->lsvCountResult->Items().Count(); ++r) {
            TListItem* item = form->lsvCountResult->Items()[r];
            std::string row;
            for (const std::string& s : item->SubItems) row += Trim(s) + "|";
            rows.push_back(row);
        }
        return rows;
    }

};

TEST_F(CountPage, IdenticalLinesBecomeOneRowWithTheirCount) {
    Count("x");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"3|DT|NN|VV|", "2|JJ|NN|RB|"}));
    EXPECT_EQ(form->lblInfoN1->Caption(), "    Hit(s): 2 / 5");
    EXPECT_TRUE(form->edtInfoN->GetText().ends_with(" 2 / 5 hit(s)."));
    EXPECT_TRUE(form->btnSaveN->Enabled());
    EXPECT_TRUE(form->crbxReSortN->Visible());
    EXPECT_EQ(form->lsvCountResult->Items()[0]->Caption, " 1. ");
    EXPECT_TRUE(form->Enabled());

    // Change Mode: another order, the same counts, still the search's hits
    // (only a new search would read the file again).
    corpus_.Write("a.txt", "no hits here\r\n");
    form->crbxReSortN->SetChecked(true);
    EXPECT_FALSE(form->cbxInputStrN->Enabled());
    form->cbxSortTypeN1->SetItemIndex(form->cbxSortTypeN1->Items().IndexOf("LEFT-R"));
    GuardedCall([&] { form->btnQueryNClick(form->btnQueryN); });
    EXPECT_EQ(Rows(), (std::vector<std::string>{"3|DT|NN|VV|", "2|JJ|NN|RB|"}));
    EXPECT_EQ(form->lblInfoN1->Caption(), "    Hit(s): 2 / 5");
}

TEST_F(CountPage, HitsWithoutLeftContextGroupTogether) {
    form->cbxLeftRangeNum->SetItemIndex(0);
    Count("x");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"3||NN|VV|", "2||NN|RB|"}));
}

TEST_F(CountPage, AGroupsDetailShowsItsMembersAndInsertCollectsThem) {
    Count("x");
    TListView* list = form->lsvCountResult;
    list->Items()[0]->SetSelected(true);
    form->lsvCountResultDblClick(list);
    EXPECT_EQ(form->gCountDetail.size(), 3u);
    EXPECT_EQ(form->rdtDetail->Lines().Count(), 4);
    EXPECT_EQ(form->edtInfoN->GetText(), "3 hit(s).");
    EXPECT_TRUE(form->plResult2->Enabled());

    form->crbxInsert->SetChecked(true);  // its click empties the collection, then collects
    list->ClearSelection();
    list->Items()[0]->SetSelected(true);
    form->lsvCountResultDblClick(list);
    list->ClearSelection();
    list->Items()[1]->SetSelected(true);
    form->lsvCountResultDblClick(list);
    EXPECT_EQ(form->gCountDetail.size(), 5u);
    EXPECT_EQ(form->edtInfoN->GetText(), "5 hit(s).");
}

// The page's handlers, each as its event reaches it.
TEST_F(CountPage, TheNamedHandlersAnswerTheirEvents) {
    form->cbxInputStrN->SetText("  ");
    form->cbxInputStrNChange(form->cbxInputStrN);
    EXPECT_FALSE(form->btnQueryN->Enabled());
    char key = '\r';
    form->cbxInputStrNKeyPress(form->cbxInputStrN, key);
    EXPECT_EQ(key, '\r') << "a blank query is not run";
    form->cbxInputStrN->SetText("x");
    form->cbxInputStrNChange(form->cbxInputStrN);
    EXPECT_TRUE(form->btnQueryN->Enabled());
    key = 'a';
    form->cbxInputStrNKeyPress(form->cbxInputStrN, key);
    EXPECT_EQ(form->lsvCountResult->Items().Count(), 0);
    key = '\r';
    GuardedCall([&] { form->cbxInputStrNKeyPress(form->cbxInputStrN, key); });
    EXPECT_EQ(key, 0);
    EXPECT_EQ(form->lsvCountResult->Items().Count(), 2);

    // Every click on either summary label shows its caption.
    TDialogScript::Clear();
    form->lblInfoN1Click(form->lblInfoN1);
    form->lblInfoN1DblClick(form->lblInfoN1);
    form->lblInfoN2->SetCaption("marks");
    form->lblInfoN2Click(form->lblInfoN2);
    form->lblInfoN2DblClick(form->lblInfoN2);
    const std::string summary = form->lblInfoN1->Caption();
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Message),
              (std::vector<std::string>{summary, summary, "marks", "marks"}));

    // The detail area follows whether the pane holds text; leaving the pane drops its hint.
    form->rdtDetail->Clear();
    form->rdtDetailChange(form->rdtDetail);
    EXPECT_FALSE(form->plResult2->Enabled());
    form->lsvCountResult->Items()[0]->SetSelected(true);
    form->lsvCountResultDblClick(form->lsvCountResult);
    form->rdtDetailChange(form->rdtDetail);
    EXPECT_TRUE(form->plResult2->Enabled());
    form->rdtDetail->Hint = "NN";
    form->rdtDetail->ShowHint = true;
    form->rdtDetailExit(form->rdtDetail);
    EXPECT_EQ(form->rdtDetail->Hint, "");
    EXPECT_FALSE(form->rdtDetail->ShowHint);
}

TEST_F(CountPage, TheSavedListHasOneLinePerRow) {
    Count("x");
    const std::string path = SaveList();
    TStringList lines;
    lines.LoadFromFile(path);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_TRUE(lines[0].starts_with("1.\t 3 \t"));
    EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), '\t'), 5);
    EXPECT_TRUE(ReadFileBytes(path).ends_with("\t\r\n"));
}

// The rows are padded by the columns their texts take on screen: accented
// UTF-8 contexts line up with plain ones in the list and in the saved file,
// and code page 936 text, read as its characters, takes two columns for each
// Chinese one.
TEST_F(CountPage, RowsArePaddedByTheColumnsTheirTextsTakeOnScreen) {
    auto columns = [](const std::string& text) {
        int n = 0;
        for (QChar c : QString::fromUtf8(text.data(), int(text.size()))) n += c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF ? 2 : 1;
        return n;
    };
    corpus_.Write("a.txt", "caf\xC3\xA9_NN x_NN r\xC3\xA9sum\xC3\xA9_VV\r\nab_NN x_NN cd_VV\r\n"
                           "na\xC3\xAFve_JJ x_NN b_VV\r\n");
    corpus_.Write("b.txt", "\xCE\xD2\xC3\xC7_NN y_NN \xB6\xC1_VV\r\nabcd_NN y_NN ef_VV\r\n");
    ChooseCorpusFolder();
    ShowWords();
    struct Case {
        const char* name;
        const char* node;
    };
    for (const Case& c : {Case{"UTF-8", "x"}, Case{"code page 936", "y"}}) {
        SCOPED_TRACE(c.name);
        Count(c.node);
        ASSERT_GE(form->lsvCountResult->Items().Count(), 2);
        std::vector<std::string> first = form->lsvCountResult->Items()[0]->SubItems;
        for (int r = 1; r < form->lsvCountResult->Items().Count(); ++r) {
            const std::vector<std::string> row = form->lsvCountResult->Items()[r]->SubItems;
            for (size_t k = 1; k <= 3; ++k) {
                SCOPED_TRACE(row[k]);
                EXPECT_EQ(columns(row[k]), columns(first[k]));
            }
        }
    }
}

// Lines are grouped, listed and saved by their whole text, however long:
// two 15-word contexts that differ only in the farthest word are two rows.
TEST_F(CountPage, LongContextsThatDifferOnlyFarFromTheNodeAreTwoRows) {
    std::string near;
    for (int k = 14; k >= 1; --k) near += "international" + std::to_string(k) + "_JJ ";
    corpus_.Write("long.txt", "alpha_JJ " + near + "node_NN end_VV\r\nomega_JJ " + near + "node_NN end_VV\r\n");
    ChooseCorpusFolder();
    form->cbxLeftRangeNum->SetItemIndex(15);
    for (TqlSkinComboBox* mode : {form->cbxLN1, form->cbxCN1, form->cbxRN1})
        mode->SetItemIndex(mode->Items().IndexOf("BOTH"));
    Count("node");
    EXPECT_EQ(form->lblInfoN1->Caption(), "    Hit(s): 2 / 2");
    auto rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    for (const std::string& row : rows) EXPECT_NE(row.find(Trim(near) + "|node_NN|end_VV|"), std::string::npos) << row;

    const std::string path = SaveList();
    const std::string saved = ReadFileBytes(path);
    for (const char* far : {"alpha_JJ ", "omega_JJ "})
        EXPECT_NE(saved.find(far + near + " \t node_NN"), std::string::npos) << far;
}

// The Query page formats its own hits; the Count page's rows, on screen and
// saved, keep the widths of its own count. An emptied detail pane takes no
// highlight.
TEST_F(CountPage, AQuerySearchLeavesTheCountRowsAsTheyWere) {
    Count("x");
    auto cells = [&] {
        std::vector<std::string> all;
        for (int r = 0; r < form->lsvCountResult->Items().Count(); ++r)
            for (const std::string& s : form->lsvCountResult->Items()[r]->SubItems) all.push_back(s);
        return all;
    };
    const auto before = cells();
    const std::string path = SaveList();
    const std::string saved = ReadFileBytes(path);

    for (TqlSkinComboBox* mode : {form->cbxL, form->cbxC, form->cbxR})
        mode->SetItemIndex(mode->Items().IndexOf("BOTH"));
    form->cbxInputStr->SetText("x_NN");
    GuardedCall([&] { form->btnQuery->Click(); });
    ASSERT_EQ(form->gQueryHits.size(), 5u);
    // Coming back to the page repaints the list: its rows are asked for again.
    form->lsvCountResult->Invalidate();
    EXPECT_EQ(cells(), before);
    TDialogScript::QueueFile(true, path);
    TDialogScript::QueueResult(mrYes);
    GuardedCall([&] { form->btnSaveNClick(form->btnSaveN); });
    EXPECT_EQ(ReadFileBytes(path), saved);

    // Laying the detail lines out again drops the summary of their marks.
    form->lsvCountResult->Items()[0]->SetSelected(true);
    form->lsvCountResultDblClick(form->lsvCountResult);
    form->cbxQSearchN->SetText("NN");
    form->btnHighlightNClick(form->btnHighlightN);
    ASSERT_TRUE(form->lblInfoN2->Caption().starts_with("Hit(s): "));
    form->btnDisplayClick(form->btnDisplay);
    EXPECT_EQ(form->lblInfoN2->Caption(), "");

    // A new count empties the detail pane.
    Count("x");
    ASSERT_TRUE(Trim(form->rdtDetail->GetText()).empty());
    form->lblInfoN2->SetCaption("before");
    const int colour = form->ccbxQColorN->ItemIndex();
    form->cbxQSearchN->SetText("NN");
    form->btnHighlightNClick(form->btnHighlightN);
    EXPECT_EQ(form->lblInfoN2->Caption(), "before");
    EXPECT_EQ(form->ccbxQColorN->ItemIndex(), colour);
}

TEST_F(CountPage, ACountWithoutHitsLeavesTheListEmpty) {
    Count("zebra");
    EXPECT_EQ(form->lsvCountResult->Items().Count(), 0);
    EXPECT_FALSE(form->btnSaveN->Enabled());
    EXPECT_EQ(form->lblInfoN1->Caption(), "    Hit(s): 0 / 0");
}

// A context may end in "#" (the token C#): identical lines form one row,
// different lines never share one, and a row's detail shows as many lines
// as it counts.
TEST_F(CountPage, ARightContextEndingInAHashIsARowOfItsOwn) {
    corpus_.Write("a.txt", "a_DT x_NN C#_NP\r\na_DT x_NN C#_NP\r\na_DT x_NN C_NP\r\n");
    ChooseCorpusFolder();
    ShowWords();
    Count("x");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"2|a|x|C#|", "1|a|x|C|"}));
    EXPECT_EQ(form->lblInfoN1->Caption(), "    Hit(s): 2 / 3");
    TListView* list = form->lsvCountResult;
    for (int r = 0; r < list->Items().Count(); ++r) {
        SCOPED_TRACE(r);
        list->ClearSelection();
        list->Items()[r]->SetSelected(true);
        form->lsvCountResultDblClick(list);
        const TResultStr& group = form->gCountHits[static_cast<size_t>(r)];
        EXPECT_EQ(static_cast<int>(form->gCountDetail.size()), group.Count);
        for (const TResultStr& line : form->gCountDetail) EXPECT_EQ(line.Right, group.Right + "_NP");
    }
}

// An empty context shows empty, but a dash tagged "-" is text like any
// other, on either side and in the centre, in the list and the saved file.
TEST_F(CountPage, AContextThatReadsLikeThePlaceholderIsNotAnEmptyOne) {
    corpus_.Write("a.txt", "y_VV z_NN\r\n-_- y_VV z_NN\r\ny_VV -_- z_NN\r\n");
    ChooseCorpusFolder();
    for (TqlSkinComboBox* mode : {form->cbxLN1, form->cbxCN1, form->cbxRN1})
        mode->SetItemIndex(mode->Items().IndexOf("BOTH"));
    form->crbxByLitN->SetChecked(false);
    auto sortedRows = [&] {
        std::vector<std::string> rows = Rows();
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    Count("y_VV");
    EXPECT_EQ(sortedRows(), (std::vector<std::string>{"1|-_-|y_VV|z_NN|", "1||y_VV|-_-|", "1||y_VV|z_NN|"}));
    Count("-_-");
    EXPECT_EQ(sortedRows(), (std::vector<std::string>{"1|y_VV|-_-|z_NN|", "1||-_-|y_VV|"}));
    const std::string path = SaveList();
    TStringList lines;
    lines.LoadFromFile(path);
    ASSERT_EQ(lines.Count(), 2);
    for (int i = 0; i < 2; ++i) EXPECT_NE(lines[i].find("\t -_- "), std::string::npos) << lines[i];
}

// Grouping works in proportion to its lines, also when they are all one
// group (the tag patterns of a frequent word): four times the lines take
// about four times the work, not sixteen.
TEST_F(CountPage, GroupingIdenticalLinesGrowsLinearly) {
    auto bytesFor = [&](size_t lines) {
        TResultStr line;
        line.Left = "DT", line.Center = "NN", line.Right = "VV";
        TArrResultStr hits(lines, line);
        AllocationCount count;
        form->GroupCountHits(hits, false);
        const size_t bytes = count.Bytes();
        EXPECT_EQ(hits.size(), 1u);
        EXPECT_EQ(hits.empty() ? 0 : hits[0].Count, static_cast<int>(lines));
        return bytes;
    };
    const size_t small = bytesFor(5000), large = bytesFor(20000);
    EXPECT_LT(large, 6 * small) << small << " bytes for 5000 lines";
}

// A count of six digits and more (the tag patterns of a frequent word)
// shows whole in the bold Freq. column: its ink is that of a column wide
// enough for anything.
TEST_F(CountPage, TheFrequencyColumnShowsItsWidestCountWhole) {
    form->tsCount->SetTabVisible(true);
    form->qlSkinPageControl1->SetActivePage(form->tsCount);
    form->SetBounds(0, 0, 1400, 800);
    std::string text;
    for (int i = 0; i < 123456; ++i) text += "a_DT x_NN b_VV\r\n";
    text += "c_JJ x_NN d_RB\r\n";
    corpus_.Write("a.txt", text);
    Count("x");
    ASSERT_EQ(Rows(), (std::vector<std::string>{"123456|DT|NN|VV|", "1|JJ|NN|RB|"}));
    TListView* list = form->lsvCountResult;
    // The blue ink of the counts, every other column too narrow to show any.
    auto inkAt = [&](int width) {
        std::vector<int> widths;
        for (int c = 0; c < list->ColumnCount(); ++c) {
            widths.push_back(list->Column(c)->Width);
            list->SetColumnWidth(c, c == 1 ? width : 1);
        }
        const int n = FormPicture(form).Count(list, RGB(0, 0, 255));
        for (int c = 0; c < list->ColumnCount(); ++c) list->SetColumnWidth(c, widths[size_t(c)]);
        return n;
    };
    const int fitted = inkAt(list->Column(1)->Width);
    EXPECT_GT(fitted, 0);
    EXPECT_EQ(fitted, inkAt(list->Column(1)->Width + 300));
}

TEST_F(CountPage, CountPagePicture) {
    form->tsCount->SetTabVisible(true);
    form->qlSkinPageControl1->SetActivePage(form->tsCount);
    Count("x");
    form->lsvCountResult->Items()[0]->SetSelected(true);
    form->lsvCountResultDblClick(form->lsvCountResult);
    form->SetBounds(0, 0, 1024, 720);
    FormPicture picture(form);
    EXPECT_TRUE(picture.Save("count_page.png"));
    // The unselected group's row in its colour with the count in blue, and the
    // lines of the chosen group in the colour of the first lines.
    EXPECT_GT(picture.Count(form->lsvCountResult, RGB(247, 255, 255)), 0);
    EXPECT_GT(picture.Count(form->lsvCountResult, RGB(0, 0, 255)), 0);
    EXPECT_GT(picture.Count(form->rdtDetail, kFirstLinesColour), 0);
}


TEST_F(CountPage, ASearchThatDoesNotCompileIsReportedAndKeepsTheLastGroups) {
    Count("x");
    auto rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    std::string info = form->lblInfoN1->Caption();
    TDialogScript::Clear();
    Count("x(");
    auto shown = TDialogScript::Texts(TShownDialog::Kind::Message);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("missing closing parenthesis"), std::string::npos) << shown[0];
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(form->lblInfoN1->Caption(), info);
    EXPECT_EQ(form->cbxInputStrN->Items().IndexOf("x("), -1);
    EXPECT_TRUE(form->Enabled());
}

}  // namespace

// A code page 936 corpus counts its identical lines as its UTF-8 twin does,
// with the node typed in the window and the words shown as themselves (为 and
// 系统 have code page 936 bytes that are valid UTF-8; 說 D5 66 and 誇 D5 46
// differ only in an ASCII letter's case).
TEST_F(CountPage, ACodePage936CorpusCountsAsItsUtf8Twin) {
    corpus_.Write("g.txt", "\xCF\xB5\xCD\xB3_n \xCE\xAA_p \xD5\x66_v\r\n\xCF\xB5\xCD\xB3_n \xCE\xAA_p \xD5\x46_v\r\n"
                           "\xCF\xB5\xCD\xB3_n \xCE\xAA_p \xD5\x66_v\r\n");
    corpus_.Write("u.txt", "系统_n 为_p 說_v\r\n系统_n 为_p 誇_v\r\n系统_n 为_p 說_v\r\n");
    ChooseCorpusFolder();
    ShowWords();
    std::map<std::string, std::vector<std::string>> rows;
    for (const char* file : {"g.txt", "u.txt"}) {
        CheckOnlyFiles(*form, {file});
        Count("为");
        rows[file] = Rows();
    }
    EXPECT_EQ(rows["g.txt"], (std::vector<std::string>{"2|系统|为|說|", "1|系统|为|誇|"}));
    EXPECT_EQ(rows["g.txt"], rows["u.txt"]);
}
