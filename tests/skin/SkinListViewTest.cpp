// The skinned list view: its bars by view style, its column header taken over
// and painted from the skin.

#include <gtest/gtest.h>

#include <string>

#include "platform/gui/Forms.h"
#include "platform/gui/Timers.h"
#include "platform/gui/controls/CommonControlMessages.h"
#include "platform/gui/controls/NonClient.h"
#include "platform/gui/controls/ScrollInfo.h"
#include "platform/gui/graphics/ImageList.h"
#include "skin/controls/qlSkinListView.h"
#include "tests/skin/SyntheticSkin.h"
#include "tests/support/Pictures.h"

namespace {

class SkinListView : public testing::Test {
protected:
    void SetUp() override {
        TTimerService::Instance().UseManualClock(true);
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 500, 400);
        form->Show();
        list = new TqlSkinCustomListView(form);
        list->SetParent(form);
        list->SetBounds(10, 10, 300, 200);
        list->AddColumn("Word", 120);
        list->AddColumn("Count", 80, TAlignment::taRightJustify);
        list->SetOwnerData(true);
        list->OnData = [](TObject*, TListItem* item) { item->Caption = "row " + std::to_string(item->Index()); };
        v = new TqlSkinScrollBar(form);
        v->SetKind(sbVertical);
        v->SetParent(form);
        h = new TqlSkinScrollBar(form);
        h->SetParent(form);
        list->SetVScrollBar(v);
        list->SetHScrollBar(h);
    }
    void TearDown() override {
        delete form;
        TTimerService::Instance().UseManualClock(false);
    }
    void Settle() {
        synthetic::Snapshot(*list);
        for (int tick = 0; tick < 2; ++tick) TTimerService::Instance().Advance(1);
        list->Synchronize();
    }
    int Top() { return int(list->Perform(LVM_GETTOPINDEX)); }
    TRect ItemBounds(int index) {
        TRect r;
        r.Left = LVIR_BOUNDS;
        return list->Perform(LVM_GETITEMRECT, WPARAM(index), LPARAM(&r)) ? r : TRect{};
    }
    int RowHeight() { return ItemBounds(0).Height(); }

    TForm* form = nullptr;
    TqlSkinCustomListView* list = nullptr;
    TqlSkinScrollBar* v = nullptr;
    TqlSkinScrollBar* h = nullptr;
};

TEST_F(SkinListView, BarsFollowTheViewStyle) {
    struct Case {
        const char* name;
        TViewStyle style;
        int rows;
        bool vertical;
    };
    // In icon styles the grid must be taller than the view's 200 pixels.
    const Case cases[] = {
        {"report, a few rows", TViewStyle::vsReport, 3, false},
        {"report, more rows than a page", TViewStyle::vsReport, 1000, true},
        {"list, a few rows", TViewStyle::vsList, 3, false},
        {"list, many rows: never the vertical bar", TViewStyle::vsList, 1000, false},
        {"icons inside the view's height", TViewStyle::vsIcon, 3, false},
        {"icons beyond the view's height", TViewStyle::vsIcon, 1000, true},
        {"small icons inside the view's height", TViewStyle::vsSmallIcon, 3, false},
        {"small icons beyond the view's height", TViewStyle::vsSmallIcon, 1000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list->ViewStyle = c.style;
        list->Items().SetCount(c.rows);
        Settle();
        EXPECT_EQ(v->Visible(), c.vertical);
        const int perPage = int(list->Perform(LVM_GETCOUNTPERPAGE));
        if (c.style == TViewStyle::vsList) {
            EXPECT_EQ(h->Visible(), perPage < c.rows);
        }
        if (!v->Visible()) continue;
        if (c.style == TViewStyle::vsReport) {
            EXPECT_EQ(v->PageSize(), perPage);
            EXPECT_EQ(v->SmallChange(), 1);
            EXPECT_EQ(v->LargeChange(), perPage);
            EXPECT_EQ(v->Max(), c.rows - 1);
        } else {
            EXPECT_EQ(v->SmallChange(), std::max(1, RowHeight() / 2));
            EXPECT_EQ(v->LargeChange(), std::max(1, RowHeight() / 2));
        }
    }
}

TEST_F(SkinListView, TheReportViewPagesByWholeRows) {
    list->Items().SetCount(1000);
    Settle();
    ASSERT_TRUE(v->Visible());
    const int page = v->LargeChange();
    ASSERT_GT(page, 1);
    struct Step {
        const char* name;
        int position;
    };
    const Step steps[] = {{"a page down", page}, {"one row more", page + 1}, {"back to the top", 0}, {"far down", 700}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        v->SetPosition(s.position);
        EXPECT_EQ(Top(), s.position);
        Settle();
        EXPECT_EQ(v->Position(), s.position);
    }
    // The view scrolled by its own keys takes the bar along.
    list->Perform(WM_VSCROLL, MakeScrollWParam(SB_LINEDOWN, 0));
    Settle();
    EXPECT_EQ(v->Position(), 701);
}

// In list style the items run down columns: the horizontal bar counts columns
// and moves the view by whole columns, and the view's own scrolling moves it.
TEST_F(SkinListView, TheListStyleScrollsByColumns) {
    list->ViewStyle = TViewStyle::vsList;
    list->Items().SetCount(1000);
    Settle();
    const TRect first = ItemBounds(0);
    ASSERT_GT(first.Width(), 0);
    int perColumn = 1;
    while (perColumn < 1000 && ItemBounds(perColumn).Left == first.Left) ++perColumn;
    ASSERT_GT(perColumn, 1);
    ASSERT_LT(perColumn, 1000) << "the items never leave the first column";
    EXPECT_EQ(ItemBounds(perColumn - 1).Top, first.Top + (perColumn - 1) * first.Height());
    EXPECT_EQ(ItemBounds(perColumn).Left, first.Right);
    EXPECT_EQ(ItemBounds(perColumn).Top, first.Top);
    const int columns = (1000 + perColumn - 1) / perColumn, page = list->Width() / first.Width();
    EXPECT_FALSE(v->Visible());
    ASSERT_TRUE(h->Visible());
    EXPECT_EQ(h->Max(), columns - 1);
    EXPECT_EQ(h->PageSize(), page);
    // Whole columns in the view, as many as the bar's page.
    const int perPage = int(list->Perform(LVM_GETCOUNTPERPAGE));
    EXPECT_EQ(perPage % perColumn, 0);
    EXPECT_EQ(perPage / perColumn, page);

    struct Step {
        const char* name;
        int position;
    };
    const Step steps[] = {
        {"a column right", 1}, {"three more", 4}, {"back one", 3}, {"to the last page", columns - page}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        h->SetPosition(s.position);
        EXPECT_EQ(Top(), s.position * perColumn);
        EXPECT_EQ(ItemBounds(0).Left, first.Left - s.position * first.Width());
        Settle();
        EXPECT_EQ(h->Position(), s.position);
    }
    list->Perform(WM_HSCROLL, MakeScrollWParam(SB_LEFT, 0));
    Settle();
    EXPECT_EQ(h->Position(), 0);
    EXPECT_EQ(ItemBounds(0).Left, first.Left);

    // For a person to look at: the view two columns on, its bar under it.
    h->SetBounds(list->Left(), list->Top() + list->Height(), list->Width(), 17);
    h->SetPosition(2);
    EXPECT_TRUE(form->SaveScreenshot(PicturePath("SkinListViewListStyle.png")));
}

// The view draws no frame: its rows run from its very edge and its colour
// reaches every edge, so the report's bar, whose page is the view's width,
// brings the last pixel of the columns into view.
TEST_F(SkinListView, TheWholeControlIsTheClientArea) {
    constexpr TColor kBack = 0x30A0F0;
    list->SetColor(kBack);
    list->SetColumnWidth(0, 250);
    list->SetColumnWidth(1, 150);
    list->Items().SetCount(3);
    Settle();
    EXPECT_EQ(ItemBounds(0).Left, 0);
    const TBitmap shot = synthetic::Snapshot(*list);
    const int right = list->Width() - 1, bottom = list->Height() - 1;
    for (TPoint p : {TPoint{0, bottom}, TPoint{right, bottom}, TPoint{right, bottom / 2}})
        EXPECT_EQ(shot.Pixel(p.X, p.Y), kBack) << p.X << ", " << p.Y;
    ASSERT_TRUE(h->Visible());
    EXPECT_EQ(h->PageSize(), list->Width());
    h->SetPosition(h->Max());
    EXPECT_EQ(h->Position(), 400 - list->Width());
    EXPECT_EQ(ItemBounds(0).Right, list->Width());
}

// In icon styles the items stand in rows of a grid, scrolled by pixels.
TEST_F(SkinListView, IconStylesLayTheItemsInAGridScrolledByPixels) {
    TCustomImageList large(32, 32), small(16, 16);
    list->SetLargeImages(&large);
    list->SetSmallImages(&small);
    for (TViewStyle style : {TViewStyle::vsIcon, TViewStyle::vsSmallIcon}) {
        SCOPED_TRACE(style == TViewStyle::vsIcon ? "icons" : "small icons");
        list->ViewStyle = style;
        list->Items().SetCount(200);
        Settle();
        const TRect first = ItemBounds(0), second = ItemBounds(1);
        EXPECT_EQ(second.Top, first.Top);
        EXPECT_EQ(second.Left, first.Right);
        int perRow = 1;
        while (perRow < 200 && ItemBounds(perRow).Top == first.Top) ++perRow;
        ASSERT_LT(perRow, 200);
        EXPECT_EQ(ItemBounds(perRow).Left, first.Left);
        EXPECT_EQ(ItemBounds(perRow).Top, first.Bottom);
        if (style == TViewStyle::vsIcon) {
            EXPECT_GE(first.Height(), 32 + list->Canvas().TextHeight("0"));
        } else {
            EXPECT_GE(first.Width(), 16 + list->Canvas().TextWidth("row 199"));
        }
        const int rows = (200 + perRow - 1) / perRow;
        ASSERT_TRUE(v->Visible());
        EXPECT_FALSE(h->Visible());
        EXPECT_EQ(v->Max() + 1, rows * first.Height());
        for (int position : {10, 10 + first.Height(), 0}) {
            SCOPED_TRACE(position);
            v->SetPosition(position);
            EXPECT_EQ(ItemBounds(0).Top, first.Top - position);
            Settle();
            EXPECT_EQ(v->Position(), position);
        }
    }
    list->SetLargeImages(nullptr);
    list->SetSmallImages(nullptr);
}

TEST_F(SkinListView, TheHeaderIsTakenOverEachTimeItIsMade) {
    const auto header = [&] { return reinterpret_cast<THeaderWindow*>(list->Perform(LVM_GETHEADER)); };
    ASSERT_NE(list->HeaderWindow(), nullptr);
    EXPECT_TRUE(list->HeaderWindow()->Subclassed());
    EXPECT_EQ(header(), list->HeaderWindow());
    // Asked for while the headers are off, a header is made but left alone.
    list->SetShowColumnHeaders(false);
    ASSERT_NE(header(), nullptr);
    EXPECT_FALSE(header()->Subclassed());
    EXPECT_EQ(list->HeaderWindow(), nullptr);
    list->SetShowColumnHeaders(true);
    THeaderWindow* again = list->HeaderWindow();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->Subclassed());
    EXPECT_EQ(header(), again);
    // Wider than the view asks by 4 pixels.
    WINDOWPOS pos;
    pos.cx = 200;
    again->Perform(WM_WINDOWPOSCHANGING, 0, LPARAM(&pos));
    EXPECT_EQ(pos.cx, 204);
    // Gone with the view, the header has its own procedure back.
    delete list;
    list = nullptr;
}

// The normal face's nine 4 x 4 cells, and the pressed face in one colour.
constexpr TColor kPressed = 0x3070B0, kImage = 0x10E010, kInk = 0x000001;
constexpr TColor kCells[3][3] = {{synthetic::kTL, synthetic::kTopA, synthetic::kTR},
                                 {synthetic::kLeft, synthetic::kClient, synthetic::kRight},
                                 {synthetic::kBL, synthetic::kBottom, synthetic::kBR}};

class SkinHeaderPaint : public SkinListView {
protected:
    void SetUp() override {
        SkinListView::SetUp();
        skin = std::make_unique<synthetic::Skin>(form);
        TBitmap pic(24, 12);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                synthetic::FillRect(pic, Rect(col * 4, row * 4, col * 4 + 4, row * 4 + 4), kCells[row][col]);
        synthetic::FillRect(pic, Rect(12, 0, 24, 12), kPressed);
        look = &skin->Add<TqlDataSkinButtonControl>("resizebutton");
        look->PictureIndex = skin->AddPicture(pic);
        look->SkinRect = Rect(0, 0, 12, 12);
        look->DownSkinRect = Rect(12, 0, 24, 12);
        look->LTPoint = {4, 4};
        look->RTPoint = {8, 4};
        look->LBPoint = {4, 8};
        look->RBPoint = {8, 8};
        look->ClientRect = Rect(4, 4, 8, 8);
        look->StretchEffect = true;
        look->LeftStretch = look->TopStretch = look->RightStretch = look->BottomStretch = true;
        look->FontColor = look->DownFontColor = kInk;
        list->SetSkinData(skin->Data);
        header = list->HeaderWindow();
        ASSERT_TRUE(SendMessage(header, HDM_GETITEMRECT, 0, LPARAM(&first)));
    }
    TBitmap Paint() {
        TBitmap b(header->Width() + 10, first.Height());
        list->Perform(WM_PAINTHEADERTODC, WPARAM(&b.Canvas()), 0);
        return b;
    }
    // The left-most column of colour c in r, -1 none.
    static int LeftMost(const TBitmap& b, const TRect& r, TColor c) {
        for (int x = r.Left; x < r.Right; ++x)
            for (int y = r.Top; y < r.Bottom; ++y)
                if (b.Pixel(x, y) == c) return x;
        return -1;
    }
    std::unique_ptr<synthetic::Skin> skin;
    TqlDataSkinButtonControl* look = nullptr;
    THeaderWindow* header = nullptr;
    TRect first;
};

TEST_F(SkinHeaderPaint, SectionsTakeTheNineOrThreePartFace) {
    ASSERT_GE(first.Height(), 16) << "the header is tall enough for corners to show";
    const int w = first.Width(), hh = first.Height();
    list->Column(0)->Caption = "";
    struct Probe {
        int x, y;
        TColor nine, three;
    };
    // Row 5 lies below a nine-part corner, but inside the stretched three-part one.
    const Probe probes[] = {
        {1, 1, synthetic::kTL, synthetic::kTL},          {w - 2, 1, synthetic::kTR, synthetic::kTR},
        {1, hh - 2, synthetic::kBL, synthetic::kBL},     {w - 2, hh - 2, synthetic::kBR, synthetic::kBR},
        {1, 5, synthetic::kLeft, synthetic::kTL},        {w / 2, hh / 2, synthetic::kClient, synthetic::kClient},
    };
    for (bool nine : {true, false}) {
        SCOPED_TRACE(nine ? "nine parts" : "three parts");
        look->LBPoint = nine ? TPoint{4, 8} : TPoint{0, 0};
        const TBitmap shot = Paint();
        for (const Probe& p : probes) {
            SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
            EXPECT_EQ(shot.Pixel(p.x, p.y), nine ? p.nine : p.three);
        }
        // Right of the last section: the same face.
        TRect second;
        ASSERT_TRUE(SendMessage(header, HDM_GETITEMRECT, 1, LPARAM(&second)));
        EXPECT_EQ(shot.Pixel(second.Right + 1, 1), synthetic::kTL);
        EXPECT_EQ(shot.Pixel(header->Width() - 1, hh / 2), synthetic::kRight);
    }
}

// A press on a section shows it in the pressed face; one on a divider presses nothing.
TEST_F(SkinHeaderPaint, APressOnADividerPressesNoSection) {
    list->Column(0)->Caption = "";
    const int y = first.Height() / 2, middle = first.Width() / 2;
    struct Case {
        const char* name;
        int x, section;
        bool pressed;
    } cases[] = {
        {"inside the first section", 40, 0, true},
        {"inside the second section", 160, 1, true},
        {"on the first divider", first.Right, 0, false},
        {"right of the last section", 280, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        header->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, y));
        EXPECT_EQ(list->PressedSection(), c.section);
        EXPECT_EQ(list->HeaderPressed(), c.pressed);
        EXPECT_EQ(Paint().Pixel(middle, y) == kPressed, c.pressed && c.section == 0);
        EXPECT_EQ(synthetic::Snapshot(*list).Pixel(middle, y) == kPressed, c.pressed && c.section == 0);
        EXPECT_EQ(Paint().Pixel(first.Right + 20, y) == kPressed, c.pressed && c.section == 1);
        header->Perform(WM_LBUTTONUP, 0, MAKELPARAM(c.x, y));
        EXPECT_EQ(list->PressedSection(), -1);
        EXPECT_FALSE(list->HeaderPressed());
        EXPECT_NE(Paint().Pixel(middle, y), kPressed);
    }
}

TEST_F(SkinHeaderPaint, CaptionAndImageSitByTheColumnsAlignment) {
    TCustomImageList images(8, 8);
    TBitmap glyph(8, 8);
    synthetic::FillRect(glyph, Rect(0, 0, 8, 8), kImage);
    images.AddMasked(glyph, clNone);
    TBitmap measure(1, 1);
    measure.Canvas().Font().Assign(list->Font());
    const std::string caption = "ab";
    const int tw = measure.Canvas().TextWidth(caption);
    const TRect t = Rect(first.Left + 5, 0, first.Right - 5, first.Height());
    struct Case {
        const char* name;
        TAlignment alignment;
        bool image;
        int imageX, textX;
    };
    const Case cases[] = {
        {"left, no image", TAlignment::taLeftJustify, false, -1, t.Left},
        {"right, no image", TAlignment::taRightJustify, false, -1, t.Right - tw},
        {"centre, no image", TAlignment::taCenter, false, -1, t.Left + t.Width() / 2 - tw / 2},
        {"left, image", TAlignment::taLeftJustify, true, t.Left, t.Left + 18},
        {"right, image", TAlignment::taRightJustify, true, t.Right - tw - 18, t.Right - tw},
        {"centre, image", TAlignment::taCenter, true, t.Left + t.Width() / 2 - (tw + 18) / 2,
         t.Left + t.Width() / 2 - (tw + 18) / 2 + 18},
    };
    list->Column(0)->Caption = caption;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list->Column(0)->Alignment = c.alignment;
        list->Column(0)->ImageIndex = c.image ? 0 : -1;
        list->SetSmallImages(&images);
        const TBitmap shot = Paint();
        EXPECT_EQ(LeftMost(shot, first, kImage), c.imageX);
        // Glyphs start at most a pixel or two inside their advance box.
        const int ink = LeftMost(shot, first, kInk);
        EXPECT_GE(ink, c.textX);
        EXPECT_LE(ink, c.textX + 2);
    }
    list->SetSmallImages(nullptr);
}

}  // namespace
