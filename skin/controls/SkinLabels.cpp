#include "skin/controls/SkinLabels.h"

#include "platform/gui/StdPaint.h"
#include "skin/controls/SkinControlBases.h"
#include "skin/core/qlUtils.h"

namespace {

const TqlDataSkinControl* FindDescriptor(const TqlSkinData* Skin, const std::string& Name) {
    if (!Skin || Skin->Empty) return nullptr;
    const int index = Skin->IndexOfControlData(Name);
    return index < 0 ? nullptr : Skin->CtrlList[size_t(index)].get();
}

}  // namespace

// TqlSkinStdLabel

TqlSkinStdLabel::TqlSkinStdLabel(TComponent* AOwner) : TCustomLabel(AOwner) {
    SetSkinDataName("stdlabel");
    Transparent = true;
    LinkSkinData(*this, *this, FormSkinData(AOwner));
}

void TqlSkinStdLabel::SetEllipsType(TqlEllipsType Value) {
    if (Value == FEllipsType) return;
    FEllipsType = Value;
    Invalidate();
}

void TqlSkinStdLabel::SetSkinData(TqlSkinData* Value) {
    LinkSkinData(*this, *this, Value);
    if (Value) ChangeSkinData();
}

void TqlSkinStdLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomLabel::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == SkinData()) SetSkinData(nullptr);
}

void TqlSkinStdLabel::LookUp() {
    const TqlDataSkinControl* d = FindDescriptor(SkinData(), SkinDataName());
    FIndex = d ? SkinData()->IndexOfControlData(SkinDataName()) : -1;
    if (auto* label = dynamic_cast<const TqlDataSkinStdLabelControl*>(d)) {
        FontName = label->FontName;
        FontHeight = label->FontHeight;
        FontStyle = label->FontStyle;
        FontColor = label->FontColor;
    }
}

// The size a new caption takes is measured in the skin's font.
void TqlSkinStdLabel::TextChanged() {
    LookUp();
    TCustomLabel::TextChanged();
}

void TqlSkinStdLabel::ChangeSkinData() {
    LookUp();
    if (AutoSize()) AdjustBounds();
    Invalidate();
}

unsigned TqlSkinStdLabel::OwnFlags(unsigned Flags) const {
    // A measurement asks for the room of the whole text: the ellipsis only shortens what is drawn.
    if (!(Flags & DT_CALCRECT) && FEllipsType == TqlEllipsType::qletEndEllips) Flags |= DT_END_ELLIPSIS;
    if (!(Flags & DT_CALCRECT) && FEllipsType == TqlEllipsType::qletPathEllips) Flags |= DT_PATH_ELLIPSIS;
    return TextFlags(Flags);
}

unsigned TqlSkinStdLabel::DrawFlags() const {
    unsigned flags = DT_EXPANDTABS | (WordWrap ? unsigned(DT_WORDBREAK) : 0u);
    if (Alignment == TAlignment::taCenter) flags |= DT_CENTER;
    if (Alignment == TAlignment::taRightJustify) flags |= DT_RIGHT;
    return OwnFlags(flags);
}

void TqlSkinStdLabel::SelectCaptionFont(TCanvas& C) const {
    const bool skinned = FIndex != -1;
    if (skinned && UseSkinFont) {
        C.Font().Assign(Font());
        C.Font().SetName(FontName);
        C.Font().SetHeight(FontHeight);
        C.Font().SetStyle(FontStyle);
    } else {
        C.Font().Assign(!skinned && UseSkinFont ? FDefaultFont : Font());
    }
    if (skinned) C.Font().SetColor(UseSkinColor ? FontColor : Font().Color());
    const TqlResourceStrData* strings = SkinData() ? SkinData()->ResourceStrData() : nullptr;
    C.Font().SetCharset(strings ? strings->CharSet : FDefaultFont.Charset());
}

// The caption is drawn from a copy: an ellipsis shortens only what is shown.
void TqlSkinStdLabel::DoDrawText(TRect& R, unsigned Flags) {
    LookUp();
    const std::string text = LabelText(Flags);
    Flags = OwnFlags(Flags);
    TCanvas& C = Canvas();
    SelectCaptionFont(C);
    C.Brush().Style = TBrushStyle::bsClear;
    if ((Flags & DT_CALCRECT) || EffectivelyEnabled()) {
        C.DrawText(text, R, Flags);
        return;
    }
    const bool skinned = FIndex != -1;
    TRect lit = Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
    C.Font().SetColor(skinned ? SkinData()->SkinColors.cBtnHighLight : clBtnHighlight);
    C.DrawText(text, lit, Flags);
    C.Font().SetColor(skinned ? SkinData()->SkinColors.cBtnShadow : clBtnShadow);
    C.DrawText(text, R, Flags);
}

// TqlSkinSplitter

TqlSkinSplitter::TqlSkinSplitter(TComponent* AOwner) : TSplitter(AOwner) {
    SetSkinDataName("vsplitter");
    // It paints all of itself: the parent need not paint below it.
    SetControlStyle(ControlStyle() | csOpaque);
    LinkSkinData(*this, *this, FormSkinData(AOwner));
}

void TqlSkinSplitter::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    SetControlStyle(Value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TqlSkinSplitter::SetSkinData(TqlSkinData* Value) {
    LinkSkinData(*this, *this, Value);
    ChangeSkinData();
}

void TqlSkinSplitter::Notification(TComponent* AComponent, TOperation Operation) {
    TSplitter::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == SkinData()) SetSkinData(nullptr);
}

void TqlSkinSplitter::LookUp() {
    const TqlDataSkinControl* d = FindDescriptor(SkinData(), SkinDataName());
    FIndex = d ? SkinData()->IndexOfControlData(SkinDataName()) : -1;
    FPicture = nullptr;
    auto* s = dynamic_cast<const TqlDataSkinSplitterControl*>(d);
    if (!s) return;
    FPicture = SkinPicture(*SkinData(), s->PictureIndex);
    FSkinRect = s->SkinRect;
    FLTPoint = s->LTPoint;
    FRTPoint = s->RTPoint;
    FLBPoint = s->LBPoint;
    FStretch = s->StretchEffect;
    FGripperRect = s->GripperRect;
    FGripperTransparent = s->GripperTransparent;
    FGripperTransparentColor = s->GripperTransparentColor;
}

void TqlSkinSplitter::ChangeSkinData() {
    LookUp();
    const bool own = FIndex == -1 || FTransparent;
    if (AlongWidth())
        SetHeight(own ? DefaultSize : FSkinRect.Bottom - FSkinRect.Top);
    else
        SetWidth(own ? DefaultSize : FSkinRect.Right - FSkinRect.Left);
    Invalidate();
}

void TqlSkinSplitter::Paint() {
    if (FTransparent || Width() < 1 || Height() < 1) return;
    LookUp();
    if (FIndex == -1 || !FPicture || Align() == TAlign::alNone || Align() == TAlign::alClient) {
        TSplitter::Paint();
        return;
    }
    const int W = Width(), H = Height();
    TBitmap B(W, H);
    if (AlongWidth())
        BuildHThreePart(FLTPoint.X, FSkinRect.Right - FSkinRect.Left - FRTPoint.X, B, *FPicture, FSkinRect, W, H,
                        FStretch);
    else
        BuildVThreePart(FLTPoint.Y, FSkinRect.Bottom - FSkinRect.Top - FLBPoint.Y, B, *FPicture, FSkinRect, W, H,
                        FStretch);
    if (!RectIsEmpty(FGripperRect)) {
        TBitmap grip(FGripperRect.Right - FGripperRect.Left, FGripperRect.Bottom - FGripperRect.Top);
        grip.Canvas().CopyRect(Rect(0, 0, grip.Width(), grip.Height()), *FPicture, FGripperRect);
        grip.Transparent = FGripperTransparent;
        grip.TransparentColor = FGripperTransparentColor;
        B.Canvas().Draw((W - grip.Width()) / 2, (H - grip.Height()) / 2, grip);
    }
    Canvas().Draw(0, 0, B);
}
