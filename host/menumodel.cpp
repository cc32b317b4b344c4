#include "host/menumodel.h"

#include <QMenu>

#include "toolkit/modifiers.h"

namespace zarvik::qthost {

QKeySequence shortcutOf(const t_MenuRow& row) {
    if (row.Key == 0) {
        return {};
    }
    // Ctrl takes the place of the command key in menu shortcuts.
    Qt::KeyboardModifiers modifiers;
    if (t_HasModifier(row.Modifiers, t_ModifierBit::Command)) {
        modifiers |= Qt::ControlModifier;
    }
    if (t_HasModifier(row.Modifiers, t_ModifierBit::Shift)) {
        modifiers |= Qt::ShiftModifier;
    }
    if (t_HasModifier(row.Modifiers, t_ModifierBit::Option)) {
        modifiers |= Qt::AltModifier;
    }
    // Qt's key codes of letters and digits are their upper-case characters.
    const auto key = static_cast<Qt::Key>(QChar(row.Key).toUpper().unicode());
    return QKeySequence(QKeyCombination(modifiers, key));
}

MenuModel::MenuModel(QObject* parent) : QObject(parent) {
    const std::span<const t_MenuRow> table = t_MenuTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const t_MenuRow& row = table[i];
        const QString menu = QString::fromUtf8(row.Menu.data(), static_cast<qsizetype>(row.Menu.size()));
        if (menus_.empty() || menus_.back().title != menu) {
            addMenu(menu);
        }
        if (row.Title.empty()) {
            addSeparator();
        } else {
            addItem(static_cast<int>(i));
        }
    }
}

void MenuModel::addMenu(const QString& title) {
    menus_.push_back(Menu{title, {}});
}

void MenuModel::addItem(int row) {
    const t_MenuRow& info = t_MenuTable()[static_cast<std::size_t>(row)];
    auto* action =
        new QAction(QString::fromUtf8(info.Title.data(), static_cast<qsizetype>(info.Title.size())), this);
    action->setData(row);
    action->setShortcut(shortcutOf(info));
    action->setShortcutContext(Qt::WindowShortcut);
    if (info.Tag == t_MenuTag::Quit) {
        action->setMenuRole(QAction::QuitRole);
    }
    Menu& menu = menus_.back();
    const QString menuTitle = menu.title;
    connect(action, &QAction::triggered, this, [this, action, menuTitle, tag = info.Tag] {
        if (tag == t_MenuTag::Quit) {
            if (quit_) {
                quit_();
            }
        } else if (t_IsHostTag(tag)) {
            if (help_) {
                help_(tag);
            }
        } else if (handler_) {
            handler_(infoOf(menuTitle, action));
        }
    });
    menu.items.push_back(action);
}

void MenuModel::addSeparator() {
    auto* action = new QAction(this);
    action->setSeparator(true);
    action->setData(-1);
    menus_.back().items.push_back(action);
}

void MenuModel::attach(QMenuBar* bar) {
    for (std::size_t index = 0; index < menus_.size(); ++index) {
        const Menu& menu = menus_[index];
        QMenu* shown = bar->addMenu(menu.title);
        connect(shown, &QMenu::aboutToShow, this, [this, index] {
            for (QAction* action : menus_[index].items) {
                action->setEnabled(!enabled_ || enabled_(infoOf(menus_[index].title, action).tag));
            }
        });
        connect(shown, &QMenu::aboutToHide, this, [this] {
            if (closed_) {
                closed_();
            }
        });
        for (QAction* action : menu.items) {
            shown->addAction(action);
        }
    }
}

std::optional<int> MenuModel::menuIndex(const QString& title) const {
    for (std::size_t i = 0; i < menus_.size(); ++i) {
        if (menus_[i].title == title) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

int MenuModel::itemCount(int menu) const {
    if (menu < 0 || menu >= static_cast<int>(menus_.size())) {
        return 0;
    }
    return static_cast<int>(menus_[menu].items.size());
}

MenuItemInfo MenuModel::infoOf(const QString& menuTitle, const QAction* action) const {
    const int row = action->data().toInt();
    if (row < 0) {
        return MenuItemInfo{menuTitle, QString(), 0, QString(), 0};
    }
    const HostMenuItem item = t_HostMenuItemOf(t_MenuTable()[static_cast<std::size_t>(row)]);
    return MenuItemInfo{menuTitle, QString::fromStdString(item.title), item.tag,
                        QString::fromStdString(item.keyEquivalent), item.keyModifiers};
}

std::optional<MenuItemInfo> MenuModel::item(int menu, int position) const {
    if (position < 0 || position >= itemCount(menu)) {
        return std::nullopt;
    }
    return infoOf(menus_[menu].title, menus_[menu].items[position]);
}

QAction* MenuModel::action(int menu, int position) const {
    if (position < 0 || position >= itemCount(menu)) {
        return nullptr;
    }
    return menus_[menu].items[position];
}

bool MenuModel::deleteItem(int menu, int position) {
    if (position < 0 || position >= itemCount(menu)) {
        return false;
    }
    auto& items = menus_[menu].items;
    QAction* action = items[position];
    items.erase(items.begin() + position);
    delete action;  // leaves every menu bar that showed it
    return true;
}

}  // namespace zarvik::qthost
