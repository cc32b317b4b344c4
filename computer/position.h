#pragma once
// What the evaluation terms share about one position: the compact squares, the pieces of each colour
// and every piece's movement-rule targets, worked out once per position instead of once per term.
#include <array>

#include "rules/board.h"
#include "rules/cells.h"
#include "rules/color.h"

namespace zarvik {

// Material values by piece type: pawn 1, rook 5, knight 3, bishop 3, queen 9, king 0.
double pieceValue(PieceType type);

// 3.5 minus the Euclidean distance of the square from the board centre (3.5, 3.5).
double centreValue(int square);

constexpr SquareSet squareBit(int square) {
    return SquareSet{1} << square;
}

class RatedPosition {
  public:
    explicit RatedPosition(const Cells& cells);
    explicit RatedPosition(const Board& board) : RatedPosition(board.cells()) {}

    const Cells& cells() const { return cells_; }
    SquareSet pieces(Color color) const { return pieces_[static_cast<int>(color)]; }
    // The squares the movement rule of the piece on `square` allows (raw rules, no check test).
    SquareSet targets(int square) const;

  private:
    Cells cells_;
    std::array<SquareSet, 2> pieces_{};
    mutable bool targetsReady_ = false;  // the targets are worked out on first use
    mutable std::array<SquareSet, 64> targets_{};
};

// The movement-rule targets of the piece on `square` of any cells (empty set for an empty square).
SquareSet ruleTargets(const Cells& cells, int square);

// The piece on `from` may go to `to` by its rule and its colour is not in check afterwards.
bool reachesLegally(const Cells& cells, int from, int to);

}  // namespace zarvik
