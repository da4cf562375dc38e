#include "skin/controls/qlSkinTabs.h"

TqlSkinTabSheet::TqlSkinTabSheet(TComponent* owner) : TTabSheet(owner) { SkinDataName = "tab"; }

TqlSkinPageControl::TqlSkinPageControl(TComponent* owner) : TPageControl(owner) { SkinDataName = "tab"; }
