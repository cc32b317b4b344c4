#pragma once
// The toolkit's host on Qt: thirteen top-level windows (console windows 0-7 with their views, the
// pasteboard, printer and system console text windows, preferences and main window), the menu
// model shown in each of them, the clipboard, the file dialogs and the bell. Events from the
// widgets leave through the callbacks; the application wires them to the toolkit.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include <QElapsedTimer>
#include <QImage>
#include <QMargins>
#include <QRect>
#include <QStringList>
#include <QTimer>

#include "host/hostwindows.h"
#include "host/keymap.h"
#include "host/menumodel.h"
#include "toolkit/host.h"

namespace zarvik::qthost {

inline constexpr int kHostWindowCount = 13;
inline constexpr int kConsoleWindowCount = 8;
inline constexpr int kPasteboardWindow = 8;
inline constexpr int kPrinterWindow = 9;
inline constexpr int kSystemConsoleWindow = 10;

class QtHost final : public Host {
  public:
    struct Callbacks {
        // Fills the frame with window N's image; false when there is none to show.
        std::function<bool(int window, QImage& frame)> render;
        std::function<void(int window, const TranslatedKey& key)> keyDown;
        std::function<void()> keyUp;
        std::function<void(int window, std::uint32_t modifierFlags)> modifiersChanged;
        // x, y in the host window's content, in points, y from the bottom.
        std::function<void(int window, double x, double y, bool right, std::uint32_t modifierFlags)>
            mouseDown;
        std::function<void()> mouseUp;
        std::function<void(int window)> closeBox;
        std::function<void(const MenuItemInfo& item)> menuChoice;
        std::function<void(const QStringList& paths)> filesDropped;
        // No window is visible any more, or the user chose "Beenden".
        std::function<void()> quit;
    };

    explicit QtHost(Callbacks callbacks);
    ~QtHost() override;

    HostWindow& window(int number) { return *windows_[number]; }
    ConsoleWindow& consoleWindow(int number);
    TextWindow& textWindow(int number);
    MenuModel& menus() { return menus_; }

    // Appends one line to the system console's text view (main thread); the view follows the new
    // line while it is scrolled to the bottom.
    void appendConsoleLine(const QString& line);

    // The part of a window's screen that windows may cover (without panels and docks). Tests
    // replace it to stand for other screens.
    using AvailableArea = std::function<QRect(const QWidget& window)>;
    void setAvailableArea(AvailableArea area) { availableArea_ = std::move(area); }

    // Gives the keyboard back to the window that had it last (the game's view for a console
    // window), after a menu or a dialogue took it.
    void returnFocus();

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
    std::optional<std::size_t> listPanel(const ListPanelRequest& request) override;

    void bell() override;
    std::string resourcesFolder() override;
    std::string applicationName() override;

  private:
    bool isTextWindow(int window) const;
    void visibilityChanged();
    QRect availableFor(const QWidget& window) const;
    // The window manager's frame around a window (from a shown window when this one is not shown).
    QMargins decorationsOf(const HostWindow& window);
    // Puts a window that is shown for the first time beside the game window, and keeps every
    // shown window fully on its screen once its frame is known.
    void placeOnFirstShow(HostWindow& window);
    void keepOnScreen(HostWindow& window);
    ConsoleView::Hooks viewHooks(int window);

    Callbacks callbacks_;
    MenuModel menus_;
    std::array<std::unique_ptr<HostWindow>, kHostWindowCount> windows_;
    AvailableArea availableArea_;
    QMargins lastDecorations_;
    int lastKeyWindow_ = 255;
    bool everShown_ = false;
    QTimer quitCheck_;
};

}  // namespace zarvik::qthost
