// The position the engine builds from a start and long algebraic moves, compared square by square
// with the position written out.
#include <gtest/gtest.h>

#include "engine/position.h"
#include "rules/fen.h"
#include "tests/support/positions.h"

namespace zarvik::engine {
namespace {

using test::fenBoard;

std::vector<std::string_view> wordsOf(const std::string& text) {
    std::vector<std::string_view> words;
    std::string_view rest(text);
    while (!rest.empty()) {
        const std::size_t end = rest.find(' ');
        words.push_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return words;
}

struct PositionCase {
    const char* name;
    std::string arguments;
    const char* expected;  // FEN of the resulting placement and side to move
    std::size_t problems;
};

TEST(Position, MovesAreMadeAsTheGameMakesThem) {
    const PositionCase cases[] = {
        {"start", "startpos", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1", 0},
        {"king side castling moves king and rook", "fen r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1 moves e1g1",
         "r3k2r/8/8/8/8/8/8/R4RK1 b - - 0 1", 0},
        {"queen side castling moves king and rook", "fen r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1 moves e8c8",
         "2kr3r/8/8/8/8/8/8/R3K2R w - - 0 1", 0},
        {"a king that has moved cannot castle",
         "fen r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1 moves e1f1 e8d8 f1e1 d8e8 e1g1",
         "r3k2r/8/8/8/8/8/8/R3K2R w - - 0 1", 1},
        {"promotion replaces the pawn", "fen 8/1P6/7k/8/8/8/6p1/K7 w - - 0 1 moves b7b8r g2g1b",
         "1R6/8/7k/8/8/8/8/K5b1 w - - 0 1", 0},
        {"en passant removes the pawn passed", "startpos moves e2e4 a7a6 e4e5 d7d5 e5d6",
         "rnbqkbnr/1pp1pppp/p2P4/8/8/8/PPPP1PPP/RNBQKBNR b - - 0 1", 0},
        {"capture", "startpos moves e2e4 d7d5 e4d5",
         "rnbqkbnr/ppp1pppp/8/3P4/8/8/PPPP1PPP/RNBQKBNR b - - 0 1", 0},
        {"an illegal move ends the moves", "startpos moves e2e4 e7e5 e1e3 d2d4",
         "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w - - 0 1", 1},
        {"moving into check is illegal", "fen 4k3/8/8/8/8/8/4r3/3K4 w - - 0 1 moves d1d2",
         "4k3/8/8/8/8/8/4r3/3K4 w - - 0 1", 1},
    };
    for (const PositionCase& c : cases) {
        std::vector<std::string> problems;
        const EnginePosition position = readPosition(wordsOf(c.arguments), EnginePosition{}, problems);
        const FenPosition expected = test::fenPosition(c.expected);
        EXPECT_TRUE(position.board == expected.board) << c.name;
        EXPECT_EQ(position.toMove, expected.toMove) << c.name;
        EXPECT_EQ(problems.size(), c.problems) << c.name;
    }
}

TEST(Position, PromotionPieceFromItsLetter) {
    const Board board = fenBoard("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    const std::pair<const char*, std::optional<PieceType>> cases[] = {
        {"b7b8q", PieceType::queen},  {"b7b8r", PieceType::rook}, {"b7b8b", PieceType::bishop},
        {"b7b8n", PieceType::knight}, {"b7b8", PieceType::queen}, {"B7B8N", PieceType::knight},
        {"b7b8k", std::nullopt},      {"b7b8p", std::nullopt},    {"b7b8x", std::nullopt},
        {"e1e2q", std::nullopt},      {"b7", std::nullopt},       {"b7b8qq", std::nullopt},
    };
    for (const auto& [text, type] : cases) {
        const std::optional<PerftMove> move = legalMoveNamed(board, Color::white, text);
        ASSERT_EQ(move.has_value(), type.has_value()) << text;
        if (move) {
            EXPECT_EQ(move->promotion, type) << text;
        }
    }
}

}  // namespace
}  // namespace zarvik::engine
