// Device-independent pixels, copied from and drawn onto the layer's bitmaps.

#include "platform/gui/graphics/Dib.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>

TDibSection::TDibSection(int width, int height)
    : FWidth(std::max(0, width)), FHeight(std::max(0, height)) {
    if (FWidth == 0 || FHeight == 0) FWidth = FHeight = 0;
    FBits.assign(size_t(ImageSize()), 0);
}

TDibSection::TDibSection(const TBitmap& source) : TDibSection(source.Width(), source.Height()) {
    const bool packed = source.PixelFormat() == TPixelFormat::pf24bit;
    for (int y = 0; y < FHeight; ++y) {
        const uint8_t* from = source.ScanLine(y);
        uint8_t* to = Row(y);
        if (packed) {
            std::memcpy(to, from, size_t(FWidth) * 3);
            continue;
        }
        for (int x = 0; x < FWidth; ++x) std::memcpy(to + 3 * x, from + 4 * x, 3);
    }
}

namespace {

QImage ViewOf(const TDibSection& dib) {
    return QImage(dib.Bits(), dib.Width(), dib.Height(), dib.RowSize(), QImage::Format_BGR888);
}

}  // namespace

void TDibSection::Draw(TCanvas& canvas, int x, int y) const {
    if (Empty()) return;
    if (QPainter* painter = canvas.Painter()) painter->drawImage(QPoint(x, y), ViewOf(*this));
}

void TDibSection::CopyTo(TBitmap& bitmap) const {
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    bitmap.SetSize(FWidth, FHeight);
    for (int y = 0; y < FHeight; ++y) std::memcpy(bitmap.ScanLine(y), Row(y), size_t(FWidth) * 3);
}
