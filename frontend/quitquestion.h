#pragma once
// The question before the program ends while the game has moves that were not saved: save first,
// end without saving, or go back to the game. Every host asks it with these words.
#include <string>
#include <vector>

namespace zarvik::frontend {

const std::string& quitQuestionText();
// "Sichern", "Nicht sichern", "Abbrechen": the last one cancels.
const std::vector<std::string>& quitQuestionButtons();

// Main thread. True when the program may end: nothing unsaved, "Nicht sichern" (the kept game is
// given up), or "Sichern" and the game was saved. Asks through the host's question dialogue.
bool mayQuit();

}  // namespace zarvik::frontend
