#pragma once
// Two small skinned wrappers of platform controls: the standard label, whose
// font and colour come from a "stdlabel" descriptor and which may shorten
// its text with an ellipsis, and the splitter, painted from a "hsplitter" or
// "vsplitter" descriptor with its gripper.

#include <string>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "skin/core/qlSkinData.h"

enum class TqlEllipsType { qletNone, qletEndEllips, qletPathEllips };

class TqlSkinStdLabel : public TCustomLabel, public TqlSkinLink {
public:
    explicit TqlSkinStdLabel(TComponent* AOwner);
    TqlEllipsType EllipsType() const { return FEllipsType; }
    void SetEllipsType(TqlEllipsType Value);
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value) { FDefaultFont.Assign(Value); }
    bool UseSkinFont = true;
    bool UseSkinColor = true;
    void SetSkinData(TqlSkinData* Value) override;
    void ChangeSkinData();
    int Index() const { return FIndex; }
    // The flags the caption is drawn with, alignment and reading order included.
    unsigned DrawFlags() const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DoDrawText(TRect& R, unsigned Flags) override;
    void SelectCaptionFont(TCanvas& C) const override;
    void TextChanged() override;

private:
    void LookUp();
    // What the label adds to the flags it is given: no accelerator marks,
    // its ellipsis, its reading order.
    unsigned OwnFlags(unsigned Flags) const;

    TqlEllipsType FEllipsType = TqlEllipsType::qletNone;
    TFont FDefaultFont;
    int FIndex = -1;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = clBtnText;
};

class TqlSkinSplitter : public TSplitter, public TqlSkinLink {
public:
    explicit TqlSkinSplitter(TComponent* AOwner);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    int DefaultSize = 10;
    void SetSkinData(TqlSkinData* Value) override;
    void ChangeSkinData();
    int Index() const { return FIndex; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;

private:
    void LookUp();
    bool AlongWidth() const { return Align() == TAlign::alTop || Align() == TAlign::alBottom; }

    bool FTransparent = false;
    int FIndex = -1;
    const TBitmap* FPicture = nullptr;
    TRect FSkinRect, FGripperRect;
    TPoint FLTPoint, FRTPoint, FLBPoint;
    bool FStretch = false;
    bool FGripperTransparent = false;
    TColor FGripperTransparentColor = clNone;
};
