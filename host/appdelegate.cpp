#include "host/appdelegate.h"

#include <chrono>
#include <cstdio>
#include <string_view>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

#include "frontend/autosave.h"
#include "frontend/chessmain.h"
#include "frontend/fileevents.h"
#include "frontend/savedgame.h"
#include "host/quitquestion.h"
#include "toolkit/app/events.h"
#include "toolkit/app/menus.h"
#include "toolkit/app/presentation.h"
#include "toolkit/app/startup.h"
#include "toolkit/host.h"
#include "util/log.h"

namespace zarvik::qthost {
namespace {

// The program the application runs: the chess program.
std::function<void()> programMain() {
    return [] { frontend::chessMain(); };
}

// A document from the command line, a drop or the desktop.
void postDocument(const std::string& path) {
    frontend::postFileEvent(path);
}

bool unsavedGame() {
    return frontend::hasUnsavedMoves();
}

bool saveGame() {
    return frontend::saveGameAs();
}

// "Nicht sichern" ends the game for good: it is not offered again at the next start.
void discardGame() {
    frontend::removeAutosave();
}

long long epochMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace

AppDelegate::AppDelegate(std::vector<std::string> documents) : documents_(std::move(documents)) {
    sinceStart_.start();
    host_ = std::make_unique<QtHost>(callbacks());
    setHost(host_.get());
    // Every log line also lands in the system console window, in order, on the GUI thread.
    zarvik::setlogsink([this](std::string_view line) {
        QString copy = QString::fromUtf8(line.data(), qsizetype(line.size()));
        host_->postToMainThread([this, copy] { host_->appendConsoleLine(copy); });
    });
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, this, [](Qt::ApplicationState state) {
        t_ApplicationSetActive(state == Qt::ApplicationActive);
    });
}

AppDelegate::~AppDelegate() {
    zarvik::setlogsink({});
    setHost(nullptr);
}

QtHost::Callbacks AppDelegate::callbacks() {
    QtHost::Callbacks c;
    c.render = [this](int window, QImage& frame) { return render(window, frame); };
    c.keyDown = [](int window, const TranslatedKey& key) {
        viewKeyDown(static_cast<std::uint8_t>(window),
                    t_HostKeyEvent{key.keyCode, key.characters, key.modifierFlags});
    };
    c.keyUp = [] { viewKeyUp(); };
    c.modifiersChanged = [](int, std::uint32_t flags) { viewFlagsChanged(flags); };
    c.mouseDown = [](int window, double x, double y, bool right, std::uint32_t flags) {
        viewMouseDown(static_cast<std::uint8_t>(window), t_HostMouseEvent{right ? 2u : 1u, flags}, x, y,
                      right);
    };
    c.mouseUp = [] { viewMouseUp(); };
    c.closeBox = [this](int window) {
        // Closing the last visible window ends the application, which asks first.
        if (onlyVisibleWindow(window) && !confirmQuit()) {
            return;
        }
        t_ApplicationWindowShouldClose(static_cast<std::uint8_t>(window));
    };
    c.menuChoice = [](const MenuItemInfo& item) {
        t_MenuEventHandler(t_HostMenuChoice{
            item.menuTitle.toStdString(), HostMenuItem{item.title.toStdString(), item.tag,
                                                       item.keyEquivalent.toStdString(), item.keyModifiers}});
    };
    c.filesDropped = [](const QStringList& paths) {
        for (const QString& path : paths) {
            postDocument(path.toStdString());
        }
    };
    // Not quit(): that first closes every window, and a console window's close box only hides it.
    c.quit = [this] {
        if (confirmQuit()) {
            quitConfirmed_ = false;
            QCoreApplication::exit(0);
        }
    };
    return c;
}

bool AppDelegate::confirmQuit() {
    quitConfirmed_ = quitConfirmed_ || mayQuit(&unsavedGame, &saveGame, &discardGame);
    if (!quitConfirmed_) {
        host_->returnFocus();  // "Abbrechen": back to the game
    }
    return quitConfirmed_;
}

bool AppDelegate::onlyVisibleWindow(int window) {
    for (int other = 0; other < kHostWindowCount; ++other) {
        if (other != window && host_->isWindowVisible(other)) {
            return false;
        }
    }
    return host_->isWindowVisible(window);
}

bool AppDelegate::render(int window, QImage& frame) {
    HostImage& image = images_[window];
    const bool drawn = viewDrawImage(static_cast<std::uint8_t>(window), image, t_ImageByteOrder::BGRA);
    if (!drawn || image.width <= 0 || image.height <= 0) {
        return false;
    }
    // The frame wraps the image's buffer; it is rebuilt only when the buffer moved or resized.
    if (frame.constBits() != image.argb.data() || frame.width() != image.width ||
        frame.height() != image.height) {
        frame = QImage(image.argb.data(), image.width, image.height, image.width * 4, QImage::Format_RGB32);
    }
    if (drawn && window == 0 && !firstFrameLogged_) {
        firstFrameLogged_ = true;
        zarvik::logline("zarvik: first frame of window 0 at epoch ms " + std::to_string(epochMilliseconds()) +
                        ", " + std::to_string(sinceStart_.elapsed()) + " ms after start.");
    }
    return drawn;
}

void AppDelegate::applicationWillFinishLaunching() {
    t_ApplicationWillFinishLaunching();
}

void AppDelegate::applicationDidFinishLaunching() {
    postDocuments(documents_);
    if (!t_ApplicationDidFinishLaunching(programMain())) {
        // Without its thread the program never opens a window: say so instead of living on empty.
        const QString text = QStringLiteral(
            "Zarvik kann nicht starten: Das System gibt dem Programm keinen Thread (zu wenig Speicher).");
        std::fprintf(stderr, "zarvik: %s\n", text.toUtf8().constData());
        QMessageBox::critical(nullptr, QStringLiteral("Zarvik"), text);
        QCoreApplication::exit(1);
    }
}

void AppDelegate::postDocuments(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        postDocument(path);
    }
}

void AppDelegate::applicationWillTerminate() {
    t_ApplicationWillTerminate();
}

}  // namespace zarvik::qthost
