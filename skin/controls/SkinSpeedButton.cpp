#include "skin/controls/SkinSpeedButton.h"

#include <algorithm>

#include "skin/controls/SkinToolBars.h"

TqlSkinSpeedButton::TqlSkinSpeedButton(TComponent* AOwner) : TqlGraphicSkinCustomControl(AOwner) {
    SetSkinDataName("toolbutton");
    // Clicks come from this button's own press and release rules.
    SetControlStyle(csCaptureMouse | csOpaque | csDoubleClicks);
    SetBounds(Left(), Top(), 25, 25);
}

TqlSkinSpeedButton::~TqlSkinSpeedButton() { FPress.StopEffects(); }

void TqlSkinSpeedButton::DoClick() {
    if (OnClick) OnClick(this);
}

void TqlSkinSpeedButton::SetImageList(const TCustomImageList* Value) {
    FImageList = Value;
    WatchImageList(*this, Value);
    Repaint();
}

void TqlSkinSpeedButton::SetImageIndex(int Value) {
    FImageIndex = Value;
    if (dynamic_cast<TqlSkinToolBar*>(Parent())) Repaint();
}

void TqlSkinSpeedButton::SetGlyph(const TBitmap& Value) {
    FGlyph = Value;
    Repaint();
}

void TqlSkinSpeedButton::SetNumGlyphs(TqlNumGlyphs Value) {
    FNumGlyphs = std::clamp(Value, 1, 4);
    Repaint();
}

void TqlSkinSpeedButton::SetMargin(int Value) {
    if (Value < -1 || Value == FMargin) return;
    FMargin = Value;
    Repaint();
}

void TqlSkinSpeedButton::SetSpacing(int Value) {
    if (Value == FSpacing) return;
    FSpacing = Value;
    Repaint();
}

void TqlSkinSpeedButton::SetLayout(TqlButtonLayout Value) {
    if (Value == FLayout) return;
    FLayout = Value;
    Repaint();
}

void TqlSkinSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
    TqlGraphicSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FImageList) FImageList = nullptr;
}

void TqlSkinSpeedButton::ActionChange(TObject* Sender, bool CheckDefaults) {
    TqlGraphicSkinCustomControl::ActionChange(Sender, CheckDefaults);
    if (TakeActionGlyph(FGlyph, Sender)) Repaint();
}

void TqlSkinSpeedButton::SetTransparent(bool Value) {
    SetControlStyle(Value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Repaint();
}

void TqlSkinSpeedButton::SetFlat(bool Value) {
    FFlat = Value;
    SetTransparent(Value);
}

void TqlSkinSpeedButton::SetShowCaption(bool Value) {
    if (Value == FShowCaption) return;
    FShowCaption = Value;
    if (WidthWithCaption >= 1 && WidthWithoutCaption >= 1)
        SetWidth(Value ? WidthWithCaption : WidthWithoutCaption);
    else
        Repaint();
}

void TqlSkinSpeedButton::SetDown(bool Value) { FPress.SetDown(Value); }

TqlButtonPress* TqlSkinSpeedButton::PeerPress(TControl* Other) {
    auto* other = dynamic_cast<TqlSkinSpeedButton*>(Other);
    return other ? &other->FPress : nullptr;
}

bool TqlSkinSpeedButton::CanAnimate() const {
    return FIndex != -1 && !FFlat && EffectsEnabled() && !RectIsEmpty(FLook.AnimateSkinRect);
}

void TqlSkinSpeedButton::GetSkinData() {
    TqlGraphicSkinCustomControl::GetSkinData();
    if (FIndex == -1) {
        ZeroRect(FLook.AnimateSkinRect);
        return;
    }
    auto* d = dynamic_cast<const TqlDataSkinButtonControl*>(Descriptor());
    if (!d) return;
    FLook.CopyFrom(*d);
    if (Transparent()) FLook.Morphing = false;
    ShowAnimationFrame(FLook, SkinRect, FEffects);
}

void TqlSkinSpeedButton::ChangeSkinData() {
    FPress.BeforeSkinChange();
    TqlGraphicSkinCustomControl::ChangeSkinData();
    FPress.AfterSkinChange(FPress.MouseIn);
}

void TqlSkinSpeedButton::CalcSize(int& W, int& H) {
    if (UseSkinSize || ResizeMode == 1)
        TqlGraphicSkinCustomControl::CalcSize(W, H);
    else
        CalcFreeSize(W, H);
}

void TqlSkinSpeedButton::Paint() {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    int W = Width(), H = Height();
    CalcSize(W, H);
    TBitmap B = PaintBuffer(Width(), Height());
    if (FIndex == -1) {
        CreateControlDefaultImage(B);
    } else if (CanMorph() && FEffects.Morphing()) {
        DrawButtonState(B, SkinRect, false, false);
        TBitmap active(Width(), Height());
        DrawButtonState(active, FLook.ActiveSkinRect, true, false);
        MorphFaces(B, active, FLook.MorphKind, FEffects.MorphKf());
    } else if (ShowsDown()) {
        DrawButtonState(B, FLook.DownSkinRect, true, true);
    } else if (!FPress.MouseIn) {
        if (CanMorph() && FEffects.MorphKf() == 1.0) {
            DrawButtonState(B, FLook.ActiveSkinRect, true, false);
        } else if (Transparent()) {
            // Idle and transparent: only the image and caption, over what lies behind.
            PaintParentBackground(this, B.Canvas());
            NewClRect = Rect(0, 0, Width(), Height());
            DrawTransparentIdle(B.Canvas());
        } else if (!EffectivelyEnabled() && !RectIsEmpty(FLook.DisabledSkinRect)) {
            DrawButtonState(B, FLook.DisabledSkinRect, false, false);
        } else {
            DrawButtonState(B, SkinRect, false, false);
        }
    } else {
        DrawButtonState(B, FLook.ActiveSkinRect, true, false);
    }
    Canvas().Draw(0, 0, B);
}

void TqlSkinSpeedButton::DrawButtonState(TBitmap& B, const TRect& R, bool AActive, bool ADown) {
    BuildStateFace(B, R, Width(), Height(), UseSkinSize);
    DrawGlyphAndCaption(B.Canvas(), NewClRect, ADown, AActive, ADown && AActive);
}

void TqlSkinSpeedButton::DrawGlyphAndCaption(TCanvas& C, const TRect& R, bool ADown, bool AActive, bool Pressed) {
    const bool enabled = EffectivelyEnabled();
    const bool skinned = FIndex != -1;
    SelectButtonFont(C, FLook, skinned && UseSkinFont, DefaultFont(), SkinData());
    if (skinned)
        C.Font().SetColor(FLook.TextColor(enabled, AActive, ADown, UseSkinFontColor, DefaultFont().Color()));
    else if (!enabled)
        C.Font().SetColor(clBtnShadow);
    C.Brush().Style = TBrushStyle::bsClear;
    std::string caption = FShowCaption ? Caption() : std::string();
    const TCustomImageList* images = nullptr;
    int index = -1;
    bool imageEnabled = enabled;
    if (ChooseImage(AActive, ADown, images, index, caption, imageEnabled))
        DrawImageListGlyphCaption(C, R, FMargin, FSpacing, FLayout, caption, index, images, Pressed, imageEnabled,
                                  false, clNone);
    else
        DrawBitmapGlyphCaption(C, R, FMargin, FSpacing, FLayout, caption, &FGlyph, FNumGlyphs,
                               GlyphNumFor(FNumGlyphs, enabled, ADown, AActive), Pressed, false, clNone);
}

bool TqlSkinSpeedButton::ChooseImage(bool AActive, bool ADown, const TCustomImageList*& Images, int& Index,
                                     std::string& Caption, bool& Enabled) const {
    if (MenuImage(Images, Index, Caption)) return true;
    if (!FGlyph.Empty()) return false;
    const auto usable = [this](const TCustomImageList* List) {
        return List && FImageIndex >= 0 && FImageIndex < List->Count();
    };
    Index = FImageIndex;
    if (auto* bar = dynamic_cast<const TqlSkinToolBar*>(Parent())) {
        // The disabled list's images are drawn as they are; the others greyed while disabled.
        const bool disabledList = !EffectivelyEnabled() && bar->DisabledImages();
        if (disabledList)
            Images = bar->DisabledImages();
        else if ((AActive || ADown) && bar->HotImages())
            Images = bar->HotImages();
        else
            Images = bar->Images();
        if (usable(Images)) {
            if (disabledList) Enabled = true;
            return true;
        }
    }
    Images = FImageList;
    return usable(Images);
}

void TqlSkinSpeedButton::CreateControlDefaultImage(TBitmap& B) {
    const TRect R = Rect(0, 0, B.Width(), B.Height());
    TCanvas& C = B.Canvas();
    const bool down = ShowsDown();
    if (down)
        DrawPlainFace(C, R, TqlPlainFace::Down);
    else if (FPress.MouseIn)
        DrawPlainFace(C, R, TqlPlainFace::Hot);
    else if (!FFlat)
        DrawPlainFace(C, R, TqlPlainFace::Idle);
    else if (Transparent())
        PaintParentBackground(this, C);
    else
        DrawPlainFace(C, R, TqlPlainFace::Flat);
    // The down look is pressed whether or not the pointer is over it.
    DrawGlyphAndCaption(C, R, down, FPress.MouseIn, down);
}

void TqlSkinSpeedButton::WndProc(TMessage& M) {
    if (M.Msg == CM_DIALOGCHAR && IsAccelerator(M.WParam, Caption()) && EffectivelyEnabled() && Showing()) {
        DoClick();
        M.Result = 1;
        return;
    }
    TqlGraphicSkinCustomControl::WndProc(M);
}

void TqlSkinSpeedButton::CMEnabledChanged(TMessage& M) {
    TqlGraphicSkinCustomControl::CMEnabledChanged(M);
    FPress.EnabledChanged();
}

void TqlSkinSpeedButton::CMMouseEnter(TMessage& M) {
    TqlGraphicSkinCustomControl::CMMouseEnter(M);
    if (EffectivelyEnabled()) FPress.PointerEntered();
}

void TqlSkinSpeedButton::CMMouseLeave(TMessage& M) {
    TqlGraphicSkinCustomControl::CMMouseLeave(M);
    if (EffectivelyEnabled()) FPress.PointerLeft(false);
}

void TqlSkinSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TqlGraphicSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == TMouseButton::mbLeft) FPress.Press();
}

void TqlSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TqlGraphicSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button == TMouseButton::mbLeft) FPress.Release(ClientRect().Contains({X, Y}));
}
