#pragma once
// A speed button with a drop-down part that opens a skinned popup menu or an
// images menu; it stays down while the menu shows and comes up when the menu
// says it has closed.
//
//   press                             TrackButtonMode   result
//   anywhere                          off               menu opens, button down, no click
//   in the track part                 on                menu opens, button down, no click
//   elsewhere                         on                as a speed button
//   menu closed (WM_POPUPCLOSED or
//     the images menu's close call)   either            button up

#include "skin/controls/SkinSpeedButton.h"

class TqlSkinPopupMenu;
class TqlSkinImagesMenu;

enum class TqlTrackPosition { qltpRight, qltpBottom };

class TqlSkinMenuSpeedButton : public TqlSkinSpeedButton {
public:
    static constexpr int kTrackWidth = 15;

    explicit TqlSkinMenuSpeedButton(TComponent* AOwner);
    ~TqlSkinMenuSpeedButton() override;

    TNotifyEvent OnShowTrackMenu, OnHideTrackMenu;
    bool TrackButtonMode() const { return FTrackButtonMode; }
    void SetTrackButtonMode(bool Value);
    TqlSkinPopupMenu* SkinPopupMenu() const { return FSkinPopupMenu; }
    void SetSkinPopupMenu(TqlSkinPopupMenu* Value);
    TqlSkinImagesMenu* SkinImagesMenu() const { return FSkinImagesMenu; }
    void SetSkinImagesMenu(TqlSkinImagesMenu* Value);
    bool NewStyle() const { return FNewStyle; }
    void SetNewStyle(bool Value);
    TqlTrackPosition TrackPosition() const { return FTrackPosition; }
    void SetTrackPosition(TqlTrackPosition Value);
    bool UseImagesMenuImage = false;
    bool UseImagesMenuCaption = false;
    bool MenuTracking() const { return FMenuTracking; }
    void GetSkinData() override;
    // Whether a press at (X, Y) opens the menu.
    bool InTrackPart(int X, int Y) const;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WndProc(TMessage& M) override;
    void CMMouseEnter(TMessage& M) override;
    void CMMouseLeave(TMessage& M) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DrawButtonState(TBitmap& B, const TRect& R, bool AActive, bool ADown) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void DrawTransparentIdle(TCanvas& C) override;
    // In new style a skin without "resizetoolbutton" lends its "resizebutton".
    std::string LookupName() const override;
    // With UseImagesMenuImage the images menu's selected item shows on the button.
    bool MenuImage(const TCustomImageList*& Images, int& Index, std::string& Caption) const override;

private:
    // New style: the "resizetoolbutton" face with its track strip.
    bool NewStyleFace() const { return FNewStyle && SkinDataName() == "resizetoolbutton"; }
    // The tool-button names that draw the split or marked layout.
    bool OwnLayout() const;
    // The face at R, the track part and the mark for the state; image and caption beside it.
    void DrawOwnLayout(TBitmap& B, const TRect& R, bool AActive, bool ADown);
    // Part of the face built at Area's size from state rectangle Face of a
    // descriptor, cut as its geometry Cut says.
    static void BuildPart(TBitmap& B, const TRect& Area, const TqlSkinGeometry& Cut, const TRect& Face);
    // The new style's track strip, from its own descriptor or the face's.
    void DrawTrackStrip(TBitmap& B, bool AActive, bool ADown);
    // The skin's menu marker for the state (or the plain arrow) centred in Area.
    void DrawMark(TCanvas& C, const TRect& Area, const TRect& Marker, TColor ArrowColor) const;
    // The face without its track part.
    TRect MainRect() const;
    void OpenMenus();
    void MenuClosed();
    TRect TrackRect() const;

    bool FTrackButtonMode = false;
    bool FMenuTracking = false;
    TqlSkinPopupMenu* FSkinPopupMenu = nullptr;
    TqlSkinImagesMenu* FSkinImagesMenu = nullptr;
    bool FNewStyle = false;
    TqlTrackPosition FTrackPosition = TqlTrackPosition::qltpRight;
    TRect TrackButtonRect;
};
