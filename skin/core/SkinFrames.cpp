#include "skin/core/SkinFrames.h"

namespace {

// A system colour as skins write it: 0xFF000000 plus the colour's index.
constexpr TColor SkinSystemColor(int index) { return TColor(0xFF000000u + unsigned(index)); }

void FramePictureKeys(TqlSkinKeys& k, int& window, int& mask, TPoint& lt, TPoint& rt, TPoint& lb, TPoint& rb) {
    k.Integer("windowpictureindex", window, -1);
    k.Integer("maskpictureindex", mask, -1);
    k.Point("lefttoppoint", lt);
    k.Point("righttoppoint", rt);
    k.Point("leftbottompoint", lb);
    k.Point("rightbottompoint", rb);
}

void FrameStretchKeys(TqlSkinKeys& k, bool& left, bool& right, bool& top, bool& bottom, bool& effect,
                      TqlStretchType& type) {
    k.Bool("leftstretch", left);
    k.Bool("rightstretch", right);
    k.Bool("topstretch", top);
    k.Bool("bottomstretch", bottom);
    k.Bool("stretcheffect", effect);
    k.StretchType("stretchtype", type);
}

}  // namespace

void TqlSkinColors::SetDefaults() { ReadFromIni(TMemIniFile()); }

void TqlSkinColors::Keys(TqlSkinKeys& k) {
    k.Color("cbtnface", cBtnFace, SkinSystemColor(15));
    k.Color("cbtntext", cBtnText, SkinSystemColor(18));
    k.Color("cwindow", cWindow, SkinSystemColor(5));
    k.Color("cwindowtext", cWindowText, SkinSystemColor(8));
    k.Color("chighlight", cHighLight, SkinSystemColor(13));
    k.Color("chighlighttext", cHighLightText, SkinSystemColor(14));
    k.Color("cbtnhighlight", cBtnHighLight, SkinSystemColor(20));
    k.Color("cbtnshadow", cBtnShadow, SkinSystemColor(16));
}

void TqlDataSkinPopupWindow::Keys(TqlSkinKeys& k) {
    FramePictureKeys(k, WindowPictureIndex, MaskPictureIndex, LTPoint, RTPoint, LBPoint, RBPoint);
    k.Rect("itemsrect", ItemsRect);
    k.Color("scrollmarkercolor", ScrollMarkerColor);
    k.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor);
    FrameStretchKeys(k, LeftStretch, RightStretch, TopStretch, BottomStretch, StretchEffect, StretchType);
}

void TqlDataSkinHintWindow::Keys(TqlSkinKeys& k) {
    FramePictureKeys(k, WindowPictureIndex, MaskPictureIndex, LTPoint, RTPoint, LBPoint, RBPoint);
    k.Rect("clientrect", ClientRect);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    FrameStretchKeys(k, LeftStretch, RightStretch, TopStretch, BottomStretch, StretchEffect, StretchType);
}
