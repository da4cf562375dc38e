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
    TRect r = ClientRect();
    if (!Transparent) {
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = Color();
        canvas.FillRect(r);
    }
    canvas.Font().Assign(Font());
    unsigned flags = DT_EXPANDTABS | (WordWrap ? unsigned(DT_WORDBREAK) : 0u);
    if (Alignment == TAlignment::taCenter) flags |= DT_CENTER;
    if (Alignment == TAlignment::taRightJustify) flags |= DT_RIGHT;
    if (Layout != TTextLayout::tlTop) {
        TRect needed = r;
        canvas.DrawText(Caption(), needed, flags | DT_CALCRECT);
        const int spare = r.Height() - needed.Height();
        r.Top += Layout == TTextLayout::tlBottom ? spare : spare / 2;
    }
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
