#pragma once
// Menu items and popup menus.

#include <string>
#include <vector>

#include "platform/gui/Controls.h"

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    std::string Caption;
    bool Enabled = true;
    bool Visible = true;
    bool Checked = false;
    TNotifyEvent OnClick;

    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems[static_cast<size_t>(index)]; }
    TMenuItem* Parent() const { return FParent; }
    bool IsLine() const { return Caption == "-"; }
    virtual void Click();

private:
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
};

// The colours a popup menu is drawn in; clNone keeps the platform's.
struct TMenuLook {
    TColor Face = clNone;
    TColor Text = clNone;
    TColor Selection = clNone;
    TColor SelectionText = clNone;
    TColor DisabledText = clNone;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);

    TMenuItem* Items() { return &FItems; }
    TNotifyEvent OnPopup;
    // The control the menu was last opened for.
    TComponent* PopupComponent = nullptr;
    TMenuLook Look;

    // Runs OnPopup, then shows the menu at the screen point and runs the chosen
    // item's OnClick. With the dialog script of the test seam active, the
    // scripted item (by caption) is chosen and nothing is shown.
    virtual void Popup(int x, int y);

private:
    TMenuItem FItems;
};
