#pragma once
// The program's own small logo: concordance lines aligned on their node word.

#include "platform/gui/Graphics.h"

// Draws the logo into picture at size x size pixels, transparent around its
// rounded corners.
void DrawProgramLogo(TBitmap& picture, int size = 64);
