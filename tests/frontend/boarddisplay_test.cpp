#include "frontend/boarddisplay.h"

#include <gtest/gtest.h>

#include <set>

#include "rules/board.h"

namespace zarvik::frontend {
namespace {

TEST(BoardDisplay, LettersAndMaterial) {
    const std::pair<char, char> letters[] = {{'P', 'B'}, {'p', 'b'}, {'R', 'T'}, {'r', 't'},
                                             {'K', 'S'}, {'k', 's'}, {'B', 'L'}, {'b', 'l'},
                                             {'Q', 'D'}, {'q', 'd'}, {'G', 'K'}, {'g', 'k'}};
    for (auto [textForm, shown] : letters) {
        EXPECT_EQ(displayedLetter(textForm), shown) << textForm;
    }
    EXPECT_FALSE(displayedLetter('X').has_value());
    const Material start = materialOf(Board(true));
    EXPECT_EQ(start.white, 39);
    EXPECT_EQ(start.black, 39);

    Board promoted(true);
    promoted.setPiece(BoardLocation(8), Piece(PieceType::queen, Color::white));
    EXPECT_EQ(materialOf(promoted).white, 47) << "a pawn promoted to a queen adds 8";

    Board captured(true);
    captured.movePiece(BoardLocation(3), BoardLocation(59));  // the white queen takes the black one
    const MaterialCaptions captions = materialCaptions(materialOf(captured));
    EXPECT_EQ(captions.white, "Weiss: 39 ");
    EXPECT_EQ(captions.black, " Schwarz: 30 ");
}

TEST(BoardDisplay, SquareImages) {
    EXPECT_TRUE(isLightSquare(1, 1)) << "a8";
    EXPECT_FALSE(isLightSquare(1, 8)) << "h8";
    EXPECT_TRUE(isLightSquare(8, 8)) << "h1";
    EXPECT_EQ(pieceGraphicIndex(std::nullopt, true), 'E');
    EXPECT_EQ(pieceGraphicIndex(std::nullopt, false), 'e');
    EXPECT_EQ(pieceGraphicIndex('g', isLightSquare(1, 5)), 103) << "black king on e8";
    EXPECT_EQ(pieceGraphicIndex('P', false), 16);
    EXPECT_EQ(pieceGraphicIndex('p', false), 48);

    const std::vector<PieceGraphicFile>& files = pieceGraphicFiles();
    ASSERT_EQ(files.size(), 26u);
    const std::pair<const char*, int> expected[] = {
        {"EW.gr", 69},  {"EB.gr", 101},  {"PWW.gr", 80}, {"PBW.gr", 112}, {"PWB.gr", 16}, {"PBB.gr", 48},
        {"RWW.gr", 82}, {"RBW.gr", 114}, {"RWB.gr", 18}, {"RBB.gr", 50},  {"KWW.gr", 75}, {"KBW.gr", 107},
        {"KWB.gr", 11}, {"KBB.gr", 43},  {"BWW.gr", 66}, {"BBW.gr", 98},  {"BWB.gr", 2},  {"BBB.gr", 34},
        {"GWW.gr", 71}, {"GBW.gr", 103}, {"GWB.gr", 7},  {"GBB.gr", 39},  {"QWW.gr", 81}, {"QBW.gr", 113},
        {"QWB.gr", 17}, {"QBB.gr", 49}};
    std::set<int> indexes;
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(files[i].name, expected[i].first) << i;
        EXPECT_EQ(files[i].index, expected[i].second) << i;
        indexes.insert(files[i].index);
    }
    EXPECT_EQ(indexes.size(), 26u) << "no two images share an entry";
}

}  // namespace
}  // namespace zarvik::frontend
