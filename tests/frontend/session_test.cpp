// The running program with its menu handler and file events on the headless host: saving and
// opening through the "Ablage" menu, and saved games arriving while a question waits or while the
// computer thinks. Each scenario runs in a process of its own, since the program runs once per
// process.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include "frontend/chessmain.h"
#include "frontend/driver.h"
#include "frontend/fileevents.h"
#include "frontend/record.h"
#include "frontend/state.h"
#include "rules/board.h"
#include "toolkit/events.h"
#include "toolkit/headless/headlesshost.h"
#include "toolkit/startup.h"
#include "toolkit/textoutput.h"
#include "util/files.h"

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

class Session {
  public:
    Session() {
        host_.install();
        startprocess(&chessMain, t_ProgramStackSize);
    }
    void type(std::string_view keys) {
        typeKeys(keysOf(keys));
        waitUntilQuiet();
    }
    void menu(const std::string& item) {
        t_MenuEvent event;
        event.Kind = 3;
        event.MenuTitle = "Ablage";
        event.ItemTitle = item;
        t_PostMenuEvent(event);
        t_StartMenuHandlerThread();
        waitUntilQuiet(std::chrono::milliseconds(500));
    }
    std::string screen() const { return t_GetScreen(0, "\n"); }
    HeadlessHost& host() { return host_; }

  private:
    HeadlessHost host_;
};

std::string tempFile(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + "frontend_session_" + name;
    EXPECT_EQ(setstringtofile(path, text), 0);
    return path;
}

// Runs the scenario in a child process; the child's failures show in its output and its exit code.
void inOwnProcess(const std::function<void(Session&)>& scenario) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            static Session session;
            scenario(session);
            std::fflush(stdout);
            std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(Session, SaveBeforeAnyMoveKeepsHeaderAndPlayersOnly) {
    inOwnProcess([](Session& s) {
        s.type("\\r");
        const std::string path = ::testing::TempDir() + "frontend_session_empty.zarvik";
        s.host().pushSaveAnswer(path);
        s.menu("Spiel sichern unter…");
        const std::string saved = getstringfromfile(path).value_or("");
        EXPECT_TRUE(saved.starts_with("Spielverlauf am ")) << saved;
        const std::string black = computerAvailable() ? "Computer (schwer)" : "Mensch";
        EXPECT_TRUE(saved.ends_with("Weiss   = Mensch\rSchwarz = " + black + "\r\r")) << saved;
        ASSERT_FALSE(s.host().saveRequests().empty());
        EXPECT_EQ(s.host().saveRequests().back().proposedName, "Spiel.zarvik");
    });
}

TEST(Session, SaveAndReopenAtAMovePrompt) {
    inOwnProcess([](Session& s) {
        s.type("NJNE2-E4\\rE7-E5\\r");
        const std::string path = ::testing::TempDir() + "frontend_session_saved.zarvik";
        s.host().pushSaveAnswer(path);
        s.menu("Spiel sichern unter…");
        const std::string saved = getstringfromfile(path).value_or("");
        EXPECT_EQ(saved, gameRecordSnapshot().text);
        s.type("G1-F3\\r");
        s.host().pushOpenAnswer({path});
        s.menu("Spiel öffnen…");
        // The posted carriage return is an empty move: the program asks whether to give up.
        EXPECT_NE(s.screen().find("Wollen Sie aufgeben"), std::string::npos) << s.screen();
        s.type("J");
        EXPECT_NE(s.screen().find("Neues Spiel beginnen"), std::string::npos) << s.screen();
        EXPECT_EQ(currentGame()->board, boardAfter({{12, 28}, {52, 36}}));
        EXPECT_EQ(gameRecordSnapshot().text, saved);
    });
}

TEST(Session, OpenWhileAQuestionWaits) {
    inOwnProcess([](Session& s) {
        waitUntilQuiet();
        s.host().pushOpenAnswer({tempFile("mate.zarvik", kMate)});
        s.menu("Spiel öffnen…");
        EXPECT_NE(s.screen().find("Neues Spiel beginnen"), std::string::npos) << s.screen();
        EXPECT_EQ(currentGame()->state(), State::won(Color::black));
        EXPECT_NE(s.screen().find("*** Zarvikmatt ***"), std::string::npos) << "record panel";
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
        waitUntilQuiet(std::chrono::milliseconds(500));
        EXPECT_NE(s.screen().find("Neues Spiel beginnen"), std::string::npos) << s.screen();
        EXPECT_EQ(currentGame()->board, boardAfter({{12, 28}, {52, 36}}));
        EXPECT_FALSE(fileEventPending());
    });
}

TEST(Session, OpenWhileTheComputerThinks) {
    if (!computerAvailable()) {
        GTEST_SKIP() << "built without the computer player";
    }
    inOwnProcess([](Session& s) {
        typeKeys(keysOf("NNNJN"));  // two easy computers, which never leave the program quiet
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        s.host().pushOpenAnswer({tempFile("opening.zarvik", kOpening)});
        s.menu("Spiel öffnen…");
        EXPECT_TRUE(whiteIsHuman().load() && blackIsHuman().load());
        EXPECT_EQ(currentGame()->board, boardAfter({{12, 28}, {52, 36}}));
        EXPECT_NE(s.screen().find("Wollen Sie aufgeben"), std::string::npos) << s.screen();
        // Play goes on with the opened game and two humans.
        s.type("N");
        s.type("G1-F3\\r");
        EXPECT_EQ(currentGame()->board, boardAfter({{12, 28}, {52, 36}, {6, 21}}));
    });
}

TEST(Session, CancelledDialogsChangeNothing) {
    inOwnProcess([](Session& s) {
        s.type("\\r");
        const std::string before = gameRecordSnapshot().text;
        s.menu("Spiel öffnen…");
        s.menu("Spiel sichern unter…");
        s.menu("Unbekannt");
        EXPECT_EQ(gameRecordSnapshot().text, before);
        EXPECT_NE(s.screen().find("Zug für weiss eingeben"), std::string::npos) << s.screen();
    });
}

}  // namespace
}  // namespace zarvik::frontend
