// Skinned bars attached to a list view: they appear with the overflow, mirror
// the view without scrolling it back, scroll it, and go with it.

#include <gtest/gtest.h>

#include <string>

#include "platform/gui/Forms.h"
#include "platform/gui/ListView.h"
#include "platform/gui/Timers.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/controls/ScrollInfo.h"
#include "skin/controls/qlSkinViews.h"
#include "tests/skin/SyntheticSkin.h"

namespace {

class AttachedBars : public testing::Test {
protected:
    void SetUp() override {
        TTimerService::Instance().UseManualClock(true);
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 500, 400);
        form->Show();
        list = new TListView(form);
        list->SetParent(form);
        list->SetBounds(10, 10, 300, 200);
        list->AddColumn("Word", 600);
        list->SetOwnerData(true);
        list->OnData = [this](TObject*, TListItem* item) {
            ++asked;
            item->Caption = "row " + std::to_string(item->Index());
        };
        bars = new TqlAttachedScrollBars(list);
    }
    void TearDown() override {
        delete form;
        TTimerService::Instance().UseManualClock(false);
    }
    // The bars follow the view on the next timer ticks (giving them room
    // changes the view once more).
    // The bars follow the view on the next timer ticks; column widths reach
    // the view's header when it paints.
    void Settle() {
        synthetic::Snapshot(*list);
        for (int tick = 0; tick < 2; ++tick) TTimerService::Instance().Advance(1);
    }
    int Top() { return int(list->Perform(LVM_GETTOPINDEX)); }

    TForm* form = nullptr;
    TListView* list = nullptr;
    TqlAttachedScrollBars* bars = nullptr;
    int asked = 0;
};

TEST_F(AttachedBars, AppearWithTheOverflowAndMirrorThePage) {
    Settle();
    EXPECT_FALSE(bars->VScrollBar()->Visible());
    list->Items().SetCount(100000);
    Settle();
    TqlSkinScrollBar* v = bars->VScrollBar();
    ASSERT_TRUE(v->Visible());
    EXPECT_EQ(v->Min(), 0);
    EXPECT_EQ(v->PageSize(), int(list->Perform(LVM_GETCOUNTPERPAGE)));
    EXPECT_EQ(v->Max(), 100000 - 1);
    // The bar stands along the view's right edge, the horizontal one along its bottom.
    EXPECT_EQ(v->Left() + v->Width(), list->Left() + list->Width());
    EXPECT_EQ(v->Top(), list->Top());
    ASSERT_TRUE(bars->HScrollBar()->Visible());
    EXPECT_TRUE(bars->HScrollBar()->Both());
    EXPECT_EQ(bars->HScrollBar()->Top() + bars->HScrollBar()->Height(), list->Top() + list->Height());
    EXPECT_EQ(v->Top() + v->Height(), bars->HScrollBar()->Top());
    // A long list still costs only the rows it shows.
    EXPECT_LT(asked, 200);

    list->Items().SetCount(3);
    Settle();
    EXPECT_FALSE(v->Visible());
}

TEST_F(AttachedBars, FollowTheViewSilentlyAndScrollIt) {
    list->Items().SetCount(1000);
    Settle();
    TqlSkinScrollBar* v = bars->VScrollBar();
    int changes = 0;
    const TNotifyEvent scroll = v->OnChange;
    v->OnChange = [&](TObject* s) {
        ++changes;
        scroll(s);
    };
    list->Perform(WM_VSCROLL, MakeScrollWParam(SB_PAGEDOWN, 0));
    list->Perform(WM_VSCROLL, MakeScrollWParam(SB_LINEDOWN, 0));
    Settle();
    EXPECT_GT(Top(), 0);
    EXPECT_EQ(v->Position(), Top());
    EXPECT_EQ(changes, 0);

    v->SetPosition(500);
    Settle();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Top(), 500);
}

TEST_F(AttachedBars, HideAndGoWithTheView) {
    list->Items().SetCount(1000);
    Settle();
    ASSERT_TRUE(bars->VScrollBar()->Visible());
    list->SetVisible(false);
    Settle();
    EXPECT_FALSE(bars->VScrollBar()->Visible());
    EXPECT_FALSE(bars->HScrollBar()->Visible());
    list->SetVisible(true);
    Settle();
    EXPECT_TRUE(bars->VScrollBar()->Visible());

    const int before = form->ControlCount();
    delete list;
    EXPECT_EQ(form->ControlCount(), before - 3);
}

}  // namespace

namespace {

// The header of a list view in the face of the skin's "resizebutton", the
// space right of the last column too; the platform's own look without it.
TEST(SkinHeader, SectionsAndTheRestTakeTheSkinsFace) {
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 500, 400);
    form->Show();
    auto* skin = new synthetic::Skin(form);
    constexpr TColor kFace = 0x2080C0;
    TBitmap pic(20, 20);
    synthetic::FillRect(pic, Rect(0, 0, 20, 20), kFace);
    auto& look = skin->Add<TqlDataSkinButtonControl>("resizebutton");
    look.PictureIndex = skin->AddPicture(pic);
    look.SkinRect = Rect(0, 0, 20, 20);
    look.ClientRect = Rect(2, 2, 18, 18);
    look.FontColor = clBlack;
    auto* list = new TListView(form);
    list->SetParent(form);
    list->SetBounds(0, 0, 400, 200);
    list->AddColumn("Word", 100);
    list->AddColumn("Count", 80, TAlignment::taRightJustify);
    new TqlSkinHeader(list);
    const TBitmap shot = synthetic::Snapshot(*list);
    for (int x : {50, 150, 300}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(shot.Pixel(x, 2), kFace);
    }
    delete skin->Data;
    EXPECT_NE(synthetic::Snapshot(*list).Pixel(50, 2), kFace);
    delete skin;
    delete form;
}

}  // namespace
