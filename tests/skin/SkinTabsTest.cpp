// The skinned page control on a synthetic tab skin: where the pages go, what
// the strip, the frame and each tab show, and which tab the pointer is over.

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "platform/gui/QtBridge.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/controls/ScrollInfo.h"
#include "skin/controls/qlSkinTabs.h"
#include "skin/controls/qlSkinListView.h"
#include "skin/controls/qlSkinTreeView.h"
#include "skin/core/StoredSkin.h"
#include "skin/default/DefaultSkin.h"
#include "tests/support/Pictures.h"
#include "tests/skin/SyntheticSkin.h"

using namespace synthetic;

namespace {

constexpr TColor kIdle = 0x203040, kSelected = 0x405060, kHot = 0x607080, kStrip = 0x8090A0;
// The outer edge of the idle tab: its top row in the picture.
constexpr TColor kIdleEdge = 0x10E0B0;

class SkinTabs : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        form->Show();
        skin = std::make_unique<Skin>(form);
        // The nine cells of the frame, then an idle tab, a selected tab two
        // pixels taller, a hovered tab and the strip's background.
        TBitmap pic(100, 30);
        const TBitmap cells = NineCells();
        pic.Canvas().Draw(0, 0, cells);
        FillRect(pic, Rect(30, 0, 50, 10), kIdle);
        FillRect(pic, Rect(30, 0, 50, 1), kIdleEdge);
        FillRect(pic, Rect(50, 0, 70, 12), kSelected);
        FillRect(pic, Rect(70, 0, 90, 10), kHot);
        FillRect(pic, Rect(90, 0, 100, 10), kStrip);
        look = &skin->Add<TqlDataSkinTabControl>("tab");
        look->PictureIndex = skin->AddPicture(pic);
        look->SkinRect = Rect(0, 0, 30, 30);
        look->LTPoint = {10, 10};
        look->RTPoint = {20, 10};
        look->LBPoint = {10, 20};
        look->RBPoint = {20, 20};
        look->ClientRect = Rect(10, 10, 20, 20);
        look->TabRect = Rect(30, 0, 50, 10);
        look->ActiveTabRect = Rect(50, 0, 70, 12);
        look->MouseInTabRect = Rect(70, 0, 90, 10);
        look->TabsBGRect = Rect(90, 0, 100, 10);
    }
    void TearDown() override { delete form; }

    // The main window's six pages, three of them without a tab.
    TqlSkinPageControl* MainPages(const char* captions[6] = nullptr) {
        auto* pc = new TqlSkinPageControl(form);
        pc->SetParent(form);
        pc->TabWidth = 40;
        pc->SetBounds(0, 0, 200, 100);
        const char* names[] = {"Settings", "Query", "Count", "Collocate", "N-Gram", "About"};
        for (int i = 0; i < 6; ++i) {
            auto* sheet = new TqlSkinTabSheet(form);
            sheet->SetPageControl(pc);
            sheet->SetCaption(captions ? captions[i] : names[i]);
            sheet->SetTabVisible(i != 1 && i != 2 && i != 4);
        }
        return pc;
    }

    TForm* form = nullptr;
    std::unique_ptr<Skin> skin;
    TqlDataSkinTabControl* look = nullptr;
};

// Other skinned windows may ask a view to paint into their context: the
// page control, its sheets and the tree and list views say they can; other messages
// still reach the platform's handling.
TEST_F(SkinTabs, ThePagesAndTheTreeAnswerAPaintRequest) {
    TqlSkinPageControl* pc = MainPages();
    auto* tree = new TqlSkinCustomTreeView(form);
    tree->SetParent(form);
    auto* list = new TqlSkinCustomListView(form);
    list->SetParent(form);
    const std::pair<const char*, TWinControl*> views[] = {
        {"page control", pc}, {"sheet", pc->Pages(0)}, {"tree", tree}, {"list", list}};
    for (const auto& [name, c] : views) {
        SCOPED_TRACE(name);
        EXPECT_EQ(c->Perform(WM_PAINTTODC, 0, 0), 0x3233);
    }
    EXPECT_EQ(pc->Perform(TCM_GETITEMCOUNT, 0, 0), 3) << "the tabs shown";
}

TEST_F(SkinTabs, PagesFillTheSkinsClientAreaBelowTheTabs) {
    auto* pc = MainPages();
    ASSERT_TRUE(pc->Skinned());
    EXPECT_EQ(pc->TabHeight, 10);
    EXPECT_EQ(pc->ClientRect(), Rect(10, 20, 190, 90));
    for (int i = 0; i < pc->PageCount(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pc->Pages(i)->BoundsRect(), Rect(10, 20, 190, 90));
    }

    // Without its skin the control goes back to the platform's page area and tab height.
    delete skin->Data;
    EXPECT_FALSE(pc->Skinned());
    EXPECT_EQ(pc->TabHeight, pc->DefaultItemHeight());
    EXPECT_EQ(pc->Pages(0)->BoundsRect(), pc->ClientRect());
}

// The Collocate tab is the second visible tab but the fourth page.
TEST_F(SkinTabs, HiddenPagesTakeNoPartInTabsOrHotTracking) {
    auto* pc = MainPages();
    const TRect second = pc->TabRect(3);
    EXPECT_EQ(second.Left, pc->TabRect(0).Right);
    TRect item;
    ASSERT_TRUE(pc->Perform(TCM_GETITEMRECT, 1, LPARAM(&item)));
    EXPECT_EQ(item, second);
    struct Case {
        int x, y, hot;
    } cases[] = {{second.Left + 3, 5, 3}, {pc->TabRect(0).Left + 3, 5, 0}, {pc->TabRect(5).Left + 3, 5, 5},
                 {pc->TabRect(5).Right + 5, 5, -1}, {100, 50, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        pc->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(c.x, c.y));
        EXPECT_EQ(pc->HotPage(), c.hot);
    }
    pc->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(second.Left + 3, 5));
    pc->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(pc->HotPage(), -1);
}

TEST_F(SkinTabs, StripFrameAndTabsComeFromTheSkin) {
    const char* blank[6] = {"", "", "", "", "", ""};
    auto* pc = MainPages(blank);
    pc->SetActivePageIndex(3);
    const TRect idle = pc->TabRect(0), active = pc->TabRect(3), about = pc->TabRect(5);
    struct Step {
        const char* what;
        int x, y;
        TColor colour;
    } before[] = {
        {"idle tab", idle.Left + 2, 2, kIdle},
        {"selected tab", active.Left + 2, 2, kSelected},
        {"selected tab over the frame's top line", active.Left + 2, 11, kSelected},
        {"strip beyond the tabs", about.Right + 10, 5, kStrip},
        {"frame's left edge", 5, 50, kLeft},
        {"frame's bottom edge", 100, 95, kBottom},
        {"frame's top-right corner", 195, 15, kTR},
    };
    const TBitmap shot = Snapshot(*pc);
    for (const Step& s : before) {
        SCOPED_TRACE(s.what);
        EXPECT_EQ(shot.Pixel(s.x, s.y), s.colour);
    }
    const TColor top = shot.Pixel(about.Right + 10, 11);
    EXPECT_TRUE(top == kTopA || top == kTopB);

    pc->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(about.Left + 2, 2));
    EXPECT_EQ(Snapshot(*pc).Pixel(about.Left + 2, 2), kHot);
    // The selected tab keeps its face under the pointer.
    pc->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(active.Left + 2, 2));
    EXPECT_EQ(Snapshot(*pc).Pixel(active.Left + 2, 2), kSelected);
}

TEST_F(SkinTabs, SheetsShowTheSkinsPageAreaOrTheirWallpaper) {
    auto* pc = MainPages();
    auto* sheet = static_cast<TqlSkinTabSheet*>(pc->Pages(0));
    EXPECT_EQ(Snapshot(*sheet).Pixel(5, 5), kClient);
    EXPECT_EQ(Snapshot(*sheet).Pixel(170, 60), kClient);

    TBitmap paper(4, 4);
    FillRect(paper, Rect(0, 0, 4, 4), 0x123456);
    FillRect(paper, Rect(0, 0, 2, 2), 0x654321);
    sheet->WallPaper = paper;
    const TBitmap shot = Snapshot(*sheet);
    EXPECT_EQ(shot.Pixel(0, 0), 0x654321);
    EXPECT_EQ(shot.Pixel(3, 3), 0x123456);
    EXPECT_EQ(shot.Pixel(100, 40), 0x654321);
}

// The page background is built once and kept: a new size or a skin change
// must still show at once.
TEST_F(SkinTabs, ThePageBackgroundFollowsTheSizeAndTheSkin) {
    auto* pc = MainPages();
    auto* sheet = static_cast<TqlSkinTabSheet*>(pc->Pages(0));
    EXPECT_EQ(Snapshot(*sheet).Pixel(5, 5), kClient);
    pc->SetBounds(0, 0, 300, 200);
    const TBitmap grown = Snapshot(*sheet);
    EXPECT_EQ(grown.Pixel(grown.Width() - 1, grown.Height() - 1), kClient);
    FillRect(*skin->Data->ActivePictures[size_t(look->PictureIndex)], Rect(10, 10, 20, 20), 0x0000F0);
    pc->ChangeSkinData();
    EXPECT_EQ(Snapshot(*sheet).Pixel(5, 5), 0x0000F0);
    EXPECT_EQ(Snapshot(*pc).Pixel(0, pc->Height() - 1), kBL);
}

// With no tab shown the frame still stands round the pages, on the page
// background; with pages, the strip lies beside it.
TEST_F(SkinTabs, ControlWithoutVisibleTabsShowsTheFrameOnThePageBackground) {
    auto* pc = new TqlSkinPageControl(form);
    pc->SetParent(form);
    pc->SetBounds(0, 0, 120, 80);
    for (bool pages : {false, true}) {
        SCOPED_TRACE(pages ? "pages without tabs" : "no pages");
        if (pages) (new TqlSkinTabSheet(form))->SetPageControl(pc), pc->Pages(0)->SetTabVisible(false);
        // A 10-pixel row above the frame: the pages from (10, 20) to (110, 70).
        const TBitmap shot = Snapshot(*pc);
        EXPECT_TRUE(shot.SavePng(PicturePath(pages ? "tabs-none-shown.png" : "tabs-no-pages.png")));
        EXPECT_EQ(shot.Pixel(60, 5), pages ? kStrip : kClient);
        EXPECT_EQ(shot.Pixel(1, 11), kTL);
        EXPECT_EQ(shot.Pixel(119, 79), kBR);
        EXPECT_EQ(shot.Pixel(60, 45), kClient);
    }
}

// A hovered face taller than the row is cut at the strip: it never covers the
// frame, above or below the pages.
TEST_F(SkinTabs, AHoveredFaceTallerThanTheRowStaysInTheStrip) {
    FillRect(*skin->Data->ActivePictures[size_t(look->PictureIndex)], Rect(70, 0, 90, 14), kHot);
    look->MouseInTabRect = Rect(70, 0, 90, 14);
    const char* blank[6] = {"", "", "", "", "", ""};
    auto* pc = MainPages(blank);
    for (TTabPosition side : {TTabPosition::tpTop, TTabPosition::tpBottom}) {
        pc->SetTabPosition(side);
        const TRect about = pc->TabRect(5);
        // In the row, and two pixels into the frame beyond it.
        const int x = about.Left + 5, row = about.Top + 5;
        const int frame = side == TTabPosition::tpTop ? about.Bottom + 2 : about.Top - 3;
        const TColor unlit = Snapshot(*pc).Pixel(x, frame);
        TQtBridge::MouseMessage(pc, WM_MOUSEMOVE, 0, x, row);
        const TBitmap shot = Snapshot(*pc);
        EXPECT_TRUE(shot.SavePng(PicturePath(side == TTabPosition::tpTop ? "tabs-tall-hover-top.png" : "tabs-tall-hover-bottom.png")));
        EXPECT_EQ(shot.Pixel(x, row), kHot);
        EXPECT_EQ(shot.Pixel(x, frame), unlit) << (side == TTabPosition::tpTop ? "top" : "bottom");
        pc->Perform(CM_MOUSELEAVE);
    }
}

}  // namespace

namespace {

class SkinTabCloseButtons : public SkinTabs {
protected:
    TqlSkinPageControl* Pages() {
        auto* pc = MainPages();
        pc->TabWidth = 0;
        pc->SetBounds(0, 0, 400, 100);
        return pc;
    }
    // Where a page's close button is on the control, after a paint placed it.
    static TPoint CloseButtonOf(TqlSkinPageControl* pc, int page) {
        Snapshot(*pc);
        const auto* sheet = static_cast<TqlSkinTabSheet*>(pc->Pages(page));
        const TRect tab = pc->TabRect(page);
        return {tab.Left + (sheet->CloseRect.Left + sheet->CloseRect.Right) / 2,
                tab.Top + (sheet->CloseRect.Top + sheet->CloseRect.Bottom) / 2};
    }
    static void Click(TqlSkinPageControl* pc, TPoint p) {
        pc->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(p.X, p.Y));
        pc->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
        pc->Perform(WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
    }
};

TEST_F(SkinTabCloseButtons, TabsWidenForTheButtonAndNarrowBack) {
    auto* pc = Pages();
    const int visible[] = {0, 3, 5};
    int widths[3];
    for (int i = 0; i < 3; ++i) widths[i] = pc->TabRect(visible[i]).Width();
    pc->SetShowCloseButtons(true);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(pc->TabRect(visible[i]).Width(), widths[i] + 14 + 5);
    pc->SetShowCloseButtons(false);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(pc->TabRect(visible[i]).Width(), widths[i]);
}

// The page whose button was pressed closes, also when it is not the active one,
// and the active page stays.
TEST_F(SkinTabCloseButtons, TheButtonClosesItsOwnPage) {
    auto* pc = Pages();
    pc->SetShowCloseButtons(true);
    pc->SetActivePageIndex(0);
    int closed = 0;
    pc->OnAfterClose = [&](TObject*) { ++closed; };
    Click(pc, CloseButtonOf(pc, 3));
    EXPECT_FALSE(pc->Pages(3)->TabVisible());
    EXPECT_TRUE(pc->Pages(0)->TabVisible());
    EXPECT_EQ(pc->ActivePageIndex(), 0);
    EXPECT_EQ(closed, 1);

    // Refused: the page and its tab stay.
    pc->OnClose = [](TObject*, bool& canClose) { canClose = false; };
    Click(pc, CloseButtonOf(pc, 5));
    EXPECT_TRUE(pc->Pages(5)->TabVisible());
    EXPECT_EQ(closed, 1);

    // Released off the button: nothing closes.
    pc->OnClose = nullptr;
    const TPoint p = CloseButtonOf(pc, 5);
    pc->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
    pc->Perform(WM_LBUTTONUP, 0, MAKELPARAM(p.X, 90));
    EXPECT_TRUE(pc->Pages(5)->TabVisible());
}

// Without a skin the buttons show the plain cross and close their pages too.
TEST_F(SkinTabCloseButtons, UnskinnedButtonsClose) {
    auto* pc = Pages();
    pc->SetSkinData(nullptr);
    ASSERT_FALSE(pc->Skinned());
    const int width = pc->TabRect(3).Width(), width5 = pc->TabRect(5).Width();
    pc->SetShowCloseButtons(true);
    EXPECT_GT(pc->TabRect(3).Width(), width);
    pc->SetActivePageIndex(0);
    const TPoint p = CloseButtonOf(pc, 3);
    EXPECT_TRUE(pc->TabRect(3).Contains(p));
    const TBitmap shot = Snapshot(*pc);
    int crossPixels = 0;
    for (int dy = -5; dy <= 5; ++dy)
        for (int dx = -5; dx <= 5; ++dx) crossPixels += shot.Pixel(p.X + dx, p.Y + dy) == clBlack;
    EXPECT_GE(crossPixels, 8);
    int closed = 0;
    pc->OnAfterClose = [&](TObject*) { ++closed; };
    Click(pc, p);
    EXPECT_FALSE(pc->Pages(3)->TabVisible());
    EXPECT_EQ(closed, 1);
    pc->SetShowCloseButtons(false);
    EXPECT_EQ(pc->TabRect(5).Width(), width5);
}

// On every side the button is hit where the tab shows its cross, and closes its page.
TEST_F(SkinTabCloseButtons, TurnedTabsAreClosedWhereTheirButtonIsDrawn) {
    for (TTabPosition side : {TTabPosition::tpTop, TTabPosition::tpBottom, TTabPosition::tpLeft,
                              TTabPosition::tpRight}) {
        SCOPED_TRACE(int(side));
        auto* pc = Pages();
        pc->SetBounds(0, 0, 300, 300);
        pc->SetShowCloseButtons(true);
        pc->SetTabPosition(side);
        pc->SetActivePageIndex(0);
        const TPoint p = CloseButtonOf(pc, 3);
        const TBitmap shot = Snapshot(*pc);
        int crossPixels = 0;
        for (int dy = -5; dy <= 5; ++dy)
            for (int dx = -5; dx <= 5; ++dx) crossPixels += shot.Pixel(p.X + dx, p.Y + dy) == clBlack;
        EXPECT_GE(crossPixels, 8) << "the cross is drawn around the button's centre";
        Click(pc, p);
        EXPECT_FALSE(pc->Pages(3)->TabVisible());
        EXPECT_TRUE(pc->Pages(0)->TabVisible());
        delete pc;
    }
}

}  // namespace

namespace {

TEST_F(SkinTabs, ARowThatDoesNotFitGetsArrowsThatScrollIt) {
    auto* pc = MainPages();
    pc->SetBounds(0, 0, 200, 100);
    EXPECT_EQ(pc->UpDown(), nullptr);
    // Three 40-pixel tabs from x 2 need 126 + 3 pixels.
    pc->SetBounds(0, 0, 110, 100);
    TqlSkinUpDown* arrows = pc->UpDown();
    ASSERT_NE(arrows, nullptr);
    EXPECT_EQ(arrows->Left() + arrows->Width(), pc->Width());
    EXPECT_EQ(arrows->Top(), 0);
    EXPECT_EQ(arrows->Position(), 0);
    EXPECT_GE(arrows->Max(), 1);

    // The right arrow scrolls the row by one tab.
    arrows->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrows->Width() - 3, 5));
    EXPECT_LT(pc->TabRect(0).Right, 1);
    EXPECT_EQ(pc->TabRect(3).Left, 0);

    pc->SetBounds(0, 0, 300, 100);
    pc->Perform(WM_HSCROLL, MakeScrollWParam(SB_THUMBPOSITION, 0));
    pc->CheckTabOverflow();
    EXPECT_EQ(pc->UpDown(), nullptr);
}

}  // namespace

namespace {

struct SideCase {
    TTabPosition position;
    const char* name;
    TRect pages;     // the page area of the 200 x 100 control
    TRect secondTab;  // the Collocate tab; the first visible tab lies 40 before it along the row
};

const SideCase kSides[] = {
    {TTabPosition::tpTop, "top", Rect(10, 20, 190, 90), Rect(40, 0, 80, 10)},
    {TTabPosition::tpBottom, "bottom", Rect(10, 10, 190, 80), Rect(40, 90, 80, 100)},
    {TTabPosition::tpLeft, "left", Rect(20, 10, 190, 90), Rect(0, 42, 10, 82)},
    {TTabPosition::tpRight, "right", Rect(10, 10, 180, 90), Rect(190, 42, 200, 82)},
};

bool Side(TTabPosition p) { return p == TTabPosition::tpLeft || p == TTabPosition::tpRight; }

TRect Along(const TRect& r, TTabPosition p, int by) {
    return Side(p) ? Rect(r.Left, r.Top + by, r.Right, r.Bottom + by) : Rect(r.Left + by, r.Top, r.Right + by, r.Bottom);
}


}  // namespace

namespace {

// What the user set stays through skin changes: the tab height, and the
// arrows take the new skin's up-down descriptor.
TEST_F(SkinTabs, SkinChangesKeepTheUsersTabHeightAndRenewTheArrows) {
    auto* pc = MainPages();
    ASSERT_EQ(pc->TabHeight, 10) << "the skin's tab face";
    pc->TabHeight = 16;
    pc->ChangeSkinData();
    EXPECT_EQ(pc->TabHeight, 16);
    EXPECT_EQ(pc->UserTabHeight(), 16);

    look->UpDown = "firstupdown";
    pc->ChangeSkinData();
    pc->SetBounds(0, 0, 110, 100);
    ASSERT_NE(pc->UpDown(), nullptr);
    EXPECT_EQ(pc->UpDown()->SkinDataName(), "firstupdown");
    // Another skin with its own arrows' name.
    Skin other(form);
    auto& second = other.Add<TqlDataSkinTabControl>("tab");
    second = *look;
    second.PictureIndex = other.AddPicture(*skin->Data->ActivePictures[size_t(look->PictureIndex)]);
    second.UpDown = "secondupdown";
    pc->SetSkinData(other.Data);
    ASSERT_NE(pc->UpDown(), nullptr);
    EXPECT_EQ(pc->UpDown()->SkinDataName(), "secondupdown");
    EXPECT_EQ(pc->UpDown()->SkinData(), other.Data);
    EXPECT_EQ(pc->TabHeight, 16);

    delete other.Data;
    EXPECT_FALSE(pc->Skinned());
    EXPECT_EQ(pc->TabHeight, 16) << "unskinned, not the default item height";
    pc->SetTabHeight(0);
    EXPECT_EQ(pc->TabHeight, pc->DefaultItemHeight());
}

}  // namespace

// Tabs on any side: the pages fill the rest, and the platform's messages
// report the same rectangles, the Collocate tab being visible tab 1 but page 3.
TEST_F(SkinTabs, PageAreaAndTabRectanglesOnEverySide) {
    auto* pc = MainPages();
    for (const SideCase& c : kSides) {
        SCOPED_TRACE(c.name);
        pc->SetTabPosition(c.position);
        EXPECT_EQ(pc->ClientRect(), c.pages);
        EXPECT_EQ(pc->Pages(3)->BoundsRect(), c.pages);
        TRect area = Rect(0, 0, pc->Width(), pc->Height());
        pc->Perform(TCM_ADJUSTRECT, 0, LPARAM(&area));
        EXPECT_EQ(area, c.pages) << "display rectangle";
        pc->Perform(TCM_ADJUSTRECT, 1, LPARAM(&area));
        EXPECT_EQ(area, Rect(0, 0, pc->Width(), pc->Height())) << "and back";
        // A single row along the top or bottom starts one pixel in.
        TRect first = Along(c.secondTab, c.position, -40);
        if (!Side(c.position)) ++first.Left;
        EXPECT_EQ(pc->TabRect(0), first);
        EXPECT_EQ(pc->TabRect(3), c.secondTab);
        TRect item;
        ASSERT_TRUE(pc->Perform(TCM_GETITEMRECT, 1, LPARAM(&item)));
        EXPECT_EQ(item, pc->TabRect(3));
        TCHITTESTINFO hit{Point(item.Left + 3, item.Top + 3), 0};
        EXPECT_EQ(pc->Perform(TCM_HITTEST, 0, LPARAM(&hit)), 1);
        EXPECT_EQ(pc->UpDown(), nullptr);
    }
}

// Each tab shows the skin's face with its outer edge away from the pages:
// flipped for bottom tabs, turned a quarter for side tabs; the selected one
// shows the selected face, and the strip lies on the tabs' side.
TEST_F(SkinTabs, BottomAndSideTabsShowTheFaceFlippedOrTurned) {
    const char* blank[6] = {"", "", "", "", "", ""};
    auto* pc = MainPages(blank);
    pc->SetBounds(0, 0, 200, 160);
    pc->SetActivePageIndex(3);
    for (const SideCase& c : kSides) {
        SCOPED_TRACE(c.name);
        pc->SetTabPosition(c.position);
        const TBitmap shot = Snapshot(*pc);
        const TRect idle = pc->TabRect(0), active = pc->TabRect(3), last = pc->TabRect(5);
        const TPoint middle = Point((idle.Left + idle.Right) / 2, (idle.Top + idle.Bottom) / 2);
        TPoint outer = middle, inner = middle;
        switch (c.position) {
            case TTabPosition::tpTop: outer.Y = idle.Top, inner.Y = idle.Bottom - 1; break;
            case TTabPosition::tpBottom: outer.Y = idle.Bottom - 1, inner.Y = idle.Top; break;
            case TTabPosition::tpLeft: outer.X = idle.Left, inner.X = idle.Right - 1; break;
            case TTabPosition::tpRight: outer.X = idle.Right - 1, inner.X = idle.Left; break;
        }
        EXPECT_EQ(shot.Pixel(outer.X, outer.Y), kIdleEdge) << "the outer edge";
        EXPECT_EQ(shot.Pixel(inner.X, inner.Y), kIdle) << "the side toward the pages";
        EXPECT_EQ(shot.Pixel((active.Left + active.Right) / 2, (active.Top + active.Bottom) / 2), kSelected);
        // The selected face is two pixels thicker: it reaches over the frame's edge toward the pages.
        TPoint over = Point((active.Left + active.Right) / 2, (active.Top + active.Bottom) / 2);
        switch (c.position) {
            case TTabPosition::tpTop: over.Y = active.Bottom + 1; break;
            case TTabPosition::tpBottom: over.Y = active.Top - 2; break;
            case TTabPosition::tpLeft: over.X = active.Right + 1; break;
            case TTabPosition::tpRight: over.X = active.Left - 2; break;
        }
        EXPECT_EQ(shot.Pixel(over.X, over.Y), kSelected) << "over the frame";
        const TPoint beyond = Side(c.position) ? Point((last.Left + last.Right) / 2, last.Bottom + 5)
                                               : Point(last.Right + 5, (last.Top + last.Bottom) / 2);
        EXPECT_EQ(shot.Pixel(beyond.X, beyond.Y), kStrip) << "the strip beyond the last tab";
    }
}

// A side row never takes the arrows of a row that does not fit; a bottom row
// has them at its own end.
TEST_F(SkinTabs, OnlyRowsAlongTheTopOrBottomGetArrows) {
    auto* pc = MainPages();
    pc->SetBounds(0, 0, 90, 200);
    ASSERT_NE(pc->UpDown(), nullptr);
    EXPECT_EQ(pc->UpDown()->Top(), 0);
    pc->SetTabPosition(TTabPosition::tpBottom);
    ASSERT_NE(pc->UpDown(), nullptr);
    EXPECT_EQ(pc->UpDown()->BoundsRect().Bottom, pc->Height());
    pc->SetTabPosition(TTabPosition::tpLeft);
    EXPECT_EQ(pc->UpDown(), nullptr) << "120 of the 200 pixels hold the three tabs";
}

// The default skin's tabs on each side, side by side in one picture for a
// person to look at; the selected tab shows its mark on its outer edge.
TEST(DefaultSkinTabs, PictureOfTheFourSides) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 900, 260);
    form.Show();
    auto* stored = new TqlCompressedStoredSkin(&form);
    stored->SetCompressedData(DefaultSkinZlib());
    auto* skin = new TqlSkinData(&form);
    skin->SetCompressedStoredSkin(stored);
    TBitmap sheet(4 * 220, 200);
    TColor marked = clNone;
    const TTabPosition sides[] = {TTabPosition::tpTop, TTabPosition::tpBottom, TTabPosition::tpLeft,
                                  TTabPosition::tpRight};
    for (int k = 0; k < 4; ++k) {
        auto* pc = new TqlSkinPageControl(&form);
        pc->SetParent(&form);
        pc->SetSkinData(skin);
        pc->SetBounds(0, 0, 210, 200);
        for (const char* caption : {"Settings", "Collocate", "About"}) {
            auto* page = new TqlSkinTabSheet(&form);
            page->SetCaption(caption);
            page->SetPageControl(pc);
        }
        pc->SetActivePageIndex(1);
        pc->SetTabPosition(sides[k]);
        ASSERT_TRUE(pc->Skinned());
        const TBitmap shot = Snapshot(*pc);
        sheet.Canvas().Draw(k * 220, 0, shot);
        // The selected tab's marked edge is its outer one, one pixel in, on every side.
        const TRect tab = pc->TabRect(1);
        const TPoint edge = sides[k] == TTabPosition::tpTop      ? Point((tab.Left + tab.Right) / 2, tab.Top + 1)
                            : sides[k] == TTabPosition::tpBottom ? Point((tab.Left + tab.Right) / 2, tab.Bottom - 2)
                            : sides[k] == TTabPosition::tpLeft   ? Point(tab.Left + 1, (tab.Top + tab.Bottom) / 2)
                                                                 : Point(tab.Right - 2, (tab.Top + tab.Bottom) / 2);
        if (k == 0) marked = shot.Pixel(edge.X, edge.Y);
        EXPECT_EQ(shot.Pixel(edge.X, edge.Y), marked) << "side " << k;
    }
    EXPECT_TRUE(sheet.SavePng(PicturePath("tabs-four-sides.png")));
}

namespace {

// Wrapped rows on the skin: no arrows, every row painted from the skin, and the
// pointer, clicks and close buttons find the tabs of the outer row too.
TEST_F(SkinTabCloseButtons, WrappedRowsPaintAndAnswerOnEveryRow) {
    auto* pc = MainPages();
    pc->SetBounds(0, 0, 100, 100);
    pc->SetActivePageIndex(0);
    ASSERT_NE(pc->UpDown(), nullptr) << "three tabs of 40 overflow one row";
    pc->SetMultiLine(true);
    EXPECT_EQ(pc->UpDown(), nullptr);
    ASSERT_EQ(pc->RowCount(), 2);
    const TRect about = pc->TabRect(5), settings = pc->TabRect(0);
    EXPECT_EQ(about.Top, 0);
    EXPECT_EQ(settings.Top, 10);
    EXPECT_EQ(pc->ClientRect(), Rect(10, 30, 90, 90));
    EXPECT_EQ(pc->Pages(0)->BoundsRect(), pc->ClientRect());
    const TBitmap shot = Snapshot(*pc);
    EXPECT_EQ(shot.Pixel(about.Left + 2, about.Top), kIdleEdge);
    EXPECT_EQ(shot.Pixel(pc->TabRect(3).Left + 2, pc->TabRect(3).Top), kIdleEdge);
    EXPECT_EQ(shot.Pixel(settings.Left + 2, settings.Top + 2), kSelected);
    EXPECT_TRUE(shot.SavePng(PicturePath("SkinPageControlRows.png")));

    pc->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(about.Left + 5, about.Top + 5));
    EXPECT_EQ(pc->HotPage(), 5);

    pc->SetShowCloseButtons(true);
    Click(pc, {about.Left + 5, about.Top + 5});
    EXPECT_EQ(pc->ActivePageIndex(), 5);
    EXPECT_EQ(pc->TabRect(5).Top, 10) << "its row comes next to the page";
    const TPoint close = CloseButtonOf(pc, 3);
    EXPECT_LT(close.Y, 10) << "Collocate now stands on the outer row";
    Click(pc, close);
    EXPECT_FALSE(pc->Pages(3)->TabVisible());
    EXPECT_EQ(pc->RowCount(), 1);
    EXPECT_EQ(pc->ActivePage()->BoundsRect(), Rect(10, 20, 90, 90));

}

}  // namespace

namespace {

// The strip shows in the pixel the first tab of a single row leaves free;
// wrapped rows keep the platform's places.
TEST_F(SkinTabs, TheStripShowsBeforeTheFirstTabOfASingleRow) {
    const char* blank[6] = {"", "", "", "", "", ""};
    auto* pc = MainPages(blank);
    pc->SetActivePageIndex(3);
    const TBitmap shot = Snapshot(*pc);
    EXPECT_EQ(shot.Pixel(0, 5), kStrip);
    EXPECT_EQ(shot.Pixel(1, 5), kIdle);
    EXPECT_EQ(shot.Pixel(pc->TabRect(3).Left - 1, 5), kIdle);
    EXPECT_EQ(shot.Pixel(pc->TabRect(3).Left, 5), kSelected);
    pc->SetBounds(0, 0, 100, 100);
    pc->SetMultiLine(true);
    TRect item;
    ASSERT_TRUE(pc->Perform(TCM_GETITEMRECT, 0, LPARAM(&item)));
    EXPECT_EQ(pc->TabRect(0), item);
}

// The close buttons under the pointer: a release finds the tab, leaving a
// pressed button lets go of the press, a refused close keeps the hover while
// the pointer stays on the control.
TEST_F(SkinTabCloseButtons, ThePointerOverTheButtons) {
    auto* pc = Pages();
    pc->SetShowCloseButtons(true);
    auto* sheet = static_cast<TqlSkinTabSheet*>(pc->Pages(5));
    const TPoint p = CloseButtonOf(pc, 5);
    pc->Perform(WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
    EXPECT_EQ(pc->HotPage(), 5);
    EXPECT_TRUE(sheet->CloseMouseIn);

    pc->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
    pc->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.X, 90));
    EXPECT_FALSE(sheet->CloseMouseIn || sheet->CloseDown);
    pc->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
    EXPECT_TRUE(sheet->CloseMouseIn && !sheet->CloseDown);

    pc->OnClose = [](TObject*, bool& canClose) { canClose = false; };
    pc->Perform(CM_MOUSEENTER);
    pc->Perform(WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
    EXPECT_TRUE(sheet->TabVisible());
    EXPECT_TRUE(sheet->CloseMouseIn) << "the pointer is still on the button";
    pc->Perform(CM_MOUSELEAVE);
    pc->ClosePage(sheet);
    EXPECT_FALSE(sheet->CloseMouseIn || sheet->CloseDown);
}

// The arrows count the hidden tabs again when they move: the row may have
// changed since the last check (here every tab got wider).
TEST_F(SkinTabs, TheArrowsRecountTheHiddenTabsWhenTheyMove) {
    auto* pc = MainPages();
    pc->SetBounds(0, 0, 110, 100);
    TqlSkinUpDown* arrows = pc->UpDown();
    ASSERT_NE(arrows, nullptr);
    const int before = arrows->Max();
    pc->TabWidth = 60;
    int hidden = 0;
    for (int page : {0, 3, 5}) hidden += pc->TabRect(page).Right > pc->Width() - 3 - arrows->Width();
    ASSERT_NE(hidden, before);
    arrows->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrows->Width() - 3, 5));
    EXPECT_EQ(arrows->Max(), hidden);
}

// A sheet tells its windowed children that its background moved under them
// when it is stretched with the page, not when it is tiled.
TEST_F(SkinTabs, ASheetTellsItsChildrenOfAStretchedBackgroundOnly) {
    struct Child : TCustomControl {
        using TCustomControl::TCustomControl;
        int told = 0;
        void WndProc(TMessage& m) override {
            told += m.Msg == WM_PARENTLOOKCHANGED;
            TCustomControl::WndProc(m);
        }
    };
    auto* pc = MainPages();
    auto* child = new Child(form);
    child->SetParent(pc->Pages(0));
    for (bool stretched : {false, true}) {
        look->StretchEffect = stretched;
        pc->ChangeSkinData();
        child->told = 0;
        pc->SetBounds(0, 0, pc->Width() + 20, pc->Height() + 10);
        EXPECT_EQ(child->told > 0, stretched);
    }
}

}  // namespace

namespace {

// Where the row ends for the tabs while the arrows show.
int RowRoom(const TqlSkinPageControl& pc) { return pc.Width() - 3 - (pc.UpDown() ? pc.UpDown()->Width() : 0); }

// The arrows follow the set of shown tabs, not only the control's size: a
// tab shown or hidden, a page added or removed.
TEST_F(SkinTabs, TheArrowsFollowTabsShownHiddenAddedAndRemoved) {
    auto* pc = MainPages();
    pc->SetBounds(0, 0, 140, 100);
    ASSERT_EQ(pc->UpDown(), nullptr) << "three 40-pixel tabs fit in 140";
    for (int page : {1, 2, 4}) pc->Pages(page)->SetTabVisible(true);
    ASSERT_NE(pc->UpDown(), nullptr);
    // Counted beside the arrows that came with the fourth tab: tabs 3 to 6 end beyond 140 - 3 - 40.
    EXPECT_EQ(pc->UpDown()->Max(), 4);
    for (int page : {1, 2, 4}) pc->Pages(page)->SetTabVisible(false);
    ASSERT_NE(pc->UpDown(), nullptr);
    EXPECT_EQ(pc->UpDown()->Max(), 1) << "the third tab ends under the arrows";
    pc->Pages(5)->SetTabVisible(false);
    EXPECT_EQ(pc->UpDown(), nullptr) << "two tabs fit beside the arrows";

    TqlSkinTabSheet* added[2];
    for (TqlSkinTabSheet*& page : added) {
        page = new TqlSkinTabSheet(form);
        page->SetPageControl(pc);
    }
    ASSERT_NE(pc->UpDown(), nullptr);
    EXPECT_EQ(pc->UpDown()->Max(), 1) << "the fourth tab ends at 160";
    for (TqlSkinTabSheet* page : added) delete page;
    EXPECT_EQ(pc->UpDown(), nullptr);

    // Tabs as wide as their captions: a caption grown past the row brings them too.
    pc->TabWidth = 0;
    pc->Pages(3)->SetCaption(std::string(60, 'W'));
    EXPECT_NE(pc->UpDown(), nullptr);
}

// However the selection moves, the row scrolls until the selected tab shows
// whole beside the arrows, and the arrows' position counts the tabs scrolled out.
TEST_F(SkinTabs, TheSelectedTabIsScrolledIntoView) {
    auto* pc = MainPages();
    for (int page : {1, 2, 4}) pc->Pages(page)->SetTabVisible(true);
    pc->SetBounds(0, 0, 130, 100);
    pc->SetFocus();
    auto inView = [pc](int page) {
        const TRect r = pc->TabRect(page);
        return r.Left >= 0 && r.Right <= RowRoom(*pc);
    };
    for (int i = 0; i < 5; ++i) TQtBridge::KeyPressed(pc, VK_TAB, ssCtrl, 0);
    ASSERT_EQ(pc->ActivePageIndex(), 5);
    ASSERT_NE(pc->UpDown(), nullptr);
    EXPECT_TRUE(inView(5)) << "tab 6 drawn at " << pc->TabRect(5).Left << ".." << pc->TabRect(5).Right;
    // 240 - 40 k <= 130 - 3 - 40: four tabs go out of sight on the left.
    EXPECT_EQ(pc->UpDown()->Position(), 4);
    EXPECT_EQ(pc->TabRect(5), Rect(40, 0, 80, 10));

    pc->SetActivePageIndex(1);
    EXPECT_TRUE(inView(1));
    EXPECT_EQ(pc->UpDown()->Position(), 1);
    pc->SetActivePage(pc->Pages(4));
    EXPECT_TRUE(inView(4));
    EXPECT_EQ(pc->UpDown()->Position(), 3);
    // Keys that stop at the row's end scroll too.
    TQtBridge::KeyPressed(pc, VK_LEFT, 0, 0);
    TQtBridge::KeyPressed(pc, VK_LEFT, 0, 0);
    TQtBridge::KeyPressed(pc, VK_LEFT, 0, 0);
    EXPECT_EQ(pc->ActivePageIndex(), 1);
    EXPECT_TRUE(inView(1));
    // A tab already in view does not move the row.
    pc->SetActivePageIndex(2);
    EXPECT_EQ(pc->UpDown()->Position(), 1);
}

// A scrolled row widened until every tab fits starts from its first tab again,
// without the arrows; one still too long keeps its scroll.
TEST_F(SkinTabs, AWidenedRowGivesItsTabsBack) {
    auto* pc = MainPages();
    for (int page : {1, 2, 4}) pc->Pages(page)->SetTabVisible(true);
    for (auto [width, scrolled] : {std::pair{390, 0}, std::pair{200, 2}}) {
        SCOPED_TRACE(width);
        pc->SetBounds(0, 0, 130, 100);
        TqlSkinUpDown* arrows = pc->UpDown();
        ASSERT_NE(arrows, nullptr);
        for (int i = arrows->Position(); i < 2; ++i) {  // six 40-pixel tabs scrolled by two
            TQtBridge::MouseMessage(arrows, WM_LBUTTONDOWN, MK_LBUTTON, arrows->Width() - 3, 5);
            TQtBridge::MouseMessage(arrows, WM_LBUTTONUP, 0, arrows->Width() - 3, 5);
        }
        pc->SetBounds(0, 0, width, 100);
        EXPECT_EQ(pc->UpDown() != nullptr, scrolled > 0);
        EXPECT_EQ(pc->TabRect(scrolled).Left, scrolled > 0 ? 0 : 1);
    }
}

// The platform's hit test answers for the tabs where this control draws them.
TEST_F(SkinTabs, TheHitTestAnswersWhereTheTabsAreDrawn) {
    auto* pc = MainPages();
    auto hit = [pc](int x) {
        TCHITTESTINFO info{Point(x, 5), 0};
        return int(pc->Perform(TCM_HITTEST, 0, LPARAM(&info)));
    };
    ASSERT_EQ(pc->TabRect(0), Rect(1, 0, 40, 10));
    const struct {
        int x, tab;
    } cases[] = {{0, -1}, {1, 0}, {39, 0}, {40, 1}, {41, 1}, {79, 1}, {80, 2}, {119, 2}, {120, -1}};
    for (const auto& c : cases) EXPECT_EQ(hit(c.x), c.tab) << "x " << c.x;
}

// The arrows take their new size at once, on either side of the row.
TEST_F(SkinTabs, TheDefaultItemHeightResizesTheArrowsAtOnce) {
    auto* pc = MainPages();
    pc->SetBounds(0, 0, 110, 100);
    ASSERT_NE(pc->UpDown(), nullptr);
    pc->SetDefaultItemHeight(16);
    EXPECT_EQ(pc->UpDown()->BoundsRect(), Rect(110 - 32, 0, 110, 16));
    pc->SetTabPosition(TTabPosition::tpBottom);
    pc->SetDefaultItemHeight(24);
    ASSERT_NE(pc->UpDown(), nullptr);
    EXPECT_EQ(pc->UpDown()->BoundsRect(), Rect(110 - 48, 100 - 24, 110, 100));
}

}  // namespace
