#pragma once
// Small pieces shared by the layer's Qt-facing sources (never included
// outside platform/gui).

#include <QColor>
#include <QRect>

#include "platform/gui/Types.h"

// A colour of the program (system colours resolved) as Qt takes it.
inline QColor ToQColor(TColor color) {
    const TColor c = ColorToRGB(color);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// What Pixel answers for a point outside the picture.
constexpr TColor kInvalidColor = -1;

inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// A region handle that owns a copy of a Qt region.
class QRegion;
struct TRegionData;
TRegionData* CreateRegionHandle(const QRegion& region);

// Sets a flag for the length of a scope and restores what it was.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : FFlag(flag), FOld(flag) { flag = true; }
    ~TFlagGuard() { FFlag = FOld; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
    bool FOld;
};
