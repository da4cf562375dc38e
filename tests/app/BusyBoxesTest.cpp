// Every message box the window shows while it works closes by its button, by
// Enter and by Esc, and the window is usable again afterwards.

#include <gtest/gtest.h>

#include <functional>

#include "app/Unit1.h"
#include "tests/support/BoxCloser.h"
#include "tests/support/FormFixture.h"

namespace {

class BusyBoxes : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        OpenCorpus({{"a.txt", "a_DT x_NN b_VV\r\nc_DT x_NN d_VV\r\ne_JJ x_NN f_RB\r\n"}});
        form->cbxLeftRangeNum->SetItemIndex(1);
        form->cbxRightRangeNum->SetItemIndex(1);
        form->crbxByLitN->SetChecked(true);
        form->crbxByLit->SetChecked(true);
    }
};

TEST_F(BusyBoxes, EveryBoxClosesByItsButtonByEnterAndByEsc) {
    // Panes with lines to mark, filled with scripted dialogs.
    TResultStr hit;
    hit.Left = "a";
    hit.Center = "x";
    hit.Right = "b";
    hit.FileName = "a.txt";
    form->gCollDetail = {hit};
    form->btnDisplayCol->Click();
    form->cbxInputStr->SetText("x");
    form->cbxInputStrChange(form->cbxInputStr);
    GuardedCall([&] { form->btnQuery->Click(); });
    ASSERT_GT(form->rdtResult->Lines().Count(), 1);
    form->cbxInputStrN->SetText("x");
    GuardedCall([&] { form->btnQueryNClick(form->btnQueryN); });
    ASSERT_GT(form->lsvCountResult->Items().Count(), 0);
    form->lsvCountResult->Items()[0]->SetSelected(true);
    form->lsvCountResultDblClick(form->lsvCountResult);
    ASSERT_GT(form->rdtDetail->Lines().Count(), 1);

    const std::pair<const char*, std::function<void()>> paths[] = {
        {"Collocate highlight",
         [&] {
             form->cbxQSearchCol->SetText("(ab");
             form->btnHighlightCol->Click();
         }},
        {"Collocate highlight by Enter in its box",
         [&] {
             form->cbxQSearchCol->SetText("a.b_c/d-e|f\\g[h]");
             char key = '\r';
             form->cbxQSearchColKeyPress(form->cbxQSearchCol, key);
         }},
        {"Query highlight",
         [&] {
             form->cbxQSearch->SetText("(ab");
             form->btnHighlight->Click();
         }},
        {"Count highlight",
         [&] {
             form->cbxQSearchN->SetText("(ab");
             form->btnHighlightN->Click();
         }},
        {"list building", [&] { form->btnCreateListClick(form->btnCreateList); }},
        {"saving over a file",
         [&] {
             // As the save handlers ask, with the window turned off.
             form->SetEnabled(false);
             form->qlSkinMessage1->MessageDlg("a.txt already exists, do you want to overwrite it?",
                                              TMsgDlgType::mtWarning, mbYes | mbNo);
             form->SetEnabled(true);
         }},
    };
    for (const auto& [name, show] : paths)
        for (TAnswerBy by : {TAnswerBy::Click, TAnswerBy::Enter, TAnswerBy::Escape}) {
            SCOPED_TRACE(std::string(name) + " answered by " + AnswerName(by));
            // The box shown for real, not scripted.
            TDialogScript::Activate(false);
            BoxCloser closer(by);
            GuardedCall(show);
            TDialogScript::Activate(true);
            EXPECT_TRUE(closer.Seen());
            EXPECT_TRUE(closer.ClosedByAnswer()) << "\"" << closer.Title() << "\" ignored the answer";
            EXPECT_TRUE(form->Enabled());
        }
}

}  // namespace
