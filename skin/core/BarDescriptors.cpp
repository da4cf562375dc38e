#include "skin/core/ControlDescriptors.h"

void TqlDataSkinScrollBarControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Rect("trackarea", TrackArea);
    k.UpDownButtons(UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
                    DownDownButtonRect);
    k.Rect("thumbrect", ThumbRect);
    k.Rect("activethumbrect", ActiveThumbRect);
    k.Rect("downthumbrect", DownThumbRect);
    k.Integer("thumboffset1", ThumbOffset1);
    k.Integer("thumboffset2", ThumbOffset2);
    k.Bool("thumbtransparent", ThumbTransparent);
    k.Color("thumbtransparentcolor", ThumbTransparentColor);
    k.Bool("thumbstretcheffect", ThumbStretchEffect);
    k.Integer("thumbminsize", ThumbMinSize);
    k.Integer("thumbminpagesize", ThumbMinPageSize);
    k.Rect("glyphrect", GlyphRect);
    k.Rect("activeglyphrect", ActiveGlyphRect);
    k.Rect("downglyphrect", DownGlyphRect);
    k.Bool("glyphtransparent", GlyphTransparent);
    k.Color("glyphtransparentcolor", GlyphTransparentColor);
}

void TqlDataSkinUpDownControl::ReadFromIni(const TMemIniFile& ini) {
    TqlDataSkinCustomControl::ReadFromIni(ini);
    LTPoint = RTPoint = LBPoint = RBPoint = {};
    ClientRect = {};
}

void TqlDataSkinUpDownControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.UpDownButtons(UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
                    DownDownButtonRect);
}

void TqlDataSkinTrackBarControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Rect("activeskinrect", ActiveSkinRect);
    k.Rect("trackarea", TrackArea);
    k.Rect("buttonrect", ButtonRect);
    k.Rect("activebuttonrect", ActiveButtonRect);
    k.Bool("vertical", Vertical);
    k.Bool("buttontransparent", ButtonTransparent);
    k.Color("buttontransparentcolor", ButtonTransparentColor);
}

void TqlDataSkinGaugeControl::ReadFromIni(const TMemIniFile& ini) {
    TqlDataSkinCustomControl::ReadFromIni(ini);
    DropEmptyAnimation(AnimationSkinRect, AnimationCountFrames);
    DropEmptyAnimation(ProgressAnimationSkinRect, ProgressAnimationCountFrames);
}

void TqlDataSkinGaugeControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Rect("progressarea", ProgressArea);
    k.Rect("progressrect", ProgressRect);
    k.Integer("beginoffset", BeginOffset);
    k.Integer("endoffset", EndOffset);
    k.Bool("vertical", Vertical);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Bool("progresstransparent", ProgressTransparent);
    k.Color("progresstransparentcolor", ProgressTransparentColor);
    k.Bool("progressstretch", ProgressStretch);
    k.Rect("animationskinrect", AnimationSkinRect);
    k.Integer("animationcountframes", AnimationCountFrames);
    k.Integer("animationtimerinterval", AnimationTimerInterval);
    k.Rect("progressanimationskinrect", ProgressAnimationSkinRect);
    k.Integer("progressanimationcountframes", ProgressAnimationCountFrames);
    k.Integer("progressanimationtimerinterval", ProgressAnimationTimerInterval);
    k.Integer("animationbeginoffset", AnimationBeginOffset);
    k.Integer("animationendoffset", AnimationEndOffset);
}

void TqlDataSkinSlider::Keys(TqlSkinKeys& k) {
    TqlDataSkinControl::Keys(k);
    k.Color("bgcolor", BGColor);
    k.Rect("hrulerrect", HRulerRect);
    k.Rect("hthumbrect", HThumbRect);
    k.Rect("vrulerrect", VRulerRect);
    k.Rect("vthumbrect", VThumbRect);
    k.Integer("edgesize", EdgeSize);
    k.Color("pointscolor", PointsColor);
}

void TqlDataSkinSplitterControl::Keys(TqlSkinKeys& k) {
    TqlDataSkinCustomControl::Keys(k);
    k.Rect("gripperrect", GripperRect);
    k.Bool("grippertransparent", GripperTransparent);
    k.Color("grippertransparentcolor", GripperTransparentColor);
}
