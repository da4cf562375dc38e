#pragma once
// The skinned push button: five faces from its descriptor (normal, active,
// down, focused, disabled), a blend between normal and active as the mouse
// comes and goes, click repeat while held, default and cancel keys, and
// exclusive groups of buttons that stay down. Beside the mouse rules of
// TqlButtonPress:
//
//   input                                   Down    click
//   Space down / Space up (after its down)  yes/no  one, at the release
//   Enter while Active (focused or lit
//     default), Esc on a Cancel button      -       one

#include "skin/controls/SkinButtonPress.h"

class TqlSkinButton : public TqlSkinCustomControl, private TqlButtonPressHost {
public:
    explicit TqlSkinButton(TComponent* AOwner);
    ~TqlSkinButton() override;
    bool ShowsOwnFocus() const override { return true; }

    const TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(const TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool UseSkinSize = true;
    bool UseSkinFontColor = true;
    bool RepeatMode = false;
    int RepeatInterval = 100;
    bool AllowAllUp = false;
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool Down() const { return FPress.Down; }
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    TBitmap& Glyph() { return FGlyph; }
    void SetGlyph(const TBitmap& Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TqlButtonLayout Layout() const { return FLayout; }
    void SetLayout(TqlButtonLayout Value);
    bool Cancel = false;
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    TModalResult ModalResult = mrNone;

    void Click() override;
    void GetSkinData() override;
    void ChangeSkinData() override;
    void CalcSize(int& W, int& H) override;
    // The dialog's current default button: Enter clicks it.
    bool Active() const { return FActive; }
    bool MouseIn() const { return FPress.MouseIn; }
    double MorphKf() const { return FEffects.MorphKf(); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateWnd() override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    virtual void DrawStateImage(TBitmap& B, const TRect& R, bool AActive, bool ADown);
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& /*B*/) override {}
    void WndProc(TMessage& M) override;
    void WMEraseBkgnd(TMessage& M) override;
    void WMSetFocus(TMessage& M) override;
    void WMKillFocus(TMessage& M) override;
    void WMGetDlgCode(TMessage& M) override;
    void CMDialogKey(TMessage& M) override;
    void CMDialogChar(TMessage& M) override;
    void CMFocusChanged(TMessage& M) override;
    void CMEnabledChanged(TMessage& M) override;
    void CMMouseEnter(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    const TCustomImageList* FImageList = nullptr;
    bool MorphTowardsActive() const override { return FPress.MouseIn || IsFocusedButton(); }
    bool MorphAllowed() const override { return FIndex != -1 && CanMorph(); }
    void RepaintFace() override { Repaint(); }
    void ButtonClick() override { Click(); }
    TqlPressRules PressRules() const override { return {FGroupIndex, AllowAllUp, RepeatMode, RepeatInterval}; }
    TqlButtonPress* PeerPress(TControl* Other) override;
    bool CanMorph() const override { return FLook.Morphing && EffectsEnabled(); }
    bool CanAnimate() const override;
    bool KeepsFocusedFace() const override { return IsFocusedButton(); }

    // Has the focus: the focused face and the focus rectangle go together,
    // and neither shows while the window is inactive.
    bool IsFocusedButton() const;
    // The form's focus is here, its window active or not: a press need not take it.
    bool HoldsFormFocus() const { return FCanFocused && HoldsFocus(*this); }
    bool ShowsDown() const;
    int GetGlyphNum(bool ADown, bool AActive) const;
    void DrawGlyphAndCaption(TCanvas& C, const TRect& R, bool Down, bool Enabled, int GlyphNum);

    TqlButtonLook FLook;
    TqlButtonEffects FEffects{*this};
    TqlButtonPress FPress{*this, *this, FEffects, FLook};
    TBitmap FGlyph;
    int FImageIndex = -1;
    int FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 1;
    TqlButtonLayout FLayout = blGlyphLeft;
    bool FCanFocused = true;
    int FGroupIndex = 0;
    bool FDefault = false;
    bool FActive = false;
    bool FSpacePressed = false;
    TqlClickFocus FClickFocus;
};
