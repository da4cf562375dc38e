// BMP files inside other streams, as the stored skin holds them one after another.

#include <algorithm>
#include <cstdlib>

#include "platform/core/Streams.h"
#include "platform/gui/Graphics.h"

namespace {

constexpr int kFileHeader = 14;

uint32_t LE32(const uint8_t* b) {
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

[[noreturn]] void Invalid() { throw Exception("Bitmap image is not valid"); }

}  // namespace

std::optional<TBmpHeader> PeekBmpHeader(TStream& stream) {
    const int64_t start = stream.Position();
    uint8_t h[26] = {};
    const int64_t got = stream.Read(h, std::min<int64_t>(sizeof h, stream.Size() - start));
    stream.SetPosition(start);
    if (got < 22 || h[0] != 'B' || h[1] != 'M') return std::nullopt;
    TBmpHeader header;
    header.FileSize = LE32(h + 2);
    header.InfoSize = LE32(h + 14);
    if (header.InfoSize == 12) {
        header.Width = h[18] | h[19] << 8;
        header.Height = h[20] | h[21] << 8;
    } else if (header.InfoSize >= 40 && got == 26) {
        header.Width = int32_t(LE32(h + 18));
        header.Height = std::llabs(int32_t(LE32(h + 22)));
    } else {
        return std::nullopt;
    }
    if (header.FileSize < kFileHeader + header.InfoSize || header.FileSize > stream.Size() - start) return std::nullopt;
    return header;
}

void TBitmap::LoadFromStream(TStream& stream) {
    const std::optional<TBmpHeader> header = PeekBmpHeader(stream);
    // No bound on the sides: the file's bytes must hold every row, and a
    // reader that fears large pictures bounds their pixels from the headers.
    if (!header || header->FileSize < 54 || header->Width < 1 || header->Height < 1) Invalid();
    std::string bytes(static_cast<size_t>(header->FileSize), '\0');
    stream.ReadBuffer(bytes.data(), header->FileSize);
    LoadFromBytes(bytes);
}

void TBitmap::SaveToStream(TStream& stream) const { stream.WriteBuffer(SaveToBytes()); }
