#pragma once
// The skinned basic controls of the main window. Until a skin is attached
// (SkinData), each is drawn with a plain look of its own and already keeps
// the event rules the program relies on.

#include <string>

#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinChecks.h"
#include "skin/controls/SkinGauges.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinPanels.h"
#include "skin/controls/SkinSliders.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinToolBars.h"
#include "skin/controls/SkinTrackBars.h"
#include "skin/controls/qlSkinListView.h"
#include "skin/controls/qlSkinTreeView.h"
#include "skin/core/qlSkinData.h"

// The platform bevel in the two colours of the skin's bevel descriptor, or as
// a single groove across its middle in DividerMode.
class TqlSkinBevel : public TBevel, public TqlSkinLink {
public:
    explicit TqlSkinBevel(TComponent* owner);
    void SetSkinData(TqlSkinData* value) override;
    // Reads the colours of the descriptor again and repaints.
    void GetSkinData();
    bool DividerMode() const { return FDividerMode; }
    void SetDividerMode(bool value);
    // Centred across a skinned tool bar that keeps its controls centred.
    void SetBounds(int left, int top, int width, int height) override;
    TColor LightColor = clBtnHighlight;
    TColor ShadowColor = clBtnShadow;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;

private:
    bool FDividerMode = false;
};
