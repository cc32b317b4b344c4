#pragma once
// A host without a window system, for tests and the command-line tool. Every host object lives
// in memory; a dispatcher thread of its own is the main thread; dialogs answer from queues the
// tests fill (cancelled when empty), messages go to standard error; the bell is counted; a console
// window's image can be written to a PNG or PPM file. Tests read the recorded state from any thread.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "toolkit/host.h"

namespace zarvik {

class HeadlessHost final : public Host {
  public:
    struct WindowState {
        bool exists = true;
        HostRect frame{0, 0, 640, 480};
        HostRect viewFrame;
        std::string title;
        bool titleVisible = true;
        bool visible = false;
        HostColor background;
        int centered = 0;
        int redrawsNow = 0;
        int redrawsDeferred = 0;
    };
    struct TextViewState {
        bool exists = true;
        std::string text;
        std::string ruler;
        int setUps = 0;
    };

    HeadlessHost();
    ~HeadlessHost() override;
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    // Installs this host (and its dialogs); the destructor uninstalls it again.
    void install();

    // --- set-up and inspection by tests ---
    void setWindowExists(int window, bool exists);  // also removes the view of 0-7
    void setViewExists(int window, bool exists);
    void setTextViewExists(int window, bool exists);
    void setMenu(const std::string& title, std::vector<HostMenuItem> items);
    void removeMenu(const std::string& title);
    std::vector<HostMenuItem> menu(const std::string& title) const;
    void setScreen(HostSize size);
    void setResources(std::string folder);
    void setKeyWindow(int window);
    void pushOpenAnswer(std::vector<std::string> paths);
    void pushSaveAnswer(std::string path);
    // The button title that the next question dialog answers with (cancelled when none is queued).
    void pushQuestionAnswer(std::string button);
    // Withdraws the answers that no dialog has taken.
    void clearPanelAnswers();
    std::vector<OpenPanelRequest> openRequests() const;
    std::vector<SavePanelRequest> saveRequests() const;
    std::vector<std::string> messages() const;
    WindowState window(int number) const;
    TextViewState textView(int number) const;
    std::optional<HostImage> pasteboardImage() const;
    int bells() const;
    // Waits until every task posted so far has run on the main thread.
    void drain();
    // Writes the current image of console window 0-7 (read from its video memory) to `path`:
    // PNG when the name ends in ".png", else binary PPM. False when there is nothing to write.
    bool writeWindowImage(std::uint8_t window, const std::string& path) const;

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
    // Writes "dialog: " and the text to standard error and keeps it for the tests.
    void messagePanel(const std::string& text) override;
    // Writes "dialog: " and the text to standard error and answers from the queue.
    std::string questionPanel(const std::string& text, const std::vector<std::string>& buttons) override;
    // Writes "dialog: ", the title and the message to standard error and answers as cancelled: scripts
    // name the game of a collection in the path ("Partien.pgn#3").
    std::optional<std::size_t> listPanel(const ListPanelRequest& request) override;
    void bell() override;
    std::string resourcesFolder() override;
    std::string applicationName() override;

  private:
    static constexpr int kWindows = 13;
    bool valid(int window) const { return window >= 0 && window < kWindows; }
    void dispatch();

    mutable std::mutex mutex_;
    WindowState windows_[kWindows];
    bool views_[8];
    std::map<int, TextViewState> textViews_;
    std::map<std::string, std::vector<HostMenuItem>, std::less<>> menus_;
    HostSize screen_{1920, 1080};
    std::string resources_;
    int keyWindow_ = 255;
    std::optional<std::string> pasteboardText_;
    std::optional<HostImage> pasteboardImage_;
    std::deque<std::vector<std::string>> openAnswers_;
    std::deque<std::string> saveAnswers_;
    std::deque<std::string> questionAnswers_;
    std::vector<OpenPanelRequest> openRequests_;
    std::vector<SavePanelRequest> saveRequests_;
    std::vector<std::string> messages_;
    int bells_ = 0;

    std::mutex queueMutex_;
    std::condition_variable queueSignal_;
    std::deque<std::function<void()>> tasks_;
    bool stopping_ = false;
    std::thread dispatcher_;
    std::thread::id dispatcherId_;
};

}  // namespace zarvik
