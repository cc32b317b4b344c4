#pragma once
// The open and save dialogs of the application.
#include <QFileDialog>

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

}  // namespace zarvik::qthost
