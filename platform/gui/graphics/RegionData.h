#pragma once
// Regions made from lists of rectangles, in the platform's RGNDATA layout: a
// 32-byte header followed by nCount rectangles of 16 bytes each.

#include <cstdint>
#include <vector>

#include "platform/gui/Graphics.h"

enum : uint32_t { RDH_RECTANGLES = 1 };

struct RGNDATAHEADER {
    uint32_t dwSize = sizeof(RGNDATAHEADER);
    uint32_t iType = RDH_RECTANGLES;
    uint32_t nCount = 0;
    uint32_t nRgnSize = 0;
    TRect rcBound;
};
static_assert(sizeof(RGNDATAHEADER) == 32 && sizeof(TRect) == 16, "the region data layout is fixed");

// The union of the rectangles in data (size bytes, a header and its
// rectangles). Returns nullptr when the data is shorter than its header says
// or is not a rectangle list. The transform must be null.
HRGN ExtCreateRegion(const void* xform, uint32_t size, const void* data);

// The rectangles of a region, top to bottom and left to right.
std::vector<TRect> RegionRects(HRGN rgn);
