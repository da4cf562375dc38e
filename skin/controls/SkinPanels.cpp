#include "skin/controls/SkinPanels.h"

#include <algorithm>

TqlSkinPanel::TqlSkinPanel(TComponent* AOwner) : TqlSkinCustomControl(AOwner) {
    FramePaintMode = true;
    SetSkinDataName("panel");
    SetBounds(Left(), Top(), 150, 150);
}

void TqlSkinPanel::SetTransparentMode(bool Value) {
    if (Value == FTransparentMode) return;
    FTransparentMode = Value;
    Invalidate();
    BroadcastParentLookChanged();
}

void TqlSkinPanel::SetCaptionMode(bool Value) {
    FCaptionMode = Value;
    Invalidate();
    Realign();
}

void TqlSkinPanel::SetCheckedMode(bool Value) {
    FCheckedMode = Value;
    Invalidate();
}

void TqlSkinPanel::SetChecked(bool Value) {
    FChecked = Value;
    if (FCheckedMode) Invalidate();
    if (AutoEnabledControls && FCheckedMode)
        for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(Value);
    if (OnChecked) OnChecked(this);
}

void TqlSkinPanel::SetImagePosition(TqlImagePosition Value) {
    if (Value == FImagePosition) return;
    FImagePosition = Value;
    Invalidate();
}

void TqlSkinPanel::SetCaptionImageList(const TCustomImageList* Value) {
    FCaptionImageList = Value;
    WatchImageList(*this, Value);
    Invalidate();
}

void TqlSkinPanel::SetDefaultAlignment(TAlignment Value) {
    FDefaultAlignment = Value;
    if (FIndex == -1 && FCaptionMode) Invalidate();
}

void TqlSkinPanel::Notification(TComponent* AComponent, TOperation Operation) {
    TqlSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FCaptionImageList) {
        FCaptionImageList = nullptr;
        Invalidate();
    }
}

void TqlSkinPanel::SetCaptionImageIndex(int Value) {
    FCaptionImageIndex = Value;
    Invalidate();
}

void TqlSkinPanel::SetGlyph(const TBitmap& Value) {
    FGlyph = Value;
    Invalidate();
}

void TqlSkinPanel::SetNumGlyphs(int Value) {
    FNumGlyphs = std::clamp(Value, 1, 2);
    Invalidate();
}

void TqlSkinPanel::SetSpacing(int Value) {
    FSpacing = Value;
    Invalidate();
}

void TqlSkinPanel::SetRollUpMode(bool Value) {
    FRollUpMode = Value;
    if (FIndex == -1 && FCaptionMode) Invalidate();
}

void TqlSkinPanel::SetBorderStyle(TqlSkinBorderStyle Value) {
    FBorderStyle = Value;
    if (FIndex == -1) {
        Invalidate();
        Realign();
    }
}

void TqlSkinPanel::SetDefaultCaptionHeight(int Value) {
    FDefaultCaptionHeight = Value;
    if (FIndex == -1 && FCaptionMode) {
        Invalidate();
        Realign();
    }
}

// Rolling up keeps the user's constraints aside once and gives them back on
// the way down, so a second roll-up cannot overwrite them with the cleared ones.
void TqlSkinPanel::SetRollUpState(bool Value) {
    if (Value == FRollUpState) return;
    if (!FRollUpMode) {
        if (FConstraintsSaved) SetConstraints(FSavedConstraints);
        FConstraintsSaved = false;
        FRollUpState = false;
        return;
    }
    if (Value && !FConstraintsSaved) {
        FSavedConstraints = Constraints();
        FConstraintsSaved = true;
        SetConstraints(TSizeConstraints{});
    }
    FRollUpState = Value;
    ApplyRollUp();
    if (!Value && FConstraintsSaved) {
        SetConstraints(FSavedConstraints);
        FConstraintsSaved = false;
    }
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TqlSkinPanel::ApplyRollUp() {
    if (FRollUpState) {
        if (FRealHeight != -1) return;
        FRealHeight = Height();
        DisableAlign();
        for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(false);
        SetHeight(RolledHeight());
        return;
    }
    if (FRealHeight == -1) return;
    SetHeight(FRealHeight);
    FRealHeight = -1;
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(true);
    EnableAlign();
}

void TqlSkinPanel::GetSkinData() {
    TqlSkinCustomControl::GetSkinData();
    BGPictureIndex = -1;
    if (FIndex == -1) return;
    auto* d = dynamic_cast<const TqlDataSkinPanelControl*>(Descriptor());
    if (!d) return;
    CaptionRect = d->CaptionRect;
    FontName = d->FontName;
    FontHeight = d->FontHeight;
    FontStyle = d->FontStyle;
    FontColor = d->FontColor;
    BGPictureIndex = d->BGPictureIndex;
    CheckImageRect = d->CheckImageRect;
    UnCheckImageRect = d->UnCheckImageRect;
    CaptionAlignment = d->Alignment;
    MarkFrameRect = d->MarkFrameRect;
    FrameRect = d->FrameRect;
    FrameTextRect = d->FrameTextRect;
    FrameLeftOffset = d->FrameLeftOffset;
    FrameRightOffset = d->FrameRightOffset;
}

// A skin change while rolled up measures the caption against the height the
// panel had before the roll-up, not against the rolled-up one.
void TqlSkinPanel::ChangeSkinData() {
    if (FRollUpState && FRealHeight != -1) {
        SetHeight(FRealHeight);
        TqlSkinCustomControl::ChangeSkinData();
        SetHeight(RolledHeight());
        return;
    }
    TqlSkinCustomControl::ChangeSkinData();
    Realign();
}

// Only the caption and the skin's frame remain when rolled up.
int TqlSkinPanel::RolledHeight() const {
    if (FIndex == -1) return FDefaultCaptionHeight + 1;
    const TRect cl = MappedClientRect();
    return Height() - (cl.Bottom - cl.Top);
}

void TqlSkinPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TqlSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FIndex == -1) Invalidate();
}

TRect TqlSkinPanel::MappedClientRect() const { return MapRectToSize(ClRect); }

void TqlSkinPanel::CreateParams(TCreateParams& Params) {
    TqlSkinCustomControl::CreateParams(Params);
    // A resize repaints only what it uncovers, not the whole panel.
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TqlSkinPanel::AdjustClientRect(TRect& R) { R = PanelClientRect(); }

TRect TqlSkinPanel::PanelClientRect() const {
    TRect R = Rect(0, 0, Width(), Height());
    if (FIndex != -1) {
        const bool wholeArea =
            BGPictureIndex != -1 || (FBorderStyle == TqlSkinBorderStyle::bvNone && !FCaptionMode && ResizeMode == 1);
        if (!wholeArea) R = MappedClientRect();
    } else {
        if (FBorderStyle != TqlSkinBorderStyle::bvNone) R = Rect(1, 1, Width() - 1, Height() - 1);
        if (FCaptionMode) R.Top += FDefaultCaptionHeight;
    }
    return R;
}

TRect TqlSkinPanel::CaptionHotRect() const {
    if (FIndex == -1) return Rect(1, 1, Width() - 1, FDefaultCaptionHeight);
    if (FTransparentMode) return Rect(0, 0, Width(), FTextHeight);
    if (ResizeMode <= 0) return CaptionRect;
    return MapRectToSize(CaptionRect);
}

TColor TqlSkinPanel::FrameLineColor() const {
    if (!Picture) return SkinData()->SkinColors.cBtnShadow;
    return Picture->Pixel((SkinRect.Left + SkinRect.Right) / 2, SkinRect.Bottom - 1);
}

bool TqlSkinPanel::ShowsClientPieceOnly() const {
    return FIndex != -1 && FBorderStyle == TqlSkinBorderStyle::bvNone && ResizeMode == 1 && !FCaptionMode && Picture;
}

void TqlSkinPanel::Paint() {
    if (Width() < 1 || Height() < 1) return;
    GetSkinData();
    if (FIndex != -1 && FTransparentMode) {
        TBitmap B = PaintBuffer(Width(), Height());
        TCanvas& C = B.Canvas();
        PaintParentBackground(this, C);
        if (FCaptionMode) {
            PaintTransparentCaption(C);
        } else if (FBorderStyle != TqlSkinBorderStyle::bvNone) {
            C.Brush().Style = TBrushStyle::bsClear;
            C.Pen().Color = FrameLineColor();
            C.Rectangle(0, 0, Width(), Height());
        }
        PaintHook(C);
        Canvas().Draw(0, 0, B);
        return;
    }
    if (FIndex == -1 || (!FramePaintMode && StretchEffect)) {
        TqlSkinCustomControl::Paint();
        return;
    }
    const TRect all = Rect(0, 0, Width(), Height());
    if (FramePaintMode && ShowsClientPieceOnly()) {
        FillWithPiece(Canvas(), ClientPiece(), all, StretchEffect, StretchType);
        return;
    }
    if (const TBitmap* bg = SkinPicture(*SkinData(), BGPictureIndex)) {
        FillWithPiece(Canvas(), *bg, all, StretchEffect, StretchType);
        return;
    }
    TqlSkinCustomControl::Paint();
}

void TqlSkinPanel::CreateControlSkinImage(TBitmap& B) {
    if (ShowsClientPieceOnly() && !StretchEffect) {
        FillWithPiece(B.Canvas(), ClientPiece(), Rect(0, 0, B.Width(), B.Height()), false, stFull);
        return;
    }
    TqlSkinCustomControl::CreateControlSkinImage(B);
    PaintSkinCaption(B.Canvas());
}

void TqlSkinPanel::RedrawChildren() {
    if (!FTransparentMode) return;
    Invalidate();
    BroadcastParentLookChanged();
}

void TqlSkinPanel::ParentLookChanged() { RedrawChildren(); }

void TqlSkinPanel::WMMove(TMessage& M) {
    TqlSkinCustomControl::WMMove(M);
    RedrawChildren();
}

void TqlSkinPanel::CMEnabledChanged(TMessage& M) {
    TqlSkinCustomControl::CMEnabledChanged(M);
    Invalidate();
}

void TqlSkinPanel::CMTextChanged(TMessage& M) {
    TqlSkinCustomControl::CMTextChanged(M);
    if (FCaptionMode) Invalidate();
}

void TqlSkinPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if ((FRollUpMode || FCheckedMode) && FCaptionMode && Button == TMouseButton::mbLeft) {
        GetSkinData();
        const TRect r = CaptionHotRect();
        if (X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom) {
            if (FCheckedMode) SetChecked(!FChecked);
            if (FRollUpMode) SetRollUpState(!FRollUpState);
        }
    }
    TqlSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

// TqlSkinGroupBox

TqlSkinGroupBox::TqlSkinGroupBox(TComponent* AOwner) : TqlSkinPanel(AOwner) {
    SetSkinDataName("groupbox");
    SetCaptionMode(true);
}
