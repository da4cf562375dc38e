#pragma once
// The colours a native field (edit, combo box, list, rich text, table) takes
// so that it does not look foreign in a skinned window: its text area, the
// selection, and the surface its frame and buttons are drawn from. The field's
// own Color and Font stay the program's.

#include "platform/gui/Controls.h"

struct TFieldLook {
    // clNone leaves that part as the field has it.
    TColor Face = clNone;
    TColor Text = clNone;
    TColor Selection = clNone;
    TColor SelectionText = clNone;
    // The surface around the text area: frames, the combo box's button.
    TColor Surface = clNone;
};

void SetFieldLook(TWinControl& field, const TFieldLook& look);
// Back to the platform's colours, under the field's own Color and Font.
void ClearFieldLook(TWinControl& field);
