#pragma once
// Positions for tests and benchmarks: read from FEN (a text that does not read throws, naming it),
// a legal move by its long algebraic text, and games of random legal moves from several starts.
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "rules/fen.h"
#include "rules/perft.h"

namespace zarvik::test {

inline FenPosition fenPosition(std::string_view fen) {
    std::string error;
    std::optional<FenPosition> position = readFen(fen, error);
    if (!position) {
        throw std::invalid_argument(std::string(fen) + ": " + error);
    }
    return *position;
}

inline Board fenBoard(std::string_view fen) {
    return fenPosition(fen).board;
}

// The legal move with that long algebraic text ("e2e4", "e7e8q", "e1g1"), or none.
inline std::optional<PerftMove> legalMove(const FenPosition& at, std::string_view text) {
    for (const PerftMove& move : legalMoves(at.board, at.toMove)) {
        if (move.text() == text) {
            return move;
        }
    }
    return std::nullopt;
}

struct TestPosition {
    Board board;
    Color toMove;
};

// Every position of the games, the last one of a game too when it has no legal move.
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
        const FenPosition start = fenPosition(starts[g % 5]);
        TestPosition p{start.board, start.toMove};
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

}  // namespace zarvik::test
