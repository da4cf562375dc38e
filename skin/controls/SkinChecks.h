#pragma once
// The skinned check box, or with Radio a radio button grouped by GroupIndex
// among its parent's boxes. Flat boxes (the default) draw the skin's check
// image and the caption over the parent's background at any size.
//
//   input (left button released inside)       state before   state after   OnClick
//   click, check box                          unchecked      checked       one
//   click, check box with AllowGrayed         unchecked      grayed        one
//                                             grayed         checked       one
//                                             checked        unchecked     one
//   click, radio box                          unchecked      checked       one (group cleared)
//                                             checked        checked       none
//   Space released while focused (CanFocused) as a click
//   caption's accelerator (box shown and enabled up its parents, whatever
//   CanFocused): takes the focus and toggles as Space does
//   Checked := v, check box                   any            v (grayed stays grayed on false)  one
//   Checked := false, radio box               any            unchecked     none

#include <string>

#include "platform/gui/StdCtrls.h"
#include "skin/controls/SkinButtonEffects.h"

// A box that is not flat fades between its normal and its active picture
// while the pointer is over it or it has the focus, as the buttons do.
class TqlSkinCheckRadioBox : public TqlSkinCustomControl, private TqlButtonHost {
public:
    explicit TqlSkinCheckRadioBox(TComponent* AOwner);
    ~TqlSkinCheckRadioBox() override;
    bool ShowsOwnFocus() const override { return true; }

    bool Checked() const { return FState == TCheckBoxState::cbChecked; }
    void SetChecked(bool Value);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool Radio() const { return FRadio; }
    void SetRadio(bool Value);
    virtual void Toggle();
    int GroupIndex = 0;
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);
    bool UseSkinFontColor = true;
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    const TCustomImageList* Images() const { return FImages; }
    void SetImages(const TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool MouseIn() const { return FMouseIn; }
    // How far the face has turned from the normal picture to the active one.
    double MorphKf() const { return FEffects.MorphKf(); }

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CalcSize(int& W, int& H) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void ParentLookChanged() override;
    void WndProc(TMessage& M) override;
    void WMEraseBkgnd(TMessage& M) override;
    void WMMove(TMessage& M) override;
    void WMSetFocus(TMessage& M) override;
    void WMKillFocus(TMessage& M) override;
    void WMGetDlgCode(TMessage& M) override;
    void CMMouseEnter(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;
    void CMEnabledChanged(TMessage& M) override;
    void CMTextChanged(TMessage& M) override;
    void CMDialogChar(TMessage& M) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool FAllowGrayed = false;
    const TCustomImageList* FImages = nullptr;
    int FImageIndex = 0;
    bool MorphTowardsActive() const override { return FMouseIn || HasFocus(); }
    bool MorphAllowed() const override { return CanMorph(); }
    void RepaintFace() override { Repaint(); }
    void ButtonClick() override {}
    bool CanMorph() const { return FIndex != -1 && !FFlat && FMorphing && EffectsEnabled(); }
    // Heads for the face of the hover and focus state: a fade when the skin
    // morphs, else at once.
    void FollowHover();
    void ClearGroup();
    bool HasFocus() const;
    void FireClick();
    // The check image of the state, hover and enabled state.
    TRect CheckImage(bool Active) const;
    void DrawCheckImage(TCanvas& C, int X, int Y, bool Active) const;
    // The picture of the skin rectangle with the check image drawn on it.
    void BuildFace(TBitmap& B, bool Active) const;
    TColor CaptionColor() const;
    void SelectCaptionFont(TCanvas& C) const;
    void PaintFlat(TCanvas& C);
    // The caption at R: an image of Images first, then the text. Only the flat
    // skinned look (FlatLook) wraps it and frames it while focused; the others
    // show the focus with their frame or their active picture.
    void DrawCaption(TCanvas& C, TRect R, int ImageGap, bool FlatLook) const;

    TCheckBoxState FState = TCheckBoxState::cbUnchecked;
    bool FRadio = false;
    bool FWordWrap = false;
    bool FFlat = true;
    bool FCanFocused = true;
    bool FMouseIn = false;
    TqlClickFocus FClickFocus;
    // The box is taking its action's checked state: the click that fires
    // must not run the action again, which would change the state back.
    bool FFollowingAction = false;

    // Copied from a check-radio descriptor.
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = clBtnText, ActiveFontColor = clBtnText, UnEnabledFontColor = clGrayText;
    TRect ActiveSkinRect, CheckImageArea, TextArea;
    TRect CheckImageRect, UnCheckImageRect, ActiveCheckImageRect, ActiveUnCheckImageRect;
    TRect UnEnabledCheckImageRect, UnEnabledUnCheckImageRect, GrayedCheckImageRect, ActiveGrayedCheckImageRect;
    TRect NewCheckImageArea, NewTextArea, NewCheckImageRect;
    bool FMorphing = false;
    TqlMorphKind FMorphKind = TqlMorphKind::mkDefault;
    TqlButtonEffects FEffects{*this};
};
