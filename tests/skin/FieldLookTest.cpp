// Native fields in a skinned window show the skin's field colours and go back
// to the platform's when the skin goes.

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "skin/boxes/qlSkinBoxCtrls.h"
#include "skin/boxes/qlSkinFieldLook.h"
#include "tests/skin/SyntheticSkin.h"

using namespace synthetic;

namespace {

TEST(FieldLook, FieldsTakeTheSkinsWindowColourAndGiveItBack) {
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 400, 300);
    form->Show();
    auto* edit = new TqlSkinEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 120, 26);
    auto* list = new TqlSkinListBox(form);
    list->SetParent(form);
    list->SetBounds(10, 50, 120, 80);
    const TColor plainEdit = Snapshot(*edit).Pixel(60, 13), plainList = Snapshot(*list).Pixel(60, 60);

    Skin skin(form);
    constexpr TColor kField = 0x30C0A0;
    skin.Data->SkinColors.cWindow = kField;
    ApplySkinFieldLooks(form, skin.Data);
    struct Case {
        const char* what;
        TWinControl* field;
        TPoint inside;
        TColor plain;
    } cases[] = {{"edit", edit, {60, 13}, plainEdit}, {"list box", list, {60, 60}, plainList}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Snapshot(*c.field).Pixel(c.inside.X, c.inside.Y), kField);
    }

    skin.Data->Empty = true;
    ApplySkinFieldLooks(form, skin.Data);
    // The text area's colour is the program's own again once its Color is re-applied.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NE(Snapshot(*c.field).Pixel(c.inside.X, c.inside.Y), kField);
    }
    delete form;
}

}  // namespace
