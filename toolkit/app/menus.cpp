#include "toolkit/app/menus.h"

#include <array>
#include <mutex>

#include "toolkit/app/events.h"
#include "toolkit/app/menutable.h"
#include "toolkit/app/presentation.h"
#include "toolkit/app/printer.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"
#include "util/log.h"

namespace zarvik {
namespace {

constexpr int lastPosition = 65535;

std::mutex actionsMutex;
std::vector<t_MenuAction>& actions() {
    static auto* table = new std::vector<t_MenuAction>;  // lives for the process
    return *table;
}

// Printable stand-ins for the line-drawing codes 127-160, in code order. Code 156 (a horizontal
// piece in the fonts) is written as "-", not as a bar.
constexpr std::array<std::string_view, 34> pasteboardCodes{
    "#", "*", "#", "<", "=", ">", "O", "+", "+", "+", "+", "|", "|", "-", "-", "+", "+",
    "+", "+", "+", "+", "+", "+", "+", "+", "+", "+", "-", "-", "-", "|", "+", "=", "\u02FD",
};

bool isConsole(int window) {
    return window >= 0 && window < t_WindowCount;
}

// Hiding the only visible window would end the application without asking.
bool onlyVisibleWindow(std::uint8_t window) {
    Host& h = host();
    if (!h.isWindowVisible(window)) {
        return false;
    }
    for (int other = 0; other <= 12; ++other) {
        if (other != window && h.isWindowVisible(other)) {
            return false;
        }
    }
    return true;
}

// The window a hide item hides; none for every other item.
std::optional<std::uint8_t> windowHiddenBy(int action) {
    using enum t_MenuTag;
    switch (static_cast<t_MenuTag>(action)) {
        case Window12Hide:
            return 12;
        case Window11Hide:
            return 11;
        case PrinterHide:
            return 9;
        case PasteboardHide:
            return 8;
        case SystemConsoleHide:
            return 10;
        default:
            break;
    }
    const int first = static_cast<int>(ConsoleFront);
    if (action >= first && action <= static_cast<int>(LastConsoleHide) && (action - first) % 2 == 1) {
        return static_cast<std::uint8_t>((action - first) / 2);
    }
    return std::nullopt;
}

void hide(std::uint8_t window) {
    if (onlyVisibleWindow(window)) {
        t_Bell();
        return;
    }
    t_WindowVisible(window, false);
}

// Front or hide of a named host window.
void frontOrHide(std::uint8_t window, bool front) {
    if (front) {
        t_WindowFront(window);
    } else {
        hide(window);
    }
}

void copyText() {
    const std::uint8_t key = t_KeyWindow();
    Host& h = host();
    if (isConsole(key) && t_WindowRecord(key).Initialized) {
        h.setPasteboardText(t_PasteboardScreenText(t_GetScreen(key, "\r")));
    } else if (key == 9 || key == 10) {
        if (!h.hasTextView(key)) {
            logline(key == 9 ? "t_MenuEventHandler: Virtual printer window is nil, resource undefined."
                             : "t_MenuEventHandler: System console window is nil, resource undefined.");
            t_Bell();
            return;
        }
        h.setPasteboardText(h.textViewText(key));
    } else {
        t_Bell();
    }
}

void copyImage() {
    const std::uint8_t key = t_KeyWindow();
    std::optional<HostImage> image;
    if (isConsole(key)) {
        image = t_WindowImage(key);
    }
    if (!image) {
        t_Bell();
        return;
    }
    host().setPasteboardImage(*image);
}

void perform(int action) {
    using enum t_MenuTag;
    switch (static_cast<t_MenuTag>(action)) {
        case CopyImage:
            copyImage();
            return;
        case CopyText:
            copyText();
            return;
        case ClearPrinter:
            p_ClearPrinter();
            return;
        case SaveGraphic: {
            const std::uint8_t key = t_KeyWindow();
            if (isConsole(key) && t_WindowRecord(key).Initialized) {
                t_CallSaveGraphicHandler();
            } else {
                t_Bell();
            }
            return;
        }
        case ClearConsole:
            p_ClearConsole();
            return;
        case HideAll:
            for (std::uint8_t n = 0; n <= 12; ++n) {
                t_WindowVisible(n, false);
            }
            return;
        case HideKeyWindow: {
            const std::uint8_t key = t_KeyWindow();
            if (key <= 12) {
                hide(key);
            }
            return;
        }
        case Window12Front:
        case Window12Hide:
            frontOrHide(12, action == static_cast<int>(Window12Front));
            return;
        case Window11Front:
        case Window11Hide:
            frontOrHide(11, action == static_cast<int>(Window11Front));
            return;
        case PrinterFront:
        case PrinterHide:
            frontOrHide(9, action == static_cast<int>(PrinterFront));
            return;
        case PasteboardFront:
        case PasteboardHide:
            frontOrHide(8, action == static_cast<int>(PasteboardFront));
            return;
        case SystemConsoleFront:
        case SystemConsoleHide:
            frontOrHide(10, action == static_cast<int>(SystemConsoleFront));
            return;
        default:
            break;
    }
    const int first = static_cast<int>(ConsoleFront);
    if (action >= first && action <= static_cast<int>(LastConsoleHide)) {
        const auto n = static_cast<std::uint8_t>((action - first) / 2);
        if (!t_ToolkitReady() || !t_WindowRecord(n).Initialized) {
            logline("t_MenuEventHandler: Window #" + std::to_string(n) + " not initialized.");
            t_Bell();
            return;
        }
        frontOrHide(n, (action - first) % 2 == 0);
    }
    // 202-204 and 231: records without an action; they only keep their items from the program.
}

// Runs `task` with the menu's items on the main thread; false when there is no such menu.
template <typename Task>
bool withMenu(std::string_view title, Task task) {
    bool found = false;
    onMainThread([&] {
        std::optional<std::vector<HostMenuItem>> items = host().menuItems(title);
        if (items) {
            found = true;
            task(*items);
        }
    });
    return found;
}

void removeItems(std::string_view menu, std::initializer_list<std::string_view> titles,
                 std::string_view logPrefix) {
    onMainThread([&] {
        Host& h = host();
        for (std::string_view title : titles) {
            std::optional<std::vector<HostMenuItem>> items = h.menuItems(menu);
            if (!items) {
                return;
            }
            for (std::size_t i = 0; i < items->size(); ++i) {
                if ((*items)[i].title == title) {
                    h.deleteMenuItem(menu, static_cast<int>(i));
                    if (!logPrefix.empty()) {
                        logline(std::string(logPrefix) + std::string(title));
                    }
                    break;
                }
            }
        }
    });
}

}  // namespace

void t_BuildMenuActions() {
    const std::lock_guard lock(actionsMutex);
    for (int tag = 200; tag <= 231; ++tag) {
        actions().push_back({tag, tag, {}, {}, {}, {}, {}});
    }
    for (int tag = 110; tag <= 114; ++tag) {
        actions().push_back({tag, tag, {}, {}, {}, {}, {}});
    }
}

std::vector<t_MenuAction> t_MenuActions() {
    const std::lock_guard lock(actionsMutex);
    return actions();
}

std::optional<t_MenuAction> t_FindMenuAction(int tag) {
    const std::lock_guard lock(actionsMutex);
    for (const t_MenuAction& a : actions()) {
        if (a.Tag == tag) {
            return a;
        }
    }
    return std::nullopt;
}

std::string t_PasteboardScreenText(std::string_view screen) {
    std::string out;
    out.reserve(screen.size());
    for (std::size_t i = 0; i < screen.size();) {
        const std::uint32_t c = t_NextScalar(screen, i);
        if (c >= 127 && c <= 160) {
            out += pasteboardCodes[c - 127];
        } else {
            t_AppendUtf8(out, c);
        }
    }
    return out;
}

void t_MenuEventHandler(const t_HostMenuChoice& choice) {
    const HostMenuItem& item = choice.Item;
    t_MenuEvent event;
    if (choice.MenuTitle) {
        event.Kind = 3;
        event.MenuTitle = *choice.MenuTitle;
        event.ItemTitle = item.title;
        event.ItemKeyChar = item.keyEquivalent;
        event.ItemKeyMods = item.keyModifiers;
        std::size_t i = 0;
        event.ItemKeyAsc =
            item.keyEquivalent.empty() ? 0 : static_cast<int>(t_NextScalar(item.keyEquivalent, i));
    }
    event.ItemAction = item.tag;
    event.Time = t_TimeMillis();
    const std::optional<t_MenuAction> action = item.tag != 0 ? t_FindMenuAction(item.tag) : std::nullopt;
    if (action) {
        // Done here; an event left queued would be taken by the program's handler for a later item.
        perform(action->Action);
        return;
    }
    t_PostMenuEvent(event);
    t_StartMenuHandlerThread();
}

void t_CleanUpHostMenus() {
    for (std::string_view menu : {std::string_view("Bearbeiten"), std::string_view("Edit")}) {
        removeItems(menu,
                    {"Special Characters\u2026", "Emoji & Symbols", "Emoji & Symbole",
                     "Start Dictation\u2026", "Diktat starten \u2026"},
                    "");
        onMainThread([menu] {
            const std::optional<std::vector<HostMenuItem>> items = host().menuItems(menu);
            if (items && !items->empty() && items->back().title.empty()) {
                host().deleteMenuItem(menu, static_cast<int>(items->size()) - 1);
            }
        });
    }
    const std::initializer_list<std::string_view> tiling{"Tile Window to Left of Screen",
                                                         "Tile Window to Right of Screen", "Vollbildmodus"};
    removeItems("Fenster", tiling, "*** Found Fenster Menu Item ");
    removeItems("Window", tiling, "*** Found Window Menu Item ");
}

int t_MenuItemIndex(std::string_view menuTitle, std::string_view itemTitle) {
    int index = -1;
    const bool found = withMenu(menuTitle, [&](const std::vector<HostMenuItem>& items) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].title == itemTitle) {
                index = static_cast<int>(i);
                return;
            }
        }
    });
    if (!found) {
        logline("t_MenuItemIndex: Menu not found.");
        return -2;
    }
    return index;
}

void t_MenuItemDelete(std::string_view menuTitle, int position) {
    bool inRange = false;
    const bool found = withMenu(menuTitle, [&](const std::vector<HostMenuItem>& items) {
        const int count = static_cast<int>(items.size());
        const int p = position == lastPosition ? count - 1 : position;
        if (p >= 0 && p < count) {
            inRange = host().deleteMenuItem(menuTitle, p);
        }
    });
    if (!found) {
        logline("t_MenuItemDelete: Menu not found.");
    } else if (!inRange) {
        logline("t_MenuItemDelete: Item position out of range");
    }
}

std::string t_MenuItemTitle(std::string_view menuTitle, int position) {
    std::optional<std::string> title;
    const bool found = withMenu(menuTitle, [&](const std::vector<HostMenuItem>& items) {
        const int count = static_cast<int>(items.size());
        const int p = position == lastPosition ? count - 1 : position;
        if (p >= 0 && p < count) {
            title = items[static_cast<std::size_t>(p)].title;
        }
    });
    if (!found) {
        logline("t_MenuItemTitle: Menu not found.");
        return {};
    }
    if (!title) {
        logline("t_MenuItemTitle: Item position out of range");
        return {};
    }
    return *title;
}

bool t_MenuItemEnabled(int tag) {
    const std::optional<std::uint8_t> window = windowHiddenBy(tag);
    return !window || !onlyVisibleWindow(*window);
}

}  // namespace zarvik
