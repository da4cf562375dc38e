// Speed buttons on a tool bar: the image they show by state, from the bar's
// lists or their own, and the glyph properties that place it.

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "platform/gui/Timers.h"
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
    // A list of one 8 x 8 image of a colour, freed with the form.
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
        // Below the bar when on the form, which the bar's window would hide.
        b->SetBounds(left, parent == bar ? 0 : 50, 30, 30);
        b->SetShowCaption(false);
        b->SetImageIndex(0);
        return b;
    }
    // The colour at the middle of a button, where its image lies.
    static TColor Middle(TqlSkinSpeedButton* b) {
        return Snapshot(*b->Parent()).Pixel(b->Left() + 15, b->Top() + 15);
    }

    TForm* form = nullptr;
    TqlSkinToolBar* bar = nullptr;
};

enum class State { Normal, Hot, Disabled };

// On a tool bar the bar's lists win over the button's own: the hot list under
// the pointer, the disabled list (drawn as it is) while disabled, else Images.
// A missing hot or disabled list falls back to Images (greyed when disabled).
TEST_F(ToolButtons, ASpeedButtonOnABarDrawsTheBarsImageForItsState) {
    struct Case {
        const char* name;
        bool hotList, disabledList, onBar;
        State state;
        TColor expected;  // clNone: Images greyed
    } cases[] = {
        {"normal", true, true, true, State::Normal, kImage},
        {"hot", true, true, true, State::Hot, kHotImage},
        {"hot without a hot list", false, true, true, State::Hot, kImage},
        {"disabled", true, true, true, State::Disabled, kDisabledImage},
        {"disabled without a disabled list", true, false, true, State::Disabled, clNone},
        {"off the bar, hot", true, true, false, State::Hot, kOwnImage},
    };
    TCustomImageList* images = List(kImage);
    TCustomImageList* own = List(kOwnImage);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar->SetImages(images);
        bar->SetHotImages(c.hotList ? List(kHotImage) : nullptr);
        bar->SetDisabledImages(c.disabledList ? List(kDisabledImage) : nullptr);
        // Put on the bar after the lists were set.
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

// A list freed while a control draws from it is forgotten by the control.
TEST_F(ToolButtons, AFreedImageListIsForgottenByEveryControlDrawingFromIt) {
    TCustomImageList* images = List(kImage);
    TCustomImageList* hot = List(kHotImage);
    TCustomImageList* disabled = List(kDisabledImage);
    bar->SetImages(images);
    bar->SetHotImages(hot);
    bar->SetDisabledImages(disabled);
    TqlSkinSpeedButton* b = AddButton(bar, 10);
    b->SetImageList(images);
    auto* panel = new TqlSkinPanel(form);
    panel->SetParent(form);
    panel->SetCaptionImageList(hot);
    auto* box = new TqlSkinCheckRadioBox(form);
    box->SetParent(form);
    box->SetImages(disabled);
    delete images;
    delete hot;
    delete disabled;
    EXPECT_EQ(bar->Images(), nullptr);
    EXPECT_EQ(bar->HotImages(), nullptr);
    EXPECT_EQ(bar->DisabledImages(), nullptr);
    EXPECT_EQ(b->ImageList(), nullptr);
    EXPECT_EQ(panel->CaptionImageList(), nullptr);
    EXPECT_EQ(box->Images(), nullptr);
    b->Perform(CM_MOUSEENTER);
    const TColor seen = Middle(b);
    EXPECT_NE(seen, kImage);
    EXPECT_NE(seen, kHotImage);
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

// Unskinned, the caption's text sits by DefaultAlignment, and a change shows.
TEST_F(ToolButtons, APanelsCaptionFollowsItsDefaultAlignment) {
    auto* panel = new TqlSkinPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 60, 200, 60);
    panel->SetCaptionMode(true);
    panel->SetCaption("Words");
    panel->DefaultFont().SetColor(0x0000C0);
    struct Case {
        TAlignment alignment;
        int from, to;  // where the text's pixels lie
    } cases[] = {{TAlignment::taLeftJustify, 0, 100}, {TAlignment::taRightJustify, 100, 200},
                 {TAlignment::taCenter, 50, 150}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.alignment));
        panel->SetDefaultAlignment(c.alignment);
        const TBitmap shot = Snapshot(*panel);
        int first = -1, last = -1;
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 22; ++y)
                if (shot.Pixel(x, y) == TColor(0x0000C0)) {
                    if (first < 0) first = x;
                    last = x;
                }
        EXPECT_GE(first, c.from);
        EXPECT_LT(last, c.to);
    }
}

}  // namespace
