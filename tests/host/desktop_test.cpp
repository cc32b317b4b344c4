// The application on a desktop: Qt's dialogues in German with one title and the program's filters,
// the keyboard back with the game after menus and dialogues, the clipboard's line ends, the system
// console following its new lines, and the "Hilfe" menu.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include "host/filedialogs.h"
#include "host/helpdialogs.h"
#include "host/qthost.h"
#include "host/translations.h"
#include "tests/host/modal.h"

namespace zarvik::qthost {
namespace {

// Closes the next modal dialogue once it is shown, and remembers its title.
void cancelNextDialog(QString* title) {
    QTimer::singleShot(50, [title] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) {
            cancelNextDialog(title);
            return;
        }
        *title = dialog->windowTitle();
        dialog->close();
    });
}

bool hasLabel(const QWidget& dialog, const QString& text) {
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == text) {
            return true;
        }
    }
    return false;
}

TEST(GermanDialogs, QtsOwnTextsAreGerman) {
    ASSERT_TRUE(installGermanTranslations(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Suchen in:"));
    OpenPanelRequest open;
    open.title = "Spiel öffnen";
    open.message = "Spiel öffnen";
    open.prompt = "Öffnen";
    QFileDialog dialog;
    configureOpenDialog(dialog, open);
    EXPECT_TRUE(hasLabel(dialog, QStringLiteral("Suchen in:")));
    EXPECT_FALSE(hasLabel(dialog, QStringLiteral("Look in:")));
}

// The title shows the message after a dash where the two differ.
struct DialogCase {
    const char* name;
    bool save;
    const char* title;
    const char* message;
    std::vector<std::string> fileTypes;
    QStringList filters;
};

void PrintTo(const DialogCase& c, std::ostream* os) {
    *os << c.name;
}

class DialogTitlesAndFilters : public testing::TestWithParam<DialogCase> {};

TEST_P(DialogTitlesAndFilters, AsThePersonReadsThem) {
    const DialogCase& c = GetParam();
    QFileDialog dialog;
    if (c.save) {
        SavePanelRequest request;
        request.title = c.title;
        request.message = c.message;
        request.fileTypes = c.fileTypes;
        configureSaveDialog(dialog, request);
    } else {
        OpenPanelRequest request;
        request.title = c.title;
        request.message = c.message;
        request.fileTypes = c.fileTypes;
        configureOpenDialog(dialog, request);
    }
    const std::string message = c.message;
    const std::string shown = message.empty() || message == c.title ? c.title : c.title + (" – " + message);
    EXPECT_EQ(dialog.windowTitle(), QString::fromStdString(shown));
    EXPECT_EQ(dialog.nameFilters(), c.filters);
    // The date column has room for a German date and time, every column for its heading.
    for (const QTreeView* view : dialog.findChildren<QTreeView*>()) {
        const QHeaderView& header = *view->header();
        ASSERT_GT(header.count(), 3);
        EXPECT_GE(header.sectionSize(3),
                  header.fontMetrics().horizontalAdvance(QStringLiteral("31.12.2026 23:59")));
        // And every column for its heading.
        for (int section = 0; section < header.count(); ++section) {
            EXPECT_GE(header.sectionSize(section), header.sectionSizeHint(section)) << section;
        }
    }
}

const QString kGames = QStringLiteral("Gesicherte Spiele (*.zarvik)");
const QString kAll = QStringLiteral("Alle Dateien (*)");
const QString kGraphics = QStringLiteral("Grafiken (*.gr)");

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DialogTitlesAndFilters,
    testing::Values(
        DialogCase{
            "OpenGame", false, "Spiel öffnen", "Spiel öffnen", {}, {kGames, "PGN-Partien (*.pgn)", kAll}},
        DialogCase{
            "SaveGame", true, "Spiel sichern unter", "Spiel sichern unter", {"zarvik"}, {kGames, kAll}},
        DialogCase{"SaveGraphic", true, "Grafik", "", {"gr", "png"}, {kGraphics, "PNG-Bilder (*.png)", kAll}},
        DialogCase{"OpenOfNamedTypesOnly", false, "Bild laden", "", {"gr"}, {kGraphics}},
        DialogCase{"TitleAndOtherMessage", false, "Laden", "Welches Spiel?", {"zarvik"}, {kGames}}),
    [](const testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });

class Desktop : public testing::Test {
  protected:
    void SetUp() override {
        QtHost::Callbacks c;
        c.keyDown = [this](int window, const TranslatedKey& key) {
            keys.push_back(window);
            characters += QString::fromStdU32String(key.characters);
        };
        host = std::make_unique<QtHost>(c);
        host->setAvailableArea([](const QWidget&) { return QRect(0, 0, 1600, 1000); });
        host->makeKeyAndOrderFront(0);
        ASSERT_TRUE(waitFor([this] { return QApplication::focusWidget() == &view(); }));
    }
    ConsoleView& view() { return host->consoleWindow(0).view(); }

    std::unique_ptr<QtHost> host;
    std::vector<int> keys;
    QString characters;
};

TEST_F(Desktop, AfterEscapeClosesAMenuTheNextKeyReachesTheGame) {
    QMenuBar* bar = host->window(0).findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    QAction* file = bar->actions().front();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
    ASSERT_TRUE(waitFor([file] { return file->menu()->isVisible(); }));
    QTest::keyClick(file->menu(), Qt::Key_Escape);
    ASSERT_TRUE(waitFor([file] { return !file->menu()->isVisible(); }));
    EXPECT_TRUE(waitFor([this] { return QApplication::focusWidget() == &view(); }))
        << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "none");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_5);
    EXPECT_EQ(characters, QStringLiteral("5"));
}

TEST_F(Desktop, AfterADialogueTheNextKeyReachesTheGame) {
    QString title;
    cancelNextDialog(&title);
    OpenPanelRequest request;
    request.title = "Spiel öffnen";
    request.message = "Spiel öffnen";
    EXPECT_TRUE(host->openPanel(request).empty());
    EXPECT_EQ(title, QStringLiteral("Spiel öffnen"));
    EXPECT_TRUE(waitFor([this] { return QApplication::focusWidget() == &view(); }));

    cancelNextDialog(&title);
    host->menus().action(*host->menus().menuIndex(QStringLiteral("Hilfe")), 1)->trigger();
    EXPECT_EQ(title, QStringLiteral("Über Zarvik"));
    EXPECT_TRUE(waitFor([this] { return QApplication::focusWidget() == &view(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_4);
    EXPECT_EQ(characters, QStringLiteral("4"));
}

TEST_F(Desktop, HelpMenuShowsHowToPlayAndTheVersion) {
    const int help = *host->menus().menuIndex(QStringLiteral("Hilfe"));
    ASSERT_EQ(host->menus().itemCount(help), 2);
    EXPECT_EQ(host->menus().item(help, 0)->title, QStringLiteral("Bedienung"));
    EXPECT_EQ(host->menus().item(help, 1)->title, QStringLiteral("Über Zarvik"));
    for (const char* needed : {"E2-E4", "O-O-O", "Rücktaste", "Escape", "<b>T</b>", "<b>X</b>", "<b>*</b>",
                               "J/N", "Maus", "Rechtsklick"}) {
        EXPECT_TRUE(manualText().contains(QString::fromUtf8(needed))) << needed;
    }
    EXPECT_TRUE(aboutText(QStringLiteral(ZARVIK_VERSION)).contains(QStringLiteral(ZARVIK_VERSION)));
    EXPECT_TRUE(fontLicence().contains(QStringLiteral("Bitstream"))) << fontLicence().toStdString();
}

TEST_F(Desktop, ClipboardCarriesLineFeedsAndTheProgramCarriageReturns) {
    host->setPasteboardText("Spielverlauf\r  1 Weiss: E2-E4\r");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Spielverlauf\n  1 Weiss: E2-E4\n"));
    QGuiApplication::clipboard()->setText(QStringLiteral("E2-E4\nE7-E5\r\nG1-F3"));
    EXPECT_EQ(host->pasteboardText(), "E2-E4\rE7-E5\rG1-F3");
}

TEST_F(Desktop, SystemConsoleFollowsNewLinesAtTheBottomOnly) {
    host->orderFront(10);
    QScrollBar& bar = *host->textWindow(10).text().verticalScrollBar();
    for (int i = 0; i < 300; ++i) {
        host->appendConsoleLine(QStringLiteral("Zeile %1").arg(i));
    }
    QCoreApplication::processEvents();
    ASSERT_GT(bar.maximum(), 0);
    EXPECT_EQ(bar.value(), bar.maximum());
    bar.setValue(10);
    host->appendConsoleLine(QStringLiteral("noch eine"));
    QCoreApplication::processEvents();
    EXPECT_EQ(bar.value(), 10) << "a person reading further up keeps their place";
}

TEST_F(Desktop, HiddenSystemConsoleShowsItsNewestLines) {
    host->orderOut(10);
    for (int i = 0; i < 300; ++i) {
        host->appendConsoleLine(QStringLiteral("Zeile %1").arg(i));
    }
    host->orderFront(10);
    QCoreApplication::processEvents();
    QScrollBar& bar = *host->textWindow(10).text().verticalScrollBar();
    EXPECT_EQ(bar.value(), bar.maximum());
}

}  // namespace
}  // namespace zarvik::qthost
