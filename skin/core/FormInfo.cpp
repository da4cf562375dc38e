// The form frame data of a skin's [FORMINFO] section.

#include <algorithm>

#include "skin/core/SkinDataComponent.h"

void TqlSkinData::FrameKeys(TqlSkinKeys& k) {
    k.Point("lefttoppoint", LTPoint);
    k.Point("righttoppoint", RTPoint);
    k.Point("leftbottompoint", LBPoint);
    k.Point("rightbottompoint", RBPoint);
    k.Rect("clientrect", ClientRect);
    k.Integer("bgpictureindex", BGPictureIndex, -1);
    k.Integer("mdibgpictureindex", MDIBGPictureIndex, -1);
    k.Bool("leftstretch", LeftStretch);
    k.Bool("rightstretch", RightStretch);
    k.Bool("topstretch", TopStretch);
    k.Bool("bottomstretch", BottomStretch);
    k.Bool("stretcheffect", StretchEffect);
    k.StretchType("stretchtype", StretchType);
    k.Bool("mdibgstretcheffect", MDIBGStretchEffect);
    k.StretchType("mdibgstretchtype", MDIBGStretchType);
    k.Rect("maskrectarea", MaskRectArea);
    k.Point("hittestlefttoppoint", HitTestLTPoint);
    k.Point("hittestrighttoppoint", HitTestRTPoint);
    k.Point("hittestleftbottompoint", HitTestLBPoint);
    k.Point("hittestrightbottompoint", HitTestRBPoint);
}

void TqlSkinData::FrameButtonKeys(TqlSkinKeys& k) {
    k.Rect("buttonsrect", ButtonsRect);
    k.Rect("captionrect", CaptionRect);
    k.Integer("buttonsoffset", ButtonsOffset, 0);
    k.Bool("buttonsinleft", ButtonsInLeft);
    k.Bool("mainmenupopupup", MainMenuPopupUp);
    k.Integer("borderwidth", BorderWidth, 0);
    k.Integer("formminwidth", FormMinWidth, 0);
    k.Bool("mditabstransparent", MDITabsTransparent);
    k.Bool("mainmenubartransparent", MainMenuBarTransparent);
    k.Bool("autorenderinginactiveimage", AutoRenderingInActiveImage);
    k.InActiveEffect("inactiveeffect", InActiveEffect);
}

void TqlSkinData::WriteFormInfo(TMemIniFile& ini) {
    TqlSkinKeyWriter k(ini, "FORMINFO");
    FrameKeys(k);
    FrameButtonKeys(k);
}

void TqlSkinData::ReadFormInfo(const TMemIniFile& ini) {
    TqlSkinKeyReader k(ini, "FORMINFO");
    FrameKeys(k);

    // A shaped window: its mask area takes in the client area, and a
    // hit-test corner left at an edge takes the frame's corner.
    if (!MaskName.empty()) {
        if (MaskRectArea.IsEmpty()) {
            MaskRectArea = ClientRect;
        } else {
            MaskRectArea.Left = std::min(MaskRectArea.Left, ClientRect.Left);
            MaskRectArea.Top = std::min(MaskRectArea.Top, ClientRect.Top);
            MaskRectArea.Right = std::max(MaskRectArea.Right, ClientRect.Right);
            MaskRectArea.Bottom = std::max(MaskRectArea.Bottom, ClientRect.Bottom);
        }
        const std::pair<TPoint*, const TPoint*> corners[] = {{&HitTestLTPoint, &LTPoint},
                                                             {&HitTestRTPoint, &RTPoint},
                                                             {&HitTestLBPoint, &LBPoint},
                                                             {&HitTestRBPoint, &RBPoint}};
        for (auto [hit, corner] : corners)
            if (hit->X == 0 || hit->Y == 0) *hit = *corner;
    }

    FrameButtonKeys(k);

    // The frame's corners are pulled into the client area, unless the frame
    // has no middle to stretch.
    if (RBPoint.X != LTPoint.X && RBPoint.Y != LTPoint.Y) {
        LTPoint = {std::max(LTPoint.X, ClientRect.Left), std::max(LTPoint.Y, ClientRect.Top)};
        RTPoint = {std::min(RTPoint.X, ClientRect.Right), std::max(RTPoint.Y, ClientRect.Top)};
        LBPoint = {std::max(LBPoint.X, ClientRect.Left), std::min(LBPoint.Y, ClientRect.Bottom)};
        RBPoint = {std::min(RBPoint.X, ClientRect.Right), std::min(RBPoint.Y, ClientRect.Bottom)};
    }
}
