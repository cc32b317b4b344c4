// The menu "Spiel" and the game that is never lost, through scripted runs of the real program:
// giving up, a new game from every state with every answer of the save question, opened games that
// go on with their players, take-back and redo, and the last game kept across a killed process.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "cli_run.h"

namespace {

using zarvik::test::readFile;
using zarvik::test::script;
using zarvik::test::Scripted;
using zarvik::test::shellQuoted;
using zarvik::test::temp;
using zarvik::test::writeTemp;

const std::string kPeople = "Spielverlauf am 05.12.2026\rWeiss   = Mensch\rSchwarz = Mensch\r\r";

// The text with every time of day blanked, so that games played at other moments compare.
std::string withoutTimes(const std::string& text) {
    return std::regex_replace(text, std::regex("[0-9]{2}:[0-9]{2}:[0-9]{2}"), "--:--:--");
}

std::string menu(const std::string& item) {
    return "menu " + item + "\n";
}

TEST(NewGame, EveryStateAndEveryAnswerOfTheSaveQuestion) {
    struct Case {
        const char* name;
        const char* steps;  // after a game of two people with one move
        const char* answer;
        bool newGame;
    };
    const Case cases[] = {
        {"prompt_save", "", "Sichern", true},
        {"prompt_discard", "", "Nicht sichern", true},
        {"prompt_cancel", "", "Abbrechen", false},
        {"question_cancel", "keys \\r\n", "Abbrechen", false},
        {"question_discard", "keys \\r\n", "Nicht sichern", true},
        {"ended_save", "keys \\r\nkeys J\n", "Sichern", true},
        {"idle_discard", "keys \\r\nkeys J\nkeys N\n", "Nicht sichern", true},
    };
    for (const Case& c : cases) {
        const std::string saved = temp(std::string("newgame_") + c.name + ".zarvik");
        std::filesystem::remove(saved);
        const std::string answer =
            std::string(c.answer) + (std::string(c.answer) == "Sichern" ? " " + saved : "");
        const Scripted run =
            script(std::string("newgame_") + c.name, "keys NJN\\r\nkeys E2-E4\\r\n" + std::string(c.steps) +
                                                         "answer " + answer + "\n" + menu("Neues Spiel"));
        EXPECT_EQ(run.err, "dialog: Das Spiel ist nicht gesichert. Vor dem neuen Spiel sichern?\n") << c.name;
        EXPECT_EQ(run.screen.find("Standard-Konfiguration benutzen") != std::string::npos, c.newGame)
            << c.name << "\n"
            << run.screen;
        EXPECT_EQ(run.record.find("E2-E4") == std::string::npos, c.newGame) << c.name;
        EXPECT_EQ(std::filesystem::exists(saved), std::string(c.answer) == "Sichern") << c.name;
        if (std::filesystem::exists(saved)) {
            EXPECT_NE(readFile(saved).find("Weiss:   E2-E4\r"), std::string::npos) << c.name;
        }
    }
}

// Nothing unsaved: no question. "Neues Spiel beginnen" asks like the menu; "Abbrechen" asks again.
TEST(NewGame, AsksOnlyForUnsavedMoves) {
    const std::string saved = temp("newgame_saved.zarvik");
    const Scripted quiet = script("newgame_quiet", "keys NJN\\r\nkeys E2-E4\\r\nmenu Spiel sichern unter… " +
                                                       saved + "\n" + menu("Neues Spiel"));
    EXPECT_EQ(quiet.err, "");
    EXPECT_NE(quiet.screen.find("Standard-Konfiguration benutzen"), std::string::npos) << quiet.screen;

    const Scripted again =
        script("newgame_again", "keys NJN\\r\nkeys E2-E4\\r\nkeys \\r\nkeys J\nanswer Abbrechen\nkeys J\n");
    EXPECT_EQ(again.err, "dialog: Das Spiel ist nicht gesichert. Vor dem neuen Spiel sichern?\n");
    EXPECT_NE(again.screen.find("Neues Spiel beginnen"), std::string::npos) << again.screen;
    EXPECT_NE(again.record.find("*** Schwarz gibt auf ***"), std::string::npos) << again.record;
}

// "Aufgeben" in the menu asks the person to move; only J gives up.
TEST(GiveUp, FromTheMenu) {
    const Scripted kept =
        script("giveup_menu_no", "keys NJN\\r\nkeys E2-E4\\r\n" + menu("Aufgeben") + "keys \\r\n");
    EXPECT_EQ(kept.record.find("gibt auf"), std::string::npos) << kept.record;
    EXPECT_NE(kept.screen.find("Zug für schwarz eingeben"), std::string::npos) << kept.screen;
    const Scripted given =
        script("giveup_menu_yes", "keys NJN\\r\nkeys E2-E4\\r\n" + menu("Aufgeben") + "keys J\n");
    EXPECT_TRUE(given.record.ends_with("  *** Schwarz gibt auf ***\r")) << given.record;
    EXPECT_NE(given.screen.find("Neues Spiel beginnen"), std::string::npos) << given.screen;
}

// Opened games go on with the players their files name; the computer moves at once when it is its turn.
TEST(Resume, OpenedGamesKeepTheirPlayers) {
    struct Case {
        const char* name;
        std::string file;
        const char* players;  // as the record keeps them
        const char* prompt;   // the person's prompt once the computer has moved
        const char* computerLine;
    };
    const Case cases[] = {
        {"hard.zarvik",
         "Spielverlauf am 05.12.2026\rWeiss   = Mensch\rSchwarz = Computer (schwer)\r\r  1 10:00:00 Weiss:   "
         "E2-E4\r",
         "Weiss   = Mensch\rSchwarz = Computer (schwer)\r", "Zug für weiss eingeben", "  2 "},
        {"easy.zarvik", "Spielverlauf am 05.12.2026\rWeiss   = Computer (leicht)\rSchwarz = Mensch\r\r",
         "Weiss   = Computer (leicht)\rSchwarz = Mensch\r", "Zug für schwarz eingeben", "  1 "},
        {"easy.pgn", "[White \"Mensch\"]\n[Black \"Zarvik (leicht)\"]\n\n1. e4 *\n",
         "Weiss   = Mensch\rSchwarz = Computer (leicht)\r", "Zug für weiss eingeben", "  2 "},
        {"people.pgn", "[White \"Anna\"]\n[Black \"Bert\"]\n\n1. e4 *\n",
         "Weiss   = Mensch\rSchwarz = Mensch\r", "Zug für schwarz eingeben", nullptr},
    };
    for (const Case& c : cases) {
        const std::string path = writeTemp(std::string("resume_") + c.name, c.file);
        const Scripted run = script(std::string("resume_") + c.name, "open " + path + "\n");
        EXPECT_NE(run.record.find(c.players), std::string::npos) << c.name << "\n" << run.record;
        EXPECT_NE(run.screen.find(c.prompt), std::string::npos) << c.name << "\n" << run.screen;
        EXPECT_EQ(run.screen.find("Wollen Sie aufgeben"), std::string::npos) << c.name;
        if (c.computerLine != nullptr) {
            EXPECT_NE(run.record.find(c.computerLine), std::string::npos)
                << c.name << ": the computer moved\n"
                << run.record;
        }
    }
}

// Between people a take-back is one half-move and a redo brings it back; a new move ends the redo.
// The record, the boards and a saved file are those of the same game played straight.
TEST(TakeBack, BetweenPeopleAsIfPlayedStraight) {
    const std::string withPath = temp("takeback_with.zarvik");
    const std::string straightPath = temp("takeback_straight.zarvik");
    const Scripted with =
        script("takeback_with", "keys NJN\\r\nkeys E2-E4\\r\nkeys E7-E5\\r\nkeys G1-F3\\r\n" +
                                    menu("Zug zurücknehmen") + menu("Zug zurücknehmen") +
                                    menu("Zug wiederholen") + "keys D2-D4\\r\n" + menu("Zug wiederholen") +
                                    "menu Spiel sichern unter… " + withPath + "\n");
    const Scripted straight = script("takeback_straight",
                                     "keys NJN\\r\nkeys E2-E4\\r\nkeys E7-E5\\r\nkeys D2-D4\\r\n"
                                     "menu Spiel sichern unter… " +
                                         straightPath + "\n");
    EXPECT_EQ(withoutTimes(with.record), withoutTimes(straight.record)) << with.record;
    EXPECT_EQ(withoutTimes(with.screen), withoutTimes(straight.screen)) << with.screen;
    EXPECT_EQ(withoutTimes(readFile(withPath)), withoutTimes(readFile(straightPath)));
    EXPECT_EQ(zarvik::test::replay(withPath), zarvik::test::replay(straightPath));
}

// Against the computer a take-back removes its reply and the person's move; a redo brings both back
// as they were. A take-back at the promotion question cancels that move only.
TEST(TakeBack, AgainstTheComputerAndAtThePromotion) {
    const std::string replied = temp("takeback_computer_replied");
    const std::string back = temp("takeback_computer_back");
    const Scripted run = script("takeback_computer", "keys J\\r\nkeys E2-E4\\r\nrecord " + replied + "\n" +
                                                         menu("Zug zurücknehmen") + "record " + back + "\n" +
                                                         menu("Zug wiederholen"));
    EXPECT_TRUE(readFile(back).ends_with("Schwarz = Computer (schwer)\r\r")) << readFile(back);
    EXPECT_EQ(run.record, readFile(replied));
    EXPECT_NE(run.record.find("  2 "), std::string::npos) << run.record;
    EXPECT_NE(run.screen.find("Zug für weiss eingeben"), std::string::npos) << run.screen;

    const Scripted promotion = script(
        "takeback_promotion",
        "keys NJN\\r\nkeys H2-H4\\rA7-A5\\rH4-H5\\rA5-A4\\rH5-H6\\rA4-A3\\rH6-G7\\rA3-B2\\rG7-H8\\r\n" +
            menu("Zug zurücknehmen"));
    EXPECT_TRUE(promotion.record.ends_with("Schwarz: A3XB2\r")) << promotion.record;
    EXPECT_NE(promotion.screen.find("Zug für weiss eingeben"), std::string::npos) << promotion.screen;
    EXPECT_NE(promotion.screen.find("7  · b b b b b B b  7"), std::string::npos) << "the pawn is back on G7\n"
                                                                                 << promotion.screen;
}

// The running game survives a killed process: the next start offers exactly the moves played.
TEST(LastGame, SurvivesAKilledProcess) {
    const std::string folder = temp("lastgame_folder");
    std::filesystem::remove_all(folder);
    const std::string played = temp("lastgame_played");
    const std::string steps = writeTemp("lastgame_killed.script",
                                        "keys NJN\\r\nkeys E2-E4\\r\nkeys E7-E5\\r\n"
                                        "keys G1-F3\\r\nrecord " +
                                            played + "\nwait 60000\n");
    const std::string killed = "XDG_DATA_HOME=" + shellQuoted(folder + "/data") +
                               " timeout -s KILL 8 " ZARVIK_CLI " play --script " + shellQuoted(steps) +
                               " > /dev/null 2>&1";
    std::system(killed.c_str());
    ASSERT_NE(readFile(played).find("Weiss:   G1-F3\r"), std::string::npos) << readFile(played);

    const std::string asked = temp("lastgame_asked.screen");
    const Scripted resumed = script("lastgame_resumed", "screen " + asked + "\nkeys J\n", folder);
    EXPECT_NE(readFile(asked).find("Letztes Spiel fortsetzen               <J/N>"), std::string::npos)
        << readFile(asked);
    EXPECT_EQ(resumed.record, readFile(played));
    EXPECT_NE(resumed.screen.find("Zug für schwarz eingeben"), std::string::npos) << resumed.screen;

    // Declined, it is gone; the next start begins with the configuration.
    script("lastgame_declined", "keys N\n", folder);
    const Scripted fresh = script("lastgame_fresh", "", folder);
    EXPECT_NE(fresh.screen.find("Standard-Konfiguration benutzen"), std::string::npos) << fresh.screen;
}

// A damaged file is set aside under another name, never deleted, and the program starts as usual.
TEST(LastGame, ADamagedFileIsSetAside) {
    const std::string folder = temp("lastgame_damaged");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder + "/data/zarvik");
    const std::string damaged =
        "Spielverlauf am 05.12.2026\rWeiss   = Mensch\rSchwarz = Mensch\r\r  1 x: Q9-Z0\r";
    zarvik::test::writeTemp("lastgame_damaged/data/zarvik/letztes-spiel.zarvik", damaged);
    const Scripted run = script("lastgame_damaged_run", "", folder);
    EXPECT_NE(run.screen.find("Standard-Konfiguration benutzen"), std::string::npos) << run.screen;
    // The log, with its line about the file, goes to standard error beside the dialogs.
    const std::string log = readFile(temp("lastgame_damaged_run") + ".err");
    EXPECT_NE(log.find("the last game could not be resumed"), std::string::npos) << log;
    int setAside = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder + "/data/zarvik")) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name.starts_with("letztes-spiel.zarvik.beschaedigt-")) << name;
        EXPECT_EQ(readFile(entry.path().string()), damaged);
        ++setAside;
    }
    EXPECT_EQ(setAside, 1);
}

}  // namespace

namespace {

// The level question after the computer was chosen: a level, Return for the old answer, or a wrong
// answer asked again. A script step waits while the searching computer thinks.
TEST(Level, ChosenInTheDialogueAndNamedInTheRecord) {
    struct Case {
        const char* name;
        const char* answer;
        const char* player;
    };
    const Case cases[] = {
        {"seven", "7\\r", "Schwarz = Computer (Stufe 7)\r"},
        {"return", "\\r", "Schwarz = Computer (leicht)\r"},
        {"again", "11\\rstufe\\r2\\r", "Schwarz = Computer (Stufe 2)\r"},
    };
    for (const Case& c : cases) {
        const Scripted run = script(std::string("level_") + c.name,
                                    "keys NJJN\nkeys " + std::string(c.answer) + "\\r\nkeys E2-E4\\r\n");
        EXPECT_NE(run.record.find(c.player), std::string::npos) << c.name << "\n" << run.record;
        EXPECT_NE(run.record.find("Schwarz: "), std::string::npos) << c.name << ": the computer moved\n"
                                                                   << run.record;
        EXPECT_NE(run.screen.find("Zug für weiss eingeben"), std::string::npos) << c.name << "\n"
                                                                                << run.screen;
    }
}

// Opened at a level, the game goes on with the searching computer at that level: it thinks, or has
// already answered, when the script ends.
TEST(Level, OpenedGamesKeepTheirLevel) {
    struct Case {
        const char* name;
        std::string file;
        const char* players;
    };
    const Case cases[] = {
        {"level.zarvik",
         "Spielverlauf am 05.12.2026\rWeiss   = Mensch\rSchwarz = Computer (Stufe 4)\r\r  1 10:00:00 Weiss:  "
         " "
         "E2-E4\r",
         "Schwarz = Computer (Stufe 4)\r"},
        {"level.pgn", "[White \"Mensch\"]\n[Black \"Zarvik (Stufe 10)\"]\n\n1. e4 *\n",
         "Schwarz = Computer (Stufe 10)\r"},
    };
    for (const Case& c : cases) {
        const std::string path = writeTemp(std::string("level_") + c.name, c.file);
        const Scripted run = script(std::string("level_") + c.name, "open " + path + "\n");
        EXPECT_NE(run.record.find(c.players), std::string::npos) << c.name << "\n" << run.record;
        EXPECT_NE(run.record.find("  1 "), std::string::npos) << c.name << "\n" << run.record;
        const bool searching = run.screen.find("Computerspieler denkt nach") != std::string::npos ||
                               run.record.find("Schwarz: ") != std::string::npos;
        EXPECT_TRUE(searching) << c.name << "\n" << run.screen;
    }
}

}  // namespace

namespace {

// "Remis anbieten": a person answers the question; the computer accepts only when it stands worse.
TEST(DrawOffer, AnsweredByThePersonOrTheComputersSearch) {
    const Scripted declined =
        script("draw_declined", "keys NJN\\r\nkeys E2-E4\\r\n" + menu("Remis anbieten") + "keys N\n");
    EXPECT_NE(declined.screen.find("Remis abgelehnt."), std::string::npos) << declined.screen;
    EXPECT_NE(declined.screen.find("Zug für schwarz eingeben"), std::string::npos) << declined.screen;
    const Scripted accepted =
        script("draw_accepted", "keys NJN\\r\nkeys E2-E4\\r\n" + menu("Remis anbieten") + "keys J\n");
    EXPECT_TRUE(accepted.record.ends_with("\r *** Remis (vereinbart) ***\r")) << accepted.record;
    EXPECT_NE(accepted.screen.find("Neues Spiel beginnen"), std::string::npos) << accepted.screen;

    // Black has lost its queen: the computer takes the draw. At the start it plays on.
    const std::string lost =
        writeTemp("draw_queen_lost.zarvik",
                  "Spielverlauf am 05.12.2026\rWeiss   = Mensch\rSchwarz = Computer (schwer)\r\r"
                  "  1 10:00:00 Weiss:   E2-E4\r  2 10:00:00 Schwarz: E7-E5\r"
                  "  3 10:00:00 Weiss:   G1-F3\r  4 10:00:00 Schwarz: D8-G5\r"
                  "  5 10:00:00 Weiss:   F3XG5\r");
    const Scripted worse = script("draw_computer_worse", "open " + lost + "\n" + menu("Remis anbieten"));
    EXPECT_TRUE(worse.record.ends_with("*** Remis (vereinbart) ***\r")) << worse.record;
    const Scripted even = script("draw_computer_even", "keys \\r\\r\n" + menu("Remis anbieten"));
    EXPECT_NE(even.screen.find("Remis abgelehnt."), std::string::npos) << even.screen;
    EXPECT_EQ(even.record.find("Remis"), std::string::npos) << even.record;
}

// A saved game that went on past a draw rule it did not know opens whole; the rules judge new moves.
TEST(DrawRules, OlderGamesOpenWhole) {
    std::string file = kPeople;
    const char* shuffle[] = {"G1-F3", "G8-F6", "F3-G1", "F6-G8"};
    for (int i = 0; i < 10; ++i) {
        file += (i < 9 ? "  " : " ") + std::to_string(i + 1) + " 10:00:00 " +
                (i % 2 == 0 ? "Weiss:   " : "Schwarz: ") + shuffle[i % 4] + "\r";
    }
    const std::string path = writeTemp("draw_older.zarvik", file);
    const Scripted run = script("draw_older", "open " + path + "\nkeys E2-E4\\r\n");
    EXPECT_NE(run.record.find(" 10 10:00:00 Schwarz: G8-F6\r"), std::string::npos) << run.record;
    EXPECT_NE(run.record.find("Weiss:   E2-E4\r"), std::string::npos) << run.record;
    EXPECT_EQ(run.record.find("Remis"), std::string::npos) << run.record;
    EXPECT_NE(run.screen.find("Zug für schwarz eingeben"), std::string::npos) << run.screen;
}

}  // namespace
