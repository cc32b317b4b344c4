// Redrawing the graphic board after a half-move: 64 square images of 40 x 40, each expanded from
// its stored LZW, run-length and packed form on every draw, into the game's 24-bit window.
#include <benchmark/benchmark.h>

#include "frontend/boarddisplay.h"
#include "frontend/state.h"
#include "tests/support/processhost.h"
#include "toolkit/graphics/graphicdraw.h"
#include "toolkit/screen/window.h"

namespace {

using namespace zarvik;

void setUpGameWindow() {
    static const bool done = [] {
        test::processHost();
        t_InitWindow(0, 24, 80, 25, 16, "MenloBold 16x32.font");
        frontend::loadPieceGraphics();
        return true;
    }();
    (void)done;
}

// The 64 images alone, in the layout of the board display, going through all 26 in turn.
void BM_DrawSixtyFourSquares(benchmark::State& state) {
    setUpGameWindow();
    const auto& files = frontend::pieceGraphicFiles();
    for (auto _ : state) {
        for (int square = 0; square < 64; ++square) {
            const int index = files[std::size_t(square) % files.size()].index;
            g_Draw(0, frontend::pieceGraphic(index), 48 + 40 * (square % 8), 161 + 40 * (square / 8), 1, -1);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(BM_DrawSixtyFourSquares)->Unit(benchmark::kMillisecond);

// The whole graphic board of the starting position as the game draws it, labels included.
void BM_DrawGraphicBoard(benchmark::State& state) {
    setUpGameWindow();
    const auto game =
        frontend::makeGame(frontend::makeHuman(Color::white), frontend::makeHuman(Color::black));
    for (auto _ : state) {
        frontend::drawGraphicBoard(*game);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawGraphicBoard)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
