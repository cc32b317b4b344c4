#include "frontend/mousemove.h"

#include <mutex>

#include "frontend/boarddisplay.h"
#include "frontend/boardmarks.h"
#include "frontend/gameclock.h"
#include "frontend/state.h"
#include "rules/lastmove.h"
#include "toolkit/app/events.h"
#include "toolkit/app/input.h"

namespace zarvik::frontend {
namespace {

constexpr std::uint8_t kWindow = 0;
constexpr int kRightButton = 2;
// Ctrl-Z empties the line input, so that the move replaces anything typed before.
constexpr std::string_view kEmptyField = "\x1A";

// Whether a move prompt owns the clicks; the handler thread and the program thread both look.
std::mutex& promptMutex() {
    static std::mutex mutex;
    return mutex;
}
bool promptOpen = false;

void dropClicks() {
    while (t_NextMouseEvent()) {
    }
}

}  // namespace

ClickAnswer answerClick(const Board& board, Color color, std::optional<int> marked, std::optional<int> square,
                        bool right) {
    using Kind = ClickAnswer::Kind;
    if (right) {
        return {marked ? Kind::unmark : Kind::ignore, -1, ""};
    }
    if (!square || *square < 0 || *square > 63) {
        return {Kind::ignore, -1, ""};
    }
    if (!marked) {
        const std::optional<Piece> piece = board.pieceAt(BoardLocation(*square));
        return {piece && piece->color == color ? Kind::mark : Kind::ignore, *square, ""};
    }
    if (*square == *marked) {
        return {Kind::unmark, -1, ""};
    }
    const int home = color == Color::white ? 4 : 60;
    const std::optional<Piece> moving = board.pieceAt(BoardLocation(*marked));
    if (*marked == home && moving && moving->type == PieceType::king && moving->color == color) {
        if (*square == home + 2) {
            return {Kind::enter, -1, "O-O"};
        }
        if (*square == home - 2) {
            return {Kind::enter, -1, "O-O-O"};
        }
    }
    return {Kind::enter, -1, squareName(*marked) + "-" + squareName(*square)};
}

void chess_Mouse() {
    const std::lock_guard lock(promptMutex());
    if (!promptOpen) {
        dropClicks();
    }
}

MovePromptClicks::MovePromptClicks(Color color) : color_(color) {
    const std::lock_guard lock(promptMutex());
    promptOpen = true;
    dropClicks();  // made before the prompt asked
}

MovePromptClicks::~MovePromptClicks() {
    unmark();
    const std::lock_guard lock(promptMutex());
    promptOpen = false;
    dropClicks();
}

bool MovePromptClicks::waiting() {
    return t_MousePending() || boardRedrawPending() || clockTickPending();
}

void MovePromptClicks::answer() {
    redrawTurnedBoards();
    showClocksIfDue();
    const std::shared_ptr<Game> game = currentGame();
    while (const std::optional<t_Event> click = t_NextMouseEvent()) {
        if (!game || click->Window != kWindow) {
            continue;
        }
        const std::optional<int> square = click->ClickX >= 0 && click->ClickY >= 0
                                              ? boardSquareAt(click->ClickX, click->ClickY)
                                              : std::nullopt;
        const ClickAnswer answer =
            answerClick(game->board, color_, marked_, square, (click->Index & kRightButton) != 0);
        switch (answer.kind) {
            case ClickAnswer::Kind::ignore:
                break;
            case ClickAnswer::Kind::mark:
                marked_ = answer.square;
                setPickedMarks(answer.square, legalTargets(game->board, color_, answer.square));
                drawBoards(*game);
                break;
            case ClickAnswer::Kind::unmark:
                unmark();
                break;
            case ClickAnswer::Kind::enter:
                unmark();
                t_PostKeys(std::string(kEmptyField) + answer.move + "\r");
                dropClicks();  // the move is on its way; later clicks belong to no prompt
                return;
        }
    }
}

bool MovePromptClicks::unmark() {
    if (!marked_) {
        return false;
    }
    marked_.reset();
    setPickedMarks(std::nullopt, {});
    if (const std::shared_ptr<Game> game = currentGame()) {
        drawBoards(*game);
    }
    return true;
}

}  // namespace zarvik::frontend
