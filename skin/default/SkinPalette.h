#pragma once
// The default skin's colours and the faces its parts are drawn with.

#include "platform/gui/Types.h"
#include "skin/default/SkinPainter.h"

namespace defaultskin {

// The palette: calm greys, one blue accent.
constexpr TColor kWindow = RGB(0xF4, 0xF5, 0xF7);
constexpr TColor kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr TColor kFaceBottom = RGB(0xF7, 0xF8, 0xFA);
constexpr TColor kBorder = RGB(0xC4, 0xCA, 0xD3);
constexpr TColor kBorderHover = RGB(0x8E, 0x99, 0xA8);
constexpr TColor kPanelBorder = RGB(0xD5, 0xD9, 0xE0);
constexpr TColor kAccent = RGB(0x2F, 0x6F, 0xDB);
constexpr TColor kAccentDown = RGB(0x24, 0x57, 0xB0);
constexpr TColor kAccentLight = RGB(0xE3, 0xEC, 0xFB);
// Light enough that the gauge's dark text reads on it as well as on the empty track.
constexpr TColor kGaugeBar = RGB(0x6F, 0x98, 0xE4);
constexpr TColor kText = RGB(0x1F, 0x23, 0x29);
constexpr TColor kTextSoft = RGB(0x4A, 0x52, 0x60);
constexpr TColor kTextDisabled = RGB(0x9A, 0xA1, 0xAB);
constexpr TColor kFaceDisabled = RGB(0xF0, 0xF1, 0xF3);
constexpr TColor kPressed = RGB(0xE4, 0xE8, 0xEE);
constexpr TColor kGrid = RGB(0xE6, 0xE9, 0xEE);
constexpr TColor kTabIdle = RGB(0xEA, 0xEC, 0xF0);
constexpr TColor kTrack = RGB(0xEE, 0xF0, 0xF3);
constexpr TColor kThumb = RGB(0xC3, 0xC9, 0xD2);
constexpr TColor kThumbHover = RGB(0xA7, 0xAF, 0xBB);
constexpr TColor kCloseHover = RGB(0xE8, 0x11, 0x23);
constexpr TColor kKey = RGB(0xFF, 0x00, 0xFF);  // drawn transparent where a descriptor says so
inline const TColor kFocus = MixColor(kWhite, kAccent, 3, 5);
inline const char* const kFont = "DejaVu Sans";
constexpr int kFontHeight = 13;

// How a face is drawn: border, vertical gradient, border width.
struct Face {
    TColor border, top, bottom;
    int width = 1;
};

inline const Face kNormal{kBorder, kWhite, kFaceBottom};
inline const Face kHover{kBorderHover, kWhite, kWhite};
inline const Face kDown{kBorderHover, kPressed, kPressed};
inline const Face kFocused{kFocus, kWhite, kFaceBottom, 2};
inline const Face kDisabled{kPanelBorder, kFaceDisabled, kFaceDisabled};
inline const Face kFlat{kWindow, kWindow, kWindow};

}  // namespace defaultskin
