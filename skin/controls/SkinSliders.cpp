#include "skin/controls/SkinSliders.h"

#include <algorithm>
#include <cmath>

#include "skin/controls/SkinRange.h"

namespace slider_math {

int PositionOf(int Value, int Min, int Max, int TrackLength) {
    if (Max <= Min || TrackLength <= 0) return 0;
    return int((int64_t(Value) - Min) * TrackLength / RangeSpan(Min, Max));
}

namespace {

// Value / Increment rounded to the nearest whole number, halves to the even one.
int64_t RoundedQuotient(int64_t Value, int64_t Increment) {
    int64_t q = Value / Increment, r = Value % Increment;
    if (r < 0) --q, r += Increment;  // floor, so that 0 <= r < Increment
    if (2 * r > Increment || (2 * r == Increment && q % 2 != 0)) ++q;
    return q;
}

}  // namespace

int ValueAt(int Offset, int Min, int Max, int TrackLength, int Increment, bool Smooth) {
    if (Max <= Min || TrackLength <= 0) return Min;
    Offset = std::clamp(Offset, 0, TrackLength);
    int64_t value = Min + std::llround(double(Offset) * double(RangeSpan(Min, Max)) / TrackLength);
    if (!Smooth && Increment > 0) value = RoundedQuotient(value, Increment) * Increment;
    return int(std::clamp<int64_t>(value, Min, Max));
}

int Stepped(int Value, int Min, int Max, int Increment, Step S) {
    if (Increment < 1) Increment = 1;
    int64_t v = Value;
    switch (S) {
        case ToMin: v = Min; break;
        case ToMax: v = Max; break;
        case Up: v = (RoundedQuotient(Value, Increment) + 1) * Increment; break;
        case Down: v = (RoundedQuotient(Value, Increment) - 1) * Increment; break;
    }
    return int(std::clamp<int64_t>(v, Min, std::max(Min, Max)));
}

}  // namespace slider_math

using namespace slider_math;

TqlSkinCustomSlider::TqlSkinCustomSlider(TComponent* AOwner) : TqlSkinControl(AOwner) {
    for (int i = 0; i < 4; ++i) FImages[i] = DefaultSliderImage(TqlSliderImage(i));
    SetSkinDataName("slider");
    SetTabStop(true);
    SetBounds(Left(), Top(), 150, 40);
}

void TqlSkinCustomSlider::SetImage(TqlSliderImage Which, const TBitmap* Value) {
    if (Value) {
        FImages[Which] = *Value;
        FUserImages |= 1u << Which;
    } else {
        FImages[Which] = DefaultSliderImage(Which);
        FUserImages &= ~(1u << Which);
        FOptions &= ~(Which == siHThumb || Which == siVThumb ? unsigned(soThumbOpaque) : unsigned(soRulerOpaque));
    }
    AdjustElements();
}

void TqlSkinCustomSlider::SetEdgeSize(int Value) {
    const TBitmap& ruler = FImages[Vertical() ? siVRuler : siHRuler];
    if ((Vertical() ? ruler.Height() : ruler.Width()) <= 2 * Value || Value < 0) return;
    FEdgeSize = Value;
    AdjustElements();
}

void TqlSkinCustomSlider::SetNumThumbStates(TqlNumThumbStates Value) {
    FNumThumbStates = std::clamp(Value, 1, 2);
    AdjustElements();
}

void TqlSkinCustomSlider::SetValue(int AValue) {
    const int v = std::clamp(AValue, FMinValue, FMaxValue);
    const bool changed = v != FValue;
    FValue = v;
    Invalidate();
    if (changed) Change();
}

// A maximum not above the minimum is refused; a range narrower than the
// step shrinks the step.
void TqlSkinCustomSlider::SetRange(int AMin, int AMax) {
    if (AMin == FMinValue && AMax == FMaxValue) return;
    if (AMax <= AMin) return;
    FMinValue = AMin;
    FMaxValue = AMax;
    if (RangeSpan(FMinValue, FMaxValue) < FIncrement) FIncrement = int(RangeSpan(FMinValue, FMaxValue));
    if (FOptions & soShowPoints) Invalidate();
    SetValue(FValue);
    RangeChanged();
}

void TqlSkinCustomSlider::SetIncrement(int Value) {
    if (Value < 1 || Value == FIncrement) return;
    FIncrement = Value;
    SetValue(FValue);
    Invalidate();
}

void TqlSkinCustomSlider::SetOrientation(TqlSliderOrientation Value) {
    if (Value == FOrientation) return;
    FOrientation = Value;
    SetBounds(Left(), Top(), Height(), Width());
    AdjustElements();
}

void TqlSkinCustomSlider::SetOptions(TqlSliderOptions Value) {
    if (Value == FOptions) return;
    FOptions = Value;
    Invalidate();
}

void TqlSkinCustomSlider::SetTransparent(bool Value) {
    FTransparent = Value;
    Invalidate();
}

void TqlSkinCustomSlider::GetSkinData() {
    TqlSkinControl::GetSkinData();
    FPicture = nullptr;
    if (FIndex == -1) return;
    auto* d = dynamic_cast<const TqlDataSkinSlider*>(Descriptor());
    if (!d) return;
    FPicture = SkinPicture(*SkinData(), d->PictureIndex);
    FHRulerRect = d->HRulerRect;
    FHThumbRect = d->HThumbRect;
    FVRulerRect = d->VRulerRect;
    FVThumbRect = d->VThumbRect;
    FSkinEdgeSize = d->EdgeSize;
    FBGColor = d->BGColor;
    FPointsColor = d->PointsColor;
}

void TqlSkinCustomSlider::ChangeSkinData() {
    GetSkinData();
    AdjustElements();
}

void TqlSkinCustomSlider::AdjustElements() {
    BuildRuler();
    Invalidate();
}

void TqlSkinCustomSlider::BuildRuler() {
    const TRect ruler = RulerRect();
    const int rw = ruler.Right - ruler.Left, rh = ruler.Bottom - ruler.Top;
    FRuler = TBitmap();
    FRulerSource = &RulerPicture();
    if (rw > 0 && rh > 0 && !RulerPicture().Empty()) {
        FRuler.SetSize(rw, rh);
        const int edge = RulerEdge();
        if (Vertical())
            BuildVThreePart(edge, edge, FRuler, RulerPicture(), RulerSource(), rw, rh, false);
        else
            BuildHThreePart(edge, edge, FRuler, RulerPicture(), RulerSource(), rw, rh, false);
        FRuler.TransparentColor = FRuler.Pixel(0, 0);
    }
}

void TqlSkinCustomSlider::WMSize(TMessage& M) {
    TqlSkinControl::WMSize(M);
    if (!Loading()) AdjustElements();
}

bool TqlSkinCustomSlider::Skinned() const { return FIndex != -1 && FPicture && UseSkinThumb; }

const TBitmap& TqlSkinCustomSlider::ThumbPicture() const {
    return Skinned() ? *FPicture : FImages[Vertical() ? siVThumb : siHThumb];
}

const TBitmap& TqlSkinCustomSlider::RulerPicture() const {
    return Skinned() ? *FPicture : FImages[Vertical() ? siVRuler : siHRuler];
}

TRect TqlSkinCustomSlider::ThumbCell(int Cell) const {
    const TBitmap& own = ThumbPicture();
    TRect r = Skinned() ? (Vertical() ? FVThumbRect : FHThumbRect) : Rect(0, 0, own.Width(), own.Height());
    const int cells = Skinned() ? 2 : FNumThumbStates;
    const int w = (r.Right - r.Left) / cells;
    r.Left += std::min(Cell, cells - 1) * w;
    r.Right = r.Left + w;
    return r;
}

int TqlSkinCustomSlider::ThumbLength() const {
    const TRect c = ThumbCell(0);
    return Vertical() ? c.Bottom - c.Top : c.Right - c.Left;
}

int TqlSkinCustomSlider::ThumbThickness() const {
    const TRect c = ThumbCell(0);
    return Vertical() ? c.Right - c.Left : c.Bottom - c.Top;
}

TRect TqlSkinCustomSlider::RulerSource() const {
    if (Skinned()) return Vertical() ? FVRulerRect : FHRulerRect;
    const TBitmap& own = RulerPicture();
    return Rect(0, 0, own.Width(), own.Height());
}

int TqlSkinCustomSlider::RulerThickness() const {
    const TRect r = RulerSource();
    return Vertical() ? r.Right - r.Left : r.Bottom - r.Top;
}

// The thumb sits a little before the middle across the ruler, leaving room
// for the points on the far side.
TRect TqlSkinCustomSlider::ThumbRect() const {
    const int across = ((Vertical() ? Width() : Height()) - ThumbThickness() - 6) / 2;
    const int pos = PositionOf(GetValue(), FMinValue, FMaxValue, TrackLength());
    if (Vertical()) {
        const int top = 6 + std::max(TrackLength(), 0) - pos;
        return Rect(across, top, across + ThumbThickness(), top + ThumbLength());
    }
    return Rect(6 + pos, across, 6 + pos + ThumbLength(), across + ThumbThickness());
}

TRect TqlSkinCustomSlider::RulerRect() const {
    const TRect t = ThumbRect();
    const int rt = RulerThickness();
    if (Vertical()) {
        const int left = t.Left + (ThumbThickness() - rt) / 2;
        return Rect(left, 6, left + rt, 6 + RulerLength());
    }
    const int top = t.Top + (ThumbThickness() - rt) / 2;
    return Rect(6, top, 6 + RulerLength(), top + rt);
}

void TqlSkinCustomSlider::Change() {
    if (OnChange) OnChange(this);
}

void TqlSkinCustomSlider::Changed() {
    if (OnChanged) OnChanged(this);
}

void TqlSkinCustomSlider::ApplyStep(Step S) {
    const int v = Stepped(FValue, FMinValue, FMaxValue, FIncrement, S);
    if (v != FValue) SetValue(v);
}

void TqlSkinCustomSlider::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (Shift == 0) {
        int step = 0;
        if (Key == VK_HOME) step = ToMin;
        if (Key == VK_END) step = ToMax;
        if (Key == (Vertical() ? VK_UP : VK_RIGHT)) step = Up;
        if (Key == (Vertical() ? VK_DOWN : VK_LEFT)) step = Down;
        if (step != 0 && CanModify()) {
            Key = 0;
            ApplyStep(Step(step));
            Changed();
        }
    }
    TqlSkinControl::KeyDown(Key, Shift);
}

bool TqlSkinCustomSlider::BeforeThumb(int X, int Y) const {
    const TRect t = ThumbRect();
    return Vertical() ? Y >= t.Bottom : X < t.Left;
}

void TqlSkinCustomSlider::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TqlSkinControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || (Shift & ssDouble)) return;
    if (CanFocus() && !Focused()) SetFocus();
    const TRect t = ThumbRect();
    if (X >= t.Left && X < t.Right && Y >= t.Top && Y < t.Bottom) {
        ThumbMouseDown(Button, Shift, X, Y);
        return;
    }
    TRect r = RulerRect();
    if (Vertical()) {
        r.Left -= 3;
        r.Right += 3;
    } else {
        r.Top -= 3;
        r.Bottom += 3;
    }
    if (!(X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom) || !CanModify()) return;
    SetCaptureControl(this);
    FRepeating = true;
    FRepeatStep = BeforeThumb(X, Y) ? Down : Up;
    FLastMouse = Point(X, Y);
    ApplyStep(FRepeatStep);
    SetTimer(1, 400);
}

void TqlSkinCustomSlider::ThumbMouseDown(TMouseButton Button, TShiftState /*Shift*/, int X, int Y) {
    if (CanFocus() && !Focused()) SetFocus();
    if (Button != TMouseButton::mbLeft || !CanModify()) return;
    const TRect t = ThumbRect();
    FDragging = true;
    FPressOffset = Vertical() ? Y - t.Top : X - t.Left;
    Repaint();
}

void TqlSkinCustomSlider::ThumbMouseMove(TShiftState /*Shift*/, int X, int Y) { MoveThumbTo(Vertical() ? Y : X); }

void TqlSkinCustomSlider::ThumbMouseUp(TMouseButton /*Button*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
    FDragging = false;
    Repaint();
    Changed();
}

void TqlSkinCustomSlider::MoveThumbTo(int Coordinate) {
    const int track = TrackLength();
    int offset = Coordinate - FPressOffset - 6;
    if (Vertical()) offset = track - offset;
    const int v = ValueAt(offset, FMinValue, FMaxValue, track, FIncrement, FOptions & soSmooth);
    if (v != FValue) SetValue(v);
}

void TqlSkinCustomSlider::MouseMove(TShiftState Shift, int X, int Y) {
    TqlSkinControl::MouseMove(Shift, X, Y);
    if (FDragging && (Shift & ssLeft))
        ThumbMouseMove(Shift, X, Y);
    else if (FRepeating)
        FLastMouse = Point(X, Y);
}

void TqlSkinCustomSlider::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TqlSkinControl::MouseUp(Button, Shift, X, Y);
    if (FRepeating) {
        FRepeating = false;
        KillTimer(1);
        SetCaptureControl(nullptr);
        Changed();
    }
    if (FDragging) ThumbMouseUp(Button, Shift, X, Y);
}

// A held click steps on while the pointer stays on the same side of the thumb.
void TqlSkinCustomSlider::WMTimer(TMessage& M) {
    if (M.WParam != 1 || !FRepeating) {
        TqlSkinControl::WMTimer(M);
        return;
    }
    const bool before = BeforeThumb(FLastMouse.X, FLastMouse.Y);
    const TRect t = ThumbRect();
    const bool onThumb = FLastMouse.X >= t.Left && FLastMouse.X < t.Right && FLastMouse.Y >= t.Top &&
                         FLastMouse.Y < t.Bottom;
    if (!onThumb && before == (FRepeatStep == Down)) ApplyStep(FRepeatStep);
}

bool TqlSkinCustomSlider::MouseWheel(const TMessage& M) {
    const int delta = GET_WHEEL_DELTA_WPARAM(M.WParam);
    if (delta == 0) return false;
    const TMouseWheelUpDownEvent& event = delta > 0 ? OnMouseWheelUp : OnMouseWheelDown;
    bool handled = false;
    if (event)
        event(this, MouseShift(M.WParam), Point(LoWordSigned(M.LParam), HiWordSigned(M.LParam)), handled);
    return handled;
}

// The wheel never moves the slider itself: it fires the wheel events, and a
// turn they leave unhandled goes on, as over any other control.
void TqlSkinCustomSlider::WndProc(TMessage& M) {
    if (M.Msg == WM_MOUSEWHEEL && MouseWheel(M)) {
        M.Result = 1;
        return;
    }
    TqlSkinControl::WndProc(M);
}

void TqlSkinCustomSlider::WMGetDlgCode(TMessage& M) { M.Result = DLGC_WANTARROWS; }

void TqlSkinCustomSlider::WMMove(TMessage& M) {
    TqlSkinControl::WMMove(M);
    if (FTransparent) Invalidate();
}

void TqlSkinCustomSlider::ParentLookChanged() {
    if (FTransparent) Invalidate();
}

void TqlSkinCustomSlider::CMEnabledChanged(TMessage& M) {
    TqlSkinControl::CMEnabledChanged(M);
    Invalidate();
}

void TqlSkinCustomSlider::CMFocusChanged(TMessage& M) {
    TqlSkinControl::CMFocusChanged(M);
    FFocused = Focused();
    if (FOptions & soShowFocus) Invalidate();
}

// Points every k increments, k the first that sets them at least 4 pixels
// apart; the ends are longer. Fewer points never stand closer, so k is found
// by halving rather than by trying each in turn: a range of billions would
// try millions.
void TqlSkinCustomSlider::DrawPoints(TCanvas& C, int AIncrement, int LongLength, int ShortLength) {
    const int64_t range = RangeSpan(FMinValue, FMaxValue);
    if (range <= 0 || AIncrement < 1) return;
    const int track = std::max(TrackLength(), 0);
    auto countAt = [&](int64_t k) { return RoundedQuotient(range, k * AIncrement) + 1; };
    auto apart = [&](int64_t k) {
        const int64_t count = countAt(k);
        return count <= 1 || track / std::max<int64_t>(count - 1, 1) >= 4;
    };
    int64_t low = 1, high = 2 * (range / AIncrement) + 2;  // high leaves a single point
    while (low < high) {
        const int64_t mid = low + (high - low) / 2;
        if (apart(mid))
            high = mid;
        else
            low = mid + 1;
    }
    const int64_t k = low, count = countAt(k);
    C.Pen().Color = FIndex != -1 ? FPointsColor : clWindowFrame;
    const TRect t = ThumbRect();
    const int base = Vertical() ? t.Right + 1 : t.Bottom + 1;
    for (int64_t j = 0; j < count; ++j) {
        const int value =
            j == count - 1 ? FMaxValue : int(std::min<int64_t>(FMinValue + j * k * AIncrement, FMaxValue));
        const int len = value == FMinValue || value == FMaxValue ? LongLength : ShortLength;
        const int pos = PositionOf(value, FMinValue, FMaxValue, track) + ThumbLength() / 2 + 6;
        if (Vertical()) {
            const int y = 6 + track - PositionOf(value, FMinValue, FMaxValue, track) + ThumbLength() / 2;
            C.MoveTo(base, y);
            C.LineTo(base + len, y);
        } else {
            C.MoveTo(pos, base);
            C.LineTo(pos, base + len);
        }
    }
}

void TqlSkinCustomSlider::Paint() {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    TBitmap B(Width(), Height());
    TCanvas& C = B.Canvas();
    if (FTransparent) {
        PaintParentBackground(this, C);
    } else {
        C.Brush().Color = FIndex != -1 ? FBGColor : Color();
        C.Brush().Style = TBrushStyle::bsSolid;
        C.FillRect(Rect(0, 0, Width(), Height()));
    }
    const TRect ruler = RulerRect();
    // A size the last build did not see (no size message yet) builds again.
    if (FRuler.Width() != ruler.Right - ruler.Left || FRuler.Height() != ruler.Bottom - ruler.Top ||
        FRulerSource != &RulerPicture())
        BuildRuler();
    // The options may have changed since the ruler was built.
    FRuler.Transparent = Skinned() || !(FOptions & soRulerOpaque);
    if (!FRuler.Empty()) C.Draw(ruler.Left, ruler.Top, FRuler);
    if ((FOptions & soShowFocus) && HoldsFocus(*this)) {
        const TRect r = GetRulerRect();
        C.DrawFocusRect(Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2));
    }
    if (FOptions & soShowPoints) {
        if (OnDrawPoints)
            OnDrawPoints(this);
        else
            DrawPoints(C, FIncrement, 5, 3);
    }
    const TRect t = ThumbRect();
    const int cell = FDragging || !EffectivelyEnabled() ? 1 : 0;
    TBitmap thumb(t.Right - t.Left, t.Bottom - t.Top);
    thumb.Canvas().CopyRect(Rect(0, 0, thumb.Width(), thumb.Height()), ThumbPicture(), ThumbCell(cell));
    thumb.Transparent = Skinned() || !(FOptions & soThumbOpaque);
    thumb.TransparentColor = thumb.Pixel(0, 0);
    C.Draw(t.Left, t.Top, thumb);
    Canvas().Draw(0, 0, B);
}
