#include "frontend/humanmove.h"

#include "frontend/boarddisplay.h"
#include "frontend/castling.h"
#include "frontend/commands.h"
#include "frontend/human.h"
#include "frontend/mousemove.h"
#include "frontend/prompts.h"
#include "frontend/refusal.h"
#include "frontend/state.h"
#include "frontend/typedmove.h"
#include "rules/lastmove.h"
#include "toolkit/app/input.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"

namespace zarvik::frontend {
namespace {

constexpr std::uint8_t kWindow = 0;
// Long enough for the long algebraic forms ("e7xd8=D+").
constexpr int kMoveLength = 10;
constexpr int kEscape = 27;

void message(std::string_view text) {
    t_Print(kWindow, text);
    t_ClearEndOfLine(kWindow);
}

// The move's text, typed or clicked; none when Escape only removed the mouse's mark or when a command
// interrupted the prompt.
std::optional<std::string> readMoveText(Color color) {
    t_InputForm(kWindow, "", "", true, 0, kMoveLength);
    MovePromptClicks clicks(color);
    while (!t_InputFormEdit(kWindow, [] { return MovePromptClicks::waiting() || programInterrupted(); })) {
        if (programInterrupted()) {
            return std::nullopt;
        }
        clicks.answer();
    }
    if (t_CurrentEvent().Value == kEscape && clicks.unmark()) {
        return std::nullopt;
    }
    return t_WindowRecord(kWindow).InputString;
}

}  // namespace

HumanTurn readHumanMove(Color color) {
    const std::string colorWord = color == Color::white ? "weiss" : "schwarz";
    for (;;) {
        t_Vtab(kWindow, kPromptLine);
        t_Htab(kWindow, 1);
        t_Print(kWindow, "Zug für " + colorWord + " eingeben (z.B. E2-E4): ");
        t_ClearEndOfLine(kWindow);
        const std::optional<std::string> typed = readMoveText(color);
        if (programInterrupted()) {
            return HumanTurn::interrupted;
        }
        if (!typed) {
            continue;  // Escape took the mouse's mark away: ask again
        }
        t_Cr(kWindow);
        t_ClearEndOfWindow(kWindow);

        const std::shared_ptr<Game> game = currentGame();
        if (!game) {
            continue;
        }
        const TypedMove move = parseTypedMove(*typed, game->board, color);
        // The game's own player of this colour, so that player and game always belong together.
        const std::shared_ptr<Player> player = color == Color::white ? game->whitePlayer() : game->blackPlayer();
        switch (move.kind) {
            case TypedMove::Kind::giveUp: {
                const std::optional<bool> giveUp = askGiveUp();
                if (!giveUp) {
                    return HumanTurn::interrupted;
                }
                if (*giveUp) {
                    return HumanTurn::gaveUp;
                }
                continue;
            }
            case TypedMove::Kind::castle:
                if (player && castleIfAllowed(*game, *player, color, move.side)) {
                    return HumanTurn::moved;
                }
                message(castlingRefusalText(game->board, color, move.side));
                continue;
            case TypedMove::Kind::ambiguous:
                message(ambiguityText(game->board, move.candidates));
                continue;
            case TypedMove::Kind::illegal:
                if (player && move.named) {
                    message(algebraicRefusalText(*player, game->board, *move.named));
                }
                continue;
            case TypedMove::Kind::missingSeparator:
                message("Trennzeichen (-) zwischen den Positionen fehlt.");
                continue;
            case TypedMove::Kind::badCoordinates:
                message("Unzulässige Koordinaten.");
                continue;
            case TypedMove::Kind::unreadable:
                message("Zug nicht lesbar (z.B. E2-E4, Sf3, exd5, O-O).");
                continue;
            case TypedMove::Kind::move:
                break;
        }
        const std::shared_ptr<Player> current = game->currentPlayer();
        auto* human = dynamic_cast<Human*>(current.get());
        if (human == nullptr) {
            continue;
        }
        // A promotion piece named in the text is taken without asking.
        if (move.promotion) {
            setPromotionChoice(std::string(1, *move.promotion));
        }
        try {
            const bool made = human->makeMove(move.from, move.to);
            setPromotionChoice("");
            if (made) {
                return HumanTurn::moved;
            }
            // The promotion question was interrupted. A take-back only cancels this move.
            if (nextGameCommand() != GameCommand::takeBack) {
                return HumanTurn::interrupted;
            }
            takeGameCommand();
            drawBoards(*game);
        } catch (MoveError error) {
            setPromotionChoice("");
            t_Print(kWindow, refusalText(error, game->board, move.from, move.to));
            t_Cr(kWindow);
            t_ClearEndOfLine(kWindow);
        }
    }
}

}  // namespace zarvik::frontend
