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

    // Passed on to every child speed button: the image list it draws from,
    // its flat look and, with AutoShowHideCaptions, whether it shows its caption.
    const TCustomImageList* Images() const { return FImages; }
    void SetImages(const TCustomImageList* Value);
    // The speed buttons draw from these under the pointer and while disabled,
    // also buttons put on the bar after the lists were set.
    const TCustomImageList* HotImages() const { return FHotImages; }
    void SetHotImages(const TCustomImageList* Value);
    const TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(const TCustomImageList* Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool Value);
    bool AutoShowHideCaptions = false;
    // With both set, the bar takes the width of the captions shown or hidden.
    int WidthWithCaptions = 0, WidthWithoutCaptions = 0;

    int ScrollPosition() const { return FScrollPos; }
    bool ButtonsShown() const { return FButtonsShown; }
    // Scrolls one step towards the left (Left) or the right.
    void ScrollStep(bool Left);
    // Checks whether the children fit and shows or hides the buttons.
    void UpdateFit();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void GetSkinData() override;
    // The bar's skin goes to its speed buttons and skinned bevels too.
    void SetSkinData(TqlSkinData* Value) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // With the scroll buttons shown, the children lie along the whole scrolled extent.
    void AdjustClientRect(TRect& R) override;
    // A three-part skin spans the whole bar, scroll buttons included.
    void CreateControlSkinImage(TBitmap& B) override;
    void WndProc(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;

private:
    static constexpr int kButtonWidth = 12;
    void CentreChildren();
    void ScrollChildren(int DX);
    void PaintButtons(TCanvas& C);
    // A scroll button in the skin's "resizebutton" look: down, active or normal.
    bool PaintSkinButton(TCanvas& C, const TRect& R, bool Down, bool Hot) const;
    template <class F>
    void ForEachSpeedButton(F Apply);
    void RepaintButtons();
    void StartTimer(int Direction);
    void StopTimer();
    void ClearHot();

    bool FCanScroll = false;
    int FScrollOffset = 0;
    int FScrollTimerInterval = 50;
    int FScrollPos = 0;
    int FContentWidth = 0;  // the children's extent with the scroll position added back
    int FFitClientWidth = 0;  // the client width at the last fit that kept the buttons
    bool FButtonsShown = false;
    bool FHot[2] = {false, false}, FPressed[2] = {false, false};
    int FTimerDir = 0;  // 0 none, 1 left, 2 right
    const TCustomImageList* FImages = nullptr;
    const TCustomImageList* FHotImages = nullptr;
    const TCustomImageList* FDisabledImages = nullptr;
    bool FFlat = false;
    bool FShowCaptions = false;
    const TqlDataSkinButtonControl* FButtonLook = nullptr;
};
