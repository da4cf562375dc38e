#pragma once
// The hint window of a form: every hint of the application passes through its
// OnShowHint, which may change the text and how long the hint stays.

#include <functional>
#include <string>

#include "platform/gui/Forms.h"
#include "skin/core/qlSkinData.h"

class TqlSkinHint : public TComponent, public TqlSkinDataLink {
public:
    explicit TqlSkinHint(TComponent* owner);
    ~TqlSkinHint() override;
    std::function<void(std::string& hintStr, THintInfo& hintInfo)> OnShowHint;
};
