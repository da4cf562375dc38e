// The skin helpers on the paths a skinned window runs on every paint or timer
// tick: a morph step of a button (every 20 ms while it animates), building a
// control picture of any size, and turning a mask into a window region. The
// copy of the same pixels is the yardstick for the per-pixel operations.
//
//   QT_QPA_PLATFORM=offscreen lexmoor-skin-bench

#include <QApplication>
#include <benchmark/benchmark.h>
#include <algorithm>

#include "platform/gui/graphics/RegionData.h"
#include "skin/core/qlEffects.h"
#include "skin/core/qlUtils.h"

namespace {

TqlEffectBmp Picture(int w, int h, int seed) {
    TqlEffectBmp b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, RGB(x * 3 + seed, y * 5 + seed, x + y + seed));
    return b;
}

// Square pictures of side state.range(0).
void BM_CopyPixels(benchmark::State& state) {
    const int n = int(state.range(0));
    TqlEffectBmp own = Picture(n, n, 0);
    TqlEffectBmp source = Picture(n, n, 7);
    for (auto _ : state) {
        for (int y = 0; y < n; ++y) own.SetRow(y, source.ScanLine(y));
        benchmark::DoNotOptimize(own.Bits());
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}
BENCHMARK(BM_CopyPixels)->RangeMultiplier(4)->Range(32, 512);

void BM_Morph(benchmark::State& state) {
    const int n = int(state.range(0));
    TqlEffectBmp own = Picture(n, n, 0);
    const TqlEffectBmp source = Picture(n, n, 7);
    for (auto _ : state) {
        own.Morph(source, 0.4);
        benchmark::DoNotOptimize(own.Bits());
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}
BENCHMARK(BM_Morph)->RangeMultiplier(4)->Range(32, 512);

void BM_MorphGradient(benchmark::State& state) {
    const int n = int(state.range(0));
    TqlEffectBmp own = Picture(n, n, 0);
    const TqlEffectBmp source = Picture(n, n, 7);
    for (auto _ : state) {
        own.MorphGradient(source, 0.4);
        benchmark::DoNotOptimize(own.Bits());
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}
BENCHMARK(BM_MorphGradient)->RangeMultiplier(4)->Range(32, 512);

// A 30 x 24 button piece built to a width of state.range(0) and a third of it high.
void BM_BuildNinePart(benchmark::State& state) {
    TBitmap source(64, 40);
    const int W = int(state.range(0)), H = std::max(24, W / 3);
    const TRect SR = Rect(10, 5, 40, 29), CR = Rect(6, 5, 24, 19);
    const int dw = W - 30, dh = H - 24;
    TBitmap dest;
    for (auto _ : state) {
        BuildNinePart({8, 7}, {22, 7}, {8, 17}, {22, 17}, CR, {8, 7}, {22 + dw, 7}, {8, 17 + dh}, {22 + dw, 17 + dh},
                      Rect(6, 5, 24 + dw, 19 + dh), dest, source, SR, W, H, true, false, false, false, false, false,
                      stFull);
        benchmark::DoNotOptimize(dest.Width());
    }
    state.SetItemsProcessed(state.iterations() * W * H);
}
BENCHMARK(BM_BuildNinePart)->RangeMultiplier(4)->Range(32, 2048);

// A window mask of side state.range(0): black but for cut corners (few runs),
// or a checkerboard (one run per black pixel).
void MaskRegion(benchmark::State& state, bool checkerboard) {
    const int n = int(state.range(0));
    TBitmap mask(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const bool corner = std::min(x, n - 1 - x) + std::min(y, n - 1 - y) < 4;
            const bool black = checkerboard ? ((x + y) & 1) == 0 : !corner;
            mask.SetPixel(x, y, black ? clBlack : clWhite);
        }
    for (auto _ : state) {
        HRGN rgn = nullptr;
        RegionFromMask(rgn, mask);
        benchmark::DoNotOptimize(rgn);
        DeleteObject(rgn);
    }
    state.SetItemsProcessed(state.iterations() * n * n);
}
void BM_RegionFromWindowMask(benchmark::State& state) { MaskRegion(state, false); }
void BM_RegionFromCheckerboard(benchmark::State& state) { MaskRegion(state, true); }
BENCHMARK(BM_RegionFromWindowMask)->RangeMultiplier(4)->Range(64, 1024);
BENCHMARK(BM_RegionFromCheckerboard)->RangeMultiplier(4)->Range(64, 1024);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
