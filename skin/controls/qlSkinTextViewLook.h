#pragma once
// What the skinned tree and list views share: the descriptor's font and
// colours (or the view's defaults without one), and their attached bars.

#include "platform/gui/Graphics.h"
#include "skin/controls/qlSkinScrollBar.h"

class TqlDataSkinTextView;
class TqlSkinData;

// Gives View the font and background of Look, or DefaultFont and
// DefaultColor when Index is -1; the charset follows the skin's string table.
void ApplyTextViewLook(TControl& View, const TqlSkinData* Skin, int Index, const TqlDataSkinTextView* Look,
                       bool UseSkinFont, const TFont& DefaultFont, TColor DefaultColor);

// Shows or hides Bar with Syncing held, so that the bar's own resize does not
// synchronise the view again; true when its visibility changed.
bool ShowViewBar(TqlSkinScrollBar* Bar, bool Show, bool& Syncing);

// A view's bars lay themselves out again, in the thickness of a new skin.
void RealignViewBars(TqlSkinScrollBar* VBar, TqlSkinScrollBar* HBar);
