#pragma once
// Movement rules: one class per piece kind, each holding its fixed step tables, and one shared immutable
// instance per kind. A rule says where a piece may go by geometry, blocking, captures and en passant,
// never onto a king, ignoring whether its own king ends up attacked; `canPieceMove` adds that test.
// The rules never change the board they are given and may be used from any thread.
#include <array>
#include <cstdint>
#include <utility>

#include "rules/board.h"
#include "rules/cells.h"
#include "rules/color.h"
#include "rules/location.h"

namespace zarvik {

class PieceMovement {
  public:
    // The shared rule object of a kind; created on first request, kept for the life of the program.
    static const PieceMovement& pieceMovement(PieceType type);

    PieceMovement() = default;
    PieceMovement(const PieceMovement&) = delete;
    PieceMovement& operator=(const PieceMovement&) = delete;
    virtual ~PieceMovement() = default;

    // The rule plus, with `accountForCheckState`, that the mover's colour is not in check afterwards.
    bool canPieceMove(BoardLocation from, BoardLocation to, const Board& board,
                      bool accountForCheckState) const;

    // The rule for one move. An empty from-square answers false (after the developer line some rules print).
    bool isMovementAllowed(BoardLocation from, BoardLocation to, const Board& board) const;

    // Every square the rule allows from `from` (empty set for an empty or off-board from-square).
    SquareSet allowedTargets(BoardLocation from, const Board& board) const;
    SquareSet allowedTargets(int from, const Cells& cells) const;

    // The walk of the straight-line and diagonal rules along one stride.
    static bool canPieceMoveAlongStride(BoardLocation from, BoardLocation to, const Board& board,
                                        BoardStride stride);

  protected:
    // The kind's rule: the targets of the occupied square `from`.
    virtual SquareSet targets(int from, const Cells& cells) const = 0;
    // The line the kind prints when asked about an empty from-square (none by default).
    virtual void reportEmptyOrigin(BoardLocation from, BoardLocation to) const;

    static SquareSet strideTargets(int from, const Cells& cells, const std::array<BoardStride, 4>& strides);
    template <std::size_t N>
    static SquareSet offsetTargets(int from, const Cells& cells,
                                   const std::array<std::pair<std::int64_t, std::int64_t>, N>& offsets);
};

class PieceMovementStraightLine : public PieceMovement {
  public:
    const std::array<BoardStride, 4> strides{{{0, -1}, {0, 1}, {-1, 0}, {1, 0}}};

  protected:
    SquareSet targets(int from, const Cells& cells) const override;
    void reportEmptyOrigin(BoardLocation from, BoardLocation to) const override;
};

class PieceMovementDiagonal : public PieceMovement {
  public:
    const std::array<BoardStride, 4> strides{{{1, -1}, {-1, -1}, {1, 1}, {-1, 1}}};

  protected:
    SquareSet targets(int from, const Cells& cells) const override;
    void reportEmptyOrigin(BoardLocation from, BoardLocation to) const override;
};

class PieceMovementRook : public PieceMovement {
  public:
    const PieceMovementStraightLine straightLineMovement{};

  protected:
    SquareSet targets(int from, const Cells& cells) const override;
    void reportEmptyOrigin(BoardLocation from, BoardLocation to) const override;
};

class PieceMovementBishop : public PieceMovement {
  public:
    const PieceMovementDiagonal diagonalMovement{};

  protected:
    SquareSet targets(int from, const Cells& cells) const override;
    void reportEmptyOrigin(BoardLocation from, BoardLocation to) const override;
};

class PieceMovementQueen : public PieceMovement {
  public:
    PieceMovementQueen();
    // A straight-line rule, then a diagonal one.
    const std::array<const PieceMovement*, 2>& movements() const { return movements_; }

  protected:
    SquareSet targets(int from, const Cells& cells) const override;
    void reportEmptyOrigin(BoardLocation from, BoardLocation to) const override;

  private:
    const PieceMovementStraightLine straightLine_{};
    const PieceMovementDiagonal diagonal_{};
    const std::array<const PieceMovement*, 2> movements_;
};

class PieceMovementKnight : public PieceMovement {
  public:
    const std::array<std::pair<std::int64_t, std::int64_t>, 8> offsets{
        {{1, 2}, {2, 1}, {2, -1}, {-2, 1}, {-1, -2}, {-2, -1}, {1, -2}, {-1, 2}}};

  protected:
    SquareSet targets(int from, const Cells& cells) const override;
    void reportEmptyOrigin(BoardLocation from, BoardLocation to) const override;
};

class PieceMovementPawn : public PieceMovement {
  public:
    static constexpr std::array<std::pair<std::int64_t, std::int64_t>, 2> whiteCaptures{{{-1, 1}, {1, 1}}};
    static constexpr std::array<std::pair<std::int64_t, std::int64_t>, 2> blackCaptures{{{-1, -1}, {1, -1}}};

  protected:
    SquareSet targets(int from, const Cells& cells) const override;
};

class PieceMovementKing : public PieceMovement {
  public:
    const std::array<std::pair<std::int64_t, std::int64_t>, 8> offsets{
        {{0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}}};

  protected:
    SquareSet targets(int from, const Cells& cells) const override;
    void reportEmptyOrigin(BoardLocation from, BoardLocation to) const override;
};

}  // namespace zarvik
