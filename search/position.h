#pragma once
// The search's position: bitboards by side and kind plus a square table, made and unmade in place
// with an undo stack, and a Zobrist key kept up to date on every move. Built for speed; it is set up
// from the game's Board (or a FEN read by the rules) and agrees with the rules on every legal move.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/board.h"
#include "rules/color.h"
#include "rules/perft.h"
#include "search/bitboard.h"
#include "search/types.h"

namespace zarvik::search {

class Position {
  public:
    // The starting position.
    Position();
    // The game's position with `toMove` to move: castling rights from unmoved kings and rooks on
    // their home squares, the en passant square from the pawn the rules flag as just double-stepped.
    static Position fromBoard(const Board& board, Color toMove);
    // A position in Forsyth-Edwards notation, read by the rules; none when malformed.
    static std::optional<Position> fromFen(std::string_view fen, std::string& error);
    // The position in Forsyth-Edwards notation, as fromFen reads it.
    std::string fen() const;
    // A game: `moves` made from the position of `startFen` (empty: the starting position), up to the
    // first that is not legal; none when the FEN is malformed. Its repetitions and half-move clock
    // count in the search.
    static std::optional<Position> fromGame(std::string_view startFen, const std::vector<PerftMove>& moves,
                                            std::string& error);

    int sideToMove() const { return side_; }
    int pieceOn(int square) const { return squares_[square]; }
    Bitboard pieces(int side) const { return bySide_[side]; }
    Bitboard pieces(int side, int kind) const { return byKind_[kind] & bySide_[side]; }
    Bitboard occupied() const { return bySide_[0] | bySide_[1]; }
    int kingSquare(int side) const {
        const Bitboard kings = pieces(side, kKing);
        return kings == 0 ? kNoSquare : std::countr_zero(kings);
    }
    int castling() const { return state().castling; }
    int enPassant() const { return state().enPassant; }
    int halfmoveClock() const { return state().halfmoves; }
    std::uint64_t key() const { return state().key; }
    // Plies made since set-up (the search's distance to the root is measured with it).
    int gamePly() const { return static_cast<int>(states_.size()) - 1; }

    // Pieces of `side` attacking `square` with the given occupancy.
    Bitboard attackersOf(int square, Bitboard occupied) const;
    bool attacked(int square, int bySide) const;
    bool inCheck() const { return state().checkers != 0; }
    Bitboard checkers() const { return state().checkers; }
    // Own pieces that may only move along the line to their king.
    Bitboard pinned() const { return state().pinned; }

    void make(Move move);
    void unmake(Move move);
    void makeNull();
    void unmakeNull();

    // A repetition of an earlier position since the last irreversible move (once is enough inside the
    // search) or the fifty-move rule.
    bool isDrawByRule() const;
    // Neither side can mate with what is left (bare kings, a single minor piece).
    bool insufficientMaterial() const;
    bool hasNonPawnMaterial(int side) const;

    // The move whose long algebraic text is `text`, if it is legal here.
    std::optional<Move> moveNamed(std::string_view text) const;
    // Makes that move; false (and nothing made) when it is not legal here.
    bool makeNamed(std::string_view text);

  private:
    struct State {
        std::uint64_t key = 0;
        Bitboard checkers = 0;
        Bitboard pinned = 0;
        int castling = 0;
        int enPassant = kNoSquare;
        int halfmoves = 0;
        int captured = kNoPiece;
    };

    struct Blank {};
    explicit Position(Blank) {}
    const State& state() const { return states_.back(); }
    void put(int piece, int square);
    void remove(int square);
    void shift(int from, int to);
    void refreshChecks();
    std::uint64_t computeKey() const;

    std::array<int, 64> squares_{};
    std::array<Bitboard, 2> bySide_{};
    std::array<Bitboard, 6> byKind_{};
    int side_ = kWhite;
    int fullmove_ = 1;
    std::vector<State> states_;
};

// Zobrist numbers, fixed by a seeded generator.
namespace zobrist {
std::uint64_t piece(int piece, int square);
std::uint64_t castling(int rights);
std::uint64_t enPassantFile(int file);
std::uint64_t blackToMove();
}  // namespace zobrist

}  // namespace zarvik::search
