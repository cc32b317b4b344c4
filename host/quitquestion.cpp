#include "host/quitquestion.h"

#include <QApplication>
#include <QPushButton>

namespace zarvik::qthost {

void configureQuitQuestion(QMessageBox& box) {
    box.setIcon(QMessageBox::Question);
    box.setWindowTitle(QStringLiteral("Zarvik"));
    box.setText(QStringLiteral("Das Spiel ist nicht gesichert. Vor dem Beenden sichern?"));
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.button(QMessageBox::Save)->setText(QStringLiteral("Sichern"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("Nicht sichern"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
}

bool mayQuit(const std::function<bool()>& unsaved, const std::function<bool()>& save) {
    if (!unsaved()) {
        return true;
    }
    QMessageBox box(QApplication::activeWindow());
    configureQuitQuestion(box);
    switch (box.exec()) {
        case QMessageBox::Save:
            return save();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

}  // namespace zarvik::qthost
