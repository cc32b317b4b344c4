#include "frontend/refusal.h"

#include <gtest/gtest.h>

#include "frontend/human.h"
#include "frontend/typedmove.h"
#include "rules/fen.h"
#include "rules/game.h"

namespace zarvik::frontend {
namespace {

// The message a refused input gets in the position, as the move prompt shows it.
std::string refusal(const char* fen, const char* input) {
    std::string error;
    const std::optional<FenPosition> position = readFen(fen, error);
    if (!position) {
        return "bad FEN: " + error;
    }
    auto white = std::make_shared<Human>(Color::white);
    auto black = std::make_shared<Human>(Color::black);
    const std::shared_ptr<Game> game = Game::create(white, black, position->board, position->toMove);
    const Player& mover = position->toMove == Color::white ? *white : *black;
    const TypedMove typed = parseTypedMove(input, game->board, position->toMove);
    switch (typed.kind) {
        case TypedMove::Kind::castle:
            return game->board.canColorCastle(position->toMove, typed.side)
                       ? "accepted"
                       : castlingRefusalText(game->board, position->toMove, typed.side);
        case TypedMove::Kind::illegal:
            return algebraicRefusalText(mover, game->board, *typed.named);
        case TypedMove::Kind::move:
            if (const std::optional<MoveError> refused = mover.checkMove(typed.from, typed.to)) {
                return refusalText(*refused, game->board, typed.from, typed.to);
            }
            return "accepted";
        default:
            return "other";
    }
}

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
// White king e1 in check from the rook e8; rooks a1 and h1 unmoved.
constexpr const char* kChecked = "4r1k1/8/8/8/8/8/8/R3K2R w KQ - 0 1";
// The black bishop b4 pins the knight c3 to the king e1; the rook f8 watches f1.
constexpr const char* kPinned = "5rk1/8/8/8/1b6/2N5/8/R3K2R w KQ - 0 1";
// The king and the h1 rook have moved and come back.
constexpr const char* kMoved = "6k1/8/8/8/8/8/8/R3K2R w - - 0 1";

TEST(Refusal, ReasonsOnTheMessageLine) {
    struct Case {
        const char* fen;
        const char* input;
        const char* message;
    };
    const Case cases[] = {
        {kStart, "E3-E4", "Auf E3 steht keine eigene Figur."},
        {kStart, "E7-E5", "Auf E7 steht keine eigene Figur."},
        {kStart, "E2-E2", "Start- und Zielfeld sind gleich."},
        {kStart, "E2-E5", "Der Bauer kann nicht nach E5 ziehen."},
        {kStart, "F1-G4", "Der Läufer kann nicht nach G4 ziehen."},
        {kStart, "D1-D3", "Die Dame kann nicht nach D3 ziehen."},
        {kStart, "Sd2", "Kein Springer kann nach D2 ziehen."},
        {kStart, "Dh5", "Die Dame kann nicht nach H5 ziehen."},
        {kStart, "e5", "Kein Bauer kann nach E5 ziehen."},
        {kStart, "O-O", "Rochade nicht möglich: Felder dazwischen besetzt."},
        {kChecked, "A1-A2", "Der König bliebe im Schach."},
        {kChecked, "Ta2", "Der König bliebe im Schach."},
        {kChecked, "O-O", "Rochade nicht möglich: der König steht im Schach."},
        {kChecked, "E1-E2", "Der König bliebe im Schach."},
        {kChecked, "E1-D1", "accepted"},
        {kPinned, "C3-D5", "Der König stünde im Schach."},
        {kPinned, "Sd5", "Der König stünde im Schach."},
        {kPinned, "O-O", "Rochade nicht möglich: König zöge durch Schach."},
        {kPinned, "O-O-O", "accepted"},
        {kMoved, "o-o-o", "Rochade nicht möglich: König oder Turm zog schon."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(refusal(c.fen, c.input), c.message) << c.input << " in " << c.fen;
    }
}

}  // namespace
}  // namespace zarvik::frontend
