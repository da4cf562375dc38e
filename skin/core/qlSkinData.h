#pragma once
// The skin data unit: the values a skin INI holds, the descriptors read from
// it, the skin's colours, popup and hint frames, and its caption table.

#include "platform/gui/Controls.h"
#include "skin/core/ControlDescriptors.h"
#include "skin/core/ObjectDescriptors.h"
#include "skin/core/ResourceStrings.h"
#include "skin/core/SkinFrames.h"
#include "skin/core/SkinIniValues.h"

class TqlSkinData;

// What a component that takes its look from a skin data component holds.
// The setter is virtual so that a component can re-skin itself when its skin changes.
class TqlSkinDataLink {
public:
    virtual ~TqlSkinDataLink() = default;
    TqlSkinData* SkinData() const { return FSkinData; }
    virtual void SetSkinData(TqlSkinData* value) { FSkinData = value; }

private:
    TqlSkinData* FSkinData = nullptr;
};

// A skinned control also names the descriptor it looks up.
class TqlSkinLink : public TqlSkinDataLink {
public:
    const std::string& SkinDataName() const { return FSkinDataName; }
    // Stores the name only; the lookup happens when the control next re-skins or paints.
    virtual void SetSkinDataName(const std::string& value) { FSkinDataName = value; }
    std::string HintTitle;

private:
    std::string FSkinDataName;
};

#include "skin/core/SkinDataComponent.h"
#include "skin/core/SkinList.h"
#include "skin/core/StoredSkin.h"
#include "skin/core/ZlibStreams.h"
