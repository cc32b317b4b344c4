#include "frontend/prompts.h"

#include "frontend/boarddisplay.h"
#include "frontend/boardmarks.h"
#include "frontend/commands.h"
#include "frontend/human.h"
#include "frontend/typedmove.h"
#include "toolkit/app/events.h"
#include "toolkit/app/input.h"
#include "toolkit/text/textoutput.h"
#include "util/text.h"

namespace zarvik::frontend {
namespace {

constexpr std::uint8_t kWindow = 0;
constexpr int kQuestionWidth = 39;

// The first `count` characters (code points) of UTF-8 text.
std::string firstCharacters(std::string_view text, int count) {
    std::size_t end = 0;
    for (int taken = 0; end < text.size() && taken < count; ++taken) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            ++end;
        }
    }
    return std::string(text.substr(0, end));
}

int characterCount(std::string_view text) {
    int count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

}  // namespace

std::string paddedQuestion(std::string_view question) {
    std::string padded = firstCharacters(question, kQuestionWidth);
    padded += spacestring(kQuestionWidth - characterCount(padded));
    return padded + "<";
}

std::optional<bool> askYesNo(std::string_view text) {
    return t_AskYesNoUnless(kWindow, text, U'J', "/", U'N', true, "> ", true,
                            [] { return programInterrupted() || boardRedrawPending(); });
}

std::optional<bool> askGiveUp() {
    return t_AskYesNoUnless(kWindow, "Wollen Sie aufgeben <", U'J', "/", U'N', false, "> ", true,
                            &programInterrupted);
}

int promotionPromptLine() {
    return t_Vpos(kWindow);
}

std::optional<std::string> askPromotionChoice(const Game& game, int line) {
    drawBoards(game);
    t_Vtab(kWindow, line);
    t_Htab(kWindow, 1);
    t_ClearEndOfLine(kWindow);
    t_Print(kWindow, "Bauer umwandeln (T, S, L, D): ");
    for (;;) {
        const std::optional<std::string> typed = t_WaitKeyUnless(kWindow, &programInterrupted);
        if (!typed) {
            return std::nullopt;
        }
        const std::string key = upperCase(*typed);
        if (key.size() == 1 && isPromotionKey(static_cast<unsigned char>(key.front()))) {
            return key;
        }
    }
}

void showPromotionLetter(char letter) {
    t_Print(kWindow, std::string(1, letter));
}

void endPromotionPrompt() {
    t_Htab(kWindow, 1);
    t_ClearEndOfLine(kWindow);
}

}  // namespace zarvik::frontend
