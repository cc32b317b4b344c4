#include "frontend/pgnimport.h"

#include "clock/timecontrol.h"
#include "frontend/castling.h"
#include "frontend/gameclock.h"
#include "frontend/human.h"
#include "frontend/state.h"
#include "frontend/strength.h"
#include "rules/drawrules.h"
#include "rules/lastmove.h"
#include "util/paths.h"
#include "util/text.h"

namespace zarvik::frontend {
namespace {

// "2026.12.05" gives "05.12.2026"; none for a date with unknown parts.
std::optional<std::string> recordDate(std::string_view tag) {
    if (tag.size() != 10 || tag[4] != '.' || tag[7] != '.' || !alldigits(tag.substr(0, 4)) ||
        !alldigits(tag.substr(5, 2)) || !alldigits(tag.substr(8, 2))) {
        return std::nullopt;
    }
    return std::string(tag.substr(8, 2)) + "." + std::string(tag.substr(5, 2)) + "." +
           std::string(tag.substr(0, 4));
}

// Makes one legal move the way a person's move is made; false when the game refuses it.
bool makeMove(Game& game, Player& mover, Color color, const PerftMove& move) {
    if (move.castle) {
        return castleIfAllowed(game, mover, color, *move.castle);
    }
    auto* human = dynamic_cast<Human*>(&mover);
    if (human == nullptr) {
        return false;
    }
    setPromotionChoice(move.promotion ? std::string(1, germanLetter(*move.promotion, Color::white)) : "");
    try {
        human->makeMove(BoardLocation(move.from), BoardLocation(move.to), Human::Promotion::neverAsk);
    } catch (MoveError) {
        setPromotionChoice("");
        return false;
    }
    setPromotionChoice("");
    return true;
}

// A player tag as the program writes it: "Zarvik (leicht)" or "Zarvik (Stufe 7)" is the computer at
// that strength (an unknown one plays as "schwer"), every other name a person.
std::optional<int> computerLevel(std::string_view name) {
    constexpr std::string_view kComputer = "Zarvik (";
    if (!name.starts_with(kComputer) || !name.ends_with(")")) {
        return std::nullopt;
    }
    return strengthFromName(name.substr(kComputer.size(), name.size() - kComputer.size() - 1)).value_or(2);
}

std::string moveName(int number, Color mover, std::string_view text) {
    return std::to_string(number) + (mover == Color::white ? ". " : "... ") + std::string(text);
}

// The clock reading of a "[%clk 0:04:59]" command in the move's comments.
std::optional<double> clockComment(const PgnNotes& notes) {
    constexpr std::string_view kCommand = "[%clk ";
    for (const std::string& comment : notes.comments) {
        const std::size_t at = comment.find(kCommand);
        const std::size_t end = at == std::string::npos ? at : comment.find(']', at);
        if (end != std::string::npos) {
            const std::size_t from = at + kCommand.size();
            return secondsFromClockText(std::string_view(comment).substr(from, end - from));
        }
    }
    return std::nullopt;
}

}  // namespace

ImportedGame importPgnGame(const PgnReading& reading, std::string_view dateTime) {
    ImportedGame imported;
    Replay& replay = imported.replay;
    replay.white = std::make_shared<Human>(Color::white);
    replay.black = std::make_shared<Human>(Color::black);
    replay.game = makeGame(replay.white, replay.black, reading.fen);
    Game& game = *replay.game;

    const std::string now(dateTime);
    const std::optional<std::string> date = recordDate(tagValue(reading.tags, "Date"));
    GameRecord& record = imported.record;
    const std::optional<int> white = computerLevel(tagValue(reading.tags, "White"));
    const std::optional<int> black = computerLevel(tagValue(reading.tags, "Black"));
    record.text = recordHeader(date ? *date + now.substr(std::min<std::size_t>(10, now.size())) : now) +
                  (reading.fen.empty() ? "" : startPositionLine(reading.fen)) +
                  configurationLines(!white, white.value_or(2), !black, black.value_or(2));
    record.startFen = reading.fen;
    const std::optional<TimeControl> control = timeControlFromTag(tagValue(reading.tags, "TimeControl"));
    if (control) {
        addTimeControl(record, timeControlTag(*control));
    }
    markRecordStart(record);
    record.imported = std::make_shared<const PgnExport>(exportOf(reading));
    const std::string timeOfDay = now.size() >= 8 ? now.substr(now.size() - 8) : now;

    std::size_t taken = 0;
    for (const PerftMove& move : reading.moves) {
        const std::shared_ptr<Player> mover = game.currentPlayer();
        if (taken == kImportedHalfMovesLimit || game.state() != State::inProgress() || !mover ||
            !mover->color) {
            break;
        }
        const Color color = *mover->color;
        lastMove().reset();
        if (!makeMove(game, *mover, color, move)) {
            break;
        }
        const std::optional<double> clock =
            control && taken < reading.notes.size() ? clockComment(reading.notes[taken]) : std::nullopt;
        ++taken;
        // The players of a file went on after a repetition unless the game ends there drawn.
        const bool last = taken == reading.moves.size();
        const DrawRules rules =
            last && reading.result == PgnResult::draw ? DrawRules::ownOnly : DrawRules::none;
        if (appendHalfMove(record, lastMove(), colorWord(color), timeOfDay, rules,
                           clock ? clockText(*clock) : "")) {
            imported.ended = true;
            break;
        }
    }
    // A game given up or drawn by a rule the replay does not apply ends with its final line.
    const std::string_view termination = tagValue(reading.tags, "Termination");
    for (const DrawEnding& ending : drawEndings()) {
        if (!imported.ended && taken == reading.moves.size() && termination == ending.termination) {
            appendDrawEnding(record, ending);
            imported.ended = true;
        }
    }
    for (const Color color : {Color::white, Color::black}) {
        if (!imported.ended && taken == reading.moves.size() &&
            termination == std::string(colorWord(color)) + " gibt auf") {
            appendResignation(record, color);
            imported.ended = true;
        }
    }
    if (!imported.ended && taken == reading.moves.size() &&
        (termination == "Zeit überschritten" || termination == "time forfeit")) {
        const std::shared_ptr<Player> flagged = game.currentPlayer();
        appendTimeOut(record, flagged && flagged->color && !opponentCanMate(game.board, *flagged->color));
        imported.ended = true;
    }
    imported.halfMoves = taken;
    replay.lineCount = record.lineCount;
    replay.moveList = record.moveList;
    replay.steps = record.steps;
    replay.ended = imported.ended;
    return imported;
}

std::string partlyImportedMessage(const PgnReading& reading, std::size_t halfMovesTaken,
                                  const std::string& path) {
    std::string first;
    if (halfMovesTaken < reading.moves.size()) {
        const int ply = plyBefore(reading.fen) + static_cast<int>(halfMovesTaken);
        const int number = ply / 2 + 1;
        const Color mover = ply % 2 == 0 ? Color::white : Color::black;
        if (halfMovesTaken == kImportedHalfMovesLimit) {
            first =
                "Die Partie ist zu lang: Zug " + moveName(number, mover, "") + "und alle weiteren fehlen.";
        } else {
            std::string move = moveName(number, mover, "");
            move.pop_back();
            first = "Die Partie endet nach den Regeln des Programms vor Zug " + move +
                    "; die weiteren Züge fehlen.";
        }
    } else if (reading.refused) {
        const PgnRefusedMove& refused = *reading.refused;
        const char* why = refused.problem == SanProblem::illegal     ? "nicht erlaubt"
                          : refused.problem == SanProblem::ambiguous ? "nicht eindeutig"
                                                                     : "nicht lesbar";
        first = "Zug " + moveName(refused.number, refused.mover, refused.text) + " ist " + why +
                ". Das Spiel wurde bis vor diesen Zug geöffnet.";
    } else {
        return "";
    }
    return first + "\n" + path;
}

bool hasPgnExtension(std::string_view path) {
    return pathhasextension(path, ".pgn");
}

GamePath splitGameNumber(std::string_view path) {
    const std::size_t hash = path.rfind('#');
    if (hash == std::string_view::npos || !alldigits(path.substr(hash + 1)) || path.size() - hash > 7 ||
        !hasPgnExtension(path.substr(0, hash))) {
        return {std::string(path), std::nullopt};
    }
    return {std::string(path.substr(0, hash)), std::stoi(std::string(path.substr(hash + 1)))};
}

bool isGameFileName(std::string_view path) {
    return hasSavedGameExtension(path) || hasPgnExtension(splitGameNumber(path).path);
}

std::vector<std::string> gameListHeadings() {
    return {"Nr.", "Weiss", "Schwarz", "Turnier", "Datum", "Ergebnis", "Züge"};
}

std::vector<std::vector<std::string>> gameListRows(const std::vector<PgnGameEntry>& games) {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(games.size());
    for (std::size_t i = 0; i < games.size(); ++i) {
        const PgnGameEntry& game = games[i];
        rows.push_back({std::to_string(i + 1), game.white, game.black, game.event, game.date,
                        std::string(resultToken(game.result)), std::to_string((game.halfMoves + 1) / 2)});
    }
    return rows;
}

}  // namespace zarvik::frontend
