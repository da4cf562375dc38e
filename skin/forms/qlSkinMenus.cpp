#include "skin/forms/qlSkinMenus.h"

#include "skin/controls/SkinControlBases.h"

void TqlSkinPopupMenu::PopupFromRect(TControl* Control, const TRect& R, bool /*Flag*/) {
    PopupComponent = Control;
    Popup(R.Left, R.Bottom);
    if (Control) Control->Perform(WM_POPUPCLOSED);
}

void TqlSkinImagesMenu::SetItemIndex(int Value) {
    FItemIndex = Value;
    if (OnChange) OnChange();
}

const TqlImagesMenuItem* TqlSkinImagesMenu::GetSelectedItem() const {
    if (FItemIndex < 0 || FItemIndex >= int(Items.size())) return nullptr;
    return &Items[size_t(FItemIndex)];
}

void TqlSkinImagesMenu::Popup(const TRect& /*R*/) {
    if (FShowing) CloseUp(-1);
    if (OnPopup) OnPopup(this);
    if (!Images || Images->Count() == 0) {
        if (OnClose) OnClose();
        return;
    }
    FShowing = true;
}

void TqlSkinImagesMenu::CloseUp(int Index) {
    if (!FShowing) return;
    FShowing = false;
    if (Index >= 0 && Index < int(Items.size())) SetItemIndex(Index);
    if (OnClose) OnClose();
}
