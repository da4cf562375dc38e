#pragma once
// Block transfers with the platform's ternary raster operations: each result
// bit is looked up from the pattern (the destination canvas's brush), source
// and destination bits.

#include <cstdint>

#include "platform/gui/Graphics.h"

enum : uint32_t {
    SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6, SRCINVERT = 0x00660046,
    SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008, NOTSRCERASE = 0x001100A6, MERGECOPY = 0x00C000CA,
    MERGEPAINT = 0x00BB0226, PATCOPY = 0x00F00021, PATPAINT = 0x00FB0A09, PATINVERT = 0x005A0049,
    DSTINVERT = 0x00550009, BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062,
};

// Combines the w x h block at (sx, sy) of source (which may be null when the
// operation does not read it) with the block at (x, y) of dest. Returns false
// when dest cannot be drawn on or a needed source is missing.
bool BitBlt(TCanvas& dest, int x, int y, int w, int h, TCanvas* source, int sx, int sy, uint32_t rop);

// The colour bits of one pixel after a raster operation.
uint32_t ApplyRop3(uint32_t rop, uint32_t pattern, uint32_t source, uint32_t dest);
