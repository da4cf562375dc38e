#pragma once
// A control that takes Enter as a dialog key, as a default button does.

#include "platform/gui/Controls.h"

class TEnterTaker : public TWinControl {
public:
    using TWinControl::TWinControl;
    int Taken = 0;

protected:
    void CMDialogKey(TMessage& m) override {
        if (m.WParam != VK_RETURN) return;
        ++Taken;
        m.Result = 1;
    }
};
