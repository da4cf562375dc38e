// On a desktop of two screens, a window's monitor is the one showing most of
// it, or the nearest one when none shows it; the images menu's grid opens on
// the screen of the button that opens it and stays inside that screen.

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "platform/gui/Forms.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/core/qlUtils.h"
#include "skin/forms/qlImagesMenuGrid.h"
#include "skin/forms/qlSkinMenus.h"

namespace {

const TRect kLeft = Rect(0, 0, 1024, 768), kRight = Rect(1024, 0, 1824, 600);

TEST(TwoScreens, AWindowsWorkAreaIsThatOfTheScreenShowingItOrTheNearestOne) {
    ASSERT_EQ(QGuiApplication::screens().size(), 2) << "the screen file was not read";
    EXPECT_TRUE(HasSeveralMonitors());
    struct Case {
        const char* name;
        TRect window;
        TRect area;
    } cases[] = {
        {"on the left screen", Bounds(100, 100, 300, 200), kLeft},
        {"on the right screen", Bounds(1300, 100, 300, 200), kRight},
        {"mostly on the right screen", Bounds(900, 100, 300, 200), kRight},
        {"below the right screen, on none", Bounds(1500, 650, 200, 80), kRight},
        {"far right of both", Bounds(2000, 100, 100, 100), kRight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TForm form(nullptr);
        form.SetBounds(c.window.Left, c.window.Top, c.window.Width(), c.window.Height());
        form.Show();
        TRect area = Rect(-1, -1, -1, -1);
        GetWorkAreaOfWindow(&form, true, area);
        EXPECT_EQ(area, c.area);
        GetWorkAreaOfWindow(&form, false, area);
        EXPECT_EQ(area, c.area) << "the offscreen screens have no panels";
    }
}

class ScreenImagesMenu : public testing::Test {
public:
    void SetUp() override {
        form = new TForm(nullptr);
        for (int i = 0; i < 9; ++i) {
            TBitmap image(16, 16);
            images.AddMasked(image, clNone);
        }
        menu = new TqlSkinImagesMenu(form);
        menu->SetImages(&images);
        for (int i = 0; i < 9; ++i) menu->Items.push_back({i, "item " + std::to_string(i)});
        menu->ColumnsCount = 3;
        button = new TqlSkinMenuSpeedButton(form);
        button->SetParent(form);
        button->SetSkinDataName("none");
        button->SetSkinImagesMenu(menu);
    }
    void TearDown() override { delete form; }

    // Opens the menu from a 60 x 25 button whose top-left lands on the screen at `at`.
    TRect OpenAt(TPoint at) {
        menu->CloseUp(-1);
        form->SetBounds(at.X - 10, at.Y - 10, 200, 120);
        form->Show();
        button->SetBounds(10, 10, 60, 25);
        const TPoint origin = button->ClientToScreen({0, 0});
        button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        return Rect(origin.X, origin.Y, origin.X + 60, origin.Y + 25);
    }
    TqlImagesMenuGrid* Grid() const { return dynamic_cast<TqlImagesMenuGrid*>(menu->Grid()); }

    TForm* form = nullptr;
    TCustomImageList images{16, 16};
    TqlSkinImagesMenu* menu = nullptr;
    TqlSkinMenuSpeedButton* button = nullptr;
};

TEST_F(ScreenImagesMenu, TheGridOpensOnTheButtonsScreenAndStaysInsideIt) {
    struct Case {
        const char* name;
        TPoint at;
        TRect screen;
        bool below;
    } cases[] = {
        {"middle of the left screen", {300, 300}, kLeft, true},
        {"middle of the right screen", {1300, 200}, kRight, true},
        {"bottom of the right screen: above the button", {1300, 560}, kRight, false},
        {"right edge of the right screen", {1790, 200}, kRight, true},
        {"right edge of the left screen", {960, 300}, kLeft, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TRect opener = OpenAt(c.at);
        ASSERT_NE(Grid(), nullptr);
        const TRect grid = Grid()->BoundsRect();
        EXPECT_TRUE(c.screen.Contains({grid.Left, grid.Top}) &&
                    c.screen.Contains({grid.Right - 1, grid.Bottom - 1}))
            << "grid at " << grid.Left << "," << grid.Top << " .. " << grid.Right << "," << grid.Bottom;
        EXPECT_EQ(grid.Top, c.below ? opener.Bottom : opener.Top - grid.Height());
        // Left-aligned with the button unless that would cross the screen's right edge.
        EXPECT_EQ(grid.Left, std::min(opener.Left, c.screen.Right - grid.Width()));
    }
}

}  // namespace
