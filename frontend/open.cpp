#include "frontend/record.h"
#include "frontend/savedgame.h"
#include "frontend/state.h"
#include "rules/lastmove.h"
#include "toolkit/host.h"
#include "toolkit/printer.h"
#include "toolkit/textoutput.h"
#include "util/files.h"
#include "util/log.h"

namespace zarvik::frontend {

void chess_Open(const std::string& path) {
    if (path.empty()) {
        return;
    }
    const std::string text = getstringfromfile(path).value_or("");
    if (!hasRecordHeader(text)) {
        return;
    }
    RecordAccess()->text = text;
    const std::optional<std::vector<std::string>> lines = savedMoveLines(text);
    if (!lines) {
        return;
    }
    logline("chess_Open: Success");
    p_SetPrinter(text);

    // The replay runs on the main thread, where the computer's moves are reported as well, so that it
    // never writes the last-move record at the same time as a computer move of the replaced game.
    Replay replay;
    host().runOnMainThread([&] {
        replay = replayMoveLines(*lines, [](const std::string& message) {
            logline(message);
            t_Bell();
        });
    });

    whiteIsHuman() = true;
    blackIsHuman() = true;
    whiteDifficulty() = 2;
    blackDifficulty() = 2;
    {
        RecordAccess record;
        record->lineCount = replay.lineCount;
        record->moveList = replay.moveList;
    }
    const bool running = replay.game->state() == State::inProgress();
    replaceGame(replay.white, replay.black, replay.game);
    gameRunning() = running;
    gameOpened() = true;
    t_Vtab(0, 19);
    t_Htab(0, 1);
}

}  // namespace zarvik::frontend
