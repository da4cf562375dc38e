#include "app/PageRows.h"

void SetUpGauge(TqlSkinGauge* gauge, int maxValue) {
    gauge->SetSkinDataName("statusgauge");
    gauge->SetShowProgressText(true);
    gauge->SetShowPercent(true);
    gauge->SetMinValue(0);
    gauge->SetMaxValue(maxValue);
    gauge->SetValue(0);
}

void SetUpGaugeRow(TqlSkinPanel* row) {
    row->SetAlign(TAlign::alTop);
    row->SetBorderStyle(TqlSkinBorderStyle::bvNone);
    row->SetVisible(false);
}

void SetUpStatusRow(TqlSkinStatusBar* bar, TqlSkinEdit* info, TqlSkinCheckRadioBox* showPos) {
    bar->SetAlign(TAlign::alBottom);
    info->SetReadOnly(true);
    info->SetAnchors(akLeft | akTop | akRight);
    showPos->Hint = "Show POS";
    showPos->SetAnchors(akTop | akRight);
    showPos->SetChecked(true);
}
