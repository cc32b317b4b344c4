#include "computer/position.h"

#include <cmath>

#include "rules/movement.h"

namespace zarvik {
namespace {

std::array<double, 64> makeCentreValues() {
    std::array<double, 64> values{};
    for (int i = 0; i < 64; ++i) {
        const double dx = 3.5 - static_cast<double>(i % 8);
        const double dy = 3.5 - static_cast<double>(i / 8);
        values[i] = 3.5 - std::sqrt(dx * dx + dy * dy);
    }
    return values;
}

}  // namespace

double pieceValue(PieceType type) {
    switch (type) {
        case PieceType::pawn:
            return 1.0;
        case PieceType::rook:
            return 5.0;
        case PieceType::knight:
        case PieceType::bishop:
            return 3.0;
        case PieceType::queen:
            return 9.0;
        case PieceType::king:
            return 0.0;
    }
    return 0.0;
}

double centreValue(int square) {
    static const std::array<double, 64> values = makeCentreValues();
    return values[square];
}

SquareSet ruleTargets(const Cells& cells, int square) {
    const std::uint8_t c = cells[square];
    return c == 0 ? 0 : PieceMovement::pieceMovement(cell::type(c)).allowedTargets(square, cells);
}

bool reachesLegally(const Cells& cells, int from, int to) {
    return (ruleTargets(cells, from) & squareBit(to)) != 0 && !isInCheckAfterMove(cells, from, to);
}

RatedPosition::RatedPosition(const Cells& cells) : cells_(cells) {
    for (int i = 0; i < 64; ++i) {
        if (cells_[i] != 0) {
            pieces_[static_cast<int>(cell::color(cells_[i]))] |= squareBit(i);
        }
    }
}

SquareSet RatedPosition::targets(int square) const {
    if (!targetsReady_) {
        forEachSquare(pieces_[0] | pieces_[1], [&](int i) { targets_[i] = ruleTargets(cells_, i); });
        targetsReady_ = true;
    }
    return targets_[square];
}

}  // namespace zarvik
