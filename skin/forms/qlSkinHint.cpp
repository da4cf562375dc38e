#include "skin/forms/qlSkinHint.h"

TqlSkinHint::TqlSkinHint(TComponent* owner) : TComponent(owner) {
    if (!Application) return;
    Application->OnShowHint = [this](std::string& hint, bool& /*canShow*/, THintInfo& info) {
        if (OnShowHint) OnShowHint(hint, info);
    };
}

TqlSkinHint::~TqlSkinHint() {
    if (Application) Application->OnShowHint = nullptr;
}
