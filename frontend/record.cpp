#include "frontend/record.h"

#include <algorithm>
#include <array>

#include "frontend/state.h"
#include "frontend/strength.h"
#include "notation/pgnread.h"
#include "rules/fen.h"
#include "util/log.h"
#include "util/text.h"

namespace zarvik::frontend {
namespace {

constexpr char kLineEnd = '\r';
constexpr int kColorWordWidth = 9;
constexpr int kFinalLineWidth = 28;
constexpr std::size_t kPanelLines = 23;
constexpr int kPanelWidth = 30;

std::mutex& recordMutex() {
    static std::mutex mutex;
    return mutex;
}

GameRecord& theRecord() {
    static GameRecord record;
    return record;
}

RecordStep stateOf(const GameRecord& record, bool ended) {
    return {record.text.size(), record.lineCount, record.moveList.size(), ended};
}

// Appends a centred final line.
void appendFinalLine(GameRecord& record, std::string_view final) {
    record.text += centeredstring(final, kFinalLineWidth);
    record.text += kLineEnd;
    record.lineCount += 1;
}

void addStep(GameRecord& record, bool ended) {
    record.steps.push_back(stateOf(record, ended));
    record.unsaved = true;
    record.redoText.clear();
    record.redoSteps.clear();
    record.redoMoves.clear();
}

std::string playerLine(std::string_view label, bool isHuman, int difficulty) {
    std::string line(label);
    line += isHuman ? "Mensch" : "Computer (" + strengthName(difficulty) + ")";
    line += kLineEnd;
    return line;
}

}  // namespace

std::string moveText(const LastMove& move) {
    if (move.kingSideCastle) {
        return "O-O";
    }
    if (move.queenSideCastle) {
        return "O-O-O";
    }
    const std::string from = squareName(move.fromLocation);
    const std::string to = squareName(move.toLocation);
    if (from.empty() || to.empty()) {
        return {};
    }
    std::string text = from + (squareName(move.removedLocation).empty() ? "-" : "X") + to;
    if (!move.transformedPiece.empty()) {
        text += "/" + move.transformedPiece;
    }
    if (move.checkmate) {
        text += "#";
    } else if (move.check) {
        text += "+";
    }
    if (move.bookMove) {
        text += "*";
    }
    return text;
}

std::string_view colorWord(Color color) {
    return color == Color::white ? "Weiss" : "Schwarz";
}

std::string moveLinePrefix(int lineNumber, std::string_view timeOfDay, std::string_view colorWord) {
    std::string word = std::string(colorWord) + ": ";
    if (word.size() < kColorWordWidth) {
        word += spacestring(kColorWordWidth - static_cast<int>(word.size()));
    }
    return numbertext(lineNumber, ' ', 3, true) + " " + std::string(timeOfDay) + " " + word;
}

std::string recordHeader(std::string_view dateTime) {
    return "Spielverlauf am " + std::string(dateTime.substr(0, 10)) + kLineEnd;
}

namespace {
constexpr std::string_view kStartPositionPrefix = "Stellung: ";
}  // namespace

std::string startPositionLine(std::string_view fen) {
    return std::string(kStartPositionPrefix) + std::string(fen) + kLineEnd;
}

std::string_view startFenOf(std::string_view recordText) {
    const std::size_t headerEnd = recordText.find(kLineEnd);
    if (headerEnd == std::string_view::npos) {
        return {};
    }
    const std::string_view line = recordText.substr(headerEnd + 1);
    if (!line.starts_with(kStartPositionPrefix)) {
        return {};
    }
    return line.substr(kStartPositionPrefix.size(), line.find(kLineEnd) - kStartPositionPrefix.size());
}

int whitePlayerLine(std::string_view recordText) {
    const std::size_t headerEnd = recordText.find(kLineEnd);
    return headerEnd != std::string_view::npos &&
                   recordText.substr(headerEnd + 1).starts_with(kStartPositionPrefix)
               ? 2
               : 1;
}

Color sideToMove(const GameRecord& record) {
    const bool blackFirst = plyBefore(record.startFen) % 2 == 1;
    return (record.moveList.size() % 2 == 1) != blackFirst ? Color::black : Color::white;
}

std::string configurationLines(bool whiteIsHuman, int whiteDifficulty, bool blackIsHuman,
                               int blackDifficulty) {
    return playerLine("Weiss   = ", whiteIsHuman, whiteDifficulty) +
           playerLine("Schwarz = ", blackIsHuman, blackDifficulty) + kLineEnd;
}

std::optional<std::string> finalText(const LastMove& move) {
    if (move.checkmate) {
        return "*** Zarvikmatt ***";
    }
    if (move.stalemate) {
        return "*** Patt ***";
    }
    if (move.remis) {
        return "*** Remis ***";
    }
    return std::nullopt;
}

std::span<const DrawEnding> drawEndings() {
    static constexpr std::array<DrawEnding, 4> endings{{
        {DrawRule::insufficientMaterial, "*** Remis (Material) ***", "Remis: ungenügendes Material",
         "insufficient material"},
        {DrawRule::fiftyMoves, "*** Remis (50 Züge) ***", "Remis: 50-Züge-Regel", "the fifty-move rule"},
        {DrawRule::repeatedPosition, "*** Remis (Stellung 3x) ***", "Remis: dreifache Stellungswiederholung",
         "repetition"},
        {std::nullopt, "*** Remis (vereinbart) ***", "Remis vereinbart", "agreement"},
    }};
    return endings;
}

const DrawEnding* drawEndingIn(std::string_view recordText) {
    for (const DrawEnding& ending : drawEndings()) {
        if (recordText.find(ending.finalText) != std::string_view::npos) {
            return &ending;
        }
    }
    return nullptr;
}

const DrawEnding& drawEndingOf(std::optional<DrawRule> rule) {
    const std::span<const DrawEnding> endings = drawEndings();
    return *std::find_if(endings.begin(), endings.end(), [&](const DrawEnding& e) { return e.rule == rule; });
}

bool appendHalfMove(GameRecord& record, LastMove& move, std::string_view colorWord,
                    std::string_view timeOfDay, DrawRules rules, std::string_view clock) {
    record.lineCount += 1;
    record.text += moveLinePrefix(record.lineCount, timeOfDay, colorWord);
    const std::string text = moveText(move);
    if (!text.empty()) {
        record.moveList.push_back(PlayedMove::of(move));
        record.text += text;
        record.text += clock.empty() ? "" : " {" + std::string(clock) + "}";
        record.text += kLineEnd;
    }
    const Repetition repetition = rules == DrawRules::none ? Repetition{} : findRepetition(record.moveList);
    if (repetition.twoMoves) {
        logline("*** Repeated last two moves for three times");
    }
    if (repetition.threeMoves) {
        logline("*** Repeated last three moves for three times");
    }
    if (repetition.fourMoves) {
        logline("*** Repeated last four moves for three times");
    }
    if (repetition.any()) {
        move.remis = true;
    }
    std::optional<std::string> final = finalText(move);
    if (!final && rules == DrawRules::all) {
        std::string error;
        const std::optional<FenPosition> start =
            record.startFen.empty() ? std::nullopt : readFen(record.startFen, error);
        const std::optional<DrawRule> rule =
            start ? findDrawRule(record.moveList, start->board.cells(), start->toMove)
                  : findDrawRule(record.moveList);
        if (rule) {
            move.remis = true;
            final = std::string(drawEndingOf(rule).finalText);
            logline("*** Draw by " + std::string(drawEndingOf(rule).cause));
        }
    }
    if (final) {
        appendFinalLine(record, *final);
    }
    addStep(record, final.has_value());
    return final.has_value();
}

bool endedByRepetition(std::string_view recordText) {
    return recordText.find("*** Remis ***") != std::string_view::npos;
}

void appendDrawEnding(GameRecord& record, const DrawEnding& ending) {
    logline("*** Draw by " + std::string(ending.cause));
    appendFinalLine(record, ending.finalText);
    addStep(record, true);
}

void appendTimeOut(GameRecord& record, bool drawn) {
    appendFinalLine(record, drawn ? std::string(kTimeOutDrawLine) : std::string(kTimeOutLine));
    addStep(record, true);
}

void addTimeControl(GameRecord& record, std::string_view control) {
    const std::size_t end = record.text.find(kLineEnd);
    if (end != std::string::npos) {
        record.text.insert(end, " {" + std::string(control) + "}");
    }
}

std::string_view withoutClock(std::string_view line) {
    const std::size_t open = line.rfind(" {");
    return open != std::string_view::npos && line.ends_with('}') ? line.substr(0, open) : line;
}

void appendResignation(GameRecord& record, Color color) {
    appendFinalLine(record, "*** " + std::string(colorWord(color)) + " gibt auf ***");
    addStep(record, true);
}

void markRecordStart(GameRecord& record) {
    record.start = stateOf(record, false);
    record.steps.clear();
}

bool takeBackStep(GameRecord& record) {
    if (record.steps.empty()) {
        return false;
    }
    if (record.redoSteps.empty()) {
        record.redoText = record.text;
    }
    record.redoSteps.push_back(record.steps.back());
    record.steps.pop_back();
    const RecordStep& before = record.steps.empty() ? record.start : record.steps.back();
    const std::size_t moves = std::min(before.moves, record.moveList.size());
    record.redoMoves.insert(
        record.redoMoves.end(), record.moveList.rbegin(),
        record.moveList.rbegin() + static_cast<std::ptrdiff_t>(record.moveList.size() - moves));
    record.moveList.resize(moves);
    record.text.resize(std::min(before.textEnd, record.text.size()));
    record.lineCount = before.lineCount;
    record.unsaved = true;
    return true;
}

std::optional<RedoneStep> redoStep(GameRecord& record) {
    if (record.redoSteps.empty()) {
        return std::nullopt;
    }
    const RecordStep step = record.redoSteps.back();
    record.redoSteps.pop_back();
    RedoneStep redone{std::nullopt, step.ended};
    if (step.moves > record.moveList.size() && !record.redoMoves.empty()) {
        redone.move = record.redoMoves.back();
        record.redoMoves.pop_back();
        record.moveList.push_back(*redone.move);
    }
    record.text = record.redoText.substr(0, std::min(step.textEnd, record.redoText.size()));
    record.lineCount = step.lineCount;
    record.steps.push_back(step);
    record.unsaved = true;
    return redone;
}

std::vector<std::string> panelLines(const GameRecord& record) {
    const std::string& text = record.text;
    std::size_t start = 0;
    const int n = record.lineCount;
    if (n + 4 >= 24) {
        for (int skipped = 0; skipped < n - 19; ++skipped) {
            const std::size_t end = text.find(kLineEnd, start);
            if (end == std::string::npos) {
                start = 0;
                break;
            }
            start = end + 1;
        }
    }
    std::vector<std::string> lines;
    while (lines.size() < kPanelLines) {
        const std::size_t end = text.find(kLineEnd, start);
        if (end == std::string::npos) {
            break;
        }
        lines.emplace_back(withoutClock(std::string_view(text).substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

std::string panelText(std::string_view line) {
    std::string shown;
    int characters = 0;
    for (std::size_t i = 0; i < line.size() && characters < kPanelWidth; ++characters) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c < 32 || c == 127) {
            shown += '?';
            ++i;
            continue;
        }
        // A character is its lead byte and the continuation bytes after it.
        std::size_t end = i + 1;
        while (end < line.size() && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) {
            ++end;
        }
        shown.append(line.substr(i, end - i));
        i = end;
    }
    return shown;
}

RecordAccess::RecordAccess() : lock_(recordMutex()), record_(theRecord()) {}

GameRecord gameRecordSnapshot() {
    return *RecordAccess();
}

void beginRecord() {
    RecordAccess record;
    *record = GameRecord{};
    record->text = recordHeader(currentdatetimetext());
    markRecordStart(*record);
}

void recordHalfMove(std::string_view colorWord, std::string_view clock) {
    const std::string time = currentdatetimetext();
    const std::string_view timeOfDay = std::string_view(time).substr(time.size() >= 8 ? time.size() - 8 : 0);
    RecordAccess record;
    if (appendHalfMove(*record, lastMove(), colorWord, timeOfDay, DrawRules::all, clock)) {
        gameRunning().store(false);
    }
}

void appendConfigurationLines() {
    const std::string lines = configurationLines(whiteIsHuman().load(), whiteDifficulty().load(),
                                                 blackIsHuman().load(), blackDifficulty().load());
    RecordAccess record;
    record->text += lines;
    markRecordStart(*record);
}

}  // namespace zarvik::frontend
