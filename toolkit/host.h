#pragma once
// The seam between the console toolkit and the platform. The toolkit never talks to a window
// system itself: everything it needs from one goes through the Host installed here. The Qt
// application installs its own; tests and the command-line tool install the headless host.
//
// Threading contract: isMainThread, runOnMainThread and postToMainThread may be called from any
// thread. Every other member is called on the host's main thread only (the toolkit hands the
// work over with onMainThread / onMainThreadAsync below), so an implementation needs no locks
// for its widgets.
//
// Window numbers are those of the toolkit: 0-7 console windows (each with a view), 8 pasteboard,
// 9 virtual printer, 10 system console, 11 preferences, 12 main window. Frames are in points
// with the origin at the bottom left of the screen, y growing upwards.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/dialogs.h"

namespace zarvik {

struct HostRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    bool operator==(const HostRect&) const = default;
};

struct HostSize {
    double width = 0;
    double height = 0;
    bool operator==(const HostSize&) const = default;
};

// Device RGB, each component 0...1.
struct HostColor {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;
    bool operator==(const HostColor&) const = default;
};

// One item of a menu as the toolkit reads it. A separator has an empty title.
struct HostMenuItem {
    std::string title;
    int tag = 0;
    std::string keyEquivalent;       // the shortcut's character, empty when there is none
    std::uint32_t keyModifiers = 0;  // modifier flag bits of the shortcut (bit 20 = command)
};

// A window image for the pasteboard: Width x Height pixels of four bytes alpha, red, green,
// blue, row by row from the top.
struct HostImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> argb;
};

class Host {
  public:
    virtual ~Host() = default;

    // --- main thread ---
    virtual bool isMainThread() = 0;
    // Runs the task on the main thread and returns when it has run; directly on the main thread.
    virtual void runOnMainThread(std::function<void()> task) = 0;
    // Queues the task for the main thread and returns at once.
    virtual void postToMainThread(std::function<void()> task) = 0;

    // --- host windows 0-12 ---
    virtual bool hasWindow(int window) = 0;
    // The frame of the host window (title bar included); nothing when there is no such window.
    virtual std::optional<HostRect> windowFrame(int window) = 0;
    // display: redraw the window at once.
    virtual void setWindowFrame(int window, HostRect frame, bool display) = 0;
    // Windows 0-7: the view's frame inside its host window (origin = the borders).
    virtual void setViewFrame(int window, HostRect frame) = 0;
    virtual void setWindowTitle(int window, const std::string& title) = 0;
    // Titled, closable and miniaturisable when true; borderless when false.
    virtual void setWindowTitleVisible(int window, bool visible) = 0;
    virtual void orderFront(int window) = 0;
    virtual void orderOut(int window) = 0;
    virtual bool isWindowVisible(int window) = 0;
    // Makes the window the key window and brings it to the front.
    virtual void makeKeyAndOrderFront(int window) = 0;
    virtual void centerWindow(int window) = 0;
    virtual void setBackgroundColor(int window, HostColor color) = 0;
    // Size of the screen the window is on (of the main screen when there is no such window).
    virtual HostSize screenSize(int window) = 0;
    // Number of the key window: 0-12, or 255 when no window of the application is key.
    virtual int keyWindow() = 0;
    virtual double backingScale(int window) = 0;
    // Height the host puts above a view inside a titled top-level window.
    virtual int titleBarHeight() = 0;

    // --- views of windows 0-7 ---
    virtual bool hasView(int window) = 0;
    // deferred: mark the view as needing display; otherwise draw it now.
    virtual void redrawView(int window, bool deferred) = 0;

    // --- menu bar ---
    // The items of the submenu of the main menu's item with exactly this title; nothing when
    // the menu bar has no such menu.
    virtual std::optional<std::vector<HostMenuItem>> menuItems(std::string_view menuTitle) = 0;
    // Removes the item at position (0-based). False when the menu or the position does not exist.
    virtual bool deleteMenuItem(std::string_view menuTitle, int position) = 0;

    // --- general pasteboard ---
    // Its string; nothing when it holds no text.
    virtual std::optional<std::string> pasteboardText() = 0;
    virtual void setPasteboardText(const std::string& text) = 0;
    virtual void setPasteboardImage(const HostImage& image) = 0;

    // --- text views of windows 8, 9, 10 and the rulers of 9 and 10 ---
    virtual bool hasTextView(int window) = 0;
    virtual std::string textViewText(int window) = 0;
    // Replaces the text and marks the view for redisplay.
    virtual void setTextViewText(int window, const std::string& text) = 0;
    // Substitutions and detections off, the fixed-pitch font at 12 points, text empty, redisplay.
    virtual void setUpTextView(int window) = 0;
    virtual void setRulerText(int window, const std::string& text) = 0;

    // --- dialogs (modal, main thread) ---
    // Chosen paths; empty when cancelled.
    virtual std::vector<std::string> openPanel(const OpenPanelRequest& request) = 0;
    // The chosen path; empty when cancelled.
    virtual std::string savePanel(const SavePanelRequest& request) = 0;
    // Tells the person the text (first line the message) and returns when it was dismissed. A host
    // without dialogs writes it to the log.
    virtual void messagePanel(const std::string& text);
    // Asks the question with the buttons (the last one cancels) and returns the title of the one
    // chosen. A host without dialogs writes it to the log and answers with the last button.
    virtual std::string questionPanel(const std::string& text, const std::vector<std::string>& buttons);
    // Lets the person choose a row of the list; none when cancelled. A host without dialogs writes the
    // title to the log and answers as cancelled.
    virtual std::optional<std::size_t> listPanel(const ListPanelRequest& request);

    // --- misc ---
    virtual void bell() = 0;
    // Folder of the font and graphic files, ending in "/".
    virtual std::string resourcesFolder() = 0;
    // Name shown in window titles.
    virtual std::string applicationName() = 0;
};

// The installed host. Before anything is installed (and after setHost(nullptr)) a built-in
// stand-in answers: no windows, views, menus or text views, the calling thread counts as the
// main thread, dialogs are cancelled, the resources folder is found as for an installed program.
Host& host();
// Installs the host; the caller keeps it alive until another one (or nullptr) is installed.
// Installing also routes the utility dialogs (selectfiletoopen, selectfiletosave, showmessage) to it.
void setHost(Host* newHost);

// $ZARVIK_RESOURCES when set, else <executable dir>/../share/zarvik/ when it exists, else
// <executable dir>/resources/; always ending in "/".
std::string defaultResourcesFolder();

// Runs the task on the main thread and waits for it (directly when already there).
void onMainThread(const std::function<void()>& task);
// Queues the task for the main thread without waiting (runs it directly when already there).
void onMainThreadAsync(std::function<void()> task);

// The bell of control code 7 and of refused menu choices (the system beep), from any thread.
void t_Bell();

}  // namespace zarvik
