#pragma once
// Positions from games of random legal moves from several starts, for comparing the fast player with
// the reference transcription.
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

inline Board fenBoard(std::string_view fen) {
    std::string error;
    return readFen(fen, error)->board;
}

inline std::vector<TestPosition> playedPositions(unsigned seed, int games, int plies) {
    const char* starts[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 1",
    };
    std::mt19937 rng(seed);
    std::vector<TestPosition> positions;
    for (int g = 0; g < games; ++g) {
        std::string error;
        const auto start = readFen(starts[g % 5], error);
        TestPosition p{start->board, start->toMove};
        for (int ply = 0; ply < plies; ++ply) {
            const std::vector<PerftMove> moves = legalMoves(p.board, p.toMove);
            if (moves.empty()) {
                break;
            }
            positions.push_back(p);
            const PerftMove& move =
                moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(rng)];
            p = TestPosition{afterMove(p.board, p.toMove, move), opposite(p.toMove)};
        }
    }
    return positions;
}

}  // namespace zarvik::test
