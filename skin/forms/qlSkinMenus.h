#pragma once
// The skinned popup menu (drawn as the platform's menu until a skin is attached).

#include "platform/gui/Menus.h"

class TqlSkinData;

class TqlSkinPopupMenu : public TPopupMenu {
public:
    explicit TqlSkinPopupMenu(TComponent* owner) : TPopupMenu(owner) {}
    TqlSkinData* SkinData = nullptr;
};
