// What the skinned buttons and check boxes take from a linked action beyond
// the framework's share: the action's image as glyph, and its checked state.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/gui/ActnList.h"
#include "platform/gui/Forms.h"
#include "platform/gui/graphics/ImageList.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinChecks.h"
#include "skin/controls/SkinSpeedButton.h"

namespace {

// An image list of 6 x 4 images whose right half is masked out, and an
// action in a list that holds it.
struct ActionWithImages {
    explicit ActionWithImages(TComponent* owner)
        : images(new TCustomImageList(6, 4, owner)), list(new TActionList(owner)), action(new TCustomAction(owner)) {
        TBitmap picture(6, 4);
        picture.Canvas().Brush().Color = clWhite;
        picture.Canvas().FillRect(Rect(0, 0, 6, 4));
        for (TColor colour : {clBlue, clRed}) {
            picture.Canvas().Brush().Color = colour;
            picture.Canvas().FillRect(Rect(0, 0, 3, 4));
            images->AddMasked(picture, clWhite);
        }
        list->SetImages(images);
        action->SetActionList(list);
    }
    TCustomImageList* images;
    TActionList* list;
    TCustomAction* action;
};

}  // namespace

TEST(SkinActions, AButtonWithoutGlyphTakesTheActionsImage) {
    struct Case {
        const char* name;
        int imageIndex;
        bool ownGlyph;
        bool listHasImages;
        TColor left;  // clNone: the glyph stays as it was
    };
    const Case cases[] = {
        {"first image", 0, false, true, clBlue},
        {"second image", 1, false, true, clRed},
        {"own glyph kept", 1, true, true, clNone},
        {"index past the images", 2, false, true, clNone},
        {"no index", -1, false, true, clNone},
        {"list without images", 0, false, false, clNone},
    };
    using Maker = std::function<TBitmap(TForm&, TCustomAction&, const TBitmap*)>;
    const std::pair<const char*, Maker> buttons[] = {
        {"push button",
         [](TForm& form, TCustomAction& action, const TBitmap* own) {
             auto* b = new TqlSkinButton(&form);
             b->SetParent(&form);
             if (own) b->SetGlyph(*own);
             b->SetAction(&action);
             return b->Glyph();
         }},
        {"speed button",
         [](TForm& form, TCustomAction& action, const TBitmap* own) {
             auto* b = new TqlSkinSpeedButton(&form);
             b->SetParent(&form);
             if (own) b->SetGlyph(*own);
             b->SetAction(&action);
             return b->Glyph();
         }},
    };
    for (const auto& [kind, make] : buttons)
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind) + ": " + c.name);
            TForm form(nullptr);
            ActionWithImages a(&form);
            a.action->SetImageIndex(c.imageIndex);
            if (!c.listHasImages) a.list->SetImages(nullptr);
            TBitmap own(2, 2);
            own.Canvas().Brush().Color = clLime;
            own.Canvas().FillRect(Rect(0, 0, 2, 2));
            const TBitmap glyph = make(form, *a.action, c.ownGlyph ? &own : nullptr);
            if (c.left == clNone) {
                EXPECT_EQ(glyph.Width(), c.ownGlyph ? 2 : 0);
                if (c.ownGlyph) {
                    EXPECT_EQ(glyph.Pixel(1, 1), clLime);
                }
                continue;
            }
            ASSERT_EQ(glyph.Width(), 6);
            ASSERT_EQ(glyph.Height(), 4);
            EXPECT_EQ(glyph.Pixel(0, 0), c.left);
            EXPECT_EQ(glyph.Pixel(2, 3), c.left);
            EXPECT_EQ(glyph.Pixel(3, 0), clFuchsia);
            EXPECT_EQ(glyph.Pixel(5, 3), clFuchsia);
        }
}

// Only while the action is being read (defaults only) does a checked box keep its check.
TEST(SkinActions, ACheckBoxTakesTheActionsCheckedState) {
    struct Case {
        const char* name;
        bool defaultsOnly;
        bool boxChecked, actionChecked;
        bool after;
    };
    const Case cases[] = {
        {"run time, checked box, unchecked action", false, true, false, false},
        {"run time, unchecked box, checked action", false, false, true, true},
        {"defaults only, checked box stays checked", true, true, false, true},
        {"defaults only, unchecked box", true, false, true, true},
        {"defaults only, both unchecked", true, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TForm form(nullptr);
        auto* box = new TqlSkinCheckRadioBox(&form);
        box->SetParent(&form);
        box->SetChecked(c.boxChecked);
        auto* action = new TCustomAction(&form);
        action->SetChecked(c.actionChecked);
        action->SetLoading(c.defaultsOnly);
        box->SetAction(action);
        EXPECT_EQ(box->Checked(), c.after);
        action->SetLoading(false);
        action->SetChecked(!action->Checked());
        EXPECT_EQ(box->Checked(), action->Checked());
    }
}

// The usual handler flips the action's check: following it must not run the
// handler again, or the two would flip each other for ever.
TEST(SkinActions, ACheckBoxFollowingItsActionDoesNotRunItAgain) {
    TForm form(nullptr);
    auto* box = new TqlSkinCheckRadioBox(&form);
    box->SetParent(&form);
    auto* action = new TCustomAction(&form);
    int runs = 0;
    action->SetOnExecute([&](TObject*) {
        ++runs;
        action->SetChecked(!action->Checked());
    });
    box->SetAction(action);
    action->SetChecked(true);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(runs, 0);
    // A click of the user runs the handler once, and the box follows it.
    box->Toggle();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(action->Checked());
    EXPECT_FALSE(box->Checked());
}
