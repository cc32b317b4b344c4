// Speed of the game files (targets: a 1 MiB file of many games, read from disk with its first game
// replayed, in under 50 ms; a game of 300 half-moves written in under 1 ms; the list of a file of
// 10,000 games in under a second).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "notation/pgnread.h"
#include "notation/pgnwrite.h"
#include "util/files.h"

namespace zarvik {
namespace {

// A game of up to `plies` half-moves that picks its moves by a fixed rule, so every run is the same.
PgnExport longGame(int plies, unsigned seed) {
    PgnExport game;
    Board board(true);
    Color toMove = Color::white;
    for (int ply = 0; ply < plies; ++ply) {
        const std::vector<PerftMove> legal = legalMoves(board, toMove);
        if (legal.empty()) {
            break;
        }
        seed = seed * 1103515245u + 12345u;
        const PerftMove move = legal[(seed >> 8) % legal.size()];
        game.moves.push_back(move);
        board = afterMove(board, toMove, move);
        toMove = opposite(toMove);
    }
    return game;
}

void BM_WriteGameOf300HalfMoves(benchmark::State& state) {
    const PgnExport game = longGame(300, 7);
    for (auto _ : state) {
        benchmark::DoNotOptimize(writePgn(game));
    }
    state.counters["half-moves"] = static_cast<double>(game.moves.size());
}
BENCHMARK(BM_WriteGameOf300HalfMoves)->Unit(benchmark::kMicrosecond);

// Games of 300 half-moves until the file is just under the size limit.
std::string collectionFile() {
    const std::string path =
        (std::filesystem::temp_directory_path() / "zarvik_bench_collection.pgn").string();
    std::string text;
    for (unsigned seed = 1;; ++seed) {
        const std::string game = writePgn(longGame(300, seed));
        if (text.size() + game.size() > kPgnMaxBytes) {
            break;
        }
        text += game;
    }
    setstringtofile(path, text);
    return path;
}

void BM_ReadFileOfManyGames(benchmark::State& state) {
    const std::string path = collectionFile();
    std::size_t bytes = 0;
    std::size_t plies = 0;
    for (auto _ : state) {
        const Bytes file = getbinaryfromfile(path);
        const PgnReading read =
            readPgn(std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
        bytes = file.size();
        plies = read.moves.size();
        benchmark::DoNotOptimize(read.board);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["first game half-moves"] = static_cast<double>(plies);
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadFileOfManyGames)->Unit(benchmark::kMillisecond);

// The worst a file under the limit can ask: one game as long as the file, every move replayed.
void BM_ReadOneGameOfAMegabyte(benchmark::State& state) {
    // Knights going back and forth: the program's rules end no game by repetition on their own.
    std::string text = "[Event \"lang\"]\n\n";
    while (text.size() + 40 < kPgnMaxBytes) {
        text += "1. Nf3 Nf6 2. Ng1 Ng8 ";
    }
    std::size_t plies = 0;
    for (auto _ : state) {
        const PgnReading read = readPgn(text);
        plies = read.moves.size();
        benchmark::DoNotOptimize(read.board);
    }
    state.counters["half-moves"] = static_cast<double>(plies);
}
BENCHMARK(BM_ReadOneGameOfAMegabyte)->Unit(benchmark::kMillisecond);

// A collection as players keep them: 10,000 games of 80 half-moves with their tags and a comment.
void BM_ListTenThousandGames(benchmark::State& state) {
    std::string text;
    for (unsigned seed = 1; seed <= 10000; ++seed) {
        PgnExport game = longGame(80, seed);
        game.white = "Spieler " + std::to_string(seed);
        game.comments = {"Vereinsabend"};
        game.result = PgnResult::draw;
        text += writePgn(game);
    }
    std::size_t games = 0;
    for (auto _ : state) {
        const std::vector<PgnGameEntry> list = listPgnGames(text);
        games = list.size();
        benchmark::DoNotOptimize(list.data());
    }
    state.counters["games"] = static_cast<double>(games);
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ListTenThousandGames)->Unit(benchmark::kMillisecond);

// The most pieces a file can be cut into: a result token alone, over and over, 8 MiB of them.
void BM_ListResultTokensOnly(benchmark::State& state) {
    std::string text;
    while (text.size() < (std::size_t{8} << 20)) {
        text += "1-0\n";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(listPgnGames(text).size());
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ListResultTokensOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarvik
