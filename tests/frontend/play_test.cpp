// End-to-end games: the real program on the headless host, driven through zarvik-cli play with typed
// keys; the text screen and the game record are read back from the files it writes.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "cli_run.h"

namespace {

using zarvik::test::readFile;
using zarvik::test::replay;
using zarvik::test::runCli;
using zarvik::test::shellQuoted;

struct Played {
    std::string screen;
    std::string record;
    std::string log;
};

Played play(const std::string& name, const std::string& keys) {
    const std::string base = ::testing::TempDir() + "frontend_play_" + name;
    EXPECT_EQ(runCli("play --keys " + shellQuoted(keys) + " --screen " + base + ".screen --record " + base +
                         ".zarvik",
                     base + ".log"),
              0)
        << name;
    return {readFile(base + ".screen"), readFile(base + ".zarvik"), readFile(base + ".log")};
}

// Human against human: no to the standard configuration, white human, black not a computer.
const std::string kTwoHumans = "NJN\\r";

std::string moves(std::initializer_list<const char*> list) {
    std::string keys;
    for (const char* move : list) {
        keys += std::string(move) + "\\r";
    }
    return keys;
}

TEST(Play, StandardConfigurationAndAComputerAnswer) {
    const Played p = play("standard", "\\r\\r" + moves({"E2-E4"}));
    EXPECT_NE(p.record.find("Weiss   = Mensch\rSchwarz = Computer (schwer)\r\r"), std::string::npos)
        << p.record;
    EXPECT_NE(p.record.find("  1 "), std::string::npos);
    EXPECT_NE(p.record.find("Weiss:   E2-E4\r"), std::string::npos) << p.record;
    EXPECT_NE(p.record.find("  2 "), std::string::npos) << "the computer answered";
    EXPECT_NE(p.record.find("Schwarz: "), std::string::npos);
    EXPECT_NE(p.screen.find("Zug für weiss eingeben (z.B. E2-E4): "), std::string::npos) << p.screen;
    EXPECT_NE(p.screen.find("Weiss:   E2-E4"), std::string::npos) << "record panel";
}

// "N" after a game keeps the final position and the way to a new game; keys typed then do nothing
// and are not waited for.
TEST(Play, NoNewGameKeepsTheWindowAlive) {
    const auto start = std::chrono::steady_clock::now();
    const Played p = play("ended", "J\\r\\rJNABC");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_NE(p.screen.find("Neues Spiel: Strg+N"), std::string::npos) << p.screen;
    EXPECT_EQ(p.screen.find("(Programm Ende)"), std::string::npos) << p.screen;
    EXPECT_EQ(p.screen.find("ABC"), std::string::npos) << p.screen;
    EXPECT_TRUE(p.record.ends_with("   *** Weiss gibt auf ***\r")) << p.record;
}

// Every reason of the rules has its row in the refusal tests; here each kind of input reaches the screen.
TEST(Play, RefusedMovesGetTheirMessages) {
    struct Case {
        const char* keys;
        const char* message;
    };
    const Case cases[] = {
        {"E2/E4", "Trennzeichen (-) zwischen den Positionen fehlt."},
        {"E2-E", "Unzulässige Koordinaten."},
        {"I2-I4", "Unzulässige Koordinaten."},
        {"E2-E5", "Der Bauer kann nicht nach E5 ziehen."},
        {"hallo", "Zug nicht lesbar"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const Played p = play("refused" + std::to_string(n++), kTwoHumans + moves({c.keys}));
        EXPECT_NE(p.screen.find(c.message), std::string::npos) << c.keys << "\n" << p.screen;
        EXPECT_EQ(p.record.find("  1 "), std::string::npos) << c.keys << ": nothing recorded";
    }
}

// Algebraic moves in German and English letters; the record writes each in its own form.
TEST(Play, AlgebraicMovesAreRecordedInTheProgramsForm) {
    const Played p =
        play("algebraic", kTwoHumans + moves({"e4", "e5", "Sf3", "Nc6", "Lc4", "lc5", "0-0", "d6", "c3",
                                              "Lg4", "d4", "exd4", "cxd4", "Lb4+", "Sbd2", "Se7"}));
    EXPECT_NE(p.record.find("Weiss:   G1-F3\r"), std::string::npos) << p.record;
    EXPECT_NE(p.record.find("Schwarz: B8-C6\r"), std::string::npos) << p.record;
    EXPECT_NE(p.record.find("Schwarz: F8-C5\r"), std::string::npos) << "lower-case l is the bishop\n"
                                                                    << p.record;
    EXPECT_NE(p.record.find("Weiss:   O-O\r"), std::string::npos) << p.record;
    EXPECT_NE(p.record.find("Schwarz: E5XD4\r"), std::string::npos) << p.record;
    EXPECT_NE(p.record.find("Weiss:   B1-D2\r"), std::string::npos) << p.record;
    EXPECT_NE(p.screen.find("Mehrdeutig: SC6-E7 oder SG8-E7"), std::string::npos) << p.screen;
}

TEST(Play, CastlingBothWays) {
    const Played p = play("castling", kTwoHumans + moves({"E2-E4", "D7-D5", "G1-F3", "D8-D6", "F1-C4",
                                                          "C8-E6", "O-O", "B8-C6", "D2-D3", "o-o-o"}));
    EXPECT_NE(p.record.find("Weiss:   O-O\r"), std::string::npos) << p.record;
    EXPECT_NE(p.record.find("Schwarz: O-O-O\r"), std::string::npos) << p.record;
    const std::string board = replay(::testing::TempDir() + "frontend_play_castling.zarvik");
    EXPECT_NE(board.find("state: in progress\n"), std::string::npos) << board;
    EXPECT_NE(board.find("\n··gr·"), std::string::npos) << "black king c8, rook d8\n" << board;
    EXPECT_NE(board.find("Q·RG·\n"), std::string::npos) << "white rook f1, king g1\n" << board;
}

// The question itself is seen in the mouse tests.
TEST(Play, PromotionRecordsTheLetter) {
    const Played p = play(
        "promotion",
        kTwoHumans +
            moves({"H2-H4", "A7-A5", "H4-H5", "A5-A4", "H5-H6", "A4-A3", "H6-G7", "A3-B2", "G7-H8"}) + "xq");
    EXPECT_NE(p.record.find("Weiss:   G7XH8/D\r"), std::string::npos) << p.record;
    EXPECT_NE(p.log.find("*** Transform H8/D"), std::string::npos) << p.log;
}

// Only J gives up; every other key at the question, Return and Escape too, goes back to the prompt
// of the same side, and the keys of a move typed next are a move.
TEST(Play, GivingUpNeedsAYes) {
    struct Case {
        const char* name;
        const char* keys;
        bool gaveUp;
    };
    const Case cases[] = {
        {"J", "J", true},  {"j", "j", true},         {"Return", "\\r", false},
        {"N", "N", false}, {"Escape", "\\e", false}, {"the start of a move", "e", false},
    };
    int n = 0;
    for (const Case& c : cases) {
        const Played p = play("giveup" + std::to_string(n++), kTwoHumans + "E2-E4\\r\\r" + c.keys);
        if (c.gaveUp) {
            EXPECT_TRUE(p.record.ends_with("Weiss:   E2-E4\r  *** Schwarz gibt auf ***\r")) << c.name << "\n"
                                                                                            << p.record;
            EXPECT_NE(p.screen.find("*** Schwarz gibt auf ***"), std::string::npos) << c.name << "\n"
                                                                                    << p.screen;
            EXPECT_NE(p.screen.find("Neues Spiel beginnen"), std::string::npos) << c.name << "\n" << p.screen;
        } else {
            EXPECT_EQ(p.record.find("gibt auf"), std::string::npos) << c.name << "\n" << p.record;
            EXPECT_NE(p.screen.find("Zug für schwarz eingeben"), std::string::npos) << c.name << "\n"
                                                                                    << p.screen;
        }
    }
    // A move after the refused question is played as usual.
    const Played after = play("giveup_then_move", kTwoHumans + "E2-E4\\r\\reE7-E5\\r");
    EXPECT_TRUE(after.record.ends_with("Schwarz: E7-E5\r")) << after.record;
}

// The starting position the third time: a draw after the 8th half-move.
TEST(Play, RepetitionIsADraw) {
    std::string keys = kTwoHumans;
    for (int i = 0; i < 2; ++i) {
        keys += moves({"G1-F3", "G8-F6", "F3-G1", "F6-G8"});
    }
    const Played p = play("repetition", keys);
    EXPECT_TRUE(p.record.ends_with("Schwarz: F6-G8\r*** Remis (Stellung 3x) ***\r")) << p.record;
    EXPECT_NE(p.screen.find("*** Remis (Stellung 3x) ***"), std::string::npos) << p.screen;
    EXPECT_NE(p.screen.find("Neues Spiel beginnen"), std::string::npos);
}

TEST(Play, CheckmateEndsTheGameAndReplaysToTheSamePosition) {
    const Played p = play("mate", kTwoHumans + moves({"F2-F3", "E7-E5", "G2-G4", "D8-H4"}));
    EXPECT_TRUE(p.record.ends_with("Schwarz: D8-H4#\r     *** Zarvikmatt ***\r")) << p.record;
    EXPECT_NE(p.screen.find("*** Zarvikmatt ***"), std::string::npos) << p.screen;
    const std::string board = replay(::testing::TempDir() + "frontend_play_mate.zarvik");
    EXPECT_NE(board.find("chess_Open: Success"), std::string::npos) << board;
    EXPECT_NE(board.find("state: black wins\n"), std::string::npos) << board;
    EXPECT_NE(board.find("······Pq\n"), std::string::npos) << board;
}

TEST(Play, ComputerAgainstComputerToTheEnd) {
    // No standard configuration, white a computer (easy), black a computer (easy); Return keeps
    // the easy strength at the level question.
    const Played p = play("computers", "NNN\\rJN\\r\\r");
    EXPECT_NE(p.record.find("Weiss   = Computer (leicht)\rSchwarz = Computer (leicht)\r\r"),
              std::string::npos)
        << p.record;
    EXPECT_TRUE(p.record.ends_with(" ***\r")) << "a final line\n" << p.record;
    EXPECT_NE(p.screen.find("Neues Spiel beginnen"), std::string::npos) << p.screen;
}

}  // namespace
