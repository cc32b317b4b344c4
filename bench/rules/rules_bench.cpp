// Speed of the rules model: perft (target: the start position to depth 5 in under a second, one
// thread) and the queries the players and the computer player call once per candidate move.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "rules/fen.h"
#include "rules/game.h"
#include "rules/perft.h"
#include "tests/support/positions.h"

namespace zarvik {
namespace {

constexpr std::string_view kKiwipete = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

void perftBench(benchmark::State& state, std::string_view fen, int depth) {
    const FenPosition p = test::fenPosition(fen);
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        nodes = perft(p.board, p.toMove, depth);
        benchmark::DoNotOptimize(nodes);
    }
    state.counters["nodes/s"] = benchmark::Counter(
        static_cast<double>(nodes) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_PerftStart5(benchmark::State& state) {
    perftBench(state, kStartFen, 5);
}
BENCHMARK(BM_PerftStart5)->Unit(benchmark::kMillisecond);

void BM_PerftKiwipete4(benchmark::State& state) {
    perftBench(state, kKiwipete, 4);
}
BENCHMARK(BM_PerftKiwipete4)->Unit(benchmark::kMillisecond);

// One candidate of the computer player: copy, raw move, mate test of the opponent, danger test.
void BM_CandidateQueries(benchmark::State& state) {
    const FenPosition p = test::fenPosition(kKiwipete);
    for (auto _ : state) {
        Board copy = p.board;
        copy.movePiece(GridPosition::e5, GridPosition::f7);
        benchmark::DoNotOptimize(copy.isColorInCheckMate(Color::black));
        benchmark::DoNotOptimize(copy.canColorMoveAnyPieceToLocation(Color::black, GridPosition::f7));
    }
}
BENCHMARK(BM_CandidateQueries);

// The players' own check over every origin and destination pair, as the computer player scans them.
void BM_PlayerCheckAllPairs(benchmark::State& state) {
    const FenPosition p = test::fenPosition(kKiwipete);
    auto white = std::make_shared<Player>(Color::white);
    auto black = std::make_shared<Player>(Color::black);
    const auto game = Game::create(white, black, p.board, p.toMove);
    for (auto _ : state) {
        int accepted = 0;
        for (BoardLocation from : BoardLocation::allLocations()) {
            if (!white->ownsPiece(from)) {
                continue;
            }
            for (BoardLocation to : BoardLocation::allLocations()) {
                accepted += white->checkMove(from, to) ? 0 : 1;
            }
        }
        benchmark::DoNotOptimize(accepted);
    }
}
BENCHMARK(BM_PlayerCheckAllPairs);

}  // namespace
}  // namespace zarvik
