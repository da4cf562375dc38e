#pragma once
// A container that counts the wheel turns that reach it, so a test can tell
// whether a child used a turn or let it go on to its parent.

#include "platform/gui/Controls.h"

class TWheelCatcher : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Wheels = 0;

protected:
    void WndProc(TMessage& M) override {
        if (M.Msg == WM_MOUSEWHEEL) ++Wheels;
        TCustomControl::WndProc(M);
    }
};
