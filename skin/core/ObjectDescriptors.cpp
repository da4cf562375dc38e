#include "skin/core/ObjectDescriptors.h"

void TqlDataSkinObject::Keys(TqlSkinKeys& k) {
    k.Text("hint", Hint);
    k.Bool("skinrectinapicture", SkinRectInAPicture);
    k.Rect("skinrect", SkinRect);
    k.Rect("activeskinrect", ActiveSkinRect);
    k.Integer("activepictureindex", ActivePictureIndex, -1);
    k.Rect("inactiveskinrect", InActiveSkinRect);
    k.Bool("morphing", Morphing);
    k.MorphKind("morphkind", MorphKind);
}

void TqlDataUserObject::Keys(TqlSkinKeys& k) {
    // Deliberately not the inherited keys: everything else keeps its initial value.
    k.Rect("skinrect", SkinRect);
}

void TqlDataSkinButton::Keys(TqlSkinKeys& k) {
    TqlDataSkinObject::Keys(k);
    k.Rect("downrect", DownRect);
    k.Rect("disableskinrsect", DisableSkinRect);  // sic: skins spell it so
}

namespace {

void RestoreRects(TqlSkinKeys& k, TRect& normal, TRect& active, TRect& down, TRect& inactive) {
    k.Rect("restorerect", normal);
    k.Rect("restoreactiverect", active);
    k.Rect("restoredownrect", down);
    k.Rect("restoreinactiverect", inactive);
}

}  // namespace

void TqlDataSkinStdButton::Keys(TqlSkinKeys& k) {
    TqlDataSkinButton::Keys(k);
    k.Command("command", Command);
    RestoreRects(k, RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect);
}

void TqlDataSkinAnimate::ReadFromIni(const TMemIniFile& ini) {
    TqlDataSkinObject::ReadFromIni(ini);
    Morphing = false;
    // Frames are cut from SkinRect by this count; one frame is a still picture.
    if (CountFrames < 1) CountFrames = 1;
}

void TqlDataSkinAnimate::Keys(TqlSkinKeys& k) {
    TqlDataSkinObject::Keys(k);
    k.Integer("countframes", CountFrames, 1);
    k.Bool("cycle", Cycle);
    k.Bool("buttonstyle", ButtonStyle);
    k.Integer("timerinterval", TimerInterval, 50);
    k.Command("command", Command);
    k.Rect("downskinrect", DownSkinRect);
    RestoreRects(k, RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect);
}

void TqlDataSkinMenuItem::ReadFromIni(const TMemIniFile& ini) {
    TqlDataSkinObject::ReadFromIni(ini);
    DropEmptyAnimation(AnimateSkinRect, FrameCount);
    // A skin may draw one image for both states.
    if (ActiveCheckImageRect.IsEmpty()) ActiveCheckImageRect = CheckImageRect;
    if (ActiveRadioImageRect.IsEmpty()) ActiveRadioImageRect = RadioImageRect;
    if (ActiveArrowImageRect.IsEmpty()) ActiveArrowImageRect = ArrowImageRect;
}

void TqlDataSkinMenuItem::Keys(TqlSkinKeys& k) {
    TqlDataSkinObject::Keys(k);
    k.Rect("dividerrect", DividerRect);
    k.Integer("dividerleftoffset", DividerLeftOffset);
    k.Integer("dividerrightoffset", DividerRightOffset);
    k.Integer("itemleftoffset", ItemLeftOffset);
    k.Integer("itemrightoffset", ItemRightOffset);
    k.Text("fontname", FontName, "Arial");
    k.Integer("fontheight", FontHeight, 14);
    k.FontStyles("fontstyle", FontStyle);
    k.Color("unenabledfontcolor", UnEnabledFontColor);
    k.Color("fontcolor", FontColor);
    k.Color("activefontcolor", ActiveFontColor);
    k.Rect("textrect", TextRect);
    k.Rect("imagerect", ImageRect);
    k.Bool("useimagecolor", UseImageColor);
    k.Color("imagecolor", ImageColor);
    k.Color("activeimagecolor", ActiveImageColor);
    k.Bool("stretcheffect", StretchEffect);
    k.Bool("dividerstretcheffect", DividerStretchEffect);
    k.Bool("inactivestretcheffect", InActiveStretchEffect);
    k.Rect("animateskinrect", AnimateSkinRect);
    k.Integer("framecount", FrameCount, 0);
    k.Integer("animateinterval", AnimateInterval, 25);
    k.Bool("inactiveanimation", InActiveAnimation);
    k.Bool("inactivetransparent", InActiveTransparent);
    k.Rect("checkimagerect", CheckImageRect);
    k.Rect("activecheckimagerect", ActiveCheckImageRect);
    k.Rect("radioimagerect", RadioImageRect);
    k.Rect("activeradioimagerect", ActiveRadioImageRect);
    k.Rect("arrowimagerect", ArrowImageRect);
    k.Rect("activearrowimagerect", ActiveArrowImageRect);
}

void TqlDataSkinMainMenuItem::ReadFromIni(const TMemIniFile& ini) {
    TqlDataSkinObject::ReadFromIni(ini);
    DropEmptyAnimation(AnimateSkinRect, FrameCount);
}

void TqlDataSkinMainMenuItem::Keys(TqlSkinKeys& k) {
    TqlDataSkinObject::Keys(k);
    k.Rect("downrect", DownRect);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Color("activefontcolor", ActiveFontColor);
    k.Color("downfontcolor", DownFontColor);
    k.Color("unenabledfontColor", UnEnabledFontColor);  // sic: skins spell it so
    k.Rect("textrect", TextRect);
    k.Integer("itemleftoffset", ItemLeftOffset);
    k.Integer("itemrightoffset", ItemRightOffset);
    k.Bool("stretcheffect", StretchEffect);
    k.Rect("animateskinrect", AnimateSkinRect);
    k.Integer("framecount", FrameCount, 0);
    k.Integer("animateinterval", AnimateInterval, 25);
    k.Bool("inactiveanimation", InActiveAnimation);
}

void TqlDataSkinCaption::ReadFromIni(const TMemIniFile& ini) {
    TqlDataSkinObject::ReadFromIni(ini);
    DropEmptyAnimation(AnimateSkinRect, FrameCount);
}

void TqlDataSkinCaption::Keys(TqlSkinKeys& k) {
    TqlDataSkinObject::Keys(k);
    k.Font("", FontName, FontHeight, FontStyle, FontColor);
    k.Color("activefontcolor", ActiveFontColor);
    k.Color("shadowcolor", ShadowColor);
    k.Color("activeshadowcolor", ActiveShadowColor);
    k.Bool("shadow", Shadow);
    k.Alignment("alignment", Alignment);
    k.Rect("textrect", TextRect);
    k.Rect("framerect", FrameRect);
    k.Rect("activeframerect", ActiveFrameRect);
    k.Integer("frameleftoffset", FrameLeftOffset);
    k.Integer("framerightoffset", FrameRightOffset);
    k.Rect("frametextrect", FrameTextRect);
    k.Bool("light", Light);
    k.Color("lightcolor", LightColor);
    k.Color("activelightcolor", ActiveLightColor);
    k.Bool("stretcheffect", StretchEffect);
    k.Rect("animateskinrect", AnimateSkinRect);
    k.Integer("framecount", FrameCount, 0);
    k.Integer("animateinterval", AnimateInterval, 25);
    k.Bool("inactiveanimation", InActiveAnimation);
    k.Bool("fullframe", FullFrame);
}

namespace {

template <class T>
constexpr auto Make = MakeDescriptor<TqlDataSkinObject, T>;

// In comparison order; the first match wins.
constexpr TqlTypeWord<TqlDataSkinObject> kObjectTypes[] = {
    {"menuitem", Make<TqlDataSkinMenuItem>},   {"mainmenubaritem", Make<TqlDataSkinMainMenuBarItem>},
    {"stdbutton", Make<TqlDataSkinStdButton>}, {"mainmenubarbutton", Make<TqlDataSkinMainMenuBarButton>},
    {"button", Make<TqlDataSkinButton>},       {"caption", Make<TqlDataSkinCaption>},
    {"animate", Make<TqlDataSkinAnimate>},     {"userobject", Make<TqlDataUserObject>},
};

}  // namespace

std::unique_ptr<TqlDataSkinObject> CreateObjectDescriptor(std::string_view typeWord, std::string idName) {
    return CreateByTypeWord<TqlDataSkinObject>(kObjectTypes, typeWord, std::move(idName));
}
