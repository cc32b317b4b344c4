#include "frontend/refusal.h"

#include "rules/cells.h"
#include "rules/lastmove.h"
#include "rules/movement.h"

namespace zarvik::frontend {
namespace {

// The piece's name with its article, and the word "kein" in its gender.
struct PieceWords {
    const char* withArticle;
    const char* none;
};

PieceWords wordsFor(PieceType type) {
    switch (type) {
        case PieceType::king:
            return {"Der König", "Kein König"};
        case PieceType::queen:
            return {"Die Dame", "Keine Dame"};
        case PieceType::rook:
            return {"Der Turm", "Kein Turm"};
        case PieceType::bishop:
            return {"Der Läufer", "Kein Läufer"};
        case PieceType::knight:
            return {"Der Springer", "Kein Springer"};
        case PieceType::pawn:
            break;
    }
    return {"Der Bauer", "Kein Bauer"};
}

std::string cannotGo(PieceType type, BoardLocation to) {
    return std::string(wordsFor(type).withArticle) + " kann nicht nach " + squareName(to.index) + " ziehen.";
}

}  // namespace

std::string refusalText(MoveError error, const Board& board, BoardLocation from, BoardLocation to) {
    switch (error) {
        case MoveError::movingToSameLocation:
            return "Start- und Zielfeld sind gleich.";
        case MoveError::noPieceToMove:
        case MoveError::pieceColorDoesNotMatchPlayerColor:
            return "Auf " + squareName(from.index) + " steht keine eigene Figur.";
        case MoveError::pieceUnableToMoveToLocation: {
            const std::optional<Piece> piece = board.pieceAt(from);
            return piece ? cannotGo(piece->type, to) : "Unzulässiger Zug.";
        }
        case MoveError::playerMustMoveOutOfCheck:
            return "Der König bliebe im Schach.";
        case MoveError::cannotMoveInToCheck:
            return "Der König stünde im Schach.";
        case MoveError::notThisPlayersTurn:
        case MoveError::gameIsNotInProgress:
            break;
    }
    return "Unzulässiger Zug.";
}

std::string castlingRefusalText(const Board& board, Color color, CastleSide side) {
    // The reasons fit the 49 columns left of the record panel.
    if (const std::optional<CastlingObstacle> obstacle = castlingObstacle(board.cells(), color, side)) {
        switch (*obstacle) {
            case CastlingObstacle::pieceHasMoved:
                return "Rochade nicht möglich: König oder Turm zog schon.";
            case CastlingObstacle::pathBlocked:
                return "Rochade nicht möglich: Felder dazwischen besetzt.";
            case CastlingObstacle::kingInCheck:
                return "Rochade nicht möglich: der König steht im Schach.";
            case CastlingObstacle::kingCrossesAttack:
                return "Rochade nicht möglich: König zöge durch Schach.";
        }
    }
    return side == CastleSide::kingSide ? "Kleine Rochade (Königsseite) nicht möglich."
                                        : "Große Rochade (Damenseite) nicht möglich.";
}

std::string algebraicRefusalText(const Player& player, const Board& board, const SanNamed& named) {
    const BoardLocation to(named.to);
    int pieces = 0;
    if (player.color && to.isOnBoard()) {
        const Cells& cells = board.cells();
        for (int from = 0; from < 64; ++from) {
            if (!cell::is(cells[from], named.piece, *player.color) ||
                (named.fromFile && from % 8 != *named.fromFile) ||
                (named.fromRank && from / 8 != *named.fromRank)) {
                continue;
            }
            ++pieces;
            // A piece whose rule allows the move is refused for the sake of its king.
            if (PieceMovement::pieceMovement(named.piece)
                    .canPieceMove(BoardLocation(from), to, board, false)) {
                if (const std::optional<MoveError> error = player.checkMove(BoardLocation(from), to)) {
                    return refusalText(*error, board, BoardLocation(from), to);
                }
            }
        }
    }
    if (pieces == 1) {
        return cannotGo(named.piece, to);
    }
    return std::string(wordsFor(named.piece).none) + " kann nach " + squareName(to.index) + " ziehen.";
}

std::string moveName(const Board& board, const PerftMove& move) {
    if (move.castle) {
        return *move.castle == CastleSide::kingSide ? "O-O" : "O-O-O";
    }
    std::string text;
    const std::optional<Piece> piece = board.pieceAt(BoardLocation(move.from));
    if (piece && piece->type != PieceType::pawn) {
        text += germanLetter(piece->type, Color::white);
    }
    text += squareName(move.from) + (board.isEmpty(BoardLocation(move.to)) ? "-" : "X") + squareName(move.to);
    if (move.promotion) {
        text += "/" + std::string(1, germanLetter(*move.promotion, Color::white));
    }
    return text;
}

std::string ambiguityText(const Board& board, const std::vector<PerftMove>& candidates) {
    std::string text = "Mehrdeutig: ";
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (i > 0) {
            text += i + 1 == candidates.size() ? " oder " : ", ";
        }
        text += moveName(board, candidates[i]);
    }
    return text;
}

}  // namespace zarvik::frontend
