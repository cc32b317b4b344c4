#include "host/hostwindows.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QPalette>
#include <QShowEvent>

namespace zarvik::qthost {
namespace {

QFont fixedFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(12);
    return font;
}

}  // namespace

HostWindow::HostWindow(int number, MenuModel& menus) : number_(number), menuBar_(new QMenuBar(this)) {
    menuBar_->setNativeMenuBar(false);
    menus.attach(menuBar_);
}

int HostWindow::titleHeight() const {
    return titleVisible_ ? menuBar_->sizeHint().height() : 0;
}

void HostWindow::setTitleVisible(bool visible) {
    if (visible == titleVisible_) {
        return;
    }
    titleVisible_ = visible;
    menuBar_->setVisible(visible);
    const bool shown = isVisible();
    setWindowFlag(Qt::FramelessWindowHint, !visible);
    if (shown) {
        show();  // changing the window flags hides a window
    }
    layoutContent(QRect(0, titleHeight(), width(), height() - titleHeight()));
}

void HostWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (onCloseBox) {
        onCloseBox(number_);
    }
}

void HostWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (onVisibilityChanged) {
        onVisibilityChanged();
    }
    if (onShown && !event->spontaneous()) {
        onShown(*this);
    }
}

void HostWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (onVisibilityChanged) {
        onVisibilityChanged();
    }
}

void HostWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int title = titleHeight();
    menuBar_->setGeometry(0, 0, width(), title);
    layoutContent(QRect(0, title, width(), height() - title));
}

ConsoleWindow::ConsoleWindow(int number, MenuModel& menus, ConsoleView::Hooks hooks)
    : HostWindow(number, menus), view_(new ConsoleView(std::move(hooks), this)) {
    setAutoFillBackground(true);
    setBorderColor(QColor(84, 84, 84));
}

void ConsoleWindow::setBorders(int width, int height) {
    borderWidth_ = std::max(0, width);
    borderHeight_ = std::max(0, height);
    layoutContent(QRect(0, titleHeight(), this->width(), this->height() - titleHeight()));
}

void ConsoleWindow::setBorderColor(QColor color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, color);
    setPalette(palette);
    view_->setMarginColor(color);
}

void ConsoleWindow::layoutContent(QRect area) {
    view_->setGeometry(area.adjusted(borderWidth_, borderHeight_, -borderWidth_, -borderHeight_));
}

TextWindow::TextWindow(int number, MenuModel& menus, bool withRuler)
    : HostWindow(number, menus), text_(new QPlainTextEdit(this)) {
    text_->setFont(fixedFont());
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    if (withRuler) {
        ruler_ = new QLineEdit(this);
        ruler_->setReadOnly(true);
        ruler_->setFrame(false);
        ruler_->setFont(fixedFont());
        ruler_->setFocusPolicy(Qt::NoFocus);
    }
}

void TextWindow::layoutContent(QRect area) {
    if (ruler_ == nullptr) {
        text_->setGeometry(area.adjusted(10, 10, -10, -10));
        return;
    }
    text_->setGeometry(area.adjusted(20, 35, -20, -20));
    ruler_->setGeometry(area.x() + 24, area.y() + 8, area.width() - 48, 19);
}

}  // namespace zarvik::qthost
