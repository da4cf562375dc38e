#include "skin/controls/qlSkinCtrls.h"

#include <algorithm>

TqlSkinStdLabel::TqlSkinStdLabel(TComponent* owner) : TLabel(owner) { SetSkinDataName("stdlabel"); }

TqlSkinSplitter::TqlSkinSplitter(TComponent* owner) : TSplitter(owner) { SetSkinDataName("vsplitter"); }

TqlSkinCheckRadioBox::TqlSkinCheckRadioBox(TComponent* owner) : TCheckBox(owner) {
    SetSkinDataName("checkbox");
    SetBounds(Left(), Top(), 150, 25);
}

void TqlSkinCheckRadioBox::SetRadio(bool value) {
    FRadio = value;
    Invalidate();
}

void TqlSkinCheckRadioBox::SetState(TCheckBoxState state) {
    FState = state;
    Invalidate();
    if (OnClick) OnClick(this);
}

void TqlSkinCheckRadioBox::SetChecked(bool value) {
    if (value)
        FState = TCheckBoxState::cbChecked;
    else if (FState == TCheckBoxState::cbChecked)
        FState = TCheckBoxState::cbUnchecked;
    Invalidate();
    if (value && GroupIndex != 0) ClearGroup();
    if (OnClick && (!FRadio || value)) OnClick(this);
}

void TqlSkinCheckRadioBox::Toggle() {
    if (FRadio) {
        if (!Checked()) SetChecked(true);
        return;
    }
    SetChecked(!Checked());
}

void TqlSkinCheckRadioBox::ClearGroup() {
    if (!Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TqlSkinCheckRadioBox*>(Parent()->Controls(i));
        if (other && other != this && other->GroupIndex == GroupIndex && other->Checked()) other->SetChecked(false);
    }
}

void TqlSkinCheckRadioBox::PaintIndicator(TCanvas& canvas, const TRect& box) {
    if (!FRadio) {
        TCheckBox::PaintIndicator(canvas, box);
        return;
    }
    bool enabled = EffectivelyEnabled();
    canvas.Pen().Color = MouseInControl() && enabled ? clNavy : clBtnShadow;
    canvas.Brush().Color = enabled ? clWindow : clBtnFace;
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Ellipse(box);
    if (!Checked()) return;
    int cx = (box.Left + box.Right) / 2, cy = (box.Top + box.Bottom) / 2;
    canvas.Pen().Color = enabled ? clBlack : clBtnShadow;
    canvas.Brush().Color = canvas.Pen().Color;
    canvas.Ellipse(Rect(cx - 3, cy - 3, cx + 3, cy + 3));
}

TqlSkinGauge::TqlSkinGauge(TComponent* owner) : TProgressBar(owner) {
    SetSkinDataName("gauge");
    SetMax(100);
    SetPosition(50);
}

void TqlSkinGauge::SetProgressText(const std::string& text) {
    FText = text;
    UpdateCaption();
}

void TqlSkinGauge::UpdateCaption() {
    std::string caption = ShowProgressText ? FText : std::string();
    TProgressBar::SetProgressText(caption);
}

TqlSkinSlider::TqlSkinSlider(TComponent* owner) : TTrackBar(owner) {
    SetSkinDataName("slider");
    SetMax(100);
}
