#pragma once
// The question before the application ends while the game has moves that were not saved: save
// first, end without saving, or go back to the game.
#include <functional>

#include <QMessageBox>
#include <QStringList>

namespace zarvik::qthost {

// A question of the game with its buttons in order; the last one cancels and is the default, so
// that Return and Escape keep the game as it is.
void configureQuestion(QMessageBox& box, const QString& text, const QStringList& buttons);

// GUI thread: asks modally; the title of the button chosen (the last one when closed otherwise).
QString askQuestion(const QString& text, const QStringList& buttons);

// The question's text and its buttons "Sichern", "Nicht sichern" and "Abbrechen" (the default).
void configureQuitQuestion(QMessageBox& box);

// GUI thread. True when the application may end: nothing unsaved, or the person chose "Nicht
// sichern" (then `discard` runs), or "Sichern" and `save` reported the game saved. Asks modally only
// when `unsaved`.
bool mayQuit(const std::function<bool()>& unsaved, const std::function<bool()>& save,
             const std::function<void()>& discard = {});

}  // namespace zarvik::qthost
