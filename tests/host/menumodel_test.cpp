#include "host/menumodel.h"

#include <QMenu>

#include <gtest/gtest.h>

#include "toolkit/modifiers.h"

namespace zarvik::qthost {
namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Every host shows the table's items at the table's positions, separators included, so that a
// position means the same item in the desktop program and in a scripted run.
TEST(MenuModel, ShowsTheMenuTableAtItsPositions) {
    MenuModel model;
    const std::vector<std::string_view> menus = t_MenuTitles();
    for (std::size_t m = 0; m < menus.size(); ++m) {
        ASSERT_EQ(model.menuIndex(qs(menus[m])), static_cast<int>(m));
        const std::vector<t_MenuRow> rows = t_MenuRows(menus[m]);
        ASSERT_EQ(model.itemCount(static_cast<int>(m)), static_cast<int>(rows.size()));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const HostMenuItem expected = t_HostMenuItemOf(rows[i]);
            const auto item = model.item(static_cast<int>(m), static_cast<int>(i));
            ASSERT_TRUE(item.has_value());
            EXPECT_EQ(item->title.toStdString(), expected.title);
            EXPECT_EQ(item->tag, expected.tag);
            EXPECT_EQ(item->keyEquivalent.toStdString(), expected.keyEquivalent);
            EXPECT_EQ(item->keyModifiers, expected.keyModifiers);
            EXPECT_EQ(model.action(static_cast<int>(m), static_cast<int>(i))->shortcut(),
                      shortcutOf(rows[i]));
        }
    }
    EXPECT_FALSE(model.menuIndex(QStringLiteral("Edit")).has_value());
    EXPECT_FALSE(model.item(0, model.itemCount(0)).has_value());
}

TEST(MenuModel, ShortcutsBecomeQtKeySequences) {
    constexpr std::uint32_t command = t_ModifierMask(t_ModifierBit::Command);
    constexpr std::uint32_t shift = t_ModifierMask(t_ModifierBit::Shift);
    constexpr std::uint32_t option = t_ModifierMask(t_ModifierBit::Option);
    const struct {
        char key;
        std::uint32_t modifiers;
        const char* shown;
    } rows[] = {
        {'o', command, "Ctrl+O"}, {'z', command | shift, "Ctrl+Shift+Z"}, {'0', command, "Ctrl+0"},
        {'x', option, "Alt+X"},   {'n', command | option, "Ctrl+Alt+N"},  {0, command, ""},
    };
    for (const auto& row : rows) {
        const t_MenuRow menuRow{"Spiel", "Punkt",      t_MenuTag::Program, t_MenuCommand::None,
                                row.key, row.modifiers};
        EXPECT_EQ(shortcutOf(menuRow).toString(QKeySequence::PortableText), QString::fromUtf8(row.shown));
    }
}

// Program and toolkit items go to the toolkit; the host's own items never do.
TEST(MenuModel, ChoosingAnItemReportsItOrGoesToTheHost) {
    MenuModel model;
    std::vector<MenuItemInfo> chosen;
    std::vector<t_MenuTag> help;
    int quits = 0;
    model.setChoiceHandler([&](const MenuItemInfo& item) { chosen.push_back(item); });
    model.setQuitHandler([&] { ++quits; });
    model.setHelpHandler([&](t_MenuTag item) { help.push_back(item); });
    for (int m = 0; m < static_cast<int>(t_MenuTitles().size()); ++m) {
        for (int i = 0; i < model.itemCount(m); ++i) {
            model.action(m, i)->trigger();
        }
    }
    std::size_t toolkitItems = 0;
    for (const t_MenuRow& row : t_MenuTable()) {
        toolkitItems += !row.Title.empty() && !t_IsHostTag(row.Tag) ? 1 : 0;
    }
    EXPECT_EQ(chosen.size(), toolkitItems);
    EXPECT_EQ(chosen.front().menuTitle, QStringLiteral("Ablage"));
    EXPECT_EQ(chosen.front().title, QStringLiteral("Spiel öffnen…"));
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(help, (std::vector<t_MenuTag>{t_MenuTag::Manual, t_MenuTag::About}));
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

// Each time a menu opens, its items ask whether they can be chosen: "Spielfenster ausblenden" greys
// while the game window is the only one to see.
TEST(MenuModel, ItemsThatCannotBeChosenAreGreyedWhenTheMenuOpens) {
    MenuModel model;
    QMenuBar bar;
    model.attach(&bar);
    bool gameWindowAlone = true;
    model.setEnabledQuery([&](int tag) { return !(gameWindowAlone && tag == int(t_MenuTag::ConsoleHide)); });
    const int windows = *model.menuIndex(QStringLiteral("Fenster"));
    QMenu* menu = bar.actions().at(windows)->menu();
    QAction* hide = nullptr;
    for (QAction* action : menu->actions()) {
        hide = action->text() == QStringLiteral("Spielfenster ausblenden") ? action : hide;
    }
    ASSERT_NE(hide, nullptr);
    for (const bool alone : {true, false}) {
        gameWindowAlone = alone;
        emit menu->aboutToShow();
        EXPECT_EQ(hide->isEnabled(), !alone);
    }
}

}  // namespace
}  // namespace zarvik::qthost
