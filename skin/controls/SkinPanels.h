#pragma once
// The skinned containers: the panel with its optional caption bar, check box
// and roll-up button, and the group box and status bar built on it. The main
// window's panels are transparent: they show what lies behind them and tell
// their children when that changes.

#include <string>

#include "skin/controls/SkinControlBases.h"

enum class TqlSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };
enum class TqlImagePosition { qlipDefault, qlipLeft };

// Where a caption's image and text start inside Area. qlipDefault places the
// two as one block by Alignment; qlipLeft puts the image at the left and
// aligns the text alone, never over the image. ImageWidth 0: no image.
struct TqlCaptionPlace {
    int ImageX, TextX;
};
TqlCaptionPlace PlaceCaption(const TRect& Area, TAlignment Alignment, int TextWidth, int ImageWidth, int Spacing,
                             TqlImagePosition Position);

// Selects a descriptor's font (or DefaultFont) into C, in the character set
// of the skin's string table when it has one.
void SelectSkinFont(TCanvas& C, const std::string& Name, int Height, TFontStyles Style, bool UseSkin,
                    const TFont& DefaultFont, const TqlSkinData* Skin);

class TqlSkinPanel : public TqlSkinCustomControl {
public:
    explicit TqlSkinPanel(TComponent* AOwner);

    bool TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(bool Value);
    bool CaptionMode() const { return FCaptionMode; }
    void SetCaptionMode(bool Value);
    bool CheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool AutoEnabledControls = true;
    bool RollUpMode() const { return FRollUpMode; }
    void SetRollUpMode(bool Value);
    bool RollUpState() const { return FRollUpState; }
    void SetRollUpState(bool Value);
    int RealHeight() const { return FRealHeight; }
    TqlSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TqlSkinBorderStyle Value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int Value);
    // Where the caption's text sits unskinned.
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    TqlImagePosition ImagePosition() const { return FImagePosition; }
    void SetImagePosition(TqlImagePosition Value);
    const TCustomImageList* CaptionImageList() const { return FCaptionImageList; }
    void SetCaptionImageList(const TCustomImageList* Value);
    int CaptionImageIndex() const { return FCaptionImageIndex; }
    void SetCaptionImageIndex(int Value);
    // A strip of NumGlyphs cells; the second is shown while disabled.
    const TBitmap& Glyph() const { return FGlyph; }
    void SetGlyph(const TBitmap& Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TNotifyEvent OnChecked;
    TNotifyEvent OnChangeRollUpState;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    // Draws what a descendant adds over the panel's transparent image.
    virtual void PaintHook(TCanvas& /*C*/) {}
    void CreateParams(TCreateParams& Params) override;
    void AdjustClientRect(TRect& R) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The children's area: the whole panel with a background picture or a
    // borderless nine-part skin, else the skin's mapped client rectangle;
    // unskinned, inside the border and below the caption.
    TRect PanelClientRect() const;
    void ParentLookChanged() override;
    void WMMove(TMessage& M) override;
    void CMEnabledChanged(TMessage& M) override;
    void CMTextChanged(TMessage& M) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The caption bar, where a click toggles the check box and the roll-up.
    TRect CaptionHotRect() const;
    TRect MappedClientRect() const;
    // The colour of the skin's frame line: the picture's pixel at the middle
    // of the skin rectangle's bottom row.
    TColor FrameLineColor() const;

    TRect CaptionRect, CheckImageRect, UnCheckImageRect;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = clBtnText;
    int BGPictureIndex = -1;
    TAlignment CaptionAlignment = TAlignment::taCenter;
    TRect MarkFrameRect, FrameRect, FrameTextRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;

private:
    void PaintTransparentCaption(TCanvas& C);
    void PaintSkinCaption(TCanvas& C);
    // Width of the glyph's cell or of the list's image; 0 without either.
    int CaptionImageWidth() const;
    void DrawCaptionImage(TCanvas& C, int X, int MiddleY) const;
    // A borderless nine-part panel without a caption shows only its client piece.
    bool ShowsClientPieceOnly() const;
    void ApplyRollUp();
    int RolledHeight() const;
    void RedrawChildren();

    bool FTransparentMode = false;
    bool FCaptionMode = false;
    bool FCheckedMode = false;
    bool FChecked = false;
    bool FRollUpMode = false;
    TAlignment FDefaultAlignment = TAlignment::taLeftJustify;
    bool FRollUpState = false;
    int FRealHeight = -1;
    TqlSkinBorderStyle FBorderStyle = TqlSkinBorderStyle::bvFrame;
    int FDefaultCaptionHeight = 22;
    TqlImagePosition FImagePosition = TqlImagePosition::qlipDefault;
    const TCustomImageList* FCaptionImageList = nullptr;
    int FCaptionImageIndex = -1;
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
    TSizeConstraints FSavedConstraints;
    bool FConstraintsSaved = false;
    // The caption's height as last painted over the parent's background.
    int FTextHeight = 16;
};

class TqlSkinGroupBox : public TqlSkinPanel {
public:
    explicit TqlSkinGroupBox(TComponent* AOwner);
};

// A bar at the bottom of its parent, with an optional size grip in its
// right corner that sizes the form.
class TqlSkinStatusBar : public TqlSkinPanel {
public:
    explicit TqlSkinStatusBar(TComponent* AOwner);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);
    bool GripActive() const { return FGripActive; }
    void SetGripActive(bool Value);
    void GetSkinData() override;
    // The bar's skin goes to its skinned windowed children too.
    void SetSkinData(TqlSkinData* Value) override;
    // Where the grip lies, in client coordinates.
    TRect GripRect() const;

protected:
    void AdjustClientRect(TRect& R) override;
    void PaintHook(TCanvas& C) override;
    // The grip is drawn on every look: over the plain and the opaque skinned
    // face here, through the hook on the transparent one.
    void Paint() override;
    void WndProc(TMessage& M) override;

private:
    bool ShowsGrip() const { return FSizeGrip && FGripActive; }
    bool HasGripPicture() const;
    int GripWidth() const;
    TRect ClientArea() const;
    bool FSizeGrip = false;
    bool FGripActive = true;
    TRect FGripperRect;
    bool FGripperTransparent = false;
    TColor FGripperTransparentColor = clNone;
};
