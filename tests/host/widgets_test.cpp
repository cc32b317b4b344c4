// The host windows' layout, the view's scaling and clicks, and the dialogs' texts on the offscreen
// platform. The view's place in its window is checked through the host, its pixels against the
// window image in the application's tests.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "host/filedialogs.h"
#include "host/hostwindows.h"

namespace zarvik::qthost {
namespace {

TEST(TextWindows, LayOutTextAndRulerOnResize) {
    MenuModel menus;
    TextWindow printer(9, menus, true);
    TextWindow pasteboard(8, menus, false);
    printer.resize(800, 600);
    pasteboard.resize(500, 400);
    printer.show();
    pasteboard.show();
    const int t = printer.titleHeight();
    EXPECT_GT(t, 0);
    EXPECT_EQ(printer.text().geometry(), QRect(20, t + 35, 760, 600 - t - 55));
    ASSERT_NE(printer.ruler(), nullptr);
    EXPECT_EQ(printer.ruler()->geometry(), QRect(24, t + 8, 752, 19));
    EXPECT_EQ(pasteboard.ruler(), nullptr);
    EXPECT_EQ(pasteboard.text().geometry(), QRect(10, t + 10, 480, 400 - t - 20));
}

TEST(ConsoleWindows, CloseBoxIsReportedAndTheWindowStays) {
    MenuModel menus;
    ConsoleWindow window(3, menus, {});
    int closed = -1;
    window.onCloseBox = [&](int number) { closed = number; };
    window.show();
    EXPECT_FALSE(window.close());  // the host decides; the window is not closed by Qt
    EXPECT_EQ(closed, 3);
}

TEST(ConsoleWindows, DoubledViewIsSharp) {
    MenuModel menus;
    QImage source(2, 1, QImage::Format_RGB32);
    source.setPixel(0, 0, qRgb(255, 0, 0));
    source.setPixel(1, 0, qRgb(0, 0, 255));
    ConsoleView::Hooks hooks;
    hooks.render = [&](QImage& frame) {
        frame = source;
        return true;
    };
    ConsoleWindow window(0, menus, hooks);
    window.resize(4, 2 + window.titleHeight());
    window.show();
    const QImage painted = window.view().grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(painted, source.scaled(4, 2));  // nearest neighbour: no mixed colour at the seam
}

TEST(ConsoleWindows, ClicksArriveAsImagePixels) {
    MenuModel menus;
    QImage source(100, 50, QImage::Format_RGB32);
    source.fill(Qt::black);
    std::vector<QPointF> clicks;
    std::vector<bool> rights;
    ConsoleView::Hooks hooks;
    hooks.render = [&](QImage& frame) {
        frame = source;
        return true;
    };
    hooks.mouseDown = [&](QPointF point, bool right, std::uint32_t) {
        clicks.push_back(point);
        rights.push_back(right);
    };
    ConsoleWindow window(0, menus, hooks);
    window.resize(200, 100 + window.titleHeight());
    window.show();
    window.view().repaint();
    ASSERT_EQ(window.view().size(), QSize(200, 100));
    QTest::mouseClick(&window.view(), Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseClick(&window.view(), Qt::RightButton, {}, QPoint(199, 99));
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(window.view().frame().size(), QSize(100, 50));
    EXPECT_EQ(clicks[0], QPointF(10, 5));
    EXPECT_FALSE(rights[0]);
    EXPECT_EQ(clicks[1], QPointF(99.5, 49.5));
    EXPECT_TRUE(rights[1]);
}

TEST(FileDialogs, CarryTheGermanButtonTexts) {
    OpenPanelRequest open;
    open.title = "Spiel öffnen";
    open.prompt = "Öffnen";
    open.fileTypes = {"zarvik"};
    QFileDialog openDialog;
    configureOpenDialog(openDialog, open);
    EXPECT_EQ(openDialog.labelText(QFileDialog::Accept), QStringLiteral("Öffnen"));
    EXPECT_EQ(openDialog.fileMode(), QFileDialog::ExistingFile);

    OpenPanelRequest folder;
    folder.prompt = "Wählen";
    folder.canChooseFiles = false;
    folder.canChooseDirectories = true;
    QFileDialog folderDialog;
    configureOpenDialog(folderDialog, folder);
    EXPECT_EQ(folderDialog.labelText(QFileDialog::Accept), QStringLiteral("Wählen"));
    EXPECT_EQ(folderDialog.fileMode(), QFileDialog::Directory);

    SavePanelRequest save;
    save.proposedName = "Spiel.zarvik";
    save.fileTypes = {"zarvik"};
    QFileDialog saveDialog;
    configureSaveDialog(saveDialog, save);
    EXPECT_EQ(saveDialog.labelText(QFileDialog::Accept), QStringLiteral("Sichern"));
    EXPECT_EQ(saveDialog.labelText(QFileDialog::FileName), QStringLiteral("Sichern unter:"));
    EXPECT_EQ(saveDialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(saveDialog.nameFilters().contains(QStringLiteral("Alle Dateien (*)")));
}

TEST(FileDialogs, SavingOffersEachTypeAndAppendsItsExtension) {
    SavePanelRequest save;
    save.proposedName = "Spiel.zarvik";
    save.fileTypes = {"zarvik", "pgn"};
    QFileDialog dialog;
    configureSaveDialog(dialog, save);
    EXPECT_EQ(dialog.nameFilters(),
              (QStringList{QStringLiteral("Gesicherte Spiele (*.zarvik)"),
                           QStringLiteral("PGN-Partien (*.pgn)"), QStringLiteral("Alle Dateien (*)")}));
    EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("zarvik"));
    emit dialog.filterSelected(QStringLiteral("PGN-Partien (*.pgn)"));
    EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("pgn"));
    emit dialog.filterSelected(QStringLiteral("Gesicherte Spiele (*.zarvik)"));
    EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("zarvik"));
}

}  // namespace
}  // namespace zarvik::qthost
