#pragma once
// Small skins built in memory for the skin tests: pictures whose pixels name
// their position, containers laid out by hand, and zlib bytes.

#include <string>

#include "platform/core/Streams.h"
#include "platform/gui/Graphics.h"
#include "skin/core/StoredSkin.h"
#include "skin/core/ZlibStreams.h"

// A 24-bit picture whose pixel (x, y) has the colour RGB(seed + x, y, seed).
inline TBitmap NumberedPicture(int width, int height, int seed) {
    TBitmap b(width, height);
    b.SetPixelFormat(TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.SetPixel(x, y, RGB(seed + x, y, seed));
    return b;
}

inline std::string Int32Bytes(int32_t v) {
    TMemoryStream s;
    s.WriteInt32(v);
    return s.Bytes();
}

inline std::string Deflate(const std::string& bytes) {
    TMemoryStream in(bytes), out;
    CompressStream(in, out);
    return out.Bytes();
}

inline std::string Inflate(const std::string& zlibBytes) {
    TMemoryStream in(zlibBytes), out;
    DecompressStream(out, in, kMaxSkinInflatedSize);
    return out.Bytes();
}

// A black-and-white BMP file of the given size, every pixel 0: a large
// picture in few bytes.
inline std::string OneBitBmp(int32_t width, int32_t height) {
    const int32_t row = (width + 31) / 32 * 4, offset = 14 + 40 + 8;
    std::string bmp = "BM" + Int32Bytes(offset + row * height) + Int32Bytes(0) + Int32Bytes(offset) + Int32Bytes(40) +
                      Int32Bytes(width) + Int32Bytes(height) + std::string("\1\0\1\0", 4) + Int32Bytes(0) +
                      Int32Bytes(row * height) + Int32Bytes(3780) + Int32Bytes(3780) + Int32Bytes(2) + Int32Bytes(0) +
                      Int32Bytes(0) + Int32Bytes(0xFFFFFF);
    return bmp + std::string(size_t(row) * size_t(height), '\0');
}

// A BMP file of 24 or 32 bits a pixel, every byte of its rows 0: the most
// bytes a picture of that many pixels takes.
inline std::string PlainBmp(int32_t width, int32_t height, int bits) {
    const int64_t row = (int64_t(width) * bits + 31) / 32 * 4, pixels = row * height;
    std::string bmp = "BM" + Int32Bytes(int32_t(54 + pixels)) + Int32Bytes(0) + Int32Bytes(54) + Int32Bytes(40) +
                      Int32Bytes(width) + Int32Bytes(height) + std::string("\1\0", 2) + std::string(1, char(bits)) +
                      std::string(1, '\0') + Int32Bytes(0) + Int32Bytes(int32_t(pixels)) + Int32Bytes(3780) +
                      Int32Bytes(3780) + Int32Bytes(0) + Int32Bytes(0);
    return bmp + std::string(size_t(pixels), '\0');
}

// A stored skin holding exactly these inflated container bytes.
inline void StoreContainerBytes(TqlCompressedStoredSkin& skin, const std::string& inflated) {
    skin.SetCompressedData(Deflate(inflated));
}

// A stored skin with one active picture and the given INI text.
inline void StoreSkin(TqlCompressedStoredSkin& skin, const std::string& iniText, int activePictures = 1) {
    TqlSkinContainer c;
    c.Picture = NumberedPicture(4, 3, 10);
    for (int i = 0; i < activePictures; ++i)
        c.ActivePictures.push_back(std::make_unique<TBitmap>(NumberedPicture(2 + i, 2, 50 * i)));
    c.IniText = iniText;
    skin.LoadFromParts(c);
}
