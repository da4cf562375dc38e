// Region data to regions. A mask picture gives one rectangle per run of
// pixels in a row, tens of thousands for a fine pattern, so the rectangles are
// united pairwise in a balanced tree rather than one after another, which
// would rebuild an ever larger region at every step.

#include "platform/gui/graphics/RegionData.h"

#include <QRegion>
#include <cstring>

#include "platform/gui/QtGlue.h"

namespace {

QRegion UniteRange(const std::vector<QRect>& rects, size_t first, size_t last) {
    if (last - first == 1) return QRegion(rects[first]);
    const size_t middle = first + (last - first) / 2;
    return UniteRange(rects, first, middle).united(UniteRange(rects, middle, last));
}

}  // namespace

HRGN ExtCreateRegion(const void* xform, uint32_t size, const void* data) {
    if (xform || !data || size < sizeof(RGNDATAHEADER)) return nullptr;
    RGNDATAHEADER header;
    std::memcpy(&header, data, sizeof header);
    if (header.dwSize != sizeof(RGNDATAHEADER) || header.iType != RDH_RECTANGLES) return nullptr;
    if (header.nCount > (size - sizeof(RGNDATAHEADER)) / sizeof(TRect)) return nullptr;

    std::vector<QRect> rects;
    rects.reserve(header.nCount);
    const auto* bytes = static_cast<const uint8_t*>(data) + sizeof(RGNDATAHEADER);
    for (uint32_t i = 0; i < header.nCount; ++i) {
        TRect r;
        std::memcpy(&r, bytes + size_t(i) * sizeof(TRect), sizeof r);
        if (!r.IsEmpty()) rects.emplace_back(r.Left, r.Top, r.Width(), r.Height());
    }
    return CreateRegionHandle(rects.empty() ? QRegion() : UniteRange(rects, 0, rects.size()));
}

std::vector<TRect> RegionRects(HRGN rgn) {
    std::vector<TRect> out;
    for (const QRect& r : RegionOf(rgn)) out.push_back(Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
    return out;
}
