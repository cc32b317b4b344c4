#include "frontend/gameclock.h"
#include "frontend/history.h"
#include "frontend/human.h"
#include "frontend/pgnexport.h"
#include "frontend/pgnimport.h"
#include "frontend/record.h"
#include "frontend/savedfile.h"
#include "frontend/savedgame.h"
#include "frontend/state.h"
#include "rules/fen.h"
#include "rules/lastmove.h"
#include "toolkit/app/printer.h"
#include "toolkit/host.h"
#include "toolkit/text/textoutput.h"
#include "util/dialogs.h"
#include "util/log.h"
#include "util/text.h"

namespace zarvik::frontend {
namespace {

// A damaged file can refuse every one of its lines; beyond these the log gets a count only.
constexpr int kRefusalsLogged = 20;

std::shared_ptr<Player> playerFor(Color color, bool human, int difficulty) {
    return human ? makeHuman(color) : makeComputer(color, difficulty);
}

}  // namespace

void takeOpenedGame(GameRecord record, const Replay& replay, const SavedPlayers& players) {
    record.moveList = replay.moveList;
    record.steps = replay.steps;
    record.unsaved = false;
    const std::string text = record.text;
    // The players the record names, on the position the replay reached.
    const std::shared_ptr<Player> white =
        playerFor(Color::white, players.whiteIsHuman, players.whiteDifficulty);
    const std::shared_ptr<Player> black =
        playerFor(Color::black, players.blackIsHuman, players.blackDifficulty);
    std::shared_ptr<Game> game;
    host().runOnMainThread([&] { game = gameAfter(white, black, replay.moveList, record.startFen); });
    *RecordAccess() = std::move(record);
    p_SetPrinter(text);
    whiteIsHuman() = dynamic_cast<Human*>(white.get()) != nullptr;
    blackIsHuman() = dynamic_cast<Human*>(black.get()) != nullptr;
    whiteDifficulty() = players.whiteDifficulty;
    blackDifficulty() = players.blackDifficulty;
    replaceGame(white, black, game);
    takeRecordClocks(text);
    gameRunning() = !replay.ended && game->state() == State::inProgress();
    gameOpened() = true;
}

namespace {

// The game of a collection the path names, or the one the person chooses from its list; none when
// the person cancels or the file has no such game (told).
std::optional<PgnGameEntry> chosenGame(const std::string& path, std::string_view bytes,
                                       std::optional<int> number) {
    const std::vector<PgnGameEntry> games = listPgnGames(bytes);
    if (games.empty()) {
        PgnGameEntry whole;  // read as it is, to be told why it holds no game
        whole.length = bytes.size();
        return whole;
    }
    if (number) {
        if (*number < 1 || static_cast<std::size_t>(*number) > games.size()) {
            logline("chess_Open: No game " + std::to_string(*number) + " in " + path);
            showmessage("Die Datei enthält keine Partie " + std::to_string(*number) + ".\n" + path);
            return std::nullopt;
        }
        return games[static_cast<std::size_t>(*number) - 1];
    }
    if (games.size() == 1) {
        return games.front();
    }
    const std::optional<std::size_t> row =
        choosefromlist("Partie wählen", std::to_string(games.size()) + " Partien in " + path,
                       gameListHeadings(), gameListRows(games));
    if (!row || *row >= games.size()) {
        return std::nullopt;
    }
    return games[*row];
}

// A game of a file of another chess program, recorded as the program records moves.
bool openPgnGame(const std::string& path, std::string_view bytes, std::optional<int> number) {
    const std::optional<PgnGameEntry> game = chosenGame(path, bytes, number);
    if (!game) {
        return false;
    }
    const PgnReading reading = readPgn(bytes.substr(game->offset, game->length));
    if (reading.failure == PgnFailure::setUpPosition) {
        logline("chess_Open: Impossible position " + path);
        showmessage(impossiblePositionMessage(path, "FEN-Tag", reading.problem));
        return false;
    }
    if (reading.failure != PgnFailure::none) {
        logline("chess_Open: No game " + path);
        showmessage(notASavedGameMessage(path));
        return false;
    }
    logline("chess_Open: Success");
    // On the main thread, like the replay of a saved game.
    ImportedGame imported;
    host().runOnMainThread([&] { imported = importPgnGame(reading, currentdatetimetext()); });
    takeOpenedGame(imported.record, imported.replay, savedPlayers(imported.record.text));
    if (const std::string message = partlyImportedMessage(reading, imported.halfMoves, path);
        !message.empty()) {
        logline("chess_Open: " + message.substr(0, message.find('\n')));
        showmessage(message);
    }
    return true;
}

}  // namespace

bool chess_Open(const std::string& document) {
    if (document.empty()) {
        return false;
    }
    const auto [path, number] = splitGameNumber(document);
    const SavedGameFile file = readSavedGameFile(path);
    if (!file.text) {
        logline("chess_Open: " + file.failure.substr(0, file.failure.find('\n')) + " " + path);
        showmessage(file.failure);
        return false;
    }
    if (hasPgnExtension(path)) {
        return openPgnGame(path, *file.text, number);
    }
    return openSavedGameText(path, *file.text);
}

bool openSavedGameText(const std::string& path, std::string text) {
    std::size_t firstLine = 0;
    const std::optional<std::vector<std::string>> lines =
        hasRecordHeader(text) ? savedMoveLines(text, &firstLine) : std::nullopt;
    if (!lines) {
        logline("chess_Open: Not a saved game " + path);
        showmessage(notASavedGameMessage(path));
        return false;
    }
    const std::string startFen(startFenOf(text));
    if (std::string problem; !startFen.empty() && !readFen(startFen, problem)) {
        logline("chess_Open: Impossible position " + path);
        showmessage(impossiblePositionMessage(path, "Kopf der Datei", problem));
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
        [](const std::function<void()>& step) { host().runOnMainThread(step); }, firstLine, startFen);
    if (refusals > kRefusalsLogged) {
        logline("chess_Open: " + std::to_string(refusals - kRefusalsLogged) + " more lines refused");
    }
    if (refusals > 0) {
        t_Bell();
    }
    GameRecord record;
    record.text = text;
    record.lineCount = replay.lineCount;
    record.start = {std::min(firstLine, text.size()), 0, 0, false};
    record.startFen = startFen;
    takeOpenedGame(std::move(record), replay, savedPlayers(text));
    return true;
}

bool saveGameAs() {
    const std::string path =
        selectfiletosave("Spiel.zarvik", "Spiel sichern unter", "Spiel sichern unter", "zarvik,pgn");
    if (path.empty()) {
        return false;
    }
    std::string text;
    std::shared_ptr<const PgnExport> imported;
    {
        RecordAccess record;
        text = record->text;
        imported = record->imported;
    }
    if (const std::optional<std::string> failure =
            writeSavedGameFile(path, savedFileText(path, text, imported.get()))) {
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
