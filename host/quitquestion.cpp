#include "host/quitquestion.h"

#include <QApplication>
#include <QPushButton>

#include "frontend/quitquestion.h"

namespace zarvik::qthost {

namespace {

const QStringList& saveButtons() {
    static const QStringList buttons = [] {
        QStringList made;
        for (const std::string& button : frontend::quitQuestionButtons()) {
            made.push_back(QString::fromStdString(button));
        }
        return made;
    }();
    return buttons;
}

QString questionText() {
    return QString::fromStdString(frontend::quitQuestionText());
}

}  // namespace

void configureQuestion(QMessageBox& box, const QString& text, const QStringList& buttons) {
    box.setIcon(QMessageBox::Question);
    box.setWindowTitle(QStringLiteral("Zarvik"));
    box.setText(text);
    QPushButton* last = nullptr;
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        const bool cancels = i + 1 == buttons.size();
        const QMessageBox::ButtonRole role = cancels  ? QMessageBox::RejectRole
                                             : i == 0 ? QMessageBox::AcceptRole
                                                      : QMessageBox::DestructiveRole;
        last = box.addButton(buttons[i], role);
    }
    box.setDefaultButton(last);
    box.setEscapeButton(last);
}

QString askQuestion(const QString& text, const QStringList& buttons) {
    QMessageBox box(QApplication::activeWindow());
    configureQuestion(box, text, buttons);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    return clicked != nullptr ? clicked->text() : buttons.value(buttons.size() - 1);
}

void configureQuitQuestion(QMessageBox& box) {
    configureQuestion(box, questionText(), saveButtons());
}

bool mayQuit(const std::function<bool()>& unsaved, const std::function<bool()>& save,
             const std::function<void()>& discard) {
    if (!unsaved()) {
        return true;
    }
    const QString answer = askQuestion(questionText(), saveButtons());
    if (answer == saveButtons()[0]) {
        return save();
    }
    if (answer == saveButtons()[1]) {
        if (discard) {
            discard();
        }
        return true;
    }
    return false;
}

}  // namespace zarvik::qthost
