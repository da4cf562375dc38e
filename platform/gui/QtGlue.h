#pragma once
// Small pieces shared by the layer's Qt-facing sources (never included
// outside platform/gui).

#include <QColor>
#include <QEvent>
#include <QPalette>
#include <QRect>
#include <QString>
#include <string>

#include "platform/gui/Types.h"

// Text as the user sees it: the program's 8-bit text shown as UTF-8 when it is
// valid UTF-8, otherwise as code page 936.
QString ToQString(const std::string& text);
std::string FromQString(const QString& text);

// A colour of the program (system colours resolved) as Qt takes it.
inline QColor ToQColor(TColor color) {
    const TColor c = ColorToRGB(color);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// What Pixel answers for a point outside the picture.
constexpr TColor kInvalidColor = -1;

// Sets a colour of the enabled look only: a disabled widget keeps the
// style's greyed one, so that it looks disabled.
inline void SetEnabledColor(QPalette& palette, QPalette::ColorRole role, const QColor& color) {
    palette.setColor(QPalette::Active, role, color);
    palette.setColor(QPalette::Inactive, role, color);
}

inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// Sent to a scroll area's widget before its scroll state is read or set: a
// view whose layout waits for the event loop lays itself out now.
constexpr QEvent::Type kScrollStateEvent = QEvent::Type(QEvent::User + 17);

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
