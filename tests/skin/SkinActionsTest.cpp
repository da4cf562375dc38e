// What the skinned buttons and check boxes take from a linked action beyond
// the framework's share: the action's image as glyph, and its checked state.

#include <gtest/gtest.h>

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

// The glyph of a button of the kind given its own glyph (or none) and then linked to the action.
template <typename Button>
TBitmap GlyphWhenLinked(TForm& form, TCustomAction& action, const TBitmap* own) {
    auto* b = new Button(&form);
    b->SetParent(&form);
    if (own) b->SetGlyph(*own);
    b->SetAction(&action);
    return b->Glyph();
}

}  // namespace

TEST(SkinActions, AButtonWithoutGlyphTakesTheActionsImage) {
    enum class Images { Held, Dropped, Freed };
    struct Case {
        const char* name;
        int imageIndex;
        bool ownGlyph;
        Images images;
        TColor left;  // clNone: the glyph stays as it was
    };
    const Case cases[] = {
        {"first image", 0, false, Images::Held, clBlue},
        {"second image", 1, false, Images::Held, clRed},
        {"own glyph kept", 1, true, Images::Held, clNone},
        {"index past the images", 2, false, Images::Held, clNone},
        {"no index", -1, false, Images::Held, clNone},
        {"list without images", 0, false, Images::Dropped, clNone},
        {"images freed", 0, false, Images::Freed, clNone},
    };
    const std::pair<const char*, TBitmap (*)(TForm&, TCustomAction&, const TBitmap*)> buttons[] = {
        {"push button", GlyphWhenLinked<TqlSkinButton>}, {"speed button", GlyphWhenLinked<TqlSkinSpeedButton>}};
    for (const auto& [kind, glyphWhenLinked] : buttons)
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind) + ": " + c.name);
            TForm form(nullptr);
            ActionWithImages a(&form);
            a.action->SetImageIndex(c.imageIndex);
            if (c.images == Images::Dropped) a.list->SetImages(nullptr);
            if (c.images == Images::Freed) delete a.images;
            TBitmap own(2, 2);
            own.Canvas().Brush().Color = clLime;
            own.Canvas().FillRect(Rect(0, 0, 2, 2));
            const TBitmap glyph = glyphWhenLinked(form, *a.action, c.ownGlyph ? &own : nullptr);
            if (c.left == clNone) {
                EXPECT_EQ(glyph.Width(), c.ownGlyph ? 2 : 0);
                continue;
            }
            ASSERT_EQ(glyph.Width(), 6);
            ASSERT_EQ(glyph.Height(), 4);
            for (TPoint p : {TPoint{0, 0}, TPoint{2, 3}}) EXPECT_EQ(glyph.Pixel(p.X, p.Y), c.left);
            for (TPoint p : {TPoint{3, 0}, TPoint{5, 3}}) EXPECT_EQ(glyph.Pixel(p.X, p.Y), clFuchsia);
        }
}

// Only while the action is being read (defaults only) does a checked box keep
// its check. The handler flips the action's check, as handlers do: following
// the action must not run it again, or the two would flip each other for ever.
TEST(SkinActions, ACheckBoxTakesTheActionsCheckedStateWithoutRunningItAgain) {
    struct Case {
        const char* name;
        bool defaultsOnly, boxChecked, actionChecked, after;
    };
    const Case cases[] = {
        {"run time, checked box, unchecked action", false, true, false, false},
        {"run time, unchecked box, checked action", false, false, true, true},
        {"defaults only, checked box stays checked", true, true, false, true},
        {"defaults only, unchecked box", true, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TForm form(nullptr);
        auto* box = new TqlSkinCheckRadioBox(&form);
        box->SetParent(&form);
        box->SetChecked(c.boxChecked);
        auto* action = new TCustomAction(&form);
        int runs = 0;
        action->SetOnExecute([&](TObject*) { action->SetChecked(!action->Checked()), ++runs; });
        action->SetChecked(c.actionChecked);
        action->SetLoading(c.defaultsOnly);
        box->SetAction(action);
        EXPECT_EQ(box->Checked(), c.after);
        action->SetChecked(!action->Checked());
        EXPECT_EQ(box->Checked(), action->Checked());
        EXPECT_EQ(runs, 0);
        // The user's click runs the handler once, and the box follows it.
        box->Toggle();
        EXPECT_EQ(runs, 1);
        EXPECT_EQ(box->Checked(), action->Checked());
    }
}
