#pragma once
// A label whose text stands out of the page or sinks into it: the caption is
// laid over a light and a dark copy of itself, a pixel apart, as light falling
// from the top left would show it.

#include "platform/gui/StdCtrls.h"

enum class TKvLabelStyle { lsNone, lsRaised, lsRecessed };

class TKvLabel : public TLabel {
public:
    explicit TKvLabel(TComponent* owner) : TLabel(owner) {}
    TKvLabelStyle Style() const { return FStyle; }
    void SetStyle(TKvLabelStyle value);
    TColor HighlightColor = clBtnHighlight;
    TColor ShadowColor = clBtnShadow;

protected:
    void Paint() override;

private:
    TKvLabelStyle FStyle = TKvLabelStyle::lsNone;
};
