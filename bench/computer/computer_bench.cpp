// Hard move time of the computer player over fixed positions (openings, middlegames, endgames,
// promotions and castling), and the same choice by the literal transcription for the speed-up.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "computer/aiplayer.h"
#include "reference_player.h"
#include "rules/fen.h"
#include "rules/perft.h"

namespace zarvik {
namespace {

struct BenchPosition {
    Board board;
    Color toMove;
};

// Fixed starts, each followed a few plies into a game of seeded random legal moves.
const std::vector<BenchPosition>& positions() {
    static const std::vector<BenchPosition> all = [] {
        const char* starts[] = {
            "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
            "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3",
            "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
            "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
            "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
            "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
            "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
            "4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 1",
            "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",
            "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1",
        };
        std::mt19937 rng(2024);
        std::vector<BenchPosition> result;
        for (const char* fen : starts) {
            std::string error;
            const std::optional<FenPosition> start = readFen(fen, error);
            BenchPosition p{start->board, start->toMove};
            for (int ply = 0; ply < 6; ++ply) {
                const std::vector<PerftMove> moves = legalMoves(p.board, p.toMove);
                if (moves.empty()) {
                    break;
                }
                result.push_back(p);
                const PerftMove& move =
                    moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(rng)];
                p = BenchPosition{afterMove(p.board, p.toMove, move), opposite(p.toMove)};
            }
        }
        return result;
    }();
    return all;
}

std::optional<std::size_t> hardMove(const AIPlayer& player, const Board& board) {
    return AIPlayer::bestCandidate(player.ratedCandidates(board));
}

// One pass over all positions per iteration; median and maximum of the single moves as counters.
void BM_HardMoveAllPositions(benchmark::State& state) {
    const std::vector<BenchPosition>& all = positions();
    const AIPlayer white(Color::white, AIConfiguration(Difficulty::hard));
    const AIPlayer black(Color::black, AIConfiguration(Difficulty::hard));
    std::vector<double> millis(all.size());
    std::vector<double> worst(all.size(), 0.0);
    for (auto _ : state) {
        for (std::size_t i = 0; i < all.size(); ++i) {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(hardMove(all[i].toMove == Color::white ? white : black, all[i].board));
            const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
            millis[i] = spent.count();
            worst[i] = std::max(worst[i], millis[i]);
        }
    }
    std::vector<double> sorted = millis;
    std::sort(sorted.begin(), sorted.end());
    state.counters["positions"] = static_cast<double>(all.size());
    state.counters["median_ms"] = sorted[sorted.size() / 2];
    state.counters["max_ms"] = *std::max_element(worst.begin(), worst.end());
}
BENCHMARK(BM_HardMoveAllPositions)->Unit(benchmark::kMillisecond);

void BM_HardMove(benchmark::State& state) {
    const BenchPosition& p = positions()[static_cast<std::size_t>(state.range(0))];
    const AIPlayer player(p.toMove, AIConfiguration(Difficulty::hard));
    for (auto _ : state) {
        benchmark::DoNotOptimize(hardMove(player, p.board));
    }
}
BENCHMARK(BM_HardMove)->DenseRange(0, 50, 10)->Unit(benchmark::kMicrosecond);

// The literal transcription on the same positions, for the speed-up.
void BM_ReferenceHardMove(benchmark::State& state) {
    const BenchPosition& p = positions()[static_cast<std::size_t>(state.range(0))];
    const AIConfiguration configuration(Difficulty::hard);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            AIPlayer::bestCandidate(reference::ratedCandidates(p.board, p.toMove, configuration)));
    }
}
BENCHMARK(BM_ReferenceHardMove)->DenseRange(0, 50, 10)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zarvik
