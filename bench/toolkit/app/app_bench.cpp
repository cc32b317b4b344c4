// Speed of the presentation path: the image of a 1280 x 800 window (target: under 2 ms at 24
// bits), and the key path from a host key press to the program's queue.
#include <benchmark/benchmark.h>

#include "tests/support/processhost.h"
#include "toolkit/app/events.h"
#include "toolkit/app/presentation.h"
#include "toolkit/screen/window.h"

namespace {

using namespace zarvik;

// Window 0 as a visible 1280 x 800 window of the depth, its memory filled with a pattern.
void setUpWindow(int depth) {
    test::processHost();
    t_InitWindow(0, depth, false, 1280, 800, 0, 0, t_Font{}, true);
    t_WindowVisible(0, true);
    const t_Window& w = t_WindowRecord(0);
    std::uint8_t* memory = t_VideoMemory() + w.MemoryStart;
    const std::int64_t bytes = std::int64_t(w.Width) * w.Height * w.BitDepth / 8;
    for (std::int64_t i = 0; i < bytes; ++i) {
        memory[i] = static_cast<std::uint8_t>(i * 37);
    }
}

void BM_WindowImage(benchmark::State& state) {
    setUpWindow(static_cast<int>(state.range(0)));
    const auto order = state.range(1) == 0 ? t_ImageByteOrder::ARGB : t_ImageByteOrder::BGRA;
    HostImage image;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t_WindowImageInto(0, image, order));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 1280 * 800);
}
BENCHMARK(BM_WindowImage)
    ->ArgsProduct({{1, 4, 8, 16, 24, 32}, {0, 1}})
    ->ArgNames({"depth", "bgra"})
    ->Unit(benchmark::kMillisecond);

void BM_WindowImageFresh(benchmark::State& state) {
    setUpWindow(24);
    for (auto _ : state) {
        benchmark::DoNotOptimize(t_WindowImage(0));
    }
}
BENCHMARK(BM_WindowImageFresh)->Unit(benchmark::kMillisecond);

void BM_KeyToQueue(benchmark::State& state) {
    test::processHost();
    const t_HostKeyEvent key{123, U"\uF702", 0};
    for (auto _ : state) {
        t_KeyEventHandler(0, key);
        benchmark::DoNotOptimize(t_NextEvent());
    }
}
BENCHMARK(BM_KeyToQueue);

}  // namespace

BENCHMARK_MAIN();
