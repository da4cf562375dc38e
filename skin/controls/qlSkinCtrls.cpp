#include "skin/controls/qlSkinCtrls.h"

#include <algorithm>

TqlSkinStdLabel::TqlSkinStdLabel(TComponent* owner) : TLabel(owner) { SetSkinDataName("stdlabel"); }

TqlSkinSplitter::TqlSkinSplitter(TComponent* owner) : TSplitter(owner) { SetSkinDataName("vsplitter"); }
