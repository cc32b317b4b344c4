#include "computer/move.h"

#include "rules/lastmove.h"

namespace zarvik {

std::string moveText(const MoveType& type) {
    if (const auto* castle = std::get_if<CastleMove>(&type)) {
        return castle->side == CastleSide::kingSide ? "O-O" : "O-O-O";
    }
    const auto& single = std::get<SinglePieceMove>(type);
    return squareName(single.from.index) + "-" + squareName(single.to.index);
}

std::string_view sideText(CastleSide side) {
    return side == CastleSide::kingSide ? "King Side" : "Queen Side";
}

}  // namespace zarvik
