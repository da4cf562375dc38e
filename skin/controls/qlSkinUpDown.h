#pragma once
// The up-down arrows the skinned page control scrolls its tab row with, and
// the main window's number boxes step with. Drawn from an up-down descriptor
// ("hupdown" unless named otherwise): its down button on the left half, its
// up button on the right, each in its normal, hover or pressed face; without
// that descriptor, in a plain look of its own.
//
//   input                         Position            face of that half
//   pointer over a half           -                   hover
//   press on the left/right half  -Increment / +Increment (outside Min..Max: none)
//                                                     pressed while held over it
//   release, pointer leaves       -                   normal

#include "skin/controls/SkinControlBases.h"

// The arrows of a number: Position between Min and Max in steps of Increment.
// A skinned control like the others, so a live skin change reaches it.
class TqlSkinUpDown : public TqlSkinCustomControl {
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
    // Each half stretches its faces, so any size suits: the one asked for stays.
    void CalcSize(int& /*W*/, int& /*H*/) override {}
    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CMMouseLeave(TMessage& m) override;

private:
    // 0 the left (down) half, 1 the right (up) half, -1 outside.
    int HalfAt(int x, int y) const;
    TRect HalfRect(int half) const;
    void SetHot(int half);
    void PaintPlain(TCanvas& c, int half);

    int FMin = 0, FMax = 100, FIncrement = 1, FPosition = 0;
    int FHot = -1;
    bool FPressed = false;
};
