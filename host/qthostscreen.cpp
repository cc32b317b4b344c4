// The Qt host's window geometry: frames in the toolkit's coordinates, the size that fits a screen,
// and where windows open.
#include <algorithm>
#include <cmath>

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "host/qthost.h"
#include "host/screenfit.h"

namespace zarvik::qthost {
namespace {

const QScreen* screenOf(const QWidget& widget) {
    return widget.screen() ? widget.screen() : QGuiApplication::primaryScreen();
}

int screenHeightOf(const QWidget& widget) {
    const QScreen* screen = screenOf(widget);
    return screen ? screen->geometry().height() : 0;
}

int rounded(double value) {
    return static_cast<int>(std::lround(value));
}

QRect withDecorations(QRect geometry, QMargins decorations) {
    return geometry.marginsAdded(decorations);
}

}  // namespace

QRect QtHost::availableFor(const QWidget& window) const {
    if (availableArea_) {
        return availableArea_(window);
    }
    const QScreen* screen = screenOf(window);
    return screen ? screen->availableGeometry() : QRect();
}

QMargins QtHost::decorationsOf(const HostWindow& window) {
    if (window.isVisible() && window.isWindow()) {
        const QRect frame = window.frameGeometry();
        const QRect inner = window.geometry();
        const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                               frame.right() - inner.right(), frame.bottom() - inner.bottom());
        if (!margins.isNull()) {
            lastDecorations_ = margins;
        }
        return margins;
    }
    return lastDecorations_;
}

std::optional<HostRect> QtHost::windowFrame(int window) {
    if (!hasWindow(window)) {
        return std::nullopt;
    }
    const HostWindow& shown = *windows_[window];
    const QRect geometry = shown.geometry();
    return HostRect{double(geometry.x()), double(screenHeightOf(shown) - geometry.y() - geometry.height()),
                    double(geometry.width()), double(geometry.height())};
}

void QtHost::setWindowFrame(int window, HostRect frame, bool display) {
    if (!hasWindow(window)) {
        return;
    }
    HostWindow& shown = *windows_[window];
    const QSize natural(std::max(1, rounded(frame.width)), std::max(1, rounded(frame.height)));
    shown.setNaturalSize(natural);
    shown.setPlaced();
    const QMargins decorations = decorationsOf(shown);
    const QRect area = availableFor(shown).marginsRemoved(decorations);
    QSize size = natural.boundedTo(area.size());
    if (window < kConsoleWindowCount) {
        size = fittedWindowSize(natural, shown.titleHeight(), area.size());
        // Half the natural size stays reachable by hand, however small the screen.
        shown.setMinimumSize((natural / 2).boundedTo(size));
    }
    const QRect wanted(rounded(frame.x), screenHeightOf(shown) - rounded(frame.y) - natural.height(),
                       size.width(), size.height());
    shown.setGeometry(keptInside(wanted, area));
    if (display && shown.isVisible()) {
        shown.repaint();
    }
}

void QtHost::centerWindow(int window) {
    if (!hasWindow(window)) {
        return;
    }
    HostWindow& shown = *windows_[window];
    const QMargins decorations = decorationsOf(shown);
    const QRect available = availableFor(shown);
    QRect frame = withDecorations(shown.geometry(), decorations);
    frame.moveCenter(available.center());
    shown.move(keptInside(frame, available).topLeft() + QPoint(decorations.left(), decorations.top()));
    shown.setPlaced();
}

HostSize QtHost::screenSize(int window) {
    const QScreen* screen =
        hasWindow(window) ? screenOf(*windows_[window]) : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    return HostSize{double(screen->geometry().width()), double(screen->geometry().height())};
}

void QtHost::placeOnFirstShow(HostWindow& window) {
    if (!window.placed()) {
        window.setPlaced();
        // The game window is the first console window on screen.
        const HostWindow* game = nullptr;
        for (int n = 0; n < kConsoleWindowCount && game == nullptr; ++n) {
            if (windows_[n].get() != &window && windows_[n]->isVisible()) {
                game = windows_[n].get();
            }
        }
        const QMargins decorations = decorationsOf(window);
        const QRect available = availableFor(window);
        const QSize size = withDecorations(QRect(QPoint(), window.size()), decorations).size();
        QRect frame = keptInside(QRect(available.topLeft(), size), available);
        if (game != nullptr) {
            const QMargins around = decorationsOf(*game);
            frame = besideOrBelow(withDecorations(game->geometry(), around), size, available,
                                  around.top() + game->titleHeight());
        }
        window.setGeometry(frame.marginsRemoved(decorations));
    }
    // The window manager frames the window after it is shown: look again once it has.
    QTimer::singleShot(200, &window, [this, &window] { keepOnScreen(window); });
    keepOnScreen(window);
}

void QtHost::keepOnScreen(HostWindow& window) {
    if (!window.isVisible()) {
        return;
    }
    const QMargins decorations = decorationsOf(window);
    const QRect available = availableFor(window);
    if (available.contains(withDecorations(window.geometry(), decorations))) {
        return;
    }
    const QRect area = available.marginsRemoved(decorations);
    QSize size = window.size();
    const bool tooLarge = size.width() > area.width() || size.height() > area.height();
    if (tooLarge && window.number() < kConsoleWindowCount && !window.naturalSize().isEmpty()) {
        size = fittedWindowSize(window.naturalSize(), window.titleHeight(), area.size());
    }
    window.setGeometry(keptInside(QRect(window.geometry().topLeft(), size), area));
}

}  // namespace zarvik::qthost
