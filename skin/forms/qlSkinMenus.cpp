#include "skin/forms/qlSkinMenus.h"

#include "skin/controls/SkinControlBases.h"
#include "skin/forms/qlImagesMenuGrid.h"

void TqlSkinPopupMenu::Popup(int x, int y) {
    const TqlSkinData* skin = SkinData() ? SkinData() : FormSkinData(Owner());
    Look = TMenuLook{};
    if (skin && !skin->Empty) {
        const TqlSkinColors& c = skin->SkinColors;
        Look = {c.cWindow, c.cWindowText, c.cHighLight, c.cHighLightText, c.cBtnShadow};
    }
    TPopupMenu::Popup(x, y);
}

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

void TqlSkinImagesMenu::Popup(const TRect& R) {
    if (FShowing) CloseUp(-1);
    if (OnPopup) OnPopup(this);
    if (!Images || Images->Count() == 0 || Items.empty()) {
        if (OnClose) OnClose();
        return;
    }
    if (!FGrid) FGrid = new TqlImagesMenuGrid(*this);
    FShowing = true;
    FGrid->Open(R);
}

void TqlSkinImagesMenu::CloseUp(int Index) {
    if (!FShowing) return;
    FShowing = false;
    if (FGrid) FGrid->CloseUp();
    if (Index >= 0 && Index < int(Items.size())) SetItemIndex(Index);
    if (OnClose) OnClose();
}

TWinControl* TqlSkinImagesMenu::Grid() const { return FShowing ? FGrid : nullptr; }
