#pragma once
// Working copies of pictures for transitions and effects, changed pixel by
// pixel: morphs from one state picture to another, the looks of an inactive
// window, and quarter turns and flips.

#include <cstdint>
#include <vector>

#include "platform/gui/graphics/Dib.h"

// Channel values outside 0..255 are brought to the nearest end.
void ClampRGB(int& R, int& G, int& B);

// A 24-bit top-down picture: rows of blue, green, red, padded to 4 bytes.
// Every operation is safe on any size, 0 x 0 included; pixel access outside
// the picture reads -1 and writes nothing.
class TqlEffectBmp : public TObject {
public:
    explicit TqlEffectBmp(const TBitmap& Bitmap);
    // Black, of the given size.
    TqlEffectBmp(int Width, int Height);

    int Width() const { return FDib.Width(); }
    int Height() const { return FDib.Height(); }
    int ImageSize() const { return FDib.ImageSize(); }
    uint8_t* Bits() { return FDib.Bits(); }

    void Draw(TCanvas& Canvas, int X, int Y) const;
    void CopyTo(TBitmap& Bitmap) const;
    TColor GetPixel(int X, int Y) const;
    void SetPixel(int X, int Y, TColor Colour);
    // Width x 3 bytes of row Y; a row outside the picture is not copied.
    void GetRow(int Y, uint8_t* Buffer) const;
    void SetRow(int Y, const uint8_t* Buffer);
    // Null for a row outside the picture.
    uint8_t* ScanLine(int Y);

    // Blends toward Source, which must have this picture's size (else nothing
    // changes). Kf is the share of Source, brought into 0..1.
    void Morph(const TqlEffectBmp& Source, double Kf);
    void MorphGradient(const TqlEffectBmp& Source, double Kf);
    void MorphCenterGradientH(const TqlEffectBmp& Source, double Kf);
    void MorphCenterGradientV(const TqlEffectBmp& Source, double Kf);
    void MorphLeftGradient(const TqlEffectBmp& Source, double Kf);
    void MorphRightGradient(const TqlEffectBmp& Source, double Kf);
    void MorphLeftSlide(const TqlEffectBmp& Source, double Kf);
    void MorphRightSlide(const TqlEffectBmp& Source, double Kf);
    void MorphPush(const TqlEffectBmp& Source, double Kf);

    void ChangeBrightness(double K);
    void ChangeDarkness(double K);
    void GrayScale();
    void AddNoise(int Amount);
    void SplitBlur(int Amount);
    void Invert();

    // Dest is given the turned size (Height x Width) before it is filled.
    void RotateLeft(TqlEffectBmp& Dest) const;
    void RotateRight(TqlEffectBmp& Dest) const;
    void FlipVertical(TqlEffectBmp& Dest) const;

private:
    bool SameSize(const TqlEffectBmp& Source) const;
    uint8_t* Pixel(int X, int Y) { return FDib.Row(Y) + 3 * X; }
    const uint8_t* Pixel(int X, int Y) const { return FDib.Row(Y) + 3 * X; }
    // Calls Change(row, sourceRow) for every row, on a copy of the row that is
    // written back afterwards.
    template <class F>
    void ForEachRow(const TqlEffectBmp* Source, F Change);

    TDibSection FDib;
};
