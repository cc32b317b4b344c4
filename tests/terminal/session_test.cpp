// The game in a real terminal: zarvik-terminal runs in a detached tmux session of 100 x 30 cells,
// driven by keys (and mouse reports) sent to the pane and checked by reading the pane back. Every
// step waits for text on the screen, with a deadline.
#include <sys/types.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

std::string run(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
            out.append(buffer.data(), n);
        }
        ::pclose(pipe);
    }
    return out;
}

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

class TerminalSession : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::system("command -v tmux >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "tmux is not installed (./test.sh installs it)";
        }
        folder_ =
            fs::temp_directory_path() / ("zarvik-term-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        // A server of its own per test: the one of the test before may still be going down.
        socket_ = "zarvik-e2e-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        const std::string shell = "env -u DISPLAY -u WAYLAND_DISPLAY XDG_DATA_HOME=" + folder_.string() +
                                  "/data XDG_CONFIG_HOME=" + folder_.string() +
                                  "/config TERM=xterm-256color " + "PS1='$ ' bash --norc --noprofile";
        tmux("new-session -d -s game -x 100 -y 30 -c " + quoted(folder_.string()) + " " + quoted(shell));
        ASSERT_TRUE(waitFor("$"));
    }
    void TearDown() override {
        if (!socket_.empty()) {
            tmux("kill-server");
        }
        fs::remove_all(folder_);
    }

    std::string tmux(const std::string& arguments) {
        return run("tmux -L " + socket_ + " " + arguments + " 2>&1");
    }
    std::string screen() { return tmux("capture-pane -p -t game"); }
    void keys(const std::string& names) { tmux("send-keys -t game " + names); }
    void text(const std::string& literal) { tmux("send-keys -t game -l " + quoted(literal)); }
    // A click of the left button on a cell (0-based), as xterm reports it in SGR form.
    void click(int column, int row) {
        const std::string at = std::to_string(column + 1) + ";" + std::to_string(row + 1);
        text("\x1b[<0;" + at + "M\x1b[<0;" + at + "m");
    }
    // Then the exit status and whether the terminal echoes and edits lines again.
    void start(const std::string& options = "") {
        std::string command = ZARVIK_TERMINAL;
        command += ' ';
        command += options;
        command += "; echo EXIT=$?; stty -a | tr ' ' '\\n' | grep -x -e echo -e icanon | tr '\\n' ,; echo";
        text(command);
        keys("Enter");
    }
    // Reads the pane (or tmux) again and again until `done` holds, at most `longest`.
    template <typename Done>
    bool waitUntil(Done done, std::chrono::seconds longest = std::chrono::seconds(30)) {
        const auto end = std::chrono::steady_clock::now() + longest;
        while (!done()) {
            if (std::chrono::steady_clock::now() > end) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }
    bool waitFor(const std::string& wanted) {
        return waitUntil([&] { return screen().find(wanted) != std::string::npos; });
    }
    bool waitUntilGone(const std::string& gone) {
        return waitUntil([&] { return screen().find(gone) == std::string::npos; });
    }
    // The program waits for a key: its cursor shows in the line of the prompt.
    bool waitForCursorIn(int row) {
        const std::string wanted = "1 " + std::to_string(row) + "\n";
        return waitUntil(
            [&] { return tmux("display-message -p -t game '#{cursor_flag} #{cursor_y}'") == wanted; });
    }
    // The running game's process: the shell's child.
    pid_t gamePid() {
        const std::string shell = tmux("display-message -p -t game '#{pane_pid}'");
        return pid_t(std::atol(run("pgrep -P " + std::to_string(std::atol(shell.c_str()))).c_str()));
    }
    // Starts the game, takes the standard set-up and plays 1. e2-e4.
    void openingMove() {
        start();
        ASSERT_TRUE(waitFor("<J/N>")) << screen();
        text("J");
        ASSERT_TRUE(waitFor("Uhr (")) << screen();
        keys("Enter");  // no clock
        ASSERT_TRUE(waitFor("Zug für weiss")) << screen();
        text("e2-e4");
        keys("Enter");
        ASSERT_TRUE(waitFor("Schwarz: ")) << screen();
        ASSERT_TRUE(waitForCursorIn(kPromptRow)) << screen();
    }

    static constexpr int kPromptRow = 18;

    fs::path folder_;
    std::string socket_;
};

// A game by keys and by mouse, the menus on F10, the quit question, and the terminal given back.
TEST_F(TerminalSession, PlaysByKeysAndMouseAndEndsWithTheQuitQuestion) {
    openingMove();
    // D2 to D4 by two clicks on the text board: files from column 29, every second cell; rank 8 in row 6.
    click(29 + 2 * 3, 6 + (8 - 2));
    click(29 + 2 * 3, 6 + (8 - 4));
    ASSERT_TRUE(waitFor("Weiss:   D2-D4")) << screen();

    keys("F10");
    ASSERT_TRUE(waitFor("Spiel öffnen")) << screen();
    keys("Right");
    ASSERT_TRUE(waitFor("Zug zurücknehmen")) << screen();
    keys("Escape");
    ASSERT_TRUE(waitUntilGone("Zug zurücknehmen")) << screen();
    // "Text kopieren" reaches the terminal's clipboard (tmux takes it when allowed).
    tmux("set-option -g set-clipboard on");
    keys("F10 Right Right Enter");
    EXPECT_TRUE(
        waitUntil([&] { return tmux("show-buffer").find("Schach in der Konsole") != std::string::npos; }));

    keys("C-q");
    ASSERT_TRUE(waitFor("Vor dem Beenden sichern?")) << screen();
    text("A");  // Abbrechen: back to the game
    ASSERT_TRUE(waitUntilGone("Vor dem Beenden sichern?")) << screen();
    keys("C-q");
    ASSERT_TRUE(waitFor("Vor dem Beenden sichern?")) << screen();
    text("N");  // Nicht sichern
    ASSERT_TRUE(waitFor("EXIT=0")) << screen();
    ASSERT_TRUE(waitFor("icanon,echo,")) << screen();
    EXPECT_EQ(screen().find("A B C D E F G H"), std::string::npos) << "the game's screen stays behind";
}

// Saving proposes a file in the current folder on the bottom line; opening completes its name with Tab.
TEST_F(TerminalSession, SavesAndOpensThroughThePathPrompt) {
    openingMove();
    keys("F10 Down Enter");  // Ablage, Spiel sichern unter…
    // A long path shows its end.
    const std::string here = folder_.filename().string() + "/";
    ASSERT_TRUE(waitFor("Sichern unter:")) << screen();
    ASSERT_TRUE(waitFor(here + "Spiel.zarvik")) << screen();
    keys("Enter");
    ASSERT_TRUE(waitUntilGone("Sichern unter:")) << screen();
    text("d2-d4");
    keys("Enter");
    ASSERT_TRUE(waitFor("Weiss:   D2-D4")) << screen();

    keys("C-o");
    ASSERT_TRUE(waitFor("Spiel öffnen: ")) << screen();
    text("Sp");
    keys("Tab");
    ASSERT_TRUE(waitFor(here + "Spiel.zarvik")) << screen();
    keys("Enter");
    // The saved game is back: its first move stands, the move after saving is gone.
    ASSERT_TRUE(waitUntilGone("D2-D4")) << screen();
    EXPECT_NE(screen().find("Weiss:   E2-E4"), std::string::npos) << screen();
}

TEST_F(TerminalSession, AsksForALargerWindowAndRedrawsWhenResized) {
    start();
    ASSERT_TRUE(waitFor("<J/N>")) << screen();
    tmux("resize-window -t game -x 70 -y 20");
    ASSERT_TRUE(waitFor("mindestens 80 × 25")) << screen();
    tmux("resize-window -t game -x 100 -y 30");
    ASSERT_TRUE(waitFor("A B C D E F G H")) << screen();
    EXPECT_NE(screen().find("<J/N>"), std::string::npos);
}

// The connection drops in the middle of a game: the terminal is given back and the game is kept.
TEST_F(TerminalSession, HangupKeepsTheGame) {
    openingMove();
    const pid_t game = gamePid();
    ASSERT_GT(game, 0);
    ::kill(game, SIGHUP);
    ASSERT_TRUE(waitFor("EXIT=129")) << screen();
    ASSERT_TRUE(waitFor("icanon,echo,")) << screen();
    start();
    EXPECT_TRUE(waitFor("Letztes Spiel fortsetzen")) << screen();
}

// The line mode reads back as plain lines in order; "Brett" prints the board.
TEST_F(TerminalSession, LineModeWritesLinesInOrder) {
    start("--zeilen");
    ASSERT_TRUE(waitFor("<J/N>")) << screen();
    text("J");
    keys("Enter");
    ASSERT_TRUE(waitFor("Uhr (")) << screen();
    keys("Enter");  // no clock
    ASSERT_TRUE(waitFor("Zug für weiss")) << screen();
    text("e2-e4");
    keys("Enter");
    ASSERT_TRUE(waitFor("Schwarz: ")) << screen();
    text("Brett");
    keys("Enter");
    ASSERT_TRUE(waitFor("1  T S L D K L S T  1")) << screen();
    const std::string shown = screen();
    const std::size_t question = shown.find("Standard-Konfiguration benutzen");
    const std::size_t move = shown.find("Weiss:   E2-E4");
    const std::size_t board = shown.find("4  · · · · B · · ·  4");
    EXPECT_LT(question, move) << shown;
    EXPECT_LT(move, board) << shown;
    EXPECT_NE(board, std::string::npos) << shown;
    keys("C-c");
    EXPECT_TRUE(waitFor("EXIT=130")) << screen();
}

}  // namespace
