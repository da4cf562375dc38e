// The skinned tree view feeds the bars the form placed beside it: they show
// with the overflow, follow the view silently, scroll it, and go with it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <string>

#include "platform/gui/Forms.h"
#include "platform/gui/Timers.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/controls/ScrollInfo.h"
#include "skin/controls/qlSkinTreeView.h"
#include "skin/core/StoredSkin.h"
#include "skin/default/DefaultSkin.h"
#include "tests/skin/SyntheticSkin.h"
#include "tests/support/Pictures.h"

namespace {

class SkinTreeView : public testing::Test {
protected:
    void SetUp() override {
        TTimerService::Instance().UseManualClock(true);
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        form->Show();
        tree = new TqlSkinCustomTreeView(form);
        tree->SetParent(form);
        tree->SetBounds(10, 10, 200, 150);
        vbar = new TqlSkinScrollBar(form);
        vbar->SetKind(sbVertical);
        vbar->SetParent(form);
        vbar->SetBounds(210, 10, 14, 150);
        hbar = new TqlSkinScrollBar(form);
        hbar->SetParent(form);
        hbar->SetBounds(10, 160, 200, 14);
        tree->SetVScrollBar(vbar);
        tree->SetHScrollBar(hbar);
        // Counts every change the bar reports to the view.
        const TNotifyEvent feed = vbar->OnChange;
        vbar->OnChange = [this, feed](TObject* sender) {
            ++vchanges;
            feed(sender);
        };
    }
    void TearDown() override {
        delete form;
        TTimerService::Instance().UseManualClock(false);
    }
    void Settle() {
        synthetic::Snapshot(*tree);
        TTimerService::Instance().Advance(1);
    }
    void AddItems(int n) {
        for (int i = 0; i < n; ++i) tree->AddItem(nullptr, "item " + std::to_string(i));
        Settle();
    }
    int NativeTop() { return GetScrollPos(tree, SB_VERT); }

    TForm* form = nullptr;
    TqlSkinCustomTreeView* tree = nullptr;
    TqlSkinScrollBar* vbar = nullptr;
    TqlSkinScrollBar* hbar = nullptr;
    int vchanges = 0;
};

TEST_F(SkinTreeView, TheVerticalBarAppearsWhenAnItemIsCutOffWithThePageOfTheVisibleItems) {
    Settle();
    const int fit = int(tree->Perform(TVM_GETVISIBLECOUNT));
    ASSERT_GT(fit, 2);
    EXPECT_FALSE(vbar->Visible()) << "an empty tree";
    AddItems(fit);
    EXPECT_FALSE(vbar->Visible()) << "every item fits";
    AddItems(1);
    ASSERT_TRUE(vbar->Visible()) << "one item cut off";
    EXPECT_EQ(vbar->PageSize(), fit);
    EXPECT_EQ(vbar->Min(), 0);
    EXPECT_EQ(vbar->Max(), fit) << "the last of fit + 1 items";
    EXPECT_EQ(vchanges, 0) << "mirroring fires no OnChange";
    EXPECT_FALSE(hbar->Visible()) << "short items need no horizontal bar";
}

TEST_F(SkinTreeView, KeysScrollTheViewAndTheBarFollowsSilently) {
    AddItems(60);
    ASSERT_TRUE(vbar->Visible());
    // The first key of a tree without a current item only makes the first one current.
    for (int press = 0; press < 2; ++press) {
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
        QApplication::sendEvent(tree->Widget(), &end);
    }
    Settle();
    EXPECT_GT(NativeTop(), 0);
    EXPECT_EQ(vbar->Position(), NativeTop());
    EXPECT_EQ(vbar->Position(), vbar->Max() - vbar->PageSize() + 1) << "the thumb at the end";
    EXPECT_EQ(vchanges, 0);
}

TEST_F(SkinTreeView, MovingTheBarScrollsTheView) {
    AddItems(60);
    for (int to : {7, 30, 0}) {
        SCOPED_TRACE(to);
        vbar->SetPosition(to);
        EXPECT_EQ(NativeTop(), to);
        Settle();
        EXPECT_EQ(vbar->Position(), to) << "the mirror does not move it back";
    }
    EXPECT_EQ(vchanges, 3);
}

TEST_F(SkinTreeView, HidingTheViewHidesItsBarsAndShowingItBringsThemBack) {
    AddItems(60);
    ASSERT_TRUE(vbar->Visible());
    tree->SetVisible(false);
    EXPECT_FALSE(vbar->Visible());
    EXPECT_FALSE(hbar->Visible());
    Settle();
    EXPECT_FALSE(vbar->Visible()) << "a hidden view shows no bars";
    tree->SetVisible(true);
    Settle();
    EXPECT_TRUE(vbar->Visible());
}

TEST_F(SkinTreeView, TheHorizontalBarLeavesTheCornerOnlyBesideAVerticalOne) {
    const std::string wide(120, 'w');
    struct Case {
        int items;
        bool vertical;
    } cases[] = {{1, false}, {60, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.items);
        tree->ClearItems();
        for (int i = 0; i < c.items; ++i) tree->AddItem(nullptr, wide);
        Settle();
        ASSERT_TRUE(hbar->Visible()) << "a row wider than the view";
        EXPECT_EQ(vbar->Visible(), c.vertical);
        EXPECT_EQ(hbar->Both(), c.vertical);
    }
}

TEST_F(SkinTreeView, TakesTheColoursOfTheSkinsTreeViewAndGivesThemBack) {
    auto* stored = new TqlCompressedStoredSkin(form);
    stored->SetCompressedData(DefaultSkinZlib());
    auto* skin = new TqlSkinData(form);
    skin->SetCompressedStoredSkin(stored);
    tree->SetSkinData(skin);
    const int index = skin->IndexOfControlData("treeview");
    ASSERT_GE(index, 0);
    const auto* look = dynamic_cast<const TqlDataSkinTreeView*>(skin->CtrlList[size_t(index)].get());
    ASSERT_NE(look, nullptr);
    EXPECT_EQ(tree->Index(), index);
    EXPECT_EQ(tree->Color(), look->BGColor);
    EXPECT_EQ(tree->Font().Color(), look->FontColor);
    EXPECT_EQ(tree->Font().Name(), look->FontName);
    tree->SetSkinData(nullptr);
    tree->ChangeSkinData();
    EXPECT_EQ(tree->Index(), -1);
    EXPECT_EQ(tree->Color(), tree->DefaultColor);
    EXPECT_EQ(tree->Font().Name(), "Arial");
}

// As the dialogs arrange it: the tree fills a container beside its bars,
// and gives the bar room as it appears and takes it back as it goes.
TEST_F(SkinTreeView, AnAlignedTreeMakesRoomForItsBarAndTakesItBack) {
    auto* box = new TCustomControl(form);
    box->SetParent(form);
    box->SetBounds(250, 10, 140, 150);
    vbar->SetParent(box);
    vbar->SetAlign(TAlign::alRight);
    hbar->SetParent(box);
    hbar->SetAlign(TAlign::alBottom);
    tree->SetParent(box);
    tree->SetAlign(TAlign::alClient);
    Settle();
    EXPECT_FALSE(vbar->Visible());
    EXPECT_EQ(tree->Width(), 140) << "no bar, the whole width";
    AddItems(60);
    ASSERT_TRUE(vbar->Visible());
    EXPECT_EQ(tree->Width(), 140 - vbar->Width());
    EXPECT_EQ(vbar->Left(), tree->Width());
    tree->ClearItems();
    Settle();
    EXPECT_FALSE(vbar->Visible());
    EXPECT_EQ(tree->Width(), 140);
}

}  // namespace

namespace {

// Items show their state image, then their image, left of the text; a skin
// gives both lists the view's background, which shows round the images' shapes.
TEST_F(SkinTreeView, ItemsShowTheirImagesOnTheViewsBackground) {
    constexpr TColor kGlyph = 0x1020E0, kState = 0xE02010, kMask = 0x00FF00, kGround = 0x336699;
    TCustomImageList images(12, 12), states(8, 12);
    TBitmap glyph(12, 12), state(8, 12);
    synthetic::FillRect(glyph, Rect(0, 0, 12, 12), kMask);
    synthetic::FillRect(glyph, Rect(3, 3, 9, 9), kGlyph);
    synthetic::FillRect(state, Rect(0, 0, 8, 12), kState);
    images.AddMasked(glyph, kMask);
    states.AddMasked(state, clNone);
    tree->SetImages(&images);
    tree->SetStateImages(&states);
    const HTREEITEM first = tree->AddItem(nullptr, "first");
    tree->SetItemImageIndex(first, 0);
    tree->SetItemStateIndex(first, 0);
    tree->SetItemImageIndex(tree->AddItem(nullptr, "second"), 7);  // no such image: its room stays empty
    // Where colour c first shows in row y, and how many rows show it.
    auto firstX = [](const TBitmap& b, int y, TColor c) {
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == c) return x;
        return -1;
    };
    auto rows = [&](const TBitmap& b, TColor c, int* top) {
        int n = 0;
        for (int y = b.Height() - 1; y >= 0; --y)
            if (firstX(b, y, c) >= 0) ++n, *top = y;
        return n;
    };
    Settle();
    TBitmap shot = synthetic::Snapshot(*tree);
    int row = -1, stateRow = -1;
    EXPECT_EQ(rows(shot, kGlyph, &row), 6) << "only the first item's image";
    EXPECT_EQ(rows(shot, kState, &stateRow), 12);
    ASSERT_GE(row, 0);
    EXPECT_LT(firstX(shot, row, kState), firstX(shot, row, kGlyph)) << "the state image comes first";
    EXPECT_EQ(rows(shot, kMask, &row), 0) << "the mask colour never shows";

    // Skinned: the lists take the view's colour, shown round the image's shape
    // even on the selected row.
    synthetic::Skin skin(form);
    skin.Add<TqlDataSkinTreeView>("treeview").BGColor = kGround;
    tree->SetSkinData(skin.Data);
    EXPECT_EQ(images.BkColor, kGround);
    EXPECT_EQ(states.BkColor, kGround);
    tree->Select(first);
    Settle();
    shot = synthetic::Snapshot(*tree);
    rows(shot, kGlyph, &row);
    EXPECT_EQ(shot.Pixel(firstX(shot, row, kGlyph) - 2, row), kGround);
    EXPECT_TRUE(shot.SavePng(PicturePath("SkinTreeViewImages.png")));
}

}  // namespace
