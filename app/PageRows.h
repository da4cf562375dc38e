#pragma once
// The progress and status rows that the Settings, Query, Count and Collocate
// pages repeat, set up in one place; where they stand stays with each page.

#include "skin/boxes/qlSkinBoxCtrls.h"
#include "skin/controls/qlSkinCtrls.h"

// The skin's status gauge, empty, counting from 0 to maxValue.
void SetUpGauge(TqlSkinGauge* gauge, int maxValue);
// A row that holds a gauge while a run goes: on top of its page, without a bevel, hidden.
void SetUpGaugeRow(TqlSkinPanel* row);
// The status row of a concordance page: its read-only info line, as wide as
// the row allows, and the "Show POS" check, checked, at the row's right end.
void SetUpStatusRow(TqlSkinStatusBar* bar, TqlSkinEdit* info, TqlSkinCheckRadioBox* showPos);
