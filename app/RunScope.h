#pragma once
// What a workflow turns off while it runs is turned on again on every way
// out, also when it ends early or an exception leaves it.

#include "platform/gui/Controls.h"
#include "platform/gui/Timers.h"

class TRunScope {
public:
    // Disables disabled (when given), starts timer and shows gauge (when given).
    TRunScope(TControl* disabled, TTimer* timer = nullptr, TControl* gauge = nullptr)
        : FDisabled(disabled), FTimer(timer), FGauge(gauge) {
        if (FDisabled) FDisabled->SetEnabled(false);
        if (FTimer) FTimer->SetEnabled(true);
        if (FGauge) FGauge->SetVisible(true);
    }
    TRunScope(const TRunScope&) = delete;
    TRunScope& operator=(const TRunScope&) = delete;
    // Stops the gauge now; the rest still waits for the end of the scope.
    void StopGauge() {
        if (FTimer) FTimer->SetEnabled(false);
        if (FGauge) FGauge->SetVisible(false);
    }
    ~TRunScope() {
        StopGauge();
        if (FDisabled) FDisabled->SetEnabled(true);
    }

private:
    TControl* FDisabled;
    TTimer* FTimer;
    TControl* FGauge;
};
