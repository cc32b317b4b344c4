#pragma once
// The board: 64 squares and the position queries. A plain value; hypothetical moves are tried on copies.
// Internally one byte per square plus a tag per square, so that a copy is cheap.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rules/cells.h"
#include "rules/color.h"
#include "rules/location.h"
#include "rules/piece.h"

namespace zarvik {

// A position. Operations execute what they are told (no legality check); legality for a player is
// the business of `Player`. Locations outside 0...63 read as empty squares.
class Board {
  public:
    // 64 empty squares; with `setupPieces` the starting position with tags 1...32.
    Board() = default;
    explicit Board(bool setupPieces);

    // Raw move: the moving piece, then any piece captured on `to`, then an en passant capture.
    // Empty when from = to (or `to` is off the board). An empty from-square is a fatal internal error.
    std::vector<BoardOperation> movePiece(BoardLocation from, BoardLocation to);

    // King then rook, without permission check (see `canColorCastle`).
    std::vector<BoardOperation> performCastle(Color color, CastleSide side);

    // --- squares
    Square square(BoardLocation location) const;
    std::optional<Piece> pieceAt(BoardLocation location) const;
    bool isEmpty(BoardLocation location) const;
    // Places (or, with nullopt, removes) a piece; its `location` is set to `location`. An off-board
    // location or a piece type outside the six kinds has no effect.
    void setPiece(BoardLocation location, const std::optional<Piece>& piece);
    std::array<Square, 64> squares() const;

    std::int64_t lastAssignedPieceTag() const { return lastAssignedPieceTag_; }
    // Hands out the next identity number (increments `lastAssignedPieceTag`).
    std::int64_t assignPieceTag() { return ++lastAssignedPieceTag_; }

    // --- queries without movement rules
    // First square in index order holding that colour's king; a missing king is a fatal internal error.
    BoardLocation getKingLocation(Color color) const;
    std::vector<Piece> getPieces(Color color) const;
    std::vector<BoardLocation> getLocationsOfColor(Color color) const;
    // Pawns of that colour on its far rank (White 56...63, Black 0...7), ascending.
    std::vector<BoardLocation> getLocationsOfPromotablePawns(Color color) const;
    // Eight lines from rank 8 down, each ended by "\r"; empty squares are "·".
    std::string boardDescription() const;

    // --- queries built on the movement rules
    bool isColorInCheck(Color color) const;
    bool isColorInCheckMate(Color color) const;
    bool canColorMoveAnyPiece(Color color) const;
    // Raw rules only: whether any piece of `color` may go to `location`, own check ignored.
    bool canColorMoveAnyPieceToLocation(Color color, BoardLocation location) const;
    bool canColorCastle(Color color, CastleSide side) const;

    // Whether the piece on `from` would leave its own colour in check after the raw move to `to`.
    bool wouldBeInCheckAfterMove(BoardLocation from, BoardLocation to) const;

    // The compact position (see rules/cells.h).
    const Cells& cells() const { return cells_; }

    // Coarse equality: square by square, type and colour only; tags and flags are ignored.
    friend bool operator==(const Board& a, const Board& b);

  private:
    void place(int index, PieceType type, Color color);

    Cells cells_{};
    std::array<std::int64_t, 64> tags_{};
    std::int64_t lastAssignedPieceTag_ = 0;
};

}  // namespace zarvik
