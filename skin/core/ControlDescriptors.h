#pragma once
// The control descriptors: one class per kind of skinned control, each
// reading the INI section named by its IDName. Every field is named after its
// key in mixed case; the keys and their fallbacks are listed once, in each
// class's Keys, in read order.

#include <memory>
#include <string>
#include <string_view>

#include "skin/core/SkinIniValues.h"

class TqlDataSkinControl : public TqlSkinKeyed {
public:
    explicit TqlDataSkinControl(std::string AIDName) : IDName(std::move(AIDName)) {}
    virtual void ReadFromIni(const TMemIniFile& ini) { ReadKeys(ini, IDName); }
    virtual void WriteToIni(TMemIniFile& ini) { WriteKeys(ini, IDName); }
    void Keys(TqlSkinKeys& keys) override;

    std::string IDName;
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    TRect SkinRect;
};

// A control whose image is resized by cutting it into corner, edge and middle parts.
class TqlDataSkinCustomControl : public TqlDataSkinControl {
public:
    using TqlDataSkinControl::TqlDataSkinControl;
    void Keys(TqlSkinKeys& keys) override;

    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClientRect;
    bool StretchEffect = false;
    TqlStretchType StretchType = TqlStretchType::stFull;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
};

class TqlDataSkinButtonControl : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void ReadFromIni(const TMemIniFile& ini) override;
    void Keys(TqlSkinKeys& keys) override;

    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect, FocusedSkinRect, DisabledSkinRect;
    bool Morphing = false;
    TqlMorphKind MorphKind = TqlMorphKind::mkDefault;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool ShowFocus = false;
    TRect MenuMarkerFlatRect, MenuMarkerRect, MenuMarkerActiveRect, MenuMarkerDownRect;
    TColor MenuMarkerTransparentColor = 0;
};

// A tool button with a drop-down part; also a complete button descriptor.
class TqlDataSkinMenuButtonControl : public TqlDataSkinButtonControl {
public:
    using TqlDataSkinButtonControl::TqlDataSkinButtonControl;
    void Keys(TqlSkinKeys& keys) override;

    TRect TrackButtonRect;
};

class TqlDataSkinCheckRadioControl : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void Keys(TqlSkinKeys& keys) override;

    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, UnEnabledFontColor = 0, FrameFontColor = 0;
    TRect ActiveSkinRect, CheckImageArea, TextArea;
    TRect CheckImageRect, UnCheckImageRect, ActiveCheckImageRect, ActiveUnCheckImageRect;
    TRect UnEnabledCheckImageRect, UnEnabledUnCheckImageRect, GrayedCheckImageRect, ActiveGrayedCheckImageRect;
    bool Morphing = false;
    TqlMorphKind MorphKind = TqlMorphKind::mkDefault;
};

// The panel, also the look of group boxes, tool bars and status bars.
class TqlDataSkinPanelControl : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void Keys(TqlSkinKeys& keys) override;

    int BGPictureIndex = -1;
    TRect CaptionRect;
    TAlignment Alignment = TAlignment::taCenter;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TRect CheckImageRect, UnCheckImageRect, MarkFrameRect, FrameRect, FrameTextRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;
};

class TqlDataSkinExPanelControl : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void Keys(TqlSkinKeys& keys) override;

    TRect RollHSkinRect, RollVSkinRect;
    int RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
    TRect RollVCaptionRect, RollHCaptionRect;
    TRect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
    TRect HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect;
    TRect HRestoreButtonRect, HRestoreButtonActiveRect, HRestoreButtonDownRect;
    TRect VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect;
    TRect VRestoreButtonRect, VRestoreButtonActiveRect, VRestoreButtonDownRect;
    TRect CaptionRect;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    bool ButtonsTransparent = false;
    TColor ButtonsTransparentColor = 0;
};

class TqlDataSkinControlBar : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void Keys(TqlSkinKeys& keys) override;

    TRect ItemRect;
    int BGPictureIndex = -1;
    TRect HGripRect, VGripRect;
    int GripOffset1 = 0, GripOffset2 = 0;
    bool ItemStretchEffect = false;
    int ItemOffset1 = 0, ItemOffset2 = 0;
    bool ItemTransparent = false;
    TColor ItemTransparentColor = 0;
    bool GripTransparent = false;
    TColor GripTransparentColor = 0;
};

class TqlDataSkinScrollBoxControl : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void Keys(TqlSkinKeys& keys) override;

    int BGPictureIndex = -1;
};

class TqlDataSkinBevel : public TqlDataSkinControl {
public:
    using TqlDataSkinControl::TqlDataSkinControl;
    void Keys(TqlSkinKeys& keys) override;

    TColor LightColor = 0, DarkColor = 0;
};

class TqlDataSkinEditControl : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void Keys(TqlSkinKeys& keys) override;

    TRect ActiveSkinRect;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, DisabledFontColor = 0, ActiveFontColor = 0;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
};

class TqlDataSkinMemoControl : public TqlDataSkinEditControl {
public:
    using TqlDataSkinEditControl::TqlDataSkinEditControl;
    void Keys(TqlSkinKeys& keys) override;

    TColor BGColor = 0, ActiveBGColor = 0;
};

class TqlDataSkinSpinEditControl : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void Keys(TqlSkinKeys& keys) override;

    TRect ActiveSkinRect;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, DisabledFontColor = 0;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};

class TqlDataSkinListBox : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void Keys(TqlSkinKeys& keys) override;

    TRect ItemRect, ActiveItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0;
    TRect CaptionRect;
    std::string CaptionFontName;
    int CaptionFontHeight = 0;
    TFontStyles CaptionFontStyle = 0;
    TColor CaptionFontColor = 0;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    TRect CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
    std::string VScrollBarName, HScrollBarName, BothHScrollBarName;
    bool ShowFocus = false;
};

class TqlDataSkinCheckListBox : public TqlDataSkinListBox {
public:
    using TqlDataSkinListBox::TqlDataSkinListBox;
    void Keys(TqlSkinKeys& keys) override;

    TRect ItemCheckRect, CheckImageRect, UnCheckImageRect;
};

class TqlDataSkinComboBox : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void Keys(TqlSkinKeys& keys) override;

    TRect ActiveSkinRect, ItemRect, ActiveItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, FocusFontColor = 0, ActiveFontColor = 0;
    std::string ListBoxName;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    bool ItemStretchEffect = false, FocusItemStretchEffect = false, ShowFocus = false;
};

// What the tree view, list view and rich edit descriptors share: a font and
// a background colour. Each is still its own class, so a control that checks
// for one does not take another.
class TqlDataSkinTextView : public TqlDataSkinControl {
public:
    using TqlDataSkinControl::TqlDataSkinControl;
    void Keys(TqlSkinKeys& keys) override;

    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, BGColor = 0;
};

class TqlDataSkinTreeView : public TqlDataSkinTextView {
public:
    using TqlDataSkinTextView::TqlDataSkinTextView;
};

class TqlDataSkinListView : public TqlDataSkinTextView {
public:
    using TqlDataSkinTextView::TqlDataSkinTextView;
};

class TqlDataSkinRichEdit : public TqlDataSkinTextView {
public:
    using TqlDataSkinTextView::TqlDataSkinTextView;
};

class TqlDataSkinGridControl : public TqlDataSkinControl {
public:
    using TqlDataSkinControl::TqlDataSkinControl;
    void Keys(TqlSkinKeys& keys) override;

    TRect FixedCellRect, SelectCellRect, FocusCellRect;
    int FixedCellLeftOffset = 0, FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    int CellLeftOffset = 0, CellRightOffset = 0;
    TRect CellTextRect;
    int BGPictureIndex = -1;
    TColor LinesColor = 0, BGColor = 0;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, SelectFontColor = 0, FocusFontColor = 0;
    std::string FixedFontName;
    int FixedFontHeight = 0;
    TFontStyles FixedFontStyle = 0;
    TColor FixedFontColor = 0;
    bool CellStretchEffect = false, FixedCellStretchEffect = false, ShowFocus = false;
};

class TqlDataSkinScrollBarControl : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void Keys(TqlSkinKeys& keys) override;

    TRect TrackArea;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    TRect ThumbRect, ActiveThumbRect, DownThumbRect;
    int ThumbOffset1 = 0, ThumbOffset2 = 0;
    bool ThumbTransparent = false;
    TColor ThumbTransparentColor = 0;
    bool ThumbStretchEffect = false;
    int ThumbMinSize = 0, ThumbMinPageSize = 0;
    TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;
    bool GlyphTransparent = false;
    TColor GlyphTransparentColor = 0;
};

// Up and down buttons; the pair has no corners or client area of its own,
// whatever its section says.
class TqlDataSkinUpDownControl : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void ReadFromIni(const TMemIniFile& ini) override;
    void Keys(TqlSkinKeys& keys) override;

    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};

class TqlDataSkinTrackBarControl : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void Keys(TqlSkinKeys& keys) override;

    TRect ActiveSkinRect, TrackArea, ButtonRect, ActiveButtonRect;
    bool Vertical = false;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
};

class TqlDataSkinGaugeControl : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void ReadFromIni(const TMemIniFile& ini) override;
    void Keys(TqlSkinKeys& keys) override;

    TRect ProgressArea, ProgressRect;
    int BeginOffset = 0, EndOffset = 0;
    bool Vertical = false;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    bool ProgressTransparent = false;
    TColor ProgressTransparentColor = 0;
    bool ProgressStretch = false;
    TRect AnimationSkinRect;
    int AnimationCountFrames = 0, AnimationTimerInterval = 0;
    TRect ProgressAnimationSkinRect;
    int ProgressAnimationCountFrames = 0, ProgressAnimationTimerInterval = 0;
    int AnimationBeginOffset = 0, AnimationEndOffset = 0;
};

class TqlDataSkinSlider : public TqlDataSkinControl {
public:
    using TqlDataSkinControl::TqlDataSkinControl;
    void Keys(TqlSkinKeys& keys) override;

    TColor BGColor = 0;
    TRect HRulerRect, HThumbRect, VRulerRect, VThumbRect;
    int EdgeSize = 0;
    TColor PointsColor = 0;
};

class TqlDataSkinSplitterControl : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void Keys(TqlSkinKeys& keys) override;

    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;
};

class TqlDataSkinLabelControl : public TqlDataSkinCustomControl {
public:
    using TqlDataSkinCustomControl::TqlDataSkinCustomControl;
    void Keys(TqlSkinKeys& keys) override;

    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
};

class TqlDataSkinStdLabelControl : public TqlDataSkinControl {
public:
    using TqlDataSkinControl::TqlDataSkinControl;
    void Keys(TqlSkinKeys& keys) override;

    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0;
};

// The tab row and the page frame; it keeps its own corners and stretch flags
// for the frame rather than being a custom-control descriptor.
class TqlDataSkinTabControl : public TqlDataSkinControl {
public:
    using TqlDataSkinControl::TqlDataSkinControl;
    void Keys(TqlSkinKeys& keys) override;

    TRect TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect;
    TRect ClientRect;
    int BGPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    int TabLeftOffset = 0, TabRightOffset = 0;
    TRect TabsBGRect;
    bool TabStretchEffect = false;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TqlStretchType StretchType = TqlStretchType::stFull;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
    std::string UpDown;
    bool ShowFocus = false;
    int FocusOffsetX = 0, FocusOffsetY = 0;
    TRect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;
};

class TqlDataSkinMainMenuBar : public TqlDataSkinControl {
public:
    using TqlDataSkinControl::TqlDataSkinControl;
    void Keys(TqlSkinKeys& keys) override;

    TRect ItemsRect;
    // Names of skin objects of the [SKINOBJECTS] section.
    std::string MenuBarItem, CloseButton, MinButton, MaxButton, SysMenuButton;
    TColor TrackMarkColor = 0, TrackMarkActiveColor = 0;
    bool StretchEffect = false, ItemTransparent = false;
};

// The descriptor of a [SKINCONTROLS] type word (compared exactly), or null
// for a word no class answers to.
std::unique_ptr<TqlDataSkinControl> CreateControlDescriptor(std::string_view typeWord, std::string idName);
