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

void TqlSkinImagesMenu::SetImages(const TCustomImageList* Value) {
    if (Value == FImages) return;
    // The open grid is laid out in cells of the old list's size.
    CloseUp(-1);
    FImages = Value;
    if (Value) const_cast<TCustomImageList*>(Value)->FreeNotification(this);
    const TqlMenuLink link = FOnChange;  // the control showing the chosen image draws it again
    link();
}

void TqlSkinImagesMenu::SetItemIndex(int Value) {
    FItemIndex = Value;
    const TqlMenuLink link = FOnChange;  // the handler may set another link
    link();
}

void TqlSkinImagesMenu::SetLink(TqlMenuLink& Link, TComponent* Owner, std::function<void()> Handler) {
    // The notification pairing stays when a link is dropped: the owner may
    // still hold this menu and must hear of its going.
    Link = {Owner, Owner ? std::move(Handler) : nullptr};
    if (Owner) Owner->FreeNotification(this);
}

void TqlSkinImagesMenu::SetChangeLink(TControl* Owner, std::function<void()> Handler) {
    SetLink(FOnChange, Owner, std::move(Handler));
}

void TqlSkinImagesMenu::SetCloseLink(TComponent* Owner, std::function<void()> Handler) {
    SetLink(FOnClose, Owner, std::move(Handler));
}

void TqlSkinImagesMenu::RemoveLinks(TComponent* Owner) {
    if (!Owner) return;
    if (FOnChange.Owner == Owner) SetLink(FOnChange, nullptr, nullptr);
    if (FOnClose.Owner == Owner) SetLink(FOnClose, nullptr, nullptr);
}

void TqlSkinImagesMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (FOnChange.Owner == AComponent) FOnChange = {};
    if (FOnClose.Owner == AComponent) FOnClose = {};
    if (AComponent == FImages) SetImages(nullptr);
}

const TqlImagesMenuItem* TqlSkinImagesMenu::GetSelectedItem() const {
    if (FItemIndex < 0 || FItemIndex >= int(Items.size())) return nullptr;
    return &Items[size_t(FItemIndex)];
}

void TqlSkinImagesMenu::Popup(const TRect& R) {
    if (FShowing) CloseUp(-1);
    if (OnPopup) OnPopup(this);
    if (!FImages || FImages->Count() == 0 || Items.empty()) {
        const TqlMenuLink link = FOnClose;
        link();
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
    // The pick may have freed the opener; the link is then gone with it.
    const TqlMenuLink link = FOnClose;
    link();
}

TWinControl* TqlSkinImagesMenu::Grid() const { return FShowing ? FGrid : nullptr; }
