#pragma once
// Device-independent pixels: a 24-bit, top-down block of rows of blue, green
// and red bytes, each row padded to a multiple of 4 bytes (3 x width + width
// mod 4), for code that scans or changes pictures byte by byte.

#include <cstdint>
#include <vector>

#include "platform/gui/Graphics.h"

class TDibSection {
public:
    TDibSection() = default;
    // A black block of the given size; a negative size counts as 0.
    TDibSection(int width, int height);
    // The pixels of a bitmap, as GetDIBits gives them.
    explicit TDibSection(const TBitmap& source);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int RowSize() const { return RowSizeOf(FWidth); }
    int ImageSize() const { return RowSize() * FHeight; }
    bool Empty() const { return FWidth == 0 || FHeight == 0; }
    static int RowSizeOf(int width) { return 3 * width + width % 4; }

    // Null for an empty block.
    uint8_t* Bits() { return FBits.empty() ? nullptr : FBits.data(); }
    const uint8_t* Bits() const { return FBits.empty() ? nullptr : FBits.data(); }
    // Row y; the caller keeps y in 0 .. Height - 1.
    uint8_t* Row(int y) { return FBits.data() + size_t(y) * size_t(RowSize()); }
    const uint8_t* Row(int y) const { return FBits.data() + size_t(y) * size_t(RowSize()); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < FWidth && y < FHeight; }

    // SetDIBitsToDevice: the block 1:1 at (x, y) of the canvas.
    void Draw(TCanvas& canvas, int x, int y) const;
    // The block as a 24-bit bitmap of its size.
    void CopyTo(TBitmap& bitmap) const;

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<uint8_t> FBits;
};
