#pragma once
// The skinned slider: a thumb on a ruler between MinValue and MaxValue in
// steps of Increment, horizontal or vertical (maximum at the top), with tick
// points. Keys and clicks on the ruler step; a held click repeats until the
// thumb passes the pointer; the thumb can be dragged.

#include <functional>
#include <string>

#include "skin/controls/SkinControlBases.h"

enum class TqlSliderOrientation { soHorizontal, soVertical };
enum TqlSliderOption : unsigned {
    soShowFocus = 1, soShowPoints = 2, soSmooth = 4, soRulerOpaque = 8, soThumbOpaque = 16,
};
using TqlSliderOptions = unsigned;
// The slider's own pictures, used unskinned or without the skin's thumb.
// Cells of a thumb picture: normal alone, or normal and pressed side by side.
using TqlNumThumbStates = int;
enum TqlSliderImage { siHThumb = 0, siHRuler = 1, siVThumb = 2, siVRuler = 3 };
// Shift, pointer position (on the screen, as the message carries it) and
// Handled of a wheel event.
using TMouseWheelUpDownEvent = std::function<void(TObject*, TShiftState, TPoint, bool&)>;

// The built-in picture of the slider: a thumb strip of a normal and a
// pressed cell, or a ruler; the top-left pixel is the transparent colour.
TBitmap DefaultSliderImage(TqlSliderImage Which);

// The slider's arithmetic, apart from any window.
namespace slider_math {
// Offset of Value from the ruler's start; 0 when the range or the track is empty.
int PositionOf(int Value, int Min, int Max, int TrackLength);
// The value at Offset, snapped to a multiple of Increment unless Smooth, within the range.
int ValueAt(int Offset, int Min, int Max, int TrackLength, int Increment, bool Smooth);
enum Step { ToMin = 1, ToMax = 2, Up = 3, Down = 4 };
// The value one step away: up and down go one Increment from the multiple
// of Increment nearest Value (halves to the even multiple), within the range.
int Stepped(int Value, int Min, int Max, int Increment, Step S);
}  // namespace slider_math

class TqlSkinCustomSlider : public TqlSkinControl {
public:
    explicit TqlSkinCustomSlider(TComponent* AOwner);
    bool ShowsOwnFocus() const override { return true; }

    int MinValue() const { return FMinValue; }
    void SetMinValue(int Value) { SetRange(Value, FMaxValue); }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value) { SetRange(FMinValue, Value); }
    int Value() const { return FValue; }
    void SetValue(int AValue);
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value);
    TqlSliderOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TqlSliderOrientation Value);
    TqlSliderOptions Options() const { return FOptions; }
    void SetOptions(TqlSliderOptions Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool UseSkinThumb = true;
    int EdgeSize() const { return FEdgeSize; }
    // Taken only when the ruler picture is longer than two edges.
    void SetEdgeSize(int Value);
    TqlNumThumbStates NumThumbStates() const { return FNumThumbStates; }
    void SetNumThumbStates(TqlNumThumbStates Value);
    const TBitmap& Image(TqlSliderImage Which) const { return FImages[Which]; }
    // A copy of Value; null brings back the built-in picture and drops the
    // opaque option of its kind.
    void SetImage(TqlSliderImage Which, const TBitmap* Value);
    // Whether the picture was given by the user rather than built in.
    bool UserImage(TqlSliderImage Which) const { return FUserImages & (1u << Which); }
    const TBitmap& ImageHThumb() const { return Image(siHThumb); }
    void SetImageHThumb(const TBitmap* Value) { SetImage(siHThumb, Value); }
    const TBitmap& ImageHRuler() const { return Image(siHRuler); }
    void SetImageHRuler(const TBitmap* Value) { SetImage(siHRuler, Value); }
    const TBitmap& ImageVThumb() const { return Image(siVThumb); }
    void SetImageVThumb(const TBitmap* Value) { SetImage(siVThumb, Value); }
    const TBitmap& ImageVRuler() const { return Image(siVRuler); }
    void SetImageVRuler(const TBitmap* Value) { SetImage(siVRuler, Value); }
    TNotifyEvent OnChange;
    TNotifyEvent OnChanged;
    TNotifyEvent OnDrawPoints;
    TMouseWheelUpDownEvent OnMouseWheelDown, OnMouseWheelUp;

    virtual bool CanModify() const { return true; }
    virtual int GetValue() const { return FValue; }
    // The thumb's rectangle at the current value.
    TRect ThumbRect() const;
    // Where the ruler picture lies.
    TRect RulerRect() const;
    bool Dragging() const { return FDragging; }
    void GetSkinData() override;
    void ChangeSkinData() override;

protected:
    // The area the slider's frame of reference covers; the focus rectangle
    // lies 2 pixels inside it.
    virtual TRect GetRulerRect() const { return Rect(0, 0, Width(), Height()); }
    // Builds the ruler picture for the present size, skin and pictures.
    virtual void AdjustElements();
    virtual void RangeChanged() {}
    // A press on the thumb, the pointer moving while it drags, and its release.
    virtual void ThumbMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ThumbMouseMove(TShiftState Shift, int X, int Y);
    virtual void ThumbMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void DrawPoints(TCanvas& C, int Increment, int LongLength, int ShortLength);
    void Paint() override;
    void WndProc(TMessage& M) override;
    void WMGetDlgCode(TMessage& M) override;
    void WMTimer(TMessage& M) override;
    void WMMove(TMessage& M) override;
    void WMSize(TMessage& M) override;
    void CMEnabledChanged(TMessage& M) override;
    void CMFocusChanged(TMessage& M) override;
    void ParentLookChanged() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void SetRange(int AMin, int AMax);
    bool Vertical() const { return FOrientation == TqlSliderOrientation::soVertical; }
    bool Skinned() const;
    // The pictures in use: the skin's, or the slider's own.
    const TBitmap& ThumbPicture() const;
    const TBitmap& RulerPicture() const;
    int RulerEdge() const { return Skinned() ? FSkinEdgeSize : FEdgeSize; }
    // Fires the wheel event of the turn's direction; whether it handled the turn.
    bool MouseWheel(const TMessage& M);
    // The thumb's length along the ruler and its thickness across it.
    int ThumbLength() const;
    int ThumbThickness() const;
    int RulerThickness() const;
    int RulerLength() const { return (Vertical() ? Height() : Width()) - 12; }
    int TrackLength() const { return RulerLength() - ThumbLength(); }
    // The thumb's cell: 0 normal, 1 pressed or disabled (the normal one of a
    // one-cell picture).
    TRect ThumbCell(int Cell) const;
    TRect RulerSource() const;
    // Whether (X, Y) lies before the thumb: left of it, or below it when vertical.
    bool BeforeThumb(int X, int Y) const;
    void BuildRuler();
    void ApplyStep(slider_math::Step S);
    void MoveThumbTo(int Coordinate);
    void Change();
    void Changed();

    int FMinValue = 0, FMaxValue = 100, FValue = 0, FIncrement = 10;
    TqlSliderOrientation FOrientation = TqlSliderOrientation::soHorizontal;
    TqlSliderOptions FOptions = soShowFocus | soShowPoints | soSmooth;
    bool FTransparent = false;
    int FEdgeSize = 2;
    int FNumThumbStates = 2;
    TBitmap FImages[4];
    unsigned FUserImages = 0;
    bool FFocused = false;
    TBitmap FRuler;  // built by AdjustElements at RulerRect's size
    const TBitmap* FRulerSource = nullptr;  // the picture it was built from
    bool FDragging = false;
    int FPressOffset = 0;
    bool FRepeating = false;
    slider_math::Step FRepeatStep = slider_math::Up;
    TPoint FLastMouse{};

    // Copied from a slider object.
    const TBitmap* FPicture = nullptr;
    TRect FHRulerRect, FHThumbRect, FVRulerRect, FVThumbRect;
    int FSkinEdgeSize = 0;
    TColor FBGColor = clBtnFace, FPointsColor = clWindowFrame;
};

class TqlSkinSlider : public TqlSkinCustomSlider {
public:
    using TqlSkinCustomSlider::TqlSkinCustomSlider;
};
