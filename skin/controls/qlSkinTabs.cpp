#include "skin/controls/qlSkinTabs.h"

TqlSkinTabSheet::TqlSkinTabSheet(TComponent* owner) : TTabSheet(owner) { SetSkinDataName("tab"); }

TqlSkinPageControl::TqlSkinPageControl(TComponent* owner) : TPageControl(owner) { SetSkinDataName("tab"); }
