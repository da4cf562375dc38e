#pragma once
// Small geometry shared by the page control's behaviour and its painting.

#include "platform/gui/Types.h"

inline TPoint Moved(TPoint p, int dx, int dy) { return {p.X + dx, p.Y + dy}; }

inline TRect Moved(const TRect& r, int dx, int dy) {
    return Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
}
