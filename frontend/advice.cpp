#include "frontend/advice.h"

#include <condition_variable>
#include <mutex>

#include "computer/searchplayer.h"
#include "frontend/boarddisplay.h"
#include "frontend/boardmarks.h"
#include "frontend/prompts.h"
#include "frontend/record.h"
#include "frontend/refusal.h"
#include "frontend/searchposition.h"
#include "toolkit/app/events.h"
#include "toolkit/text/textoutput.h"

namespace zarvik::frontend {
namespace {

constexpr std::uint8_t kWindow = 0;
// Worse by half a pawn or more, so that the noise of an even position does not count.
constexpr int kWorseCentipawns = -50;

struct Counsel {
    std::optional<PerftMove> move;
    int centipawns = 0;  // for the side to move
    int mateIn = 0;      // moves; negative when the side to move is mated
};

// The full-strength search on the position, waited for on this thread (work, not a wait for input).
Counsel counselOn(const Board& board, Color toMove) {
    const search::Position position = searchPositionOf(gameRecordSnapshot(), board, toMove);
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        Counsel counsel;
    };
    auto shared = std::make_shared<Shared>();
    SearchPlayer advisor(toMove, kHighestSearchLevel);
    t_BeginWork();
    advisor.startThinking(
        position,
        [shared](const SearchPlayer::Progress& progress) {
            const std::lock_guard lock(shared->mutex);
            shared->counsel.centipawns = progress.centipawns;
            shared->counsel.mateIn = progress.mateIn;
        },
        [shared](std::optional<PerftMove> move) {
            {
                const std::lock_guard lock(shared->mutex);
                shared->counsel.move = move;
                shared->finished = true;
            }
            shared->done.notify_all();
        });
    std::unique_lock lock(shared->mutex);
    shared->done.wait(lock, [&shared] { return shared->finished; });
    t_EndWork();
    return shared->counsel;
}

void message(const std::string& text) {
    t_Vtab(kWindow, kPromptLine + 1);
    t_Htab(kWindow, 1);
    t_Print(kWindow, text);
    t_ClearEndOfLine(kWindow);
}

}  // namespace

void showHint(const Game& game, Color toMove) {
    message("Tipp: Computerspieler denkt nach");
    const Counsel counsel = counselOn(game.board, toMove);
    if (counsel.move) {
        setHintMarks({counsel.move->from, counsel.move->to});
        drawBoards(game);
    }
    message(counsel.move ? "Tipp: " + moveName(game.board, *counsel.move) : "Tipp: kein Zug möglich.");
}

bool computerAcceptsDraw(const Game& game, Color toMove, Color computer) {
    const Counsel counsel = counselOn(game.board, toMove);
    const int sign = toMove == computer ? 1 : -1;
    if (counsel.mateIn != 0) {
        return sign * counsel.mateIn < 0;
    }
    return sign * counsel.centipawns <= kWorseCentipawns;
}

}  // namespace zarvik::frontend
