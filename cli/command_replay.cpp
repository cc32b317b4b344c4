// zarvik-cli replay: opens a saved game the way the program does and shows where it stands; exits
// with 1 and the program's message on standard error when the file is no saved game.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/gamefile.h"
#include "frontend/pgnimport.h"
#include "frontend/record.h"
#include "frontend/savedgame.h"
#include "frontend/state.h"
#include "rules/board.h"
#include "toolkit/headless/headlesshost.h"

namespace zarvik::cli {
namespace {

// A game that the record's repetition rule or a draw ending ended is a draw although the rules let it
// go on.
std::string stateText(State state, const std::string& record) {
    switch (state.kind) {
        case State::Kind::inProgress:
            if (const frontend::DrawEnding* ending = frontend::drawEndingIn(record)) {
                return "draw by " + std::string(ending->cause);
            }
            return frontend::endedByRepetition(record) ? "draw by repetition" : "in progress";
        case State::Kind::won:
            return state.color == Color::white ? "white wins" : "black wins";
        case State::Kind::staleMate:
            return "stalemate";
    }
    return "in progress";
}

constexpr const char* kUsage = "FILE [--game N]";

int run(const std::vector<std::string>& args) {
    const GameFileArguments read = readGameFileArguments(args);
    if (!read.error.empty()) {
        std::fprintf(stderr, "replay: %s (usage: replay %s)\n", read.error.c_str(), kUsage);
        return kUsageError;
    }
    if (read.game && !frontend::hasPgnExtension(read.file) && *read.game != 1) {
        std::fprintf(stderr, "replay: a saved game file holds one game\n");
        return 1;
    }
    HeadlessHost headless;
    headless.install();
    // The first game of a collection unless another is named.
    const bool collection = frontend::hasPgnExtension(read.file);
    if (!frontend::chess_Open(collection ? read.file + "#" + std::to_string(read.game.value_or(1))
                                         : read.file)) {
        // The message dialog has already written its one line; an empty path gets none.
        if (read.file.empty()) {
            std::fprintf(stderr, "replay: empty path\n");
        }
        std::fflush(stdout);
        return 1;
    }
    const std::shared_ptr<Game> game = frontend::currentGame();
    std::string board = game->board.boardDescription();
    for (char& c : board) {
        if (c == '\r') {
            c = '\n';
        }
    }
    std::printf(
        "state: %s\n%s",
        stateText(game->state(), frontend::gameRecordSnapshot().text).c_str(),
        board.c_str());
    std::fflush(stdout);
    return 0;
}

const CommandRegistration reg{Command{
    "replay", kUsage, "opens a saved game (or game N of a PGN file) and prints its state and board", &run}};

}  // namespace
}  // namespace zarvik::cli
