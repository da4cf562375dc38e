#pragma once
// Panels, bevels, splitters and images.

#include "platform/gui/Controls.h"
#include "platform/gui/StdCtrls.h"

enum class TBevelCut { bvNone, bvLowered, bvRaised };

// A container with an optional caption and 3-D border.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);
    TBevelCut BevelInner = TBevelCut::bvNone;
    TBevelCut BevelOuter = TBevelCut::bvRaised;
    int BevelWidth = 1;
    int BorderWidth = 0;
    TAlignment Alignment = TAlignment::taCenter;
    TRect ClientRect() const override;

protected:
    void Paint() override;

private:
    // The width of the bevels and the border together.
    int FrameWidth() const;
};

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* owner);
    TBevelShape Shape = TBevelShape::bsBox;
    TBevelStyle Style = TBevelStyle::bsLowered;

protected:
    void Paint() override;
};

// Dragging it resizes the control aligned next to it (on the side it is
// aligned to), keeping that control and the rest of the client area at least
// MinSize; OnMoved follows a drag that changed the size.
class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* owner);
    int MinSize = 30;
    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    TControl* FindControl() const;
    bool Horizontal() const { return Align() == TAlign::alLeft || Align() == TAlign::alRight; }
    TControl* FControl = nullptr;
    TPoint FDownPos;
    int FDownSize = 0;
    int FMaxSize = 0;
};

// A picture drawn by its parent, stretched or centred.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    TBitmap& Picture() { return FPicture; }
    bool Stretch = false;
    bool Center = false;

protected:
    void Paint() override;

private:
    TBitmap FPicture;
};
