#pragma once
// Move generation for the search's position: pseudo-legal lists by stage (captures and promotions,
// quiet moves) with a cheap legality test from pins and checkers, the full legal list, and perft.
#include <array>
#include <cstdint>

#include "search/position.h"

namespace zarvik::search {

// A fixed-capacity list: no allocation on the search's hot path.
class MoveList {
  public:
    void push(Move m) { moves_[size_++] = m; }
    int size() const { return size_; }
    Move operator[](int i) const { return moves_[i]; }
    Move& operator[](int i) { return moves_[i]; }
    const Move* begin() const { return moves_.data(); }
    const Move* end() const { return moves_.data() + size_; }

  private:
    std::array<Move, 256> moves_{};
    int size_ = 0;
};

enum class Stage { captures, quiets, all };

// Pseudo-legal moves of the side to move; `captures` also holds queen promotions, `quiets` the
// other promotions. When in check only king moves and moves that capture or block a lone checker.
void generate(const Position& position, Stage stage, MoveList& moves);
// Whether a pseudo-legal move leaves the mover's king safe.
bool isLegal(const Position& position, Move move);
void generateLegal(const Position& position, MoveList& moves);
bool hasLegalMove(const Position& position);

std::uint64_t perft(Position& position, int depth);

}  // namespace zarvik::search
