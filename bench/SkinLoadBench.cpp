// Loading the program's own skin the way the main form does at start:
// inflating the stored skin, reading its pictures, and reading its INI text
// into descriptors; the whole load and its two halves.

#include <benchmark/benchmark.h>

#include "platform/core/Classes.h"
#include "platform/core/IniFiles.h"
#include "skin/core/qlSkinData.h"
#include "skin/default/DefaultSkin.h"

namespace {

void BM_LoadDefaultSkin(benchmark::State& state) {
    TqlCompressedStoredSkin stored(nullptr);
    stored.SetCompressedData(DefaultSkinZlib());
    for (auto _ : state) {
        TqlSkinData skin(nullptr);
        skin.LoadFromStoredSkin(stored);
        benchmark::DoNotOptimize(skin.CtrlList.data());
    }
}
BENCHMARK(BM_LoadDefaultSkin)->Unit(benchmark::kMillisecond);

void BM_InflateAndReadPictures(benchmark::State& state) {
    TqlCompressedStoredSkin stored(nullptr);
    stored.SetCompressedData(DefaultSkinZlib());
    for (auto _ : state) {
        TMemoryStream inflated;
        stored.DecompressTo(inflated);
        inflated.SetPosition(0);
        TqlSkinContainer container;
        container.ReadFrom(inflated);
        benchmark::DoNotOptimize(container.ActivePictures.data());
    }
}
BENCHMARK(BM_InflateAndReadPictures)->Unit(benchmark::kMillisecond);

void BM_ReadDescriptors(benchmark::State& state) {
    TqlCompressedStoredSkin stored(nullptr);
    stored.SetCompressedData(DefaultSkinZlib());
    TMemoryStream inflated;
    stored.DecompressTo(inflated);
    inflated.SetPosition(0);
    TqlSkinContainer container;
    container.ReadFrom(inflated);
    for (auto _ : state) {
        TStringList lines;
        lines.SetText(container.IniText);
        TMemIniFile ini;
        ini.SetStrings(lines);
        TqlSkinData skin(nullptr);
        skin.LoadControlDescriptors(ini);
        skin.LoadObjectDescriptors(ini);
        benchmark::DoNotOptimize(skin.CtrlList.data());
    }
}
BENCHMARK(BM_ReadDescriptors)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
