#include "skin/controls/SkinChecks.h"

#include "platform/gui/ActnList.h"
#include "platform/gui/Forms.h"
#include "skin/controls/SkinPanels.h"
#include "skin/controls/SkinButtonEffects.h"
#include "skin/core/qlEffects.h"

namespace {

bool Inside(const TRect& R, int X, int Y) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; }

TRect Offset(const TRect& R, int DX, int DY) { return Rect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY); }

}  // namespace

TqlSkinCheckRadioBox::TqlSkinCheckRadioBox(TComponent* AOwner) : TqlSkinCustomControl(AOwner) {
    SetControlStyle(ControlStyle() & ~(csClickEvents | csDoubleClicks));
    SetSkinDataName("checkbox");
    SetTabStop(false);
    SetCanFocused(true);
    SetBounds(Left(), Top(), 150, 25);
}

TqlSkinCheckRadioBox::~TqlSkinCheckRadioBox() { FEffects.StopMorph(); }

void TqlSkinCheckRadioBox::FollowHover() {
    if (CanMorph()) {
        FEffects.StartMorph();
        return;
    }
    FEffects.SetMorphKf(MorphTowardsActive());
    Invalidate();
}

// The form's active control counts as focused while its window is not the
// active one, as the skinned button counts it.
bool TqlSkinCheckRadioBox::HasFocus() const {
    return FCanFocused && HoldsFocus(*this);
}

void TqlSkinCheckRadioBox::FireClick() {
    if (FFollowingAction && ClickRunsAction()) return;
    if (OnClick) OnClick(this);
}

void TqlSkinCheckRadioBox::ActionChange(TObject* Sender, bool CheckDefaults) {
    TqlSkinCustomControl::ActionChange(Sender, CheckDefaults);
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action || (CheckDefaults && Checked())) return;
    FFollowingAction = true;
    SetChecked(action->Checked());
    FFollowingAction = false;
}

void TqlSkinCheckRadioBox::SetState(TCheckBoxState Value) {
    FState = Value;
    Invalidate();
    FireClick();
}

void TqlSkinCheckRadioBox::SetChecked(bool Value) {
    if (Value)
        FState = TCheckBoxState::cbChecked;
    else if (FState == TCheckBoxState::cbChecked)
        FState = TCheckBoxState::cbUnchecked;
    Invalidate();
    if (Value && GroupIndex != 0) ClearGroup();
    if (!FRadio || Value) FireClick();
}

void TqlSkinCheckRadioBox::SetRadio(bool Value) {
    FRadio = Value;
    Invalidate();
}

void TqlSkinCheckRadioBox::Toggle() {
    if (!FRadio)
        SetChecked(!Checked());
    else if (!Checked())
        SetChecked(true);
}

void TqlSkinCheckRadioBox::ClearGroup() {
    if (!Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TqlSkinCheckRadioBox*>(Parent()->Controls(i));
        if (other && other != this && other->GroupIndex == GroupIndex && other->Checked()) other->SetChecked(false);
    }
}

void TqlSkinCheckRadioBox::SetWordWrap(bool Value) {
    if (Value == FWordWrap) return;
    FWordWrap = Value;
    if (FFlat) Invalidate();
}

void TqlSkinCheckRadioBox::SetFlat(bool Value) {
    FFlat = Value;
    Invalidate();
}

void TqlSkinCheckRadioBox::SetCanFocused(bool Value) {
    FCanFocused = Value;
    SetTabStop(Value);
}

void TqlSkinCheckRadioBox::GetSkinData() {
    TqlSkinCustomControl::GetSkinData();
    if (FIndex == -1) return;
    auto* d = dynamic_cast<const TqlDataSkinCheckRadioControl*>(Descriptor());
    if (!d) return;
    FontName = d->FontName;
    FontHeight = d->FontHeight;
    FontStyle = d->FontStyle;
    FontColor = d->FontColor;
    ActiveFontColor = d->ActiveFontColor;
    UnEnabledFontColor = d->UnEnabledFontColor;
    ActiveSkinRect = RectIsEmpty(d->ActiveSkinRect) ? SkinRect : d->ActiveSkinRect;
    CheckImageArea = d->CheckImageArea;
    TextArea = d->TextArea;
    CheckImageRect = d->CheckImageRect;
    UnCheckImageRect = d->UnCheckImageRect;
    auto orElse = [](const TRect& R, const TRect& Fallback) { return RectIsEmpty(R) ? Fallback : R; };
    ActiveCheckImageRect = orElse(d->ActiveCheckImageRect, CheckImageRect);
    ActiveUnCheckImageRect = orElse(d->ActiveUnCheckImageRect, UnCheckImageRect);
    UnEnabledCheckImageRect = orElse(d->UnEnabledCheckImageRect, CheckImageRect);
    UnEnabledUnCheckImageRect = orElse(d->UnEnabledUnCheckImageRect, UnCheckImageRect);
    GrayedCheckImageRect = d->GrayedCheckImageRect;
    ActiveGrayedCheckImageRect = d->ActiveGrayedCheckImageRect;
    FMorphing = d->Morphing && !FFlat;
    FMorphKind = d->MorphKind;
    if (FFlat) MaskPicture = nullptr;
}

// A flat box keeps its size whatever the skin.
void TqlSkinCheckRadioBox::ChangeSkinData() {
    FEffects.StopMorph();
    FEffects.SetMorphKf(MorphTowardsActive());
    if (!FFlat) {
        TqlSkinCustomControl::ChangeSkinData();
        return;
    }
    GetSkinData();
    Invalidate();
}

void TqlSkinCheckRadioBox::CalcSize(int& W, int& H) {
    if (FFlat) return;
    TqlSkinCustomControl::CalcSize(W, H);
    const int grow = W - (SkinRect.Right - SkinRect.Left);
    NewTextArea = TextArea;
    NewTextArea.Right += grow;
    NewCheckImageArea = CheckImageArea;
    if (CheckImageArea.Left >= TextArea.Right) NewCheckImageArea = Offset(CheckImageArea, grow, 0);
    const int cw = CheckImageRect.Right - CheckImageRect.Left, ch = CheckImageRect.Bottom - CheckImageRect.Top;
    const int x = NewCheckImageArea.Left + (NewCheckImageArea.Right - NewCheckImageArea.Left - cw) / 2;
    const int y = NewCheckImageArea.Top + (NewCheckImageArea.Bottom - NewCheckImageArea.Top - ch) / 2;
    NewCheckImageRect = Rect(x, y, x + cw, y + ch);
}

TRect TqlSkinCheckRadioBox::CheckImage(bool Active) const {
    const bool grayed = FState == TCheckBoxState::cbGrayed;
    if (grayed && !RectIsEmpty(GrayedCheckImageRect))
        return Active && !RectIsEmpty(ActiveGrayedCheckImageRect) ? ActiveGrayedCheckImageRect
                                                                    : GrayedCheckImageRect;
    const bool checked = FState == TCheckBoxState::cbChecked;
    if (!EffectivelyEnabled()) return checked ? UnEnabledCheckImageRect : UnEnabledUnCheckImageRect;
    if (Active) return checked ? ActiveCheckImageRect : ActiveUnCheckImageRect;
    return checked ? CheckImageRect : UnCheckImageRect;
}

// Without a grayed picture the grayed state is the state's picture, lightened.
void TqlSkinCheckRadioBox::DrawCheckImage(TCanvas& C, int X, int Y, bool Active) const {
    if (!Picture) return;
    const TRect r = CheckImage(Active);
    TBitmap image(r.Right - r.Left, r.Bottom - r.Top);
    image.Canvas().CopyRect(Rect(0, 0, image.Width(), image.Height()), *Picture, r);
    if (FState == TCheckBoxState::cbGrayed && RectIsEmpty(GrayedCheckImageRect)) {
        TqlEffectBmp light(image);
        light.ChangeBrightness(0.5);
        light.Draw(image.Canvas(), 0, 0);
    }
    // Keyed on its bottom-left pixel: the image's background lets the face show.
    image.Transparent = true;
    C.Draw(X, Y, image);
}

TColor TqlSkinCheckRadioBox::CaptionColor() const {
    if (FIndex == -1 || !UseSkinFontColor) return DefaultFont().Color();
    if (!EffectivelyEnabled()) return UnEnabledFontColor;
    return FMouseIn ? ActiveFontColor : FontColor;
}

void TqlSkinCheckRadioBox::SelectCaptionFont(TCanvas& C) const {
    SelectSkinFont(C, FontName, FontHeight, FontStyle, UseSkinFont && FIndex != -1, DefaultFont(), SkinData());
    C.Font().SetColor(CaptionColor());
}

void TqlSkinCheckRadioBox::DrawCaption(TCanvas& C, TRect R, int ImageGap, bool FlatLook) const {
    if (FImages && FImageIndex >= 0 && FImageIndex < FImages->Count()) {
        FImages->Draw(C, R.Left, (R.Top + R.Bottom - FImages->Height()) / 2, FImageIndex, EffectivelyEnabled());
        R.Left += FImages->Width() + ImageGap;
    }
    C.Brush().Style = TBrushStyle::bsClear;
    const std::string text = Caption();
    // Where the caption's text lies: every line of a wrapped one.
    TRect textRect;
    if (FWordWrap && FlatLook) {
        TRect measured = R;
        C.DrawText(text, measured, DT_WORDBREAK | DT_EXPANDTABS | DT_CALCRECT);
        const int h = measured.Bottom - measured.Top;
        TRect placed = Rect(R.Left, (R.Top + R.Bottom - h) / 2, R.Right, (R.Top + R.Bottom + h) / 2);
        C.DrawText(text, placed, DT_WORDBREAK | DT_EXPANDTABS);
        textRect = Rect(R.Left, placed.Top, std::min(measured.Right, R.Right), placed.Top + h);
    } else {
        DrawTextVCentered(C, text, R);
        const int w = std::min(C.TextWidth(text), int(R.Right - R.Left)), h = C.TextHeight(text);
        const int top = (R.Top + R.Bottom - h) / 2;
        textRect = Rect(R.Left, top, R.Left + w, top + h);
    }
    if (FlatLook && HasFocus() && !text.empty())
        C.DrawFocusRect(Rect(textRect.Left - 1, textRect.Top - 1, textRect.Right + 1, textRect.Bottom + 1));
}

void TqlSkinCheckRadioBox::PaintFlat(TCanvas& C) {
    PaintParentBackground(this, C);
    const TRect r = CheckImage(FMouseIn);
    const int w = r.Right - r.Left, h = r.Bottom - r.Top;
    DrawCheckImage(C, 3, (Height() - h) / 2, FMouseIn);
    SelectCaptionFont(C);
    DrawCaption(C, Rect(w + 7, 0, Width(), Height()), 8, true);
}

void TqlSkinCheckRadioBox::Paint() {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    if (FIndex == -1 || !FFlat) {
        TqlSkinCustomControl::Paint();
        return;
    }
    TBitmap B(Width(), Height());
    PaintFlat(B.Canvas());
    Canvas().Draw(0, 0, B);
}

void TqlSkinCheckRadioBox::BuildFace(TBitmap& B, bool Active) const {
    BuildStateFace(B, Active ? ActiveSkinRect : SkinRect, Width(), Height(), true);
    DrawCheckImage(B.Canvas(), NewCheckImageRect.Left, NewCheckImageRect.Top, Active);
}

void TqlSkinCheckRadioBox::CreateControlSkinImage(TBitmap& B) {
    if (CanMorph() && FEffects.Morphing()) {
        BuildFace(B, false);
        TBitmap active(B.Width(), B.Height());
        BuildFace(active, true);
        MorphFaces(B, active, FMorphKind, FEffects.MorphKf());
    } else {
        const bool lit = CanMorph() ? FEffects.MorphKf() == 1.0 : FMouseIn || HasFocus();
        BuildStateFace(B, lit ? ActiveSkinRect : SkinRect, Width(), Height(), true);
        DrawCheckImage(B.Canvas(), NewCheckImageRect.Left, NewCheckImageRect.Top, FMouseIn);
    }
    SelectCaptionFont(B.Canvas());
    DrawCaption(B.Canvas(), NewTextArea, 8, false);
}

void TqlSkinCheckRadioBox::CreateControlDefaultImage(TBitmap& B) {
    TqlSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas& C = B.Canvas();
    const int H = Height();
    const bool enabled = EffectivelyEnabled();
    C.Brush().Style = TBrushStyle::bsClear;
    if (HasFocus() || FMouseIn) {
        C.Pen().Color = clBtnShadow;
        C.Rectangle(0, 0, Width(), H);
    }
    C.Pen().Color = FMouseIn ? TColor(0x800000) : clBtnShadow;
    C.Rectangle(3, H / 2 - 7, 17, H / 2 + 7);
    const TColor mark = enabled ? clBlack : clBtnShadow;
    if (FState == TCheckBoxState::cbGrayed && !FRadio)
        DrawCheckTick(C, 7, H / 2 - 4, clGrayText);
    else if (Checked() && FRadio)
        DrawRadioDot(C, 7, H / 2 - 3, mark);
    else if (Checked())
        DrawCheckTick(C, 7, H / 2 - 4, mark);
    C.Font().Assign(DefaultFont());
    if (!enabled) C.Font().SetColor(clBtnShadow);
    DrawCaption(C, Rect(19, 0, Width(), H), 5, false);
}

void TqlSkinCheckRadioBox::ParentLookChanged() {
    if (FFlat) Invalidate();
}

void TqlSkinCheckRadioBox::SetAllowGrayed(bool Value) {
    FAllowGrayed = Value;
    Invalidate();
}

void TqlSkinCheckRadioBox::SetImages(const TCustomImageList* Value) {
    FImages = Value;
    WatchImageList(*this, Value);
    Invalidate();
}

void TqlSkinCheckRadioBox::SetImageIndex(int Value) {
    FImageIndex = Value;
    Invalidate();
}

void TqlSkinCheckRadioBox::Notification(TComponent* AComponent, TOperation Operation) {
    TqlSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FImages) {
        FImages = nullptr;
        Invalidate();
    }
}

void TqlSkinCheckRadioBox::WndProc(TMessage& M) {
    // A command that arrives while the box takes the focus itself is not the user's.
    if (FClickFocus.Drops(M)) return;
    if (FCanFocused) {
        if (M.Msg == WM_KEYUP && M.WParam == VK_SPACE && HasFocus()) {
            Toggle();
            M.Result = 1;
            return;
        }
        if ((M.Msg == WM_LBUTTONDOWN || M.Msg == WM_LBUTTONDBLCLK) && !HasFocus() && CanFocus() &&
            !FClickFocus.Take(*this, [this] { return HasFocus(); }))
            return;
    }
    TqlSkinCustomControl::WndProc(M);
}

// The box draws all of itself; erasing first would only flicker.
void TqlSkinCheckRadioBox::WMEraseBkgnd(TMessage& M) {
    if (FFlat)
        M.Result = 1;
    else
        PaintOnErase(M);
}

void TqlSkinCheckRadioBox::WMMove(TMessage& M) {
    TqlSkinCustomControl::WMMove(M);
    if (FFlat) Invalidate();
}

void TqlSkinCheckRadioBox::WMSetFocus(TMessage& M) {
    TqlSkinCustomControl::WMSetFocus(M);
    if (!FCanFocused) return;
    if (FFlat)
        Invalidate();
    else
        FollowHover();
}

void TqlSkinCheckRadioBox::WMKillFocus(TMessage& M) {
    TqlSkinCustomControl::WMKillFocus(M);
    if (!FCanFocused) return;
    if (FFlat)
        Invalidate();
    else
        FollowHover();
}

void TqlSkinCheckRadioBox::WMGetDlgCode(TMessage& M) { M.Result = DLGC_BUTTON; }

void TqlSkinCheckRadioBox::CMMouseEnter(TMessage& M) {
    TqlSkinCustomControl::CMMouseEnter(M);
    FMouseIn = true;
    FollowHover();
}

void TqlSkinCheckRadioBox::CMMouseLeave(TMessage& M) {
    TqlSkinCustomControl::CMMouseLeave(M);
    FMouseIn = false;
    FollowHover();
}

void TqlSkinCheckRadioBox::CMEnabledChanged(TMessage& M) {
    TqlSkinCustomControl::CMEnabledChanged(M);
    FEffects.StopMorph();
    FEffects.SetMorphKf(false);
    FMouseIn = false;
    Invalidate();
}

void TqlSkinCheckRadioBox::CMTextChanged(TMessage& M) {
    TqlSkinCustomControl::CMTextChanged(M);
    Invalidate();
}

void TqlSkinCheckRadioBox::CMDialogChar(TMessage& M) {
    // Whether the box takes the focus by tab or click does not matter here:
    // the accelerator acts on any box that could take it.
    if (IsAccelerator(M.WParam, Caption()) && CanFocus()) {
        SetFocus();
        Toggle();
        M.Result = 1;
        return;
    }
    TqlSkinCustomControl::CMDialogChar(M);
}

void TqlSkinCheckRadioBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!FMouseIn) {
        FMouseIn = true;
        FollowHover();
    }
    TqlSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TqlSkinCheckRadioBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TqlSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || !FMouseIn || !Inside(ClientRect(), X, Y)) return;
    if (FAllowGrayed && !FRadio && FState == TCheckBoxState::cbUnchecked)
        SetState(TCheckBoxState::cbGrayed);
    else
        Toggle();
}
