#include "host/menumodel.h"

#include <QMenu>

#include "host/keymap.h"

namespace zarvik::qthost {
namespace {

// Built-in action tags of the toolkit that the menus carry.
enum class Tag : int {
    Program = 0,  // no built-in action: the item reaches the program's menu handler
    CopyImage = 110,
    CopyText = 111,
    ClearPrinter = 112,
    SaveGraphic = 113,
    ClearConsole = 114,
    PrinterFront = 209,
    PrinterHide = 210,
    PasteboardFront = 211,
    PasteboardHide = 212,
    ConsoleFront = 213,
    ConsoleHide = 214,
    SystemConsoleFront = 229,
    SystemConsoleHide = 230,
};

std::uint32_t flagsOfShortcut(const QKeySequence& shortcut) {
    if (shortcut.isEmpty()) {
        return 0;
    }
    const Qt::KeyboardModifiers modifiers = shortcut[0].keyboardModifiers();
    std::uint32_t flags = 0;
    // Ctrl takes the place of the command key in menu shortcuts.
    if (modifiers & Qt::ControlModifier) {
        flags |= modifierMask(ModifierBit::Command);
    }
    if (modifiers & Qt::ShiftModifier) {
        flags |= modifierMask(ModifierBit::Shift);
    }
    if (modifiers & Qt::AltModifier) {
        flags |= modifierMask(ModifierBit::Option);
    }
    return flags;
}

QString keyOfShortcut(const QKeySequence& shortcut) {
    if (shortcut.isEmpty()) {
        return {};
    }
    return QKeySequence(shortcut[0].key()).toString().toLower();
}

}  // namespace

MenuModel::MenuModel(QObject* parent) : QObject(parent) {
    const auto ctrl = [](QKeyCombination key) { return QKeySequence(key); };
    addMenu(QStringLiteral("Ablage"));
    addItem(QStringLiteral("Spiel öffnen…"), static_cast<int>(Tag::Program), ctrl(Qt::CTRL | Qt::Key_O));
    addItem(QStringLiteral("Spiel sichern unter…"), static_cast<int>(Tag::Program),
            ctrl(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    addItem(QStringLiteral("Grafik sichern unter…"), static_cast<int>(Tag::SaveGraphic),
            ctrl(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
    addSeparator();
    addHostItem(QStringLiteral("Beenden"), HostItem::Quit, ctrl(Qt::CTRL | Qt::Key_Q));

    addMenu(QStringLiteral("Bearbeiten"));
    addItem(QStringLiteral("Text kopieren"), static_cast<int>(Tag::CopyText),
            ctrl(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    addItem(QStringLiteral("Bild kopieren"), static_cast<int>(Tag::CopyImage),
            ctrl(Qt::CTRL | Qt::SHIFT | Qt::Key_B));
    addSeparator();
    addItem(QStringLiteral("Drucker leeren"), static_cast<int>(Tag::ClearPrinter), {});
    addItem(QStringLiteral("Systemkonsole leeren"), static_cast<int>(Tag::ClearConsole), {});

    addMenu(QStringLiteral("Fenster"));
    addItem(QStringLiteral("Spielfenster zeigen"), static_cast<int>(Tag::ConsoleFront),
            ctrl(Qt::CTRL | Qt::Key_0));
    addItem(QStringLiteral("Spielfenster ausblenden"), static_cast<int>(Tag::ConsoleHide), {});
    addSeparator();
    addItem(QStringLiteral("Drucker zeigen"), static_cast<int>(Tag::PrinterFront),
            ctrl(Qt::CTRL | Qt::Key_1));
    addItem(QStringLiteral("Drucker ausblenden"), static_cast<int>(Tag::PrinterHide), {});
    addItem(QStringLiteral("Systemkonsole zeigen"), static_cast<int>(Tag::SystemConsoleFront),
            ctrl(Qt::CTRL | Qt::Key_2));
    addItem(QStringLiteral("Systemkonsole ausblenden"), static_cast<int>(Tag::SystemConsoleHide), {});
    addItem(QStringLiteral("Zwischenablage zeigen"), static_cast<int>(Tag::PasteboardFront),
            ctrl(Qt::CTRL | Qt::Key_3));
    addItem(QStringLiteral("Zwischenablage ausblenden"), static_cast<int>(Tag::PasteboardHide), {});

    addMenu(QStringLiteral("Hilfe"));
    addHostItem(QStringLiteral("Bedienung"), HostItem::Manual, {});
    addHostItem(QStringLiteral("Über Zarvik"), HostItem::About, {});
}

void MenuModel::addMenu(const QString& title) {
    menus_.push_back(Menu{title, {}});
}

QAction* MenuModel::addItem(const QString& title, int tag, const QKeySequence& shortcut) {
    auto* action = new QAction(title, this);
    action->setData(tag);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    Menu& menu = menus_.back();
    const QString menuTitle = menu.title;
    connect(action, &QAction::triggered, this, [this, action, menuTitle] {
        const QVariant hostItem = action->property("zarvikHostItem");
        if (hostItem.isValid()) {
            const auto item = static_cast<HostItem>(hostItem.toInt());
            if (item == HostItem::Quit && quit_) {
                quit_();
            } else if (item != HostItem::Quit && help_) {
                help_(item);
            }
            return;
        }
        if (handler_) {
            handler_(infoOf(menuTitle, action));
        }
    });
    menu.items.push_back(action);
    return action;
}

void MenuModel::addHostItem(const QString& title, HostItem item, const QKeySequence& shortcut) {
    QAction* action = addItem(title, static_cast<int>(Tag::Program), shortcut);
    action->setProperty("zarvikHostItem", static_cast<int>(item));
    if (item == HostItem::Quit) {
        action->setMenuRole(QAction::QuitRole);
    }
}

void MenuModel::addSeparator() {
    auto* action = new QAction(this);
    action->setSeparator(true);
    action->setData(0);
    menus_.back().items.push_back(action);
}

void MenuModel::attach(QMenuBar* bar) {
    for (const Menu& menu : menus_) {
        QMenu* shown = bar->addMenu(menu.title);
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
    return MenuItemInfo{menuTitle, action->isSeparator() ? QString() : action->text(), action->data().toInt(),
                        keyOfShortcut(action->shortcut()), flagsOfShortcut(action->shortcut())};
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
