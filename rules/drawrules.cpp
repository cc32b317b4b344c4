#include "rules/drawrules.h"

#include <algorithm>
#include <array>

#include "rules/movement.h"

namespace zarvik {
namespace {

constexpr int kFiftyMovesInHalfMoves = 100;

// What makes two positions the same for the repetition of positions.
struct PositionKey {
    std::array<std::uint8_t, 64> pieces{};
    std::uint8_t castling = 0;  // one bit per colour and side that may still castle some day
    int enPassant = -1;         // the square a pawn may take en passant on now
    Color toMove = Color::white;
    friend bool operator==(const PositionKey&, const PositionKey&) = default;
};

bool unmoved(const Cells& cells, int square, PieceType type, Color color) {
    return cell::is(cells[square], type, color) && (cells[square] & cell::kHasMoved) == 0;
}

// The square behind a pawn that just made its double step, when a pawn of `toMove` may legally take
// it there.
int enPassantTarget(const Cells& cells, Color toMove) {
    for (int square = 0; square < 64; ++square) {
        if (!cell::isColor(cells[square], opposite(toMove)) || (cells[square] & cell::kEnPassant) == 0) {
            continue;
        }
        const int behind = square + (toMove == Color::white ? 8 : -8);
        if (behind < 0 || behind > 63) {
            continue;  // a flag on a pawn that cannot have just made its double step
        }
        for (const int side : {-1, 1}) {
            const int file = square % 8 + side;
            if (file < 0 || file > 7) {
                continue;
            }
            const int from = 8 * (square / 8) + file;
            if (!cell::is(cells[from], PieceType::pawn, toMove)) {
                continue;
            }
            const SquareSet targets =
                PieceMovement::pieceMovement(PieceType::pawn).allowedTargets(from, cells);
            if ((targets & (SquareSet{1} << behind)) != 0 && !isInCheckAfterMove(cells, from, behind)) {
                return behind;
            }
        }
    }
    return -1;
}

PositionKey keyOf(const Cells& cells, Color toMove) {
    PositionKey key;
    for (int square = 0; square < 64; ++square) {
        key.pieces[square] = cells[square] & cell::kIdentityMask;
    }
    int bit = 0;
    for (const Color color : {Color::white, Color::black}) {
        const int base = color == Color::white ? 0 : 56;
        for (const int rook : {base + 7, base}) {
            if (unmoved(cells, base + 4, PieceType::king, color) &&
                unmoved(cells, rook, PieceType::rook, color)) {
                key.castling |= static_cast<std::uint8_t>(1 << bit);
            }
            ++bit;
        }
    }
    key.enPassant = enPassantTarget(cells, toMove);
    key.toMove = toMove;
    return key;
}

PieceType promotedType(char letter) {
    switch (letter) {
        case 'T':
        case 't':
            return PieceType::rook;
        case 'S':
        case 's':
            return PieceType::knight;
        case 'L':
        case 'l':
            return PieceType::bishop;
        default:
            return PieceType::queen;
    }
}

// Makes the half-move on `cells`; false when the board refuses it. `irreversible` tells whether it
// was a capture or a pawn move.
bool play(Cells& cells, Color color, const PlayedMove& move, bool& irreversible) {
    irreversible = false;
    if (move.kingSideCastle || move.queenSideCastle) {
        const CastleSide side = move.kingSideCastle ? CastleSide::kingSide : CastleSide::queenSide;
        if (!mayCastle(cells, color, side)) {
            return false;
        }
        const int base = color == Color::white ? 0 : 56;
        const bool kingSide = side == CastleSide::kingSide;
        applyRawMove(cells, base + 4, base + (kingSide ? 6 : 2));
        applyRawMove(cells, base + (kingSide ? 7 : 0), base + (kingSide ? 5 : 3));
        return true;
    }
    if (move.from < 0 || move.from > 63 || move.to < 0 || move.to > 63 || move.from == move.to ||
        !cell::isColor(cells[move.from], color)) {
        return false;
    }
    const bool pawn = cell::is(cells[move.from], PieceType::pawn);
    const bool capture = cell::occupied(cells[move.to]);
    const int takenEnPassant = applyRawMove(cells, move.from, move.to);
    irreversible = pawn || capture || takenEnPassant >= 0;
    const int lastRank = color == Color::white ? 7 : 0;
    if (pawn && move.to / 8 == lastRank) {
        cells[move.to] = cell::make(promotedType(move.promotion), color) | cell::kHasMoved;
    }
    return true;
}

}  // namespace

bool hasInsufficientMaterial(const Cells& cells) {
    int knights = 0;
    int bishops = 0;
    bool bishopOnLight = false;
    bool bishopOnDark = false;
    for (int square = 0; square < 64; ++square) {
        const std::uint8_t c = cells[square];
        if (!cell::occupied(c) || cell::is(c, PieceType::king)) {
            continue;
        }
        if (cell::is(c, PieceType::knight)) {
            ++knights;
        } else if (cell::is(c, PieceType::bishop)) {
            ++bishops;
            // a1 is dark: file + rank even.
            ((square % 8 + square / 8) % 2 == 0 ? bishopOnDark : bishopOnLight) = true;
        } else {
            return false;  // a pawn, rook or queen can mate
        }
    }
    if (knights > 0) {
        return knights == 1 && bishops == 0;
    }
    return !(bishopOnLight && bishopOnDark);
}

std::optional<DrawRule> findDrawRule(const std::vector<PlayedMove>& moves, const Cells& start,
                                     Color startToMove) {
    Cells cells = start;
    Color toMove = startToMove;
    // The positions since the last capture or pawn move; none before it can come again.
    std::vector<PositionKey> positions{keyOf(cells, toMove)};
    int quietHalfMoves = 0;
    for (const PlayedMove& move : moves) {
        bool irreversible = false;
        if (!play(cells, toMove, move, irreversible)) {
            break;
        }
        toMove = opposite(toMove);
        quietHalfMoves = irreversible ? 0 : quietHalfMoves + 1;
        if (irreversible) {
            positions.clear();
        }
        positions.push_back(keyOf(cells, toMove));
    }
    if (hasInsufficientMaterial(cells)) {
        return DrawRule::insufficientMaterial;
    }
    if (std::count(positions.begin(), positions.end(), positions.back()) >= 3) {
        return DrawRule::repeatedPosition;
    }
    if (quietHalfMoves >= kFiftyMovesInHalfMoves) {
        return DrawRule::fiftyMoves;
    }
    return std::nullopt;
}

bool opponentCanMate(const Board& board, Color flagged) {
    int opponentMinor = 0;
    bool opponentMore = false;
    bool flaggedMore = false;
    for (int square = 0; square < 64; ++square) {
        const std::optional<Piece> piece = board.pieceAt(BoardLocation(square));
        if (!piece || piece->type == PieceType::king) {
            continue;
        }
        if (piece->color == flagged) {
            flaggedMore = true;
        } else if (piece->type == PieceType::bishop || piece->type == PieceType::knight) {
            ++opponentMinor;
        } else {
            opponentMore = true;
        }
    }
    return opponentMore || opponentMinor > 1 || (opponentMinor == 1 && flaggedMore);
}

}  // namespace zarvik
