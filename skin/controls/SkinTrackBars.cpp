#include "skin/controls/SkinTrackBars.h"

#include <algorithm>
#include <cmath>

#include "platform/gui/Forms.h"
#include "skin/controls/SkinRange.h"

namespace track_math {

double Fraction(int Value, int Min, int Max) { return RangeFraction(Value, Min, Max); }

int ValueAt(int Offset, int Length, int Min, int Max) {
    if (Length <= 0) return Min;
    return RangeValueAt(double(Offset) / Length, Min, Max);
}

int OffsetOf(double Fraction, int Length) { return int(std::nearbyint(std::max(Length, 0) * Fraction)); }

}  // namespace track_math

using namespace track_math;

TqlSkinTrackBar::TqlSkinTrackBar(TComponent* AOwner) : TqlSkinCustomControl(AOwner) {
    SetSkinDataName("htrackbar");
    SetTabStop(false);
    SetBounds(Left(), Top(), 100, 20);
}

// A value the new range leaves out moves through SetValue, so listeners hear of it.
void TqlSkinTrackBar::SetMinValue(int Value) {
    FMinValue = Value;
    if (FValue < FMinValue) SetValue(FMinValue);
    Invalidate();
}

void TqlSkinTrackBar::SetMaxValue(int Value) {
    FMaxValue = Value;
    if (FValue > FMaxValue) SetValue(FMaxValue);
    Invalidate();
}

void TqlSkinTrackBar::SetValue(int AValue) {
    const int v = std::max(FMinValue, std::min(AValue, FMaxValue));
    if (v == FValue) return;
    FValue = v;
    Invalidate();
    if (OnChange) OnChange(this);
}

void TqlSkinTrackBar::SetVertical(bool Value) {
    FVertical = Value;
    Invalidate();
}

void TqlSkinTrackBar::SetCanFocused(bool Value) {
    FCanFocused = Value;
    SetTabStop(Value);
}

void TqlSkinTrackBar::GetSkinData() {
    TqlSkinCustomControl::GetSkinData();
    if (FIndex == -1) return;
    auto* d = dynamic_cast<const TqlDataSkinTrackBarControl*>(Descriptor());
    if (!d) return;
    FActiveSkinRect = d->ActiveSkinRect;
    FTrackArea = d->TrackArea;
    FButtonRect = d->ButtonRect;
    FActiveButtonRect = RectIsEmpty(d->ActiveButtonRect) ? d->ButtonRect : d->ActiveButtonRect;
    FVertical = d->Vertical;
    FButtonTransparent = d->ButtonTransparent;
    FButtonTransparentColor = d->ButtonTransparentColor;
}

void TqlSkinTrackBar::CalcSize(int& W, int& H) {
    TqlSkinCustomControl::CalcSize(W, H);
    FNewTrackArea = FTrackArea;
    if (GetResizeMode() <= 0) return;
    if (FVertical)
        FNewTrackArea.Bottom += H - (SkinRect.Bottom - SkinRect.Top);
    else
        FNewTrackArea.Right += W - (SkinRect.Right - SkinRect.Left);
}

TRect TqlSkinTrackBar::TrackArea() const {
    if (FIndex != -1) return FNewTrackArea;
    return Rect(2, 2, Width() - 2, Height() - 2);
}

TPoint TqlSkinTrackBar::ThumbSize() const {
    if (FIndex != -1) return {FButtonRect.Right - FButtonRect.Left, FButtonRect.Bottom - FButtonRect.Top};
    if (FVertical) return {Width() - 4, (Width() - 4) / 2};
    return {(Height() - 4) / 2, Height() - 4};
}

int TqlSkinTrackBar::TrackStart() const {
    const TRect a = TrackArea();
    return FVertical ? a.Top + ThumbSize().Y / 2 : a.Left + ThumbSize().X / 2;
}

int TqlSkinTrackBar::TrackEnd() const {
    const TRect a = TrackArea();
    return FVertical ? a.Bottom - ThumbSize().Y / 2 : a.Right - ThumbSize().X / 2;
}

TRect TqlSkinTrackBar::ThumbRect() const {
    const TRect a = TrackArea();
    const TPoint s = ThumbSize();
    const int offset = OffsetOf(Fraction(FValue, FMinValue, FMaxValue), TrackEnd() - TrackStart());
    if (FVertical) {
        const int cy = TrackEnd() - offset, left = (a.Left + a.Right - s.X) / 2;
        return Rect(left, cy - s.Y / 2, left + s.X, cy - s.Y / 2 + s.Y);
    }
    const int cx = TrackStart() + offset, top = (a.Top + a.Bottom - s.Y) / 2;
    return Rect(cx - s.X / 2, top, cx - s.X / 2 + s.X, top + s.Y);
}

void TqlSkinTrackBar::SetValueFromOffset(int Offset) {
    SetValue(ValueAt(Offset, TrackEnd() - TrackStart(), FMinValue, FMaxValue));
}

void TqlSkinTrackBar::LastChange() {
    if (OnLastChange) OnLastChange(this);
}

bool TqlSkinTrackBar::HasFocus() const {
    if (!FCanFocused) return false;
    if (Focused()) return true;
    const TForm* form = ParentForm();
    return form && form->ActiveControl() == this;
}

void TqlSkinTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TqlSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!MouseSupport || Button != TMouseButton::mbLeft) return;
    const TRect t = ThumbRect();
    if (X < t.Left || X > t.Right || Y < t.Top || Y > t.Bottom) return;
    FPressAt = FVertical ? Y : X;
    FPressOffset = FVertical ? TrackEnd() - (t.Top + t.Bottom) / 2 : (t.Left + t.Right) / 2 - TrackStart();
    FDragging = true;
    Repaint();
}

void TqlSkinTrackBar::MouseMove(TShiftState Shift, int X, int Y) {
    TqlSkinCustomControl::MouseMove(Shift, X, Y);
    if (!FDragging) return;
    SetValueFromOffset(FPressOffset + (FVertical ? FPressAt - Y : X - FPressAt));
}

// A jump lands the thumb's centre under the pointer, measured from the
// track's own ends, so it holds for track areas that are not centred.
void TqlSkinTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TqlSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (!MouseSupport || Button != TMouseButton::mbLeft) return;
    if (FDragging) {
        FDragging = false;
        Repaint();
        LastChange();
        return;
    }
    if (JumpWhenClick) SetValueFromOffset(FVertical ? TrackEnd() - Y : X - TrackStart());
}

void TqlSkinTrackBar::KeyDown(uint16_t& Key, TShiftState Shift) {
    TqlSkinCustomControl::KeyDown(Key, Shift);
    if (!FCanFocused) return;
    int step = 0;
    if (Key == VK_RIGHT || Key == VK_UP) step = 1;
    if (Key == VK_LEFT || Key == VK_DOWN) step = -1;
    if (step == 0) return;
    SetValue(SaturatedAdd(FValue, step));
    LastChange();
}

void TqlSkinTrackBar::CMWantSpecialKey(TMessage& M) {
    if (FCanFocused && M.WParam >= VK_LEFT && M.WParam <= VK_DOWN) {
        M.Result = 1;
        return;
    }
    TqlSkinCustomControl::CMWantSpecialKey(M);
}

// A wheel turned over a bar without the focus goes on, as it would over any
// other control.
void TqlSkinTrackBar::WndProc(TMessage& M) {
    if (FClickFocus.Drops(M)) return;
    if (M.Msg == WM_MOUSEWHEEL && HasFocus()) {
        // A message without a turn (a sideways swipe) moves nothing.
        if (const int delta = GET_WHEEL_DELTA_WPARAM(M.WParam); delta != 0) {
            SetValue(SaturatedAdd(FValue, FVertical == (delta > 0) ? 1 : -1));
            LastChange();
        }
        M.Result = 0;
        return;
    }
    if (FCanFocused && (M.Msg == WM_LBUTTONDOWN || M.Msg == WM_LBUTTONDBLCLK) && !HasFocus() && CanFocus() &&
        !FClickFocus.Take(*this, [this] { return HasFocus(); }))
        return;
    TqlSkinCustomControl::WndProc(M);
}

void TqlSkinTrackBar::WMEraseBkgnd(TMessage& M) { PaintOnErase(M); }

void TqlSkinTrackBar::WMSetFocus(TMessage& M) {
    TqlSkinCustomControl::WMSetFocus(M);
    if (FCanFocused) Invalidate();
}

void TqlSkinTrackBar::WMKillFocus(TMessage& M) {
    TqlSkinCustomControl::WMKillFocus(M);
    if (FCanFocused) Invalidate();
}

void TqlSkinTrackBar::CreateControlSkinImage(TBitmap& B) {
    int W = Width(), H = Height();
    CalcSize(W, H);
    TqlSkinCustomControl::CreateControlSkinImage(B);
    const TRect t = ThumbRect();
    if (!RectIsEmpty(FActiveSkinRect)) {
        TBitmap active(W, H);
        BuildFace(active, FActiveSkinRect, W, H, true);
        const int cx = (t.Left + t.Right) / 2, cy = (t.Top + t.Bottom) / 2;
        const TRect filled = FVertical ? Rect(0, cy, W, H) : Rect(0, 0, cx, H);
        B.Canvas().CopyRect(filled, active.Canvas(), filled);
    }
    if (!Picture) return;
    const TRect& src = FDragging || HasFocus() ? FActiveButtonRect : FButtonRect;
    TBitmap thumb(src.Right - src.Left, src.Bottom - src.Top);
    thumb.Canvas().CopyRect(Rect(0, 0, thumb.Width(), thumb.Height()), *Picture, src);
    thumb.Transparent = FButtonTransparent;
    thumb.TransparentColor = FButtonTransparentColor;
    B.Canvas().Draw(t.Left, t.Top, thumb);
}

void TqlSkinTrackBar::CreateControlDefaultImage(TBitmap& B) {
    TCanvas& C = B.Canvas();
    const int W = Width(), H = Height();
    C.Brush().Style = TBrushStyle::bsSolid;
    C.Brush().Color = clBtnFace;
    C.FillRect(Rect(0, 0, W, H));
    C.Brush().Color = clBtnShadow;
    C.FrameRect(Rect(0, 0, W, H));
    const TRect groove = FVertical ? Rect(W / 2 - 1, 4, W / 2 + 1, H - 4) : Rect(4, H / 2 - 1, W - 4, H / 2 + 1);
    C.Pen().Color = clBtnShadow;
    C.MoveTo(groove.Left, groove.Bottom - 1);
    C.LineTo(groove.Left, groove.Top);
    C.LineTo(groove.Right, groove.Top);
    C.Pen().Color = clBtnHighlight;
    C.MoveTo(groove.Right - 1, groove.Top + 1);
    C.LineTo(groove.Right - 1, groove.Bottom - 1);
    C.LineTo(groove.Left - 1, groove.Bottom - 1);
    const TRect t = ThumbRect();
    const bool focused = HasFocus();
    C.Brush().Color = FDragging ? TColor(0xB59385) : focused ? TColor(0xD2BDB6) : clBtnFace;
    C.FillRect(t);
    C.Brush().Color = FDragging || focused ? TColor(0x800000) : clBtnShadow;
    C.FrameRect(t);
}
