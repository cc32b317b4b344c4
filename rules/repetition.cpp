#include "rules/repetition.h"

#include <cstddef>

namespace zarvik {
namespace {

// m(k) = m(k + period) = m(k + 2 * period) for k = 1..period, counted from the end.
bool repeatsThreeTimes(const std::vector<PlayedMove>& moves, std::size_t period) {
    const std::size_t n = moves.size();
    if (n < 3 * period) {
        return false;
    }
    for (std::size_t k = 1; k <= period; ++k) {
        const PlayedMove& last = moves[n - k];
        if (last != moves[n - k - period] || last != moves[n - k - 2 * period]) {
            return false;
        }
    }
    return true;
}

}  // namespace

PlayedMove PlayedMove::of(const LastMove& move) {
    PlayedMove played;
    if (move.kingSideCastle || move.queenSideCastle) {
        played.kingSideCastle = move.kingSideCastle;
        played.queenSideCastle = move.queenSideCastle;
        return played;
    }
    played.from = move.fromLocation;
    played.to = move.toLocation;
    played.capture = !squareName(move.removedLocation).empty();
    played.promotion = move.transformedPiece.empty() ? char{0} : move.transformedPiece.front();
    played.check = move.check;
    played.checkmate = move.checkmate;
    return played;
}

Repetition findRepetition(const std::vector<PlayedMove>& moves) {
    return {repeatsThreeTimes(moves, 4), repeatsThreeTimes(moves, 6), repeatsThreeTimes(moves, 8)};
}

}  // namespace zarvik
