// The images menu's grid window as the menu speed button opens it: the
// selection marked, picked by a click or the keys, closed by Esc or a click
// elsewhere, and the button's close path run once in every case. And the
// skinned popup menu drawn in its form's skin colours.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QTimer>
#include <QWidget>

#include "platform/gui/Forms.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/forms/qlImagesMenuGrid.h"
#include "skin/forms/qlSkinMenus.h"
#include "tests/skin/SyntheticSkin.h"

using namespace synthetic;

namespace {

constexpr int kImageSize = 16;

class ImagesMenu : public testing::Test {
public:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        form->Show();
        for (int i = 0; i < 7; ++i) {
            TBitmap image(kImageSize, kImageSize);
            FillRect(image, Rect(0, 0, kImageSize, kImageSize), Colour(i));
            images.AddMasked(image, clNone);
        }
        menu = new TqlSkinImagesMenu(form);
        menu->SetImages(&images);
        for (int i = 0; i < 7; ++i) menu->Items.push_back({i, "item " + std::to_string(i)});
        menu->ColumnsCount = 3;
        button = new TqlSkinMenuSpeedButton(form);
        button->SetParent(form);
        button->SetSkinDataName("none");
        button->SetBounds(10, 10, 60, 25);
        button->SetSkinImagesMenu(menu);
        button->OnHideTrackMenu = [this](TObject*) { ++hidden; };
    }
    void TearDown() override {
        delete form;
        form = nullptr;
    }

    static TColor Colour(int i) { return TColor(0x102030 + 0x200000 * i); }
    void Open() { button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }
    TqlImagesMenuGrid* Grid() const { return dynamic_cast<TqlImagesMenuGrid*>(menu->Grid()); }
    void Key(uint16_t key) { Grid()->Perform(WM_KEYDOWN, key, 0); }
    void ClickCell(int index) {
        const TRect cell = Grid()->CellRect(index);
        const LPARAM at = MAKELPARAM((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
        Grid()->Perform(WM_MOUSEMOVE, 0, at);
        Grid()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
        Grid()->Perform(WM_LBUTTONUP, 0, at);
    }

    TForm* form = nullptr;
    TCustomImageList images{kImageSize, kImageSize};
    TqlSkinImagesMenu* menu = nullptr;
    TqlSkinMenuSpeedButton* button = nullptr;
    int hidden = 0;
};

TEST_F(ImagesMenu, TheGridShowsTheItemsWithTheSelectionMarkedBelowTheButton) {
    menu->SetItemIndex(4);
    Open();
    ASSERT_NE(Grid(), nullptr);
    EXPECT_TRUE(Grid()->PoppedUp());
    EXPECT_TRUE(button->Down());
    EXPECT_EQ(Grid()->HotIndex(), 4);
    const int cell = kImageSize + 2 * TqlImagesMenuGrid::kPadding, border = TqlImagesMenuGrid::kBorder;
    EXPECT_EQ(Grid()->Width(), 3 * cell + 2 * border);
    EXPECT_EQ(Grid()->Height(), 3 * cell + 2 * border);
    const TPoint below = button->ClientToScreen({0, button->Height()});
    EXPECT_EQ(Grid()->Top(), below.Y);

    const TBitmap picture = Snapshot(*Grid());
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const TRect r = Grid()->CellRect(i);
        // Every image in its own cell; only the selected cell's padding is the accent.
        EXPECT_EQ(picture.Pixel(r.Left + TqlImagesMenuGrid::kPadding + 1, r.Top + TqlImagesMenuGrid::kPadding + 1),
                  Colour(i));
        const bool selected = i == 4;
        EXPECT_EQ(picture.Pixel(r.Left + 2, r.Top + 2) == ColorToRGB(clHighlight), selected);
    }
}

TEST_F(ImagesMenu, AClickOnACellPicksItAndTheButtonComesUpShowingIt) {
    button->UseImagesMenuImage = true;
    Open();
    ClickCell(5);
    EXPECT_EQ(menu->ItemIndex(), 5);
    EXPECT_EQ(menu->Grid(), nullptr);
    EXPECT_FALSE(button->Down());
    EXPECT_FALSE(button->MenuTracking());
    EXPECT_EQ(hidden, 1);
    // The button shows the picked item's image in place of its own.
    const TBitmap face = Snapshot(*form);
    bool found = false;
    for (int x = button->Left(); x < button->Left() + button->Width() && !found; ++x)
        for (int y = button->Top(); y < button->Top() + button->Height() && !found; ++y)
            found = face.Pixel(x, y) == Colour(5);
    EXPECT_TRUE(found);
}

TEST_F(ImagesMenu, KeysMoveTheLitCellWithinTheGridAndEnterPicksIt) {
    menu->SetItemIndex(0);
    Open();
    // Seven cells in rows of three: 0 1 2 / 3 4 5 / 6.
    const struct {
        uint16_t key;
        int hot;
    } steps[] = {{VK_RIGHT, 1}, {VK_DOWN, 4}, {VK_DOWN, 4}, {VK_LEFT, 3}, {VK_DOWN, 6}, {VK_RIGHT, 6},
                 {VK_UP, 3},    {VK_HOME, 0}, {VK_LEFT, 0}, {VK_END, 6},  {VK_UP, 3}};
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << "key " << s.key);
        Key(s.key);
        EXPECT_EQ(Grid()->HotIndex(), s.hot);
        EXPECT_EQ(menu->ItemIndex(), 0);
    }
    Key(VK_RETURN);
    EXPECT_EQ(menu->ItemIndex(), 3);
    EXPECT_EQ(hidden, 1);
    EXPECT_FALSE(button->Down());
}

TEST_F(ImagesMenu, EscOrAClickElsewhereClosesWithoutAPick) {
    struct Case {
        const char* name;
        std::function<void(TqlImagesMenuGrid*)> close;
    } cases[] = {
        {"Esc", [](TqlImagesMenuGrid* g) { g->Perform(WM_KEYDOWN, VK_ESCAPE, 0); }},
        // The window system closes a popup when the mouse goes down elsewhere.
        {"click elsewhere", [](TqlImagesMenuGrid* g) { g->Widget()->close(); }},
    };
    menu->SetItemIndex(2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        hidden = 0;
        Open();
        TqlImagesMenuGrid* grid = Grid();
        ASSERT_NE(grid, nullptr);
        Key(VK_RIGHT);
        c.close(grid);
        EXPECT_FALSE(grid->PoppedUp());
        EXPECT_EQ(menu->Grid(), nullptr);
        EXPECT_EQ(menu->ItemIndex(), 2);
        EXPECT_EQ(hidden, 1);
        EXPECT_FALSE(button->Down());
    }
}

TEST_F(ImagesMenu, AReleaseOffTheCellsKeepsTheGridOpen) {
    Open();
    Grid()->Perform(WM_LBUTTONUP, 0, MAKELPARAM(-5, -5));
    EXPECT_NE(menu->Grid(), nullptr);
    EXPECT_TRUE(button->Down());
    EXPECT_EQ(hidden, 0);
}

// A menu whose items or images are missing cannot open: its opener's close
// path runs at once and it is never left down.
TEST_F(ImagesMenu, AMenuWithNothingToShowClosesAtOnce) {
    TCustomImageList none(kImageSize, kImageSize);
    struct Case {
        const char* name;
        const TCustomImageList* images;
        bool items;
    } cases[] = {{"no images", &none, true}, {"no image list", nullptr, true}, {"no items", &images, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        hidden = 0;
        menu->SetImages(c.images);
        if (!c.items) menu->Items.clear();
        Open();
        EXPECT_EQ(menu->Grid(), nullptr);
        EXPECT_FALSE(button->Down());
        EXPECT_EQ(hidden, 1);
    }
}

// No order of freeing the menu and its openers leaves a call to a freed object
// (the sanitizer build checks the reads).
TEST_F(ImagesMenu, EveryOrderOfFreeingLeavesNoCallToTheFreedSide) {
    const auto freeButton = [](ImagesMenu& t) {
        delete t.button;
        t.button = nullptr;
    };
    struct Case {
        const char* name;
        std::function<void(ImagesMenu&)> run;
    } cases[] = {
        {"button freed while the grid shows, then a cell picked",
         [&](ImagesMenu& t) {
             t.Open();
             freeButton(t);
             t.ClickCell(3);
             EXPECT_EQ(t.menu->ItemIndex(), 3);
             EXPECT_EQ(t.menu->Grid(), nullptr);
             EXPECT_EQ(t.hidden, 0);
         }},
        {"menu freed while the grid shows",
         [](ImagesMenu& t) {
             t.Open();
             ASSERT_TRUE(t.button->Down());
             delete t.menu;
             t.menu = nullptr;
             EXPECT_EQ(t.button->SkinImagesMenu(), nullptr);
             EXPECT_FALSE(t.button->Down());
             EXPECT_FALSE(t.button->MenuTracking());
             EXPECT_EQ(t.hidden, 1);
         }},
        {"button moved to another menu, then freed",
         [&](ImagesMenu& t) {
             auto* other = new TqlSkinImagesMenu(t.form);
             t.button->SetSkinImagesMenu(other);
             EXPECT_EQ(t.menu->ChangeLink().Owner, nullptr);
             EXPECT_EQ(other->ChangeLink().Owner, t.button);
             freeButton(t);
             EXPECT_EQ(other->ChangeLink().Owner, nullptr);
             other->SetItemIndex(1);
             t.menu->SetItemIndex(1);
         }},
        {"two buttons on one menu, the first freed",
         [&](ImagesMenu& t) {
             auto* second = new TqlSkinMenuSpeedButton(t.form);
             second->SetParent(t.form);
             second->SetSkinImagesMenu(t.menu);
             freeButton(t);
             EXPECT_EQ(t.menu->ChangeLink().Owner, second);
             t.menu->SetItemIndex(4);
             delete second;
             EXPECT_EQ(t.menu->ChangeLink().Owner, nullptr);
             t.menu->SetItemIndex(5);
         }},
        {"form freed with the grid showing",
         [](ImagesMenu& t) {
             t.Open();
             delete t.form;
             t.form = nullptr;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        hidden = 0;
        c.run(*this);
    }
}

// What the popup menu looks like while it is open, closed at once.
QPalette PaletteWhileOpen(TPopupMenu& menu) {
    QPalette seen;
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            opened = true;
            seen = popup->palette();
            popup->close();
        }
    });
    menu.Popup(20, 20);
    EXPECT_TRUE(opened);
    return seen;
}

TEST(SkinPopupMenu, TakesItsFormsSkinColoursAndThePlatformsWithoutASkin) {
    TForm form(nullptr);
    form.Show();
    Skin skin(&form);
    TqlSkinColors& c = skin.Data->SkinColors;
    c.cWindow = 0x102030;
    c.cWindowText = 0x405060;
    c.cHighLight = 0x708090;
    c.cHighLightText = 0xA0B0C0;
    c.cBtnShadow = 0x00D0E0;
    auto* menu = new TqlSkinPopupMenu(&form);
    auto* item = new TMenuItem(&form);
    item->Caption = "Rename collocate";
    menu->Items()->Add(item);

    QPalette p = PaletteWhileOpen(*menu);
    EXPECT_EQ(p.color(QPalette::Active, QPalette::Window), QColor(0x30, 0x20, 0x10));
    EXPECT_EQ(p.color(QPalette::Active, QPalette::WindowText), QColor(0x60, 0x50, 0x40));
    EXPECT_EQ(p.color(QPalette::Active, QPalette::Highlight), QColor(0x90, 0x80, 0x70));
    EXPECT_EQ(p.color(QPalette::Active, QPalette::HighlightedText), QColor(0xC0, 0xB0, 0xA0));
    EXPECT_EQ(p.color(QPalette::Disabled, QPalette::WindowText), QColor(0xE0, 0xD0, 0x00));

    skin.Data->Empty = true;
    p = PaletteWhileOpen(*menu);
    const QPalette platform = QApplication::palette("QMenu");
    EXPECT_EQ(p.color(QPalette::Active, QPalette::Window), platform.color(QPalette::Active, QPalette::Window));
    EXPECT_EQ(p.color(QPalette::Active, QPalette::Highlight), platform.color(QPalette::Active, QPalette::Highlight));
}

}  // namespace
