#pragma once
// The skinned popup menu (the platform's menu in the skin's colours, or its
// own without a skin) and the images menu, a grid of images to pick one from.

#include <functional>
#include <string>
#include <vector>

#include "platform/gui/Menus.h"
#include "platform/gui/graphics/ImageList.h"
#include "skin/core/qlSkinData.h"

class TqlSkinPopupMenu : public TPopupMenu, public TqlSkinDataLink {
public:
    explicit TqlSkinPopupMenu(TComponent* owner) : TPopupMenu(owner) {}
    // Takes the colours of its skin, or of its form's when it has none, then opens.
    void Popup(int x, int y) override;
    // Opens the menu below the screen rectangle R for Control; once it has
    // closed, Control is sent WM_POPUPCLOSED.
    virtual void PopupFromRect(TControl* Control, const TRect& R, bool Flag);
};

struct TqlImagesMenuItem {
    int ImageIndex = -1;
    std::string Caption;
};

class TqlImagesMenuGrid;

// A handler held for the component it calls back: the menu drops it when that
// component goes, so a freed control is never called.
struct TqlMenuLink {
    TComponent* Owner = nullptr;
    std::function<void()> Handler;
    void operator()() const {
        if (Handler) Handler();
    }
};

class TqlSkinImagesMenu : public TComponent, public TqlSkinDataLink {
public:
    explicit TqlSkinImagesMenu(TComponent* owner) : TComponent(owner) {}

    // Not owned; forgotten when the list goes.
    const TCustomImageList* Images() const { return FImages; }
    void SetImages(const TCustomImageList* Value);
    // Cells a row of the grid holds; 0 lets the grid be about square.
    int ColumnsCount = 0;
    std::vector<TqlImagesMenuItem> Items;
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    // The selected item, or null when ItemIndex lies outside the items.
    const TqlImagesMenuItem* GetSelectedItem() const;
    TNotifyEvent OnPopup;
    // Told of every change of the selection; set by the control that shows it.
    const TqlMenuLink& ChangeLink() const { return FOnChange; }
    void SetChangeLink(TControl* Owner, std::function<void()> Handler);
    // Called once the grid has closed; set by the opener before each popup.
    const TqlMenuLink& CloseLink() const { return FOnClose; }
    void SetCloseLink(TComponent* Owner, std::function<void()> Handler);
    // Drops the handlers held for Owner (it is going, or shows another menu).
    void RemoveLinks(TComponent* Owner);

    // Opens the grid below the screen rectangle R with ItemIndex selected. A
    // menu without images or items has nothing to show and closes at once, so
    // its opener is never left waiting.
    virtual void Popup(const TRect& R);
    // Closes the grid, with Index chosen when it is an item (else nothing chosen).
    void CloseUp(int Index);
    bool Showing() const { return FShowing; }
    // The grid window while it shows, else null.
    TWinControl* Grid() const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void SetLink(TqlMenuLink& Link, TComponent* Owner, std::function<void()> Handler);

    TqlMenuLink FOnChange, FOnClose;
    const TCustomImageList* FImages = nullptr;
    int FItemIndex = -1;
    bool FShowing = false;
    TqlImagesMenuGrid* FGrid = nullptr;
};
