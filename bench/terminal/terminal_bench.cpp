// What one frame and one burst of typing cost the terminal host: the colours of a full 80 x 25
// screen mapped at each depth, and pasted text with escape sequences decoded.
#include <benchmark/benchmark.h>

#include "terminal/colors.h"
#include "terminal/keydecoder.h"
#include "toolkit/screen/palette.h"

namespace zarvik::terminal {
namespace {

void BM_ScreenColours(benchmark::State& state) {
    const auto depth = static_cast<ColorDepth>(state.range(0));
    for (auto _ : state) {
        int sum = 0;
        for (int cell = 0; cell < 80 * 25; ++cell) {
            sum += terminalColor(t_PaletteColor(cell & 15), depth) +
                   terminalColor(t_PaletteColor(cell >> 4 & 15), depth);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ScreenColours)
    ->Arg(int(ColorDepth::Sixteen))
    ->Arg(int(ColorDepth::TwoFiftySix))
    ->Arg(int(ColorDepth::Direct));

void BM_DecodeTyping(benchmark::State& state) {
    std::string burst;
    for (int i = 0; i < 100; ++i) {
        burst += "e2-e4\r\xc3\xa4\x1b[A\x1b[<0;31;7M\x1b[21~";
    }
    for (auto _ : state) {
        KeyDecoder decoder;
        benchmark::DoNotOptimize(decoder.feed(burst));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(burst.size()));
}
BENCHMARK(BM_DecodeTyping);

}  // namespace
}  // namespace zarvik::terminal
