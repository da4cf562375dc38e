#pragma once
// The skinned push button: five faces from its descriptor (normal, active,
// down, focused, disabled), a blend between normal and active as the mouse
// comes and goes, click repeat while held, default and cancel keys, and
// exclusive groups of buttons that stay down.
//
//   input                                   Down    click
//   mouse down, ungrouped                   yes     -
//   mouse up over the button                no      one
//   mouse up elsewhere (dragged off)        no      none
//   mouse down, grouped, up                 yes     one, at the press
//   mouse down+up, grouped, down            yes     none (AllowAllUp: up, one)
//   Space down / Space up (after its down)  yes/no  one, at the release
//   Enter while Active (focused or lit
//     default), Esc on a Cancel button      -       one
//   held with RepeatMode                    yes     at 500 ms, then every RepeatInterval,
//                                                   paused while the pointer is off

#include "skin/controls/SkinButtonEffects.h"

class TqlSkinButton : public TqlSkinCustomControl, private TqlButtonHost {
public:
    explicit TqlSkinButton(TComponent* AOwner);
    ~TqlSkinButton() override;
    bool ShowsOwnFocus() const override { return true; }

    const TCustomImageList* ImageList = nullptr;
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool UseSkinSize = true;
    bool UseSkinFontColor = true;
    bool RepeatMode = false;
    int RepeatInterval = 100;
    bool AllowAllUp = false;
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool Down() const { return FDown; }
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
    bool MouseIn() const { return FMouseIn; }
    double MorphKf() const { return FEffects.MorphKf(); }

protected:
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
    bool MorphTowardsActive() const override { return FMouseIn || IsFocusedButton(); }
    bool MorphAllowed() const override { return FIndex != -1 && CanMorph(); }
    void RepaintFace() override { Repaint(); }
    void RepeatClick() override { Click(); }

    bool CanMorph() const { return FLook.Morphing && EffectsEnabled(); }
    bool IsFocusedButton() const;
    bool CanAnimate() const;
    void RedrawOrMorph();
    void Animate(bool Forward);
    bool ShowsDown() const;
    int GetGlyphNum(bool ADown, bool AActive) const;
    void DrawGlyphAndCaption(TCanvas& C, const TRect& R, bool Down, bool Enabled, int GlyphNum);
    void ReleaseGroup();

    TqlButtonLook FLook;
    TqlButtonEffects FEffects{*this};
    TBitmap FGlyph;
    int FImageIndex = -1;
    int FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 1;
    TqlButtonLayout FLayout = blGlyphLeft;
    bool FCanFocused = true;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FDefault = false;
    bool FActive = false;
    bool FMouseIn = false;
    bool FPressed = false;
    bool FSpacePressed = false;
    bool FClicksDisabled = false;
    bool FGroupReleaseArmed = false;
};
