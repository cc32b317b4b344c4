// The running program with its menu handler and file events on the headless host: saving and
// opening through the "Ablage" menu, and saved games arriving while a question waits or while the
// computer thinks. Each scenario runs in a process of its own, since the program runs once per
// process.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "frontend/gameclock.h"
#include "frontend/savedgame.h"
#include "frontend/settings.h"
#include "frontend/state.h"
#include "rules/board.h"
#include "running_program.h"
#include "toolkit/app/presentation.h"
#include "toolkit/host.h"
#include "toolkit/screen/window.h"
#include "util/files.h"
#include "util/text.h"

namespace zarvik::frontend {
namespace {

const std::string kMate =
    "Spielverlauf am 05.12.2026\rWeiss   = Mensch\rSchwarz = Mensch\r\r"
    "  1 10:00:00 Weiss:   F2-F3\r  2 10:00:01 Schwarz: E7-E5\r  3 10:00:02 Weiss:   G2-G4\r"
    "  4 10:00:03 Schwarz: D8-H4#\r     *** Zarvikmatt ***\r";

const std::string kOpening =
    "Spielverlauf am 05.12.2026\rWeiss   = Mensch\rSchwarz = Mensch\r\r"
    "  1 10:00:00 Weiss:   E2-E4\r  2 10:00:01 Schwarz: E7-E5\r";

Board boardAfter(std::initializer_list<std::pair<int, int>> moves) {
    Board board(true);
    for (auto [from, to] : moves) {
        board.movePiece(BoardLocation(from), BoardLocation(to));
    }
    return board;
}

using test::inOwnProcess;
using Session = test::RunningProgram;

std::string tempFile(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + "frontend_session_" + name;
    EXPECT_EQ(setstringtofile(path, text), 0);
    return path;
}

// --- reading window 0 back

// The characters of a screen line (from 1) between two columns (from 1, inclusive).
std::string screenText(const std::string& screen, int line, int first, int last) {
    std::size_t start = 0;
    for (int l = 1; l < line; ++l) {
        start = screen.find('\n', start) + 1;
    }
    const std::string row = screen.substr(start, screen.find('\n', start) - start);
    std::u32string wide;
    for (std::size_t i = 0; i < row.size();) {
        wide += static_cast<char32_t>(t_NextScalar(row, i));
    }
    std::string out;
    for (int c = first; c <= last && c <= static_cast<int>(wide.size()); ++c) {
        t_AppendUtf8(out, wide[static_cast<std::size_t>(c - 1)]);
    }
    return out;
}

// The text board's line of a rank: "8  t s l d k l s t  8" in German letters, "·" for empty squares.
std::string textBoardRank(const std::string& screen, int rank) {
    return screenText(screen, 7 + (8 - rank), 27, 47);
}

// The pixels of a square of the graphic board (file 0-7 from A, rank 1-8).
std::vector<std::uint32_t> squarePixels(const HostImage& image, int file, int rank) {
    const int line = 9 - rank;
    const int left = 48 + 40 * file;
    const int top = 121 + 40 * line;
    std::vector<std::uint32_t> pixels;
    for (int y = top; y < top + 40; ++y) {
        for (int x = left; x < left + 40; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 4;
            pixels.push_back(std::uint32_t(image.argb[at]) << 24 | std::uint32_t(image.argb[at + 1]) << 16 |
                             std::uint32_t(image.argb[at + 2]) << 8 | image.argb[at + 3]);
        }
    }
    return pixels;
}

// The pixels of a square inside the 5-pixel frame that marks a square.
std::vector<std::uint32_t> insideFrame(const std::vector<std::uint32_t>& square) {
    std::vector<std::uint32_t> inside;
    for (int y = 5; y < 35; ++y) {
        for (int x = 5; x < 35; ++x) {
            inside.push_back(square[static_cast<std::size_t>(40 * y + x)]);
        }
    }
    return inside;
}

HostImage windowImage() {
    std::optional<HostImage> image;
    onMainThread([&] { image = t_WindowImage(0); });
    EXPECT_TRUE(image.has_value());
    return image.value_or(HostImage{});
}

TEST(Session, SaveAndReopenAtAMovePrompt) {
    inOwnProcess([](Session& s) {
        s.type("NJN\\rE2-E4\\rE7-E5\\r");
        const std::string path = ::testing::TempDir() + "frontend_session_saved.zarvik";
        s.host().pushSaveAnswer(path);
        s.menu("Spiel sichern unter…");
        const std::string saved = getstringfromfile(path).value_or("");
        EXPECT_EQ(saved, gameRecordSnapshot().text);
        ASSERT_FALSE(s.host().saveRequests().empty());
        EXPECT_EQ(s.host().saveRequests().back().proposedName, "Spiel.zarvik");
        s.type("G1-F3\\r");
        s.host().pushOpenAnswer({path});
        s.menu("Spiel öffnen…");
        // The opened game goes on from its side to move; nobody is asked to give up.
        EXPECT_EQ(s.screen().find("Wollen Sie aufgeben"), std::string::npos) << s.screen();
        EXPECT_NE(s.screen().find("Zug für weiss eingeben"), std::string::npos) << s.screen();
        EXPECT_EQ(currentGame()->board, boardAfter({{12, 28}, {52, 36}}));
        EXPECT_EQ(gameRecordSnapshot().text, saved);
    });
}

TEST(Session, DocumentArrivingWhileAQuestionWaits) {
    inOwnProcess([](Session& s) {
        waitUntilQuiet();
        postFileEvent(tempFile("ignored.txt", kMate));
        waitUntilQuiet();
        EXPECT_NE(s.screen().find("Standard-Konfiguration benutzen"), std::string::npos)
            << "a .txt is ignored";
        postFileEvent(tempFile("opening.ZARVIK", kOpening));
        EXPECT_TRUE(s.waitForScreen("Zug für weiss eingeben")) << s.screen();
        EXPECT_EQ(currentGame()->board, boardAfter({{12, 28}, {52, 36}}));
        EXPECT_FALSE(fileEventPending());
    });
}

// While the searching computer thinks, line 21 says so; "!" makes it move at once, and a take-back
// while it thinks takes back the person's move without waiting for an answer.
TEST(Session, TheSearchingComputerMovesOnRequestAndYieldsToATakeBack) {
    inOwnProcess([](Session& s) {
        const auto recordHas = [](const std::string& text) {
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (gameRecordSnapshot().text.find(text) == std::string::npos) {
                if (std::chrono::steady_clock::now() > end) {
                    return false;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            return true;
        };
        typeKeys(keysOf("NJJN10\\r\\rE2-E4\\r"));
        ASSERT_TRUE(waitUntilShown("Computerspieler denkt nach", std::chrono::seconds(20))) << s.screen();
        t_PostKeys("!");
        ASSERT_TRUE(recordHas("  2 ")) << gameRecordSnapshot().text;
        typeKeys(keysOf("D2-D4\\r"));
        ASSERT_TRUE(recordHas("  3 ")) << gameRecordSnapshot().text;
        s.menu("Zug zurücknehmen", "Spiel");
        const std::string record = gameRecordSnapshot().text;
        EXPECT_EQ(record.find("  3 "), std::string::npos) << record;
        EXPECT_NE(record.find("  2 "), std::string::npos) << record;
        EXPECT_NE(s.screen().find("Zug für weiss eingeben"), std::string::npos) << s.screen();
    });
}

TEST(Session, OpenWhileTheComputerThinks) {
    inOwnProcess([](Session& s) {
        typeKeys(keysOf("NNN\\rJN\\r\\r"));  // two easy computers, which never leave the program quiet
        ASSERT_TRUE(waitUntilShown("Computerspieler berechnet", std::chrono::seconds(20))) << s.screen();
        s.host().pushOpenAnswer({tempFile("opening.zarvik", kOpening)});
        s.menu("Spiel öffnen…");
        EXPECT_TRUE(whiteIsHuman().load() && blackIsHuman().load());
        EXPECT_EQ(currentGame()->board, boardAfter({{12, 28}, {52, 36}}));
        // Play goes on with the opened game and its two people, recorded after the file's lines.
        EXPECT_EQ(s.screen().find("Wollen Sie aufgeben"), std::string::npos) << s.screen();
        s.type("G1-F3\\r");
        EXPECT_EQ(currentGame()->board, boardAfter({{12, 28}, {52, 36}, {6, 21}}));
        const std::string record = gameRecordSnapshot().text;
        ASSERT_TRUE(record.starts_with(kOpening)) << record;
        const std::string added = record.substr(kOpening.size());
        EXPECT_TRUE(added.starts_with("  3 ")) << added;
        EXPECT_TRUE(added.ends_with(" Weiss:   G1-F3\r")) << added;
        const std::string screen = s.screen();
        EXPECT_EQ(textBoardRank(screen, 3), "3  · · · · · S · ·  3") << screen;
        EXPECT_EQ(textBoardRank(screen, 4), "4  · · · · B · · ·  4") << screen;
        EXPECT_EQ(textBoardRank(screen, 5), "5  · · · · b · · ·  5") << screen;
        EXPECT_EQ(textBoardRank(screen, 1), "1  T S L D K L · T  1") << screen;
        EXPECT_NE(screen.find("Weiss:   G1-F3"), std::string::npos) << "record panel";
        EXPECT_NE(screen.find("Zug für schwarz eingeben"), std::string::npos) << screen;
    });
}

TEST(Session, CancelledDialogsChangeNothing) {
    inOwnProcess([](Session& s) {
        s.type("\\r\\r");
        const std::string before = gameRecordSnapshot().text;
        s.menu("Spiel öffnen…");
        s.menu("Spiel sichern unter…");
        s.menu("Unbekannt");
        EXPECT_EQ(gameRecordSnapshot().text, before);
        EXPECT_NE(s.screen().find("Zug für weiss eingeben"), std::string::npos) << s.screen();
    });
}

// Both boards: the letters of the text board, and the squares of the graphic board, which must
// follow the move (a wrong rank, file or colour of square or piece gives other pixels).
TEST(Session, BothBoardsShowThePosition) {
    inOwnProcess([](Session& s) {
        s.type("NJN\\r");
        const HostImage before = windowImage();
        const std::string start = s.screen();
        EXPECT_EQ(textBoardRank(start, 8), "8  t s l d k l s t  8");
        EXPECT_EQ(textBoardRank(start, 2), "2  B B B B B B B B  2");
        EXPECT_EQ(textBoardRank(start, 4), "4  · · · · · · · ·  4");
        EXPECT_EQ(screenText(start, 5, 27, 47), "   A B C D E F G H   ");
        s.type("E2-E4\\rG8-F6\\r");
        const HostImage after = windowImage();
        const std::string moved = s.screen();
        EXPECT_EQ(textBoardRank(moved, 4), "4  · · · · B · · ·  4");
        EXPECT_EQ(textBoardRank(moved, 2), "2  B B B B · B B B  2");
        EXPECT_EQ(textBoardRank(moved, 6), "6  · · · · · s · ·  6");
        EXPECT_EQ(textBoardRank(moved, 8), "8  t s l d k l · t  8");
        // E2 and E4 have the same colour: the pawn's picture moved, an empty square's took its place
        // (Black's move is the last one now, so neither carries the last move's frame).
        const int e = 4;
        EXPECT_NE(squarePixels(before, e, 2), squarePixels(before, e, 4));
        EXPECT_EQ(squarePixels(after, e, 4), squarePixels(before, e, 2));
        EXPECT_EQ(squarePixels(after, e, 2), squarePixels(before, e, 4));
        // G8 (light) now shows a light empty square, F6 (dark) a black knight on dark; both framed.
        EXPECT_EQ(insideFrame(squarePixels(after, 6, 8)), insideFrame(squarePixels(before, 6, 6)))
            << "G8 as empty G6";
        EXPECT_NE(squarePixels(after, 6, 8), squarePixels(before, 6, 6)) << "the frame";
        EXPECT_NE(squarePixels(after, 5, 6), squarePixels(before, 5, 6));
        EXPECT_NE(squarePixels(before, 0, 1), squarePixels(before, 0, 8)) << "white and black rooks differ";
        EXPECT_NE(squarePixels(before, 4, 3), squarePixels(before, 4, 4)) << "light and dark squares differ";
        EXPECT_EQ(squarePixels(after, 0, 1), squarePixels(before, 0, 1));
    });
}

// Blank cells below the boards: each all in the window's background, no inverse block left anywhere
// but at the cursor.
void expectNoStrayBlocks(const std::string& screen, const std::string& stage) {
    const HostImage image = windowImage();
    ASSERT_EQ(image.width, 1280);
    const t_Window& window = t_WindowRecord(0);
    auto pixel = [&](int x, int y) {
        const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 4;
        return std::uint32_t(image.argb[at + 1]) << 16 | std::uint32_t(image.argb[at + 2]) << 8 |
               image.argb[at + 3];
    };
    const std::uint32_t background = pixel(49 * 16 - 1, 25 * 32 - 1);
    for (int line = 18; line <= 25; ++line) {
        for (int column = 1; column <= 49; ++column) {
            if (screenText(screen, line, column, column) != " " ||
                (line == window.TextVpos && column == window.TextHpos)) {
                continue;
            }
            bool blank = true;
            for (int y = (line - 1) * 32; y < line * 32 && blank; ++y) {
                for (int x = (column - 1) * 16; x < column * 16 && blank; ++x) {
                    blank = pixel(x, y) == background;
                }
            }
            EXPECT_TRUE(blank) << stage << ": inverse block at line " << line << ", column " << column;
        }
    }
}

// Opened at black's prompt, the game of the file goes on with white, the side to move there, with no
// cursor block left behind: every half-move is recorded after the file's lines, both boards follow, and a
// save replays to the board.
TEST(Session, AnOpenedGameGoesOnAsANormalGame) {
    inOwnProcess([](Session& s) {
        s.type("NJN\\rE2-E4\\r");
        s.host().pushOpenAnswer({tempFile("goes_on.zarvik", kOpening)});
        s.menu("Spiel öffnen…");
        ASSERT_TRUE(s.waitForScreen("Zug für weiss eingeben")) << s.screen();
        expectNoStrayBlocks(s.screen(), "at the prompt");
        s.type("G1-F3\\rB8-C6\\rF1-C4\\rG8-F6\\rO-O\\r");
        const Board expected =
            boardAfter({{12, 28}, {52, 36}, {6, 21}, {57, 42}, {5, 26}, {62, 45}, {4, 6}, {7, 5}});
        EXPECT_EQ(currentGame()->board, expected);
        const std::string record = gameRecordSnapshot().text;
        ASSERT_TRUE(record.starts_with(kOpening)) << record;
        const std::pair<const char*, const char*> added[] = {{"  3 ", "Weiss:   G1-F3"},
                                                             {"  4 ", "Schwarz: B8-C6"},
                                                             {"  5 ", "Weiss:   F1-C4"},
                                                             {"  6 ", "Schwarz: G8-F6"},
                                                             {"  7 ", "Weiss:   O-O"}};
        std::size_t at = kOpening.size();
        for (const auto& [number, move] : added) {
            const std::size_t end = record.find('\r', at);
            ASSERT_NE(end, std::string::npos) << number;
            const std::string line = record.substr(at, end - at);
            EXPECT_TRUE(line.starts_with(number)) << line;
            EXPECT_TRUE(line.ends_with(move)) << line;
            at = end + 1;
        }
        EXPECT_EQ(at, record.size());
        const std::string screen = s.screen();
        EXPECT_EQ(textBoardRank(screen, 1), "1  T S L D · T K ·  1") << screen;
        EXPECT_EQ(textBoardRank(screen, 6), "6  · · s · · s · ·  6") << screen;
        EXPECT_NE(screen.find("Weiss:   O-O"), std::string::npos) << "record panel";
        EXPECT_NE(screen.find("Zug für schwarz eingeben"), std::string::npos) << screen;
        EXPECT_EQ(screen.find("Wrong player"), std::string::npos);

        const std::string saved = ::testing::TempDir() + "frontend_session_goes_on_saved.zarvik";
        s.host().pushSaveAnswer(saved);
        s.menu("Spiel sichern unter…");
        const auto lines = savedMoveLines(getstringfromfile(saved).value_or(""));
        ASSERT_TRUE(lines.has_value());
        const Replay replayed =
            replayMoveLines(*lines, [](const std::string& refused) { ADD_FAILURE() << refused; });
        EXPECT_EQ(replayed.game->board, expected);
    });
}

// Control codes and escape sequences of a damaged file are shown as "?", an over-long line is cut at
// the panel's edge: the window keeps its header, its board and the record's own lines.
TEST(Session, RecordTextIsShownNotExecuted) {
    inOwnProcess([](Session& s) {
        waitUntilQuiet();
        const std::string crafted =
            "Spielverlauf am 05.12.2026\rWeiss   = Mensch\rSchwarz = Mensch\r\r"
            "  1 10:00:00 Weiss:   E2-E4\x1b[2J\x0c\r" +
            std::string(45, 'X') + "\r  3 10:00:02 Weiss:\x07\x1bZ\x0e\r";
        s.host().pushOpenAnswer({tempFile("crafted.zarvik", crafted)});
        s.menu("Spiel öffnen…");
        EXPECT_TRUE(s.waitForScreen("Zug für schwarz eingeben"));
        const std::string screen = s.screen();
        EXPECT_EQ(screenText(screen, 3, 50, 80), "Spielverlauf am 05.12.2026     ") << screen;
        EXPECT_EQ(screenText(screen, 7, 50, 80), "  1 10:00:00 Weiss:   E2-E4?[2 ");
        EXPECT_EQ(screenText(screen, 8, 50, 80), std::string(30, 'X') + " ");
        EXPECT_EQ(screenText(screen, 9, 50, 80), "  3 10:00:02 Weiss:??Z?        ");
        EXPECT_TRUE(screenText(screen, 1, 1, 6).starts_with("Zarvik")) << screen;
        EXPECT_EQ(textBoardRank(screen, 2), "2  B B B B · B B B  2") << screen;
    });
}

// The time of a move line is the time of day when the move was made.
TEST(Session, MoveLinesCarryTheTimeOfDay) {
    inOwnProcess([](Session& s) {
        s.type("NJN\\r");
        const std::string before = currentdatetimetext().substr(11, 8);
        s.type("E2-E4\\r");
        const std::string after = currentdatetimetext().substr(11, 8);
        const std::string record = gameRecordSnapshot().text;
        const std::size_t line = record.find("  1 ");
        ASSERT_NE(line, std::string::npos) << record;
        const std::string time = record.substr(line + 4, 8);
        EXPECT_LE(before, time);
        EXPECT_LE(time, after);
        EXPECT_EQ(record.substr(line + 12, 15), " Weiss:   E2-E4");
    });
}

// An open at any question of the dialogue ends it at once: the opened game stands, with its players
// and its record, and nothing of the dialogue is added.
TEST(Session, AnOpenEndsTheDialogueAtEveryQuestion) {
    struct Case {
        const char* name;
        const char* keys;
        const char* question;
    };
    for (const Case& c :
         {Case{"standard", "", "Standard-Konfiguration benutzen"}, Case{"white", "N", "Weiss = Mensch"},
          Case{"white strength", "NN", "Spielstärke ist schwer"}, Case{"black", "NJ", "Schwarz = Computer"},
          Case{"black strength", "NJJ", "Spielstärke ist schwer"},
          Case{"black level", "NJJN", "Spielstärke (1-10, leicht, schwer)"}}) {
        SCOPED_TRACE(c.name);
        inOwnProcess([&c](Session& s) {
            s.type(c.keys);
            ASSERT_NE(s.screen().rfind(c.question), std::string::npos) << s.screen();
            s.host().pushOpenAnswer({tempFile("dialogue.zarvik", kOpening)});
            s.menu("Spiel öffnen…");
            EXPECT_TRUE(s.waitForScreen("Zug für weiss eingeben")) << s.screen();
            EXPECT_EQ(gameRecordSnapshot().text, kOpening);
            EXPECT_TRUE(whiteIsHuman().load() && blackIsHuman().load());
            EXPECT_EQ(currentGame()->board, boardAfter({{12, 28}, {52, 36}}));
        });
    }
}

// The questions of the dialogue line up: each text padded to 39 columns, "<" in column 40.
TEST(Session, QuestionsArePaddedTo39Columns) {
    inOwnProcess([](Session& s) {
        s.type("NNN\\rJ");
        const std::string screen = s.screen();
        int questions = 0;
        for (int line = 19; line <= 25; ++line) {
            const std::string text = screenText(screen, line, 1, 49);
            if (text.find("J/N>") == std::string::npos && text.find("(1-10") == std::string::npos) {
                continue;
            }
            ++questions;
            EXPECT_EQ(screenText(screen, line, 40, 40), "<") << text;
            EXPECT_EQ(screenText(screen, line, 39, 39), " ") << text;
        }
        EXPECT_EQ(questions, 6) << screen;
    });
}

// A document that started the program is opened before the dialogue: no question is answered for
// it, the opened game is drawn and goes on.
TEST(Session, StartWithADocumentPending) {
    inOwnProcess(
        [](Session& s) {
            EXPECT_TRUE(s.waitForScreen("Zug für weiss eingeben")) << s.screen();
            EXPECT_EQ(s.screen().find("Standard-Konfiguration"), std::string::npos) << s.screen();
            EXPECT_EQ(gameRecordSnapshot().text, kOpening);
            EXPECT_EQ(textBoardRank(s.screen(), 4), "4  · · · · B · · ·  4");
            EXPECT_FALSE(fileEventPending());
        },
        tempFile("pending.zarvik", kOpening));
}

// A game opened while a question waits; once it has ended, J begins a new one and N keeps it.
TEST(Session, NewGameOrEndAfterAGame) {
    inOwnProcess([](Session& s) {
        waitUntilQuiet();
        s.host().pushOpenAnswer({tempFile("again.zarvik", kMate)});
        s.menu("Spiel öffnen…");
        ASSERT_TRUE(s.waitForScreen("Neues Spiel beginnen")) << s.screen();
        EXPECT_EQ(currentGame()->state(), State::won(Color::black));
        EXPECT_NE(s.screen().find("*** Zarvikmatt ***"), std::string::npos) << "record panel";
        s.type("J");
        EXPECT_TRUE(s.waitForScreen("Standard-Konfiguration benutzen")) << s.screen();
        EXPECT_EQ(textBoardRank(s.screen(), 4), "4  · · · · · · · ·  4") << "a new game";
        EXPECT_EQ(gameRecordSnapshot().text.find("Zarvikmatt"), std::string::npos) << "a new record";
        EXPECT_EQ(gameRecordSnapshot().lineCount, 0);
        s.host().pushOpenAnswer({tempFile("again.zarvik", kMate)});
        s.menu("Spiel öffnen…");
        ASSERT_TRUE(s.waitForScreen("Neues Spiel beginnen"));
        // N keeps the final position, with the way to a new game that the menu still offers.
        s.type("N");
        EXPECT_TRUE(s.waitForScreen("Neues Spiel: Strg+N")) << s.screen();
        EXPECT_EQ(s.screen().find("(Programm Ende)"), std::string::npos);
        s.menu("Neues Spiel", "Spiel");
        EXPECT_TRUE(s.waitForScreen("Standard-Konfiguration benutzen")) << s.screen();
    });
}

// "Brett drehen": both boards from Black's side, clicks on the turned squares, the choice kept.
TEST(Session, TurnedBoardShowsAndTakesClicksFromBlacksSide) {
    inOwnProcess([](Session& s) {
        s.type("NJN\\r");
        s.menu("Brett drehen", "Spiel");
        const std::string screen = s.screen();
        EXPECT_EQ(screenText(screen, 5, 27, 47), "   H G F E D C B A   ") << screen;
        EXPECT_EQ(screenText(screen, 7, 27, 47), "1  T S L K D L S T  1") << screen;
        EXPECT_EQ(screenText(screen, 14, 27, 47), "8  t s l k d l s t  8") << screen;
        EXPECT_EQ(readSetting("brett-gedreht"), "1");
        // E2 is the fourth square from the left in the second row from the top.
        clickAt(48 + 40 * 3 + 20, 161 + 40 * 1 + 20);
        waitUntilQuiet();
        clickAt(48 + 40 * 3 + 20, 161 + 40 * 3 + 20);
        waitUntilQuiet();
        EXPECT_NE(gameRecordSnapshot().text.find("Weiss:   E2-E4"), std::string::npos);
        s.menu("Brett drehen", "Spiel");
        EXPECT_EQ(screenText(s.screen(), 7, 27, 47), "8  t s l d k l s t  8") << s.screen();
        EXPECT_EQ(readSetting("brett-gedreht"), "0");
        EXPECT_NE(s.screen().find("Zug für schwarz eingeben"), std::string::npos) << "the prompt stays";
    });
}

TEST(Session, APersonPlayingBlackAgainstTheComputerSeesTheBoardTurned) {
    inOwnProcess([](Session& s) {
        s.type("NNN\\rN\\r");  // the computer plays White, "leicht"; a person Black
        EXPECT_TRUE(s.waitForScreen("Zug für schwarz eingeben")) << s.screen();
        EXPECT_EQ(screenText(s.screen(), 5, 27, 47), "   H G F E D C B A   ") << s.screen();
        EXPECT_EQ(readSetting("brett-gedreht"), "1");
    });
}

// --- the clocks, on a stand-in time that the test moves

// Read by the clock thread and the program thread while the test moves it.
std::atomic<double> standInTime{0};

void useStandInTime() {
    setClockTimeSource([] { return standInTime.load(); });
}
// Moves the stand-in time on and lets the clocks notice it.
void timePasses(double seconds) {
    standInTime = standInTime + seconds;
    nudgeClocks();
    waitUntilQuiet();
}

TEST(Session, ClocksRunTakeBacksRestoreThemAndAFlagEndsTheGame) {
    inOwnProcess([](Session& s) {
        useStandInTime();
        s.type("NJN5+0\\r");
        EXPECT_EQ(screenText(s.screen(), 17, 1, 49).find(" Weiss 5:00 "), 3u) << s.screen();
        EXPECT_EQ(t_VideoMemory()[t_WindowRecord(0).TextMemoryStart + 2000 + 16 * 80 + 4] & 15, 12)
            << "White's clock runs: shown in inverse";
        timePasses(10);
        EXPECT_NE(s.screen().find(" Weiss 4:50 "), std::string::npos) << s.screen();
        s.type("E2-E4\\r");
        timePasses(20);
        s.type("E7-E5\\r");
        const std::string record = gameRecordSnapshot().text;
        EXPECT_NE(record.find(" {300}\r"), std::string::npos) << record;
        EXPECT_NE(record.find("Weiss:   E2-E4 {4:50}\r"), std::string::npos) << record;
        EXPECT_NE(record.find("Schwarz: E7-E5 {4:40}\r"), std::string::npos) << record;
        EXPECT_EQ(s.screen().find("{4:50}"), std::string::npos) << "the panel shows no readings";

        s.menu("Zug zurücknehmen", "Spiel");
        EXPECT_NE(s.screen().find(" Schwarz 5:00 "), std::string::npos) << s.screen();
        timePasses(301);
        EXPECT_TRUE(s.waitForScreen("Neues Spiel beginnen")) << s.screen();
        EXPECT_TRUE(gameRecordSnapshot().text.ends_with("*** Zeit überschritten ***  \r") ||
                    gameRecordSnapshot().text.find("*** Zeit überschritten ***") != std::string::npos)
            << gameRecordSnapshot().text;
        EXPECT_NE(s.screen().find(" Schwarz 0:00 "), std::string::npos) << s.screen();
        timePasses(50);
        EXPECT_NE(s.screen().find(" Weiss 4:50 "), std::string::npos) << "the clocks stopped";
    });
}

TEST(Session, TheSearchingComputerMovesWhenItsShareOfTheClockIsSpent) {
    inOwnProcess([](Session& s) {
        useStandInTime();
        typeKeys(keysOf("NJJN10\\r1+0\\rE2-E4\\r"));
        ASSERT_TRUE(waitUntilShown("Computerspieler denkt nach", std::chrono::seconds(20))) << s.screen();
        EXPECT_EQ(thinkingBudget(Color::black), 2.0) << "a thirtieth of its minute";
        standInTime = standInTime + 2.5;
        nudgeClocks();
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (gameRecordSnapshot().text.find("Schwarz: ") == std::string::npos &&
               std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_NE(gameRecordSnapshot().text.find("Schwarz: "), std::string::npos)
            << gameRecordSnapshot().text;
    });
}

TEST(Session, ASavedGameKeepsItsClocks) {
    inOwnProcess([](Session& s) {
        useStandInTime();
        s.type("NJN15+10\\r");
        timePasses(30);
        s.type("E2-E4\\r");
        const std::string path = ::testing::TempDir() + "frontend_session_clocks.zarvik";
        s.host().pushSaveAnswer(path);
        s.menu("Spiel sichern unter…");
        s.menu("Neues Spiel", "Spiel");
        s.type("NJN\\r");
        EXPECT_EQ(gameTimeControl(), std::nullopt);
        s.host().pushOpenAnswer({path});
        s.menu("Spiel öffnen…");
        EXPECT_EQ(gameTimeControl(), (TimeControl{900, 10}));
        EXPECT_EQ(clockTimes(), (ClockTimes{880, 900}));
        EXPECT_NE(s.screen().find(" Weiss 14:40 "), std::string::npos) << s.screen();
    });
}

}  // namespace
}  // namespace zarvik::frontend
