// The application's message dialog and quit question on the offscreen platform: what the person
// reads, that a program thread waits until the message was dismissed, and what each answer does.
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "host/filedialogs.h"
#include "host/listdialog.h"
#include "host/quitquestion.h"
#include "tests/host/modal.h"
#include "util/dialogs.h"

namespace zarvik::qthost {
namespace {

// Presses the button of the modal message box once it shows; what the box said.
struct Dismissal {
    QString text;
    QString details;
    QString title;
    bool warning = false;
};
void dismissWhenShown(Dismissal& seen) {
    QTimer::singleShot(10, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            dismissWhenShown(seen);
            return;
        }
        seen = {box->text(), box->informativeText(), box->windowTitle(), box->icon() == QMessageBox::Warning};
        box->button(QMessageBox::Ok)->click();
    });
}

// The games of a collection: every heading readable, the row chosen comes back, a cancel gives none.
TEST(ListDialog, ChoosesARowUnderReadableHeadings) {
    const ListPanelRequest request{
        "Partie wählen",
        "2 Partien in /tmp/x.pgn",
        {"Nr.", "Weiss", "Schwarz", "Turnier", "Datum", "Ergebnis", "Züge"},
        {{"1", "A", "B", "", "?", "*", "1"}, {"2", "C", "D", "", "?", "1-0", "40"}}};
    for (const bool accepted : {true, false}) {
        ListDialog dialog(request, nullptr);
        QTreeWidget& list = dialog.list();
        ASSERT_EQ(list.topLevelItemCount(), 2);
        for (int column = 0; column < list.columnCount(); ++column) {
            EXPECT_GE(list.columnWidth(column), list.header()->sectionSizeHint(column)) << column;
        }
        list.setCurrentItem(list.topLevelItem(1));
        accepted ? dialog.accept() : dialog.reject();
        EXPECT_EQ(dialog.chosenRow(), accepted ? std::optional<std::size_t>(1) : std::nullopt);
    }
}

TEST(MessageDialog, ShowsTheFirstLineAsTheMessageAndTheRestAsDetails) {
    Dismissal seen;
    dismissWhenShown(seen);
    runMessageDialog("Das Spiel konnte nicht gesichert werden.\n/tmp/x.zarvik\nPermission denied");
    EXPECT_EQ(seen.text, QStringLiteral("Das Spiel konnte nicht gesichert werden."));
    EXPECT_EQ(seen.details, QStringLiteral("/tmp/x.zarvik\nPermission denied"));
    EXPECT_EQ(seen.title, QStringLiteral("Zarvik"));
    EXPECT_TRUE(seen.warning);

    QMessageBox single;
    configureMessageBox(single, "Die Datei enthält kein gesichertes Spiel.");
    EXPECT_EQ(single.text(), QStringLiteral("Die Datei enthält kein gesichertes Spiel."));
    EXPECT_EQ(single.informativeText(), QString());
}

// A program thread's message runs on the GUI thread and holds the program until it is dismissed.
TEST(MessageDialog, AProgramThreadWaitsUntilItIsDismissed) {
    const std::thread::id gui = std::this_thread::get_id();
    DialogProvider provider;
    provider.isMainThread = [gui] { return std::this_thread::get_id() == gui; };
    provider.runOnMainThread = [](std::function<void()> task) {
        QMetaObject::invokeMethod(qApp, std::move(task), Qt::QueuedConnection);
    };
    provider.openPanel = [](const OpenPanelRequest&) { return std::vector<std::string>{}; };
    provider.savePanel = [](const SavePanelRequest&) { return std::string(); };
    provider.messagePanel = [](const std::string& text) { runMessageDialog(text); };
    setdialogprovider(provider);
    Dismissal seen;
    dismissWhenShown(seen);
    std::atomic<bool> returned{false};
    std::thread program([&] {
        showmessage("Die Datei konnte nicht geöffnet werden.\n/x\nNo such file or directory");
        returned = true;
    });
    while (!returned) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    program.join();
    setdialogprovider({});
    EXPECT_EQ(seen.text, QStringLiteral("Die Datei konnte nicht geöffnet werden."));
    EXPECT_EQ(seen.details, QStringLiteral("/x\nNo such file or directory"));
}

TEST(QuitQuestion, AsksOnlyWithUnsavedMoves) {
    int saves = 0;
    EXPECT_TRUE(mayQuit([] { return false; }, [&] { return ++saves > 0; })) << "nothing to ask";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // "Nicht sichern" alone gives the game up for good (discards it).
    struct Case {
        const char* button;
        bool saved;
        bool quits;
        int saves;
        int discards;
    };
    for (const Case& c : {Case{"Sichern", true, true, 1, 0}, Case{"Sichern", false, false, 1, 0},
                          Case{"Nicht sichern", true, true, 0, 1}, Case{"Abbrechen", true, false, 0, 0}}) {
        saves = 0;
        int discards = 0;
        QString asked;
        answerModal(QString::fromUtf8(c.button), asked);
        const bool saved = c.saved;
        EXPECT_EQ(mayQuit([] { return true; },
                          [&] {
                              ++saves;
                              return saved;
                          },
                          [&] { ++discards; }),
                  c.quits)
            << c.button << (c.saved ? " saved" : " not saved");
        EXPECT_EQ(saves, c.saves) << c.button;
        EXPECT_EQ(discards, c.discards) << c.button;
        EXPECT_EQ(asked, QStringLiteral("Das Spiel ist nicht gesichert. Vor dem Beenden sichern?"));
    }

    QMessageBox box;
    configureQuitQuestion(box);
    ASSERT_NE(box.defaultButton(), nullptr);
    EXPECT_EQ(box.defaultButton()->text(), QStringLiteral("Abbrechen")) << "Return keeps the game";
    EXPECT_EQ(box.escapeButton(), box.defaultButton());
    EXPECT_EQ(box.buttons().size(), 3);
}

}  // namespace
}  // namespace zarvik::qthost
