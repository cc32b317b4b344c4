#include <cstring>

#include "rules/cells.h"
#include "rules/movement.h"

namespace zarvik {
namespace {

struct Step {
    int dx;
    int dy;
};

constexpr Step kOrthogonal[] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
constexpr Step kDiagonal[] = {{1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
constexpr Step kKnight[] = {{1, 2}, {2, 1}, {2, -1}, {-2, 1}, {-1, -2}, {-2, -1}, {1, -2}, {-1, 2}};
constexpr Step kKing[] = {{0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}};

constexpr bool onBoard(int x, int y) {
    return x >= 0 && x < 8 && y >= 0 && y < 8;
}

// Whether a piece of the given identity stands a knight's or king's step away from the square.
template <std::size_t N>
bool stepHolds(const Cells& cells, int x, int y, const Step (&steps)[N], std::uint8_t identity) {
    for (const Step& s : steps) {
        const int nx = x + s.dx;
        const int ny = y + s.dy;
        if (onBoard(nx, ny) && (cells[nx + 8 * ny] & cell::kIdentityMask) == identity) {
            return true;
        }
    }
    return false;
}

// Whether the first piece along any of the rays is one of the two identities.
bool rayHolds(const Cells& cells, int x, int y, const Step (&rays)[4], std::uint8_t first,
              std::uint8_t second) {
    for (const Step& r : rays) {
        int nx = x + r.dx;
        int ny = y + r.dy;
        while (onBoard(nx, ny)) {
            const std::uint8_t c = cells[nx + 8 * ny];
            if (c != 0) {
                const std::uint8_t id = c & cell::kIdentityMask;
                if (id == first || id == second) {
                    return true;
                }
                break;
            }
            nx += r.dx;
            ny += r.dy;
        }
    }
    return false;
}

void clearEnPassantFlags(Cells& cells) {
    constexpr std::uint64_t kKeep = ~(0x0101010101010101ULL * cell::kEnPassant);
    std::uint64_t words[8];
    std::memcpy(words, cells.data(), sizeof words);
    for (std::uint64_t& w : words) {
        w &= kKeep;
    }
    std::memcpy(cells.data(), words, sizeof words);
}

}  // namespace

int applyRawMove(Cells& cells, int from, int to) {
    const std::uint8_t moving = cells[from];
    cells[to] = moving | cell::kHasMoved;
    cells[from] = 0;
    int takenEnPassant = -1;
    const bool pawn = cell::is(moving, PieceType::pawn);
    if (pawn) {
        // The square beside the origin in the destination's file; for a straight move it is the origin.
        const int beside = 8 * (from / 8) + to % 8;
        const std::uint8_t c = cells[beside];
        if (c != 0 && (c & cell::kEnPassant) != 0 && cell::color(c) != cell::color(moving)) {
            cells[beside] = 0;
            takenEnPassant = beside;
        }
    }
    clearEnPassantFlags(cells);
    if (pawn) {
        const int fromRank = from / 8;
        const int toRank = to / 8;
        const bool white = cell::color(moving) == Color::white;
        if ((white && fromRank == 1 && toRank == 3) || (!white && fromRank == 6 && toRank == 4)) {
            cells[to] |= cell::kEnPassant;
        }
    }
    return takenEnPassant;
}

int firstKingSquare(const Cells& cells, Color color) {
    const std::uint8_t king = cell::make(PieceType::king, color);
    for (int i = 0; i < 64; ++i) {
        if ((cells[i] & cell::kIdentityMask) == king) {
            return i;
        }
    }
    return -1;
}

bool isSquareAttackedBy(const Cells& cells, int square, Color attacker) {
    const int x = square % 8;
    const int y = square / 8;
    // Pawns capture towards the far rank: an attacking White pawn stands one rank lower.
    const int pawnRank = attacker == Color::white ? y - 1 : y + 1;
    const std::uint8_t pawn = cell::make(PieceType::pawn, attacker);
    if (pawnRank >= 0 && pawnRank < 8) {
        if (x > 0 && (cells[x - 1 + 8 * pawnRank] & cell::kIdentityMask) == pawn) {
            return true;
        }
        if (x < 7 && (cells[x + 1 + 8 * pawnRank] & cell::kIdentityMask) == pawn) {
            return true;
        }
    }
    const std::uint8_t queen = cell::make(PieceType::queen, attacker);
    return stepHolds(cells, x, y, kKnight, cell::make(PieceType::knight, attacker)) ||
           rayHolds(cells, x, y, kOrthogonal, cell::make(PieceType::rook, attacker), queen) ||
           rayHolds(cells, x, y, kDiagonal, cell::make(PieceType::bishop, attacker), queen) ||
           stepHolds(cells, x, y, kKing, cell::make(PieceType::king, attacker));
}

bool isInCheck(const Cells& cells, Color color) {
    const int king = firstKingSquare(cells, color);
    return king >= 0 && isSquareAttackedBy(cells, king, opposite(color));
}

bool isInCheckAfterMove(const Cells& cells, int from, int to) {
    Cells after = cells;
    applyRawMove(after, from, to);
    return isInCheck(after, cell::color(cells[from]));
}

bool hasLegalMove(const Cells& cells, Color color) {
    for (int from = 0; from < 64; ++from) {
        const std::uint8_t c = cells[from];
        if (!cell::isColor(c, color)) {
            continue;
        }
        const SquareSet targets = PieceMovement::pieceMovement(cell::type(c)).allowedTargets(from, cells);
        bool found = false;
        forEachSquare(targets, [&](int to) { found = found || !isInCheckAfterMove(cells, from, to); });
        if (found) {
            return true;
        }
    }
    return false;
}

std::optional<CastlingObstacle> castlingObstacle(const Cells& cells, Color color, CastleSide side) {
    const int base = color == Color::white ? 0 : 56;
    const bool kingSide = side == CastleSide::kingSide;
    const std::uint8_t king = cells[base + 4];
    const std::uint8_t rook = cells[base + (kingSide ? 7 : 0)];
    // Only kind and moved flag count here, not the colour.
    if (!cell::is(king, PieceType::king) || !cell::is(rook, PieceType::rook) ||
        ((king | rook) & cell::kHasMoved) != 0) {
        return CastlingObstacle::pieceHasMoved;
    }
    const int firstBetween = kingSide ? 5 : 1;
    const int lastBetween = kingSide ? 6 : 3;
    for (int file = firstBetween; file <= lastBetween; ++file) {
        if (cells[base + file] != 0) {
            return CastlingObstacle::pathBlocked;
        }
    }
    if (isInCheck(cells, color)) {
        return CastlingObstacle::kingInCheck;
    }
    // The squares the king crosses and lands on; b1/b8 may be attacked.
    const int firstCrossed = kingSide ? 5 : 2;
    const int lastCrossed = kingSide ? 6 : 3;
    for (int file = firstCrossed; file <= lastCrossed; ++file) {
        Cells trial = cells;
        applyRawMove(trial, base + 4, base + file);
        if (isInCheck(trial, color)) {
            return CastlingObstacle::kingCrossesAttack;
        }
    }
    return std::nullopt;
}

bool mayCastle(const Cells& cells, Color color, CastleSide side) {
    return !castlingObstacle(cells, color, side);
}

}  // namespace zarvik
