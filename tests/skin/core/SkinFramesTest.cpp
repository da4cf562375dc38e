// The skin colours and the popup and hint window frames.

#include <gtest/gtest.h>

#include "skin/core/SkinFrames.h"
#include "tests/skin/core/SkinIniText.h"

TEST(SkinColors, MissingKeysGiveTheSystemColours) {
    TqlSkinColors colors;
    EXPECT_EQ(colors.cBtnFace, 0);  // nothing read yet

    colors.ReadFromIni(*IniFromText("[SKINCOLORS]\ncwindow=16777215\ncbtnshadow=0x808080\n"));
    EXPECT_EQ(colors.cWindow, 0xFFFFFF);
    EXPECT_EQ(colors.cBtnShadow, 0x808080);
    struct Case {
        const char* name;
        TColor value, expected, platform;
    };
    const Case cases[] = {
        {"btnface", colors.cBtnFace, -16777201, clBtnFace},
        {"btntext", colors.cBtnText, -16777198, clBtnText},
        {"windowtext", colors.cWindowText, -16777208, clWindowText},
        {"highlight", colors.cHighLight, -16777203, clHighlight},
        {"highlighttext", colors.cHighLightText, -16777202, clHighlightText},
        {"btnhighlight", colors.cBtnHighLight, -16777196, clBtnHighlight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.value, c.expected);
        // Skins write system colours with the top byte set; they must resolve
        // to the same colour as the platform's own system colour.
        EXPECT_EQ(ColorToRGB(c.value), ColorToRGB(c.platform));
    }

    TqlSkinColors defaults;
    defaults.SetDefaults();
    EXPECT_EQ(defaults.cWindow, -16777211);
    EXPECT_EQ(defaults.cBtnShadow, -16777200);
}

TEST(SkinFrames, AHintFrameNeverReadHasHeight12AndAReadOneTheReadersFallback) {
    TqlDataSkinHintWindow hint;
    EXPECT_EQ(hint.FontHeight, 12);
    EXPECT_EQ(hint.FontName, "Arial");
    EXPECT_EQ(hint.WindowPictureIndex, -1);
    hint.ReadFromIni(*IniFromText("[POPUPWINDOW]\nfontheight=9\n"));
    EXPECT_EQ(hint.FontHeight, 14);
    EXPECT_EQ(hint.WindowPictureIndex, -1);

    hint.ReadFromIni(
        *IniFromText("[HINTWINDOW]\nwindowpictureindex=6\nclientrect=4,4,20,12\nfontstyle=fsitalic\n"
                     "rightbottompoint=30,20\nbottomstretch=1\n"));
    EXPECT_EQ(hint.WindowPictureIndex, 6);
    EXPECT_EQ(hint.MaskPictureIndex, -1);
    EXPECT_EQ(hint.ClientRect, Rect(4, 4, 20, 12));
    EXPECT_EQ(hint.FontStyle, fsItalic);
    EXPECT_EQ(hint.RBPoint, Point(30, 20));
    EXPECT_TRUE(hint.BottomStretch);
    EXPECT_FALSE(hint.TopStretch);
}

// A missing "stretchtype" takes the reader's fallback word (full); an empty
// or unknown word is the horizontal type.
TEST(SkinFrames, StretchTypeOfPopupAndHintFrames) {
    struct Case {
        const char* line;
        TqlStretchType expected;
    };
    const Case cases[] = {
        {"", TqlStretchType::stFull},
        {"stretchtype=stfull", TqlStretchType::stFull},
        {"stretchtype=stvert", TqlStretchType::stVert},
        {"stretchtype=sthorz", TqlStretchType::stHorz},
        {"stretchtype=", TqlStretchType::stHorz},
        {"stretchtype=diagonal", TqlStretchType::stHorz},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string body = std::string("\n") + c.line + "\nitemsrect=1,2,3,4\n";
        TqlDataSkinPopupWindow popup;
        popup.ReadFromIni(*IniFromText("[POPUPWINDOW]" + body));
        EXPECT_EQ(popup.StretchType, c.expected);
        EXPECT_EQ(popup.ItemsRect, Rect(1, 2, 3, 4));
        TqlDataSkinHintWindow hint;
        hint.ReadFromIni(*IniFromText("[HINTWINDOW]" + body));
        EXPECT_EQ(hint.StretchType, c.expected);
    }
}
