#pragma once
// What the skinned dialogs share: the skin a dialog's form is drawn from and
// the look that skin gives the form and its controls.

#include <string>
#include <string_view>

#include "platform/gui/Forms.h"
#include "skin/core/qlSkinData.h"

// The dialog component's own skin data, else that of the form it stands on;
// null when neither has one.
TqlSkinData* DialogSkinData(TComponent& Dialog);

// A dialog's caption by its key ("MSG_BTN_OK", "FLV_LOOKIN"): from the skin's
// string table when the skin has one, else the built-in caption.
std::string DialogString(const TqlSkinData* Skin, std::string_view Key);

enum class TqlDialogGround { Face, Field };

// Draws Form from Skin once its controls exist: every skinned control takes
// Skin, the form the skin's face or field colour and the native fields their
// field look, and a form-skinning component keeps them so through a skin change.
void SkinDialogForm(TForm& Form, TqlSkinData* Skin, TqlDialogGround Ground = TqlDialogGround::Face);
