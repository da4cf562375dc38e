// Pixel operations of the effect pictures. Blends and brightness values are
// computed in extended precision and rounded half to even.

#include "skin/core/qlEffects.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

void ClampRGB(int& R, int& G, int& B) {
    R = std::clamp(R, 0, 255);
    G = std::clamp(G, 0, 255);
    B = std::clamp(B, 0, 255);
}

namespace {

using Extended = long double;

// In the default rounding mode: halves to even.
int Round(Extended v) { return int(std::lrintl(v)); }

Extended Share(double k) { return std::clamp<Extended>(k, 0, 1); }

uint8_t Channel(Extended v) { return uint8_t(std::clamp(Round(v), 0, 255)); }

// Pixel := round(t x own + (1 - t) x source), channel by channel.
void Blend(uint8_t* own, const uint8_t* source, Extended t) {
    for (int c = 0; c < 3; ++c) own[c] = Channel(t * own[c] + (1 - t) * source[c]);
}

void CopyPixel(uint8_t* to, const uint8_t* from) { std::memmove(to, from, 3); }

// The shared generator of AddNoise, seeded once per run.
std::minstd_rand& NoiseGenerator() {
    static std::minstd_rand generator(std::random_device{}());
    return generator;
}

}  // namespace

TqlEffectBmp::TqlEffectBmp(const TBitmap& Bitmap) : FDib(Bitmap) {}

TqlEffectBmp::TqlEffectBmp(int Width, int Height) : FDib(Width, Height) {}

void TqlEffectBmp::Draw(TCanvas& Canvas, int X, int Y) const { FDib.Draw(Canvas, X, Y); }

void TqlEffectBmp::CopyTo(TBitmap& Bitmap) const { FDib.CopyTo(Bitmap); }

TColor TqlEffectBmp::GetPixel(int X, int Y) const {
    if (!FDib.Contains(X, Y)) return -1;
    const uint8_t* p = Pixel(X, Y);
    return RGB(p[2], p[1], p[0]);
}

void TqlEffectBmp::SetPixel(int X, int Y, TColor Colour) {
    if (!FDib.Contains(X, Y)) return;
    uint8_t* p = Pixel(X, Y);
    p[0] = uint8_t(GetBValue(Colour));
    p[1] = uint8_t(GetGValue(Colour));
    p[2] = uint8_t(GetRValue(Colour));
}

void TqlEffectBmp::GetRow(int Y, uint8_t* Buffer) const {
    if (Y >= 0 && Y < Height()) std::memcpy(Buffer, FDib.Row(Y), size_t(Width()) * 3);
}

void TqlEffectBmp::SetRow(int Y, const uint8_t* Buffer) {
    if (Y >= 0 && Y < Height()) std::memcpy(FDib.Row(Y), Buffer, size_t(Width()) * 3);
}

uint8_t* TqlEffectBmp::ScanLine(int Y) { return Y >= 0 && Y < Height() ? FDib.Row(Y) : nullptr; }

bool TqlEffectBmp::SameSize(const TqlEffectBmp& Source) const {
    return Source.Width() == Width() && Source.Height() == Height();
}

template <class F>
void TqlEffectBmp::ForEachRow(const TqlEffectBmp* Source, F Change) {
    std::vector<uint8_t> row(size_t(Width()) * 3);
    for (int y = 0; y < Height(); ++y) {
        GetRow(y, row.data());
        Change(row.data(), Source ? Source->FDib.Row(y) : nullptr);
        SetRow(y, row.data());
    }
}

// Morphs.

void TqlEffectBmp::Morph(const TqlEffectBmp& Source, double Kf) {
    if (!SameSize(Source)) return;
    const Extended k = Share(Kf);
    ForEachRow(&Source, [&](uint8_t* row, const uint8_t* src) {
        for (int i = 0; i < Width() * 3; ++i) row[i] = Channel((1 - k) * row[i] + k * src[i]);
    });
}

void TqlEffectBmp::MorphGradient(const TqlEffectBmp& Source, double Kf) {
    if (Width() < Height())
        MorphCenterGradientV(Source, Kf);
    else
        MorphCenterGradientH(Source, Kf);
}

void TqlEffectBmp::MorphCenterGradientH(const TqlEffectBmp& Source, double Kf) {
    if (!SameSize(Source) || Width() == 0) return;
    const int W = Width();
    const int B = Round(W * Share(Kf));
    const int L = (W - B) / 2;
    const Extended step = L == 0 ? 1 : Extended(1) / L;
    const int S = std::max(0, W / 2 - B / 2), E = std::min(W - 1, W / 2 + B / 2);
    ForEachRow(&Source, [&](uint8_t* row, const uint8_t* src) {
        for (int x = S; x <= E; ++x) CopyPixel(row + 3 * x, src + 3 * x);
        Extended t = 0;
        for (int x = S; x >= 0; --x, t = std::min<Extended>(1, t + step)) Blend(row + 3 * x, src + 3 * x, t);
        t = 0;
        for (int x = E; x < W; ++x, t = std::min<Extended>(1, t + step)) Blend(row + 3 * x, src + 3 * x, t);
    });
}

void TqlEffectBmp::MorphCenterGradientV(const TqlEffectBmp& Source, double Kf) {
    if (!SameSize(Source) || Height() == 0) return;
    const int H = Height(), W = Width();
    const int B = Round(H * Share(Kf));
    const int L = (H - 1 - B) / 2;
    const Extended step = L <= 0 ? 0 : Extended(1) / L;
    const int S = std::max(0, H / 2 - B / 2), E = std::min(H - 1, H / 2 + B / 2);
    auto blendRow = [&](int y, Extended t) {
        for (int x = 0; x < W; ++x) Blend(Pixel(x, y), Source.Pixel(x, y), t);
    };
    for (int y = S; y <= E; ++y) std::memcpy(FDib.Row(y), Source.FDib.Row(y), size_t(W) * 3);
    Extended t = 0;
    for (int y = S; y >= 0; --y, t = std::min<Extended>(1, t + step)) blendRow(y, t);
    t = 0;
    for (int y = E; y < H; ++y, t = std::min<Extended>(1, t + step)) blendRow(y, t);
}

namespace {

// Round(W x Kf) brought into [Low, High], High winning over Low.
int Columns(int W, double Kf, int Low, int High) { return std::max(Low, std::min(Round(W * Share(Kf)), High)); }

}  // namespace

void TqlEffectBmp::MorphLeftGradient(const TqlEffectBmp& Source, double Kf) {
    if (!SameSize(Source) || Width() == 0) return;
    const int W = Width();
    const int N = std::max(1, Columns(W, Kf, 1, W - 1));
    const Extended step = Extended(1) / N;
    ForEachRow(&Source, [&](uint8_t* row, const uint8_t* src) {
        Extended t = 0;
        for (int x = 0; x <= N && x < W; ++x, t = std::min<Extended>(1, t + step)) Blend(row + 3 * x, src + 3 * x, t);
    });
}

void TqlEffectBmp::MorphRightGradient(const TqlEffectBmp& Source, double Kf) {
    if (!SameSize(Source) || Width() == 0) return;
    const int W = Width();
    const int M = std::clamp(W - Round(W * Share(Kf)), 0, W - 1);
    const Extended step = W - M < 1 ? 1 : Extended(1) / (W - M);
    ForEachRow(&Source, [&](uint8_t* row, const uint8_t* src) {
        Extended t = 0;
        for (int x = W - 1; x >= M; --x, t = std::min<Extended>(1, t + step)) Blend(row + 3 * x, src + 3 * x, t);
    });
}

void TqlEffectBmp::MorphLeftSlide(const TqlEffectBmp& Source, double Kf) {
    if (!SameSize(Source) || Width() == 0) return;
    const int W = Width();
    const int N = std::min(std::max(1, Columns(W, Kf, 1, W - 1)), W);
    ForEachRow(&Source, [&](uint8_t* row, const uint8_t* src) {
        int s = std::max(0, W - 1 - N);
        for (int x = 0; x < N; ++x) {
            s = std::min(s + 1, W - 1);
            CopyPixel(row + 3 * x, src + 3 * s);
        }
    });
}

void TqlEffectBmp::MorphRightSlide(const TqlEffectBmp& Source, double Kf) {
    if (!SameSize(Source) || Width() == 0) return;
    const int W = Width();
    const int N = std::min(std::max(1, Columns(W, Kf, 1, W - 1)), W);
    ForEachRow(&Source, [&](uint8_t* row, const uint8_t* src) {
        int s = std::max(0, W - 1 - N);
        for (int k = 0; k < N; ++k) {
            s = std::min(s + 1, W - 1);
            CopyPixel(row + 3 * s, src + 3 * k);
        }
    });
}

void TqlEffectBmp::MorphPush(const TqlEffectBmp& Source, double Kf) {
    if (!SameSize(Source) || Width() == 0) return;
    const int W = Width();
    const int N = Columns(W, Kf, 0, W - 1);
    ForEachRow(&Source, [&](uint8_t* row, const uint8_t* src) {
        // From the right, so every read is of a pixel not yet moved.
        for (int x = W - 1; x >= N; --x) CopyPixel(row + 3 * x, row + 3 * std::max(0, x - N - 1));
        int s = std::max(0, W - N - 1);
        for (int x = 0; x <= N; ++x) {
            CopyPixel(row + 3 * x, src + 3 * s);
            s = std::min(s + 1, W - 1);
        }
    });
}

// Colour effects.

void TqlEffectBmp::ChangeBrightness(double K) {
    const Extended k = Share(K);
    ForEachRow(nullptr, [&](uint8_t* row, const uint8_t*) {
        for (int i = 0; i < Width() * 3; ++i) row[i] = Channel((1 - k) * row[i] + 255 * k);
    });
}

void TqlEffectBmp::ChangeDarkness(double K) {
    const Extended k = Share(K);
    ForEachRow(nullptr, [&](uint8_t* row, const uint8_t*) {
        for (int i = 0; i < Width() * 3; ++i) row[i] = Channel((1 - k) * row[i]);
    });
}

void TqlEffectBmp::GrayScale() {
    ForEachRow(nullptr, [&](uint8_t* row, const uint8_t*) {
        for (int x = 0; x < Width(); ++x) {
            uint8_t* p = row + 3 * x;
            const uint8_t g = Channel(0.3L * p[2] + 0.59L * p[1] + 0.11L * p[0]);
            p[0] = p[1] = p[2] = g;
        }
    });
}

void TqlEffectBmp::AddNoise(int Amount) {
    if (Amount <= 0) return;
    std::uniform_int_distribution<int> random(0, Amount - 1);
    ForEachRow(nullptr, [&](uint8_t* row, const uint8_t*) {
        for (int x = 0; x < Width(); ++x) {
            const int r = random(NoiseGenerator()) - Amount / 2;
            uint8_t* p = row + 3 * x;
            int red = p[2] + r, green = p[1] + r, blue = p[0] + r;
            ClampRGB(red, green, blue);
            p[0] = uint8_t(blue), p[1] = uint8_t(green), p[2] = uint8_t(red);
        }
    });
}

void TqlEffectBmp::SplitBlur(int Amount) {
    if (Amount <= 0) return;
    const int W = Width(), H = Height();
    // Where a neighbour Amount away would lie outside, the pixel's own row or
    // column stands in, on every edge alike.
    for (int y = 0; y < H; ++y) {
        const int y1 = y >= Amount ? y - Amount : y, y2 = y + Amount < H ? y + Amount : y;
        for (int x = 0; x < W; ++x) {
            const int x1 = x >= Amount ? x - Amount : x, x2 = x + Amount < W ? x + Amount : x;
            uint8_t* p = Pixel(x, y);
            for (int c = 0; c < 3; ++c)
                p[c] = uint8_t((Pixel(x1, y1)[c] + Pixel(x1, y2)[c] + Pixel(x2, y1)[c] + Pixel(x2, y2)[c]) / 4);
        }
    }
}

void TqlEffectBmp::Invert() {
    ForEachRow(nullptr, [&](uint8_t* row, const uint8_t*) {
        for (int i = 0; i < Width() * 3; ++i) row[i] = uint8_t(255 - row[i]);
    });
}

// Geometry.

void TqlEffectBmp::RotateLeft(TqlEffectBmp& Dest) const {
    if (&Dest == this) {
        TqlEffectBmp copy(*this);
        copy.RotateLeft(Dest);
        return;
    }
    Dest.FDib = TDibSection(Height(), Width());
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x) CopyPixel(Dest.Pixel(y, Width() - 1 - x), Pixel(x, y));
}

void TqlEffectBmp::RotateRight(TqlEffectBmp& Dest) const {
    if (&Dest == this) {
        TqlEffectBmp copy(*this);
        copy.RotateRight(Dest);
        return;
    }
    Dest.FDib = TDibSection(Height(), Width());
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x) CopyPixel(Dest.Pixel(Height() - 1 - y, x), Pixel(x, y));
}

void TqlEffectBmp::FlipVertical(TqlEffectBmp& Dest) const {
    if (&Dest == this) {
        TqlEffectBmp copy(*this);
        copy.FlipVertical(Dest);
        return;
    }
    Dest.FDib = TDibSection(Width(), Height());
    for (int y = 0; y < Height(); ++y)
        std::memcpy(Dest.FDib.Row(Height() - 1 - y), FDib.Row(y), size_t(Width()) * 3);
}
