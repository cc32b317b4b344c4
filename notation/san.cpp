#include "notation/san.h"

#include "rules/cells.h"
#include "rules/movement.h"

namespace zarvik {
namespace {

char fileLetter(int square) {
    return static_cast<char>('a' + square % 8);
}

char rankDigit(int square) {
    return static_cast<char>('1' + square / 8);
}

// Whether the piece on `from` may legally go to `to` by its movement rule (castling aside).
bool movesLegally(const Cells& cells, int from, int to) {
    const SquareSet targets =
        PieceMovement::pieceMovement(cell::type(cells[from])).allowedTargets(from, cells);
    return (targets & (SquareSet{1} << to)) != 0 && !isInCheckAfterMove(cells, from, to);
}

bool reachesLastRank(Color color, int to) {
    return color == Color::white ? to >= 56 : to < 8;
}

std::optional<PieceType> promotionForLetter(char letter) {
    const char upper = letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
    const std::optional<PieceType> type = pieceForEnglishLetter(upper);
    if (!type || *type == PieceType::king || *type == PieceType::pawn) {
        return std::nullopt;
    }
    return type;
}

// The text without the marks that say nothing about the move itself.
std::string_view withoutMarks(std::string_view text) {
    for (;;) {
        if (text.ends_with("e.p.")) {
            text.remove_suffix(4);
        } else if (!text.empty() && std::string_view("+#!?").find(text.back()) != std::string_view::npos) {
            text.remove_suffix(1);
        } else {
            return text;
        }
    }
}

}  // namespace

std::optional<CastleSide> castlingText(std::string_view text) {
    std::string normal(text);
    for (char& c : normal) {
        if (c == '0' || c == 'o') {
            c = 'O';
        }
    }
    if (normal == "O-O") {
        return CastleSide::kingSide;
    }
    if (normal == "O-O-O") {
        return CastleSide::queenSide;
    }
    return std::nullopt;
}

namespace {

SanReading refused(SanProblem problem) {
    return SanReading{std::nullopt, problem, {}, std::nullopt};
}

SanReading readCastling(const Board& board, Color toMove, CastleSide side) {
    if (!board.canColorCastle(toMove, side)) {
        return refused(SanProblem::illegal);
    }
    const int base = toMove == Color::white ? 0 : 56;
    return SanReading{PerftMove{base + 4, base + (side == CastleSide::kingSide ? 6 : 2), side, std::nullopt},
                      SanProblem::unreadable,
                      {},
                      std::nullopt};
}

}  // namespace

std::optional<PieceType> pieceForEnglishLetter(char letter) {
    switch (letter) {
        case 'K':
            return PieceType::king;
        case 'Q':
            return PieceType::queen;
        case 'R':
            return PieceType::rook;
        case 'B':
            return PieceType::bishop;
        case 'N':
            return PieceType::knight;
        case 'P':
            return PieceType::pawn;
        default:
            return std::nullopt;
    }
}

std::string_view englishLetter(PieceType type) {
    switch (type) {
        case PieceType::king:
            return "K";
        case PieceType::queen:
            return "Q";
        case PieceType::rook:
            return "R";
        case PieceType::bishop:
            return "B";
        case PieceType::knight:
            return "N";
        case PieceType::pawn:
            break;
    }
    return "";
}

bool isLegalMove(const Board& board, Color toMove, const PerftMove& move) {
    if (move.castle) {
        const int base = toMove == Color::white ? 0 : 56;
        return move.from == base + 4 && move.to == base + (*move.castle == CastleSide::kingSide ? 6 : 2) &&
               !move.promotion && board.canColorCastle(toMove, *move.castle);
    }
    if (move.from < 0 || move.from > 63 || move.to < 0 || move.to > 63 || move.from == move.to) {
        return false;
    }
    const Cells& cells = board.cells();
    if (!cell::isColor(cells[move.from], toMove) || !movesLegally(cells, move.from, move.to)) {
        return false;
    }
    const bool promotes = cell::is(cells[move.from], PieceType::pawn) && reachesLastRank(toMove, move.to);
    return promotes == move.promotion.has_value() &&
           (!move.promotion || (*move.promotion != PieceType::king && *move.promotion != PieceType::pawn));
}

std::string sanText(const Board& board, Color toMove, const PerftMove& move) {
    std::string text;
    if (move.castle) {
        text = *move.castle == CastleSide::kingSide ? "O-O" : "O-O-O";
    } else {
        const Cells& cells = board.cells();
        const std::uint8_t moving = cells[move.from];
        const PieceType type = cell::type(moving);
        const bool capture =
            cell::occupied(cells[move.to]) || (type == PieceType::pawn && move.from % 8 != move.to % 8);
        if (type == PieceType::pawn) {
            if (capture) {
                text += fileLetter(move.from);
            }
        } else {
            text += englishLetter(type);
            bool rival = false;
            bool rivalOnFile = false;
            bool rivalOnRank = false;
            for (int square = 0; square < 64; ++square) {
                if (square == move.from ||
                    (cells[square] & cell::kIdentityMask) != (moving & cell::kIdentityMask) ||
                    !movesLegally(cells, square, move.to)) {
                    continue;
                }
                rival = true;
                rivalOnFile = rivalOnFile || square % 8 == move.from % 8;
                rivalOnRank = rivalOnRank || square / 8 == move.from / 8;
            }
            if (rival && (!rivalOnFile || rivalOnRank)) {
                text += fileLetter(move.from);
            }
            if (rivalOnFile) {
                text += rankDigit(move.from);
            }
        }
        if (capture) {
            text += 'x';
        }
        text += fileLetter(move.to);
        text += rankDigit(move.to);
        if (move.promotion) {
            text += '=';
            text += englishLetter(*move.promotion);
        }
    }
    const Board after = afterMove(board, toMove, move);
    const Color opponent = opposite(toMove);
    if (after.isColorInCheck(opponent)) {
        text += after.canColorMoveAnyPiece(opponent) ? '+' : '#';
    }
    return text;
}

SanReading readSan(const Board& board, Color toMove, std::string_view text) {
    std::string_view rest = withoutMarks(text);
    if (const std::optional<CastleSide> side = castlingText(rest)) {
        return readCastling(board, toMove, *side);
    }
    std::optional<PieceType> named;
    if (!rest.empty()) {
        named = pieceForEnglishLetter(rest.front());
        if (named) {
            rest.remove_prefix(1);
        }
    }
    // The promotion piece: "=Q", "/Q", "(Q)" or a bare letter after the square.
    std::optional<PieceType> promotion;
    if (rest.ends_with(")") && rest.size() >= 3 && rest[rest.size() - 3] == '(') {
        promotion = promotionForLetter(rest[rest.size() - 2]);
        if (!promotion) {
            return refused(SanProblem::unreadable);
        }
        rest.remove_suffix(3);
    } else if (rest.size() >= 2 && (rest[rest.size() - 2] == '=' || rest[rest.size() - 2] == '/')) {
        promotion = promotionForLetter(rest.back());
        if (!promotion) {
            return refused(SanProblem::unreadable);
        }
        rest.remove_suffix(2);
    } else if (rest.size() >= 2 && rest[rest.size() - 2] >= '1' && rest[rest.size() - 2] <= '8' &&
               promotionForLetter(rest.back())) {
        promotion = promotionForLetter(rest.back());
        rest.remove_suffix(1);
    }
    // What remains are squares' files and ranks, perhaps with capture marks or a hyphen between.
    std::string squares;
    for (const char c : rest) {
        if (c == 'x' || c == ':' || c == '-') {
            continue;
        }
        const bool file = c >= 'a' && c <= 'h';
        const bool rank = c >= '1' && c <= '8';
        if (!file && !rank) {
            return refused(SanProblem::unreadable);
        }
        squares.push_back(c);
    }
    if (squares.size() < 2 || squares.size() > 4) {
        return refused(SanProblem::unreadable);
    }
    const char toFile = squares[squares.size() - 2];
    const char toRank = squares.back();
    if (toFile < 'a' || toFile > 'h' || toRank < '1' || toRank > '8') {
        return refused(SanProblem::unreadable);
    }
    const int to = (toFile - 'a') + 8 * (toRank - '1');
    std::optional<int> fromFile;
    std::optional<int> fromRank;
    const std::string_view hint = std::string_view(squares).substr(0, squares.size() - 2);
    for (std::size_t i = 0; i < hint.size(); ++i) {
        if (hint[i] >= 'a' && hint[i] <= 'h' && i == 0 && !fromFile) {
            fromFile = hint[i] - 'a';
        } else if (hint[i] >= '1' && hint[i] <= '8' && !fromRank) {
            fromRank = hint[i] - '1';
        } else {
            return refused(SanProblem::unreadable);
        }
    }

    // Without a letter a move is a pawn's, unless it names its origin square in full, as the
    // coordinate form of engines does ("g1f3").
    const bool anyKind = !named && fromFile && fromRank;
    const Cells& cells = board.cells();
    // That form names castling by the king's two squares ("e1g1", "Ke8-c8").
    if (fromFile && fromRank && (anyKind || named == PieceType::king) && !promotion) {
        const int from = *fromFile + 8 * *fromRank;
        const int base = toMove == Color::white ? 0 : 56;
        if (from == base + 4 && (to == base + 6 || to == base + 2) &&
            cell::is(cells[from], PieceType::king, toMove)) {
            return readCastling(board, toMove, to == base + 6 ? CastleSide::kingSide : CastleSide::queenSide);
        }
    }
    const std::uint8_t wanted = cell::make(named.value_or(PieceType::pawn), toMove);
    const SanNamed what{named.value_or(PieceType::pawn), fromFile, fromRank, to};
    std::vector<int> found;
    for (int from = 0; from < 64; ++from) {
        const bool fits =
            anyKind ? cell::isColor(cells[from], toMove) : (cells[from] & cell::kIdentityMask) == wanted;
        if (fits && (!fromFile || from % 8 == *fromFile) && (!fromRank || from / 8 == *fromRank) &&
            from != to && movesLegally(cells, from, to)) {
            found.push_back(from);
        }
    }
    SanReading reading{std::nullopt, SanProblem::illegal, {}, what};
    for (const int from : found) {
        const bool promotes = cell::is(cells[from], PieceType::pawn) && reachesLastRank(toMove, to);
        if (promotion && !promotes) {
            continue;
        }
        reading.candidates.push_back(
            PerftMove{from, to, std::nullopt, promotes ? promotion.value_or(PieceType::queen) : promotion});
    }
    if (reading.candidates.size() == 1) {
        reading.move = reading.candidates.front();
        reading.candidates.clear();
    } else if (reading.candidates.size() > 1) {
        reading.problem = SanProblem::ambiguous;
    }
    return reading;
}

}  // namespace zarvik
