#include "frontend/typedmove.h"

#include <algorithm>

#include "rules/cells.h"
#include "rules/lastmove.h"

namespace zarvik::frontend {
namespace {

TypedMove only(TypedMove::Kind kind) {
    TypedMove typed;
    typed.kind = kind;
    return typed;
}

TypedMove castling(CastleSide side) {
    TypedMove typed = only(TypedMove::Kind::castle);
    typed.side = side;
    return typed;
}

bool sameMove(const PerftMove& a, const PerftMove& b) {
    return a.from == b.from && a.to == b.to && a.castle == b.castle && a.promotion == b.promotion;
}

bool isFile(char c) {
    return c >= 'a' && c <= 'h';
}

bool isRank(char c) {
    return c >= '1' && c <= '8';
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowerCase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), lower);
    return result;
}

// The text split into its move and the promotion piece after the target's rank ("e8D", "e8=q",
// "E7-E8/T"), with check and annotation marks dropped.
struct Parts {
    std::string body;
    std::optional<char> promotion;  // English, upper case
};

Parts split(std::string_view text) {
    while (!text.empty() && std::string_view("+#!?").find(text.back()) != std::string_view::npos) {
        text.remove_suffix(1);
    }
    Parts parts{std::string(text), std::nullopt};
    if (text.size() >= 3) {
        const char before = text[text.size() - 2];
        const std::optional<char> piece = englishPiece(text.back());
        if (piece && *piece != 'K' && (isRank(before) || before == '=' || before == '/')) {
            parts.promotion = piece;
            parts.body = std::string(text.substr(0, text.size() - (isRank(before) ? 1 : 2)));
        }
    }
    return parts;
}

std::string withPromotion(std::string body, const std::optional<char>& promotion) {
    if (promotion) {
        body += '=';
        body += *promotion;
    }
    return body;
}

char germanPromotion(PieceType type) {
    return germanLetter(type, Color::white);
}

// The third character (a Unicode scalar, so that an umlaut counts once) is a hyphen.
bool thirdCharacterIsHyphen(std::string_view text) {
    int characters = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) {
            continue;  // continues the character before
        }
        if (++characters == 3) {
            return c == '-';
        }
    }
    return false;
}

// "e2e4", "E2-E4", "e2xd3": two squares with at most one separator; the separator's position is
// also where an older form expects its "-".
enum class Shape { none, squares, wrongSeparator };
Shape coordinateShape(const std::string& body) {
    const std::string low = lowerCase(body);
    const auto squareAt = [&](std::size_t i) { return isFile(low[i]) && isRank(low[i + 1]); };
    if (low.size() == 4 && squareAt(0) && squareAt(2)) {
        return Shape::squares;
    }
    if (low.size() == 5 && squareAt(0) && squareAt(3)) {
        return low[2] == '-' || low[2] == 'x' || low[2] == ':' ? Shape::squares : Shape::wrongSeparator;
    }
    return Shape::none;
}

TypedMove fromReading(const SanReading& reading, bool promotionTyped) {
    const PerftMove& move = *reading.move;
    if (move.castle) {
        return castling(*move.castle);
    }
    TypedMove typed = only(TypedMove::Kind::move);
    typed.from = BoardLocation(move.from);
    typed.to = BoardLocation(move.to);
    if (promotionTyped && move.promotion) {
        typed.promotion = germanPromotion(*move.promotion);
    }
    return typed;
}

// The readings of algebraic text: as written, then with the first letter as a piece and as a file.
TypedMove readAlgebraic(const Parts& parts, const Board& board, Color toMove) {
    const bool promotionTyped = parts.promotion.has_value();
    std::string written = parts.body;
    if (!written.empty() && written.front() >= 'A' && written.front() <= 'Z' &&
        englishPiece(written.front())) {
        written.front() = *englishPiece(written.front());
    }
    const SanReading exact = readSan(board, toMove, withPromotion(written, parts.promotion));
    if (exact.move) {
        return fromReading(exact, promotionTyped);
    }
    if (exact.problem == SanProblem::ambiguous) {
        TypedMove typed = only(TypedMove::Kind::ambiguous);
        typed.candidates = exact.candidates;
        return typed;
    }
    std::vector<SanReading> others;
    const std::string low = lowerCase(parts.body);
    if (!low.empty() && englishPiece(low.front())) {
        std::string asPiece = low;
        asPiece.front() = *englishPiece(low.front());
        others.push_back(readSan(board, toMove, withPromotion(asPiece, parts.promotion)));
    }
    others.push_back(readSan(board, toMove, withPromotion(low, parts.promotion)));

    std::vector<PerftMove> moves;
    std::optional<SanNamed> named = exact.named;
    for (const SanReading& reading : others) {
        std::vector<PerftMove> fits = reading.candidates;
        if (reading.move) {
            fits.push_back(*reading.move);
        }
        for (const PerftMove& move : fits) {
            if (std::none_of(moves.begin(), moves.end(),
                             [&](const PerftMove& m) { return sameMove(m, move); })) {
                moves.push_back(move);
            }
        }
        if (!named) {
            named = reading.named;
        }
    }
    if (moves.size() == 1) {
        return fromReading(SanReading{moves.front(), SanProblem::unreadable, {}, std::nullopt},
                           promotionTyped);
    }
    std::sort(moves.begin(), moves.end(),
              [](const PerftMove& a, const PerftMove& b) { return a.from < b.from; });
    TypedMove typed = only(moves.empty() ? (named ? TypedMove::Kind::illegal : TypedMove::Kind::unreadable)
                                         : TypedMove::Kind::ambiguous);
    typed.candidates = moves;
    typed.named = named;
    return typed;
}

}  // namespace

std::optional<char> englishPiece(char letter) {
    switch (letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter) {
        case 'K':
            return 'K';
        case 'D':
        case 'Q':
            return 'Q';
        case 'T':
        case 'R':
            return 'R';
        case 'L':
        case 'B':
            return 'B';
        case 'S':
        case 'N':
            return 'N';
        default:
            return std::nullopt;
    }
}

std::string upperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

TypedMove parseTypedMove(std::string_view input, const Board& board, Color toMove) {
    using Kind = TypedMove::Kind;
    if (input.empty()) {
        return only(Kind::giveUp);
    }
    if (const std::optional<CastleSide> side = castlingText(input)) {
        return castling(*side);
    }
    const Parts parts = split(input);
    switch (coordinateShape(parts.body)) {
        case Shape::wrongSeparator:
            return only(Kind::missingSeparator);
        case Shape::squares: {
            const std::string low = lowerCase(parts.body);
            const auto square = [&](std::size_t i) { return BoardLocation(low[i] - 'a', low[i + 1] - '1'); };
            const BoardLocation from = square(0);
            const BoardLocation to = square(low.size() - 2);
            // The king's two squares name castling ("E1-G1").
            const int base = toMove == Color::white ? 0 : 56;
            if (from.index == base + 4 && (to.index == base + 6 || to.index == base + 2) &&
                cell::is(board.cells()[from.index], PieceType::king, toMove)) {
                return castling(to.index == base + 6 ? CastleSide::kingSide : CastleSide::queenSide);
            }
            TypedMove typed = only(Kind::move);
            typed.from = from;
            typed.to = to;
            if (parts.promotion) {
                typed.promotion =
                    germanPromotion(pieceForEnglishLetter(*parts.promotion).value_or(PieceType::queen));
            }
            return typed;
        }
        case Shape::none:
            break;
    }
    // A hyphen as third character: the coordinates of the older form, not naming squares.
    if (thirdCharacterIsHyphen(input)) {
        return only(Kind::badCoordinates);
    }
    return readAlgebraic(parts, board, toMove);
}

}  // namespace zarvik::frontend
