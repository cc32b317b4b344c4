#include "rules/piece.h"

#include "rules/movement.h"

namespace zarvik {

const PieceMovement& Piece::movement() const {
    return PieceMovement::pieceMovement(type);
}

std::optional<char> Square::boardCharacter() const {
    if (!piece || !pieceTypeFromRawValue(rawValue(piece->type))) {
        return std::nullopt;
    }
    // Knight is K and king is G in the board picture.
    static constexpr char kWhite[] = {'P', 'R', 'K', 'B', 'Q', 'G'};
    const char letter = kWhite[static_cast<int>(piece->type)];
    return piece->color == Color::white ? letter : static_cast<char>(letter - 'A' + 'a');
}

bool operator==(const Square& a, const Square& b) {
    if (!a.piece || !b.piece) {
        return !a.piece && !b.piece;
    }
    return a.piece->type == b.piece->type && a.piece->color == b.piece->color;
}

}  // namespace zarvik
