// The time from `go` to `bestmove` in one warm zarvik-uci process, over 60 middlegame positions
// (moves 10 to 20 of random games), at each level: median and maximum as counters.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "games.h"
#include "uci_process.h"

namespace zarvik::test {
namespace {

constexpr std::size_t kPositions = 60;

std::vector<std::string> middlegames() {
    std::vector<std::string> commands;
    const std::vector<PlayedPosition> played = randomGamePositions(2024, 6, 40);
    for (std::size_t i = 0; i < played.size() && commands.size() < kPositions; ++i) {
        if (i % 40 >= 20) {
            commands.push_back("position startpos moves" + played[i].moves);
        }
    }
    return commands;
}

void GoToBestMove(benchmark::State& state) {
    const std::vector<std::string> positions = middlegames();
    UciProcess engine;
    engine.send(state.range(0) == 0 ? "setoption name Level value easy" : "setoption name Level value hard");
    const auto answer = [&](const std::string& position) {
        engine.send(position);
        engine.send("isready");
        engine.readUntil("readyok");
        const auto start = std::chrono::steady_clock::now();
        engine.send("go wtime 60000 btime 60000");
        if (engine.readUntil("bestmove ").empty()) {
            state.SkipWithError("no bestmove");
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    for (const std::string& position : positions) {
        answer(position);  // warm-up
    }
    std::vector<double> seconds;
    std::size_t next = 0;
    for (auto _ : state) {
        const double taken = answer(positions[next++ % positions.size()]);
        state.SetIterationTime(taken);
        seconds.push_back(taken);
    }
    std::sort(seconds.begin(), seconds.end());
    state.counters["positions"] = static_cast<double>(positions.size());
    state.counters["median_ms"] = seconds[seconds.size() / 2] * 1e3;
    state.counters["max_ms"] = seconds.back() * 1e3;
}
BENCHMARK(GoToBestMove)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("hard")
    ->UseManualTime()
    ->Iterations(600)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarvik::test
