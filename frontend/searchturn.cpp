#include "frontend/searchturn.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>

#include "computer/searchplayer.h"
#include "frontend/boarddisplay.h"
#include "frontend/boardmarks.h"
#include "frontend/castling.h"
#include "frontend/commands.h"
#include "frontend/gameclock.h"
#include "frontend/human.h"
#include "frontend/prompts.h"
#include "frontend/record.h"
#include "frontend/searchposition.h"
#include "frontend/state.h"
#include "frontend/typedmove.h"
#include "rules/lastmove.h"
#include "toolkit/app/events.h"
#include "toolkit/text/textoutput.h"

namespace zarvik::frontend {
namespace {

constexpr std::uint8_t kWindow = 0;
constexpr int kThinkingLine = kPromptLine + 2;

// What the search thread tells the program thread.
struct Thinking {
    std::mutex mutex;
    std::string best;
    int shownVersion = 0;
    int version = 0;
    bool done = false;
    std::optional<PerftMove> move;
    std::condition_variable answered;
};

// "e2e4" as the game writes moves: "E2-E4".
std::string moveName(const std::string& text) {
    return text.size() < 4 ? text : upperCase(text.substr(0, 2)) + "-" + upperCase(text.substr(2, 2));
}

void showThinking(const std::string& best) {
    t_Vtab(kWindow, kThinkingLine);
    t_Htab(kWindow, 1);
    t_Print(kWindow, best.empty() ? std::string("Computerspieler denkt nach")
                                  : "Computerspieler denkt nach, bester Zug bisher: " + best);
    t_ClearEndOfLine(kWindow);
}

void carryOut(Game& game, Player& player, Color color, const PerftMove& move) {
    try {
        if (move.castle) {
            castleIfAllowed(game, player, color, *move.castle);
            return;
        }
        setPromotionChoice(move.promotion ? std::string(1, germanLetter(*move.promotion, Color::white)) : "");
        movePieceFor(player, BoardLocation(move.from), BoardLocation(move.to), Human::Promotion::neverAsk);
    } catch (MoveError) {
        // The search and the rules disagree: the turn stays with the computer rather than corrupting the
        // game.
    }
}

}  // namespace

bool playSearchingTurn(const std::shared_ptr<Game>& game, const std::shared_ptr<Player>& player,
                       Color color) {
    auto* searching = dynamic_cast<SearchPlayer*>(player.get());
    if (searching == nullptr) {
        return false;
    }
    // Thinking is work, not a wait for the person, although keys may make the computer move now.
    struct Working {
        Working() { t_BeginWork(); }
        ~Working() { t_EndWork(); }
        Working(const Working&) = delete;
        Working& operator=(const Working&) = delete;
    } working;
    auto thinking = std::make_shared<Thinking>();
    searching->startThinking(
        searchPositionOf(gameRecordSnapshot(), game->board, color),
        [thinking](const SearchPlayer::Progress& progress) {
            {
                const std::lock_guard lock(thinking->mutex);
                thinking->best = moveName(progress.bestMove);
                ++thinking->version;
            }
            wakeProgram();
        },
        [thinking](std::optional<PerftMove> move) {
            {
                const std::lock_guard lock(thinking->mutex);
                thinking->done = true;
                thinking->move = move;
            }
            thinking->answered.notify_all();
            wakeProgram();
        });
    showThinking("");
    // On the clock the computer moves when its share of the remaining time is spent.
    const std::optional<double> budget = thinkingBudget(color);
    const std::optional<ClockTimes> atStart = clockTimes();
    const auto timeSpent = [&] {
        const std::optional<ClockTimes> now = clockTimes();
        return budget && atStart && now && atStart->of(color) - now->of(color) >= *budget;
    };
    for (;;) {
        std::string best;
        {
            const std::lock_guard lock(thinking->mutex);
            if (thinking->done) {
                break;
            }
            if (thinking->shownVersion != thinking->version) {
                thinking->shownVersion = thinking->version;
                best = thinking->best;
            }
        }
        if (!best.empty()) {
            showThinking(best);
        }
        const std::optional<std::string> key = t_WaitKeyUnless(kWindow, [&thinking] {
            const std::lock_guard lock(thinking->mutex);
            return programInterrupted() || thinking->done || thinking->shownVersion != thinking->version ||
                   boardRedrawPending() || clockTickPending();
        });
        redrawTurnedBoards();
        showClocksIfDue();
        if (programInterrupted()) {
            searching->cancel();
            return true;
        }
        if ((key && (*key == " " || *key == "!")) || timeSpent()) {
            searching->moveNow();
            // The answer comes at once; the program stays busy until then rather than waiting for keys.
            std::unique_lock lock(thinking->mutex);
            thinking->answered.wait(lock, [&thinking] { return thinking->done; });
        }
    }
    std::optional<PerftMove> move;
    {
        const std::lock_guard lock(thinking->mutex);
        move = thinking->move;
    }
    if (move) {
        carryOut(*game, *player, color, *move);
    }
    return true;
}

}  // namespace zarvik::frontend
