#include "frontend/pgnimport.h"

#include <gtest/gtest.h>

#include "rules/lastmove.h"

namespace zarvik::frontend {
namespace {

constexpr const char* kNow = "07.12.2026 14:02:11";

std::string lines(std::initializer_list<const char*> moves) {
    std::string text;
    int number = 1;
    for (const char* move : moves) {
        text += (number < 10 ? "  " : " ") + std::to_string(number) + " 14:02:11 " +
                (number % 2 == 1 ? "Weiss:   " : "Schwarz: ") + move + "\r";
        ++number;
    }
    return text;
}

struct ImportCase {
    const char* name;
    const char* pgn;
    std::string record;  // everything after the header's date
    bool ended;
};

TEST(PgnImport, RecordedAsTheProgramRecordsMoves) {
    const std::string players = "\rWeiss   = Mensch\rSchwarz = Mensch\r\r";
    const ImportCase cases[] = {
        {"castling", "[Date \"2026.12.05\"]\n1. e4 e5 2. Nf3 Nc6 3. Bc4 Nf6 4. O-O *",
         "05.12.2026" + players + lines({"E2-E4", "E7-E5", "G1-F3", "B8-C6", "F1-C4", "G8-F6", "O-O"}),
         false},
        {"en passant and a promotion with capture",
         "1. e4 Nf6 2. e5 d5 3. exd6 e6 4. dxc7 Qd7 5. cxb8=N Rxb8",
         "07.12.2026" + players +
             lines({"E2-E4", "G8-F6", "E4-E5", "D7-D5", "E5XD6", "E7-E6", "D6XC7", "D8-D7", "C7XB8/S",
                    "A8XB8"}),
         false},
        {"mate ends the record", "[Date \"1999.01.31\"] 1. f3 e5 2. g4 Qh4# 0-1",
         "31.01.1999" + players + lines({"F2-F3", "E7-E5", "G2-G4", "D8-H4#"}) + "     *** Zarvikmatt ***\r",
         true},
        {"unknown date parts give today's", "[Date \"2026.??.??\"] 1. d4 *",
         "07.12.2026" + players + lines({"D2-D4"}), false},
        {"a repetition played on is read to the end",
         "1. Nf3 Nf6 2. Ng1 Ng8 3. Nf3 Nf6 4. Ng1 Ng8 5. Nf3 Nf6 6. Ng1 Ng8 7. e4 *",
         "07.12.2026" + players +
             lines({"G1-F3", "G8-F6", "F3-G1", "F6-G8", "G1-F3", "G8-F6", "F3-G1", "F6-G8", "G1-F3", "G8-F6",
                    "F3-G1", "F6-G8", "E2-E4"}),
         false},
        {"a repetition at the end of a game given up",
         "1. Nf3 Nf6 2. Ng1 Ng8 3. Nf3 Nf6 4. Ng1 Ng8 5. Nf3 Nf6 6. Ng1 Ng8 1-0",
         "07.12.2026" + players +
             lines({"G1-F3", "G8-F6", "F3-G1", "F6-G8", "G1-F3", "G8-F6", "F3-G1", "F6-G8", "G1-F3", "G8-F6",
                    "F3-G1", "F6-G8"}),
         false},
        {"a repetition at the end of a drawn game ends it",
         "1. Nf3 Nf6 2. Ng1 Ng8 3. Nf3 Nf6 4. Ng1 Ng8 5. Nf3 Nf6 6. Ng1 Ng8 1/2-1/2",
         "07.12.2026" + players +
             lines({"G1-F3", "G8-F6", "F3-G1", "F6-G8", "G1-F3", "G8-F6", "F3-G1", "F6-G8", "G1-F3", "G8-F6",
                    "F3-G1", "F6-G8"}) +
             "       *** Remis ***\r",
         true},
    };
    for (const ImportCase& c : cases) {
        const PgnReading reading = readPgn(c.pgn);
        ASSERT_EQ(reading.failure, PgnFailure::none) << c.name;
        const ImportedGame imported = importPgnGame(reading, kNow);
        EXPECT_EQ(imported.record.text, "Spielverlauf am " + c.record) << c.name;
        EXPECT_EQ(imported.ended, c.ended) << c.name;
        EXPECT_EQ(imported.replay.lineCount, imported.record.lineCount) << c.name;
        EXPECT_EQ(imported.replay.moveList, imported.record.moveList) << c.name;
        if (!c.ended) {
            EXPECT_TRUE(imported.replay.game->board == reading.board) << c.name;
            EXPECT_EQ(imported.replay.game->currentPlayer()->color, reading.toMove) << c.name;
        }
    }
}

TEST(PgnImport, MateLeavesTheGameWon) {
    const ImportedGame imported = importPgnGame(readPgn("1. f3 e5 2. g4 Qh4#"), kNow);
    EXPECT_EQ(imported.replay.game->state(), State::won(Color::black));
}

TEST(PgnImport, MessageNamesTheMoveWhereTheGameStopped) {
    const std::string path = "/home/anna/Partien/x.pgn";
    const PgnReading ambiguous = readPgn("1. d4 e5 2. Nf3 Nc6 3. Nd2 Nf6");
    EXPECT_EQ(partlyImportedMessage(ambiguous, ambiguous.moves.size(), path),
              "Zug 3. Nd2 ist nicht eindeutig. Das Spiel wurde bis vor diesen Zug geöffnet.\n" + path);
    const PgnReading illegal = readPgn("1. e4 e5 2. Nf3 Qxf3");
    EXPECT_EQ(partlyImportedMessage(illegal, illegal.moves.size(), path),
              "Zug 2... Qxf3 ist nicht erlaubt. Das Spiel wurde bis vor diesen Zug geöffnet.\n" + path);
    EXPECT_EQ(partlyImportedMessage(readPgn("1. e4 Hallo"), 1, path),
              "Zug 1... Hallo ist nicht lesbar. Das Spiel wurde bis vor diesen Zug geöffnet.\n" + path);
    EXPECT_EQ(
        partlyImportedMessage(readPgn("1. e4 e5 2. Nf3 *"), 1, path),
        "Die Partie endet nach den Regeln des Programms vor Zug 1...; die weiteren Züge fehlen.\n" + path);
    const PgnReading whole = readPgn("1. e4 e5 *");
    EXPECT_EQ(partlyImportedMessage(whole, 2, path), "");
}

TEST(PgnImport, FileNamesEndingInPgnInAnyCase) {
    EXPECT_TRUE(hasPgnExtension("/tmp/Partie.pgn"));
    EXPECT_TRUE(hasPgnExtension("/tmp/PARTIE.PGN"));
    EXPECT_TRUE(hasPgnExtension(".Pgn"));
    EXPECT_FALSE(hasPgnExtension("/tmp/Partie.pgn.zarvik"));
    EXPECT_FALSE(hasPgnExtension("/tmp/Partiepgn"));
    EXPECT_FALSE(hasPgnExtension("pgn"));
}

}  // namespace
}  // namespace zarvik::frontend
