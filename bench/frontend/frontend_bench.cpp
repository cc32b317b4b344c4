// Opening the largest saved game the program takes, every line of it refused (target: under 1 s),
// and the longest time the host's main thread could not answer meanwhile ("stall_ms").
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "frontend/savedfile.h"
#include "frontend/savedgame.h"
#include "tests/support/processhost.h"
#include "util/files.h"

namespace {

using namespace zarvik;
using Clock = std::chrono::steady_clock;

std::string refusedMegabyte() {
    std::string text = "Spielverlauf am 05.12.2026\rWeiss   = Mensch\rSchwarz = Mensch\r\r";
    const std::string line = "  1 10:00:00 Weiss:   I9-I9\r";
    while (text.size() + line.size() <= frontend::kSavedGameLimit) {
        text += line;
    }
    return text;
}

// Posts a task to the main thread every millisecond and keeps the longest wait until one ran.
class StallMeter {
  public:
    StallMeter() : thread_([this] { run(); }) {}
    ~StallMeter() {
        stop_ = true;
        thread_.join();
    }
    double longestMs() const { return longest_.load() / 1000.0; }

  private:
    void run() {
        while (!stop_) {
            const auto posted = Clock::now();
            std::atomic<bool> done{false};
            host().postToMainThread([&] {
                const auto waited =
                    std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - posted);
                longest_ = std::max<long long>(longest_.load(), waited.count());
                done = true;
            });
            while (!done) {
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    std::atomic<bool> stop_{false};
    std::atomic<long long> longest_{0};
    std::thread thread_;
};

void BM_OpenRefusedMegabyte(benchmark::State& state) {
    test::processHost();
    const std::string path = "/tmp/zarvik_bench_refused.zarvik";
    setstringtofile(path, refusedMegabyte());
    double stall = 0;
    for (auto _ : state) {
        StallMeter meter;
        benchmark::DoNotOptimize(frontend::chess_Open(path));
        stall = std::max(stall, meter.longestMs());
    }
    state.counters["stall_ms"] = stall;
}
BENCHMARK(BM_OpenRefusedMegabyte)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
