#include "platform/gui/PopupWindow.h"

#include <QWidget>
#include <algorithm>

#include "platform/gui/Desktop.h"
#include "platform/gui/QtBridge.h"

TPopupWindow::TPopupWindow(TComponent* owner) : TCustomControl(owner) { TControl::SetVisible(false); }

QWidget* TPopupWindow::CreateWidget() {
    QWidget* widget = TQtBridge::CreateWindowWidget(this);
    widget->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    widget->hide();
    return widget;
}

void TPopupWindow::BoundsChanged(bool moved, bool resized) {
    // Without a parent the bounds are the window's place on the screen.
    if (Widget() && !Parent()) {
        if (resized) Widget()->resize(Width(), Height());
        if (moved) Widget()->move(Left(), Top());
    }
    TCustomControl::BoundsChanged(moved, resized);
}

void TPopupWindow::PopupBelow(const TRect& R) {
    TRect work;
    if (!GetDesktopWorkRect(work)) work = Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    PopupBelow(R, work);
}

void TPopupWindow::PopupBelow(const TRect& R, const TRect& WorkArea) {
    EnsureWidget();
    int top = R.Bottom;
    if (top + Height() > WorkArea.Bottom && R.Top - Height() >= WorkArea.Top) top = R.Top - Height();
    const int left = std::max(WorkArea.Left, std::min(R.Left, WorkArea.Right - Width()));
    SetBounds(left, top, Width(), Height());
    TControl::SetVisible(true);
    Widget()->show();
}

void TPopupWindow::CloseUp() {
    if (!Widget()) return;
    TControl::SetVisible(false);
    Widget()->hide();
}

bool TPopupWindow::PoppedUp() const { return Widget() && Widget()->isVisible(); }
