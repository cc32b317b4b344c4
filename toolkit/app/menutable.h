#pragma once
// The menu bar, once: its menus, items, shortcuts and separators as rows. Every host builds its
// menus from these rows and the program recognises its own items through them.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "toolkit/host.h"

namespace zarvik {

// What choosing an item does: a built-in action of the toolkit (the action's code), the program's
// menu handler (Program), or something the host answers itself (Quit, Manual, About).
enum class t_MenuTag : int {
    Program = 0,
    CopyImage = 110,
    CopyText = 111,
    ClearPrinter = 112,
    SaveGraphic = 113,
    ClearConsole = 114,
    HideAll = 200,
    HideKeyWindow = 201,
    Window12Front = 205,
    Window12Hide = 206,
    Window11Front = 207,
    Window11Hide = 208,
    PrinterFront = 209,
    PrinterHide = 210,
    PasteboardFront = 211,
    PasteboardHide = 212,
    ConsoleFront = 213,  // window n of 0-7 is brought to the front by 213 + 2n, hidden by 214 + 2n
    ConsoleHide = 214,
    LastConsoleHide = 228,
    SystemConsoleFront = 229,
    SystemConsoleHide = 230,
    Quit = -1,
    Manual = -2,
    About = -3,
};

// The program's own items, so that its menu handler tells them apart.
enum class t_MenuCommand { None, OpenGame, SaveGameAs, NewGame, TakeBack, Redo, Hint, OfferDraw, Resign, TurnBoard };

// One item of a menu; a separator has an empty title. Menus appear in the order of their first row.
struct t_MenuRow {
    std::string_view Menu;
    std::string_view Title;
    t_MenuTag Tag = t_MenuTag::Program;
    t_MenuCommand Command = t_MenuCommand::None;
    char Key = 0;                 // the shortcut's character (lower case), 0 when there is none
    std::uint32_t Modifiers = 0;  // the shortcut's modifier flag bits
};

std::span<const t_MenuRow> t_MenuTable();
std::vector<std::string_view> t_MenuTitles();
std::vector<t_MenuRow> t_MenuRows(std::string_view menu);

bool t_IsHostTag(t_MenuTag tag);
// The item as the toolkit's menu operations see it: host items carry tag 0 like program items.
HostMenuItem t_HostMenuItemOf(const t_MenuRow& row);
// The command of a program item; None for any other item or an unknown title.
t_MenuCommand t_MenuCommandOf(std::string_view menu, std::string_view item);

}  // namespace zarvik
