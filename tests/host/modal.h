#pragma once
// Waiting on the GUI thread and answering the application's modal dialogs in the host's tests: a timer
// presses the button once the dialog shows and keeps what it said.
#include <chrono>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace zarvik::qthost {

// Pumps the GUI thread until the condition holds (or two seconds pass).
template <typename Condition>
bool waitFor(Condition condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Presses the button with this text in the next modal message box; its message into `asked`.
inline void answerModal(const QString& button, QString& asked) {
    QTimer::singleShot(10, [button, &asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            answerModal(button, asked);
            return;
        }
        asked = box->text();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == button) {
                b->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << button.toStdString();
        box->reject();
    });
}

}  // namespace zarvik::qthost
