// Block transfers: the destination and source blocks are read out of the
// images behind the canvases, combined bit by bit and drawn back through the
// destination's painter, so its origin and clipping apply as to any drawing.
// Only operations that read the destination need an image behind it.

#include "platform/gui/graphics/Blit.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>

#include "platform/gui/QtGlue.h"

uint32_t ApplyRop3(uint32_t rop, uint32_t pattern, uint32_t source, uint32_t dest) {
    const unsigned table = (rop >> 16) & 0xFF;
    uint32_t result = 0;
    // Bit k of the table is the result for pattern bit k>>2, source bit
    // (k>>1)&1 and destination bit k&1.
    for (unsigned k = 0; k < 8; ++k) {
        if (!((table >> k) & 1)) continue;
        result |= ((k & 4) ? pattern : ~pattern) & ((k & 2) ? source : ~source) & ((k & 1) ? dest : ~dest);
    }
    return result & 0x00FFFFFF;
}

namespace {

bool ReadsSource(uint32_t rop) {
    const unsigned table = (rop >> 16) & 0xFF;
    return ((table >> 2) & 0x33) != (table & 0x33);
}

bool ReadsDestination(uint32_t rop) {
    const unsigned table = (rop >> 16) & 0xFF;
    return ((table >> 1) & 0x55) != (table & 0x55);
}

// The block of a canvas's image in device pixels; pixels outside the image read as black.
QImage BlockOf(TCanvas& canvas, const QRect& logical) {
    QPainter* painter = canvas.Painter();
    if (!painter || !painter->device() || painter->device()->devType() != QInternal::Image) return {};
    const auto* image = static_cast<const QImage*>(painter->device());
    const QRect device = painter->deviceTransform().mapRect(logical);
    return image->copy(device).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

bool BitBlt(TCanvas& dest, int x, int y, int w, int h, TCanvas* source, int sx, int sy, uint32_t rop) {
    if (w <= 0 || h <= 0) return true;
    const bool readsSource = ReadsSource(rop);
    if (readsSource && !source) return false;
    QImage src;
    if (readsSource) {
        src = BlockOf(*source, QRect(sx, sy, w, h));
        if (src.isNull()) return false;
    }
    // An operation that does not read the destination can draw on any
    // device, a window's paint included.
    QImage block = ReadsDestination(rop) ? BlockOf(dest, QRect(x, y, w, h)) : QImage(w, h, QImage::Format_RGB32);
    if (block.isNull() || !dest.Painter()) return false;
    const TColor brush = ColorToRGB(dest.Brush().Color);
    const uint32_t pattern = qRgb(GetRValue(brush), GetGValue(brush), GetBValue(brush));
    for (int row = 0; row < h; ++row) {
        auto* d = reinterpret_cast<QRgb*>(block.scanLine(row));
        const auto* s = readsSource ? reinterpret_cast<const QRgb*>(src.constScanLine(row)) : nullptr;
        for (int col = 0; col < w; ++col) d[col] = 0xFF000000u | ApplyRop3(rop, pattern, s ? s[col] : 0, d[col]);
    }
    dest.Painter()->drawImage(QPoint(x, y), block);
    return true;
}
