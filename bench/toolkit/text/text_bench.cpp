// Text output on the game's screen: a 1280 x 800, 24-bit window of 80 x 25 cells of 16 x 32.
#include <benchmark/benchmark.h>

#include <string>

#include "tests/support/processhost.h"
#include "toolkit/screen/font.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"

namespace {

using namespace zarvik;

// A font of the shipped cell size whose glyphs all carry ink, so every pixel is mixed.
t_Font benchFont() {
    t_Font font;
    font.Format = t_FontFormatGrey;
    font.Start = 32;
    font.End = 255;
    font.Width = 16;
    font.Height = 32;
    font.Data.resize(std::size_t(256) * 16 * 32);
    for (std::size_t i = 0; i < font.Data.size(); ++i) {
        font.Data[i] = std::uint8_t(i * 37);
    }
    return font;
}

HeadlessHost& screen() {
    static HeadlessHost* host = [] {
        HeadlessHost* h = &test::processHost();
        t_InitWindow(0, 24, true, 1280, 800, 0, 0, benchFont(), true);
        return h;
    }();
    return *host;
}

void BM_PrintFullScreen(benchmark::State& state) {
    screen();
    std::string line;
    for (int i = 0; i < 80; ++i) {
        line += char('A' + i % 26);
    }
    for (auto _ : state) {
        t_CursorHome(0);
        // 25 lines of 80 characters; the last cell is printed without moving on so nothing scrolls.
        for (int l = 1; l <= 24; ++l) {
            t_Print(0, line);
        }
        t_Print(0, std::string_view(line).substr(0, 79));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 80 * 25 - state.iterations());
}
BENCHMARK(BM_PrintFullScreen)->Unit(benchmark::kMicrosecond);

void BM_ScrollFullWidth(benchmark::State& state) {
    screen();
    for (auto _ : state) {
        t_ScrollUp(0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ScrollFullWidth)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
