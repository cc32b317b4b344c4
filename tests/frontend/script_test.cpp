// Scripted runs of the real program (zarvik-cli play --script) on the headless host: the steps
// themselves, and opening and saving games through the menu and as documents, read back from the
// screen, the record, the saved files and the dialogs written to standard error.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <optional>
#include <string>

#include "cli_run.h"

namespace {

using zarvik::test::readFile;
using zarvik::test::runCliApart;
using zarvik::test::script;
using zarvik::test::Scripted;
using zarvik::test::shellQuoted;
using zarvik::test::temp;
using zarvik::test::writeTemp;

const std::string kOpening =
    "Spielverlauf am 05.12.2026\rWeiss   = Mensch\rSchwarz = Mensch\r\r"
    "  1 10:00:00 Weiss:   E2-E4\r  2 10:00:01 Schwarz: E7-E5\r";

int lineCount(const std::string& text) {
    int lines = 0;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

TEST(Script, StepsRunInOrderAndWriteAtTheirMoment) {
    const std::string early = temp("order_early.record");
    const std::string earlyScreen = temp("order_early.screen");
    const Scripted run = script("order", "# two people\nkeys NJN\\r\nkeys E2-E4\\r\n\nrecord " + early +
                                             "\nscreen " + earlyScreen + "\nwait 10\nkeys E7-E5\\r\n");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string first = readFile(early);
    EXPECT_NE(first.find("Weiss:   E2-E4\r"), std::string::npos) << first;
    EXPECT_EQ(first.find("E7-E5"), std::string::npos) << first;
    EXPECT_NE(readFile(earlyScreen).find("Zug für schwarz eingeben"), std::string::npos);
    EXPECT_NE(run.record.find("Schwarz: E7-E5\r"), std::string::npos) << run.record;
    EXPECT_NE(run.screen.find("Zug für weiss eingeben"), std::string::npos) << run.screen;
}

// Clicks at pixels of the graphic board (E2 at 208-247, 401-440) and the text board (E7's letter in
// text column 38, line 8: pixels 592-607, 224-255), as a person moves with the mouse.
TEST(Script, ClicksMoveLikeTypedMoves) {
    const Scripted run = script("click",
                                "keys NJN\\r\nclick 228 421\nclick 228 341\nclick 600 240\n"
                                "click 20 20\nclick 600 300 right\nclick 600 240\nclick 600 304\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.record.find("Weiss:   E2-E4\r"), std::string::npos) << run.record;
    EXPECT_NE(run.record.find("Schwarz: E7-E5\r"), std::string::npos) << run.record;
    EXPECT_NE(run.screen.find("Zug für weiss eingeben"), std::string::npos) << run.screen;
}

TEST(Script, MistakesAreRefusedBeforeAnythingRuns) {
    struct Case {
        const char* name;
        const char* steps;
        const char* error;
    };
    for (const Case& c : {
             Case{"unknown", "keys NJN\\r\nfly away\n", "line 2: unknown step 'fly'"},
             Case{"wait", "wait soon\n", "line 1: 'wait soon' (usage: wait MS)"},
             Case{"menu", "menu Zaubern\n", "line 1: 'menu Zaubern' (usage: menu TITLE [PATH])"},
             Case{"open", "open\n", "line 1: 'open' (usage: open PATH)"},
             Case{"click", "click 10\n", "line 1: 'click 10' (usage: click X Y [right])"},
             Case{"clickbutton", "click 10 20 middle\n", "(usage: click X Y [right])"},
         }) {
        const Scripted run = script(std::string("mistake_") + c.name, c.steps);
        EXPECT_EQ(run.status, 2) << c.name;
        EXPECT_EQ(lineCount(run.err), 1) << c.name << ": " << run.err;
        EXPECT_NE(run.err.find(c.error), std::string::npos) << c.name << ": " << run.err;
        EXPECT_EQ(run.record, "") << c.name << ": nothing ran";
    }
}

// Every kind of file that cannot be opened, chosen at a move prompt: each is told, and the game goes
// on as before (no carriage return gave it up).
TEST(Script, AFailedOpenChangesNothingAndIsTold) {
    const std::string folder = temp("folder.zarvik");
    ::mkdir(folder.c_str(), 0700);
    const std::string noPlayers =
        writeTemp("noplayers.zarvik", "Spielverlauf am 05.12.2026\rSchwarz\rWeiss\r\r");
    const std::string noHeader = writeTemp("noheader.zarvik", "Ein Brief\r");
    const std::string huge =
        writeTemp("huge.zarvik", kOpening + std::string((1 << 20) + 1 - kOpening.size(), ' '));
    const std::string missing = temp("missing.zarvik");
    std::string steps = "keys NJN\\r\nkeys E2-E4\\r\n";
    for (const std::string& path : {noPlayers, noHeader, huge, missing, folder}) {
        steps += "menu Spiel öffnen… " + path + "\n";
    }
    const Scripted run = script("failedopen", steps + "open " + noPlayers + "\nkeys E7-E5\\r\n");
    EXPECT_EQ(run.status, 0);
    const std::string notSaved = "dialog: Die Datei enthält kein gesichertes Spiel. | ";
    const std::string cannotOpen = "dialog: Die Datei konnte nicht geöffnet werden. | ";
    EXPECT_EQ(run.err, notSaved + noPlayers + "\n" + notSaved + noHeader + "\n" + notSaved + huge + "\n" +
                           cannotOpen + missing + " | Datei oder Ordner nicht gefunden\n" + cannotOpen +
                           folder + " | Das ist ein Ordner\n" + notSaved + noPlayers + "\n");
    EXPECT_NE(run.record.find("Weiss:   E2-E4\r"), std::string::npos) << run.record;
    EXPECT_NE(run.record.find("Schwarz: E7-E5\r"), std::string::npos) << run.record;
    EXPECT_EQ(run.screen.find("Wollen Sie aufgeben"), std::string::npos) << run.screen;
}

TEST(Script, AFailedOpenDoesNotAnswerAConfigurationQuestion) {
    const Scripted run = script("failedquestion", "menu Spiel öffnen… " + temp("nothing.zarvik") + "\n");
    EXPECT_NE(run.err.find("dialog: Die Datei konnte nicht geöffnet werden."), std::string::npos) << run.err;
    EXPECT_NE(run.screen.find("Standard-Konfiguration benutzen"), std::string::npos) << run.screen;
    EXPECT_EQ(run.screen.find("Zug für"), std::string::npos) << "the question was answered:\n" << run.screen;
}

TEST(Script, AGameSavedBeforeAnyMoveOpens) {
    const std::string saved = temp("nomoves.zarvik");
    std::remove(saved.c_str());
    const Scripted run = script("nomoves", "keys NJN\\r\nmenu Spiel sichern unter… " + saved +
                                               "\nkeys E2-E4\\r\n"
                                               "menu Spiel öffnen… " +
                                               saved + "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.record, readFile(saved));
    EXPECT_TRUE(run.record.ends_with("Schwarz = Mensch\r\r")) << run.record;
    EXPECT_NE(run.screen.find("Zug für weiss eingeben"), std::string::npos) << "played on\n" << run.screen;
}

TEST(Script, AFailedSaveIsTold) {
    const std::string nowhere = temp("no/such/folder/Spiel.zarvik");
    const Scripted run =
        script("failedsave", "keys NJN\\r\nkeys E2-E4\\r\nmenu Spiel sichern unter… " + nowhere + "\n");
    EXPECT_EQ(run.err, "dialog: Das Spiel konnte nicht gesichert werden. | " + nowhere +
                           " | Datei oder Ordner nicht gefunden\n");
}

TEST(Replay, ExitStatusTellsWhetherTheFileOpened) {
    struct Case {
        const char* name;
        std::string path;
        int status;
        const char* error;
    };
    const Case cases[] = {
        {"saved", writeTemp("replay_saved.zarvik", kOpening), 0, ""},
        {"no moves", writeTemp("replay_nomoves.zarvik", kOpening.substr(0, kOpening.find("  1"))), 0, ""},
        {"missing", temp("replay_missing.zarvik"), 1, "dialog: Die Datei konnte nicht geöffnet werden."},
        {"not a game", writeTemp("replay_letter.zarvik", "Lieber Hans\r"), 1,
         "dialog: Die Datei enthält kein gesichertes Spiel."},
        {"too large", writeTemp("replay_huge.zarvik", kOpening + std::string(1 << 20, '\r')), 1,
         "dialog: Die Datei enthält kein gesichertes Spiel."},
        {"empty path", "", 1, "replay: empty path"},
        {"pgn", writeTemp("replay_game.pgn", "1. e4 e5"), 0, ""},
        {"pgn without a game", writeTemp("replay_letter.PGN", "Lieber Hans,\nanbei die Partie.\n"), 1,
         "dialog: Die Datei enthält kein gesichertes Spiel."},
        {"pgn from a position of its own",
         writeTemp("replay_setup.pgn", "[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1\"]\n1. e4"), 0,
         ""},
        {"pgn from a position that cannot occur",
         writeTemp("replay_kings.pgn", "[SetUp \"1\"]\n[FEN \"8/8/8/8/8/8/3kK3/8 w - - 0 1\"]\n1. Ke3"), 1,
         "dialog: Die Stellung im FEN-Tag ist nicht möglich: die Könige stehen nebeneinander"},
        {"saved from a position of its own",
         writeTemp("replay_setup.zarvik",
                   "Spielverlauf am 05.12.2026\rStellung: 4k3/8/8/8/8/8/4P3/4K3 b - - 0 "
                   "1\rWeiss   = Mensch\rSchwarz = Mensch\r\r  1 10:00:00 Schwarz: E8-D7\r"),
         0, ""},
        {"saved from a position that cannot occur",
         writeTemp("replay_pawn.zarvik",
                   "Spielverlauf am 05.12.2026\rStellung: 4k2P/8/8/8/8/8/8/4K3 w - - 0 1\rWeiss   = Mensch\r"
                   "Schwarz = Mensch\r\r"),
         1, "dialog: Die Stellung im Kopf der Datei ist nicht möglich: ein Bauer kann nicht"},
        {"pgn too large", writeTemp("replay_huge.pgn", "1. e4 " + std::string(1 << 20, ' ')), 1,
         "dialog: Die Datei enthält kein gesichertes Spiel."},
    };
    for (const Case& c : cases) {
        const std::string base = temp("replay_run");
        const int status = runCliApart("replay " + shellQuoted(c.path), base + ".out", base + ".err");
        const std::string err = zarvik::test::toldLines(readFile(base + ".err"), "replay");
        EXPECT_EQ(status, c.status) << c.name;
        EXPECT_EQ(lineCount(err), c.status == 0 ? 0 : 1) << c.name << ": " << err;
        EXPECT_TRUE(err.starts_with(c.error)) << c.name << ": " << err;
        if (c.status == 0) {
            EXPECT_NE(readFile(base + ".out").find("state: in progress"), std::string::npos) << c.name;
        }
    }
}

// A game of another program is read to its end; its last position is drawn by repetition only where
// the file ends the game drawn.
TEST(Replay, ARepeatingPgnGameEndsAsTheFileEndsIt) {
    const std::string repeated = "1. Nf3 Nf6 2. Ng1 Ng8 3. Nf3 Nf6 4. Ng1 Ng8 5. Nf3 Nf6 6. Ng1 Ng8 ";
    struct Case {
        std::string moves;
        const char* state;
    };
    for (const Case& c :
         {Case{repeated + "7. e4 *", "state: in progress\n"}, Case{repeated + "1-0", "state: in progress\n"},
          Case{repeated + "1/2-1/2", "state: draw by repetition\n"}}) {
        const std::string out = zarvik::test::replay(writeTemp("repeated.pgn", c.moves));
        EXPECT_NE(out.find(c.state), std::string::npos) << c.moves << "\n" << out;
    }
}

// A game from a position of its own plays on from it and is saved in both forms with that position.
TEST(Script, ASetUpGameIsPlayedOnAndSaved) {
    const std::string fen = "4k3/8/8/8/8/8/4P3/4K3 b - - 0 30";
    const std::string path = writeTemp("setup.pgn", "[SetUp \"1\"]\n[FEN \"" + fen + "\"]\n\n30... Kd7 *\n");
    const std::string pgn = temp("setup_saved.pgn");
    const std::string saved = temp("setup_saved.zarvik");
    const Scripted run =
        script("setup", "keys N\nopen " + path + "\nkeys E2-E4\\r\nmenu Spiel sichern unter… " + pgn +
                            "\nmenu Spiel sichern unter… " + saved + "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.record.find("Stellung: " + fen + "\rWeiss   = Mensch\r"), std::string::npos) << run.record;
    EXPECT_NE(run.record.find("Schwarz: E8-D7\r"), std::string::npos) << run.record;
    EXPECT_NE(run.record.find("Weiss:   E2-E4\r"), std::string::npos) << run.record;
    const std::string text = readFile(pgn);
    EXPECT_NE(text.find("[SetUp \"1\"]\n[FEN \"" + fen + "\"]\n\n30... Kd7 31. e4 *\n"), std::string::npos)
        << text;
    // Both files open again to the same position.
    EXPECT_EQ(readFile(saved), run.record);
    const std::string fromPgn = zarvik::test::replay(pgn);
    EXPECT_EQ(fromPgn.substr(fromPgn.find("state:")), [&] {
        const std::string fromSaved = zarvik::test::replay(saved);
        return fromSaved.substr(fromSaved.find("state:"));
    }());
}

// A file of several games: a script and the command line name the game; the menu asks for it.
TEST(Script, AGameOfACollection) {
    const std::string path = writeTemp(
        "collection.pgn",
        "[Event \"A\"]\n[White \"Anna\"]\n[Result \"*\"]\n\n1. e4 e5 *\n\n[Event \"B\"]\n[White \"Carl\"]\n"
        "[Result \"*\"]\n\n1. d4 d5 2. c4 *\n");
    const Scripted second = script("collection", "keys N\nopen " + path + "#2\n");
    EXPECT_EQ(second.err, "");
    EXPECT_NE(second.record.find("Weiss:   C2-C4\r"), std::string::npos) << second.record;
    const Scripted asked = script("collection_menu", "keys N\nmenu Spiel öffnen… " + path + "\n");
    EXPECT_EQ(asked.err, "dialog: Partie wählen | 2 Partien in " + path + "\n");
    EXPECT_EQ(asked.record.find("Weiss:   D2-D4"), std::string::npos) << asked.record;

    struct Case {
        std::string arguments;
        int status;
        const char* out;
    };
    const Case cases[] = {
        {"pgn " + path + " --game 2", 0, "[White \"Carl\"]"},
        {"pgn " + path, 0, "[White \"Anna\"]"},
        {"pgn " + path + " --game 3", 1, ""},
        {"replay " + path + " --game 2", 0, "··PP····"},
        {"replay " + path + " --game 0", 2, ""},
    };
    for (const Case& c : cases) {
        const std::string base = temp("collection_run");
        EXPECT_EQ(runCliApart(c.arguments, base + ".out", base + ".err"), c.status) << c.arguments;
        EXPECT_NE(readFile(base + ".out").find(c.out), std::string::npos) << c.arguments;
    }
}

// Line ends as editors and file transfers leave them, with and without a byte-order mark.
TEST(Replay, EveryLineEndOpensToTheSameBoard) {
    const std::string expected = zarvik::test::replay(writeTemp("ends_cr.zarvik", kOpening));
    auto with = [](std::string text, const std::string& end) {
        for (std::size_t at = text.find('\r'); at != std::string::npos;
             at = text.find('\r', at + end.size())) {
            text.replace(at, 1, end);
        }
        return text;
    };
    struct Case {
        const char* name;
        std::string text;
    };
    for (const Case& c : {Case{"lf", with(kOpening, "\n")}, Case{"crlf", with(kOpening, "\r\n")},
                          Case{"bom crlf", "\xEF\xBB\xBF" + with(kOpening, "\r\n")},
                          Case{"bom cr", "\xEF\xBB\xBF" + kOpening}}) {
        EXPECT_EQ(zarvik::test::replay(writeTemp("ends.zarvik", c.text)), expected) << c.name;
    }
    EXPECT_NE(expected.find("chess_Open: Success"), std::string::npos) << expected;
}

// A game of another chess program: recorded as the program records moves, shown, and the move where
// the file stopped told.
TEST(Script, APgnGameOpensAsARecordedGame) {
    const std::string path = writeTemp("partie.pgn",
                                       "[Event \"Klubabend\"]\r\n[Date \"2026.12.05\"]\r\n\r\n"
                                       "1. d4 {Damenbauer} e5 (1... d5) 2. Nf3 Nc6 3. Nd2 Nf6 *\r\n");
    // At a configuration question, once the program is running.
    const Scripted run = script("pgnopen", "keys N\nmenu Spiel öffnen… " + path + "\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "dialog: Zug 3. Nd2 ist nicht eindeutig. Das Spiel wurde bis vor diesen Zug geöffnet. | " +
                  path + "\n");
    EXPECT_TRUE(
        run.record.starts_with("Spielverlauf am 05.12.2026\rWeiss   = Mensch\rSchwarz = Mensch\r\r  1 "))
        << run.record;
    for (const char* line :
         {"Weiss:   D2-D4\r", "Schwarz: E7-E5\r", "Weiss:   G1-F3\r", "Schwarz: B8-C6\r"}) {
        EXPECT_NE(run.record.find(line), std::string::npos) << line << "\n" << run.record;
    }
    EXPECT_EQ(run.record.find("  5 "), std::string::npos) << run.record;
    EXPECT_NE(run.screen.find("Spielverlauf am 05.12.2026"), std::string::npos) << run.screen;
    EXPECT_NE(run.screen.find("Schwarz: B8-C6"), std::string::npos) << run.screen;
}

TEST(Script, SavedAsPgnAndOpenedAgain) {
    const std::string path = temp("gespeichert.PGN");
    std::remove(path.c_str());
    const Scripted run = script("pgnsave",
                                "keys NJN\\r\nkeys E2-E4\\r\nkeys E7-E5\\r\nkeys G1-F3\\r\n"
                                "menu Spiel sichern unter… " +
                                    path + "\nkeys B8-C6\\r\nopen " + path + "\n");
    EXPECT_EQ(run.err, "");
    const std::string saved = readFile(path);
    EXPECT_TRUE(saved.starts_with("[Event \"Zarvik\"]\n[Site \"?\"]\n[Date \"")) << saved;
    EXPECT_NE(saved.find("[White \"Mensch\"]\n[Black \"Mensch\"]\n[Result \"*\"]\n\n1. e4 e5 2. Nf3 *\n"),
              std::string::npos)
        << saved;
    // Opened again as a document: the three moves saved, Nc6 played after the save is not in it.
    EXPECT_NE(run.record.find("Weiss:   G1-F3\r"), std::string::npos) << run.record;
    EXPECT_EQ(run.record.find("B8-C6"), std::string::npos) << run.record;
}

// A file as another chess program writes it, with everything a player adds, is saved again with all of
// it: the standard form `pgn-extract` gives both is the same.
TEST(Script, APgnGameSavedAgainKeepsItsNotation) {
    const std::string game =
        "[Event \"Klubabend\"]\n[Site \"Bonn\"]\n[Date \"2026.12.05\"]\n[Round \"3\"]\n[White \"Anna\"]\n"
        "[Black \"Bert\"]\n[Result \"1-0\"]\n[ECO \"C60\"]\n[Annotator \"Carl\"]\n\n{Vorweg} 1. e4 {gut} e5 "
        "(1... c5 2. Nf3 (2. c3) d6) 2. Nf3 $1 Nc6 3. Bb5 a6 {Schwarz gibt auf} 1-0\n";
    const std::string original = writeTemp("roundtrip.pgn", game);
    const std::string again = temp("roundtrip_again.pgn");
    const std::string onwards = temp("roundtrip_onwards.pgn");
    const Scripted run =
        script("roundtrip", "keys N\nopen " + original + "\nmenu Spiel sichern unter… " + again +
                                "\nkeys B5-A4\\r\nmenu Spiel sichern unter… " + onwards + "\n");
    EXPECT_EQ(run.err, "");
    const auto normalised = [](const std::string& path) {
        const std::string out = path + ".extract";
        const int status = std::system(
            ("PATH=\"$PATH:/usr/games\" pgn-extract -s " + shellQuoted(path) + " >" + out).c_str());
        return status == 0 ? std::optional(readFile(out)) : std::nullopt;
    };
    const std::optional<std::string> expected = normalised(original);
    if (!expected) {
        GTEST_SKIP() << "pgn-extract is not installed";
    }
    EXPECT_EQ(normalised(again), expected);
    // Played on: the new move follows with the game running again.
    const std::string later = readFile(onwards);
    EXPECT_NE(later.find("[Result \"*\"]\n[ECO \"C60\"]\n[Annotator \"Carl\"]\n"), std::string::npos)
        << later;
    EXPECT_NE(later.find("3. Bb5 a6 {Schwarz gibt auf} 4. Ba4 *\n"), std::string::npos) << later;
}

TEST(PgnCommand, PrintsTheGameOrSaysWhyNot) {
    const std::string saved = writeTemp("pgn_saved.zarvik", kOpening);
    const std::string base = temp("pgn_run");
    EXPECT_EQ(runCliApart("pgn " + shellQuoted(saved), base + ".out", base + ".err"), 0);
    EXPECT_NE(readFile(base + ".out").find("[Date \"2026.12.05\"]\n"), std::string::npos);
    EXPECT_NE(readFile(base + ".out").find("\n1. e4 e5 *\n"), std::string::npos) << readFile(base + ".out");
    struct Case {
        std::string path;
        const char* error;
    };
    for (const Case& c : {Case{temp("pgn_missing.zarvik"), "pgn: Die Datei konnte nicht geöffnet werden. | "},
                          Case{"/dev/zero", "pgn: Die Datei konnte nicht geöffnet werden. | "},
                          Case{writeTemp("pgn_letter.zarvik", "Lieber Hans\r"),
                               "pgn: Die Datei enthält kein gesichertes Spiel. | "}}) {
        EXPECT_EQ(runCliApart("pgn " + shellQuoted(c.path), base + ".out", base + ".err"), 1) << c.path;
        EXPECT_EQ(readFile(base + ".out"), "") << c.path;
        EXPECT_TRUE(readFile(base + ".err").starts_with(c.error + c.path)) << readFile(base + ".err");
    }
    // A saved game that is no UTF-8 is read all the same; the log line about it stays off the PGN.
    const std::string macRoman =
        writeTemp("pgn_macroman.zarvik", kOpening + "  3 10:00:02 Wei\xA7:   G1-F3\r");
    EXPECT_EQ(runCliApart("pgn " + shellQuoted(macRoman), base + ".out", base + ".err"), 0);
    EXPECT_TRUE(readFile(base + ".out").starts_with("[Event ")) << readFile(base + ".out");
    EXPECT_EQ(readFile(base + ".out").find("Error"), std::string::npos) << readFile(base + ".out");
    EXPECT_NE(readFile(base + ".err").find("getstringfromfile: Error #"), std::string::npos);
}

TEST(Commands, EachPrintsItsUsageOnHelp) {
    const std::string base = temp("help_run");
    for (const char* command : {"perft", "divide", "rate", "selfplay", "replay", "pgn", "play"}) {
        for (const char* ask : {"--help", "-h"}) {
            EXPECT_EQ(runCliApart(std::string(command) + " " + ask, base + ".out", base + ".err"), 0)
                << command << " " << ask;
            EXPECT_TRUE(
                readFile(base + ".out").starts_with("usage: zarvik-cli " + std::string(command) + " "))
                << command << ": " << readFile(base + ".out");
            EXPECT_EQ(readFile(base + ".err"), "") << command;
        }
    }
}

}  // namespace
