#include "skin/core/ControlDescriptors.h"

void TqlDataSkinLabelControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
}

void TqlDataSkinStdLabelControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinControl::Keys(k);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Color("activefontcolor", ActiveFontColor, clBlue);
}

void TqlDataSkinTabControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinControl::Keys(k);
    k.Rect("tabrect", TabRect);
    k.Rect("activetabrect", ActiveTabRect);
    k.Rect("focustabrect", FocusTabRect);
    k.Rect("mouseintabrect", MouseInTabRect);
    k.Rect("clientrect", ClientRect);
    k.Integer("bgpictureindex", BGPictureIndex, -1);
    k.Point("lefttoppoint", LTPoint);
    k.Point("righttoppoint", RTPoint);
    k.Point("leftbottompoint", LBPoint);
    k.Point("rightbottompoint", RBPoint);
    k.Integer("tableftoffset", TabLeftOffset);
    k.Integer("tabrightoffset", TabRightOffset);
    k.Rect("tabsbgrect", TabsBGRect);
    k.Bool("tabstretcheffect", TabStretchEffect);
    k.Bool("leftstretch", LeftStretch);
    k.Bool("topstretch", TopStretch);
    k.Bool("rightstretch", RightStretch);
    k.Bool("bottomstretch", BottomStretch);
    k.Bool("stretcheffect", StretchEffect);
    k.StretchType("stretchtype", StretchType);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Color("activefontcolor", ActiveFontColor);
    k.Color("focusfontcolor", FocusFontColor);
    k.Color("mouseinfontcolor", MouseInFontColor);
    k.Text("updown", UpDown);
    k.Bool("showfocus", ShowFocus);
    k.Integer("focusoffsetx", FocusOffsetX);
    k.Integer("focusoffsety", FocusOffsetY);
    k.Rect("closebuttonrect", CloseButtonRect);
    k.Rect("closebuttonactiverect", CloseButtonActiveRect);
    k.Rect("closebuttondownrect", CloseButtonDownRect);
    k.Bool("buttontransparent", ButtonTransparent);
    k.Color("buttontransparentcolor", ButtonTransparentColor);
}

void TqlDataSkinMainMenuBar::Keys(TqlSkinKeys& k) {
    TqlDataSkinControl::Keys(k);
    k.Rect("itemsrect", ItemsRect);
    k.Text("menubaritem", MenuBarItem);
    k.Text("closebutton", CloseButton);
    k.Text("minbutton", MinButton);
    k.Text("maxbutton", MaxButton);
    k.Text("sysmenubutton", SysMenuButton);
    k.Color("trackmarkcolor", TrackMarkColor);
    k.Color("trackmarkactivecolor", TrackMarkActiveColor);
    k.Bool("stretcheffect", StretchEffect);
    k.Bool("itemtransparent", ItemTransparent);
}
