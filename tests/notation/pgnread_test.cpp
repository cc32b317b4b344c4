#include "notation/pgnread.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/positions.h"

namespace zarvik {
namespace {

std::string dataFile(const std::string& name) {
    std::ifstream in(std::filesystem::path(ZARVIK_NOTATION_DATA) / name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct FileCase {
    const char* file;
    std::size_t plies;
    PgnResult result;
    const char* fen;  // the position reached, with the side to move
};

// Games written by hand the way other programs and people write them.
TEST(PgnRead, FilesInTheirStylesReachTheirPositions) {
    const FileCase cases[] = {
        // BOM, CR LF, comments holding parentheses, a line comment inside nested variations, NAGs,
        // "!" and "?!" marks, "12. 0-0-0", mate.
        {"opera_annotated.pgn", 33, PgnResult::whiteWins,
         "1n1Rkb1r/p4ppp/4q3/4p1B1/4P3/8/PPP2PPP/2K5 b - - 0 1"},
        // No space after the move numbers, the mate without its mark.
        {"fools_compact.pgn", 4, PgnResult::blackWins,
         "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w - - 0 1"},
        // Three games; the first is read.
        {"collection_latin1.pgn", 7, PgnResult::whiteWins,
         "r1bqkb1r/pppp1Qpp/2n2n2/4p3/2B1P3/8/PPPP1PPP/RNB1K1NR b - - 0 1"},
        // "e.p." as a word of its own, a promotion taken back at once.
        {"enpassant_promotion.pgn", 10, PgnResult::unknown,
         "1rb1kb1r/pp1q1ppp/4pn2/8/8/8/PPPP1PPP/RNBQKBNR w - - 0 1"},
    };
    for (const FileCase& c : cases) {
        const PgnReading read = readPgn(dataFile(c.file));
        const FenPosition expected = test::fenPosition(c.fen);
        EXPECT_EQ(read.failure, PgnFailure::none) << c.file;
        EXPECT_FALSE(read.refused.has_value()) << c.file;
        EXPECT_EQ(read.moves.size(), c.plies) << c.file;
        EXPECT_EQ(read.result, c.result) << c.file;
        EXPECT_TRUE(read.board == expected.board) << c.file << "\n" << read.board.boardDescription();
        EXPECT_EQ(read.toMove, expected.toMove) << c.file;
    }
}

TEST(PgnRead, MateAtTheEndOfAFileIsOnTheBoard) {
    const PgnReading opera = readPgn(dataFile("opera_annotated.pgn"));
    EXPECT_TRUE(opera.board.isColorInCheckMate(Color::black));
    EXPECT_EQ(tagValue(opera.tags, "White"), "Morphy, Paul");
    EXPECT_EQ(tagValue(opera.tags, "Date"), "1858.??.??");
}

TEST(PgnRead, TagsInLatin1BecomeUtf8) {
    const PgnReading read = readPgn(dataFile("collection_latin1.pgn"));
    EXPECT_EQ(tagValue(read.tags, "Site"), "Köln");
    EXPECT_EQ(tagValue(read.tags, "White"), "Müller, Jürgen");
    EXPECT_EQ(tagValue(read.tags, "Black"), "Straßer, René");
    // The tags of the later games are not mixed in.
    EXPECT_EQ(tagValue(read.tags, "Event"), "Vereinsmeisterschaft");
    EXPECT_EQ(read.tags.size(), 6u);
}

TEST(PgnRead, AGameFromItsOwnPositionPlaysFromIt) {
    const PgnReading read = readPgn(dataFile("setup_position.pgn"));
    EXPECT_EQ(read.failure, PgnFailure::none);
    EXPECT_EQ(read.fen, "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1");
    ASSERT_EQ(read.moves.size(), 1u);
    EXPECT_EQ(read.moves[0].text(), "e2e4");
    EXPECT_EQ(read.toMove, Color::black);
}

// Positions that cannot occur are refused with the reason; the move numbers of a set-up follow its FEN.
TEST(PgnRead, SetUpPositions) {
    struct Case {
        const char* name;
        const char* fen;
        const char* moves;
        std::size_t plies;
        const char* problem;  // "" when read
        int refusedNumber;    // 0 when no move is refused
    };
    const Case cases[] = {
        {"black to move at move 30", "4k3/8/8/8/8/8/4P3/4K3 b - - 3 30", "30... Kd7 31. e4 Kc6 32. Kh1", 3,
         "", 32},
        {"kings side by side", "8/8/8/8/8/8/3kK3/8 w - - 0 1", "1. Ke3", 0,
         "FEN: the kings stand side by side", 0},
        {"side not to move in check", "4k3/8/8/8/8/8/4R3/4K3 w - - 0 1", "1. Kd1", 0,
         "FEN: black is in check but not to move", 0},
        {"pawn on the last rank", "4k2P/8/8/8/8/8/8/4K3 w - - 0 1", "1. Kd1", 0,
         "FEN: a pawn cannot stand on the first or last rank", 0},
        {"not a position", "Anfangsstellung", "1. e4", 0,
         "FEN: expected 4 to 6 fields (placement, side to move, castling, en passant, clocks)", 0},
    };
    for (const Case& c : cases) {
        const PgnReading read =
            readPgn("[SetUp \"1\"]\n[FEN \"" + std::string(c.fen) + "\"]\n\n" + std::string(c.moves) + " *");
        EXPECT_EQ(read.moves.size(), c.plies) << c.name;
        EXPECT_EQ(read.failure == PgnFailure::none, read.problem.empty()) << c.name;
        if (*c.problem != '\0') {
            EXPECT_EQ(read.failure, PgnFailure::setUpPosition) << c.name;
            EXPECT_EQ(read.problem, c.problem) << c.name;
        }
        EXPECT_EQ(read.refused ? read.refused->number : 0, c.refusedNumber) << c.name;
    }
}

TEST(PgnRead, AnAmbiguousMoveStopsTheGameAndKeepsTheMovesBefore) {
    const PgnReading read = readPgn(dataFile("ambiguous_move.pgn"));
    EXPECT_EQ(read.failure, PgnFailure::none);
    EXPECT_EQ(read.moves.size(), 4u);
    ASSERT_TRUE(read.refused.has_value());
    EXPECT_EQ(read.refused->number, 3);
    EXPECT_EQ(read.refused->mover, Color::white);
    EXPECT_EQ(read.refused->text, "Nd2");
    EXPECT_EQ(read.refused->problem, SanProblem::ambiguous);
    EXPECT_EQ(read.toMove, Color::white);
}

struct TextCase {
    const char* name;
    std::string text;
    PgnFailure failure;
    std::size_t plies;
    std::optional<PgnRefusedMove> refused;
};

PgnRefusedMove refusal(int number, Color mover, const char* text, SanProblem problem) {
    return PgnRefusedMove{number, mover, text, problem};
}

TEST(PgnRead, LenientButNeverWrong) {
    const std::string startFen = "[FEN \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\"]\n";
    const TextCase cases[] = {
        {"empty file", "", PgnFailure::noGame, 0, std::nullopt},
        {"a letter, not a game", "Lieber Hans,\nanbei die Partie.\n", PgnFailure::noGame, 0, std::nullopt},
        {"binary bytes", std::string("\x00\x01\xff\xfe[\x80", 6), PgnFailure::noGame, 0, std::nullopt},
        {"moves without tags", "1. e4 e5 2. Nf3", PgnFailure::none, 3, std::nullopt},
        {"move numbers glued and repeated", "1.e4 1...e5 2.Nf3 2... Nc6", PgnFailure::none, 4, std::nullopt},
        {"no space around comments", "1.e4{gut}e5{auch}2.Nf3", PgnFailure::none, 3, std::nullopt},
        {"annotation words", "1. e4 !? e5 +/= 2. Nf3 $14 $1", PgnFailure::none, 3, std::nullopt},
        {"escape line", "%Zeile fuer Programme\n1. e4", PgnFailure::none, 1, std::nullopt},
        {"unclosed comment", "[Event \"x\"]\n1. e4 {offen e5 2. Nf3", PgnFailure::none, 1, std::nullopt},
        {"unclosed variation", "[Event \"x\"]\n1. e4 (1. d4 d5 2. c4", PgnFailure::none, 1, std::nullopt},
        {"broken tag keeps the moves", "[White \"Anna\n1. e4 e5", PgnFailure::none, 2, std::nullopt},
        {"tag without value", "[Event]\n1. e4", PgnFailure::none, 1, std::nullopt},
        {"start position as FEN", startFen + "1. e4 e5", PgnFailure::none, 2, std::nullopt},
        {"SetUp without a position", "[SetUp \"1\"]\n1. e4", PgnFailure::setUpPosition, 0, std::nullopt},
        {"first move refused", "[Event \"x\"]\n1. e5", PgnFailure::none, 0,
         refusal(1, Color::white, "e5", SanProblem::illegal)},
        {"black's move refused", "1. e4 e5 2. Nf3 Qxf3", PgnFailure::none, 3,
         refusal(2, Color::black, "Qxf3", SanProblem::illegal)},
        {"moves after mate", "1. f3 e5 2. g4 Qh4# 3. a3", PgnFailure::none, 4,
         refusal(3, Color::white, "a3", SanProblem::illegal)},
        {"null move", "1. e4 -- 2. d4", PgnFailure::none, 1,
         refusal(1, Color::black, "--", SanProblem::unreadable)},
        {"refused text made printable", "1. e4 \xC3\xA4\x01zug", PgnFailure::none, 1,
         refusal(1, Color::black, "???zug", SanProblem::unreadable)},
        {"first token unreadable, no tags", "Hallo 1. e4", PgnFailure::noGame, 0, std::nullopt},
        {"too large", std::string(kPgnMaxBytes + 1, ' '), PgnFailure::tooLarge, 0, std::nullopt},
        {"as large as allowed", "1. e4" + std::string(kPgnMaxBytes - 5, ' '), PgnFailure::none, 1,
         std::nullopt},
    };
    for (const TextCase& c : cases) {
        const PgnReading read = readPgn(c.text);
        EXPECT_EQ(read.failure, c.failure) << c.name;
        EXPECT_EQ(read.moves.size(), c.plies) << c.name;
        ASSERT_EQ(read.refused.has_value(), c.refused.has_value()) << c.name;
        if (c.refused) {
            EXPECT_EQ(read.refused->number, c.refused->number) << c.name;
            EXPECT_EQ(read.refused->mover, c.refused->mover) << c.name;
            EXPECT_EQ(read.refused->text, c.refused->text) << c.name;
            EXPECT_EQ(read.refused->problem, c.refused->problem) << c.name;
        }
    }
}

// The list of a collection: each game with what a person chooses it by, its bytes reading to it.
TEST(PgnRead, TheGamesOfACollection) {
    const std::string file = dataFile("collection_latin1.pgn") + "\n{Ende der Datei}\n";
    const std::vector<PgnGameEntry> games = listPgnGames(file);
    ASSERT_EQ(games.size(), 3u);
    struct Row {
        const char* event;
        const char* white;
        PgnResult result;
        int halfMoves;
        const char* lastMove;
    };
    const Row rows[] = {{"Vereinsmeisterschaft", "Müller, Jürgen", PgnResult::whiteWins, 7, "h5f7"},
                        {"Zweite Partie", "", PgnResult::blackWins, 4, "d8h4"},
                        {"Dritte Partie", "", PgnResult::unknown, 2, "d7d5"}};
    for (std::size_t i = 0; i < games.size(); ++i) {
        EXPECT_EQ(games[i].event, rows[i].event) << i;
        EXPECT_EQ(games[i].white, rows[i].white) << i;
        EXPECT_EQ(games[i].result, rows[i].result) << i;
        EXPECT_EQ(games[i].halfMoves, rows[i].halfMoves) << i;
        const PgnReading game = readPgn(std::string_view(file).substr(games[i].offset, games[i].length));
        ASSERT_EQ(game.moves.size(), static_cast<std::size_t>(rows[i].halfMoves)) << i;
        EXPECT_EQ(game.moves.back().text(), rows[i].lastMove) << i;
        EXPECT_EQ(tagValue(game.tags, "Event"), rows[i].event) << i;
    }
    EXPECT_EQ(games[0].date, "2019.03.07");
    EXPECT_TRUE(listPgnGames("Lieber Hans,").size() == 1u);  // read as a game, refused when opened
    EXPECT_TRUE(listPgnGames("").empty());
}

TEST(PgnRead, EscapesAndControlCharactersInTags) {
    const PgnReading read = readPgn("[White \"Er sagte \\\"Schach\\\" \\\\ laut\"]\n[Black \"A\tB\x01\"]\n*");
    EXPECT_EQ(tagValue(read.tags, "White"), "Er sagte \"Schach\" \\ laut");
    EXPECT_EQ(tagValue(read.tags, "Black"), "AB");
}

}  // namespace
}  // namespace zarvik
