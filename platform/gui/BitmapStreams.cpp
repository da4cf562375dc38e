// BMP files inside other streams, as the stored skin holds them one after another.

#include <cstdlib>

#include "platform/core/Streams.h"
#include "platform/gui/Graphics.h"

namespace {

constexpr int kFileHeader = 14;
constexpr int kMaxSide = 16384;

uint32_t LE32(const std::string& b, size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}

uint16_t LE16(const std::string& b, size_t at) { return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }

[[noreturn]] void Invalid() { throw Exception("Bitmap image is not valid"); }

}  // namespace

void TBitmap::LoadFromStream(TStream& stream) {
    std::string bytes(kFileHeader, '\0');
    stream.ReadBuffer(bytes.data(), kFileHeader);
    if (bytes[0] != 'B' || bytes[1] != 'M') Invalid();
    const uint32_t fileSize = LE32(bytes, 2);
    const int64_t remaining = stream.Size() - stream.Position();
    if (fileSize < 54 || int64_t(fileSize) - kFileHeader > remaining) Invalid();
    bytes.resize(fileSize);
    stream.ReadBuffer(bytes.data() + kFileHeader, fileSize - kFileHeader);

    const uint32_t infoSize = LE32(bytes, 14);
    int64_t width, height;
    if (infoSize == 12) {
        width = LE16(bytes, 18);
        height = LE16(bytes, 20);
    } else if (infoSize >= 40) {
        width = int32_t(LE32(bytes, 18));
        height = std::llabs(int32_t(LE32(bytes, 22)));
    } else {
        Invalid();
    }
    if (width < 1 || width > kMaxSide || height < 1 || height > kMaxSide) Invalid();
    LoadFromBytes(bytes);
}

void TBitmap::SaveToStream(TStream& stream) const { stream.WriteBuffer(SaveToBytes()); }
