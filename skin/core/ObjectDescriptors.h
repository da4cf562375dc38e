#pragma once
// The form-part descriptors: caption buttons, the caption text, menu items,
// menu-bar items and buttons, animated and user-drawn parts. Each reads the
// INI section named by its IDName; fields are named after their keys.

#include <memory>
#include <string>
#include <string_view>

#include "skin/core/SkinIniValues.h"

class TqlDataSkinObject : public TqlSkinKeyed {
public:
    explicit TqlDataSkinObject(std::string AIDName) : IDName(std::move(AIDName)) {}
    virtual void ReadFromIni(const TMemIniFile& ini) { ReadKeys(ini, IDName); }
    virtual void WriteToIni(TMemIniFile& ini) { WriteKeys(ini, IDName); }
    void Keys(TqlSkinKeys& keys) override;

    std::string IDName;
    std::string Hint;
    bool SkinRectInAPicture = false;
    TRect SkinRect, ActiveSkinRect;
    int ActivePictureIndex = -1;
    TRect InActiveSkinRect;
    bool Morphing = false;
    TqlMorphKind MorphKind = TqlMorphKind::mkDefault;
};

// A part the program draws itself: only its rectangle comes from the skin.
class TqlDataUserObject : public TqlDataSkinObject {
public:
    using TqlDataSkinObject::TqlDataSkinObject;
    void Keys(TqlSkinKeys& keys) override;
};

class TqlDataSkinButton : public TqlDataSkinObject {
public:
    using TqlDataSkinObject::TqlDataSkinObject;
    void Keys(TqlSkinKeys& keys) override;

    TRect DownRect, DisableSkinRect;
};

class TqlDataSkinStdButton : public TqlDataSkinButton {
public:
    using TqlDataSkinButton::TqlDataSkinButton;
    void Keys(TqlSkinKeys& keys) override;

    TqlStdCommand Command = TqlStdCommand::cmDefault;
    TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
};

class TqlDataSkinMainMenuBarButton : public TqlDataSkinStdButton {
public:
    using TqlDataSkinStdButton::TqlDataSkinStdButton;
};

// Frames laid out in SkinRect; never morphs.
class TqlDataSkinAnimate : public TqlDataSkinObject {
public:
    using TqlDataSkinObject::TqlDataSkinObject;
    void ReadFromIni(const TMemIniFile& ini) override;
    void Keys(TqlSkinKeys& keys) override;

    int CountFrames = 1;
    bool Cycle = false, ButtonStyle = false;
    int TimerInterval = 0;
    TqlStdCommand Command = TqlStdCommand::cmClose;
    TRect DownSkinRect;
    TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
};

class TqlDataSkinMenuItem : public TqlDataSkinObject {
public:
    using TqlDataSkinObject::TqlDataSkinObject;
    void ReadFromIni(const TMemIniFile& ini) override;
    void Keys(TqlSkinKeys& keys) override;

    TRect DividerRect;
    int DividerLeftOffset = 0, DividerRightOffset = 0, ItemLeftOffset = 0, ItemRightOffset = 0;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor UnEnabledFontColor = 0, FontColor = 0, ActiveFontColor = 0;
    TRect TextRect, ImageRect;
    bool UseImageColor = false;
    TColor ImageColor = 0, ActiveImageColor = 0;
    bool StretchEffect = false, DividerStretchEffect = false, InActiveStretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0, AnimateInterval = 0;
    bool InActiveAnimation = false, InActiveTransparent = false;
    TRect CheckImageRect, ActiveCheckImageRect, RadioImageRect, ActiveRadioImageRect;
    TRect ArrowImageRect, ActiveArrowImageRect;
};

class TqlDataSkinMainMenuItem : public TqlDataSkinObject {
public:
    using TqlDataSkinObject::TqlDataSkinObject;
    void ReadFromIni(const TMemIniFile& ini) override;
    void Keys(TqlSkinKeys& keys) override;

    TRect DownRect;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, UnEnabledFontColor = 0;
    TRect TextRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0, AnimateInterval = 0;
    bool InActiveAnimation = false;
};

class TqlDataSkinMainMenuBarItem : public TqlDataSkinMainMenuItem {
public:
    using TqlDataSkinMainMenuItem::TqlDataSkinMainMenuItem;
};

class TqlDataSkinCaption : public TqlDataSkinObject {
public:
    using TqlDataSkinObject::TqlDataSkinObject;
    void ReadFromIni(const TMemIniFile& ini) override;
    void Keys(TqlSkinKeys& keys) override;

    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, ShadowColor = 0, ActiveShadowColor = 0;
    bool Shadow = false;
    TAlignment Alignment = TAlignment::taLeftJustify;
    TRect TextRect, FrameRect, ActiveFrameRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;
    TRect FrameTextRect;
    bool Light = false;
    TColor LightColor = 0, ActiveLightColor = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0, AnimateInterval = 0;
    bool InActiveAnimation = false, FullFrame = false;
};

// The descriptor of a [SKINOBJECTS] type word (compared exactly), or null for
// a word no class answers to.
std::unique_ptr<TqlDataSkinObject> CreateObjectDescriptor(std::string_view typeWord, std::string idName);
