// Speed of the searching engine: nodes per second over the bench positions (goal: 2 M on one core),
// and perft of its move generator beside the rules' perft that `zarvik-cli perft` runs.
#include <benchmark/benchmark.h>

#include <string>

#include "rules/fen.h"
#include "rules/perft.h"
#include "search/bench.h"
#include "search/movegen.h"
#include "tests/support/positions.h"

namespace zarvik::search {
namespace {

constexpr std::string_view kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr std::string_view kKiwipete = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

void searchSpeed(benchmark::State& state) {
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        nodes += runBench(static_cast<int>(state.range(0))).nodes;
    }
    state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(searchSpeed)->Arg(7)->Unit(benchmark::kMillisecond);

void searchPerft(benchmark::State& state, std::string_view fen, int depth) {
    std::string error;
    Position position = *Position::fromFen(fen, error);
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        nodes += perft(position, depth);
    }
    state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(searchPerft, start_6, kStart, 6)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchPerft, kiwipete_5, kKiwipete, 5)->Unit(benchmark::kMillisecond);

void rulesPerft(benchmark::State& state, std::string_view fen, int depth) {
    const FenPosition position = test::fenPosition(fen);
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        nodes += zarvik::perft(position.board, position.toMove, depth);
    }
    state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(rulesPerft, start_5, kStart, 5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarvik::search
