#pragma once
// Games for the engine tests: random legal moves from the start, and the long algebraic text of the
// move the in-process computer player chooses.
#include <random>
#include <string>
#include <vector>

#include "computer/aiplayer.h"
#include "rules/perft.h"

namespace zarvik::test {

struct PlayedPosition {
    std::string moves;  // " e2e4 e7e5 ..." from the start
    Board board = Board(true);
    Color toMove = Color::white;
};

// Every position of `games` games of `plies` random legal moves from the start.
inline std::vector<PlayedPosition> randomGamePositions(unsigned seed, int games, int plies) {
    std::mt19937 rng(seed);
    std::vector<PlayedPosition> positions;
    for (int g = 0; g < games; ++g) {
        PlayedPosition p;
        for (int ply = 0; ply < plies; ++ply) {
            const std::vector<PerftMove> moves = legalMoves(p.board, p.toMove);
            if (moves.empty()) {
                break;
            }
            positions.push_back(p);
            const PerftMove& move =
                moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(rng)];
            p.moves += " " + move.text();
            p.board = afterMove(p.board, p.toMove, move);
            p.toMove = opposite(p.toMove);
        }
    }
    return positions;
}

// "e2e4", "e1g1" for castling, "e7e8n" with the piece the player's promotion choice puts there.
inline std::string longAlgebraic(const AIPlayer& player, const Board& board, const Move& move) {
    if (const auto* castling = std::get_if<CastleMove>(&move.type)) {
        return std::string(castling->color == Color::white ? "e1" : "e8") +
               (castling->side == CastleSide::kingSide ? "g" : "c") +
               (castling->color == Color::white ? "1" : "8");
    }
    const auto& single = std::get<SinglePieceMove>(move.type);
    Board after = board;
    player.perform(after, move.type);
    PerftMove text{static_cast<int>(single.from.index), static_cast<int>(single.to.index), std::nullopt,
                   std::nullopt};
    if (board.pieceAt(single.from)->type == PieceType::pawn &&
        after.pieceAt(single.to)->type != PieceType::pawn) {
        text.promotion = after.pieceAt(single.to)->type;
    }
    return text.text();
}

}  // namespace zarvik::test
