#include "tools/tune/selfplay.h"

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "search/movegen.h"
#include "search/search.h"

namespace zarvik::tune {
namespace {

using namespace zarvik::search;

constexpr int kOpeningLimit = 200;  // centipawns: openings scored beyond this are too lopsided to learn from
constexpr int kDecisive = 1000;     // a score held this high for kDecisivePlies plies decides the game
constexpr int kDecisivePlies = 4;
// Late in the game, a score this close to zero for kQuietPlies plies is a draw.
constexpr int kQuietDraw = 10;
constexpr int kQuietPlies = 12;
constexpr int kQuietFrom = 120;
constexpr int kMaxPlies = 400;

// A few random legal moves from the start; none when they end the game.
std::optional<Position> randomOpening(std::mt19937_64& rng) {
    Position pos;
    const int plies = 6 + static_cast<int>(rng() % 5);
    for (int i = 0; i < plies; ++i) {
        MoveList moves;
        generateLegal(pos, moves);
        if (moves.size() == 0) {
            return std::nullopt;
        }
        pos.make(moves[static_cast<int>(rng() % static_cast<std::uint64_t>(moves.size()))]);
    }
    if (!hasLegalMove(pos)) {
        return std::nullopt;
    }
    return pos;
}

}  // namespace

std::uint64_t playGames(const SelfPlayOptions& options, std::ostream& out, std::ostream& log) {
    std::mt19937_64 rng(options.seed);
    TranspositionTable table(8);
    Search search(table);
    Limits limits;
    limits.nodes = options.nodes;
    std::uint64_t written = 0;
    int played = 0;
    while (played < options.games) {
        std::optional<Position> opening = randomOpening(rng);
        if (!opening) {
            continue;
        }
        Position pos = *opening;
        table.clear();
        std::vector<std::string> kept;
        double result = 0.5;
        int decisiveRun = 0;
        int quietRun = 0;
        bool rejected = false;
        for (int ply = 0;; ++ply) {
            if (!hasLegalMove(pos)) {
                result = pos.inCheck() ? (pos.sideToMove() == kWhite ? 0.0 : 1.0) : 0.5;
                break;
            }
            if (ply >= kMaxPlies || pos.isDrawByRule() || pos.insufficientMaterial()) {
                break;
            }
            search.rearm();  // the last search ended at its node limit by stopping
            const Outcome outcome = search.run(pos, limits, Handicap{}, nullptr);
            const int white = pos.sideToMove() == kWhite ? outcome.score : -outcome.score;
            if (ply == 0 && std::abs(white) > kOpeningLimit) {
                rejected = true;
                break;
            }
            const Move best = outcome.best;
            if (!pos.inCheck() && !best.isCapture() && !best.isPromotion() && std::abs(white) < kMateBound) {
                kept.push_back(pos.fen());
            }
            decisiveRun = std::abs(white) >= kDecisive ? decisiveRun + 1 : 0;
            if (decisiveRun >= kDecisivePlies) {
                result = white > 0 ? 1.0 : 0.0;
                break;
            }
            quietRun = ply >= kQuietFrom && std::abs(white) <= kQuietDraw ? quietRun + 1 : 0;
            if (quietRun >= kQuietPlies) {
                break;
            }
            pos.make(best);
        }
        if (rejected) {
            continue;
        }
        const char* label = result == 1.0 ? "1" : result == 0.0 ? "0" : "0.5";
        for (const std::string& fen : kept) {
            out << fen << ';' << label << '\n';
        }
        written += kept.size();
        ++played;
        if (played % 50 == 0) {
            log << played << " games, " << written << " positions\n" << std::flush;
        }
    }
    return written;
}

}  // namespace zarvik::tune
