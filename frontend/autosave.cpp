#include "frontend/autosave.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <mutex>

#include "frontend/record.h"
#include "frontend/savedfile.h"
#include "frontend/savedgame.h"
#include "rules/lastmove.h"
#include "util/log.h"

namespace zarvik::frontend {
namespace {

// One writer at a time: the program thread after a half-move, a menu thread after saving.
std::mutex& autosaveMutex() {
    static std::mutex mutex;
    return mutex;
}

void removeFile(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

// Renames the file beside itself with the time, so that nothing is lost and it is not offered again.
void setAside(const std::string& path, const std::string& why) {
    const std::string aside = path + ".beschaedigt-" + std::to_string(std::time(nullptr));
    std::error_code error;
    std::filesystem::rename(path, aside, error);
    logline("zarvik: the last game could not be resumed (" + why + "); its file was kept as " +
            (error ? path : aside));
}

}  // namespace

std::string autosavePath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string folder;
    if (data != nullptr && data[0] == '/') {
        folder = data;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        folder = std::string(home) + "/.local/share";
    } else {
        return {};
    }
    return folder + "/zarvik/letztes-spiel.zarvik";
}

void updateAutosave() {
    const std::string path = autosavePath();
    if (path.empty()) {
        return;
    }
    const std::lock_guard lock(autosaveMutex());
    std::string text;
    {
        RecordAccess record;
        if (gameRunning().load() && record->unsaved && !record->steps.empty()) {
            text = record->text;
        }
    }
    if (text.empty()) {
        removeFile(path);
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (const std::optional<std::string> failure = writeSavedGameFile(path, text)) {
        logline("zarvik: autosave failed: " + failure->substr(failure->rfind('\n') + 1));
    }
}

void removeAutosave() {
    const std::string path = autosavePath();
    if (!path.empty()) {
        const std::lock_guard lock(autosaveMutex());
        removeFile(path);
    }
}

std::optional<std::string> resumableAutosave() {
    const std::string path = autosavePath();
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(path, error)) {
        return std::nullopt;
    }
    const std::lock_guard lock(autosaveMutex());
    const SavedGameFile file = readSavedGameFile(path);
    if (!file.text) {
        setAside(path, file.failure.substr(file.failure.rfind('\n') + 1));
        return std::nullopt;
    }
    const std::optional<std::vector<std::string>> lines =
        hasRecordHeader(*file.text) ? savedMoveLines(*file.text) : std::nullopt;
    if (!lines) {
        setAside(path, "not a saved game");
        return std::nullopt;
    }
    int refused = 0;
    const Replay replay = replayMoveLines(*lines, [&refused](const std::string&) { ++refused; });
    lastMove().reset();
    if (refused > 0) {
        setAside(path, std::to_string(refused) + " lines refused");
        return std::nullopt;
    }
    if (replay.ended || replay.steps.empty()) {
        removeFile(path);
        return std::nullopt;
    }
    return file.text;
}

}  // namespace zarvik::frontend
