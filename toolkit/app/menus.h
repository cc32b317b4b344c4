#pragma once
// Menus: the action table of the toolkit's built-in menu commands, the handler a host calls for
// every menu choice, the clean-up of the host's menus at start-up and the menu item operations.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/host.h"

namespace zarvik {

struct t_MenuAction {
    int Tag = 0;
    int Action = 0;
    std::string Title;
    std::string Note;
    std::string FileName;
    std::string FileTypes;
    std::string FilePath;
};

// Appends the 32 records 200-231, then the five 110-114.
void t_BuildMenuActions();
std::vector<t_MenuAction> t_MenuActions();
// The first record with this tag.
std::optional<t_MenuAction> t_FindMenuAction(int tag);

// A menu choice as the host reports it: the title of the item's menu (nothing when the item
// belongs to no menu) and the item.
struct t_HostMenuChoice {
    std::optional<std::string> MenuTitle;
    HostMenuItem Item;
};

// Main thread: carries out a built-in action; an item without one is queued as a menu event and
// gets a menu handler thread of its own, which takes exactly one event. Hiding the only visible
// window is refused with the bell.
void t_MenuEventHandler(const t_HostMenuChoice& choice);

// The text a console window's screen gives on the pasteboard: the line-drawing codes 127-160 as
// printable characters.
std::string t_PasteboardScreenText(std::string_view screen);

// Removes the host's menu items that make no sense here (character palettes, dictation, tiling).
void t_CleanUpHostMenus();

// Main thread: whether the item can be chosen now. The item that would hide the only visible window
// is not (the host shows it greyed).
bool t_MenuItemEnabled(int tag);

int t_MenuItemIndex(std::string_view menuTitle, std::string_view itemTitle);
void t_MenuItemDelete(std::string_view menuTitle, int position);
std::string t_MenuItemTitle(std::string_view menuTitle, int position);

}  // namespace zarvik
