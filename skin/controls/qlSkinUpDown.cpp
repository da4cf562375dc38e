#include "skin/controls/qlSkinUpDown.h"

#include "skin/controls/SkinControlBases.h"
#include "skin/core/qlPictureOps.h"

TqlSkinUpDown::TqlSkinUpDown(TComponent* owner) : TqlSkinCustomControl(owner) {
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

TRect TqlSkinUpDown::HalfRect(int half) const {
    const int middle = Width() / 2;
    return half == 0 ? Rect(0, 0, middle, Height()) : Rect(middle, 0, Width(), Height());
}

int TqlSkinUpDown::HalfAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return -1;
    return x < Width() / 2 ? 0 : 1;
}

void TqlSkinUpDown::SetHot(int half) {
    if (half == FHot) return;
    FHot = half;
    Invalidate();
}

void TqlSkinUpDown::Paint() {
    TCanvas& c = Canvas();
    GetSkinData();
    const auto* look = dynamic_cast<const TqlDataSkinUpDownControl*>(Descriptor());
    const TBitmap* picture = look ? SkinPicture(*SkinData(), look->PictureIndex) : nullptr;
    for (int half = 0; half < 2; ++half) {
        const TRect r = HalfRect(half);
        if (!picture || r.Width() < 1 || r.Height() < 1) {
            PaintPlain(c, half);
            continue;
        }
        const bool up = half == 1;
        TRect src = up ? look->UpButtonRect : look->DownButtonRect;
        const TRect hover = up ? look->ActiveUpButtonRect : look->ActiveDownButtonRect;
        const TRect pressed = up ? look->DownUpButtonRect : look->DownDownButtonRect;
        if (FHot == half && FPressed && !RectIsEmpty(pressed))
            src = pressed;
        else if (FHot == half && !RectIsEmpty(hover))
            src = hover;
        TBitmap face(r.Width(), r.Height());
        qlPictureOps::Stretch(face, Rect(0, 0, r.Width(), r.Height()), *picture, src);
        c.Draw(r.Left, r.Top, face);
    }
}

void TqlSkinUpDown::PaintPlain(TCanvas& c, int half) {
    const TRect r = HalfRect(half);
    c.Brush().Color = FHot == half && FPressed ? clBtnShadow : clBtnFace;
    c.FillRect(r);
    c.Brush().Color = clBtnShadow;
    c.FrameRect(r);
    // A small arrow pointing left (first half) or right (second half).
    const int cx = (r.Left + r.Right) / 2, cy = Height() / 2;
    c.Pen().Color = EffectivelyEnabled() ? clBlack : clBtnShadow;
    c.Brush().Color = c.Pen().Color;
    const int d = half == 0 ? -1 : 1;
    c.Polygon({{cx - 2 * d, cy - 4}, {cx + 2 * d, cy}, {cx - 2 * d, cy + 4}});
}

void TqlSkinUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TqlSkinCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    FHot = HalfAt(x, y);
    FPressed = true;
    Invalidate();
    SetPosition(FHot == 0 ? FPosition - FIncrement : FPosition + FIncrement);
}

void TqlSkinUpDown::MouseMove(TShiftState shift, int x, int y) {
    TqlSkinCustomControl::MouseMove(shift, x, y);
    SetHot(HalfAt(x, y));
}

void TqlSkinUpDown::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && FPressed) {
        FPressed = false;
        Invalidate();
    }
    TqlSkinCustomControl::MouseUp(button, shift, x, y);
}

void TqlSkinUpDown::CMMouseLeave(TMessage& m) {
    TqlSkinCustomControl::CMMouseLeave(m);
    FPressed = false;
    SetHot(-1);
}
