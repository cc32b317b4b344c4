#include "host/menumodel.h"

#include <QMenu>

#include <gtest/gtest.h>

#include "host/keymap.h"

namespace zarvik::qthost {
namespace {

struct ItemRow {
    const char* menu;
    const char* title;
    int tag;
    const char* key;
    std::uint32_t modifiers;
};

constexpr std::uint32_t kCommand = modifierMask(ModifierBit::Command);
constexpr std::uint32_t kShift = modifierMask(ModifierBit::Shift);

// The items that the toolkit and the program rely on, with their tags and shortcuts.
const ItemRow kItems[] = {
    {"Ablage", "Spiel öffnen…", 0, "o", kCommand},
    {"Ablage", "Spiel sichern unter…", 0, "s", kCommand | kShift},
    {"Ablage", "Grafik sichern unter…", 113, "g", kCommand | kShift},
    {"Ablage", "Beenden", 0, "q", kCommand},
    {"Bearbeiten", "Text kopieren", 111, "c", kCommand | kShift},
    {"Bearbeiten", "Bild kopieren", 110, "b", kCommand | kShift},
    {"Bearbeiten", "Drucker leeren", 112, "", 0},
    {"Bearbeiten", "Systemkonsole leeren", 114, "", 0},
    {"Fenster", "Spielfenster zeigen", 213, "0", kCommand},
    {"Fenster", "Spielfenster ausblenden", 214, "", 0},
    {"Fenster", "Drucker zeigen", 209, "1", kCommand},
    {"Fenster", "Drucker ausblenden", 210, "", 0},
    {"Fenster", "Systemkonsole zeigen", 229, "2", kCommand},
    {"Fenster", "Systemkonsole ausblenden", 230, "", 0},
    {"Fenster", "Zwischenablage zeigen", 211, "3", kCommand},
    {"Fenster", "Zwischenablage ausblenden", 212, "", 0},
};

std::optional<MenuItemInfo> find(const MenuModel& model, const QString& menuTitle, const QString& title) {
    const auto menu = model.menuIndex(menuTitle);
    if (!menu) {
        return std::nullopt;
    }
    for (int i = 0; i < model.itemCount(*menu); ++i) {
        if (auto item = model.item(*menu, i); item && item->title == title) {
            return item;
        }
    }
    return std::nullopt;
}

TEST(MenuModel, CarriesTheGermanItemsWithTheirTagsAndShortcuts) {
    MenuModel model;
    for (const ItemRow& row : kItems) {
        SCOPED_TRACE(row.title);
        const auto item = find(model, QString::fromUtf8(row.menu), QString::fromUtf8(row.title));
        ASSERT_TRUE(item.has_value());
        EXPECT_EQ(item->tag, row.tag);
        EXPECT_EQ(item->keyEquivalent, QString::fromUtf8(row.key));
        EXPECT_EQ(item->keyModifiers, row.modifiers);
    }
    EXPECT_FALSE(model.menuIndex(QStringLiteral("Edit")).has_value());
}

TEST(MenuModel, ChoosingAnItemReportsItAndQuitOnlyQuits) {
    MenuModel model;
    std::vector<MenuItemInfo> chosen;
    int quits = 0;
    model.setChoiceHandler([&](const MenuItemInfo& item) { chosen.push_back(item); });
    model.setQuitHandler([&] { ++quits; });
    const int file = *model.menuIndex(QStringLiteral("Ablage"));
    model.action(file, 1)->trigger();
    model.action(file, 4)->trigger();
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].menuTitle, QStringLiteral("Ablage"));
    EXPECT_EQ(chosen[0].title, QStringLiteral("Spiel sichern unter…"));
    EXPECT_EQ(quits, 1);
}

TEST(MenuModel, DeletingAnItemRemovesItFromEveryMenuBar) {
    MenuModel model;
    QMenuBar first;
    QMenuBar second;
    model.attach(&first);
    model.attach(&second);
    const int edit = *model.menuIndex(QStringLiteral("Bearbeiten"));
    const int before = model.itemCount(edit);
    ASSERT_EQ(first.actions().at(edit)->menu()->actions().size(), before);

    EXPECT_TRUE(model.deleteItem(edit, 0));
    EXPECT_FALSE(model.deleteItem(edit, before - 1));  // one fewer now
    EXPECT_FALSE(model.deleteItem(edit, -1));
    EXPECT_FALSE(model.deleteItem(42, 0));
    EXPECT_EQ(model.itemCount(edit), before - 1);
    for (QMenuBar* bar : {&first, &second}) {
        const QList<QAction*> shown = bar->actions().at(edit)->menu()->actions();
        ASSERT_EQ(shown.size(), before - 1);
        EXPECT_EQ(shown.front()->text(), QStringLiteral("Bild kopieren"));
    }
}

TEST(MenuModel, SeparatorsAreItemsWithoutTitle) {
    MenuModel model;
    const int file = *model.menuIndex(QStringLiteral("Ablage"));
    const auto separator = model.item(file, 3);
    ASSERT_TRUE(separator.has_value());
    EXPECT_TRUE(separator->title.isEmpty());
    EXPECT_EQ(separator->tag, 0);
    EXPECT_FALSE(model.item(file, model.itemCount(file)).has_value());
}

}  // namespace
}  // namespace zarvik::qthost
