#include "engine/choice.h"

#include <algorithm>
#include <cmath>

namespace zarvik::engine {
namespace {

constexpr double kCentipawnLimit = 30000.0;

// The move as the rules' move list writes it: castling as the king's step, the promotion piece that
// the turn's promotion choice put on the far rank.
PerftMove asPerftMove(const MoveType& type, const Board& before, const Board& after) {
    if (const auto* castling = std::get_if<CastleMove>(&type)) {
        const int base = castling->color == Color::white ? 0 : 56;
        const bool kingSide = castling->side == CastleSide::kingSide;
        return PerftMove{base + 4, base + (kingSide ? 6 : 2), castling->side, std::nullopt};
    }
    const auto& single = std::get<SinglePieceMove>(type);
    PerftMove move{static_cast<int>(single.from.index), static_cast<int>(single.to.index), std::nullopt,
                   std::nullopt};
    const std::optional<Piece> moving = before.pieceAt(single.from);
    const std::optional<Piece> arrived = after.pieceAt(single.to);
    if (moving && arrived && moving->type == PieceType::pawn && arrived->type != PieceType::pawn) {
        move.promotion = arrived->type;
    }
    return move;
}

}  // namespace

int centipawnsOf(double rating, const AIConfiguration& configuration) {
    if (std::isnan(rating)) {
        return 0;
    }
    const double pawn = configuration.boardRaterCountPiecesWeighting.value();
    const double centipawns = rating * 100.0 / (pawn > 0.0 ? pawn : 1.0);
    return static_cast<int>(std::lround(std::clamp(centipawns, -kCentipawnLimit, kCentipawnLimit)));
}

EngineChoice chooseFor(AIPlayer& player, const Board& board) {
    EngineChoice result;
    if (!player.color || !player.configuration()) {
        return result;
    }
    const AIPlayer::Choice choice = player.chooseMove(board);
    if (!choice.move) {
        result.nodes = choice.candidates;
        return result;
    }
    Board after = board;
    player.perform(after, choice.move->type);
    result.move = asPerftMove(choice.move->type, board, after);
    result.bookMove = choice.bookMove;
    result.mates = after.isColorInCheckMate(opposite(*player.color));
    // A book move carries no rating of its own; it is rated as a candidate would be.
    const double rating = choice.bookMove ? player.boardRating(after) : choice.move->rating;
    result.nodes = choice.bookMove ? 1 : choice.candidates;
    result.centipawns = centipawnsOf(rating, *player.configuration());
    return result;
}

std::string infoLine(const EngineChoice& choice, bool inCheck) {
    if (!choice.move) {
        return std::string("info depth 0 score ") + (inCheck ? "mate 0" : "cp 0");
    }
    const std::string score = choice.mates ? "mate 1" : "cp " + std::to_string(choice.centipawns);
    return "info depth 1 nodes " + std::to_string(choice.nodes) + " score " + score + " pv " +
           choice.move->text();
}

std::string bestMoveLine(const EngineChoice& choice) {
    return "bestmove " + (choice.move ? choice.move->text() : std::string("0000"));
}

}  // namespace zarvik::engine
