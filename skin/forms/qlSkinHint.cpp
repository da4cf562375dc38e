#include "skin/forms/qlSkinHint.h"

#include <algorithm>

TqlSkinHint::TqlSkinHint(TComponent* owner) : TComponent(owner) {
    if (!Application) return;
    Application->OnShowHint = [this](std::string& hint, bool& /*canShow*/, THintInfo& info) {
        if (OnShowHint) OnShowHint(hint, info);
        // The hint window breaks its lines at "@".
        std::replace(hint.begin(), hint.end(), '@', '\n');
    };
}

TqlSkinHint::~TqlSkinHint() {
    if (Application) Application->OnShowHint = nullptr;
}
