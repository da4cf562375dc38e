#include "skin/controls/qlSkinScrollBar.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/gui/Forms.h"
#include "skin/controls/SkinRange.h"
#include "skin/core/qlPictureOps.h"

namespace {

constexpr int kFirstRepeatDelay = 500, kRepeatInterval = 50;
constexpr TColor kPlainFrame = 0x800000, kPlainPressed = 0xB59385, kPlainHot = 0xD2BDB6;

// Halves go to the even neighbour, as the layout's rounding asks.
int Nearest(double X) { return int(std::lrint(X)); }

bool Contains(const TRect& R, int X, int Y) { return R.Contains({X, Y}); }

void OffsetRect(TRect& R, int DX, int DY) { R = Rect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY); }

void Fallback(TRect& R, const TRect& From) {
    if (RectIsEmpty(R)) R = From;
}

}  // namespace

TqlSkinScrollBar::TqlSkinScrollBar(TComponent* AOwner) : TqlSkinCustomControl(AOwner) {
    SetSkinDataName("hscrollbar");
    SetTabStop(false);
    FDefaultHeight = 19;
    SetBounds(Left(), Top(), 200, 19);
}

// Range and position

int TqlSkinScrollBar::ClampPosition(int Value) const {
    // The upper limit first, so that a page wider than the range leaves the
    // position at Min rather than below it.
    const int64_t upper = FPageSize != 0 ? int64_t(FMax) - FPageSize + 1 : FMax;
    int64_t v = std::min<int64_t>(Value, upper);
    return int(std::max<int64_t>(v, FMin));
}

void TqlSkinScrollBar::SetPosition(int Value) {
    const int v = ClampPosition(Value);
    if (v == FPosition) return;
    FPosition = v;
    Invalidate();
    if (OnChange) OnChange(this);
}

void TqlSkinScrollBar::MoveBy(int64_t Delta) { SetPosition(SaturatedAdd(FPosition, Delta)); }

void TqlSkinScrollBar::SetRange(int AMin, int AMax, int APosition, int APageSize) {
    // Views mirror themselves into the bar often; an unchanged state draws nothing.
    if (AMin == FMin && AMax == FMax && APageSize == FPageSize && APosition == FPosition) return;
    FMin = AMin;
    FMax = AMax;
    FPageSize = APageSize;
    FPosition = ClampPosition(APosition);
    Invalidate();
}

void TqlSkinScrollBar::SetMin(int Value) {
    FMin = Value;
    if (FPosition < FMin) FPosition = FMin;
    Invalidate();
}

void TqlSkinScrollBar::SetMax(int Value) {
    FMax = Value;
    FPosition = ClampPosition(FPosition);
    Invalidate();
}

void TqlSkinScrollBar::SetPageSize(int Value) {
    // A page that would push the present position out of the range is refused;
    // the position counts from Min.
    if (int64_t(FPosition) - FMin + Value <= int64_t(FMax) - FMin + 1) FPageSize = Value;
    Invalidate();
}

void TqlSkinScrollBar::SetSmallChange(int Value) {
    FSmallChange = Value;
    Invalidate();
}

void TqlSkinScrollBar::SetLargeChange(int Value) {
    FLargeChange = Value;
    Invalidate();
}

void TqlSkinScrollBar::SetKind(TScrollBarKind Value) {
    if (Value == FKind) return;
    FKind = Value;
    // Without a form designer the descriptor name follows the orientation
    // whenever it still is one of the two standard names.
    if (SkinDataName() == "hscrollbar" || SkinDataName() == "vscrollbar")
        SetSkinDataName(Vertical() ? "vscrollbar" : "hscrollbar");
    if (Vertical() ? Width() > Height() : Height() > Width()) SetBounds(Left(), Top(), Height(), Width());
    if (Vertical()) {
        FDefaultWidth = FDefaultHeight;
        FDefaultHeight = 0;
    } else {
        FDefaultHeight = FDefaultWidth;
        FDefaultWidth = 0;
    }
    ChangeSkinData();
}

void TqlSkinScrollBar::SetBoth(bool Value) {
    if (Value == FBoth) return;
    FBoth = Value;
    if (FBoth) {
        FSavedSkinDataName = SkinDataName();
        SetSkinDataName(BothSkinDataName);
    } else if (!FSavedSkinDataName.empty()) {
        SetSkinDataName(FSavedSkinDataName);
    }
    GetSkinData();
    if (FIndex != -1)
        ChangeSkinData();
    else
        Invalidate();
}

void TqlSkinScrollBar::SetBothMarkerWidth(int Value) {
    if (Value < 0) return;
    FBothMarkerWidth = Value;
    if (FIndex == -1) Invalidate();
}

void TqlSkinScrollBar::SetCanFocused(bool Value) {
    FCanFocused = Value;
    SetTabStop(Value);
}

// Skin and layout

void TqlSkinScrollBar::GetSkinData() {
    TqlSkinCustomControl::GetSkinData();
    const auto* d = FIndex != -1 ? dynamic_cast<const TqlDataSkinScrollBarControl*>(Descriptor()) : nullptr;
    if (!d) {
        FLook = TqlDataSkinScrollBarControl("");
        return;
    }
    FLook = *d;
    Fallback(FLook.DownUpButtonRect, FLook.ActiveUpButtonRect);
    Fallback(FLook.DownDownButtonRect, FLook.ActiveDownButtonRect);
    Fallback(FLook.ActiveThumbRect, FLook.ThumbRect);
    Fallback(FLook.DownThumbRect, FLook.ActiveThumbRect);
    Fallback(FLook.ActiveGlyphRect, FLook.GlyphRect);
    Fallback(FLook.DownGlyphRect, FLook.ActiveGlyphRect);
}

void TqlSkinScrollBar::CalcSize(int& W, int& H) {
    TqlSkinCustomControl::CalcSize(W, H);
    Layout();
}

void TqlSkinScrollBar::Layout() {
    TRect& inc = FParts[ptIncrement].R;
    TRect& dec = FParts[ptDecrement].R;
    int minLength, pageless;
    if (FIndex != -1 && Picture) {
        const TRect& thumb = FLook.ThumbRect;
        minLength = FLook.ThumbMinSize != 0 ? FLook.ThumbMinSize : Along(WidthOfRect(thumb), HeightOfRect(thumb));
        pageless = FLook.ThumbMinPageSize != 0 ? FLook.ThumbMinPageSize : minLength;
        FTrack = FLook.TrackArea;
        inc = FLook.UpButtonRect;
        dec = FLook.DownButtonRect;
        if (Vertical()) {
            const int dy = Height() - HeightOfRect(SkinRect);
            FTrack.Bottom += dy;
            for (TRect* b : {&inc, &dec})
                if (b->Top > LBPoint.Y) OffsetRect(*b, 0, dy);
        } else {
            const int dx = Width() - WidthOfRect(SkinRect);
            FTrack.Right += dx;
            for (TRect* b : {&inc, &dec})
                if (b->Left > RTPoint.X) OffsetRect(*b, dx, 0);
        }
    } else {
        minLength = pageless = 16;
        const int w = Width() - (FBoth && !Vertical() ? FBothMarkerWidth : 0), h = Height();
        if (Vertical()) {
            dec = Rect(1, 1, w - 1, 17);
            inc = Rect(1, h - 17, w - 1, h - 1);
            FTrack = Rect(1, 17, w - 1, h - 17);
        } else {
            dec = Rect(1, 1, 17, h - 1);
            inc = Rect(w - 17, 1, w - 1, h - 1);
            FTrack = Rect(17, 1, w - 17, h - 1);
        }
    }
    LayoutThumb(minLength, pageless);
}

void TqlSkinScrollBar::LayoutThumb(int MinLength, int PagelessLength) {
    const int trackLength = Along(WidthOfRect(FTrack), HeightOfRect(FTrack));
    int t;
    double k;
    if (FPageSize != 0) {
        const int64_t span = int64_t(FMax) - FMin + 1;
        t = span > 0 ? Nearest(double(trackLength) * FPageSize / double(span)) : 0;
        t = std::max(t, MinLength);
        const int64_t room = int64_t(FMax) - FPageSize + 1 - FMin;
        k = room > 0 ? double(int64_t(FPosition) - FMin) / double(room) : (Vertical() ? 0.0 : 1.0);
    } else {
        t = PagelessLength;
        k = FMax == FMin ? 0.0 : double(int64_t(FPosition) - FMin) / double(int64_t(FMax) - FMin);
    }
    // A thumb longer than its track would stick out over the arrow buttons.
    t = std::min(t, std::max(trackLength, 0));
    k = std::clamp(k, 0.0, 1.0);
    const int half = t / 2;
    const int lead = Along(FTrack.Left, FTrack.Top), trail = Along(FTrack.Right, FTrack.Bottom);
    FTrackStart = lead + half;
    FTrackEnd = trail - half;
    FThumbOffset = Nearest((FTrackEnd - FTrackStart) * k);
    const int from = FTrackStart + FThumbOffset - half, to = FTrackStart + FThumbOffset + half;
    const bool skinned = FIndex != -1 && Picture;
    TRect& thumb = FParts[ptThumb].R;
    if (Vertical()) {
        const int thick = skinned ? WidthOfRect(FLook.ThumbRect) : WidthOfRect(FTrack);
        const int left = FTrack.Left + WidthOfRect(FTrack) / 2 - thick / 2;
        thumb = Rect(left, from, left + thick, to);
    } else {
        const int thick = skinned ? HeightOfRect(FLook.ThumbRect) : HeightOfRect(FTrack);
        const int top = FTrack.Top + HeightOfRect(FTrack) / 2 - thick / 2;
        thumb = Rect(from, top, to, top + thick);
    }
}

TqlSkinScrollBar::Part TqlSkinScrollBar::HitTest(int X, int Y) const {
    for (Part p : {ptThumb, ptIncrement, ptDecrement})
        if (Contains(FParts[p].R, X, Y)) return p;
    return ptNone;
}

int TqlSkinScrollBar::PositionFromOffset(int Offset) const {
    int start = FTrackStart, end = FTrackEnd;
    int64_t span = int64_t(FMax) - FMin;
    if (FPageSize != 0) {
        const TRect& thumb = FParts[ptThumb].R;
        const int half = Along(WidthOfRect(thumb), HeightOfRect(thumb)) / 2;
        start = Along(FTrack.Left, FTrack.Top) + half;
        end = Along(FTrack.Right, FTrack.Bottom) - half;
        span = span - FPageSize + 1;
    }
    double k = end - start > 0 ? double(Offset) / double(end - start) : 0.0;
    k = std::clamp(k, 0.0, 1.0);
    return int(std::lrint(double(span) * k) + FMin);
}

// Input

bool TqlSkinScrollBar::HasFocus() const {
    if (Focused()) return true;
    // A form whose window is not active still names the control that will take the focus.
    const TForm* form = ParentForm();
    return form && form->ActiveControl() == this;
}

void TqlSkinScrollBar::StepButton(Part P) {
    const TNotifyEvent& handler = P == ptIncrement ? OnUpButtonClick : OnDownButtonClick;
    if (handler)
        handler(this);
    else
        MoveBy(P == ptIncrement ? FSmallChange : -int64_t(FSmallChange));
}

void TqlSkinScrollBar::PageStep(bool TowardMax) {
    MoveBy(TowardMax ? FLargeChange : -int64_t(FLargeChange));
    const TNotifyEvent& handler = TowardMax ? OnPageDown : OnPageUp;
    if (handler) handler(this);
}

void TqlSkinScrollBar::StartRepeat(int Mode) {
    FRepeatMode = Mode;
    FFirstTick = true;
    FTimer.Start(kFirstRepeatDelay, [this] { RepeatTick(); });
}

void TqlSkinScrollBar::RepeatTick() {
    if (FFirstTick) {
        FFirstTick = false;
        FTimer.Start(kRepeatInterval, [this] { RepeatTick(); });
        return;
    }
    switch (FRepeatMode) {
        case 1: StepButton(ptDecrement); break;
        case 2: StepButton(ptIncrement); break;
        case 3:
        case 4: {
            TestHover(FLastPoint.X, FLastPoint.Y);
            Layout();
            const TRect& thumb = FParts[ptThumb].R;
            const int at = Along(FLastPoint.X, FLastPoint.Y);
            // Paging stops once the thumb reaches the pointer, its far edge included.
            const bool go =
                FRepeatMode == 3 ? at < Along(thumb.Left, thumb.Top) : at > Along(thumb.Right, thumb.Bottom);
            if (go) {
                PageStep(FRepeatMode == 4);
            } else {
                FTimer.Stop();
                FRepeatMode = 0;
            }
            break;
        }
        default: FTimer.Stop(); break;
    }
}

void TqlSkinScrollBar::SetActive(Part P) {
    if (P == FActive) return;
    auto isPressedArrow = [this](Part q) { return q != ptNone && q != ptThumb && q == FPressed; };
    if (FActive != ptNone) {
        FParts[FActive].MouseIn = false;
        if (isPressedArrow(FActive)) FTimer.Stop();
    }
    FActive = P;
    if (P != ptNone) {
        FParts[P].MouseIn = true;
        if (isPressedArrow(P)) FTimer.Start(kRepeatInterval, [this] { RepeatTick(); });
    }
    Invalidate();
}

void TqlSkinScrollBar::TestHover(int X, int Y) {
    Part p = HitTest(X, Y);
    if (FPressed != ptNone && p != FPressed) p = ptNone;
    SetActive(p);
}

void TqlSkinScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TqlSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft) return;
    FMouseDown = true;
    FLastPoint = {X, Y};
    Layout();
    FRepeatMode = 0;
    const Part p = HitTest(X, Y);
    if (p == ptNone) {
        if (!Contains(FTrack, X, Y)) return;
        const TRect& thumb = FParts[ptThumb].R;
        const bool towardMax = Along(X, Y) >= Along(thumb.Left, thumb.Top);
        MoveBy(towardMax ? FLargeChange : -int64_t(FLargeChange));
        StartRepeat(towardMax ? 4 : 3);
        const TNotifyEvent& handler = towardMax ? OnPageDown : OnPageUp;
        if (handler) handler(this);
        return;
    }
    FPressed = p;
    FParts[p].Down = true;
    TestHover(X, Y);
    Invalidate();
    if (p == ptThumb) {
        FDragging = true;
        FDragStart = Along(X, Y);
        FDragOffset = FThumbOffset;
        return;
    }
    StepButton(p);
    StartRepeat(p == ptIncrement ? 2 : 1);
}

void TqlSkinScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
    FLastPoint = {X, Y};
    TestHover(X, Y);
    if (FDragging) SetPosition(PositionFromOffset(FDragOffset + Along(X, Y) - FDragStart));
    TqlSkinCustomControl::MouseMove(Shift, X, Y);
}

void TqlSkinScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TqlSkinCustomControl::MouseUp(Button, Shift, X, Y);
    FMouseDown = false;
    if (FRepeatMode == 3 || FRepeatMode == 4) FTimer.Stop();
    if (FPressed == ptNone) {
        FRepeatMode = 0;
        return;
    }
    const Part released = FPressed;
    FParts[released].Down = false;
    FParts[released].MouseIn = released == FActive;
    FPressed = ptNone;
    FRepeatMode = 0;
    Invalidate();
    if (released == ptThumb) {
        FDragging = false;
        if (Button == TMouseButton::mbLeft && OnLastChange) OnLastChange(this);
    } else {
        FTimer.Stop();
    }
}

void TqlSkinScrollBar::CMMouseLeave(TMessage& M) {
    TqlSkinCustomControl::CMMouseLeave(M);
    if (FMouseDown && FRepeatMode == 4) FTimer.Stop();
    if (FActive == ptNone || FPressed != ptNone || FDragging) return;
    FParts[FActive].MouseIn = false;
    FActive = ptNone;
    Invalidate();
}

void TqlSkinScrollBar::CMEnabledChanged(TMessage& M) {
    TqlSkinCustomControl::CMEnabledChanged(M);
    Invalidate();
}

void TqlSkinScrollBar::KeyDown(uint16_t& Key, TShiftState Shift) {
    TqlSkinCustomControl::KeyDown(Key, Shift);
    if (!FCanFocused) return;
    if (Key == VK_LEFT || Key == VK_UP) MoveBy(-int64_t(FSmallChange));
    if (Key == VK_RIGHT || Key == VK_DOWN) MoveBy(FSmallChange);
}

void TqlSkinScrollBar::WMGetDlgCode(TMessage& M) {
    TqlSkinCustomControl::WMGetDlgCode(M);
    if (FCanFocused) M.Result |= DLGC_WANTARROWS;
}

void TqlSkinScrollBar::WndProc(TMessage& M) {
    if (FClickFocus.Drops(M)) return;
    switch (M.Msg) {
        case WM_MOUSEWHEEL:
            if (FCanFocused && HasFocus()) {
                // A turn toward the user is negative; a message without one
                // (a sideways swipe) moves nothing.
                if (const int delta = GET_WHEEL_DELTA_WPARAM(M.WParam); delta != 0)
                    MoveBy(delta < 0 ? FSmallChange : -int64_t(FSmallChange));
                return;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (FCanFocused && !HasFocus() && !FClickFocus.Take(*this, [this] { return HasFocus(); })) return;
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Invalidate(); break;
        default: break;
    }
    TqlSkinCustomControl::WndProc(M);
}

// Painting

void TqlSkinScrollBar::CreateControlSkinImage(TBitmap& B) {
    TqlSkinCustomControl::CreateControlSkinImage(B);
    Layout();
    DrawSkinPart(B, ptIncrement);
    DrawSkinPart(B, ptDecrement);
    if (Enabled()) DrawSkinThumb(B);
}

void TqlSkinScrollBar::DrawSkinPart(TBitmap& B, Part P) {
    const PartState& s = FParts[P];
    const bool up = P == ptIncrement;
    TRect src;
    if (s.Down && s.MouseIn)
        src = up ? FLook.DownUpButtonRect : FLook.DownDownButtonRect;
    else if (s.MouseIn)
        src = up ? FLook.ActiveUpButtonRect : FLook.ActiveDownButtonRect;
    if (RectIsEmpty(src) || !Picture) return;
    qlPictureOps::Copy(B, s.R, *Picture, src);
}

void TqlSkinScrollBar::DrawSkinThumb(TBitmap& B) {
    const PartState& s = FParts[ptThumb];
    const int w = WidthOfRect(s.R), h = HeightOfRect(s.R);
    if (w < 1 || h < 1 || !Picture) return;
    const bool pressed = s.Down || HasFocus();
    const TRect& src = pressed ? FLook.DownThumbRect : s.MouseIn ? FLook.ActiveThumbRect : FLook.ThumbRect;
    const TRect& glyph = pressed ? FLook.DownGlyphRect : s.MouseIn ? FLook.ActiveGlyphRect : FLook.GlyphRect;
    TBitmap thumb(w, h);
    if (FPageSize == 0 && FLook.ThumbMinPageSize == 0)
        qlPictureOps::Stretch(thumb, Rect(0, 0, w, h), *Picture, src);
    else if (Vertical())
        BuildVThreePart(FLook.ThumbOffset1, FLook.ThumbOffset2, thumb, *Picture, src, w, h, FLook.ThumbStretchEffect);
    else
        BuildHThreePart(FLook.ThumbOffset1, FLook.ThumbOffset2, thumb, *Picture, src, w, h, FLook.ThumbStretchEffect);
    const int gw = WidthOfRect(glyph), gh = HeightOfRect(glyph);
    if (!RectIsEmpty(glyph) && Along(w, h) > Along(gw, gh)) {
        TBitmap g(gw, gh);
        qlPictureOps::Copy(g, Rect(0, 0, gw, gh), *Picture, glyph);
        g.Transparent = FLook.GlyphTransparent;
        g.TransparentColor = FLook.GlyphTransparentColor;
        thumb.Canvas().Draw(w / 2 - gw / 2, h / 2 - gh / 2, g);
    }
    thumb.Transparent = FLook.ThumbTransparent;
    thumb.TransparentColor = FLook.ThumbTransparentColor;
    B.Canvas().Draw(s.R.Left, s.R.Top, thumb);
}

void TqlSkinScrollBar::CreateControlDefaultImage(TBitmap& B) {
    Layout();
    TCanvas& C = B.Canvas();
    C.Brush().Color = clBtnFace;
    C.FillRect(Rect(0, 0, Width(), Height()));
    if (Enabled()) DrawPlainPart(C, ptThumb);
    DrawPlainPart(C, ptIncrement);
    DrawPlainPart(C, ptDecrement);
}

void TqlSkinScrollBar::DrawPlainPart(TCanvas& C, Part P) {
    const PartState& s = FParts[P];
    if (RectIsEmpty(s.R)) return;
    TColor frame = clBtnShadow, fill = clBtnFace;
    if ((s.Down && s.MouseIn) || (P == ptThumb && (s.Down || HasFocus()))) {
        frame = kPlainFrame;
        fill = kPlainPressed;
    } else if (s.MouseIn) {
        frame = kPlainFrame;
        fill = kPlainHot;
    }
    C.Brush().Color = fill;
    C.FillRect(s.R);
    C.Brush().Color = frame;
    C.FrameRect(s.R);
    if (P == ptThumb) return;
    const int dir = P == ptIncrement ? (Vertical() ? 4 : 2) : (Vertical() ? 3 : 1);
    DrawDirectionArrow(C, s.R, clBlack, dir);
}
