// Speed buttons on a tool bar: the image they show by state and where.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/Timers.h"
#include "skin/controls/qlSkinTabs.h"
#include "skin/forms/qlSkinMenus.h"
#include "tests/skin/SyntheticSkin.h"

using namespace synthetic;

namespace {

constexpr TColor kImage = 0x2040C0, kHotImage = 0x20C040, kDisabledImage = 0xC04020, kOwnImage = 0x808000;

class ToolButtons : public testing::Test {
protected:
    void SetUp() override {
        TTimerService::Instance().UseManualClock(true);
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 200);
        form->Show();
        bar = new TqlSkinToolBar(form);
        bar->SetParent(form);
        bar->SetBounds(0, 0, 300, 40);
    }
    void TearDown() override {
        delete form;
        TTimerService::Instance().UseManualClock(false);
    }
    TCustomImageList* List(TColor colour) {
        auto* list = new TCustomImageList(8, 8, form);
        TBitmap image(8, 8);
        FillRect(image, Rect(0, 0, 8, 8), colour);
        list->AddMasked(image, clNone);
        return list;
    }
    TqlSkinSpeedButton* AddButton(TWinControl* parent, int left) {
        auto* b = new TqlSkinSpeedButton(form);
        b->SetParent(parent);
        // On the form, below the bar's window.
        b->SetBounds(left, parent == bar ? 0 : 50, 30, 30);
        b->SetShowCaption(false);
        b->SetImageIndex(0);
        return b;
    }
    template <class T>
    T* Put() {
        auto* c = new T(form);
        c->SetParent(form);
        return c;
    }
    // The colour at the middle of a button, where its image lies.
    static TColor Middle(TqlSkinSpeedButton* b) {
        return Snapshot(*b->Parent()).Pixel(b->Left() + 15, b->Top() + 15);
    }

    TForm* form = nullptr;
    TqlSkinToolBar* bar = nullptr;
};

enum class State { Normal, Hot, Disabled };

// On a bar the bar's lists win over the button's own; without a hot or disabled
// list Images is drawn (greyed when disabled).
TEST_F(ToolButtons, ASpeedButtonOnABarDrawsTheBarsImageForItsState) {
    struct Case {
        const char* name;
        bool hotList, disabledList, onBar;
        State state;
        TColor expected;  // clNone: an image greyed
        bool emptyDisabledList = false;
    } cases[] = {
        {"normal", true, true, true, State::Normal, kImage},
        {"hot", true, true, true, State::Hot, kHotImage},
        {"hot without a hot list", false, true, true, State::Hot, kImage},
        {"disabled", true, true, true, State::Disabled, kDisabledImage},
        {"disabled without a disabled list", true, false, true, State::Disabled, clNone},
        {"disabled with an empty disabled list", true, false, true, State::Disabled, clNone, true},
        {"off the bar, hot", true, true, false, State::Hot, kOwnImage},
    };
    TCustomImageList* images = List(kImage);
    TCustomImageList* own = List(kOwnImage);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar->SetImages(images);
        bar->SetHotImages(c.hotList ? List(kHotImage) : nullptr);
        bar->SetDisabledImages(c.disabledList        ? List(kDisabledImage)
                               : c.emptyDisabledList ? new TCustomImageList(8, 8, form)
                                                     : nullptr);
        TqlSkinSpeedButton* b = AddButton(c.onBar ? static_cast<TWinControl*>(bar) : form, 100);
        b->SetImageList(own);
        if (c.state == State::Hot) b->Perform(CM_MOUSEENTER);
        if (c.state == State::Disabled) b->SetEnabled(false);
        const TColor seen = Middle(b);
        if (c.expected == clNone) {
            EXPECT_NE(seen, kImage);
            EXPECT_NE(seen, kDisabledImage);
            EXPECT_NE(seen, kOwnImage);
        } else {
            EXPECT_EQ(seen, c.expected);
        }
        delete b;
    }
}

// Margin, Spacing and Layout move the image; a margin below -1 is refused.
TEST_F(ToolButtons, GlyphPropertiesPlaceTheImage) {
    TqlSkinSpeedButton* b = AddButton(form, 0);
    b->SetImageList(List(kOwnImage));
    const auto imageLeft = [&] {
        const TBitmap shot = Snapshot(*form);
        for (int x = 0; x < 30; ++x)
            if (shot.Pixel(x, b->Top() + 15) == kOwnImage) return x;
        return -1;
    };
    struct Case {
        const char* name;
        int margin;
        TqlButtonLayout layout;
        int left;
    } cases[] = {{"centred", -1, blGlyphLeft, 11},
                 {"margin 3, glyph left", 3, blGlyphLeft, 3},
                 {"margin 3, glyph right", 3, blGlyphRight, 19},
                 {"margin below -1 refused", -5, blGlyphRight, 19}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        b->SetMargin(c.margin);
        b->SetLayout(c.layout);
        EXPECT_EQ(imageLeft(), c.left);
    }
    EXPECT_EQ(b->Margin(), 3);
    // A glyph strip takes the place of the list's image.
    TBitmap glyph(16, 8);
    FillRect(glyph, Rect(0, 0, 8, 8), 0x123456);
    FillRect(glyph, Rect(8, 0, 16, 8), 0x654321);
    glyph.SetPixel(0, 7, 0x010101);
    b->SetGlyph(glyph);
    b->SetNumGlyphs(2);
    b->SetMargin(-1);
    EXPECT_EQ(Snapshot(*form).Pixel(15, b->Top() + 15), TColor(0x123456));
}

// Unskinned, the down look draws the glyph pressed (one pixel right and down)
// whether the pointer is over the button or not.
TEST_F(ToolButtons, TheUnskinnedDownLookDrawsTheGlyphPressed) {
    constexpr TColor kGlyph = 0x123456;
    TBitmap glyph(8, 8);
    FillRect(glyph, Rect(0, 0, 8, 8), kGlyph);
    glyph.SetPixel(0, 7, 0x010101);
    struct Case {
        const char* name;
        bool down, hovered;
        int left;
    } cases[] = {
        {"up", false, false, 11},
        {"up, hovered", false, true, 11},
        {"down, hovered", true, true, 12},
        {"down, pointer elsewhere", true, false, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TqlSkinSpeedButton* b = AddButton(form, 0);
        b->SetGlyph(glyph);
        b->GroupIndex = 1;
        if (c.hovered) b->Perform(CM_MOUSEENTER);
        b->SetDown(c.down);
        const TBitmap shot = Snapshot(*form);
        // The glyph's top-left corner, and nothing of it left of or above it.
        EXPECT_EQ(shot.Pixel(c.left, b->Top() + c.left), kGlyph);
        EXPECT_NE(shot.Pixel(c.left - 1, b->Top() + c.left), kGlyph);
        EXPECT_NE(shot.Pixel(c.left, b->Top() + c.left - 1), kGlyph);
        delete b;
    }
}

// A popup menu that never shows.
class SilentPopup : public TqlSkinPopupMenu {
public:
    using TqlSkinPopupMenu::TqlSkinPopupMenu;
    void PopupFromRect(TControl*, const TRect&, bool) override {}
};

// The faces, menu markers and track strips of menu speed buttons, a colour each.
namespace faces {
constexpr TColor kNormal = 0x404040, kActive = 0x40C0C0, kDown = 0xC04040, kMark = 0x0000F0, kActiveMark = 0x00F0F0,
                 kDownMark = 0xF000F0, kFlatMark = 0x008000, kSeeThrough = 0x00FF00, kVStripActive = 0x806000,
                 kVStripDown = 0x806080, kHStripActive = 0x006080, kHStripDown = 0x608060;
}

class MenuButtonFaces : public ToolButtons {
protected:
    void SetUp() override {
        using namespace faces;
        ToolButtons::SetUp();
        skin = std::make_unique<Skin>(form);
        skin->Data->EnableSkinEffects = false;
        TBitmap pic(200, 20);
        const TColor cells[] = {kNormal, kActive, kDown};
        for (int i = 0; i < 3; ++i) FillRect(pic, Rect(20 * i, 0, 20 * i + 20, 20), cells[i]);
        const TColor marks[] = {kMark, kActiveMark, kDownMark, kFlatMark};
        for (int i = 0; i < 4; ++i) {
            FillRect(pic, Rect(60 + 10 * i, 0, 66 + 10 * i, 4), marks[i]);
            pic.SetPixel(60 + 10 * i, 0, kSeeThrough);
        }
        const TColor strips[] = {kVStripActive, kVStripDown, kHStripActive, kHStripDown};
        for (int i = 0; i < 4; ++i) FillRect(pic, Rect(100 + 20 * i, 0, 120 + 20 * i, 20), strips[i]);
        picture = skin->AddPicture(pic);
        for (const char* name : {"toolbutton", "bigtoolbutton", "resizebutton", "resizetoolbutton"}) Face(name, 0);
        Face("vtracktoolbutton", 100);
        Face("htracktoolbutton", 140);
        popup = new SilentPopup(form);
    }
    // A nine-part face whose active and down rectangles follow at 20-pixel steps.
    TqlDataSkinMenuButtonControl& Face(const char* name, int left) {
        auto& d = skin->Add<TqlDataSkinMenuButtonControl>(name);
        d.PictureIndex = picture;
        d.SkinRect = Rect(left, 0, left + 20, 20);
        d.ActiveSkinRect = left == 0 ? Rect(20, 0, 40, 20) : Rect(left, 0, left + 20, 20);
        d.DownSkinRect = left == 0 ? Rect(40, 0, 60, 20) : Rect(left + 20, 0, left + 40, 20);
        d.LTPoint = {5, 5};
        d.RTPoint = {15, 5};
        d.LBPoint = {5, 15};
        d.RBPoint = {15, 15};
        d.ClientRect = Rect(5, 5, 15, 15);
        d.MenuMarkerRect = Rect(60, 0, 66, 4);
        d.MenuMarkerActiveRect = Rect(70, 0, 76, 4);
        d.MenuMarkerDownRect = Rect(80, 0, 86, 4);
        d.MenuMarkerFlatRect = Rect(90, 0, 96, 4);
        d.MenuMarkerTransparentColor = faces::kSeeThrough;
        return d;
    }
    TqlSkinMenuSpeedButton* AddMenuButton(const char* name, bool track) {
        auto* b = new TqlSkinMenuSpeedButton(form);
        b->SetParent(form);
        b->SetSkinDataName(name);
        b->SetSkinData(skin->Data);
        b->UseSkinSize = false;
        b->SetBounds(0, 50, 60, 25);
        b->SetShowCaption(false);
        b->SetSkinPopupMenu(popup);
        b->SetTrackButtonMode(track);
        return b;
    }
    // The colours of a button, at its own coordinates.
    static auto Shot(TqlSkinMenuSpeedButton* b) {
        return [b, shot = Snapshot(*b->Parent())](int x, int y) { return shot.Pixel(b->Left() + x, b->Top() + y); };
    }

    std::unique_ptr<Skin> skin;
    int picture = 0;
    SilentPopup* popup = nullptr;
};

enum class Press { None, Hover, Track };

// Split into a main and a 15-pixel track part with TrackButtonMode, whole
// without, with the marker of the state centred in the track part.
TEST_F(MenuButtonFaces, EachToolButtonNameDrawsItsOwnLayout) {
    using namespace faces;
    struct Case {
        bool track;
        Press press;
        TColor main, trackPart, mark;
    } cases[] = {
        {true, Press::None, kNormal, kNormal, kMark},       {true, Press::Hover, kActive, kActive, kActiveMark},
        {true, Press::Track, kActive, kDown, kDownMark},    {false, Press::None, kNormal, kNormal, kMark},
        {false, Press::Hover, kActive, kActive, kActiveMark}, {false, Press::Track, kDown, kDown, kDownMark},
    };
    for (const char* name : {"toolbutton", "bigtoolbutton", "resizebutton", "resizetoolbutton"})
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << name << (c.track ? " split" : " whole") << " state " << int(c.press));
            TqlSkinMenuSpeedButton* b = AddMenuButton(name, c.track);
            ASSERT_NE(b->Index(), -1);
            if (c.press != Press::None) b->Perform(CM_MOUSEENTER);
            if (c.press == Press::Track) b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(55, 5));
            const auto shot = Shot(b);
            EXPECT_EQ(shot(3, 3), c.main);
            EXPECT_EQ(shot(57, 3), c.trackPart);
            // The 6 x 4 marker, its corner pixel see-through.
            EXPECT_EQ(shot(50, 11), c.mark);
            EXPECT_EQ(shot(49, 10), c.trackPart);
            delete b;
        }
}

// New style wears "resizetoolbutton", else "resizebutton", and draws the track
// strip of its position.
TEST_F(MenuButtonFaces, NewStyleDrawsTheTrackStripOfItsPosition) {
    using namespace faces;
    struct Case {
        TqlTrackPosition position;
        Press press;
        TPoint probe;
        TColor strip;
    } cases[] = {
        {TqlTrackPosition::qltpRight, Press::Hover, {57, 3}, kVStripActive},
        {TqlTrackPosition::qltpRight, Press::Track, {57, 3}, kVStripDown},
        {TqlTrackPosition::qltpBottom, Press::Hover, {3, 22}, kHStripActive},
        {TqlTrackPosition::qltpRight, Press::None, {57, 3}, kNormal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.position) << " state " << int(c.press));
        TqlSkinMenuSpeedButton* b = AddMenuButton("toolmenubutton", true);
        b->SetNewStyle(true);
        b->SetTrackPosition(c.position);
        b->ChangeSkinData();
        EXPECT_EQ(b->SkinDataName(), "resizetoolbutton");
        if (c.press != Press::None) b->Perform(CM_MOUSEENTER);
        if (c.press == Press::Track) b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.probe.X, c.probe.Y));
        EXPECT_EQ(Shot(b)(c.probe.X, c.probe.Y), c.strip);
        delete b;
    }
    // Without "resizetoolbutton" the new style wears "resizebutton".
    auto& list = skin->Data->CtrlList;
    list.erase(list.begin() + skin->Data->IndexOfControlData("resizetoolbutton"));
    TqlSkinMenuSpeedButton* b = AddMenuButton("toolmenubutton", true);
    b->SetNewStyle(true);
    b->ChangeSkinData();
    EXPECT_EQ(b->Index(), skin->Data->IndexOfControlData("resizebutton"));
    EXPECT_EQ(Shot(b)(3, 3), kNormal);
}

// Fixed-size descriptors (no corner points, no client rectangle) give each
// face and the new style's track strip as a copy of their state rectangle.
TEST_F(MenuButtonFaces, FixedSizeDescriptorsDrawEveryFaceAndTheStrip) {
    using namespace faces;
    for (auto& item : skin->Data->CtrlList)
        if (auto* d = dynamic_cast<TqlDataSkinMenuButtonControl*>(item.get())) {
            d->LTPoint = d->RTPoint = d->LBPoint = d->RBPoint = TPoint{0, 0};
            d->ClientRect = TRect{};
        }
    struct Case {
        bool track, newStyle;
        Press press;
        TColor main, trackPart;
    } cases[] = {
        {false, false, Press::None, kNormal, kNormal}, {false, false, Press::Hover, kActive, kActive},
        {true, false, Press::None, kNormal, kNormal},  {true, false, Press::Hover, kActive, kActive},
        {true, false, Press::Track, kActive, kDown},   {true, true, Press::Hover, kActive, kVStripActive},
        {true, true, Press::Track, kActive, kVStripDown},
    };
    for (const char* name : {"toolbutton", "resizetoolbutton"})
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << name << (c.track ? " split" : " whole") << (c.newStyle ? " new" : "")
                                            << " state " << int(c.press));
            TqlSkinMenuSpeedButton* b = AddMenuButton(name, c.track);
            if (c.newStyle) {
                b->SetNewStyle(true);
                b->ChangeSkinData();
            }
            ASSERT_EQ(b->Width(), 60);
            if (c.press != Press::None) b->Perform(CM_MOUSEENTER);
            if (c.press == Press::Track) b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(55, 5));
            const auto shot = Shot(b);
            EXPECT_EQ(shot(3, 3), c.main);
            EXPECT_EQ(shot(57, 3), c.trackPart);
            delete b;
        }
}

// The parts of a face are built to their own size, so a 3-pixel border stays 3
// pixels wide: by the sized nine-part builder when the descriptor has a client
// rectangle (fixed size too), by the three-part builders when a three-part
// descriptor has none.
TEST_F(MenuButtonFaces, EveryPartKeepsTheBordersOfItsFace) {
    using namespace faces;
    constexpr TColor kEdge = 0x10A010;
    TBitmap& pic = *skin->Data->ActivePictures[size_t(picture)];
    const TColor cells[] = {kNormal, kActive, kDown};
    for (int i = 0; i < 3; ++i) {
        FillRect(pic, Rect(20 * i, 0, 20 * i + 20, 20), kEdge);
        FillRect(pic, Rect(20 * i + 3, 3, 20 * i + 17, 17), cells[i]);
    }
    struct Probe {
        int x, y;
        TColor colour;
    };
    // The face is 60 x 25; split, its main part is 45 wide and its track part
    // 15. A horizontal strip is stretched from 20 to 25 pixels high, a
    // vertical one from 20 to 60 wide. The marker lies at (49..55, 10..14).
    const std::vector<Probe> nine = {{2, 12, kEdge}, {3, 12, kNormal}, {56, 12, kNormal}, {57, 12, kEdge},
                                     {30, 2, kEdge}, {30, 3, kNormal}, {30, 21, kNormal}, {30, 22, kEdge}};
    const std::vector<Probe> horizontal = {{2, 12, kEdge}, {3, 12, kNormal}, {56, 12, kNormal}, {57, 12, kEdge},
                                           {30, 1, kEdge}, {30, 5, kNormal}, {30, 19, kNormal}, {30, 24, kEdge}};
    const std::vector<Probe> split = {{3, 12, kNormal}, {41, 12, kNormal}, {42, 12, kEdge},
                                      {47, 20, kEdge},  {48, 20, kNormal}, {57, 20, kEdge}};
    const std::vector<Probe> vertical = {{30, 2, kEdge}, {30, 3, kNormal}, {30, 21, kNormal}, {30, 22, kEdge},
                                         {7, 20, kEdge}, {10, 20, kNormal}, {49, 20, kNormal}, {53, 20, kEdge}};
    // Stretched whole from 20 x 20, the side borders are 9 wide.
    const std::vector<Probe> stretched = {{8, 20, kEdge}, {9, 20, kNormal}, {50, 20, kNormal}, {51, 20, kEdge}};
    const auto cut = [&](TPoint lt, TPoint rt, TPoint lb, TPoint rb, TRect client) {
        for (auto& item : skin->Data->CtrlList)
            if (auto* d = dynamic_cast<TqlDataSkinMenuButtonControl*>(item.get())) {
                d->LTPoint = lt;
                d->RTPoint = rt;
                d->LBPoint = lb;
                d->RBPoint = rb;
                d->ClientRect = client;
            }
    };
    struct Case {
        const char* name;
        TPoint lt, rt, lb, rb;
        TRect client;
        bool track;
        const std::vector<Probe>& probes;
    } cases[] = {
        {"fixed size with a client, whole", {}, {}, {}, {}, Rect(3, 3, 17, 17), false, nine},
        {"fixed size with a client, split", {}, {}, {}, {}, Rect(3, 3, 17, 17), true, split},
        {"horizontal three-part, whole", {5, 0}, {15, 0}, {}, {}, TRect{}, false, horizontal},
        {"horizontal three-part, split", {5, 0}, {15, 0}, {}, {}, TRect{}, true, split},
        {"vertical three-part, whole", {0, 5}, {}, {0, 15}, {}, TRect{}, false, vertical},
        // Nothing to cut by: the whole state rectangle is stretched.
        {"fixed size without a client, whole", {}, {}, {}, {}, TRect{}, false, stretched},
        {"nine-part without a client, whole", {5, 5}, {15, 5}, {5, 15}, {15, 15}, TRect{}, false, stretched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cut(c.lt, c.rt, c.lb, c.rb, c.client);
        TqlSkinMenuSpeedButton* b = AddMenuButton("toolbutton", c.track);
        ASSERT_EQ(b->Width(), 60);
        ASSERT_EQ(b->Height(), 25);
        const auto shot = Shot(b);
        for (const Probe& p : c.probes) {
            SCOPED_TRACE(testing::Message() << "pixel " << p.x << "," << p.y);
            EXPECT_EQ(shot(p.x, p.y), p.colour);
        }
        delete b;
    }
    // New style: the three-part track strip without a client is drawn too.
    cut({5, 0}, {15, 0}, {}, {}, TRect{});
    for (Press press : {Press::Hover, Press::Track}) {
        SCOPED_TRACE(int(press));
        TqlSkinMenuSpeedButton* b = AddMenuButton("toolmenubutton", true);
        b->SetNewStyle(true);
        b->ChangeSkinData();
        b->Perform(CM_MOUSEENTER);
        if (press == Press::Track) b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(55, 5));
        const auto shot = Shot(b);
        EXPECT_EQ(shot(57, 3), press == Press::Track ? kVStripDown : kVStripActive);
        EXPECT_EQ(shot(20, 12), kActive);
        delete b;
    }
}

// A transparent button at rest shows only the flat marker (unskinned, the plain arrow).
TEST_F(MenuButtonFaces, ATransparentButtonAtRestShowsOnlyTheFlatMarker) {
    using namespace faces;
    TqlSkinMenuSpeedButton* b = AddMenuButton("toolbutton", false);
    b->SetFlat(true);
    const auto shot = Shot(b);
    EXPECT_EQ(shot(50, 11), kFlatMark);
    EXPECT_NE(shot(3, 3), kNormal);
    b->SetSkinDataName("none");
    const auto plain = Shot(b);
    EXPECT_NE(plain(50, 11), kFlatMark);
    EXPECT_EQ(plain(52, 14), ColorToRGB(clBtnText));
}

using Getter = std::function<const TCustomImageList*()>;

// Gives a list to a holder and returns how to read it back.
template <class C, class Set, class Get>
Getter Hold(C* holder, Set set, Get get, TCustomImageList* list) {
    (holder->*set)(list);
    return [=] { return (holder->*get)(); };
}

// Every holder of a list forgets it when it is freed, and draws nothing from it.
TEST_F(ToolButtons, EveryHolderOfAnImageListForgetsItWhenItIsFreed) {
    using L = TCustomImageList;
    using Bar = TqlSkinToolBar;
    TqlSkinSpeedButton* onBar = AddButton(bar, 10);
    auto* pages = Put<TqlSkinPageControl>();
    pages->SetBounds(0, 50, 300, 100);
    auto* menu = new TqlSkinImagesMenu(form);
    const std::pair<const char*, std::function<Getter(L*)>> holders[] = {
        {"bar", [&](L* l) { return Hold(bar, &Bar::SetImages, &Bar::Images, l); }},
        {"bar hot", [&](L* l) { return Hold(bar, &Bar::SetHotImages, &Bar::HotImages, l); }},
        {"bar disabled", [&](L* l) { return Hold(bar, &Bar::SetDisabledImages, &Bar::DisabledImages, l); }},
        {"speed button",
         [&](L* l) { return Hold(onBar, &TqlSkinSpeedButton::SetImageList, &TqlSkinSpeedButton::ImageList, l); }},
        {"windowless hint images",
         [&](L* l) {
             return Hold(AddButton(form, 10), &TqlSkinSpeedButton::SetHintImageList,
                         &TqlSkinSpeedButton::HintImageList, l);
         }},
        {"panel caption",
         [&](L* l) {
             return Hold(Put<TqlSkinPanel>(), &TqlSkinPanel::SetCaptionImageList, &TqlSkinPanel::CaptionImageList, l);
         }},
        {"windowed hint images",
         [&](L* l) {
             return Hold(Put<TqlSkinPanel>(), &TqlSkinPanel::SetHintImageList, &TqlSkinPanel::HintImageList, l);
         }},
        {"check box",
         [&](L* l) {
             return Hold(Put<TqlSkinCheckRadioBox>(), &TqlSkinCheckRadioBox::SetImages, &TqlSkinCheckRadioBox::Images,
                         l);
         }},
        {"page control", [&](L* l) { return Hold(pages, &TqlSkinPageControl::SetImages, &TqlSkinPageControl::Images, l); }},
        {"list view",
         [&](L* l) {
             using V = TqlSkinCustomListView;
             return Hold(Put<V>(), &V::SetSmallImages, &V::SmallImages, l);
         }},
        {"images menu", [&](L* l) { return Hold(menu, &TqlSkinImagesMenu::SetImages, &TqlSkinImagesMenu::Images, l); }},
        {"button", [&](L* l) { return Hold(Put<TqlSkinButton>(), &TqlSkinButton::SetImageList, &TqlSkinButton::ImageList, l); }},
    };
    for (const auto& [name, hold] : holders) {
        SCOPED_TRACE(name);
        TCustomImageList* images = List(kImage);
        const Getter held = hold(images);
        ASSERT_EQ(held(), images);
        delete images;
        EXPECT_EQ(held(), nullptr);
    }
    onBar->Perform(CM_MOUSEENTER);
    EXPECT_NE(Middle(onBar), kImage);
    // The tabs no longer keep room for the images.
    EXPECT_EQ(pages->TabExtraWidth, 0);
    // A menu whose list goes while its grid shows closes the grid.
    TCustomImageList* images = List(kImage);
    menu->SetImages(images);
    menu->Items.push_back({});
    menu->Items.back().ImageIndex = 0;
    menu->Popup(Rect(0, 0, 10, 10));
    ASSERT_TRUE(menu->Showing());
    delete images;
    EXPECT_EQ(menu->Grid(), nullptr);
}

}  // namespace
