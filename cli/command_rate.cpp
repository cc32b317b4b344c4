// zarvik-cli rate: the computer player's rating of every candidate move of the side to move, and its
// choice. The opening book is not consulted.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "computer/aiplayer.h"
#include "computer/ratingtext.h"
#include "rules/cells.h"
#include "rules/fen.h"

namespace zarvik::cli {
namespace {

int runRate(const std::vector<std::string>& args) {
    if (args.empty() || (args[0] != "easy" && args[0] != "hard")) {
        std::fprintf(stderr, "rate: the first argument must be easy or hard (usage: rate easy|hard [FEN])\n");
        return kUsageError;
    }
    std::string fen;
    for (std::size_t i = 1; i < args.size(); ++i) {
        fen += (i > 1 ? " " : "") + args[i];
    }
    std::string error;
    const std::optional<FenPosition> position =
        readFen(fen.empty() ? kStartFen : std::string_view(fen), error);
    if (!position) {
        std::fprintf(stderr, "rate: %s\n", error.c_str());
        return kUsageError;
    }
    // The king-safety term needs both kings.
    for (const Color color : {Color::white, Color::black}) {
        if (firstKingSquare(position->board.cells(), color) < 0) {
            std::fprintf(stderr, "rate: the position has no %s king\n", std::string(name(color)).c_str());
            return kUsageError;
        }
    }
    const Difficulty difficulty = args[0] == "easy" ? Difficulty::easy : Difficulty::hard;
    const AIPlayer player(position->toMove, AIConfiguration(difficulty));
    const std::vector<Move> candidates = player.ratedCandidates(position->board);
    for (const Move& move : candidates) {
        std::printf("%s %s\n", moveText(move.type).c_str(), ratingText(move.rating).c_str());
    }
    if (const std::optional<std::size_t> best = AIPlayer::bestCandidate(candidates)) {
        std::printf("best %s %s\n", moveText(candidates[*best].type).c_str(),
                    ratingText(candidates[*best].rating).c_str());
    } else {
        std::printf("best none\n");
    }
    return 0;
}

const CommandRegistration rateRegistration{
    Command{"rate", "easy|hard [FEN]", "rating of every candidate move of the side to move, then the best",
            &runRate}};

}  // namespace
}  // namespace zarvik::cli
