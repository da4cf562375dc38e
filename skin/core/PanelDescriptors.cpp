#include "skin/core/ControlDescriptors.h"

void TqlDataSkinPanelControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Integer("bgpictureindex", BGPictureIndex, -1);
    k.Rect("captionrect", CaptionRect);
    k.Alignment("alignment", Alignment);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Rect("checkimagerect", CheckImageRect);
    k.Rect("uncheckimagerect", UnCheckImageRect);
    k.Rect("markframerect", MarkFrameRect);
    k.Rect("framerect", FrameRect);
    k.Rect("frametextrect", FrameTextRect);
    k.Integer("frameleftoffset", FrameLeftOffset);
    k.Integer("framerightoffset", FrameRightOffset);
    k.Rect("gripperrect", GripperRect);
    k.Bool("grippertransparent", GripperTransparent);
    k.Color("grippertransparentcolor", GripperTransparentColor);
}

void TqlDataSkinExPanelControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Rect("rollhskinrect", RollHSkinRect);
    k.Rect("rollvskinrect", RollVSkinRect);
    k.Integer("rollleftoffset", RollLeftOffset);
    k.Integer("rollrightoffset", RollRightOffset);
    k.Integer("rolltopoffset", RollTopOffset);
    k.Integer("rollbottomoffset", RollBottomOffset);
    k.Rect("rollvcaptionrect", RollVCaptionRect);
    k.Rect("rollhcaptionrect", RollHCaptionRect);
    k.Rect("closebuttonrect", CloseButtonRect);
    k.Rect("closebuttonactiverect", CloseButtonActiveRect);
    k.Rect("closebuttondownrect", CloseButtonDownRect);
    k.Rect("hrollbuttonrect", HRollButtonRect);
    k.Rect("hrollbuttonactiverect", HRollButtonActiveRect);
    k.Rect("hrollbuttondownrect", HRollButtonDownRect);
    k.Rect("hrestorebuttonrect", HRestoreButtonRect);
    k.Rect("hrestorebuttonactiverect", HRestoreButtonActiveRect);
    k.Rect("hrestorebuttondownrect", HRestoreButtonDownRect);
    k.Rect("vrollbuttonrect", VRollButtonRect);
    k.Rect("vrollbuttonactiverect", VRollButtonActiveRect);
    k.Rect("vrollbuttondownrect", VRollButtonDownRect);
    k.Rect("vrestorebuttonrect", VRestoreButtonRect);
    k.Rect("vrestorebuttonactiverect", VRestoreButtonActiveRect);
    k.Rect("vrestorebuttondownrect", VRestoreButtonDownRect);
    k.Rect("captionrect", CaptionRect);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Bool("buttonstransparent", ButtonsTransparent);
    k.Color("buttonstransparentcolor", ButtonsTransparentColor);
}

void TqlDataSkinControlBar::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Rect("itemrect", ItemRect);
    k.Integer("bgpictureindex", BGPictureIndex, -1);
    k.Rect("hgriprect", HGripRect);
    k.Rect("vgriprect", VGripRect);
    k.Integer("gripoffset1", GripOffset1);
    k.Integer("gripoffset2", GripOffset2);
    k.Bool("itemstretcheffect", ItemStretchEffect);
    k.Integer("itemoffset1", ItemOffset1, 3);
    k.Integer("itemoffset2", ItemOffset2, 3);
    k.Bool("itemtransparent", ItemTransparent);
    k.Color("itemtransparentcolor", ItemTransparentColor);
    k.Bool("griptransparent", GripTransparent);
    k.Color("griptransparentcolor", GripTransparentColor);
}

void TqlDataSkinScrollBoxControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Integer("bgpictureindex", BGPictureIndex, -1);
}

void TqlDataSkinBevel::Keys(TqlSkinKeys& k) {
    TqlDataSkinControl::Keys(k);
    k.Color("lightcolor", LightColor);
    k.Color("darkcolor", DarkColor);
}
