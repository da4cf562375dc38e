#include "skin/controls/qlSkinCtrls.h"

#include <algorithm>

TqlSkinStdLabel::TqlSkinStdLabel(TComponent* owner) : TLabel(owner) { SetSkinDataName("stdlabel"); }

TqlSkinSplitter::TqlSkinSplitter(TComponent* owner) : TSplitter(owner) { SetSkinDataName("vsplitter"); }

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
