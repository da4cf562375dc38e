#include "skin/core/ControlDescriptors.h"

void TqlDataSkinButtonControl::ReadFromIni(const TMemIniFile& ini) {
    TqlDataSkinCustomControl::ReadFromIni(ini);
    DropEmptyAnimation(AnimateSkinRect, FrameCount);
}

void TqlDataSkinButtonControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Color("activefontcolor", ActiveFontColor);
    k.Color("downfontcolor", DownFontColor);
    k.Color("disabledfontcolor", DisabledFontColor);
    k.Rect("activeskinrect", ActiveSkinRect);
    k.Rect("downskinrect", DownSkinRect);
    k.Rect("focusedskinrect", FocusedSkinRect);
    k.Rect("disabledskinrect", DisabledSkinRect);
    k.Bool("morphing", Morphing);
    k.MorphKind("morphkind", MorphKind);
    k.Rect("animateskinrect", AnimateSkinRect);
    k.Integer("framecount", FrameCount, 0);
    k.Integer("animateinterval", AnimateInterval, 25);
    k.Bool("showfocus", ShowFocus);
    k.Rect("menumarkerflatrect", MenuMarkerFlatRect);
    k.Rect("menumarkerrect", MenuMarkerRect);
    k.Rect("menumarkeractiverect", MenuMarkerActiveRect);
    k.Rect("menumarkerdownrect", MenuMarkerDownRect);
    k.Color("menumarkertransparentcolor", MenuMarkerTransparentColor);
}

void TqlDataSkinMenuButtonControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinButtonControl::Keys(k);
    k.Rect("trackbuttonrect", TrackButtonRect);
}

void TqlDataSkinCheckRadioControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Color("activefontcolor", ActiveFontColor);
    k.Color("unenabledfontcolor", UnEnabledFontColor);
    k.Color("framefontcolor", FrameFontColor);
    k.Rect("activeskinrect", ActiveSkinRect);
    k.Rect("checkimagearea", CheckImageArea);
    k.Rect("textarea", TextArea);
    k.Rect("checkimagerect", CheckImageRect);
    k.Rect("uncheckimagerect", UnCheckImageRect);
    k.Rect("activecheckimagerect", ActiveCheckImageRect);
    k.Rect("activeuncheckimagerect", ActiveUnCheckImageRect);
    k.Rect("unenabledcheckimagerect", UnEnabledCheckImageRect);
    k.Rect("unenableduncheckimagerect", UnEnabledUnCheckImageRect);
    k.Rect("grayedcheckimagerect", GrayedCheckImageRect);
    k.Rect("activegrayedcheckimagerect", ActiveGrayedCheckImageRect);
    k.Bool("morphing", Morphing);
    k.MorphKind("morphkind", MorphKind);
}
