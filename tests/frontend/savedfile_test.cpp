#include "frontend/savedfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "frontend/savedgame.h"
#include "rules/board.h"
#include "rules/fen.h"
#include "tests/support/logcapture.h"
#include "util/files.h"

namespace zarvik::frontend {
namespace {

TEST(SavedFile, LineEndsAndByteOrderMark) {
    struct Case {
        const char* name;
        std::string text;
        std::string expected;
    };
    for (const Case& c : {
             Case{"cr", "a\rb\r", "a\rb\r"},
             Case{"lf", "a\nb\n", "a\rb\r"},
             Case{"crlf", "a\r\nb\r\n", "a\rb\r"},
             Case{"mixed", "a\r\nb\nc\rd", "a\rb\rc\rd"},
             Case{"empty lines", "a\r\n\r\nb\n\n", "a\r\rb\r\r"},
             Case{"lone cr before crlf", "a\r\r\nb", "a\r\rb"},
             Case{"mark", "\xEF\xBB\xBFSpielverlauf\r\n", "Spielverlauf\r"},
             Case{"mark inside stays", "a\xEF\xBB\xBF\r", "a\xEF\xBB\xBF\r"},
             Case{"half a mark", "\xEF\xBBx", "\xEF\xBBx"},
             Case{"nothing", "", ""},
         }) {
        EXPECT_EQ(withRecordLineEnds(c.text), c.expected) << c.name;
    }
}

TEST(SavedFile, ReadingRefusesWhatIsNoSavedGameFile) {
    const std::string folder = ::testing::TempDir() + "savedfile_folder";
    ::mkdir(folder.c_str(), 0700);
    const std::string fifo = ::testing::TempDir() + "savedfile_fifo";
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string atLimit = ::testing::TempDir() + "savedfile_limit";
    ASSERT_EQ(setstringtofile(atLimit, std::string(kSavedGameLimit, 'x')), 0);
    const std::string overLimit = ::testing::TempDir() + "savedfile_over";
    ASSERT_EQ(setstringtofile(overLimit, std::string(kSavedGameLimit + 1, 'x')), 0);
    const std::string missing = ::testing::TempDir() + "savedfile_missing";

    EXPECT_EQ(readSavedGameFile(folder).failure, cannotOpenMessage(folder, "Das ist ein Ordner"));
    EXPECT_EQ(readSavedGameFile(fifo).failure, cannotOpenMessage(fifo, "Keine gewöhnliche Datei"))
        << "a pipe is never read, it could block";
    EXPECT_EQ(readSavedGameFile(missing).failure,
              cannotOpenMessage(missing, "Datei oder Ordner nicht gefunden"));
    EXPECT_EQ(readSavedGameFile(overLimit).failure, notASavedGameMessage(overLimit));
    const SavedGameFile read = readSavedGameFile(atLimit);
    ASSERT_TRUE(read.text.has_value()) << read.failure;
    EXPECT_EQ(read.text->size(), kSavedGameLimit);
    EXPECT_TRUE(cannotOpenMessage("/a", "b").starts_with("Die Datei konnte nicht geöffnet werden.\n/a\nb"));
    EXPECT_EQ(notASavedGameMessage("/a"), "Die Datei enthält kein gesichertes Spiel.\n/a");
}

// Other chess programs write their games in Latin-1; the program's own older files are Mac OS Roman.
TEST(SavedFile, EachKindOfFileFallsBackToItsOwnEncoding) {
    const std::string pgn = ::testing::TempDir() + "savedfile_latin1.pgn";
    const std::string saved = ::testing::TempDir() + "savedfile_macroman.zarvik";
    ASSERT_EQ(setbinarytofile(pgn, Bytes{'M', 0xFC, 'l', 'l', 'e', 'r', '\n'}), 0);
    ASSERT_EQ(setbinarytofile(saved, Bytes{'M', 0x9F, 'l', 'l', 'e', 'r', '\r'}), 0);
    test::LogCapture log;
    EXPECT_EQ(readSavedGameFile(pgn).text, "Müller\r");
    EXPECT_TRUE(log.lines().empty()) << log.lines().front();
    EXPECT_EQ(readSavedGameFile(saved).text, "Müller\r");
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST(SavedFile, WritingTellsTheReason) {
    const std::string path = ::testing::TempDir() + "savedfile_written.zarvik";
    EXPECT_EQ(writeSavedGameFile(path, "Spielverlauf am x\r"), std::nullopt);
    EXPECT_EQ(getstringfromfile(path), "Spielverlauf am x\r") << "written with carriage returns as it is";
    const std::string nowhere = ::testing::TempDir() + "savedfile_no_folder/x.zarvik";
    EXPECT_EQ(writeSavedGameFile(nowhere, "x"),
              "Das Spiel konnte nicht gesichert werden.\n" + nowhere + "\nDatei oder Ordner nicht gefunden");
}

// The person reads the reason in German, whatever the system's language.
TEST(SavedFile, FailedSavesGiveTheirReasonInGerman) {
    const std::string base = ::testing::TempDir() + "savedfile_reason_";
    const std::string fifo = base + "pipe";
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string loop = base + "loop";
    ::unlink(loop.c_str());
    ASSERT_EQ(::symlink(loop.c_str(), loop.c_str()), 0);
    const std::string folder = base + "folder";
    ::mkdir(folder.c_str(), 0700);
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {{base + "none/x.zarvik", "Datei oder Ordner nicht gefunden"},
                 {fifo, "Keine gewöhnliche Datei"},
                 {loop, "Die symbolischen Verknüpfungen bilden eine Schleife"},
                 {folder, "Das ist ein Ordner"},
                 {fifo + "/x.zarvik", "Ein Teil des Pfades ist kein Ordner"}};
    for (const auto& c : cases) {
        EXPECT_EQ(writeSavedGameFile(c.path, "x"), cannotSaveMessage(c.path, c.reason)) << c.path;
    }
    const std::string fullDisk = "/dev/full";
    EXPECT_EQ(writeSavedGameFile(fullDisk, "x"),
              cannotSaveMessage(fullDisk, "Kein Platz mehr auf dem Datenträger"));
}

// The replay runs in parts; the result must not depend on where a part ends.
// Every reason the position reader gives reads in German in the message; a changed English text
// would show here.
TEST(SavedFile, ImpossiblePositionsAreToldInGerman) {
    struct Case {
        const char* fen;
        const char* german;
    };
    const Case cases[] = {
        {"8/8/8/8/8/8/8/K6k7 w - - 0 1", "eine Reihe beschreibt mehr als acht Felder"},
        {"8/8/8/8/8/8/8/K5k w - - 0 1",
         "die Figurenstellung muss acht Reihen zu je acht Feldern beschreiben"},
        {"K5k/8/8/8/8/8/8/8 w - - 0 1", "jede der acht Reihen muss genau acht Felder beschreiben"},
        {"8/8/8/8/8/8/8/K6k x - - 0 1", "die Seite am Zug muss „w“ oder „b“ sein"},
        {"8/8/8/8/8/8/8/K6X w - - 0 1", "unbekanntes Zeichen „X“ in der Figurenstellung"},
        {"8/8/8/8/8/8/8/K7 w - - 0 1", "Schwarz muss genau einen König haben"},
        {"k7/8/8/8/8/8/PPPPPPPP/K6P w - - 0 1", "Weiss hat mehr als 8 Bauern"},
        {"k7/8/8/8/8/8/8/K6P w - - 0 1", "ein Bauer kann nicht auf der ersten oder letzten Reihe stehen"},
        {"k7/8/8/8/8/8/8/K7 w X - 0 1", "unbekanntes Rochaderecht „X“"},
        {"k7/8/8/8/8/8/8/K7 w K - 0 1", "Rochaderecht „K“ ohne König und Turm auf ihren Feldern"},
        {"k7/8/8/8/8/8/8/K7 w - e3 0 1", "ungültiges En-passant-Feld „e3“"},
        {"k7/8/8/8/8/8/8/K7 b - e3 0 1", "kein Bauer ist eben im Doppelschritt über e3 gezogen"},
        {"k7/8/8/8/8/8/8/K7 w - - x 1", "die Zugzähler müssen Zahlen sein"},
        {"8/8/8/8/8/8/8/Kk6 w - - 0 1", "die Könige stehen nebeneinander"},
        {"k7/8/8/8/8/8/8/K6r b - - 0 1", "Weiss steht im Schach, ist aber nicht am Zug"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(readFen(c.fen, error).has_value()) << c.fen;
        EXPECT_EQ(germanPositionProblem(error), c.german) << c.fen << ": " << error;
    }
}

TEST(SavedFile, ReplayInPartsEqualsReplayAtOnce) {
    std::vector<std::string> lines;
    const char* moves[] = {"G1-F3", "G8-F6", "F3-G1", "F6-G8"};
    for (int i = 0; i < 1000; ++i) {
        lines.push_back(i % 3 == 0 ? std::string("x: ") + moves[(i / 3) % 4] : "x: I9-I9");
    }
    int refusedAtOnce = 0;
    const Replay atOnce = replayMoveLines(lines, [&](const std::string&) { ++refusedAtOnce; });
    int refusedInParts = 0;
    int parts = 0;
    const Replay inParts = replayMoveLines(
        lines, [&](const std::string&) { ++refusedInParts; },
        [&](const std::function<void()>& step) {
            ++parts;
            step();
        });
    EXPECT_GE(parts, 3);
    EXPECT_EQ(refusedInParts, refusedAtOnce);
    EXPECT_EQ(inParts.lineCount, atOnce.lineCount);
    EXPECT_EQ(inParts.moveList, atOnce.moveList);
    EXPECT_EQ(inParts.game->board, atOnce.game->board);
    EXPECT_EQ(atOnce.moveList.size(), 334u);
}

}  // namespace
}  // namespace zarvik::frontend
