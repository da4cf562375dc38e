#pragma once
// The skinned popup menu (drawn as the platform's menu until a skin is attached).

#include "platform/gui/Menus.h"
#include "skin/core/qlSkinData.h"

class TqlSkinPopupMenu : public TPopupMenu, public TqlSkinDataLink {
public:
    explicit TqlSkinPopupMenu(TComponent* owner) : TPopupMenu(owner) {}
};
