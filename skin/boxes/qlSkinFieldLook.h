#pragma once
// The native edits, combo boxes, lists, rich-text panes and tables of a
// skinned window drawn in the skin's colours and, where the skin names one,
// its field font; without a skin, in the platform's own.

#include "platform/gui/Controls.h"
#include "skin/core/qlSkinData.h"

void ApplySkinFieldLooks(TWinControl* Root, const TqlSkinData* Skin);
