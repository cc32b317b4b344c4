#pragma once
// The menu bar of the terminal: opened with F10, walked with the arrow keys, an item chosen with
// Return, closed with Escape or F10 again. Its menus are the rows of the one menu table, as the host
// keeps them (an item the toolkit deleted is gone here too).
#include <optional>
#include <string>
#include <vector>

#include "toolkit/app/events.h"
#include "toolkit/app/menutable.h"

namespace zarvik::terminal {

struct TerminalMenu {
    std::string title;
    std::vector<t_MenuRow> rows;
};

// The menus of the menu table in their order.
std::vector<TerminalMenu> menusOfTable();

class MenuBar {
  public:
    explicit MenuBar(const std::vector<TerminalMenu>& menus) : menus_(menus) {}

    void open();
    void close() { open_ = -1; }
    bool isOpen() const { return open_ >= 0; }
    int openMenu() const { return open_; }
    int item() const { return item_; }

    // Answers a key while the bar is open; the row chosen with Return (the bar closes then).
    std::optional<t_MenuRow> key(const t_HostKeyEvent& key);

  private:
    void step(int direction);
    void firstItem();

    const std::vector<TerminalMenu>& menus_;
    int open_ = -1;
    int item_ = 0;
};

}  // namespace zarvik::terminal
