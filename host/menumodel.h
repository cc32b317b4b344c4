#pragma once
// The application's one menu model, built from the menu table. Every top-level window shows it in its own
// menu bar; the items are shared actions, so deleting an item removes it from every bar and a shortcut works
// in every window. Choosing an item hands it to one callback with its menu title and tag.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QAction>
#include <QMenuBar>
#include <QObject>
#include <QString>

#include "toolkit/app/menutable.h"

namespace zarvik::qthost {

// One item as the toolkit sees it.
struct MenuItemInfo {
    QString menuTitle;
    QString title;
    int tag = 0;
    QString keyEquivalent;           // lower-case character, empty when there is none
    std::uint32_t keyModifiers = 0;  // modifier flag bits of the shortcut
};

// The Qt shortcut of a row of the menu table (empty when it has none).
QKeySequence shortcutOf(const t_MenuRow& row);

class MenuModel : public QObject {
  public:
    // Called for each chosen item; "Beenden" and the "Hilfe" items go to the host instead.
    using ChoiceHandler = std::function<void(const MenuItemInfo&)>;

    explicit MenuModel(QObject* parent = nullptr);

    void setChoiceHandler(ChoiceHandler handler) { handler_ = std::move(handler); }
    void setQuitHandler(std::function<void()> quit) { quit_ = std::move(quit); }
    // "Bedienung" and "Über Zarvik".
    void setHelpHandler(std::function<void(t_MenuTag)> help) { help_ = std::move(help); }
    // Called whenever one of the bars' menus closes, however it was closed.
    void setMenuClosedHandler(std::function<void()> closed) { closed_ = std::move(closed); }
    // Asked for every item with its tag each time a menu opens: false shows the item greyed.
    void setEnabledQuery(std::function<bool(int)> enabled) { enabled_ = std::move(enabled); }

    // Fills `bar` with the model's menus (a bar shows the same items as every other bar).
    void attach(QMenuBar* bar);

    std::optional<int> menuIndex(const QString& title) const;
    int itemCount(int menu) const;
    std::optional<MenuItemInfo> item(int menu, int position) const;
    bool deleteItem(int menu, int position);
    // The action of an item, for tests that trigger it as the user would.
    QAction* action(int menu, int position) const;

  private:
    struct Menu {
        QString title;
        std::vector<QAction*> items;
    };

    void addMenu(const QString& title);
    void addItem(int row);  // a row of the menu table
    void addSeparator();
    MenuItemInfo infoOf(const QString& menuTitle, const QAction* action) const;

    std::vector<Menu> menus_;
    ChoiceHandler handler_;
    std::function<void()> quit_;
    std::function<void(t_MenuTag)> help_;
    std::function<void()> closed_;
    std::function<bool(int)> enabled_;
};

}  // namespace zarvik::qthost
