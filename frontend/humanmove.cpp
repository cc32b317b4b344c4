#include "frontend/humanmove.h"

#include "frontend/boarddisplay.h"
#include "frontend/castling.h"
#include "frontend/commands.h"
#include "frontend/human.h"
#include "frontend/mousemove.h"
#include "frontend/prompts.h"
#include "frontend/state.h"
#include "frontend/typedmove.h"
#include "rules/lastmove.h"
#include "toolkit/app/input.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"

namespace zarvik::frontend {
namespace {

constexpr std::uint8_t kWindow = 0;
constexpr int kMoveLength = 5;
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
        const std::string input = upperCase(*typed);
        t_Cr(kWindow);
        t_ClearEndOfWindow(kWindow);

        const std::shared_ptr<Game> game = currentGame();
        const TypedMove move = parseTypedMove(input);
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
            case TypedMove::Kind::kingSideCastle:
            case TypedMove::Kind::queenSideCastle: {
                const bool kingSide = move.kind == TypedMove::Kind::kingSideCastle;
                // The game's own player of this colour, so that player and game always belong together.
                const std::shared_ptr<Player> player =
                    game ? (color == Color::white ? game->whitePlayer() : game->blackPlayer()) : nullptr;
                if (player && castleIfAllowed(*game, *player, color,
                                              kingSide ? CastleSide::kingSide : CastleSide::queenSide)) {
                    return HumanTurn::moved;
                }
                message(kingSide ? "Kleine Rochade (Königsseite) nicht möglich."
                                 : "Große Rochade (Damenseite) nicht möglich.");
                continue;
            }
            case TypedMove::Kind::missingSeparator:
                message("Trennzeichen (-) zwischen den Positionen fehlt.");
                continue;
            case TypedMove::Kind::badCoordinates:
                message("Unzulässige Koordinaten.");
                continue;
            case TypedMove::Kind::ordinary:
                break;
        }
        const std::shared_ptr<Player> current = game ? game->currentPlayer() : nullptr;
        auto* human = dynamic_cast<Human*>(current.get());
        if (human == nullptr) {
            continue;
        }
        try {
            if (human->makeMove(move.from, move.to)) {
                return HumanTurn::moved;
            }
            // The promotion question was interrupted. A take-back only cancels this move.
            if (nextGameCommand() != GameCommand::takeBack) {
                return HumanTurn::interrupted;
            }
            takeGameCommand();
            drawBoards(*game);
        } catch (MoveError) {
            t_Print(kWindow, "Unzulässiger Zug.");
            t_Cr(kWindow);
            t_ClearEndOfLine(kWindow);
        }
    }
}

}  // namespace zarvik::frontend
