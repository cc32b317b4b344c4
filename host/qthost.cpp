#include "host/qthost.h"

#include <cmath>

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QMetaObject>
#include <QMimeData>
#include <QScrollBar>
#include <QThread>

#include "host/filedialogs.h"
#include "host/helpdialogs.h"
#include "host/listdialog.h"
#include "host/quitquestion.h"
#include "toolkit/app/menus.h"
#include "toolkit/app/printer.h"

namespace zarvik::qthost {
namespace {

// Grace period before the application quits with no window visible: the program may hide one
// window and show another.
constexpr int kQuitDelayMs = 300;

const char* const kTitles[kHostWindowCount] = {
    "Zarvik", "Zarvik",         "Zarvik",  "Zarvik",        "Zarvik",        "Zarvik", "Zarvik",
    "Zarvik", "Zwischenablage", "Drucker", "Systemkonsole", "Einstellungen", "Zarvik"};

// The toolkit's texts end lines with carriage returns; the text views and the clipboard use line
// feeds, as everything else on the desktop.
QString toDisplay(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

std::string fromDisplay(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return text.toStdString();
}

int rounded(double value) {
    return static_cast<int>(std::lround(value));
}

}  // namespace

QtHost::QtHost(Callbacks callbacks) : callbacks_(std::move(callbacks)) {
    menus_.setChoiceHandler([this](const MenuItemInfo& item) {
        if (callbacks_.menuChoice) {
            callbacks_.menuChoice(item);
        }
    });
    menus_.setQuitHandler([this] {
        if (callbacks_.quit) {
            callbacks_.quit();
        }
    });
    menus_.setHelpHandler([this](t_MenuTag item) {
        showHelp(item, QApplication::activeWindow());
        returnFocus();
    });
    // A menu closed with Escape leaves the keyboard with its menu bar; the next key belongs to the
    // game. Once the event that closed it is done, nothing else (a dialogue, another menu) is open.
    menus_.setEnabledQuery([](int tag) { return t_MenuItemEnabled(tag); });
    menus_.setMenuClosedHandler([this] {
        QTimer::singleShot(0, &quitCheck_, [this] {
            if (QApplication::activePopupWidget() == nullptr &&
                QApplication::activeModalWidget() == nullptr) {
                returnFocus();
            }
        });
    });
    for (int n = 0; n < kHostWindowCount; ++n) {
        std::unique_ptr<HostWindow> made;
        if (n < kConsoleWindowCount) {
            made = std::make_unique<ConsoleWindow>(n, menus_, viewHooks(n));
            made->resize(640, 400 + made->titleHeight());
        } else if (isTextWindow(n)) {
            made = std::make_unique<TextWindow>(n, menus_, n != kPasteboardWindow);
            made->resize(n == kPasteboardWindow ? 600 : 960, 480);
        } else {
            made = std::make_unique<HostWindow>(n, menus_);
            made->resize(480, 320);
        }
        made->setWindowTitle(QString::fromUtf8(kTitles[n]));
        made->onCloseBox = [this](int window) {
            if (callbacks_.closeBox) {
                callbacks_.closeBox(window);
            }
        };
        made->onVisibilityChanged = [this] { visibilityChanged(); };
        made->onShown = [this](HostWindow& shown) { placeOnFirstShow(shown); };
        windows_[n] = std::move(made);
    }
    textWindow(kSystemConsoleWindow).text().setReadOnly(true);
    // Every log line lands here; the oldest go so that a long session does not grow without end.
    textWindow(kSystemConsoleWindow).text().setMaximumBlockCount(static_cast<int>(p_ConsoleLineLimit));
    quitCheck_.setSingleShot(true);
    quitCheck_.setInterval(kQuitDelayMs);
    QObject::connect(&quitCheck_, &QTimer::timeout, [this] {
        for (const auto& window : windows_) {
            if (window->isVisible()) {
                return;
            }
        }
        if (callbacks_.quit) {
            callbacks_.quit();
        }
    });
}

QtHost::~QtHost() = default;

ConsoleWindow& QtHost::consoleWindow(int number) {
    return static_cast<ConsoleWindow&>(*windows_[number]);
}

TextWindow& QtHost::textWindow(int number) {
    return static_cast<TextWindow&>(*windows_[number]);
}

bool QtHost::isTextWindow(int window) const {
    return window >= kPasteboardWindow && window <= kSystemConsoleWindow;
}

ConsoleView::Hooks QtHost::viewHooks(int window) {
    ConsoleView::Hooks hooks;
    hooks.render = [this, window](QImage& frame) {
        return callbacks_.render && callbacks_.render(window, frame);
    };
    hooks.keyDown = [this, window](const TranslatedKey& key) {
        if (callbacks_.keyDown) {
            callbacks_.keyDown(window, key);
        }
    };
    hooks.keyUp = [this] {
        if (callbacks_.keyUp) {
            callbacks_.keyUp();
        }
    };
    hooks.mouseUp = [this] {
        if (callbacks_.mouseUp) {
            callbacks_.mouseUp();
        }
    };
    hooks.modifiersChanged = [this, window](std::uint32_t flags) {
        if (callbacks_.modifiersChanged) {
            callbacks_.modifiersChanged(window, flags);
        }
    };
    hooks.mouseDown = [this, window](QPointF imagePoint, bool right, std::uint32_t flags) {
        lastKeyWindow_ = window;
        if (!callbacks_.mouseDown) {
            return;
        }
        // The toolkit measures clicks in the host window's content from the bottom left; the
        // image starts at the borders.
        ConsoleWindow& host = consoleWindow(window);
        const QRect view = host.view().geometry();
        const double contentHeight = host.height() - host.titleHeight();
        const double borderBelow = contentHeight - (view.y() - host.titleHeight()) - view.height();
        const QSize image = host.view().frame().isNull() ? view.size() : host.view().frame().size();
        callbacks_.mouseDown(window, view.x() + imagePoint.x(), borderBelow + image.height() - imagePoint.y(),
                             right, flags);
    };
    hooks.filesDropped = [this](const QStringList& paths) {
        if (callbacks_.filesDropped) {
            callbacks_.filesDropped(paths);
        }
    };
    return hooks;
}

void QtHost::visibilityChanged() {
    bool anyVisible = false;
    for (const auto& window : windows_) {
        if (window && window->isVisible()) {
            anyVisible = true;
        }
    }
    everShown_ = everShown_ || anyVisible;
    if (anyVisible) {
        quitCheck_.stop();
    } else if (everShown_) {
        quitCheck_.start();
    }
}

void QtHost::appendConsoleLine(const QString& line) {
    QPlainTextEdit& text = textWindow(kSystemConsoleWindow).text();
    QScrollBar& bar = *text.verticalScrollBar();
    const bool atBottom = bar.value() >= bar.maximum();
    text.appendPlainText(line);
    if (atBottom) {
        bar.setValue(bar.maximum());
    }
}

// --- main thread ---

bool QtHost::isMainThread() {
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

void QtHost::runOnMainThread(std::function<void()> task) {
    if (isMainThread()) {
        task();
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::BlockingQueuedConnection);
}

void QtHost::postToMainThread(std::function<void()> task) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

// --- host windows ---

bool QtHost::hasWindow(int window) {
    return window >= 0 && window < kHostWindowCount;
}

void QtHost::setViewFrame(int window, HostRect frame) {
    if (window < 0 || window >= kConsoleWindowCount) {
        return;
    }
    consoleWindow(window).setBorders(rounded(frame.x), rounded(frame.y));
}

void QtHost::setWindowTitle(int window, const std::string& title) {
    if (hasWindow(window)) {
        windows_[window]->setWindowTitle(QString::fromStdString(title));
    }
}

void QtHost::setWindowTitleVisible(int window, bool visible) {
    if (hasWindow(window)) {
        windows_[window]->setTitleVisible(visible);
    }
}

void QtHost::orderFront(int window) {
    if (!hasWindow(window)) {
        return;
    }
    windows_[window]->show();
    windows_[window]->raise();
}

void QtHost::orderOut(int window) {
    if (hasWindow(window)) {
        windows_[window]->hide();
    }
}

bool QtHost::isWindowVisible(int window) {
    return hasWindow(window) && windows_[window]->isVisible();
}

void QtHost::makeKeyAndOrderFront(int window) {
    if (!hasWindow(window)) {
        return;
    }
    orderFront(window);
    windows_[window]->activateWindow();
    if (window < kConsoleWindowCount) {
        // Without a window manager nobody else gives the view the keyboard.
        consoleWindow(window).view().setFocus(Qt::ActiveWindowFocusReason);
    }
    lastKeyWindow_ = window;
}

void QtHost::setBackgroundColor(int window, HostColor color) {
    if (!hasWindow(window)) {
        return;
    }
    const QColor shown =
        QColor::fromRgbF(float(color.red), float(color.green), float(color.blue), float(color.alpha));
    if (window < kConsoleWindowCount) {
        consoleWindow(window).setBorderColor(shown);
        return;
    }
    QPalette palette = windows_[window]->palette();
    palette.setColor(QPalette::Window, shown);
    windows_[window]->setPalette(palette);
}

int QtHost::keyWindow() {
    const QWidget* active = QApplication::activeWindow();
    for (int n = 0; n < kHostWindowCount; ++n) {
        if (windows_[n].get() == active) {
            return n;
        }
    }
    // Without a window manager no window becomes active: the one made key or clicked last counts.
    if (hasWindow(lastKeyWindow_) && windows_[lastKeyWindow_]->isVisible()) {
        return lastKeyWindow_;
    }
    return 255;
}

double QtHost::backingScale(int window) {
    return hasWindow(window) ? windows_[window]->devicePixelRatioF() : 1.0;
}

int QtHost::titleBarHeight() {
    return textWindow(kPasteboardWindow).titleHeight();
}

// --- views ---

bool QtHost::hasView(int window) {
    return window >= 0 && window < kConsoleWindowCount;
}

void QtHost::redrawView(int window, bool deferred) {
    if (!hasView(window)) {
        return;
    }
    ConsoleView& view = consoleWindow(window).view();
    if (deferred) {
        view.update();
    } else {
        view.repaint();
    }
}

// --- menus ---

std::optional<std::vector<HostMenuItem>> QtHost::menuItems(std::string_view menuTitle) {
    const auto menu = menus_.menuIndex(QString::fromUtf8(menuTitle.data(), qsizetype(menuTitle.size())));
    if (!menu) {
        return std::nullopt;
    }
    std::vector<HostMenuItem> items;
    for (int i = 0; i < menus_.itemCount(*menu); ++i) {
        const MenuItemInfo item = *menus_.item(*menu, i);
        items.push_back(HostMenuItem{item.title.toStdString(), item.tag, item.keyEquivalent.toStdString(),
                                     item.keyModifiers});
    }
    return items;
}

bool QtHost::deleteMenuItem(std::string_view menuTitle, int position) {
    const auto menu = menus_.menuIndex(QString::fromUtf8(menuTitle.data(), qsizetype(menuTitle.size())));
    return menu && menus_.deleteItem(*menu, position);
}

// --- pasteboard ---

std::optional<std::string> QtHost::pasteboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) {
        return std::nullopt;
    }
    return fromDisplay(data->text());
}

void QtHost::setPasteboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(toDisplay(text));
}

void QtHost::setPasteboardImage(const HostImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.argb.size() < std::size_t(image.width) * std::size_t(image.height) * 4) {
        return;
    }
    QImage copy(image.width, image.height, QImage::Format_ARGB32);
    const std::uint8_t* source = image.argb.data();
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(copy.scanLine(y));
        for (int x = 0; x < image.width; ++x, source += 4) {
            row[x] = qRgba(source[1], source[2], source[3], source[0]);
        }
    }
    QGuiApplication::clipboard()->setImage(copy);
}

// --- text views ---

bool QtHost::hasTextView(int window) {
    return isTextWindow(window);
}

std::string QtHost::textViewText(int window) {
    return isTextWindow(window) ? textWindow(window).text().toPlainText().toStdString() : std::string();
}

void QtHost::setTextViewText(int window, const std::string& text) {
    if (isTextWindow(window)) {
        textWindow(window).text().setPlainText(toDisplay(text));
    }
}

void QtHost::setUpTextView(int window) {
    if (!isTextWindow(window)) {
        return;
    }
    QPlainTextEdit& text = textWindow(window).text();
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(12);
    text.setFont(font);
    text.clear();
    text.viewport()->update();
}

void QtHost::setRulerText(int window, const std::string& text) {
    if (isTextWindow(window) && textWindow(window).ruler() != nullptr) {
        QLineEdit& ruler = *textWindow(window).ruler();
        ruler.setText(QString::fromStdString(text));
        ruler.setCursorPosition(0);  // setText leaves the end of a long ruler in view
    }
}

// --- dialogs and the rest ---

std::vector<std::string> QtHost::openPanel(const OpenPanelRequest& request) {
    std::vector<std::string> paths = runOpenDialog(request);
    returnFocus();
    return paths;
}

std::string QtHost::savePanel(const SavePanelRequest& request) {
    std::string path = runSaveDialog(request);
    returnFocus();
    return path;
}

void QtHost::returnFocus() {
    const QWidget* active = QApplication::activeWindow();
    int window = lastKeyWindow_;
    for (int n = 0; n < kHostWindowCount; ++n) {
        if (windows_[n].get() == active) {
            window = n;
        }
    }
    if (!hasWindow(window) || !windows_[window]->isVisible()) {
        return;
    }
    windows_[window]->activateWindow();
    if (window < kConsoleWindowCount) {
        consoleWindow(window).view().setFocus(Qt::OtherFocusReason);
    } else if (isTextWindow(window)) {
        textWindow(window).text().setFocus(Qt::OtherFocusReason);
    } else {
        windows_[window]->setFocus(Qt::OtherFocusReason);
    }
}

void QtHost::messagePanel(const std::string& text) {
    runMessageDialog(text);
    returnFocus();
}

std::string QtHost::questionPanel(const std::string& text, const std::vector<std::string>& buttons) {
    QStringList titles;
    for (const std::string& button : buttons) {
        titles.push_back(QString::fromStdString(button));
    }
    const std::string answer = askQuestion(QString::fromStdString(text), titles).toStdString();
    returnFocus();
    return answer;
}

std::optional<std::size_t> QtHost::listPanel(const ListPanelRequest& request) {
    const std::optional<std::size_t> row = runListDialog(request);
    returnFocus();
    return row;
}

void QtHost::bell() {
    QApplication::beep();
}

std::string QtHost::resourcesFolder() {
    return zarvik::defaultResourcesFolder();
}

std::string QtHost::applicationName() {
    return "Zarvik";
}

}  // namespace zarvik::qthost
