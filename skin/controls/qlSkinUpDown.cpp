#include "skin/controls/qlSkinUpDown.h"

TqlSkinUpDown::TqlSkinUpDown(TComponent* owner) : TCustomControl(owner) {
    SetSkinDataName("hupdown");
    SetBounds(Left(), Top(), 50, 25);
}

void TqlSkinUpDown::SetPosition(int value) {
    if (value > FMax || value < FMin) return;
    FPosition = value;
    Invalidate();
    if (OnChange) OnChange(this);
}

void TqlSkinUpDown::SetMax(int value) {
    FMax = value;
    if (FPosition > FMax) FPosition = FMax;
    Invalidate();
}

void TqlSkinUpDown::SetMin(int value) {
    FMin = value;
    if (FPosition < FMin) FPosition = FMin;
    Invalidate();
}

void TqlSkinUpDown::Paint() {
    TCanvas& c = Canvas();
    int half = Width() / 2;
    for (int part = 0; part < 2; ++part) {
        TRect r = Rect(part * half, 0, part == 0 ? half : Width(), Height());
        c.Brush().Color = clBtnFace;
        c.FillRect(r);
        c.Brush().Color = clBtnShadow;
        c.FrameRect(r);
        // A small arrow pointing left (first half) or right (second half).
        int cx = (r.Left + r.Right) / 2, cy = Height() / 2;
        c.Pen().Color = EffectivelyEnabled() ? clBlack : clBtnShadow;
        c.Brush().Color = c.Pen().Color;
        int d = part == 0 ? -1 : 1;
        c.Polygon({{cx - 2 * d, cy - 4}, {cx + 2 * d, cy}, {cx - 2 * d, cy + 4}});
    }
}

void TqlSkinUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    int target = x < Width() / 2 ? FPosition - FIncrement : FPosition + FIncrement;
    SetPosition(target);
}
