#include "frontend/record.h"
#include "frontend/savedfile.h"
#include "frontend/savedgame.h"
#include "frontend/state.h"
#include "rules/lastmove.h"
#include "toolkit/host.h"
#include "toolkit/printer.h"
#include "toolkit/textoutput.h"
#include "util/dialogs.h"
#include "util/log.h"

namespace zarvik::frontend {
namespace {

// A damaged file can refuse every one of its lines; beyond these the log gets a count only.
constexpr int kRefusalsLogged = 20;

}  // namespace

bool chess_Open(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    const SavedGameFile file = readSavedGameFile(path);
    if (!file.text) {
        logline("chess_Open: " + file.failure.substr(0, file.failure.find('\n')) + " " + path);
        showmessage(file.failure);
        return false;
    }
    std::string text = *file.text;
    const std::optional<std::vector<std::string>> lines =
        hasRecordHeader(text) ? savedMoveLines(text) : std::nullopt;
    if (!lines) {
        logline("chess_Open: Not a saved game " + path);
        showmessage(notASavedGameMessage(path));
        return false;
    }
    logline("chess_Open: Success");
    // Moves played on after the open are appended as lines of their own.
    if (!text.ends_with('\r')) {
        text += '\r';
    }

    // The replay runs on the main thread, where the computer's moves are reported as well, so that it
    // never writes the last-move record at the same time as a computer move of the replaced game; in
    // parts, so that the windows keep answering.
    int refusals = 0;
    const Replay replay = replayMoveLines(
        *lines,
        [&refusals](const std::string& message) {
            if (++refusals <= kRefusalsLogged) {
                logline(message);
            }
        },
        [](const std::function<void()>& step) { host().runOnMainThread(step); });
    if (refusals > kRefusalsLogged) {
        logline("chess_Open: " + std::to_string(refusals - kRefusalsLogged) + " more lines refused");
    }
    if (refusals > 0) {
        t_Bell();
    }

    {
        RecordAccess record;
        record->text = text;
        record->lineCount = replay.lineCount;
        record->moveList = replay.moveList;
        record->unsaved = false;
    }
    p_SetPrinter(text);
    whiteIsHuman() = true;
    blackIsHuman() = true;
    whiteDifficulty() = 2;
    blackDifficulty() = 2;
    const bool running = replay.game->state() == State::inProgress();
    replaceGame(replay.white, replay.black, replay.game);
    gameRunning() = running;
    gameOpened() = true;
    return true;
}

bool saveGameAs() {
    const std::string path =
        selectfiletosave("Spiel.zarvik", "Spiel sichern unter", "Spiel sichern unter", "zarvik");
    if (path.empty()) {
        return false;
    }
    std::string text;
    {
        RecordAccess record;
        text = record->text;
    }
    if (const std::optional<std::string> failure = writeSavedGameFile(path, text)) {
        showmessage(*failure);
        return false;
    }
    // Only when no half-move came in while the file was written.
    RecordAccess record;
    if (record->text == text) {
        record->unsaved = false;
    }
    return true;
}

bool hasUnsavedMoves() {
    return RecordAccess()->unsaved;
}

}  // namespace zarvik::frontend
