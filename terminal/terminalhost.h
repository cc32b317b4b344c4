#pragma once
// The toolkit's host in the terminal the program was started from. The thread that runs the event
// loop is the main thread: it sleeps in poll() on the keyboard, a pipe of posted tasks and a pipe
// of signals, so that an idle program never wakes. Window 0 (or the printer or system console
// window brought to the front) fills the screen; menus open with F10; dialogues lie over the screen
// and are answered by key.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "terminal/dialogs.h"
#include "terminal/keydecoder.h"
#include "terminal/lines.h"
#include "terminal/menubar.h"
#include "terminal/screen.h"
#include "toolkit/app/menutable.h"
#include "toolkit/host.h"

namespace zarvik::terminal {

class TerminalHost final : public Host {
  public:
    // What the application answers itself: "Beenden" (and Ctrl+Q) and the "Hilfe" items.
    struct Callbacks {
        std::function<void()> quit;
        std::function<void(t_MenuTag item)> help;
    };

    // lineMode: plain lines instead of a screen (see lines.h), the terminal's own line editing.
    TerminalHost(Callbacks callbacks, bool lineMode);
    ~TerminalHost() override;
    TerminalHost(const TerminalHost&) = delete;
    TerminalHost& operator=(const TerminalHost&) = delete;

    // Takes over the terminal; false when it cannot be driven.
    bool start();
    // Main thread: the event loop, until end() or a signal that ends the program; the exit status.
    int run();
    // Ends the event loop with the status (main thread).
    void end(int status);
    // Gives the terminal back (safe to call more than once).
    void stop();
    // Appends a line to the system console's text (main thread), keeping the newest lines.
    void appendConsoleLine(const std::string& line);

    // --- Host ---
    bool isMainThread() override;
    void runOnMainThread(std::function<void()> task) override;
    void postToMainThread(std::function<void()> task) override;
    bool hasWindow(int window) override;
    std::optional<HostRect> windowFrame(int window) override;
    void setWindowFrame(int window, HostRect frame, bool display) override;
    void setViewFrame(int window, HostRect frame) override;
    void setWindowTitle(int window, const std::string& title) override;
    void setWindowTitleVisible(int window, bool visible) override;
    void orderFront(int window) override;
    void orderOut(int window) override;
    bool isWindowVisible(int window) override;
    void makeKeyAndOrderFront(int window) override;
    void centerWindow(int window) override;
    void setBackgroundColor(int window, HostColor color) override;
    HostSize screenSize(int window) override;
    int keyWindow() override;
    double backingScale(int window) override;
    int titleBarHeight() override;
    bool hasView(int window) override;
    void redrawView(int window, bool deferred) override;
    std::optional<std::vector<HostMenuItem>> menuItems(std::string_view menuTitle) override;
    bool deleteMenuItem(std::string_view menuTitle, int position) override;
    std::optional<std::string> pasteboardText() override;
    void setPasteboardText(const std::string& text) override;
    void setPasteboardImage(const HostImage& image) override;
    bool hasTextView(int window) override;
    std::string textViewText(int window) override;
    void setTextViewText(int window, const std::string& text) override;
    void setUpTextView(int window) override;
    void setRulerText(int window, const std::string& text) override;
    std::vector<std::string> openPanel(const OpenPanelRequest& request) override;
    std::string savePanel(const SavePanelRequest& request) override;
    void messagePanel(const std::string& text) override;
    std::string questionPanel(const std::string& text, const std::vector<std::string>& buttons) override;
    void bell() override;
    std::string resourcesFolder() override;
    std::string applicationName() override;

  private:
    static constexpr int kWindows = 13;
    struct WindowState {
        HostRect frame{0, 0, 1280, 800};
        std::string title;
        bool visible = false;
    };

    bool valid(int window) const { return window >= 0 && window < kWindows; }
    // One turn of the loop: waits for keys, tasks or signals and answers them.
    void turn();
    void runTasks();
    void answerSignal(int number);
    void answerInput(const TerminalInput& input);
    void answerKey(const t_HostKeyEvent& key);
    void answerClick(const TerminalClick& click);
    // Line mode: each typed line ("Brett" prints the board).
    void answerLines(std::string_view bytes);
    void writeNewLines(const std::vector<std::string>& screen);
    void writeLine(const std::string& text);
    void choose(const std::string& menu, const t_MenuRow& row);
    // Runs the loop until the dialogue is answered (main thread); it lies over the screen meanwhile.
    void runDialogue(Dialogue& dialogue);
    // The window that fills the screen: the frontmost visible one of 0-10.
    int shownWindow() const;
    void showNext();
    void render();

    Callbacks callbacks_;
    bool lineMode_;
    Screen screen_;
    LineWriter lines_;
    std::vector<std::string> settling_;  // line mode: the screen last seen while the program wrote
    std::string typed_;
    KeyDecoder decoder_;
    std::deque<TerminalInput> pending_;
    std::vector<TerminalMenu> menus_;
    MenuBar menuBar_{menus_};
    std::vector<Dialogue*> dialogues_;
    std::array<WindowState, kWindows> windows_;
    std::vector<int> order_;  // visible windows, the front one last
    std::map<int, std::string> textViews_;
    std::optional<std::string> pasteboard_;
    bool dirty_ = true;
    bool ending_ = false;
    int status_ = 0;

    std::thread::id mainThread_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    int signalRead_ = -1;
    std::mutex tasksMutex_;
    std::deque<std::function<void()>> tasks_;
};

}  // namespace zarvik::terminal
