#pragma once
// Boards for comparing the rules with the reference transcription: pieces strewn at random (any
// flags, pawns on any rank, kings missing or doubled).
#include <random>

#include "rules/board.h"

namespace zarvik::test {

inline Board strewnBoard(std::mt19937& rng) {
    Board board;
    std::uniform_int_distribution<int> square(0, 63);
    std::uniform_int_distribution<int> kind(0, 5);
    std::bernoulli_distribution coin(0.5);
    std::bernoulli_distribution rare(0.15);
    const int count = std::uniform_int_distribution<int>(2, 24)(rng);
    for (int i = 0; i < count; ++i) {
        Piece piece;
        piece.type = static_cast<PieceType>(kind(rng));
        piece.color = coin(rng) ? Color::white : Color::black;
        piece.hasMoved = coin(rng);
        piece.canBeTakenByEnPassant = rare(rng);
        piece.tag = i + 1;
        board.setPiece(BoardLocation(square(rng)), piece);
    }
    // Castling set-ups are rare by chance; seed some.
    if (coin(rng)) {
        board.setPiece(BoardLocation(4), Piece{PieceType::king, Color::white});
        board.setPiece(BoardLocation(coin(rng) ? 7 : 0), Piece{PieceType::rook, Color::white});
    }
    if (coin(rng)) {
        board.setPiece(BoardLocation(60), Piece{PieceType::king, Color::black});
        board.setPiece(BoardLocation(coin(rng) ? 63 : 56), Piece{PieceType::rook, Color::black});
    }
    return board;
}

}  // namespace zarvik::test
