#include "frontend/pgnexport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "frontend/pgnimport.h"
#include "notation/pgnread.h"

namespace zarvik::frontend {
namespace {

// A record as the program writes it: header, player lines, then one line per half-move.
std::string record(const std::vector<std::string>& moves, const std::string& tail = "") {
    std::string text = "Spielverlauf am 05.12.2026\rWeiss   = Mensch\rSchwarz = Computer (leicht)\r\r";
    int number = 1;
    for (const std::string& move : moves) {
        text += "  " + std::to_string(number) + " 14:02:11 " + (number % 2 == 1 ? "Weiss:   " : "Schwarz: ") +
                move + "\r";
        ++number;
    }
    return text + tail;
}

// The movetext line of a short game and the tags that follow the seven.
struct ExportCase {
    const char* name;
    std::string record;
    const char* extraTags;
    const char* movetext;
};

TEST(RecordAsPgn, MovesResultsAndEndings) {
    const char* roster =
        "[Event \"Zarvik\"]\n[Site \"?\"]\n[Date \"2026.12.05\"]\n[Round \"-\"]\n[White \"Mensch\"]\n"
        "[Black \"Zarvik (leicht)\"]\n";
    const ExportCase cases[] = {
        {"running game", record({"E2-E4", "E7-E5*"}), "[Result \"*\"]\n", "1. e4 e5 *"},
        {"refused lines are left out as the replay leaves them",
         record({"E2-E4", "E7-E5", "E2-E5", "Z9-Z9", "G1-F3", "O-O"}), "[Result \"*\"]\n",
         "1. e4 e5 2. Nf3 *"},
        {"castling", record({"E2-E4", "E7-E5", "G1-F3", "B8-C6", "F1-C4", "F8-C5", "O-O"}),
         "[Result \"*\"]\n", "1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. O-O *"},
        {"stored promotion letter",
         record({"A2-A4", "B7-B5", "A4XB5", "A7-A6", "B5XA6", "C8-B7", "A6XB7", "B8-C6", "B7XA8/T"}),
         "[Result \"*\"]\n", "1. a4 b5 2. axb5 a6 3. bxa6 Bb7 4. axb7 Nc6 5. bxa8=R *"},
        {"promotion without a letter is a queen",
         record({"A2-A4", "B7-B5", "A4XB5", "A7-A6", "B5XA6", "C8-B7", "A6XB7", "B8-C6", "B7XA8"}),
         "[Result \"*\"]\n", "1. a4 b5 2. axb5 a6 3. bxa6 Bb7 4. axb7 Nc6 5. bxa8=Q *"},
        {"mate", record({"F2-F3", "E7-E5", "G2-G4", "D8-H4#"}, "     *** Zarvikmatt ***\r"),
         "[Result \"0-1\"]\n", "1. f3 e5 2. g4 Qh4# 0-1"},
        {"repetition", record({"G1-F3", "G8-F6"}, "       *** Remis ***\r"),
         "[Result \"1/2-1/2\"]\n[Termination \"Remis durch Zugwiederholung\"]\n", "1. Nf3 Nf6 1/2-1/2"},
        {"black gives up", record({"E2-E4", "E7-E5", "G1-F3"}, "  *** Schwarz gibt auf ***\r"),
         "[Result \"1-0\"]\n[Termination \"Schwarz gibt auf\"]\n", "1. e4 e5 2. Nf3 1-0"},
        {"white gives up at once", record({}, "   *** Weiss gibt auf ***\r"),
         "[Result \"0-1\"]\n[Termination \"Weiss gibt auf\"]\n", "0-1"},
        {"a record of older versions: black gives up",
         record({"E2-E4", "E7-E5", "G1-F3"}, "  4 14:03:00 Schwarz: "),
         "[Result \"1-0\"]\n[Termination \"Schwarz gibt auf\"]\n", "1. e4 e5 2. Nf3 1-0"},
        {"a record of older versions: white gives up", record({}, "  1 14:03:00 Weiss:   "),
         "[Result \"0-1\"]\n[Termination \"Weiss gibt auf\"]\n", "0-1"},
    };
    for (const ExportCase& c : cases) {
        const std::optional<std::string> pgn = recordAsPgn(c.record);
        ASSERT_TRUE(pgn.has_value()) << c.name;
        EXPECT_EQ(*pgn, std::string(roster) + c.extraTags + "\n" + c.movetext + "\n\n") << c.name;
    }
}

// Clock readings leave as the time control tag and clock comments and come back as they were; a flag
// fall is lost by the side to move, drawn when its opponent has no mating material.
TEST(RecordAsPgn, ClocksGoThereAndBack) {
    std::string clocked =
        record({"E2-E4 {4:50}", "E7-E5 {4:41}", "G1-F3 {1:00:00}"}, "*** Zeit überschritten ***\r");
    clocked.insert(clocked.find('\r'), " {300+2}");
    const std::optional<std::string> pgn = recordAsPgn(clocked);
    ASSERT_TRUE(pgn.has_value());
    EXPECT_NE(pgn->find("[Result \"1-0\"]\n[Termination \"Zeit überschritten\"]\n[TimeControl \"300+2\"]\n"),
              std::string::npos)
        << *pgn;
    EXPECT_NE(pgn->find("1. e4 {[%clk 0:04:50]} 1... e5 {[%clk 0:04:41]} 2. Nf3 {[%clk 1:00:00]} 1-0"),
              std::string::npos)
        << *pgn;

    // Another chess program reads the clocks: pgn-extract keeps them in its standard form.
    const std::string path = ::testing::TempDir() + "pgnexport_clocks.pgn";
    std::ofstream(path) << *pgn;
    const std::string extract = path + ".extract";
    if (std::system(("PATH=\"$PATH:/usr/games\" pgn-extract -s '" + path + "' >'" + extract + "' 2>/dev/null")
                        .c_str()) == 0) {
        std::ifstream in(extract);
        const std::string read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (const char* kept :
             {"[TimeControl \"300+2\"]", "1. e4 { [%clk 0:04:50] } 1... e5 { [%clk 0:04:41] }"}) {
            EXPECT_NE(read.find(kept), std::string::npos) << kept << "\n" << read;
        }
    }

    const ImportedGame imported = importPgnGame(readPgn(*pgn), "07.12.2026 10:00:00");
    const std::string& back = imported.record.text;
    EXPECT_NE(back.find("Spielverlauf am 05.12.2026 {300+2}\r"), std::string::npos) << back;
    EXPECT_NE(back.find("Weiss:   E2-E4 {4:50}\r"), std::string::npos) << back;
    EXPECT_NE(back.find("Schwarz: E7-E5 {4:41}\r"), std::string::npos) << back;
    EXPECT_NE(back.find("Weiss:   G1-F3 {1:00:00}\r"), std::string::npos) << back;
    EXPECT_NE(back.find("*** Zeit überschritten ***"), std::string::npos) << back;

    const std::optional<std::string> bare = recordAsPgn(
        "Spielverlauf am 05.12.2026 {60}\rWeiss   = Mensch\rSchwarz = Mensch\r\r"
        "*** Zeit überschritten ***\r");
    ASSERT_TRUE(bare.has_value());
    EXPECT_NE(bare->find("[Result \"0-1\"]"), std::string::npos) << "White's flag, Black has all pieces";
    const std::optional<std::string> drawn = recordAsPgn(
        "Spielverlauf am 05.12.2026 {60}\rWeiss   = Mensch\rSchwarz = Mensch\r\r"
        "    *** Remis (Zeit) ***\r");
    ASSERT_TRUE(drawn.has_value());
    EXPECT_NE(drawn->find("[Result \"1/2-1/2\"]\n[Termination \"Zeit überschritten\"]"), std::string::npos)
        << *drawn;
}

TEST(RecordAsPgn, ComputerPlayersAndEnglishHeaders) {
    const std::optional<std::string> pgn = recordAsPgn(
        "Game progress on 31.01.2027\rWhite   = Computer (schwer)\rBlack   = Computer (mittel)\r\r  1 "
        "10:00:00 "
        "Weiss:   D2-D4\r");
    ASSERT_TRUE(pgn.has_value());
    EXPECT_NE(pgn->find("[Date \"2027.01.31\"]\n"), std::string::npos) << *pgn;
    EXPECT_NE(pgn->find("[White \"Zarvik (schwer)\"]\n[Black \"Zarvik (mittel)\"]\n"), std::string::npos)
        << *pgn;
    EXPECT_NE(pgn->find("\n1. d4 *\n"), std::string::npos) << *pgn;
}

// The record's game as saved after opening another program's file: what the file said stays as far
// as the moves agree.
TEST(RecordAsPgn, KeepsTheNotationOfTheFileItWasOpenedFrom) {
    const PgnExport imported = exportOf(
        readPgn("[Event \"Klubabend\"]\n[White \"Anna\"]\n[Black \"Bert\"]\n[Result \"1-0\"]\n[ECO \"C20\"]\n"
                "{Vorweg} 1. e4 {gut} 1... e5 (1... c5 2. Nf3) 2. Nf3 $1 1-0"));
    struct Case {
        const char* name;
        std::vector<std::string> moves;
        const char* movetext;
    };
    const Case cases[] = {
        {"unchanged: the file's result of a game given up",
         {"E2-E4", "E7-E5", "G1-F3"},
         "{Vorweg} 1. e4 {gut} 1... e5 (1... c5 2. Nf3) 2. Nf3 $1 1-0"},
        {"moves played on",
         {"E2-E4", "E7-E5", "G1-F3", "B8-C6"},
         "{Vorweg} 1. e4 {gut} 1... e5 (1... c5 2. Nf3) 2. Nf3 $1 Nc6 *"},
        {"taken back and played otherwise",
         {"E2-E4", "E7-E5", "F1-C4"},
         "{Vorweg} 1. e4 {gut} 1... e5 (1... c5 2. Nf3) 2. Bc4 *"},
        {"taken back", {"E2-E4"}, "{Vorweg} 1. e4 {gut} *"},
    };
    for (const Case& c : cases) {
        const std::string pgn = savedFileText("x.pgn", record(c.moves), &imported);
        EXPECT_TRUE(
            pgn.starts_with("[Event \"Klubabend\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round "
                            "\"-\"]\n[White \"Anna\"]\n[Black \"Bert\"]\n"))
            << c.name << "\n"
            << pgn;
        EXPECT_NE(pgn.find("[ECO \"C20\"]\n\n" + std::string(c.movetext) + "\n\n"), std::string::npos)
            << c.name << "\n"
            << pgn;
    }
    // A saved game of the program's own keeps its own form.
    EXPECT_EQ(savedFileText("x.zarvik", record({"E2-E4"}), &imported), record({"E2-E4"}));
}

TEST(RecordAsPgn, OnlyRecords) {
    EXPECT_FALSE(recordAsPgn("").has_value());
    EXPECT_FALSE(recordAsPgn("Hallo\r").has_value());
    EXPECT_FALSE(recordAsPgn("Spielverlauf am 05.12.2026\rSchwarz = Mensch\r").has_value());
}

}  // namespace
}  // namespace zarvik::frontend
