#pragma once
// The question before the application ends while the game has moves that were not saved: save
// first, end without saving, or go back to the game.
#include <functional>

#include <QMessageBox>

namespace zarvik::qthost {

// The question's text and its buttons "Sichern", "Nicht sichern" and "Abbrechen" (the default).
void configureQuitQuestion(QMessageBox& box);

// GUI thread. True when the application may end: nothing unsaved, or the person chose "Nicht
// sichern", or "Sichern" and `save` reported the game saved. Asks modally only when `unsaved`.
bool mayQuit(const std::function<bool()>& unsaved, const std::function<bool()>& save);

}  // namespace zarvik::qthost
