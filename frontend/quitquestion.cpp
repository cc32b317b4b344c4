#include "frontend/quitquestion.h"

#include "frontend/autosave.h"
#include "frontend/savedgame.h"
#include "toolkit/host.h"

namespace zarvik::frontend {

const std::string& quitQuestionText() {
    static const std::string text = "Das Spiel ist nicht gesichert. Vor dem Beenden sichern?";
    return text;
}

const std::vector<std::string>& quitQuestionButtons() {
    static const std::vector<std::string> buttons{"Sichern", "Nicht sichern", "Abbrechen"};
    return buttons;
}

bool mayQuit() {
    if (!hasUnsavedMoves()) {
        return true;
    }
    const std::string answer = host().questionPanel(quitQuestionText(), quitQuestionButtons());
    if (answer == quitQuestionButtons()[0]) {
        return saveGameAs();
    }
    if (answer == quitQuestionButtons()[1]) {
        removeAutosave();  // "Nicht sichern" ends the game for good: not offered at the next start
        return true;
    }
    return false;
}

}  // namespace zarvik::frontend
