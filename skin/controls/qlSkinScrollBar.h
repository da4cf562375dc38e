#pragma once
// The skinned scroll bar: it keeps its own range, position and page, and
// scrolls by its arrow buttons, clicks in the track, the thumb, arrow keys and
// the wheel. Views attach it in place of their native bars and mirror their
// scroll state into it with SetRange, which fires no OnChange.
//
//   input                              repeat mode   steps
//   press on an arrow button           1 / 2         one at once, none at 500 ms, then one every 50 ms;
//                                                    paused while the pointer is off the button
//   press in the track before/after    3 / 4         one page at once, then every 50 ms after 500 ms,
//     the thumb                                      until the thumb reaches the pointer
//   press on the thumb                 drag          Position follows the pointer; OnLastChange on release
//   release                            0

#include "skin/controls/SkinButtonEffects.h"

enum TScrollBarKind { sbHorizontal, sbVertical };

class TqlSkinScrollBar : public TqlSkinCustomControl {
public:
    explicit TqlSkinScrollBar(TComponent* AOwner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    int PageSize() const { return FPageSize; }
    int SmallChange() const { return FSmallChange; }
    int LargeChange() const { return FLargeChange; }
    void SetMin(int Value);
    void SetMax(int Value);
    void SetPosition(int Value);
    void SetPageSize(int Value);
    void SetSmallChange(int Value);
    void SetLargeChange(int Value);
    // Mirrors a view's scroll state without firing OnChange.
    void SetRange(int AMin, int AMax, int APosition, int APageSize);
    bool Both() const { return FBoth; }
    void SetBoth(bool Value);
    int BothMarkerWidth() const { return FBothMarkerWidth; }
    void SetBothMarkerWidth(int Value);
    std::string BothSkinDataName = "bothhscrollbar";
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);

    TNotifyEvent OnChange, OnLastChange, OnUpButtonClick, OnDownButtonClick, OnPageUp, OnPageDown;

    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;

    // Parts in hit-test order.
    enum Part { ptNone = -1, ptThumb = 0, ptIncrement = 1, ptDecrement = 2 };
    // Lays the parts out for the present size, range and skin.
    void Layout();
    TRect PartRect(Part P) const { return FParts[P].R; }
    TRect TrackRect() const { return FTrack; }
    Part HitTest(int X, int Y) const;
    // The position a thumb offset from the track start stands for.
    int PositionFromOffset(int Offset) const;
    int RepeatMode() const { return FRepeatMode; }

protected:
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void WndProc(TMessage& M) override;
    void WMGetDlgCode(TMessage& M) override;
    void WMEraseBkgnd(TMessage& M) override { PaintOnErase(M); }
    void CMMouseLeave(TMessage& M) override;
    void CMEnabledChanged(TMessage& M) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;

private:
    struct PartState {
        TRect R;
        bool MouseIn = false;
        bool Down = false;
    };
    bool HasFocus() const;
    bool Vertical() const { return FKind == sbVertical; }
    int Along(int X, int Y) const { return Vertical() ? Y : X; }
    int ClampPosition(int Value) const;
    // SetPosition(Position + Delta), a step past the ends of int stopping there.
    void MoveBy(int64_t Delta);
    void LayoutThumb(int MinLength, int PagelessLength);
    void StepButton(Part P);
    void PageStep(bool TowardMax);
    void StartRepeat(int Mode);
    void RepeatTick();
    void TestHover(int X, int Y);
    void SetActive(Part P);
    void DrawSkinPart(TBitmap& B, Part P);
    void DrawSkinThumb(TBitmap& B);
    void DrawPlainPart(TCanvas& C, Part P);

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
    int FSmallChange = 1, FLargeChange = 1;
    bool FBoth = false;
    int FBothMarkerWidth = 19;
    std::string FSavedSkinDataName;
    bool FCanFocused = false;

    TqlDataSkinScrollBarControl FLook{""};
    PartState FParts[3];
    TRect FTrack;
    int FTrackStart = 0, FTrackEnd = 0, FThumbOffset = 0;
    Part FActive = ptNone, FPressed = ptNone;
    int FRepeatMode = 0;
    bool FFirstTick = false, FMouseDown = false;
    bool FDragging = false;
    TqlClickFocus FClickFocus;
    int FDragStart = 0, FDragOffset = 0;
    TPoint FLastPoint;
    TqlControlTimer FTimer;
};
