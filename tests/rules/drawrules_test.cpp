#include "rules/drawrules.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "rules/fen.h"
#include "rules/perft.h"

namespace zarvik {
namespace {

PlayedMove played(const PerftMove& move) {
    PlayedMove p;
    if (move.castle) {
        (*move.castle == CastleSide::kingSide ? p.kingSideCastle : p.queenSideCastle) = true;
        return p;
    }
    p.from = move.from;
    p.to = move.to;
    return p;
}

PlayedMove named(const char* text) {
    return played(
        PerftMove{(text[0] - 'a') + 8 * (text[1] - '1'), (text[2] - 'a') + 8 * (text[3] - '1'), {}, {}});
}

std::vector<PlayedMove> line(std::initializer_list<const char*> moves) {
    std::vector<PlayedMove> result;
    for (const char* m : moves) {
        result.push_back(named(m));
    }
    return result;
}

TEST(DrawRules, MaterialThatCannotMate) {
    struct Case {
        const char* fen;
        bool drawn;
    };
    const Case cases[] = {
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", true},       // bare kings
        {"4k3/8/8/8/8/8/8/2B1K3 w - - 0 1", true},     // bishop
        {"4k3/8/8/8/8/8/8/1N2K3 w - - 0 1", true},     // knight
        {"4kb2/8/8/8/8/8/8/2B1K3 w - - 0 1", true},    // c1 and f8 both dark
        {"2b1k3/8/8/8/8/8/8/2B1K3 w - - 0 1", false},  // c8 light, c1 dark: a mate exists
        {"4k3/8/8/8/8/8/8/B1B1K3 w - - 0 1", true},    // a1 and c1: one colour
        {"4k3/8/8/8/8/8/8/1BB1K3 w - - 0 1", false},   // bishops on both colours
        {"4k3/8/8/8/8/8/8/1NN1K3 w - - 0 1", false},   // two knights can mate with help
        {"1n2k3/8/8/8/8/8/8/1N2K3 w - - 0 1", false},  // knight against knight
        {"4k3/8/8/8/8/8/8/1NB1K3 w - - 0 1", false},   // knight and bishop
        {"4k3/8/8/8/8/8/P7/4K3 w - - 0 1", false},     // a pawn
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", false},     // a rook
        {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", false},     // a queen
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", false},
    };
    for (const Case& c : cases) {
        std::string error;
        const std::optional<FenPosition> position = readFen(c.fen, error);
        ASSERT_TRUE(position) << c.fen;
        EXPECT_EQ(hasInsufficientMaterial(position->board.cells()), c.drawn) << c.fen;
    }
}

TEST(DrawRules, ThirdOccurrenceOfThePosition) {
    const std::vector<PlayedMove> knights =
        line({"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"});
    // The rook steps away and back: the same pieces, but without the right to castle on that side.
    const std::vector<PlayedMove> rooks = line({"b1c3", "b8c6", "a1b1", "a8b8", "b1a1", "b8a8", "c3b1",
                                                "c6b8", "b1c3", "b8c6", "c3b1", "c6b8", "b1c3", "b8c6"});
    struct Case {
        const char* name;
        std::vector<PlayedMove> moves;
        std::optional<DrawRule> expected;
    };
    const Case cases[] = {
        {"start position the third time", knights, DrawRule::repeatedPosition},
        {"only twice", std::vector<PlayedMove>(knights.begin(), knights.end() - 4), std::nullopt},
        {"one half-move short", std::vector<PlayedMove>(knights.begin(), knights.end() - 1), std::nullopt},
        {"castling rights differ", std::vector<PlayedMove>(rooks.begin(), rooks.end() - 4), std::nullopt},
        {"third time with the same rights", rooks, DrawRule::repeatedPosition},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(findDrawRule(c.moves), c.expected) << c.name;
    }
}

// Quiet moves (no capture, no pawn) that never lead to a position seen before, nor to one without a
// move for the other side.
std::vector<PlayedMove> quietWalk(Board& board, Color& toMove, int halfMoves) {
    std::vector<PlayedMove> moves;
    std::vector<std::pair<Board, Color>> seen{{board, toMove}};
    for (int i = 0; i < halfMoves; ++i) {
        bool moved = false;
        for (const PerftMove& move : legalMoves(board, toMove)) {
            const Cells& cells = board.cells();
            if (move.castle || cell::occupied(cells[move.to]) ||
                cell::is(cells[move.from], PieceType::pawn)) {
                continue;
            }
            const Board after = afterMove(board, toMove, move);
            const Color next = opposite(toMove);
            if (legalMoves(after, next).empty() ||
                std::find(seen.begin(), seen.end(), std::pair{after, next}) != seen.end()) {
                continue;
            }
            board = after;
            toMove = next;
            seen.emplace_back(board, toMove);
            moves.push_back(played(move));
            moved = true;
            break;
        }
        EXPECT_TRUE(moved) << "the walk found no new quiet move at " << i;
    }
    return moves;
}

TEST(DrawRules, FiftyMovesWithoutCaptureOrPawnMove) {
    // After 1.e4 d5 the pawns can take each other at any time.
    std::vector<PlayedMove> opening = line({"e2e4", "d7d5"});
    Board board(true);
    Color toMove = Color::white;
    for (const PlayedMove& move : opening) {
        board = afterMove(board, toMove, PerftMove{move.from, move.to, {}, {}});
        toMove = opposite(toMove);
    }
    std::vector<PlayedMove> moves = opening;
    const std::vector<PlayedMove> quiet = quietWalk(board, toMove, 99);
    moves.insert(moves.end(), quiet.begin(), quiet.end());
    EXPECT_EQ(findDrawRule(moves), std::nullopt) << "99 quiet half-moves";

    std::vector<PlayedMove> hundred = moves;
    Board quietBoard = board;
    Color quietToMove = toMove;
    const std::vector<PlayedMove> last = quietWalk(quietBoard, quietToMove, 1);
    hundred.insert(hundred.end(), last.begin(), last.end());
    EXPECT_EQ(findDrawRule(hundred), DrawRule::fiftyMoves);

    // A capture as the 100th half-move starts the count again.
    std::optional<PerftMove> capture;
    for (const PerftMove& move : legalMoves(board, toMove)) {
        if (!move.castle && cell::occupied(board.cells()[move.to])) {
            capture = move;
            break;
        }
    }
    ASSERT_TRUE(capture);
    moves.push_back(played(*capture));
    EXPECT_EQ(findDrawRule(moves), std::nullopt);
}

}  // namespace
}  // namespace zarvik
