// A live skin load re-skins every skinned part of a form once, through the
// form-skinning component listening to the form's skin messages.

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "platform/gui/ListView.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/qlSkinUpDown.h"
#include "skin/controls/SkinPanels.h"
#include "skin/controls/qlSkinTabs.h"
#include "skin/controls/qlSkinTreeView.h"
#include "skin/controls/qlSkinViews.h"
#include "skin/default/DefaultSkin.h"
#include "skin/forms/qlCorvane.h"

namespace {

// Counts the calls of the bases' two re-skinning entry points.
template <class Base>
class Counting : public Base {
public:
    using Base::Base;
    void BeforeChangeSkinData() override {
        ++befores;
        Base::BeforeChangeSkinData();
    }
    void ChangeSkinData() override {
        ++changes;
        Base::ChangeSkinData();
    }
    int befores = 0, changes = 0;
};

class Corvane : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 600, 400);
        form->Show();
        skin = new TqlSkinData(form);
        corvane = new TqlCorvane(form);
        stored = new TqlCompressedStoredSkin(form);
        stored->SetCompressedData(DefaultSkinZlib());
    }
    void TearDown() override { delete form; }

    template <class T>
    T* Add(TWinControl* parent) {
        auto* c = new T(form);
        c->SetParent(parent);
        return c;
    }

    TForm* form = nullptr;
    TqlSkinData* skin = nullptr;
    TqlCorvane* corvane = nullptr;
    TqlCompressedStoredSkin* stored = nullptr;
};

TEST_F(Corvane, ALiveLoadReskinsEveryControlOnce) {
    auto* pc = Add<TqlSkinPageControl>(form);
    pc->SetBounds(0, 0, 500, 300);
    auto* sheet = new TqlSkinTabSheet(form);
    sheet->SetPageControl(pc);
    // Controls on the form and deeper down, on a page.
    auto* bar = Add<Counting<TqlSkinScrollBar>>(form);
    auto* nested = Add<Counting<TqlSkinScrollBar>>(sheet);
    auto* button = Add<Counting<TqlSkinButton>>(sheet);
    auto* tree = Add<TqlSkinCustomTreeView>(sheet);
    ASSERT_EQ(pc->SkinData(), skin);
    ASSERT_EQ(tree->SkinData(), skin);
    EXPECT_EQ(tree->Index(), -1);
    EXPECT_FALSE(pc->Skinned());
    EXPECT_EQ(bar->Index(), -1);

    int before = 0, after = 0;
    corvane->OnBeforeChangeSkinData = [&](TObject*) { ++before; };
    corvane->OnAfterChangeSkinData = [&](TObject*) { ++after; };
    skin->LoadFromStoredSkin(*stored);

    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    EXPECT_FALSE(corvane->Changing());
    struct Row {
        const char* what;
        int befores, changes, index;
    } rows[] = {{"bar on the form", bar->befores, bar->changes, bar->Index()},
                {"bar on a page", nested->befores, nested->changes, nested->Index()},
                {"button on a page", button->befores, button->changes, button->Index()}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(r.befores, 1);
        EXPECT_EQ(r.changes, 1);
        EXPECT_NE(r.index, -1);
    }
    // The bar took the skin's thickness, the page control its tabs and page area.
    EXPECT_EQ(bar->Height(), HeightOfRect(dynamic_cast<const TqlDataSkinScrollBarControl&>(
                                              *skin->CtrlList[size_t(skin->IndexOfControlData("hscrollbar"))])
                                              .SkinRect));
    EXPECT_TRUE(pc->Skinned());
    const auto& tab = dynamic_cast<const TqlDataSkinTabControl&>(*skin->CtrlList[size_t(skin->IndexOfControlData("tab"))]);
    EXPECT_EQ(pc->TabHeight, HeightOfRect(tab.TabRect));
    EXPECT_EQ(sheet->BoundsRect(), pc->ClientRect());
    // The tree took the colours of the skin's tree view.
    const int treeIndex = skin->IndexOfControlData("treeview");
    EXPECT_EQ(tree->Index(), treeIndex);
    EXPECT_EQ(tree->Color(), dynamic_cast<const TqlDataSkinTreeView&>(*skin->CtrlList[size_t(treeIndex)]).BGColor);
}

// Before a load only windowed controls drop their descriptor; windowless ones
// look theirs up at every paint. Both, and the up-down, are re-skinned after.
TEST_F(Corvane, OnlyWindowedControlsAreToldBeforeALoadAndEveryOneAfter) {
    auto* bar = Add<Counting<TqlSkinScrollBar>>(form);
    auto* updown = Add<Counting<TqlSkinUpDown>>(form);
    auto* speed = Add<Counting<TqlSkinSpeedButton>>(form);
    skin->LoadFromStoredSkin(*stored);
    struct Row {
        const char* what;
        int befores, changes, index;
    } rows[] = {{"scroll bar", bar->befores, bar->changes, bar->Index()},
                {"up-down", updown->befores, updown->changes, updown->Index()},
                {"speed button", speed->befores, speed->changes, speed->Index()}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(r.befores, r.what == std::string("speed button") ? 0 : 1);
        EXPECT_EQ(r.changes, 1);
        EXPECT_NE(r.index, -1);
    }
}

// A new string table gives the caption buttons their hints again; switching
// SkinnableForm switches form skinning, but only for the form's own skin.
TEST_F(Corvane, TakesHintsAgainAndFollowsSkinnableForm) {
    EXPECT_EQ(corvane->CaptionButtonHint(TqlCaptionButton::Minimize), "Minimize");
    EXPECT_EQ(corvane->CaptionButtonHint(TqlCaptionButton::Menu), "System menu");
    auto* table = new TqlResourceStrData(form);
    TStringList lines;
    lines.Add("MINBUTTON_HINT=Shrink");
    lines.Add("CLOSEBUTTON_HINT=Shut");
    table->SetResStrings(lines);
    skin->SetResourceStrData(table);
    EXPECT_EQ(corvane->CaptionButtonHint(TqlCaptionButton::Minimize), "Shrink");
    EXPECT_EQ(corvane->CaptionButtonHint(TqlCaptionButton::Close), "Shut");
    EXPECT_EQ(corvane->CaptionButtonHint(TqlCaptionButton::Maximize), "Maximize");

    EXPECT_TRUE(corvane->FormSkinning());
    auto* other = new TqlSkinData(form);
    other->SetSkinnableForm(false);
    form->Perform(WM_CHANGESKINNABLEFORM, WPARAM(other), kSkinMessageLParam);
    EXPECT_TRUE(corvane->FormSkinning());
    skin->SetSkinnableForm(false);
    EXPECT_FALSE(corvane->FormSkinning());
    skin->SetSkinnableForm(true);
    EXPECT_TRUE(corvane->FormSkinning());
}

TEST_F(Corvane, ControlsOfAnotherSkinAreLeftAlone) {
    auto* other = new TqlSkinData(form);
    auto* bar = Add<Counting<TqlSkinScrollBar>>(form);
    bar->SetSkinData(other);
    bar->changes = 0;
    skin->LoadFromStoredSkin(*stored);
    EXPECT_EQ(bar->befores, 0);
    EXPECT_EQ(bar->changes, 0);
}

TEST_F(Corvane, AttachedBarsFollowTheNewSkinsThickness) {
    auto* list = Add<TListView>(form);
    list->SetBounds(10, 10, 300, 200);
    list->AddColumn("Word", 800);
    list->SetOwnerData(true);
    list->OnData = [](TObject*, TListItem* item) { item->Caption = "row"; };
    list->Items().SetCount(1000);
    auto* bars = new TqlAttachedScrollBars(list);
    ASSERT_TRUE(bars->VScrollBar()->Visible());
    const int plain = bars->VScrollBar()->Width();
    skin->LoadFromStoredSkin(*stored);
    const int skinned = bars->VScrollBar()->Width();
    EXPECT_NE(skinned, plain);
    EXPECT_EQ(bars->VScrollBar()->Left() + skinned, list->Left() + list->Width());
}

// A maximised form cannot be sized: its status bars show no grip until it is restored.
TEST_F(Corvane, TheStatusBarsGripIsOffWhileTheFormIsMaximised) {
    auto* bar = Add<TqlSkinStatusBar>(form);
    bar->SetAlign(TAlign::alBottom);
    bar->SetSizeGrip(true);
    struct Step {
        TWindowState state;
        bool gripActive;
    } steps[] = {{TWindowState::wsMaximized, false}, {TWindowState::wsNormal, true},
                 {TWindowState::wsMaximized, false}, {TWindowState::wsMinimized, true}};
    for (const Step& step : steps) {
        SCOPED_TRACE(int(step.state));
        form->SetWindowState(step.state);
        EXPECT_EQ(form->WindowState(), step.state);
        EXPECT_EQ(bar->GripActive(), step.gripActive);
    }
    EXPECT_TRUE(bar->SizeGrip()) << "the bar's own setting stays";
}

}  // namespace
