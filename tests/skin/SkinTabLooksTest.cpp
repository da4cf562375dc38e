// What a page control's tab shows beside the skin's face: images, a handler's
// own drawing, the close button from the tool-button face, the user's tab
// height, a transparent strip, the fonts; and the plain look without a skin.

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "skin/controls/qlSkinTabs.h"
#include "tests/skin/SyntheticSkin.h"

using namespace synthetic;

namespace {

constexpr TColor kIdle = 0x203040, kSelected = 0x405060, kStrip = 0x8090A0, kImage = 0x11D022,
                 kDrawn = 0x5522EE, kToolFace = 0x3399CC, kFormColour = 0x667788;

class SkinTabLooks : public testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        form->SetColor(kFormColour);
        form->Show();
        skin = std::make_unique<Skin>(form);
        TBitmap pic(100, 30);
        pic.Canvas().Draw(0, 0, NineCells());
        FillRect(pic, Rect(30, 0, 50, 10), kIdle);
        FillRect(pic, Rect(50, 0, 70, 12), kSelected);
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
        look->TabsBGRect = Rect(90, 0, 100, 10);
        look->FontName = "Courier New";
        look->FontHeight = 11;
        pc = new TqlSkinPageControl(form);
        pc->SetParent(form);
        pc->SetBounds(0, 0, 300, 120);
        for (const char* caption : {"One", "Two", "Three"}) {
            auto* sheet = new TqlSkinTabSheet(form);
            sheet->SetPageControl(pc);
            sheet->SetCaption(caption);
        }
        pc->SetActivePageIndex(0);
    }
    void TearDown() override { delete form; }
    // How many pixels of colour c a rectangle of the picture holds.
    static int Count(const TBitmap& b, const TRect& r, TColor c) {
        int n = 0;
        for (int y = std::max(0, r.Top); y < std::min(b.Height(), r.Bottom); ++y)
            for (int x = std::max(0, r.Left); x < std::min(b.Width(), r.Right); ++x) n += b.Pixel(x, y) == c;
        return n;
    }

    TForm* form = nullptr;
    std::unique_ptr<Skin> skin;
    TqlDataSkinTabControl* look = nullptr;
    TqlSkinPageControl* pc = nullptr;
};

TEST_F(SkinTabLooks, ImagesWidenEveryTabAndShowInIt) {
    // Inactive tabs move their image 2 pixels down: a 6-pixel image fits the 10-pixel tab.
    TCustomImageList images(12, 6);
    TBitmap glyph(12, 6);
    FillRect(glyph, Rect(0, 0, 12, 6), kImage);
    images.AddMasked(glyph, clNone);
    const int widths[] = {pc->TabRect(0).Width(), pc->TabRect(1).Width(), pc->TabRect(2).Width()};
    static_cast<TqlSkinTabSheet*>(pc->Pages(1))->ImageIndex = 0;
    static_cast<TqlSkinTabSheet*>(pc->Pages(2))->ImageIndex = 5;
    pc->SetImages(&images);
    const TBitmap shot = Snapshot(*pc);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pc->TabRect(i).Width(), widths[i] + 12) << "room for an image in every tab";
        // Only a sheet whose index names an image shows one, whole.
        EXPECT_EQ(Count(shot, pc->TabRect(i), kImage), i == 1 ? 12 * 6 : 0);
    }
    pc->SetImages(nullptr);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(pc->TabRect(i).Width(), widths[i]);
}

TEST_F(SkinTabLooks, AHandlerDrawsTheContentOnTheSkinsFace) {
    std::vector<std::tuple<int, TRect, bool>> calls;
    pc->SetShowCloseButtons(true);
    pc->OnDrawSkinTab = [&](int index, const TRect& r, bool active, bool, TCanvas& c) {
        calls.emplace_back(index, r, active);
        c.Brush().Color = kDrawn;
        c.FillRect(Rect(r.Right - 4, 0, r.Right, 2));
    };
    const TBitmap shot = Snapshot(*pc);
    ASSERT_EQ(calls.size(), 3u);
    for (const auto& [index, r, active] : calls) {
        SCOPED_TRACE(index);
        const TRect tab = pc->TabRect(index);
        EXPECT_EQ(r, Rect(0, 0, tab.Width(), tab.Height()));
        EXPECT_EQ(active, index == 0);
        EXPECT_EQ(shot.Pixel(tab.Right - 1, tab.Top), kDrawn);
        // The face stays the skin's, and nothing else is drawn on it: no caption, no button.
        const TColor face = active ? kSelected : kIdle;
        EXPECT_EQ(Count(shot, Rect(tab.Left, tab.Top + 2, tab.Right, tab.Top + 10), face), tab.Width() * 8);
        EXPECT_TRUE(RectIsEmpty(static_cast<TqlSkinTabSheet*>(pc->Pages(index))->CloseRect));
    }
}

TEST_F(SkinTabLooks, APositiveTabHeightTakesTheNinePartFace) {
    pc->SetTabHeight(16);
    ASSERT_EQ(pc->TabRect(1).Height(), 16);
    const TRect idle = pc->TabRect(1);
    const TBitmap shot = Snapshot(*pc);
    // The three-part face would stop at the skin's 10 rows; nine parts reach the tab's bottom.
    for (int y : {idle.Top, idle.Top + 8, idle.Bottom - 1}) {
        SCOPED_TRACE(y);
        EXPECT_EQ(shot.Pixel(idle.Left + 1, y), kIdle);
    }
}

TEST_F(SkinTabLooks, WithoutASkinButtonTheCloseButtonIsAToolButtonFace) {
    auto& tool = skin->Add<TqlDataSkinButtonControl>("resizetoolbutton");
    TBitmap face(10, 10);
    FillRect(face, Rect(0, 0, 10, 10), kToolFace);
    tool.PictureIndex = skin->AddPicture(face);
    tool.SkinRect = Rect(0, 0, 10, 10);
    tool.ClientRect = Rect(2, 2, 8, 8);
    tool.FontColor = clBlack;
    pc->SetShowCloseButtons(true);
    const TBitmap shot = Snapshot(*pc);
    const auto* sheet = static_cast<TqlSkinTabSheet*>(pc->Pages(1));
    ASSERT_FALSE(RectIsEmpty(sheet->CloseRect));
    const TRect tab = pc->TabRect(1);
    const TRect button = Rect(tab.Left + sheet->CloseRect.Left, tab.Top + sheet->CloseRect.Top,
                              tab.Left + sheet->CloseRect.Right, tab.Top + sheet->CloseRect.Bottom);
    EXPECT_EQ(button.Width(), 14);
    EXPECT_GE(Count(shot, button, kToolFace), 14 * 14 / 2) << "the face under the cross";
    EXPECT_GE(Count(shot, button, clBlack), 8) << "the cross";
}

TEST_F(SkinTabLooks, ATransparentStripShowsTheParent) {
    const TRect third = pc->TabRect(2);
    const TPoint p{third.Right + 20, 3};
    EXPECT_EQ(Snapshot(*pc).Pixel(p.X, p.Y), kStrip);
    pc->SetTabsBGTransparent(true);
    EXPECT_EQ(Snapshot(*pc).Pixel(p.X, p.Y), kFormColour);
    // A parent that changed its look has the strip painted again.
    const uint64_t stamp = pc->LookStamp();
    pc->Perform(WM_PARENTLOOKCHANGED);
    EXPECT_NE(pc->LookStamp(), stamp);
}

TEST_F(SkinTabLooks, FontsFromTheSkinOrTheDefault) {
    EXPECT_EQ(pc->Font().Name(), "Courier New");
    EXPECT_EQ(pc->Font().Height(), 11);
    pc->UseSkinFont = false;
    pc->ChangeSkinData();
    EXPECT_EQ(pc->Font().Name(), pc->DefaultFont().Name());
    EXPECT_EQ(pc->Font().Height(), 14);
    TFont other;
    other.SetName("Liberation Serif");
    other.SetHeight(17);
    pc->SetSkinData(nullptr);
    pc->SetDefaultFont(other);
    EXPECT_EQ(pc->Font().Name(), "Liberation Serif") << "unskinned, the default font";
}

// Without a skin: a button-face control, a shadow frame round the pages, and
// tabs in the plain colours by state.
TEST_F(SkinTabLooks, ThePlainLook) {
    pc->SetSkinData(nullptr);
    pc->SetActivePageIndex(1);
    const TRect active = pc->TabRect(1), idle = pc->TabRect(0), hot = pc->TabRect(2);
    pc->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(hot.Left + 3, hot.Top + 3));
    const TBitmap shot = Snapshot(*pc);
    const TRect pages = pc->ClientRect();
    struct Probe {
        const char* what;
        int x, y;
        TColor colour;
    };
    const Probe probes[] = {
        {"idle tab", idle.Left + 2, idle.Top + 2, ColorToRGB(clBtnFace)},
        {"hovered tab", hot.Left + 2, hot.Top + 2, TColor(0xD2BDB6)},
        {"selected tab, unfocused", active.Left + 2, active.Top + 2, TColor(0xD2BDB6)},
        {"selected tab's frame", active.Left, active.Top + 2, TColor(0x800000)},
        {"frame round the pages", pages.Left - 1, pages.Top + 20, ColorToRGB(clBtnShadow)},
        {"beyond the tabs", hot.Right + 20, hot.Top + 2, ColorToRGB(clBtnFace)},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(shot.Pixel(p.x, p.y), p.colour);
    }
}

// A disabled page's tab refuses a click; in either look its caption is grey,
// while the others keep the colours of their state.
TEST_F(SkinTabLooks, ADisabledPagesTabIsGrey) {
    pc->Pages(2)->SetEnabled(false);
    const TColor grey = ColorToRGB(clGrayText);
    for (bool skinned : {true, false}) {
        SCOPED_TRACE(skinned ? "skinned" : "plain");
        if (!skinned) pc->SetSkinData(nullptr);
        const TBitmap shot = Snapshot(*pc);
        EXPECT_GT(Count(shot, pc->TabRect(2), grey), 0);
        EXPECT_EQ(Count(shot, pc->TabRect(1), grey), 0);
    }
}

}  // namespace

namespace {

// However the program sets the tab height, by the setter or by writing the
// member, the row, the nine-part face and the pages follow at once.
TEST_F(SkinTabLooks, TheTabHeightTakesEffectAtOnceHoweverItIsSet) {
    const int skinHeight = HeightOfRect(look->TabRect), below = look->ClientRect.Top;
    const std::function<void(int)> ways[] = {[&](int h) { pc->TabHeight = h; }, [&](int h) { pc->SetTabHeight(h); }};
    for (const auto& set : ways) {
        set(16);
        const TRect idle = pc->TabRect(1);
        EXPECT_EQ(idle.Height(), 16);
        EXPECT_EQ(pc->Pages(0)->Top(), 16 + below);
        EXPECT_EQ(Snapshot(*pc).Pixel(idle.Left + 1, idle.Bottom - 1), kIdle);
        set(0);
        EXPECT_EQ(pc->Pages(0)->Top(), skinHeight + below);
    }
}

// Without a skin the frame round the pages runs along the control's edges
// and right beside the row of tabs, on whichever side the row stands.
TEST_F(SkinTabLooks, ThePlainFrameRunsAlongTheEdgesAndBesideTheTabs) {
    pc->SetSkinData(nullptr);
    pc->SetBounds(0, 0, 300, 260);
    const TColor shadow = ColorToRGB(clBtnShadow);
    for (TTabPosition side : {TTabPosition::tpTop, TTabPosition::tpBottom, TTabPosition::tpLeft,
                              TTabPosition::tpRight}) {
        SCOPED_TRACE(int(side));
        pc->SetTabPosition(side);
        const int W = pc->Width(), H = pc->Height(), row = pc->TabHeight;
        const TRect f = side == TTabPosition::tpTop      ? Rect(0, row, W, H)
                        : side == TTabPosition::tpBottom ? Rect(0, 0, W, H - row)
                        : side == TTabPosition::tpLeft   ? Rect(row, 0, W, H)
                                                         : Rect(0, 0, W - row, H);
        EXPECT_EQ(pc->ActivePage()->BoundsRect(), Rect(f.Left + 1, f.Top + 1, f.Right - 1, f.Bottom - 1));
        const TBitmap shot = Snapshot(*pc);
        // The frame's four sides, away from the tabs that stand on one of them.
        for (TPoint p : {Point(f.Left, f.Bottom - 10), Point(f.Right - 1, f.Bottom - 10), Point(f.Right - 10, f.Top),
                         Point(f.Right - 10, f.Bottom - 1)}) {
            SCOPED_TRACE(testing::Message() << p.X << "," << p.Y);
            EXPECT_EQ(shot.Pixel(p.X, p.Y), shadow);
        }
        EXPECT_EQ(shot.Pixel(f.Left + 2, f.Top + 2), ColorToRGB(clBtnFace));
    }
}

// The selected tab is the one users close most: its button shows the pointer
// on it and the press, and a handler drawing the tab is told the pointer is in.
TEST_F(SkinTabLooks, TheSelectedTabsCloseButtonShowsHoverAndPress) {
    const TColor faces[] = {0x0A0B0C, 0x1A1B1C, 0x2A2B2C};  // normal, hovered, pressed
    TBitmap& pic = *skin->Data->ActivePictures[size_t(look->PictureIndex)];
    for (int i = 0; i < 3; ++i) FillRect(pic, Rect(30 + 10 * i, 20, 38 + 10 * i, 28), faces[i]);
    look->CloseButtonRect = Rect(30, 20, 38, 28);
    look->CloseButtonActiveRect = Rect(40, 20, 48, 28);
    look->CloseButtonDownRect = Rect(50, 20, 58, 28);
    pc->ChangeSkinData();
    pc->SetShowCloseButtons(true);
    Snapshot(*pc);
    const TRect tab = pc->TabRect(0), button = static_cast<TqlSkinTabSheet*>(pc->Pages(0))->CloseRect;
    const TPoint p{tab.Left + button.Left + 4, tab.Top + button.Top + 4};
    const UINT steps[][2] = {{WM_MOUSEMOVE, 1}, {WM_LBUTTONDOWN, 2}};
    EXPECT_EQ(Snapshot(*pc).Pixel(p.X, p.Y), faces[0]);
    for (const auto& step : steps) {
        pc->Perform(step[0], step[0] == WM_LBUTTONDOWN ? WPARAM(MK_LBUTTON) : WPARAM(0), MAKELPARAM(p.X, p.Y));
        EXPECT_EQ(Snapshot(*pc).Pixel(p.X, p.Y), faces[step[1]]);
    }
    bool mouseIn = false;
    pc->OnDrawSkinTab = [&](int index, const TRect&, bool, bool in, TCanvas&) { mouseIn |= index == 0 && in; };
    Snapshot(*pc);
    EXPECT_TRUE(mouseIn);
}

}  // namespace
