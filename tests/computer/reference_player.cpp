#include "reference_player.h"

#include <cmath>
#include <limits>
#include <memory>

#include "rules/game.h"
#include "rules/movement.h"
#include "rules/player.h"

namespace zarvik::reference {
namespace {

double value(PieceType type) {
    switch (type) {
        case PieceType::pawn:
            return 1.0;
        case PieceType::rook:
            return 5.0;
        case PieceType::knight:
            return 3.0;
        case PieceType::bishop:
            return 3.0;
        case PieceType::queen:
            return 9.0;
        case PieceType::king:
            return 0.0;
    }
    return 0.0;
}

double centreDistance(BoardLocation l) {
    return std::sqrt((3.5 - l.x()) * (3.5 - l.x()) + (3.5 - l.y()) * (3.5 - l.y()));
}

bool rawAllows(const Board& board, BoardLocation from, BoardLocation to) {
    const std::optional<Piece> piece = board.pieceAt(from);
    return piece && PieceMovement::pieceMovement(piece->type).isMovementAllowed(from, to, board);
}

bool reaches(const Board& board, const Piece& q, BoardLocation x) {
    return x != q.location && PieceMovement::pieceMovement(q.type).canPieceMove(q.location, x, board, true);
}

double sign(const Piece& p, Color own) {
    return p.color == own ? 1.0 : -1.0;
}

std::vector<Piece> allPieces(const Board& board) {
    std::vector<Piece> pieces;
    for (const BoardLocation l : BoardLocation::allLocations()) {
        if (const auto p = board.pieceAt(l)) {
            pieces.push_back(*p);
        }
    }
    return pieces;
}

double countPieces(const Board& b, Color own, double w) {
    double s = 0.0;
    for (const Piece& p : allPieces(b)) {
        s = p.color == own ? s + value(p.type) : s - value(p.type);
    }
    return w * s;
}

double centerOwnership(const Board& b, Color own, double w) {
    double s = 0.0;
    for (const Piece& p : allPieces(b)) {
        const double c = 3.5 - centreDistance(p.location);
        s = p.color == own ? s + c : s - c;
    }
    return w * s;
}

double boardDominance(const Board& b, Color own, double w) {
    double s = 0.0;
    for (const Piece& p : allPieces(b)) {
        for (const BoardLocation t : BoardLocation::allLocations()) {
            if (t != p.location && rawAllows(b, p.location, t)) {
                s = p.color == own ? s + 1 : s - 1;
            }
        }
    }
    return w * s;
}

double centerDominance(const Board& b, Color own, double w) {
    double s = 0.0;
    for (const Piece& p : allPieces(b)) {
        for (const BoardLocation t : BoardLocation::allLocations()) {
            if (t == p.location || rawAllows(b, p.location, t)) {
                const double c = 3.5 - centreDistance(t);
                s = p.color == own ? s + c : s - c;
            }
        }
    }
    return w * s;
}

double centerFour(const Board& b, Color own, double w) {
    double s = 0.0;
    for (const int i : {36, 28, 27, 35}) {
        if (const auto p = b.pieceAt(BoardLocation(i))) {
            s += sign(*p, own);
        }
    }
    return w * s;
}

double pawnProgression(const Board& b, Color own, double w) {
    double s = 0.0;
    for (const Piece& p : allPieces(b)) {
        if (p.type != PieceType::pawn) {
            continue;
        }
        const std::int64_t i = p.location.index;
        const std::int64_t y = i / 8;
        double c = 0.0;
        if (p.color == Color::white) {
            c = i >= 16 ? w * static_cast<double>(y - 2) : 0.0;
        } else {
            c = i < 48 ? w * static_cast<double>(5 - y) : 0.0;
        }
        s = p.color == own ? s + c : s - c;
    }
    return s;
}

double checkMateOpportunity(const Board& b, Color own, double w) {
    double s = 0.0;
    for (const Piece& p : allPieces(b)) {
        for (const BoardLocation t : BoardLocation::allLocations()) {
            if (t == p.location || !rawAllows(b, p.location, t)) {
                continue;
            }
            Board copy = b;
            copy.movePiece(p.location, t);
            if (p.color == own && copy.isColorInCheckMate(opposite(own))) {
                s += 1;
            }
            if (p.color != own && copy.isColorInCheckMate(own)) {
                s -= 1;
            }
        }
    }
    return w * s;
}

std::vector<BoardLocation> kingSurroundings(const Board& b, Color c) {
    const BoardLocation k = b.getKingLocation(c);
    const int offsets[8][2] = {{0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}};
    std::vector<BoardLocation> around;
    for (const auto& [dx, dy] : offsets) {
        const std::int64_t x = k.x() + dx;
        const std::int64_t y = k.y() + dy;
        if (x >= 0 && x <= 7 && y >= 0 && y <= 7) {
            around.emplace_back(x + 8 * y);
        }
    }
    return around;
}

double kingSurroundingPossession(const Board& b, Color own, double w) {
    const std::vector<BoardLocation> ownAround = kingSurroundings(b, own);
    const std::vector<BoardLocation> oppAround = kingSurroundings(b, opposite(own));
    Board copy = b;
    copy.setPiece(copy.getKingLocation(Color::white), std::nullopt);
    copy.setPiece(copy.getKingLocation(Color::black), std::nullopt);
    double s = 3.0 * (8.0 - static_cast<double>(ownAround.size()));
    for (const auto* list : {&ownAround, &oppAround}) {
        for (const BoardLocation q : *list) {
            if (const auto p = copy.pieceAt(q)) {
                s += sign(*p, own);
            } else if (copy.canColorMoveAnyPieceToLocation(own, q)) {
                s += 1;
            } else if (copy.canColorMoveAnyPieceToLocation(opposite(own), q)) {
                s -= 1;
            }
        }
    }
    return w * s;
}

Board swapped(const Board& b, const Piece& p) {
    Board copy = b;
    copy.setPiece(p.location, Piece(p.type, opposite(p.color)));
    return copy;
}

double threatValue(const Board& b, const Piece& p) {
    const double v = value(p.type);
    std::vector<Piece> attackers;
    for (const Piece& q : b.getPieces(opposite(p.color))) {
        if (reaches(b, q, p.location)) {
            attackers.push_back(q);
        }
    }
    if (!attackers.empty()) {
        const Board copy = swapped(b, p);
        bool defended = false;
        for (const Piece& d : copy.getPieces(p.color)) {
            defended = defended || reaches(copy, d, p.location);
        }
        if (!defended) {
            return -3 * v;
        }
        double m = value(attackers[0].type);
        for (const Piece& a : attackers) {
            m = std::min(m, value(a.type));
        }
        if (v > m) {
            return -v;
        }
    }
    std::vector<Piece> threatened;
    for (const Piece& t : b.getPieces(opposite(p.color))) {
        if (reaches(b, p, t.location)) {
            threatened.push_back(t);
        }
    }
    if (threatened.empty()) {
        return 0;
    }
    const Piece& t = threatened[0];
    const Board copy = swapped(b, t);
    bool defended = false;
    for (const Piece& d : copy.getPieces(t.color)) {
        defended = defended || reaches(copy, d, t.location);
    }
    if (!defended) {
        return value(t.type);
    }
    using enum PieceType;
    bool counts = false;
    switch (p.type) {
        case pawn:
            counts = t.type != king;
            break;
        case knight:
        case bishop:
            counts = t.type == rook || t.type == knight || t.type == bishop || t.type == queen;
            break;
        case rook:
            counts = t.type == rook || t.type == queen;
            break;
        case queen:
            counts = t.type == queen;
            break;
        case king:
            counts = true;
            break;
    }
    return counts ? value(t.type) : 0;
}

double threatenedPieces(const Board& b, Color own, double w) {
    double s = 0.0;
    for (const Piece& p : b.getPieces(own)) {
        s += threatValue(b, p);
    }
    return w * s;
}

Board bestPromotion(const Board& board, Color own, const AIConfiguration& c) {
    const std::vector<BoardLocation> promotable = board.getLocationsOfPromotablePawns(own);
    if (promotable.empty() || !board.pieceAt(promotable[0])) {
        return board;
    }
    const Piece pawn = *board.pieceAt(promotable[0]);
    Board kept = board;
    double best = std::numeric_limits<double>::lowest();
    bool first = true;
    for (const PieceType type : {PieceType::queen, PieceType::knight, PieceType::rook, PieceType::bishop}) {
        Board copy = board;
        copy.setPiece(promotable[0], Piece(type, own, pawn.tag, false, false, promotable[0]));
        const double r = boardRating(copy, own, c);
        if (first || r > best) {
            kept = copy;
            best = r;
            first = false;
        }
    }
    return kept;
}

}  // namespace

std::vector<double> termRatings(const Board& board, Color color, const AIConfiguration& c) {
    return {countPieces(board, color, c.boardRaterCountPiecesWeighting.value()),
            centerOwnership(board, color, c.boardRaterCenterOwnershipWeighting.value()),
            boardDominance(board, color, c.boardRaterBoardDominanceWeighting.value()),
            centerDominance(board, color, c.boardRaterCenterDominanceWeighting.value()),
            threatenedPieces(board, color, c.boardRaterThreatenedPiecesWeighting.value()),
            pawnProgression(board, color, c.boardRaterPawnProgressionWeighting.value()),
            kingSurroundingPossession(board, color, c.boardRaterKingSurroundingPossessionWeighting.value()),
            checkMateOpportunity(board, color, c.boardRaterCheckMateOpportunityWeighting.value()),
            centerFour(board, color, c.boardRaterCenterFourOccupationWeighting.value())};
}

double boardRating(const Board& board, Color color, const AIConfiguration& configuration) {
    double total = 0.0;
    for (const double term : termRatings(board, color, configuration)) {
        total += term;
    }
    if (board.isColorInCheckMate(opposite(color))) {
        total = std::numeric_limits<double>::max();
    }
    return total;
}

std::vector<Move> ratedCandidates(const Board& board, Color color, const AIConfiguration& configuration) {
    auto me = std::make_shared<Player>(color);
    auto other = std::make_shared<Player>(opposite(color));
    const std::shared_ptr<Game> game = Game::create(me, other, board, color);
    const double s = configuration.suicideMultipler.value();
    std::vector<Move> candidates;
    for (const BoardLocation from : BoardLocation::allLocations()) {
        const auto piece = board.pieceAt(from);
        if (!piece || piece->color != color) {
            continue;
        }
        for (const BoardLocation to : BoardLocation::allLocations()) {
            try {
                if (!me->canMovePiece(from, to)) {
                    continue;
                }
            } catch (MoveError) {
                continue;
            }
            Board copy = board;
            copy.movePiece(from, to);
            if (!copy.getLocationsOfPromotablePawns(color).empty()) {
                copy = bestPromotion(copy, color, configuration);
            }
            double r = boardRating(copy, color, configuration);
            if (copy.canColorMoveAnyPieceToLocation(opposite(color), to)) {
                r = r - s * std::fabs(r);
            }
            candidates.push_back(Move{SinglePieceMove{from, to}, r});
        }
    }
    const std::int64_t b = color == Color::white ? 0 : 56;
    for (const CastleSide side : {CastleSide::kingSide, CastleSide::queenSide}) {
        if (board.canColorCastle(color, side)) {
            Board copy = board;
            const bool k = side == CastleSide::kingSide;
            copy.movePiece(BoardLocation(b + 4), BoardLocation(b + (k ? 6 : 2)));
            copy.movePiece(BoardLocation(b + (k ? 7 : 0)), BoardLocation(b + (k ? 5 : 3)));
            candidates.push_back(Move{CastleMove{color, side}, boardRating(copy, color, configuration)});
        }
    }
    return candidates;
}

}  // namespace zarvik::reference
