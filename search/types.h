#pragma once
// The search engine's own small values: squares, colours, pieces and a move packed into 16 bits, so
// that move lists and table entries stay compact. Squares count like the rules: a1 = 0, h8 = 63.
#include <cstdint>
#include <string>

namespace zarvik::search {

using Bitboard = std::uint64_t;

enum Side : int { kWhite = 0, kBlack = 1 };
enum Kind : int { kPawn = 0, kKnight, kBishop, kRook, kQueen, kKing, kNoKind };

// A piece is colour * 6 + kind; kNoPiece marks an empty square.
inline constexpr int kNoPiece = 12;
inline constexpr int kNoSquare = 64;

constexpr int pieceOf(int side, int kind) {
    return side * 6 + kind;
}
constexpr int kindOf(int piece) {
    return piece % 6;
}
constexpr int sideOf(int piece) {
    return piece / 6;
}
constexpr int fileOf(int square) {
    return square & 7;
}
constexpr int rankOf(int square) {
    return square >> 3;
}
constexpr Bitboard bit(int square) {
    return Bitboard{1} << square;
}

// Castling rights, one bit each.
inline constexpr int kWhiteShort = 1, kWhiteLong = 2, kBlackShort = 4, kBlackLong = 8;

// Move flags (bits 12..15): bit 2 marks a capture, bit 3 a promotion whose piece is in bits 0..1.
enum MoveFlag : int {
    kQuiet = 0,
    kDoublePush = 1,
    kCastleShort = 2,
    kCastleLong = 3,
    kCapture = 4,
    kEnPassant = 5,
    kPromotion = 8,  // + 0 knight, 1 bishop, 2 rook, 3 queen; + kCapture when it takes
};

class Move {
  public:
    constexpr Move() = default;
    constexpr Move(int from, int to, int flag)
        : bits_(static_cast<std::uint16_t>(from | (to << 6) | (flag << 12))) {}
    static constexpr Move fromBits(std::uint16_t bits) {
        Move m;
        m.bits_ = bits;
        return m;
    }

    constexpr int from() const { return bits_ & 63; }
    constexpr int to() const { return (bits_ >> 6) & 63; }
    constexpr int flag() const { return bits_ >> 12; }
    constexpr bool isCapture() const { return (flag() & kCapture) != 0; }
    constexpr bool isPromotion() const { return (flag() & kPromotion) != 0; }
    constexpr bool isCastle() const { return flag() == kCastleShort || flag() == kCastleLong; }
    constexpr int promotionKind() const { return kKnight + (flag() & 3); }
    constexpr bool isNull() const { return bits_ == 0; }
    constexpr std::uint16_t bits() const { return bits_; }

    // Long algebraic: "e2e4", "e7e8q", castling as the king's move; "0000" for no move.
    std::string text() const;

    friend constexpr bool operator==(Move, Move) = default;

  private:
    std::uint16_t bits_ = 0;
};

// Scores in centipawns from the side to move; mate in n plies is kMate - n.
inline constexpr int kInfinite = 32000;
inline constexpr int kMate = 31000;
inline constexpr int kMaxPly = 128;
inline constexpr int kMateBound = kMate - kMaxPly;

}  // namespace zarvik::search
