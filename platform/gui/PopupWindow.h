#pragma once
// A frameless window over everything else, as drop-down lists and menus open:
// placed in screen coordinates, it takes the mouse and the keys while it
// shows, and a click elsewhere closes it (the control is then sent
// WM_CANCELMODE).

#include "platform/gui/Controls.h"

class TPopupWindow : public TCustomControl {
public:
    explicit TPopupWindow(TComponent* owner);
    // Shows the window at its size below the screen rectangle R, or above it
    // when it does not fit below, kept inside the work area: the given one,
    // else the primary screen's.
    void PopupBelow(const TRect& R);
    void PopupBelow(const TRect& R, const TRect& WorkArea);
    void CloseUp();
    bool PoppedUp() const;

protected:
    QWidget* CreateWidget() override;
    void BoundsChanged(bool moved, bool resized) override;
};
