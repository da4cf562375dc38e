// The main form driven as a user drives it: folder choice, file filter, text
// mode and separators, context ranges, and the history and tag-set files.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "app/Unit1.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Timers.h"
#include "platform/gui/controls/NonClient.h"
#include "tests/support/AppFixture.h"
#include "tests/support/FileSizeLimit.h"

namespace {

class MainForm : public AppFixture {
protected:
    TForm1* Start() {
        auto* form = app_->CreateForm<TForm1>();
        form->SetVisible(true);
        return form;
    }

    void Stop(TForm1* form) {
        form->Close();
        delete form;
    }

    // Chooses a folder through the folder dialog.
    void ChooseFolder(TForm1* form, const std::string& folder) {
        TDialogScript::QueueFile(true, folder);
        form->btnChoseDir->Click();
    }

    std::vector<std::string> CheckedFiles(TForm1* form) {
        std::vector<std::string> names;
        for (int i = 0; i < form->clbFileList->Items().Count(); ++i)
            if (form->clbFileList->Checked(i)) names.push_back(form->clbFileList->Items()[i]);
        return names;
    }

};

TEST_F(MainForm, StartsWithoutHistoryOrTagSetFilesAndSaysNothing) {
    TForm1* form = Start();
    EXPECT_EQ(form->cbxNode->Items().Count(), 0);
    EXPECT_EQ(form->gTagSet->Count(), 0);
    EXPECT_TRUE(TDialogScript::Shown().empty());
    EXPECT_EQ(form->GetText(), "Orvale Lexmoor 1.0 ");
    EXPECT_TRUE(form->tsSettings->TabVisible());
    EXPECT_FALSE(form->tsQuery->TabVisible());
    EXPECT_FALSE(form->tsColligate->Enabled());
    EXPECT_EQ(form->lblFontSize->Caption(), "Font Size: 11");
    EXPECT_EQ(form->gSplitters, "[_]");
    EXPECT_EQ(form->ccbxClusterLen->GetText(), "1");
    Stop(form);
}

// The wheel turned over the font-size slider, focused or not, leaves the
// font size alone; the keys still step it.
TEST_F(MainForm, TheWheelOverTheFontSizeSliderKeepsTheFontSize) {
    TForm1* form = Start();
    TqlSkinSlider* slider = form->sldFontSize;
    for (bool focused : {false, true}) {
        SCOPED_TRACE(focused ? "focused" : "not focused");
        if (focused) slider->SetFocus();
        for (int delta : {120, -120, -120})
            slider->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(slider->Left() + 20, slider->Top() + 10));
        EXPECT_EQ(slider->Value(), 11);
        EXPECT_EQ(form->lblFontSize->Caption(), "Font Size: 11");
    }
    slider->Perform(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(form->lblFontSize->Caption(), "Font Size: 12");
    Stop(form);
}

TEST_F(MainForm, StartsWithItsOwnSkinLoaded) {
    TForm1* form = Start();
    const TqlSkinData& skin = *form->qlSkinData1;
    EXPECT_EQ(skin.CompressedStoredSkin(), form->qlCompressedStoredSkin1);
    EXPECT_FALSE(skin.Empty);
    EXPECT_FALSE(skin.Changing);
    EXPECT_FALSE(skin.Picture.Empty());
    for (const char* name : {"button", "checkbox", "statusgauge", "tab", "combobox"}) {
        SCOPED_TRACE(name);
        EXPECT_GE(skin.IndexOfControlData(name), 0);
    }
    Stop(form);
}

TEST_F(MainForm, HistorySurvivesARestartAndClearingEmptiesEveryBox) {
    TForm1* form = Start();
    form->cbxNode->Items().Add("make");
    form->cbxNode->Items().Add("take");
    Stop(form);

    form = Start();
    ASSERT_EQ(form->cbxNode->Items().Count(), 2);
    EXPECT_EQ(form->cbxNode->Items()[1], "take");
    form->cbxInputStr->Items().Add("make");
    form->cbxInputStrN->Items().Add("make");

    TDialogScript::QueueResult(mrNo);
    form->btnClearHistory->Click();
    EXPECT_EQ(form->cbxNode->Items().Count(), 2);

    TDialogScript::QueueResult(mrYes);
    form->btnClearHistory->Click();
    EXPECT_EQ(form->cbxNode->Items().Count(), 0);
    EXPECT_EQ(form->cbxInputStr->Items().Count(), 0);
    EXPECT_EQ(form->cbxInputStrN->Items().Count(), 0);
    auto questions = TDialogScript::Texts(TShownDialog::Kind::Question);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0], "Do you want to clear all the query history?");
    Stop(form);

    form = Start();
    EXPECT_EQ(form->cbxNode->Items().Count(), 0);
    Stop(form);
}

// A history that cannot be written in full (a full disk) leaves the old one
// whole instead of a truncated file.
TEST_F(MainForm, AHistoryThatCannotBeWrittenKeepsTheOldOne) {
    WriteFileBytes("query_history.ini", "make\r\n");
    TForm1* form = Start();
    form->cbxNode->Items().Add("a node long enough to pass the limit");
    {
        FileSizeLimit limit(8);
        form->Close();
    }
    delete form;
    EXPECT_EQ(ReadFileBytes("query_history.ini"), "make\r\n");
    auto shown = TDialogScript::Texts(TShownDialog::Kind::Message);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].ends_with(" is not writable!")) << shown[0];
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 1);
}

TEST_F(MainForm, TagSetLinesAreFoundByTag) {
    WriteFileBytes("Tagset.ini", "NN\tnoun, singular\r\nVV\tlexical verb\r\n");
    TForm1* form = Start();
    EXPECT_EQ(form->gTagSet->Values("VV"), "lexical verb");
    Stop(form);
    // A tag set written in code page 936 is read as its characters, also a
    // description whose bytes alone would be valid UTF-8 (为 is CE AA).
    WriteFileBytes("Tagset.ini", "p\t\xBD\xE9\xB4\xCA\r\nw\t\xCE\xAA\r\n");
    form = Start();
    EXPECT_EQ(form->gTagSet->Values("p"), "介词");
    EXPECT_EQ(form->gTagSet->Values("w"), "为");
    Stop(form);
}

class CorpusFolder : public MainForm {
protected:
    void SetUp() override {
        MainForm::SetUp();
        for (const char* name : {"Alpha.txt", "about.txt", "beta.txt", "README"}) corpus_.Write(name, "a_DT b_NN\n");
        std::filesystem::create_directory(std::filesystem::path(corpus_.Path()) / "x.d");
    }
    TempFolder corpus_;
};

TEST_F(CorpusFolder, ListsAndChecksTheFilesOfTheChosenFolder) {
    TForm1* form = Start();
    ChooseFolder(form, corpus_.Path());
    EXPECT_EQ(form->lblDir->Caption(), corpus_.Path());
    // README has no "." and x.d is a folder: neither is a corpus file.
    EXPECT_EQ(CheckedFiles(form), (std::vector<std::string>{"about.txt", "Alpha.txt", "beta.txt"}));
    EXPECT_EQ(form->gFileCount, 3);
    EXPECT_EQ(form->lblFileInfo->Caption(), "3 file(s) selected, 3 file(s) in the list.");
    EXPECT_TRUE(form->tsColligate->Enabled());
    EXPECT_TRUE(form->tsQuery->Enabled());
    EXPECT_FALSE(form->tsQuery->TabVisible());

    form->edtFilterStr->SetText("^a");
    EXPECT_TRUE(form->btnFilter->Enabled());
    form->btnFilter->Click();
    EXPECT_EQ(CheckedFiles(form), (std::vector<std::string>{"about.txt", "Alpha.txt"}));
    EXPECT_EQ(form->lblFileInfo->Caption(), "2 file(s) selected, 3 file(s) in the list.");

    // Unchecking every file closes the corpus pages again.
    TForm1::SetAllChecked(form->clbFileList, false);
    form->clbFileListClickCheck(form->clbFileList);
    EXPECT_FALSE(form->tsColligate->Enabled());
    EXPECT_FALSE(form->tsCount->Enabled());
    EXPECT_EQ(form->lblFileInfo->Caption(), "0 file(s) selected, 3 file(s) in the list.");
    Stop(form);
}

TEST_F(CorpusFolder, AFilterAppliesWhenTheFolderIsChosenAndABadOneChangesNothing) {
    TForm1* form = Start();
    form->edtFilterStr->SetText("^b");
    ChooseFolder(form, corpus_.Path());
    EXPECT_EQ(CheckedFiles(form), (std::vector<std::string>{"beta.txt"}));

    form->edtFilterStr->SetText("(unclosed");
    form->btnFilter->Click();
    EXPECT_EQ(CheckedFiles(form), (std::vector<std::string>{"beta.txt"}));
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Message).size(), 1u);

    // Cancelling the folder dialog keeps what was there.
    TDialogScript::QueueFile(false);
    form->btnChoseDir->Click();
    EXPECT_EQ(form->lblDir->Caption(), corpus_.Path());
    Stop(form);
}

TEST_F(CorpusFolder, AnEmptyFolderClearsTheFileLineAndClosesThePages) {
    TempFolder empty;
    TForm1* form = Start();
    ChooseFolder(form, corpus_.Path());
    ASSERT_TRUE(form->tsColligate->Enabled());
    ChooseFolder(form, empty.Path());
    EXPECT_EQ(form->clbFileList->Items().Count(), 0);
    EXPECT_EQ(form->lblFileInfo->Caption(), "");
    EXPECT_FALSE(form->tsColligate->Enabled());
    Stop(form);
}

TEST_F(MainForm, RawAndTaggedModesSetTheControlsOfEveryPage) {
    TForm1* form = Start();
    form->rdoRaw->SetChecked(true);
    EXPECT_FALSE(form->qlSkinCheckRadioBox1->Checked());
    EXPECT_FALSE(form->gbSep->Enabled());
    EXPECT_EQ(form->gSplitters, "");
    EXPECT_EQ(form->cbxNodeMode->GetText(), "Default");
    EXPECT_FALSE(form->cbxNodeMode->Enabled());
    EXPECT_EQ(form->cbxCollMode->GetText(), "BOTH");
    for (TqlSkinComboBox* box : {form->cbxL, form->cbxCN1, form->cbxRN2, form->cbxLCol}) {
        SCOPED_TRACE(box->Name);
        EXPECT_EQ(box->GetText(), "BOTH");
        EXPECT_FALSE(box->Enabled());
    }
    EXPECT_FALSE(form->crbxByLit->Enabled());
    EXPECT_TRUE(form->crbxPosCol->Checked());
    EXPECT_FALSE(form->crbxPosCol->Enabled());

    form->qlSkinCheckRadioBox1->SetChecked(true);
    EXPECT_FALSE(form->rdoRaw->Checked());
    EXPECT_TRUE(form->gbSep->Enabled());
    EXPECT_EQ(form->gSplitters, "[_]");
    EXPECT_EQ(form->cbxNodeMode->GetText(), "Literal");
    EXPECT_EQ(form->cbxCollMode->GetText(), "WORD");
    const std::pair<TqlSkinComboBox*, const char*> tagged[] = {
        {form->cbxL, "POS"},    {form->cbxC, "WORD"},   {form->cbxR, "POS"},     {form->cbxLN1, "POS"},
        {form->cbxCN1, "POS"},  {form->cbxRN1, "POS"},  {form->cbxLN2, "WORD"},  {form->cbxRN2, "WORD"},
        {form->cbxLCol, "WORD"}, {form->cbxRCol, "WORD"}};
    for (auto [box, text] : tagged) {
        SCOPED_TRACE(box->Name);
        EXPECT_EQ(box->GetText(), text);
        EXPECT_TRUE(box->Enabled());
    }
    EXPECT_TRUE(form->crbxByPOSN->Enabled());
    Stop(form);
}

TEST_F(MainForm, SeparatorsFormOneEscapedClassAndADuplicateIsRefused) {
    TForm1* form = Start();
    form->cblSplitterList->SetChecked(1, true);
    form->cblSplitterListListBoxClick(form->cblSplitterList);
    EXPECT_EQ(form->gSplitters, "[_/]");

    form->edtSplitterStr->SetText("^");
    EXPECT_TRUE(form->btnAddSplitter->Enabled());
    form->btnAddSplitter->Click();
    EXPECT_EQ(form->gSplitters, "[_/\\^]");
    EXPECT_EQ(form->edtSplitterStr->GetText(), "");

    form->edtSplitterStr->SetText("/");
    form->btnAddSplitter->Click();
    EXPECT_EQ(TDialogScript::Texts(TShownDialog::Kind::Message), (std::vector<std::string>{"'/' already exists!"}));
    EXPECT_EQ(form->cblSplitterList->Items().Count(), 3);

    // The class splits tagged tokens in the engine as written.
    EXPECT_EQ(TDisplay::FormatToken("the^DT cat/NN", form->gSplitters, "WORD"), "the cat");
    Stop(form);
}

// A separator beyond ASCII is refused when it is added: the class splits
// byte by byte and would part characters that share its bytes (路 is C2 B7
// in code page 936, "·" C2 B7 in UTF-8).
TEST_F(MainForm, ASeparatorBeyondAsciiIsRefused) {
    TForm1* form = Start();
    const std::string before = form->gSplitters;
    const int count = form->cblSplitterList->Items().Count();
    form->edtSplitterStr->SetText("\xC2\xB7");
    ASSERT_TRUE(form->btnAddSplitter->Enabled());
    form->btnAddSplitter->Click();
    const std::vector<std::string> texts = TDialogScript::Texts(TShownDialog::Kind::Message);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0].starts_with("'\xC2\xB7' cannot be a separator")) << texts[0];
    EXPECT_EQ(form->cblSplitterList->Items().Count(), count);
    EXPECT_EQ(form->gSplitters, before);
    Stop(form);
}

TEST_F(MainForm, ContextRangesGiveSpansUpToTwiceTheRange) {
    TForm1* form = Start();
    EXPECT_EQ(form->cbxLeftRangeNum->GetText(), "5");
    EXPECT_EQ(form->cbxLeftSpan->Items().Count(), 11);
    form->cbxRightSpan->SetItemIndex(4);
    form->cbxLeftRangeNum->SetItemIndex(8);
    EXPECT_EQ(form->cbxLeftSpan->Items().Count(), 17);
    EXPECT_EQ(form->cbxLeftSpan->Items()[16], "16");
    EXPECT_EQ(form->cbxLeftSpan->ItemIndex(), 0);
    Stop(form);
}

// A context holds sixteen words on each side: a wider span would be shown and
// scored as if counted, so the choices stop there however wide the range.
TEST_F(MainForm, SpansStopAtTheSixteenWordsAContextHolds) {
    TForm1* form = Start();
    for (int range : {8, 9, 15}) {
        SCOPED_TRACE(range);
        form->cbxLeftRangeNum->SetItemIndex(range);
        form->cbxRightRangeNum->SetItemIndex(range);
        for (TqlSkinComboBox* span : {form->cbxLeftSpan, form->cbxRightSpan}) {
            EXPECT_EQ(span->Items().Count(), 17);
            EXPECT_EQ(span->Items()[span->Items().Count() - 1], "16");
        }
    }
    Stop(form);
}

TEST_F(MainForm, TimersDriveTheGaugesOnTheirClock) {
    TForm1* form = Start();
    form->gProgress = 41;
    form->Timer1->SetEnabled(true);
    TTimerService::Instance().Advance(1000);
    EXPECT_EQ(form->ggCurLineN->Value(), 42);
    form->Timer4->SetEnabled(true);
    TTimerService::Instance().Advance(50);
    EXPECT_EQ(form->ggColPro->Value(), 5);
    Stop(form);
}

TEST_F(MainForm, HintsOfTagsStayLongerForClusterAndAddressTexts) {
    TForm1* form = Start();
    THintInfo info;
    std::string text = "NN\nnoun";
    form->htTagSetShowHint(text, info);
    EXPECT_EQ(info.HideTimeout, 800);
    text = "Cluster of 3";
    form->htTagSetShowHint(text, info);
    EXPECT_EQ(info.HideTimeout, 5000);
    Stop(form);
}

// The About page: what the program does sunk into the page, the release date
// standing out of it, each with a light and a dark edge; and the logo.
TEST_F(MainForm, TheAboutPageShowsItsLabelsInReliefAndTheLogo) {
    TForm1* form = Start();
    struct Case {
        const char* name;
        TKvLabel* label;
        TKvLabelStyle style;
    } cases[] = {{"KvLabel1", form->KvLabel1, TKvLabelStyle::lsRecessed},
                 {"KvLabel3", form->KvLabel3, TKvLabelStyle::lsRaised}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.label->Style(), c.style);
        c.label->HighlightColor = RGB(0, 200, 0);
        c.label->ShadowColor = RGB(200, 0, 0);
        form->qlSkinPageControl1->SetActivePage(form->tsAbout);
        TBitmap shot(form->tsAbout->Width(), form->tsAbout->Height());
        form->tsAbout->PaintTo(shot.Canvas(), 0, 0);
        // The edge lit from the top left is the first seen going down a
        // column of the caption: light for raised text, dark for recessed.
        const TRect r = c.label->BoundsRect();
        int lightFirst = 0, darkFirst = 0;
        for (int x = r.Left; x < r.Right; ++x)
            for (int y = r.Top; y < r.Bottom; ++y) {
                const TColor p = shot.Pixel(x, y);
                if (p != RGB(0, 200, 0) && p != RGB(200, 0, 0)) continue;
                lightFirst += p == RGB(0, 200, 0);
                darkFirst += p == RGB(200, 0, 0);
                break;
            }
        EXPECT_GT(c.style == TKvLabelStyle::lsRaised ? lightFirst : darkFirst, 10);
        EXPECT_GT(lightFirst + darkFirst, 10);
    }
    // A logo of its own, in more than one colour, clear around its corners.
    const TBitmap& logo = form->Image1->Picture();
    ASSERT_EQ(logo.Width(), 64);
    ASSERT_EQ(logo.Height(), 64);
    EXPECT_TRUE(logo.Transparent);
    EXPECT_EQ(logo.Pixel(0, 0), logo.TransparentColor);
    std::set<TColor> colours;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) colours.insert(logo.Pixel(x, y));
    EXPECT_GE(colours.size(), 4u);
    Stop(form);
}

}  // namespace
