#include "labels/KvLabel.h"

void TKvLabel::SetStyle(TKvLabelStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    Invalidate();
}

void TKvLabel::Paint() {
    // A greyed caption keeps the plain label's own embossing.
    if (FStyle == TKvLabelStyle::lsNone || !EffectivelyEnabled()) return TLabel::Paint();
    TCanvas& canvas = Canvas();
    TRect r;
    const unsigned flags = PrepareCaption(canvas, r);
    // Raised text is lit on its top left and casts its shadow down and right; recessed text the other way round.
    const bool raised = FStyle == TKvLabelStyle::lsRaised;
    const struct {
        int shift;
        TColor color;
    } copies[] = {{-1, raised ? HighlightColor : ShadowColor}, {1, raised ? ShadowColor : HighlightColor}};
    canvas.Brush().Style = TBrushStyle::bsClear;
    for (const auto& copy : copies) {
        TRect shifted = Rect(r.Left + copy.shift, r.Top + copy.shift, r.Right + copy.shift, r.Bottom + copy.shift);
        canvas.Font().SetColor(copy.color);
        canvas.DrawText(Caption(), shifted, flags);
    }
    canvas.Font().SetColor(Font().Color());
    canvas.DrawText(Caption(), r, flags);
}
