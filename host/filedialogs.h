#pragma once
// The open and save dialogs of the application, as the utility library's dialog provider.
#include <QFileDialog>

#include "util/dialogs.h"

namespace zarvik::host {

// Sets up a dialog as the request asks (button texts, title, file types, mode).
void configureOpenDialog(QFileDialog& dialog, const OpenPanelRequest& request);
void configureSaveDialog(QFileDialog& dialog, const SavePanelRequest& request);

// The chosen paths of a confirmed dialog, in the precomposed form the program compares.
std::vector<std::string> chosenPaths(const QFileDialog& dialog);

// A provider that shows the dialogs modally over the active window, on the GUI thread.
DialogProvider makeDialogProvider();

}  // namespace zarvik::host
