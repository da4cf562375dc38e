#include "skin/controls/SkinButton.h"

#include "platform/gui/Forms.h"
#include "skin/core/qlUtils.h"

namespace {

TShiftState ShiftOfKeyData(LPARAM keyData) { return TShiftState((keyData >> 24) & 0x7F); }

}  // namespace

TqlSkinButton::TqlSkinButton(TComponent* AOwner) : TqlSkinCustomControl(AOwner) {
    SetSkinDataName("button");
    SetControlStyle(ControlStyle() & ~(csClickEvents | csDoubleClicks));
    SetTabStop(true);
    SetBounds(Left(), Top(), 75, 25);
}

TqlSkinButton::~TqlSkinButton() { FPress.StopEffects(); }

void TqlSkinButton::SetImageList(const TCustomImageList* Value) {
    FImageList = Value;
    WatchImageList(*this, Value);
    Repaint();
}

void TqlSkinButton::Notification(TComponent* AComponent, TOperation Operation) {
    TqlSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FImageList) SetImageList(nullptr);
}

void TqlSkinButton::CreateWnd() {
    TqlSkinCustomControl::CreateWnd();
    FActive = FDefault;
}

void TqlSkinButton::ActionChange(TObject* Sender, bool CheckDefaults) {
    TqlSkinCustomControl::ActionChange(Sender, CheckDefaults);
    if (TakeActionGlyph(FGlyph, Sender)) Repaint();
}

void TqlSkinButton::SetImageIndex(int Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    Repaint();
}

void TqlSkinButton::SetCanFocused(bool Value) {
    FCanFocused = Value;
    SetTabStop(Value);
}

void TqlSkinButton::SetGroupIndex(int Value) {
    FGroupIndex = Value;
    if (Value != 0) SetCanFocused(false);
}

void TqlSkinButton::SetGlyph(const TBitmap& Value) {
    FGlyph = Value;
    Repaint();
}

void TqlSkinButton::SetNumGlyphs(int Value) {
    FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value);
    Repaint();
}

void TqlSkinButton::SetMargin(int Value) {
    if (Value < -1 || Value == FMargin) return;
    FMargin = Value;
    Repaint();
}

void TqlSkinButton::SetSpacing(int Value) {
    if (Value == FSpacing) return;
    FSpacing = Value;
    Repaint();
}

void TqlSkinButton::SetLayout(TqlButtonLayout Value) {
    if (Value == FLayout) return;
    FLayout = Value;
    Repaint();
}

void TqlSkinButton::SetDefault(bool Value) {
    FDefault = Value;
    FActive = Value;
    if (FCanFocused)
        if (TForm* form = ParentForm()) form->Perform(CM_FOCUSCHANGED, 0, LPARAM(form->ActiveControl()));
}

void TqlSkinButton::SetDown(bool Value) { FPress.SetDown(Value); }

TqlButtonPress* TqlSkinButton::PeerPress(TControl* Other) {
    auto* other = dynamic_cast<TqlSkinButton*>(Other);
    return other ? &other->FPress : nullptr;
}

void TqlSkinButton::Click() {
    if (FCanFocused)
        if (TForm* form = ParentForm()) form->SetModalResult(ModalResult);
    TqlSkinCustomControl::Click();
}

bool TqlSkinButton::IsFocusedButton() const { return FCanFocused && Focused(); }

bool TqlSkinButton::CanAnimate() const {
    return FIndex != -1 && EffectsEnabled() && !RectIsEmpty(FLook.AnimateSkinRect);
}

void TqlSkinButton::GetSkinData() {
    TqlSkinCustomControl::GetSkinData();
    if (FIndex == -1) {
        ZeroRect(FLook.AnimateSkinRect);
        return;
    }
    auto* d = dynamic_cast<const TqlDataSkinButtonControl*>(Descriptor());
    if (!d) return;
    if (!UseSkinSize) MaskPicture = nullptr;
    FLook.CopyFrom(*d);
    ShowAnimationFrame(FLook, SkinRect, FEffects);
}

void TqlSkinButton::ChangeSkinData() {
    FPress.BeforeSkinChange();
    TqlSkinCustomControl::ChangeSkinData();
    FPress.AfterSkinChange(IsFocusedButton() || FPress.MouseIn);
}

void TqlSkinButton::CalcSize(int& W, int& H) {
    if (UseSkinSize || ResizeMode == 1) {
        TqlSkinCustomControl::CalcSize(W, H);
        return;
    }
    CalcFreeSize(W, H);
}

bool TqlSkinButton::ShowsDown() const {
    return FPress.Down && (FGroupIndex != 0 || FPress.MouseIn || (IsFocusedButton() && !FPress.Pressed));
}

void TqlSkinButton::Paint() {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    int W = Width(), H = Height();
    CalcSize(W, H);
    if (FIndex == -1) {
        TqlSkinCustomControl::Paint();
        return;
    }
    TBitmap B = PaintBuffer(Width(), Height());
    const bool enabled = EffectivelyEnabled();
    const bool focused = IsFocusedButton();
    if (CanMorph() && enabled && FEffects.Morphing()) {
        DrawStateImage(B, SkinRect, false, false);
        TBitmap active(Width(), Height());
        DrawStateImage(active, FLook.ActiveSkinRect, true, false);
        MorphFaces(B, active, FLook.MorphKind, FEffects.MorphKf());
    } else if (!enabled && !RectIsEmpty(FLook.DisabledSkinRect)) {
        DrawStateImage(B, FLook.DisabledSkinRect, false, false);
    } else if (ShowsDown()) {
        DrawStateImage(B, FLook.DownSkinRect, true, true);
    } else if (focused && !RectIsEmpty(FLook.FocusedSkinRect) && !FEffects.AnimationRunning()) {
        DrawStateImage(B, FLook.FocusedSkinRect, true, false);
    } else if (!focused && !FPress.MouseIn) {
        if (CanMorph() && FEffects.MorphKf() == 1.0)
            DrawStateImage(B, FLook.ActiveSkinRect, true, false);
        else
            DrawStateImage(B, SkinRect, false, false);
    } else {
        DrawStateImage(B, FLook.ActiveSkinRect, true, false);
    }
    Canvas().Draw(0, 0, B);
}

void TqlSkinButton::DrawStateImage(TBitmap& B, const TRect& R, bool AActive, bool ADown) {
    BuildStateFace(B, R, Width(), Height(), UseSkinSize);
    TCanvas& C = B.Canvas();
    SelectButtonFont(C, FLook, UseSkinFont, DefaultFont(), SkinData());
    const bool enabled = EffectivelyEnabled();
    C.Font().SetColor(FLook.TextColor(enabled, AActive, ADown, UseSkinFontColor, DefaultFont().Color()));
    if (FLook.ShowFocus && IsFocusedButton()) {
        C.Brush().Style = TBrushStyle::bsSolid;
        C.Brush().Color = SkinData()->SkinColors.cBtnFace;
        C.DrawFocusRect(NewClRect);
        C.Brush().Style = TBrushStyle::bsClear;
    }
    DrawGlyphAndCaption(C, NewClRect, ADown && AActive, enabled, GetGlyphNum(ADown, AActive));
}

void TqlSkinButton::DrawGlyphAndCaption(TCanvas& C, const TRect& R, bool Down, bool Enabled, int GlyphNum) {
    C.Brush().Style = TBrushStyle::bsClear;
    if (FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count())
        DrawImageListGlyphCaption(C, R, FMargin, FSpacing, FLayout, Caption(), FImageIndex, FImageList, Down, Enabled,
                                  false, clNone);
    else
        DrawBitmapGlyphCaption(C, R, FMargin, FSpacing, FLayout, Caption(), &FGlyph, FNumGlyphs, GlyphNum, Down,
                               false, clNone);
}

int TqlSkinButton::GetGlyphNum(bool ADown, bool AActive) const {
    return GlyphNumFor(FNumGlyphs, EffectivelyEnabled(), ADown, AActive);
}

void TqlSkinButton::CreateControlDefaultImage(TBitmap& B) {
    TCanvas& C = B.Canvas();
    const TRect R = Rect(0, 0, B.Width(), B.Height());
    const bool down = ShowsDown();
    if (down)
        DrawPlainFace(C, R, TqlPlainFace::Down);
    else if (!FPress.MouseIn && !IsFocusedButton())
        DrawPlainFace(C, R, TqlPlainFace::Idle);
    else
        DrawPlainFace(C, R, TqlPlainFace::Hot);
    SelectButtonFont(C, FLook, false, DefaultFont(), SkinData());
    if (!EffectivelyEnabled()) C.Font().SetColor(clBtnShadow);
    DrawGlyphAndCaption(C, R, down, EffectivelyEnabled(), GetGlyphNum(FPress.Down, FPress.MouseIn));
}

void TqlSkinButton::WndProc(TMessage& M) {
    // A command that arrives while a press takes the focus is the focus
    // change's, not a second click.
    if (FClickFocus.Drops(M)) return;
    if (FCanFocused) {
        const bool space = M.WParam == VK_SPACE;
        if (M.Msg == WM_KEYDOWN && space) {
            // A held key repeats its press; the button acts once per press, as under the mouse.
            if (!FSpacePressed) {
                FSpacePressed = true;
                FEffects.StopAnimation();
                SetDown(true);
                if (RepeatMode) FEffects.StartRepeat(RepeatInterval);
            }
            M.Result = 1;
            return;
        }
        if (M.Msg == WM_KEYUP && space) {
            // Only a release of a press this button saw clicks it.
            if (FSpacePressed) {
                FSpacePressed = false;
                FEffects.StopRepeat();
                SetDown(false);
                Click();
            }
            M.Result = 1;
            return;
        }
        if (M.Msg == WM_KEYDOWN && M.WParam == VK_RETURN) {
            Click();
            M.Result = 1;
            return;
        }
        if ((M.Msg == WM_LBUTTONDOWN || M.Msg == WM_LBUTTONDBLCLK) && !HoldsFormFocus() && CanFocus() &&
            !FClickFocus.Take(*this, [this] { return HoldsFormFocus(); }))
            return;
    }
    TqlSkinCustomControl::WndProc(M);
}

void TqlSkinButton::WMEraseBkgnd(TMessage& M) { PaintOnErase(M); }

void TqlSkinButton::WMSetFocus(TMessage& M) {
    TqlSkinCustomControl::WMSetFocus(M);
    if (!FCanFocused) return;
    FPress.Animate(true);
    FPress.RedrawOrMorph();
}

void TqlSkinButton::WMKillFocus(TMessage& M) {
    FEffects.StopRepeat();
    FSpacePressed = false;
    if (FGroupIndex == 0 && FPress.Down) SetDown(false);
    TqlSkinCustomControl::WMKillFocus(M);
    if (!FCanFocused) return;
    FPress.Animate(false);
    FPress.RedrawOrMorph();
}

// Enter and Esc reach the form, which hands them to its Active and Cancel buttons.
void TqlSkinButton::WMGetDlgCode(TMessage& M) { M.Result = DLGC_BUTTON; }

void TqlSkinButton::CMDialogKey(TMessage& M) {
    if (FCanFocused) {
        const bool plain = (ShiftOfKeyData(M.LParam) & (ssShift | ssCtrl | ssAlt)) == 0;
        if (M.WParam == VK_RETURN && FActive && EffectivelyEnabled() && CanFocus()) {
            Click();
            M.Result = 1;
            return;
        }
        if (M.WParam == VK_ESCAPE && Cancel && plain && CanFocus()) {
            Click();
            M.Result = 1;
            return;
        }
    }
    TqlSkinCustomControl::CMDialogKey(M);
}

void TqlSkinButton::CMDialogChar(TMessage& M) {
    if (FCanFocused && IsAccelerator(M.WParam, Caption()) && CanFocus()) {
        SetFocus();
        Click();
        M.Result = 1;
        return;
    }
    TqlSkinCustomControl::CMDialogChar(M);
}

void TqlSkinButton::CMFocusChanged(TMessage& M) {
    auto* focused = reinterpret_cast<TWinControl*>(M.LParam);
    auto* button = dynamic_cast<TqlSkinButton*>(focused);
    FActive = button ? button == this : FDefault;
    if (FCanFocused && FDefault) {
        if (button && FPress.MouseIn && button != this) {
            FPress.MouseIn = false;
            FPress.RedrawOrMorph();
        } else if (!button && !FPress.MouseIn) {
            if (CanMorph()) FEffects.SetMorphKf(true);
            FPress.MouseIn = true;
            FPress.RedrawOrMorph();
        }
    }
    TqlSkinCustomControl::CMFocusChanged(M);
}

void TqlSkinButton::CMEnabledChanged(TMessage& M) {
    TqlSkinCustomControl::CMEnabledChanged(M);
    FPress.EnabledChanged();
}

void TqlSkinButton::CMMouseEnter(TMessage& M) {
    TqlSkinCustomControl::CMMouseEnter(M);
    FPress.PointerEntered();
}

void TqlSkinButton::CMMouseLeave(TMessage& M) {
    TqlSkinCustomControl::CMMouseLeave(M);
    FPress.PointerLeft(FCanFocused && FDefault && FActive && !IsFocusedButton());
}

void TqlSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TqlSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == TMouseButton::mbLeft) FPress.Press();
}

void TqlSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == TMouseButton::mbLeft) FPress.Release(ClientRect().Contains({X, Y}));
    if (Visible()) TqlSkinCustomControl::MouseUp(Button, Shift, X, Y);
}
