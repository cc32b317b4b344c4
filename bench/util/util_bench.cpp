// Codec speed on 1 MiB of typical image data: a 512 x 512 ARGB picture of flat squares, a soft
// gradient, a figure outline with anti-aliased edges and a little noise.
#include <benchmark/benchmark.h>

#include <random>

#include "util/lzw.h"
#include "util/rle.h"

namespace zarvik {
namespace {

constexpr int kSide = 512;

const Bytes& image() {
    static const Bytes pixels = [] {
        Bytes p;
        p.reserve(kSide * kSide * 4);
        std::mt19937 random(5);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const bool light = ((x / 64) + (y / 64)) % 2 == 0;
                const int dx = x % 64 - 32;
                const int dy = y % 64 - 32;
                const int r2 = dx * dx + dy * dy;
                std::uint8_t v = light ? 0xE0 : 0x70;
                if (r2 < 400) {
                    v = static_cast<std::uint8_t>(0x20 + y % 64);  // gradient inside the figure
                } else if (r2 < 440) {
                    v = static_cast<std::uint8_t>(0x40 + random() % 48);  // edge
                }
                p.insert(p.end(),
                         {0xFF, v, static_cast<std::uint8_t>(v / 2 + 20), static_cast<std::uint8_t>(v / 3)});
            }
        }
        return p;
    }();
    return pixels;
}

void LzwEncode(benchmark::State& state) {
    for (auto _ : state) {
        const LzwCoded coded = texttolzwunpacked(image());
        benchmark::DoNotOptimize(lzwunpackedtopacked(coded.codes, coded.width));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image().size()));
}

void LzwDecode(benchmark::State& state) {
    const LzwCoded coded = texttolzwunpacked(image());
    const Bytes packed = lzwunpackedtopacked(coded.codes, coded.width);
    for (auto _ : state) {
        benchmark::DoNotOptimize(lzwunpackedtotext(lzwpackedtounpacked(packed, coded.width)));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image().size()));
    state.counters["ratio"] = static_cast<double>(packed.size() + 1) / static_cast<double>(image().size());
}

template <Bytes (*Encode)(ByteView), Bytes (*Decode)(ByteView, std::size_t)>
void RleDecode(benchmark::State& state) {
    const Bytes coded = Encode(image());
    for (auto _ : state) {
        benchmark::DoNotOptimize(Decode(coded, kDecodeLimit));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image().size()));
    state.counters["ratio"] = static_cast<double>(coded.size()) / static_cast<double>(image().size());
}

template <Bytes (*Encode)(ByteView)>
void RleEncode(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(Encode(image()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image().size()));
}

BENCHMARK(LzwEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(LzwDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(RleDecode<binary8torle, rletobinary8>)->Name("RleDecode8")->Unit(benchmark::kMillisecond);
BENCHMARK(RleDecode<binary24torle, rletobinary24>)->Name("RleDecode24")->Unit(benchmark::kMillisecond);
BENCHMARK(RleDecode<binary32torle, rletobinary32>)->Name("RleDecode32")->Unit(benchmark::kMillisecond);
BENCHMARK(RleEncode<binary32torle>)->Name("RleEncode32")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarvik

BENCHMARK_MAIN();
