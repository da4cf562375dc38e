#include "skin/controls/SkinMenuSpeedButton.h"

#include "skin/forms/qlSkinMenus.h"

TqlSkinMenuSpeedButton::TqlSkinMenuSpeedButton(TComponent* AOwner) : TqlSkinSpeedButton(AOwner) {
    SetSkinDataName("toolmenubutton");
}

void TqlSkinMenuSpeedButton::SetTrackButtonMode(bool Value) {
    FTrackButtonMode = Value;
    if (FIndex == -1) Repaint();
}

void TqlSkinMenuSpeedButton::SetSkinPopupMenu(TqlSkinPopupMenu* Value) {
    FSkinPopupMenu = Value;
    if (Value) Value->FreeNotification(this);
}

TqlSkinMenuSpeedButton::~TqlSkinMenuSpeedButton() {
    if (FSkinImagesMenu) FSkinImagesMenu->RemoveLinks(this);
}

void TqlSkinMenuSpeedButton::SetSkinImagesMenu(TqlSkinImagesMenu* Value) {
    if (FSkinImagesMenu && FSkinImagesMenu != Value) FSkinImagesMenu->RemoveLinks(this);
    FSkinImagesMenu = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->SetChangeLink(this, [this] { Repaint(); });
    }
    Repaint();
}

void TqlSkinMenuSpeedButton::SetNewStyle(bool Value) {
    FNewStyle = Value;
    if (Value) SetSkinDataName("resizetoolbutton");
}

void TqlSkinMenuSpeedButton::SetTrackPosition(TqlTrackPosition Value) {
    FTrackPosition = Value;
    Repaint();
}

void TqlSkinMenuSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
    TqlSkinSpeedButton::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FSkinPopupMenu) FSkinPopupMenu = nullptr;
    if (AComponent == FSkinImagesMenu) {
        FSkinImagesMenu = nullptr;
        // A menu freed while it showed never closes: the button comes up now.
        if (FMenuTracking) MenuClosed();
    }
}

void TqlSkinMenuSpeedButton::GetSkinData() {
    TqlSkinSpeedButton::GetSkinData();
    if (auto* d = dynamic_cast<const TqlDataSkinMenuButtonControl*>(Descriptor())) TrackButtonRect = d->TrackButtonRect;
}

bool TqlSkinMenuSpeedButton::OwnLayout() const {
    const std::string& name = SkinDataName();
    return name == "resizebutton" || name == "resizetoolbutton" || name == "toolbutton" || name == "bigtoolbutton";
}

std::string TqlSkinMenuSpeedButton::LookupName() const {
    const TqlSkinData* skin = SkinData();
    if (NewStyleFace() && skin && skin->IndexOfControlData("resizetoolbutton") < 0) return "resizebutton";
    return SkinDataName();
}

TRect TqlSkinMenuSpeedButton::TrackRect() const {
    if (FIndex != -1 && !OwnLayout()) {
        TRect r = TrackButtonRect;
        const int dx = ResizeMode == 2 ? Width() - WidthOfRect(SkinRect) : 0;
        const int dy = ResizeMode == 3 ? Height() - HeightOfRect(SkinRect) : 0;
        return Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
    }
    if (FNewStyle && FTrackPosition == TqlTrackPosition::qltpBottom)
        return Rect(0, Height() - kTrackWidth, Width(), Height());
    return Rect(Width() - kTrackWidth, 0, Width(), Height());
}

bool TqlSkinMenuSpeedButton::InTrackPart(int X, int Y) const {
    if (!FSkinPopupMenu && !FSkinImagesMenu) return false;
    if (!FTrackButtonMode) return true;
    return PointInRectIncl(TrackRect(), {X, Y});
}

void TqlSkinMenuSpeedButton::OpenMenus() {
    const TPoint origin = ClientToScreen({0, 0});
    const TRect screen = Rect(origin.X, origin.Y, origin.X + Width(), origin.Y + Height());
    if (FSkinPopupMenu) {
        if (OnShowTrackMenu) OnShowTrackMenu(this);
        FSkinPopupMenu->PopupFromRect(this, screen, false);
    }
    if (FSkinImagesMenu) {
        if (OnShowTrackMenu) OnShowTrackMenu(this);
        FSkinImagesMenu->SetCloseLink(this, [this] { MenuClosed(); });
        FSkinImagesMenu->Popup(screen);
    }
}

void TqlSkinMenuSpeedButton::MenuClosed() {
    FMenuTracking = false;
    SetDown(false);
    FPress.MouseIn = false;
    if (OnHideTrackMenu) OnHideTrackMenu(this);
    Repaint();
}

void TqlSkinMenuSpeedButton::WndProc(TMessage& M) {
    if (M.Msg == WM_POPUPCLOSED) {
        MenuClosed();
        return;
    }
    TqlSkinSpeedButton::WndProc(M);
}

void TqlSkinMenuSpeedButton::CMMouseEnter(TMessage& M) {
    if (FMenuTracking) {
        FPress.MouseIn = true;
        return;
    }
    TqlSkinSpeedButton::CMMouseEnter(M);
}

void TqlSkinMenuSpeedButton::CMMouseLeave(TMessage& M) {
    if (FMenuTracking) {
        FPress.MouseIn = false;
        return;
    }
    TqlSkinSpeedButton::CMMouseLeave(M);
}

void TqlSkinMenuSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button != TMouseButton::mbLeft) {
        TqlSkinSpeedButton::MouseDown(Button, Shift, X, Y);
        return;
    }
    FMenuTracking = InTrackPart(X, Y);
    FPress.MouseIn = true;
    if (!FMenuTracking) {
        TqlSkinSpeedButton::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (!Down()) SetDown(true);
    OpenMenus();
}

void TqlSkinMenuSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FMenuTracking) return;
    TqlSkinSpeedButton::MouseUp(Button, Shift, X, Y);
}

TRect TqlSkinMenuSpeedButton::MainRect() const {
    const TRect track = TrackRect();
    if (track.Left > 0) return Rect(0, 0, track.Left, Height());
    return Rect(0, 0, Width(), track.Top);
}

// A part that cannot be built is not drawn, so no blank bitmap covers the face.
void TqlSkinMenuSpeedButton::BuildPart(TBitmap& B, const TRect& Area, const TqlSkinGeometry& Cut, const TRect& Face) {
    if (RectIsEmpty(Area) || RectIsEmpty(Face)) return;
    TBitmap part(WidthOfRect(Area), HeightOfRect(Area));
    if (Cut.BuildPartFace(part, Face)) B.Canvas().Draw(Area.Left, Area.Top, part);
}

void TqlSkinMenuSpeedButton::DrawMark(TCanvas& C, const TRect& Area, const TRect& Marker, TColor ArrowColor) const {
    if (RectIsEmpty(FLook.MenuMarkerRect) || RectIsEmpty(Marker) || !Picture) {
        DrawDropDownArrow(C, Area, ArrowColor);
        return;
    }
    TBitmap mark(WidthOfRect(Marker), HeightOfRect(Marker));
    mark.Canvas().CopyRect(Rect(0, 0, mark.Width(), mark.Height()), *Picture, Marker);
    mark.Transparent = true;
    mark.TransparentColor = FLook.MenuMarkerTransparentColor;
    C.Draw(Area.Left + (WidthOfRect(Area) - mark.Width()) / 2, Area.Top + (HeightOfRect(Area) - mark.Height()) / 2,
           mark);
}

//   state           main part   track part
//   menu showing    active      down
//   pressed         down        down
//   hovered         active      active
//   idle            as given (normal or disabled)
void TqlSkinMenuSpeedButton::DrawOwnLayout(TBitmap& B, const TRect& R, bool AActive, bool ADown) {
    B.SetSize(Width(), Height());
    const TRect active = FLook.ActiveSkinRect, down = FLook.DownSkinRect;
    const TRect track = TrackRect(), main = MainRect(), all = Rect(0, 0, Width(), Height());
    if (FTrackButtonMode) {
        const bool tracking = FMenuTracking;
        BuildPart(B, main, *this, tracking ? active : ADown ? down : AActive ? active : R);
        BuildPart(B, track, *this, tracking || ADown ? down : AActive ? active : R);
    } else {
        BuildPart(B, all, *this, R);
    }
    if (NewStyleFace()) DrawTrackStrip(B, AActive, ADown);
    const TRect marker = ADown ? FLook.MenuMarkerDownRect : AActive ? FLook.MenuMarkerActiveRect : FLook.MenuMarkerRect;
    DrawMark(B.Canvas(), track, marker, FLook.TextColor(EffectivelyEnabled(), AActive, ADown, UseSkinFontColor, clBtnText));
    NewClRect = main;
    DrawGlyphAndCaption(B.Canvas(), main, ADown, AActive, ADown && AActive);
}

void TqlSkinMenuSpeedButton::DrawTrackStrip(TBitmap& B, bool AActive, bool ADown) {
    if (!FTrackButtonMode || !(AActive || ADown || FMenuTracking)) return;
    const TqlSkinData& skin = *SkinData();
    const bool bottom = FTrackPosition == TqlTrackPosition::qltpBottom;
    const int i = skin.IndexOfControlData(bottom ? "htracktoolbutton" : "vtracktoolbutton");
    const auto* own = i >= 0 ? dynamic_cast<const TqlDataSkinButtonControl*>(skin.CtrlList[size_t(i)].get()) : nullptr;
    const auto* d = own ? own : dynamic_cast<const TqlDataSkinButtonControl*>(Descriptor());
    if (!d) return;
    TqlButtonLook look;
    look.CopyFrom(*d);
    const TRect face = FMenuTracking || ADown ? look.DownSkinRect : look.ActiveSkinRect;
    BuildPart(B, TrackRect(), TqlSkinGeometry::Of(*d, skin), face);
}

void TqlSkinMenuSpeedButton::DrawTransparentIdle(TCanvas& C) {
    if (!FSkinPopupMenu && !FSkinImagesMenu) {
        TqlSkinSpeedButton::DrawTransparentIdle(C);
        return;
    }
    DrawGlyphAndCaption(C, MainRect(), false, false, false);
    const bool flatMarker = FIndex != -1 && !RectIsEmpty(FLook.MenuMarkerFlatRect);
    DrawMark(C, TrackRect(), flatMarker ? FLook.MenuMarkerFlatRect : TRect{},
             EffectivelyEnabled() ? clBtnText : clBtnShadow);
}

void TqlSkinMenuSpeedButton::DrawButtonState(TBitmap& B, const TRect& R, bool AActive, bool ADown) {
    if (Picture && (NewStyleFace() || OwnLayout())) {
        DrawOwnLayout(B, R, AActive, ADown);
        return;
    }
    const bool splitFace = FMenuTracking && FTrackButtonMode && !RectIsEmpty(TrackButtonRect) &&
                           !RectIsEmpty(FLook.DownSkinRect) && Picture;
    if (!splitFace) {
        TqlSkinSpeedButton::DrawButtonState(B, R, AActive, ADown);
        return;
    }
    // While the menu shows, the face is active and only the track part is down.
    TqlSkinSpeedButton::DrawButtonState(B, FLook.ActiveSkinRect, true, false);
    const TRect track = TrackRect();
    TRect src = TrackButtonRect;
    src = Rect(src.Left + FLook.DownSkinRect.Left, src.Top + FLook.DownSkinRect.Top, src.Right + FLook.DownSkinRect.Left,
               src.Bottom + FLook.DownSkinRect.Top);
    B.Canvas().CopyRect(track, *Picture, src);
}

void TqlSkinMenuSpeedButton::CreateControlDefaultImage(TBitmap& B) {
    TqlSkinSpeedButton::CreateControlDefaultImage(B);
    if (FSkinPopupMenu || FSkinImagesMenu)
        DrawDropDownArrow(B.Canvas(), TrackRect(), EffectivelyEnabled() ? clBtnText : clBtnShadow);
}

bool TqlSkinMenuSpeedButton::MenuImage(const TCustomImageList*& Images, int& Index, std::string& Caption) const {
    if (!FSkinImagesMenu || !UseImagesMenuImage || !FSkinImagesMenu->Images()) return false;
    const TqlImagesMenuItem* item = FSkinImagesMenu->GetSelectedItem();
    if (!item || item->ImageIndex < 0 || item->ImageIndex >= FSkinImagesMenu->Images()->Count()) return false;
    Images = FSkinImagesMenu->Images();
    Index = item->ImageIndex;
    if (UseImagesMenuCaption && ShowCaption()) Caption = item->Caption;
    return true;
}
