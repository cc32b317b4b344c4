// The terms that try moves: threats against and by the own pieces, and mates in one for either side.
#include <algorithm>

#include "computer/boardrater.h"

namespace zarvik {
namespace {

// The cells with the piece on `square` turned to the other colour (same type, no flags), so that the
// pieces of its own colour may capture there.
Cells withColourSwapped(const Cells& cells, int square) {
    Cells swapped = cells;
    const std::uint8_t c = cells[square];
    swapped[square] = cell::make(cell::type(c), opposite(cell::color(c)));
    return swapped;
}

// Some piece of `color` other than the one on `square` reaches `square` legally.
bool anyReaches(const Cells& cells, Color color, int square) {
    for (int i = 0; i < 64; ++i) {
        if (i != square && cell::isColor(cells[i], color) && reachesLegally(cells, i, square)) {
            return true;
        }
    }
    return false;
}

// The value of the threats around the own piece on `square`, as the threatened-pieces term counts it.
double threatValue(const RatedPosition& position, int square) {
    const Cells& cells = position.cells();
    const std::uint8_t piece = cells[square];
    const Color own = cell::color(piece);
    const Color opponent = opposite(own);
    const double v = pieceValue(cell::type(piece));

    bool attacked = false;
    double cheapestAttacker = 0.0;
    forEachSquare(position.pieces(opponent), [&](int q) {
        if ((position.targets(q) & squareBit(square)) != 0 && !isInCheckAfterMove(cells, q, square)) {
            const double value = pieceValue(cell::type(cells[q]));
            cheapestAttacker = attacked ? std::min(cheapestAttacker, value) : value;
            attacked = true;
        }
    });
    if (attacked) {
        if (!anyReaches(withColourSwapped(cells, square), own, square)) {
            return -3.0 * v;
        }
        if (v > cheapestAttacker) {
            return -v;
        }
    }

    // Only the first opponent piece this piece reaches legally is looked at.
    int target = -1;
    const SquareSet candidates = position.targets(square) & position.pieces(opponent);
    for (SquareSet rest = candidates; rest != 0 && target < 0; rest &= rest - 1) {
        const int t = std::countr_zero(rest);
        if (!isInCheckAfterMove(cells, square, t)) {
            target = t;
        }
    }
    if (target < 0) {
        return 0.0;
    }
    const PieceType targetType = cell::type(cells[target]);
    const double gain = pieceValue(targetType);
    if (!anyReaches(withColourSwapped(cells, target), opponent, target)) {
        return gain;
    }
    // A defended target is worth taking only with a piece of no greater value.
    const bool tradePays = targetType != PieceType::king && gain >= v;
    return tradePays ? gain : 0.0;
}

// The side to be mated has no way out after the move.
bool matesAfter(const Cells& cells, int from, int to, Color victim) {
    Cells after = cells;
    applyRawMove(after, from, to);
    return isInCheck(after, victim) && !hasLegalMove(after, victim);
}

}  // namespace

double BoardRaterThreatenedPieces::rate(const RatedPosition& position, Color color) const {
    double sum = 0.0;
    forEachSquare(position.pieces(color), [&](int i) { sum += threatValue(position, i); });
    return weighting() * sum;
}

double BoardRaterCheckMateOpportunity::rate(const RatedPosition& position, Color color) const {
    const Cells& cells = position.cells();
    double sum = 0.0;
    forEachSquare(position.pieces(Color::white) | position.pieces(Color::black), [&](int from) {
        const bool own = cell::color(cells[from]) == color;
        const Color victim = own ? opposite(color) : color;
        forEachSquare(position.targets(from), [&](int to) {
            if (matesAfter(cells, from, to, victim)) {
                sum += own ? 1.0 : -1.0;
            }
        });
    });
    return weighting() * sum;
}

}  // namespace zarvik
