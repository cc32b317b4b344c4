// What the boards mark: the last move's squares, a piece's legal targets, and the turned board
// remembered in the settings file.
#include "frontend/boardmarks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "data_folders.h"
#include "frontend/settings.h"
#include "rules/board.h"
#include "util/files.h"

namespace zarvik::frontend {
namespace {

TEST(BoardMarks, LastMoveSquares) {
    struct Row {
        const char* name;
        std::vector<PlayedMove> moves;
        std::vector<int> squares;
    };
    const Row rows[] = {
        {"no move yet", {}, {}},
        {"an ordinary move", {PlayedMove{.from = 12, .to = 28}}, {12, 28}},
        {"the last of several",
         {PlayedMove{.from = 12, .to = 28}, PlayedMove{.from = 62, .to = 45}},
         {62, 45}},
        {"white castles short", {PlayedMove{.kingSideCastle = true}}, {4, 6}},
        {"black castles long",
         {PlayedMove{.from = 12, .to = 28}, PlayedMove{.queenSideCastle = true}},
         {60, 58}},
        {"a move without squares", {PlayedMove{.from = -1, .to = 28}}, {}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(lastMoveSquares(row.moves), row.squares) << row.name;
    }
}

TEST(BoardMarks, LegalTargetsFollowTheRules) {
    struct Row {
        const char* name;
        Color color;
        int from;
        std::vector<int> targets;
    };
    const Board start(true);
    const Row rows[] = {
        {"a pawn's one and two steps", Color::white, 12, {20, 28}},
        {"a knight", Color::white, 6, {21, 23}},
        {"a blocked bishop", Color::white, 5, {}},
        {"the other side's piece", Color::white, 52, {}},
        {"an empty square", Color::white, 28, {}},
        {"black's knight", Color::black, 57, {40, 42}},
    };
    for (const Row& row : rows) {
        std::vector<int> targets = legalTargets(start, row.color, row.from);
        std::sort(targets.begin(), targets.end());
        EXPECT_EQ(targets, row.targets) << row.name;
    }
    // A pinned knight has none; the king's castling target is one of the king's.
    Board pinned(false);
    pinned.setPiece(BoardLocation(4), Piece(PieceType::king, Color::white));
    pinned.setPiece(BoardLocation(12), Piece(PieceType::knight, Color::white));
    pinned.setPiece(BoardLocation(60), Piece(PieceType::rook, Color::black));
    pinned.setPiece(BoardLocation(63), Piece(PieceType::king, Color::black));
    EXPECT_TRUE(legalTargets(pinned, Color::white, 12).empty());
    Board castle(true);
    for (const int square : {5, 6}) {
        castle.setPiece(BoardLocation(square), std::nullopt);
    }
    const std::vector<int> king = legalTargets(castle, Color::white, 4);
    EXPECT_NE(std::find(king.begin(), king.end(), 6), king.end()) << "castling";
}

TEST(BoardMarks, TurnedBoardIsRememberedAndFollowsThePlayers) {
    test::useOwnDataFolders("frontend_boardmarks");
    EXPECT_EQ(readSetting("brett-gedreht"), std::nullopt);
    ASSERT_TRUE(writeSetting("anderes", "x"));
    setBoardTurned(true);
    EXPECT_EQ(readSetting("brett-gedreht"), "1");
    EXPECT_EQ(readSetting("anderes"), "x") << "other lines are kept";
    setBoardTurned(false);
    loadBoardTurned();
    EXPECT_FALSE(boardTurned());
    ASSERT_TRUE(writeSetting("brett-gedreht", "1"));
    loadBoardTurned();
    EXPECT_TRUE(boardTurned()) << "the next run starts turned";

    struct Row {
        bool before;
        bool whiteIsHuman;
        bool blackIsHuman;
        bool after;
    };
    const Row rows[] = {{false, false, true, true},
                        {true, true, false, false},
                        {true, true, true, true},
                        {false, true, true, false},
                        {true, false, false, true}};
    for (const Row& row : rows) {
        setBoardTurned(row.before);
        turnBoardForPlayers(row.whiteIsHuman, row.blackIsHuman);
        EXPECT_EQ(boardTurned(), row.after) << row.whiteIsHuman << row.blackIsHuman << row.before;
    }

    // A damaged settings file gives no value and is replaced by the next choice.
    ASSERT_EQ(setbinarytofile(settingsPath(), Bytes{0xFF, 0x00, 0xFE}), 0);
    loadBoardTurned();
    EXPECT_FALSE(boardTurned());
    EXPECT_TRUE(writeSetting("brett-gedreht", "1"));
    EXPECT_EQ(readSetting("brett-gedreht"), "1");
}

}  // namespace
}  // namespace zarvik::frontend
