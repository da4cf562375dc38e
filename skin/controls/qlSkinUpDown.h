#pragma once
// The up-down arrows the skinned page control scrolls its tab row with, and
// the main window's number boxes step with.

#include "platform/gui/Controls.h"
#include "skin/core/qlSkinData.h"

// The arrows of a number: Position between Min and Max in steps of Increment.
class TqlSkinUpDown : public TCustomControl, public TqlSkinLink {
public:
    explicit TqlSkinUpDown(TComponent* owner);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    int Increment() const { return FIncrement; }
    // Ignores values outside Min..Max; fires OnChange on every accepted value.
    void SetPosition(int value);
    void SetMin(int value);
    void SetMax(int value);
    void SetIncrement(int value) { FIncrement = value; }
    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    int FMin = 0, FMax = 100, FIncrement = 1, FPosition = 0;
};
