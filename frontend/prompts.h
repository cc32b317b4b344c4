#pragma once
// The questions and messages of window 0 that the players and the turn loop share: the padded
// yes/no question, the promotion question and the prompt positions.
#include <optional>
#include <string>
#include <string_view>

#include "rules/game.h"

namespace zarvik::frontend {

// Window 0 addresses, in text cells from 1.
inline constexpr int kPromptLine = 19;

// The question text padded with blanks (or cut) to 39 characters, then "<".
std::string paddedQuestion(std::string_view question);

// A one-key question with "J" as the default; true for yes (any key but "N" and Escape). None when
// a command or an opened game interrupts it, or the boards are to be drawn turned.
std::optional<bool> askYesNo(std::string_view text);

// "Wollen Sie aufgeben <J/N>": only J gives up, every other key (Return too) goes back. None when
// interrupted.
std::optional<bool> askGiveUp();

// The cursor line where the promotion question goes.
int promotionPromptLine();
// Draws both boards, asks "Bauer umwandeln (T, S, L, D): " on that line and waits for one of the
// promotion keys; the key in upper case, none when a command interrupts the question.
std::optional<std::string> askPromotionChoice(const Game& game, int line);
// Prints the record letter at the cursor.
void showPromotionLetter(char letter);
// Clears the prompt line from column 1.
void endPromotionPrompt();

}  // namespace zarvik::frontend
