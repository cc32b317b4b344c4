#pragma once
// Positions for comparing the rules with the reference transcription: games of random legal moves,
// and boards with pieces strewn at random (any flags, pawns on any rank, kings missing or doubled).
#include <random>
#include <string>
#include <vector>

#include "rules/fen.h"
#include "rules/perft.h"

namespace zarvik::test {

struct TestPosition {
    Board board;
    Color toMove;
};

inline std::vector<TestPosition> playedPositions(unsigned seed, int games, int plies) {
    const char* starts[] = {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                            "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                            "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"};
    std::mt19937 rng(seed);
    std::vector<TestPosition> positions;
    for (int g = 0; g < games; ++g) {
        std::string error;
        const auto start = readFen(starts[g % 3], error);
        TestPosition p{start->board, start->toMove};
        for (int ply = 0; ply < plies; ++ply) {
            positions.push_back(p);
            const std::vector<PerftMove> moves = legalMoves(p.board, p.toMove);
            if (moves.empty()) {
                break;
            }
            const PerftMove& move =
                moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(rng)];
            p = TestPosition{afterMove(p.board, p.toMove, move), opposite(p.toMove)};
        }
    }
    return positions;
}

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
