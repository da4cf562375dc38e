#pragma once
// The skinned track bar: a thumb that moves along a track area between
// MinValue and MaxValue (growing upwards when vertical), by dragging, by a
// click on the track with JumpWhenClick, by the arrow keys and by the wheel.

#include "skin/controls/SkinControlBases.h"

namespace track_math {
// How much of the range Value covers, 0..1; 0 for an empty or reversed range.
double Fraction(int Value, int Min, int Max);
// The value whose thumb centre lies Offset from the track's start.
int ValueAt(int Offset, int Length, int Min, int Max);
// The thumb centre's offset from the track's start, rounded half to even.
int OffsetOf(double Fraction, int Length);
}  // namespace track_math

class TqlSkinTrackBar : public TqlSkinCustomControl {
public:
    explicit TqlSkinTrackBar(TComponent* AOwner);
    bool ShowsOwnFocus() const override { return true; }

    int MinValue() const { return FMinValue; }
    void SetMinValue(int Value);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    int Value() const { return FValue; }
    void SetValue(int AValue);
    bool Vertical() const { return FVertical; }
    void SetVertical(bool Value);
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool JumpWhenClick = false;
    bool MouseSupport = true;
    TNotifyEvent OnChange;
    TNotifyEvent OnLastChange;

    // Where the thumb lies, and the range its centre runs through.
    TRect ThumbRect() const;
    TRect TrackArea() const;
    bool Dragging() const { return FDragging; }
    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;

protected:
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void WndProc(TMessage& M) override;
    void WMEraseBkgnd(TMessage& M) override;
    void WMSetFocus(TMessage& M) override;
    void WMKillFocus(TMessage& M) override;
    void CMWantSpecialKey(TMessage& M) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool HasFocus() const;
    TPoint ThumbSize() const;
    // The track's start and end: the first and last place of the thumb centre.
    int TrackStart() const;
    int TrackEnd() const;
    void SetValueFromOffset(int Offset);
    void LastChange();

    int FMinValue = 0, FMaxValue = 100, FValue = 50;
    bool FVertical = false;
    bool FCanFocused = false;
    bool FDragging = false;
    int FPressAt = 0, FPressOffset = 0;
    TqlClickFocus FClickFocus;

    // Copied from a track-bar descriptor.
    TRect FActiveSkinRect, FTrackArea, FNewTrackArea, FButtonRect, FActiveButtonRect;
    bool FButtonTransparent = false;
    TColor FButtonTransparentColor = clNone;
};
