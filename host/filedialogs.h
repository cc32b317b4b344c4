#pragma once
// The open, save and message dialogs of the application.
#include <QFileDialog>
#include <QMessageBox>

#include "util/dialogs.h"

namespace zarvik::qthost {

// Sets up a dialog as the request asks (button texts, title, file types, mode).
void configureOpenDialog(QFileDialog& dialog, const OpenPanelRequest& request);
void configureSaveDialog(QFileDialog& dialog, const SavePanelRequest& request);

// The chosen paths of a confirmed dialog, in the precomposed form the program compares.
std::vector<std::string> chosenPaths(const QFileDialog& dialog);

// Run modally over the active window (GUI thread only): the chosen paths, empty when cancelled.
std::vector<std::string> runOpenDialog(const OpenPanelRequest& request);
std::string runSaveDialog(const SavePanelRequest& request);

// A warning with the text's first line as the message and the other lines as details, and "OK".
void configureMessageBox(QMessageBox& box, const std::string& text);
// Run modally over the active window (GUI thread only).
void runMessageDialog(const std::string& text);

}  // namespace zarvik::qthost
