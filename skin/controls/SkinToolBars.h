#pragma once
// The skinned tool bar: a strip of controls kept centred across it that, with
// CanScroll, scrolls them sideways with two small buttons in a band at its
// ends when they do not fit.

#include "skin/controls/SkinPanels.h"

// What the tool bar's band answers to WM_NCHITTEST over its scroll buttons.
enum : LRESULT { HTSCROLLLEFT = 119, HTSCROLLRIGHT = 120 };

class TqlSkinToolBar : public TqlSkinPanel {
public:
    explicit TqlSkinToolBar(TComponent* AOwner);
    bool AdjustControls = true;
    bool CanScroll() const { return FCanScroll; }
    void SetCanScroll(bool Value);
    bool HotScroll = false;
    int ScrollOffset() const { return FScrollOffset; }
    void SetScrollOffset(int Value);
    int ScrollTimerInterval() const { return FScrollTimerInterval; }
    void SetScrollTimerInterval(int Value);

    int ScrollPosition() const { return FScrollPos; }
    bool ButtonsShown() const { return FButtonsShown; }
    // Scrolls one step towards the left (Left) or the right.
    void ScrollStep(bool Left);
    // Checks whether the children fit and shows or hides the buttons.
    void UpdateFit();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void WndProc(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;

private:
    static constexpr int kButtonWidth = 12;
    void CentreChildren();
    void ScrollChildren(int DX);
    void PaintButtons(TCanvas& C);
    void StartTimer(int Direction);
    void StopTimer();
    void ClearHot();

    bool FCanScroll = false;
    int FScrollOffset = 0;
    int FScrollTimerInterval = 50;
    int FScrollPos = 0;
    int FContentWidth = 0;  // the children's extent with the scroll position added back
    bool FButtonsShown = false;
    bool FHot[2] = {false, false}, FPressed[2] = {false, false};
    int FTimerDir = 0;  // 0 none, 1 left, 2 right
};
