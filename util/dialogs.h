#pragma once
// Open, save and message dialogs that any thread may call. The dialogs themselves run on the host's main
// thread; this library knows no toolkit or GUI, so the host installs a DialogProvider that shows
// them. Without a provider every dialog answers as cancelled.
//
// Hand-off: on the main thread the provider's panel runs directly. On any other thread the caller
// sleeps 20 ms, posts the panel to the main thread with `runOnMainThread` and polls a completion
// flag every millisecond until the posted task has stored the result.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarvik {

// What the open dialog shows. fileTypes are extensions without the dot; empty means any type.
struct OpenPanelRequest {
    std::string title;
    std::string message;
    std::string prompt;  // button title: openPanelPrompt or choosePanelPrompt
    std::vector<std::string> fileTypes;
    bool canChooseFiles = true;
    bool canChooseDirectories = false;
    bool allowsMultipleSelection = false;
    bool resolvesAliases = true;
};

// What the save dialog shows. Other types than fileTypes are allowed, extensions are shown and
// folders may be created.
struct SavePanelRequest {
    std::string title;
    std::string message;
    std::string proposedName;
    std::string prompt = "Sichern";
    std::string nameFieldLabel = "Sichern unter:";
    std::vector<std::string> fileTypes;
};

// What the list dialog shows: a table to choose one row of.
struct ListPanelRequest {
    std::string title;
    std::string message;
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;  // one cell per heading
};

// Installed by the host. The first four members must be set for the provider to be used; the
// message dialog is optional.
struct DialogProvider {
    // True on the thread where dialogs may run.
    std::function<bool()> isMainThread;
    // Runs the task on the main thread later (asynchronously); must not wait for it.
    std::function<void(std::function<void()>)> runOnMainThread;
    // Called on the main thread only; run modally. Paths of the chosen entries, empty when cancelled.
    std::function<std::vector<std::string>(const OpenPanelRequest&)> openPanel;
    // Called on the main thread only; run modally. The chosen path, empty when cancelled.
    std::function<std::string(const SavePanelRequest&)> savePanel;
    // Called on the main thread only; shows the text (first line the message, then details) and
    // returns when the person has dismissed it.
    std::function<void(const std::string&)> messagePanel;
    // Called on the main thread only; asks the question with the buttons (the last one cancels) and
    // returns the title of the button chosen, empty when the question was closed otherwise.
    std::function<std::string(const std::string&, const std::vector<std::string>&)> questionPanel;
    // Called on the main thread only; optional. Shows the rows under the column headings and returns
    // the index of the row chosen, none when the person cancelled.
    std::function<std::optional<std::size_t>(const ListPanelRequest&)> listPanel;
};

// Installs the provider (an empty DialogProvider removes it). Safe from any thread; a dialog that
// is already open keeps the provider it started with.
void setdialogprovider(DialogProvider provider);

// Button titles of the open dialog, for choosing files and for choosing folders. Read by
// selectfiletoopen on the calling thread; change them from the thread that calls the dialogs.
extern std::string openPanelPrompt;    // initially "Öffnen"
extern std::string choosePanelPrompt;  // initially "Wählen"

// Main thread only: run the panels through the provider (cancelled without one).
std::vector<std::string> runopenpanel(const OpenPanelRequest& request);
std::string runsavepanel(const SavePanelRequest& request);

// Any thread. fileTypes is a comma list ("zarvik", "gr,png"). The path of the first selection
// (or the chosen path), empty when cancelled.
std::string selectfiletoopen(std::string_view title, std::string_view message, std::string_view fileTypes,
                             bool chooseFiles, bool chooseFolders);
std::string selectfiletosave(std::string_view proposedName, std::string_view title, std::string_view message,
                             std::string_view fileTypes);

// Any thread: tells the person the text in a message dialog and returns when it was dismissed.
// Without a provider or message dialog the text goes to the log only.
void showmessage(std::string_view text);

// Any thread: asks the question in a dialog with the buttons, the last of which cancels; the title of
// the button chosen. Without a provider or question dialog it answers as cancelled (the last button).
std::string askquestion(std::string_view text, const std::vector<std::string>& buttons);

// Any thread: lets the person choose one of the rows in a list dialog; the index of the row, none when
// cancelled. Without a provider or list dialog it answers as cancelled.
std::optional<std::size_t> choosefromlist(std::string_view title, std::string_view message,
                                          std::vector<std::string> headings,
                                          std::vector<std::vector<std::string>> rows);

}  // namespace zarvik
