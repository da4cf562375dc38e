// Bitmaps with scan-line access, and their BMP files.

#include <QByteArray>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <algorithm>
#include <limits>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/core/SysUtils.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/QtGlue.h"

namespace {

QImage::Format QtFormat(TPixelFormat format) {
    switch (format) {
        case TPixelFormat::pf24bit: return QImage::Format_BGR888;
        case TPixelFormat::pf32bit: return QImage::Format_ARGB32;
        default: return QImage::Format_RGB32;
    }
}

int BytesPerPixel(TPixelFormat format) { return format == TPixelFormat::pf24bit ? 3 : 4; }

}  // namespace

// Bitmaps.

TBitmap::TBitmap() : FImage(std::make_unique<QImage>()), FCanvas(std::make_unique<TCanvas>()) {
    FCanvas->FBitmap = this;
}

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() { FCanvas->EndImagePainter(); }

TBitmap::TBitmap(const TBitmap& other) : TBitmap() { *this = other; }

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this == &other) return *this;
    FCanvas->EndImagePainter();
    other.FCanvas->EndImagePainter();
    FFormat = other.FFormat;
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    *FImage = other.FImage->copy();
    Transparent = other.Transparent;
    TransparentColor = other.TransparentColor;
    return *this;
}

int TBitmap::Width() const { return FWidth; }

int TBitmap::Height() const { return FHeight; }

void TBitmap::SetWidth(int width) { Reformat(width, FHeight); }

void TBitmap::SetHeight(int height) { Reformat(FWidth, height); }

void TBitmap::SetSize(int width, int height) { Reformat(width, height); }

void TBitmap::Reformat(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == FWidth && height == FHeight) return;
    FCanvas->EndImagePainter();
    QImage next;
    if (width > 0 && height > 0) {
        next = QImage(width, height, QtFormat(FFormat));
        if (next.isNull()) throw Exception("Out of memory for a bitmap of " + std::to_string(width) + " x " +
                                           std::to_string(height));
        // Black; the device format's unused byte stays 255, as it must.
        next.fill(FFormat == TPixelFormat::pfDevice ? 0xFF000000u : 0u);
        const int bytesPerPixel = BytesPerPixel(FFormat);
        const size_t rowBytes = size_t(std::min(width, FImage->width())) * bytesPerPixel;
        for (int y = 0; y < std::min(height, FImage->height()); ++y)
            std::memcpy(next.scanLine(y), FImage->constScanLine(y), rowBytes);
    }
    *FImage = std::move(next);
    FWidth = width;
    FHeight = height;
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == FFormat) return;
    FCanvas->EndImagePainter();
    const TPixelFormat old = FFormat;
    FFormat = format;
    if (FImage->isNull()) return;
    // Byte by byte, so that no colour is blended with its alpha on the way. A
    // 32-bit picture keeps its alpha; one made from another layout is opaque.
    QImage next(FWidth, FHeight, QtFormat(format));
    const int from = BytesPerPixel(old), to = BytesPerPixel(format);
    const bool keepAlpha = format == TPixelFormat::pf32bit && old != TPixelFormat::pf24bit;
    for (int y = 0; y < FHeight; ++y) {
        const uint8_t* src = FImage->constScanLine(y);
        uint8_t* dst = next.scanLine(y);
        for (int x = 0; x < FWidth; ++x) {
            std::memcpy(dst + to * x, src + from * x, 3);
            if (to == 4) dst[4 * x + 3] = keepAlpha ? src[4 * x + 3] : 0xFF;
        }
    }
    *FImage = std::move(next);
}

uint8_t* TBitmap::ScanLine(int y) {
    FCanvas->EndImagePainter();
    if (y < 0 || y >= FHeight || FImage->isNull()) throw Exception("Scan line index out of range");
    return FImage->scanLine(y);
}

const uint8_t* TBitmap::ScanLine(int y) const {
    FCanvas->EndImagePainter();
    if (y < 0 || y >= FHeight || FImage->isNull()) throw Exception("Scan line index out of range");
    return FImage->constScanLine(y);
}

TCanvas& TBitmap::Canvas() { return *FCanvas; }

TColor TBitmap::Pixel(int x, int y) const {
    FCanvas->EndImagePainter();
    if (!FImage->valid(x, y)) return kInvalidColor;
    const QRgb c = FImage->pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    FCanvas->EndImagePainter();
    if (!FImage->valid(x, y)) return;
    const TColor c = ColorToRGB(color);
    FImage->setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
}

QImage& TBitmap::Image() {
    FCanvas->EndImagePainter();
    return *FImage;
}

const QImage& TBitmap::Image() const {
    FCanvas->EndImagePainter();
    return *FImage;
}

bool TBitmap::SavePng(const std::string& fileName) const {
    FCanvas->EndImagePainter();
    if (FImage->isNull()) return false;
    return FImage->save(QFile::decodeName(QByteArray::fromStdString(fileName)), "PNG");
}

void TBitmap::LoadFromFile(const std::string& fileName) { LoadFromBytes(ReadFileBytes(fileName)); }

void TBitmap::SaveToFile(const std::string& fileName) const { WriteFileReplacing(fileName, SaveToBytes()); }

// BMP files: a 14-byte file header, then an info header whose first field is
// its own size, an optional palette, and rows padded to 4 bytes, bottom row
// first unless the height is negative.

namespace {

constexpr uint32_t kBiRgb = 0, kBiBitfields = 3;

void PutLE(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

class TBmpReader {
public:
    explicit TBmpReader(const std::string& data) : FData(data) {}
    uint32_t U32(size_t at) const {
        Need(at, 4);
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(FData[at + i]);
        return v;
    }
    uint16_t U16(size_t at) const {
        Need(at, 2);
        return static_cast<uint16_t>(static_cast<uint8_t>(FData[at]) | (static_cast<uint8_t>(FData[at + 1]) << 8));
    }
    const uint8_t* Bytes(size_t at, uint64_t count) const {
        Need(at, count);
        return reinterpret_cast<const uint8_t*>(FData.data()) + at;
    }
    [[noreturn]] static void Fail() { throw Exception("Bitmap image is not valid"); }

private:
    void Need(uint64_t at, uint64_t count) const {
        if (at > FData.size() || count > FData.size() - at) Fail();
    }
    const std::string& FData;
};

}  // namespace

std::string TBitmap::SaveToBytes() const {
    FCanvas->EndImagePainter();
    const int bits = FFormat == TPixelFormat::pf24bit ? 24 : 32;
    const uint32_t rowSize = (uint32_t(FWidth) * bits + 31) / 32 * 4;
    const uint32_t imageSize = rowSize * uint32_t(FHeight);
    std::string out;
    out.reserve(54 + imageSize);
    out += "BM";
    PutLE(out, 54 + imageSize, 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4);
    PutLE(out, uint32_t(FWidth), 4);
    PutLE(out, uint32_t(FHeight), 4);
    PutLE(out, 1, 2);
    PutLE(out, uint32_t(bits), 2);
    PutLE(out, kBiRgb, 4);
    PutLE(out, imageSize, 4);
    PutLE(out, 3780, 4);  // 96 dots per inch
    PutLE(out, 3780, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    const size_t used = size_t(FWidth) * (bits / 8);
    for (int y = FHeight - 1; y >= 0 && !FImage->isNull(); --y) {
        out.append(reinterpret_cast<const char*>(FImage->constScanLine(y)), used);
        out.append(rowSize - used, '\0');
    }
    return out;
}

void TBitmap::LoadFromBytes(const std::string& bmp) {
    const TBmpReader in(bmp);
    if (bmp.size() < 26 || bmp[0] != 'B' || bmp[1] != 'M') TBmpReader::Fail();
    const uint32_t dataOffset = in.U32(10);
    const uint32_t headerSize = in.U32(14);
    int64_t width, height;
    int bits;
    uint32_t compression = kBiRgb, colorsUsed = 0;
    size_t paletteEntry = 4;
    if (headerSize == 12) {
        width = in.U16(18);
        height = in.U16(20);
        if (in.U16(22) != 1) TBmpReader::Fail();
        bits = in.U16(24);
        paletteEntry = 3;
    } else if (headerSize >= 40) {
        width = int32_t(in.U32(18));
        height = int32_t(in.U32(22));
        if (in.U16(26) != 1) TBmpReader::Fail();
        bits = in.U16(28);
        compression = in.U32(30);
        colorsUsed = in.U32(46);
        in.Bytes(14, headerSize);
    } else {
        TBmpReader::Fail();
    }
    const bool topDown = height < 0;
    height = std::abs(height);
    // Any sides whose rows the bytes hold and a QImage takes; no image has
    // the height 2^31 that a negated INT_MIN gives.
    if (width < 0 || height > std::numeric_limits<int32_t>::max()) TBmpReader::Fail();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) TBmpReader::Fail();
    if (compression == kBiBitfields && bits == 32) {
        // Only the masks that describe plain B, G, R bytes; they follow the
        // 40-byte part of the header, inside it or not.
        const size_t masks = 54;
        if (in.U32(masks) != 0x00FF0000 || in.U32(masks + 4) != 0x0000FF00 || in.U32(masks + 8) != 0x000000FF)
            TBmpReader::Fail();
    } else if (compression != kBiRgb) {
        TBmpReader::Fail();
    }

    std::vector<QRgb> palette;
    if (bits <= 8) {
        const uint32_t count = colorsUsed ? colorsUsed : (1u << bits);
        if (count > 256) TBmpReader::Fail();
        const uint8_t* p = in.Bytes(14 + headerSize, uint64_t(count) * paletteEntry);
        for (uint32_t i = 0; i < count; ++i, p += paletteEntry) palette.push_back(qRgb(p[2], p[1], p[0]));
    }

    const uint64_t rowSize = (uint64_t(width) * bits + 31) / 32 * 4;
    const uint8_t* pixels = in.Bytes(dataOffset, rowSize * uint64_t(height));
    const TPixelFormat format = bits == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit;
    QImage image;
    if (width > 0 && height > 0) {
        image = QImage(int(width), int(height), QtFormat(format));
        if (image.isNull()) TBmpReader::Fail();
        for (int64_t row = 0; row < height; ++row) {
            const uint8_t* src = pixels + row * rowSize;
            uint8_t* dst = image.scanLine(int(topDown ? row : height - 1 - row));
            if (bits >= 24) {
                std::memcpy(dst, src, size_t(width) * (bits / 8));
                continue;
            }
            const int perByte = 8 / bits;
            const unsigned mask = (1u << bits) - 1;
            for (int64_t x = 0; x < width; ++x) {
                const int shift = 8 - bits * int(x % perByte + 1);
                const unsigned index = (src[x / perByte] >> shift) & mask;
                const QRgb c = index < palette.size() ? palette[index] : qRgb(0, 0, 0);
                dst[3 * x] = uint8_t(qBlue(c));
                dst[3 * x + 1] = uint8_t(qGreen(c));
                dst[3 * x + 2] = uint8_t(qRed(c));
            }
        }
    }

    FCanvas->EndImagePainter();
    FFormat = format;
    FWidth = int(width);
    FHeight = int(height);
    *FImage = std::move(image);
}
