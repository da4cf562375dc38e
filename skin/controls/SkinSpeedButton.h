#pragma once
// The windowless tool button of skinned tool bars: the push button's faces,
// morph, animation, repeat and groups (the mouse rules of TqlButtonPress)
// without focus or keys, with a flat mode that shows a face only under the
// pointer, and a caption it can hide.

#include "skin/controls/SkinButtonPress.h"

class TqlSkinSpeedButton : public TqlGraphicSkinCustomControl, protected TqlButtonPressHost {
public:
    explicit TqlSkinSpeedButton(TComponent* AOwner);
    ~TqlSkinSpeedButton() override;

    const TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(const TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    // Repaints only on a skinned tool bar, whose image lists it draws from.
    void SetImageIndex(int Value);
    bool UseSkinSize = true;
    bool UseSkinFontColor = true;
    int WidthWithCaption = 0, WidthWithoutCaption = 0;
    bool RepeatMode = false;
    int RepeatInterval = 100;
    bool AllowAllUp = false;
    bool Transparent() const { return (ControlStyle() & csOpaque) == 0; }
    void SetTransparent(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Down() const { return FPress.Down; }
    void SetDown(bool Value);
    int GroupIndex = 0;
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    const TBitmap& Glyph() const { return FGlyph; }
    void SetGlyph(const TBitmap& Value);
    TqlNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    // Kept within 1 to 4.
    void SetNumGlyphs(TqlNumGlyphs Value);
    int Margin() const { return FMargin; }
    // Below -1 (centred) is refused.
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TqlButtonLayout Layout() const { return FLayout; }
    void SetLayout(TqlButtonLayout Value);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CalcSize(int& W, int& H) override;
    bool MouseIn() const { return FPress.MouseIn; }
    double MorphKf() const { return FEffects.MorphKf(); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    virtual void DoClick();
    virtual void DrawButtonState(TBitmap& B, const TRect& R, bool AActive, bool ADown);
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& /*B*/) override {}
    void WndProc(TMessage& M) override;
    void CMEnabledChanged(TMessage& M) override;
    void CMMouseEnter(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    bool MorphTowardsActive() const override { return FPress.MouseIn; }
    bool MorphAllowed() const override { return FIndex != -1 && CanMorph(); }
    void RepaintFace() override { Repaint(); }
    void ButtonClick() override { DoClick(); }
    TqlPressRules PressRules() const override { return {GroupIndex, AllowAllUp, RepeatMode, RepeatInterval}; }
    TqlButtonPress* PeerPress(TControl* Other) override;
    bool CanMorph() const override { return FLook.Morphing && !Transparent() && EffectsEnabled(); }
    bool CanAnimate() const override;
    // Down and shown down: grouped, or with the pointer over it.
    bool ShowsDown() const { return FPress.Down && (GroupIndex != 0 || FPress.MouseIn); }
    // The image and the caption for the state; Pressed moves them as pressed.
    void DrawGlyphAndCaption(TCanvas& C, const TRect& R, bool ADown, bool AActive, bool Pressed);
    // Idle and transparent: what shows over the parent's surface.
    virtual void DrawTransparentIdle(TCanvas& C) {
        DrawGlyphAndCaption(C, Rect(0, 0, Width(), Height()), false, false, false);
    }
    // The image list and index drawn for the state when the glyph is empty:
    // the menu's, the tool bar's by state, or the button's own; Enabled is how
    // the image is drawn. False when none applies.
    bool ChooseImage(bool AActive, bool ADown, const TCustomImageList*& Images, int& Index, std::string& Caption,
                     bool& Enabled) const;
    // An image (and caption) that stands in for the button's own; none here.
    virtual bool MenuImage(const TCustomImageList*& /*Images*/, int& /*Index*/, std::string& /*Caption*/) const {
        return false;
    }

    TqlButtonLook FLook;
    TqlButtonEffects FEffects{*this};
    TqlButtonPress FPress{*this, *this, FEffects, FLook};

private:
    const TCustomImageList* FImageList = nullptr;
    int FImageIndex = -1;
    TBitmap FGlyph;
    TqlNumGlyphs FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 1;
    TqlButtonLayout FLayout = blGlyphLeft;
    bool FFlat = false;
    bool FShowCaption = true;
};
