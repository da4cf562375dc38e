// The collocate table and the concordance pane scroll by the skin's bars: a
// run that overflows the table shows them, they scroll it, and the page is
// written as a picture to look at.

#include <gtest/gtest.h>

#include <string>

#include "app/Unit1.h"
#include "platform/gui/Timers.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "skin/controls/qlSkinViews.h"
#include "tests/support/FormFixture.h"
#include "tests/support/FormPicture.h"

namespace {

class ScrolledTableLook : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        TTimerService::Instance().UseManualClock(true);
        // Two hundred different collocates of "cat", far more rows than the table shows.
        std::string text;
        for (int i = 0; i < 200; ++i) text += "cat_NN w" + std::to_string(i) + "_NN\r\n";
        OpenCorpus({{"a.txt", text}});
        TForm1::SetAllChecked(form->clbFileList, true);
        form->clbFileListClickCheck(form->clbFileList);
        form->SetBounds(0, 0, 1200, 800);
    }
    void TearDown() override {
        FormFixture::TearDown();
        TTimerService::Instance().UseManualClock(false);
    }

    static TqlAttachedScrollBars* BarsOf(TWinControl* view) {
        for (int i = 0; i < view->ComponentCount(); ++i)
            if (auto* bars = dynamic_cast<TqlAttachedScrollBars*>(view->Components(i))) return bars;
        return nullptr;
    }
    // The bars follow the table on the next timer ticks: a bar shown or
    // hidden resizes the table, which they follow once more, and so on until
    // both agree.
    static void Settle() {
        for (int tick = 0; tick < 4; ++tick) TTimerService::Instance().Advance(1);
    }
};

TEST_F(ScrolledTableLook, TheCollocateTableScrollsByTheSkinsBar) {
    form->cbxNode->SetText("cat");
    form->cbxLeftSpan->SetItemIndex(1);
    form->cbxRightSpan->SetItemIndex(1);
    GuardedCall([&] { form->btnCol->Click(); });
    form->qlSkinPageControl1->SetActivePage(form->tsColligate);
    Settle();

    TqlSkinCustomListView* table = form->lsvColligate;
    ASSERT_GE(table->Items().Count(), 200);
    TqlSkinScrollBar* bar = table->VScrollBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->Visible());
    EXPECT_NE(bar->Index(), -1) << "drawn from the default skin";
    EXPECT_EQ(bar->PageSize(), int(table->Perform(LVM_GETCOUNTPERPAGE)));

    // An arrow steps one row, a click below the thumb one page.
    bar->Layout();
    const TRect inc = bar->PartRect(TqlSkinScrollBar::ptIncrement);
    bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((inc.Left + inc.Right) / 2, (inc.Top + inc.Bottom) / 2));
    bar->Perform(WM_LBUTTONUP, 0, MAKELPARAM((inc.Left + inc.Right) / 2, (inc.Top + inc.Bottom) / 2));
    Settle();
    EXPECT_EQ(table->Perform(LVM_GETTOPINDEX), 1);
    bar->Layout();
    const TRect thumb = bar->PartRect(TqlSkinScrollBar::ptThumb);
    bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(thumb.Left + 2, thumb.Bottom + 20));
    bar->Perform(WM_LBUTTONUP, 0, MAKELPARAM(thumb.Left + 2, thumb.Bottom + 20));
    Settle();
    EXPECT_EQ(table->Perform(LVM_GETTOPINDEX), 1 + bar->PageSize());
    EXPECT_EQ(bar->Position(), 1 + bar->PageSize());

    FormPicture picture(form);
    EXPECT_TRUE(picture.Save("main_window_collocate.png"));
}

}  // namespace
