#include "terminal/menubar.h"

#include <algorithm>

#include "terminal/keydecoder.h"

namespace zarvik::terminal {

std::vector<TerminalMenu> menusOfTable() {
    std::vector<TerminalMenu> menus;
    for (std::string_view title : t_MenuTitles()) {
        menus.push_back(TerminalMenu{std::string(title), t_MenuRows(title)});
    }
    return menus;
}

void MenuBar::open() {
    if (menus_.empty()) {
        return;
    }
    open_ = 0;
    firstItem();
}

void MenuBar::firstItem() {
    item_ = -1;
    step(1);
}

// Moves the mark to the next item that is not a separator (wrapping around).
void MenuBar::step(int direction) {
    const std::vector<t_MenuRow>& rows = menus_[std::size_t(open_)].rows;
    const int count = int(rows.size());
    if (count == 0) {
        item_ = -1;
        return;
    }
    for (int tried = 0; tried < count; ++tried) {
        item_ = ((item_ + direction) % count + count) % count;
        if (!rows[std::size_t(item_)].Title.empty()) {
            return;
        }
    }
    item_ = -1;
}

std::optional<t_MenuRow> MenuBar::key(const t_HostKeyEvent& key) {
    if (!isOpen() || key.Characters.empty()) {
        return std::nullopt;
    }
    const char32_t c = key.Characters.front();
    const int count = int(menus_.size());
    if (c == 27 || c == functionKeyCharacter(10)) {
        close();
    } else if (c == kLeftKey || c == kRightKey) {
        open_ = ((open_ + (c == kLeftKey ? -1 : 1)) % count + count) % count;
        firstItem();
    } else if (c == kUpKey || c == kDownKey) {
        step(c == kUpKey ? -1 : 1);
    } else if (c == 13 && item_ >= 0 && item_ < int(menus_[std::size_t(open_)].rows.size())) {
        const t_MenuRow row = menus_[std::size_t(open_)].rows[std::size_t(item_)];
        close();
        return row;
    }
    return std::nullopt;
}

}  // namespace zarvik::terminal
