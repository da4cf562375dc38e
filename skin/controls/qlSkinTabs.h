#pragma once
// The skinned page control and its tab sheets.

#include "platform/gui/ComCtrls.h"
#include "skin/controls/qlSkinCtrls.h"

class TqlSkinTabSheet : public TTabSheet, public TqlSkinLink {
public:
    explicit TqlSkinTabSheet(TComponent* owner);
};

class TqlSkinPageControl : public TPageControl, public TqlSkinLink {
public:
    explicit TqlSkinPageControl(TComponent* owner);
};
