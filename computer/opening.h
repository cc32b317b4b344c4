#pragma once
// The opening book: five short fixed lines from the starting position, from which the book of one
// colour is derived as entries "in this position, play this move".
#include <memory>
#include <utility>
#include <vector>

#include "rules/board.h"
#include "rules/color.h"
#include "rules/location.h"

namespace zarvik {

struct OpeningMove {
    Board board;  // the position before the move
    BoardLocation fromLocation;
    BoardLocation toLocation;
};

// One line of the book. A subclass supplies its moves; the entries are derived here.
class Opening {
  public:
    Opening() = default;
    Opening(const Opening&) = delete;
    Opening& operator=(const Opening&) = delete;
    virtual ~Opening() = default;

    // The entries of this line for one colour: White's moves (even positions), or Black's (odd).
    std::vector<OpeningMove> openingMoves(Color color) const;
    std::vector<std::pair<BoardLocation, BoardLocation>> moveLocations() const;
    // The line, White's and Black's moves alternating. A line without its own moves is an internal error.
    virtual std::vector<std::pair<GridPosition, GridPosition>> moveGridPositions() const;
};

class RuyLopez : public Opening {
  public:
    std::vector<std::pair<GridPosition, GridPosition>> moveGridPositions() const override;
};

class ItalianGame : public Opening {
  public:
    std::vector<std::pair<GridPosition, GridPosition>> moveGridPositions() const override;
};

class SicilianDefense : public Opening {
  public:
    std::vector<std::pair<GridPosition, GridPosition>> moveGridPositions() const override;
};

class QueensGambit : public Opening {
  public:
    std::vector<std::pair<GridPosition, GridPosition>> moveGridPositions() const override;
};

class KingsGambit : public Opening {
  public:
    std::vector<std::pair<GridPosition, GridPosition>> moveGridPositions() const override;
};

// The book of a colour: the entries of the five lines in the order Ruy Lopez, Italian, Sicilian,
// Queen's Gambit, King's Gambit.
std::vector<OpeningMove> openingBook(Color color);

}  // namespace zarvik
