#include "frontend/savedgame.h"

#include <algorithm>

#include "frontend/castling.h"
#include "frontend/state.h"
#include "frontend/strength.h"
#include "rules/lastmove.h"

namespace zarvik::frontend {
namespace {

constexpr char kLineEnd = '\r';

bool startsWith(std::string_view text, std::size_t at, std::string_view prefix) {
    return at <= text.size() && text.substr(at).starts_with(prefix);
}

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kSpace = " \t\n\r\v\f";
    const std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

std::optional<int> coordinate(std::string_view move, std::size_t at, char first) {
    if (at >= move.size() || move[at] < first || move[at] > first + 7) {
        return std::nullopt;
    }
    return move[at] - first;
}

// The promotion letter a move line carries after its first "/", or none.
std::optional<std::string> storedPromotion(std::string_view move) {
    const std::size_t slash = move.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(move.substr(slash + 1, slash + 1 < move.size() ? 1 : 0));
}

}  // namespace

bool hasRecordHeader(std::string_view text) {
    return text.starts_with("Spielverlauf am") || text.starts_with("Game progress on");
}

std::optional<std::vector<std::string>> savedMoveLines(std::string_view text, std::size_t* firstLine) {
    std::size_t p1 = text.find(kLineEnd);
    if (whitePlayerLine(text) == 2) {
        p1 = text.find(kLineEnd, p1 + 1);  // past the start position line
    }
    if (p1 == std::string_view::npos ||
        !(startsWith(text, p1 + 1, "Weiss") || startsWith(text, p1 + 1, "White"))) {
        return std::nullopt;
    }
    const std::size_t p2 = text.find(kLineEnd, p1 + 1);
    if (p2 == std::string_view::npos ||
        !(startsWith(text, p2 + 1, "Schwarz") || startsWith(text, p2 + 1, "Black"))) {
        return std::nullopt;
    }
    const std::size_t p3 = text.find(kLineEnd, p2 + 1);
    if (p3 == std::string_view::npos) {
        return std::nullopt;
    }
    // The line after the empty line.
    std::size_t start = p3 + 2;
    if (firstLine != nullptr) {
        *firstLine = std::min(start, text.size());
    }
    std::vector<std::string> lines;
    if (start > text.size()) {
        return lines;
    }
    for (std::size_t end = text.find(kLineEnd, start); start <= text.size() && end != std::string_view::npos;
         end = text.find(kLineEnd, start)) {
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string savedMove(std::string_view clocked) {
    const std::string_view line = withoutClock(clocked);
    const std::size_t colon = line.find(": ");
    const std::string_view move = trimmed(colon == std::string_view::npos ? line : line.substr(colon + 2));
    if (move.find("O-O-O") != std::string_view::npos) {
        return "O-O-O";
    }
    if (move.find("O-O") != std::string_view::npos) {
        return "O-O";
    }
    return std::string(move);
}

SavedPlayers savedPlayers(std::string_view text) {
    SavedPlayers players;
    const auto line = [text](std::size_t number) {
        std::size_t begin = 0;
        for (std::size_t i = 0; i < number && begin != std::string_view::npos; ++i) {
            begin = text.find(kLineEnd, begin);
            begin = begin == std::string_view::npos ? begin : begin + 1;
        }
        return begin == std::string_view::npos ? std::string_view()
                                               : text.substr(begin, text.find(kLineEnd, begin) - begin);
    };
    const auto read = [](std::string_view playerLine, bool& human, int& difficulty) {
        if (playerLine.find("= Computer") == std::string_view::npos) {
            return;
        }
        human = false;
        // An unknown strength plays on as the hard computer.
        const std::size_t open = playerLine.find('(');
        const std::size_t close = playerLine.find(')', open);
        const std::optional<int> named =
            open == std::string_view::npos || close == std::string_view::npos
                ? std::nullopt
                : strengthFromName(playerLine.substr(open + 1, close - open - 1));
        difficulty = named.value_or(2);
    };
    const auto white = static_cast<std::size_t>(whitePlayerLine(text));
    read(line(white), players.whiteIsHuman, players.whiteDifficulty);
    read(line(white + 1), players.blackIsHuman, players.blackDifficulty);
    return players;
}

namespace {

// A line that ends a game: "*** Zarvikmatt ***", "*** Weiss gibt auf ***", ...
bool isFinalLine(std::string_view line) {
    return trimmed(line).starts_with("***");
}

// Counts a replayed half-move: its line, its move and a step that ends after the line.
void countHalfMove(Replay& replay, std::size_t lineEnd) {
    replay.lineCount += 1;
    replay.moveList.push_back(PlayedMove::of(lastMove()));
    replay.steps.push_back({lineEnd, replay.lineCount, replay.moveList.size(), false});
}

void replayLine(Replay& replay, const std::string& line, std::size_t lineEnd,
                const std::function<void(const std::string&)>& refused) {
    Game& game = *replay.game;
    const std::string move = savedMove(line);
    const std::shared_ptr<Player> mover = game.currentPlayer();
    lastMove().reset();
    if (move == "O-O" || move == "O-O-O") {
        const bool kingSide = move == "O-O";
        if (mover && mover->color &&
            castleIfAllowed(game, *mover, *mover->color,
                            kingSide ? CastleSide::kingSide : CastleSide::queenSide)) {
            countHalfMove(replay, lineEnd);
        } else {
            refused(kingSide ? "chess_Open: Small castle not possible"
                             : "chess_Open: Big castle not possible");
        }
        return;
    }
    const auto fromFile = coordinate(move, 0, 'A');
    const auto fromRank = coordinate(move, 1, '1');
    const auto toFile = coordinate(move, 3, 'A');
    const auto toRank = coordinate(move, 4, '1');
    if (!fromFile || !fromRank || !toFile || !toRank) {
        refused("chess_Open: Illegal Coordinates " + move);
        return;
    }
    auto* human = dynamic_cast<Human*>(mover.get());
    if (human == nullptr) {
        return;
    }
    // The stored letter counts for this line only, so a refused line cannot leave it for a
    // later promotion.
    setPromotionChoice(storedPromotion(move).value_or(""));
    try {
        human->makeMove(BoardLocation(*fromFile, *fromRank), BoardLocation(*toFile, *toRank),
                        Human::Promotion::neverAsk);
        countHalfMove(replay, lineEnd);
    } catch (MoveError) {
        refused("chess_Open: Illegal Move " + move + " (" + line);
    }
    setPromotionChoice("");
}

}  // namespace

Replay replayMoveLines(const std::vector<std::string>& lines,
                       const std::function<void(const std::string&)>& refused,
                       const ReplayStepRunner& runStep, std::size_t start, std::string_view startFen) {
    // Small enough that the main thread, where the replay runs in the program, answers in between.
    constexpr std::size_t kLinesPerStep = 256;
    Replay replay;
    replay.white = std::make_shared<Human>(Color::white);
    replay.black = std::make_shared<Human>(Color::black);
    replay.game = makeGame(replay.white, replay.black, startFen);
    const Game& game = *replay.game;

    std::size_t next = 0;
    std::size_t lineEnd = start;
    const auto step = [&] {
        const std::size_t end = std::min(lines.size(), next + kLinesPerStep);
        for (; next < end && game.state() == State::inProgress() && !isFinalLine(lines[next]); ++next) {
            lineEnd += lines[next].size() + 1;
            replayLine(replay, lines[next], lineEnd, refused);
        }
    };
    while (next < lines.size() && game.state() == State::inProgress() && !isFinalLine(lines[next])) {
        if (runStep) {
            runStep(step);
        } else {
            step();
        }
    }
    replay.ended = next < lines.size() || game.state() != State::inProgress();
    if (next < lines.size()) {
        // The final line of the file.
        replay.lineCount += 1;
        replay.steps.push_back(
            {lineEnd + lines[next].size() + 1, replay.lineCount, replay.moveList.size(), true});
    }
    return replay;
}

bool hasSavedGameExtension(std::string_view path) {
    const std::string_view tail = path.size() > 7 ? path.substr(path.size() - 7) : path;
    std::string lower(tail);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower == ".zarvik";
}

}  // namespace zarvik::frontend
