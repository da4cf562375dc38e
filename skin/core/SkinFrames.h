#pragma once
// What a skin describes besides its controls and form parts: its eight base
// colours and the frames of its popup menus and hint windows.

#include <string>

#include "skin/core/SkinIniValues.h"

// The base colours, read from [SKINCOLORS]; a missing key gives the system colour.
class TqlSkinColors : public TqlSkinKeyed {
public:
    // The system colours of every key.
    void SetDefaults();
    void ReadFromIni(const TMemIniFile& ini) { ReadKeys(ini, "SKINCOLORS"); }
    void WriteToIni(TMemIniFile& ini) { WriteKeys(ini, "SKINCOLORS"); }
    void Keys(TqlSkinKeys& keys) override;

    TColor cBtnFace = 0, cBtnText = 0, cWindow = 0, cWindowText = 0;
    TColor cHighLight = 0, cHighLightText = 0, cBtnHighLight = 0, cBtnShadow = 0;
};

// The frame of skinned popup menus, read from [POPUPWINDOW].
class TqlDataSkinPopupWindow : public TqlSkinKeyed {
public:
    void ReadFromIni(const TMemIniFile& ini) { ReadKeys(ini, "POPUPWINDOW"); }
    void WriteToIni(TMemIniFile& ini) { WriteKeys(ini, "POPUPWINDOW"); }
    void Keys(TqlSkinKeys& keys) override;

    // An active picture, or -1 for no skinned frame.
    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    // Where the menu items lie in the frame.
    TRect ItemsRect;
    TColor ScrollMarkerColor = 0, ScrollMarkerActiveColor = 0;
    bool TopStretch = false, LeftStretch = false, RightStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TqlStretchType StretchType = TqlStretchType::stFull;
};

// The frame and font of skinned hint windows, read from [HINTWINDOW]. Before
// any skin is read the font height is 12; a skin without the key gives 14.
class TqlDataSkinHintWindow : public TqlSkinKeyed {
public:
    void ReadFromIni(const TMemIniFile& ini) { ReadKeys(ini, "HINTWINDOW"); }
    void WriteToIni(TMemIniFile& ini) { WriteKeys(ini, "HINTWINDOW"); }
    void Keys(TqlSkinKeys& keys) override;

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    // Where the text lies in the frame.
    TRect ClientRect;
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 12;
    TColor FontColor = 0;
    bool TopStretch = false, LeftStretch = false, RightStretch = false, BottomStretch = false;
    bool StretchEffect = false;
    TqlStretchType StretchType = TqlStretchType::stFull;
};
