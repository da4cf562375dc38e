#include "skin/dialogs/qlDialogLook.h"

#include "skin/boxes/qlSkinFieldLook.h"
#include "skin/core/ResourceStrings.h"
#include "skin/controls/SkinControlBases.h"
#include "skin/forms/qlCorvane.h"

namespace {

void LinkAll(TWinControl& Parent, TqlSkinData* Skin) {
    for (int i = 0; i < Parent.ControlCount(); ++i) {
        TControl* c = Parent.Controls(i);
        if (auto* link = dynamic_cast<TqlSkinDataLink*>(c)) link->SetSkinData(Skin);
        if (auto* w = dynamic_cast<TWinControl*>(c)) LinkAll(*w, Skin);
    }
}

void ColourForm(TForm& Form, const TqlSkinData* Skin, TqlDialogGround Ground) {
    const bool field = Ground == TqlDialogGround::Field;
    if (Skin && !Skin->Empty)
        Form.SetColor(field ? Skin->SkinColors.cWindow : Skin->SkinColors.cBtnFace);
    else
        Form.SetColor(field ? clWindow : clBtnFace);
}

}  // namespace

std::string DialogString(const TqlSkinData* Skin, std::string_view Key) {
    if (Skin && Skin->ResourceStrData()) return Skin->ResourceStrData()->LookupResString(Key);
    return BuiltInResString(Key);
}

TqlSkinData* DialogSkinData(TComponent& Dialog) {
    if (auto* link = dynamic_cast<TqlSkinDataLink*>(&Dialog); link && link->SkinData()) return link->SkinData();
    return Dialog.Owner() ? FormSkinData(Dialog.Owner()) : nullptr;
}

void SkinDialogForm(TForm& Form, TqlSkinData* Skin, TqlDialogGround Ground) {
    LinkAll(Form, Skin);
    ColourForm(Form, Skin, Ground);
    ApplySkinFieldLooks(&Form, Skin);
    auto* corvane = new TqlCorvane(&Form);
    corvane->SetSkinData(Skin);
    corvane->OnAfterChangeSkinData = [&Form, corvane, Ground](TObject*) {
        ColourForm(Form, corvane->SkinData(), Ground);
    };
}
