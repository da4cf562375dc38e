#include "skin/controls/qlSkinTextViewLook.h"

#include "skin/core/qlSkinData.h"

void ApplyTextViewLook(TControl& View, const TqlSkinData* Skin, int Index, const TqlDataSkinTextView* Look,
                       bool UseSkinFont, const TFont& DefaultFont, TColor DefaultColor) {
    if (Index == -1) {
        View.SetColor(DefaultColor);
        View.Font().Assign(DefaultFont);
    } else if (Look) {
        if (UseSkinFont) {
            View.Font().SetName(Look->FontName);
            View.Font().SetStyle(Look->FontStyle);
            View.Font().SetHeight(Look->FontHeight);
        } else {
            View.Font().Assign(DefaultFont);
        }
        View.Font().SetColor(Look->FontColor);
        View.SetColor(Look->BGColor);
    }
    const TqlResourceStrData* strings = Skin ? Skin->ResourceStrData() : nullptr;
    View.Font().SetCharset(strings ? strings->CharSet : DefaultFont.Charset());
}

bool ShowViewBar(TqlSkinScrollBar* Bar, bool Show, bool& Syncing) {
    if (!Bar || Bar->Visible() == Show) return false;
    const bool held = Syncing;
    Syncing = true;
    Bar->SetVisible(Show);
    Syncing = held;
    return true;
}

void RealignViewBars(TqlSkinScrollBar* VBar, TqlSkinScrollBar* HBar) {
    for (TqlSkinScrollBar* bar : {VBar, HBar})
        if (bar) bar->SetAlign(bar->Align());
}
