#include "host/screenfit.h"

#include <algorithm>
#include <cstdint>

namespace zarvik::qthost {

QSize fittedWindowSize(QSize natural, int fixedHeight, QSize available) {
    const int contentWidth = natural.width();
    const int contentHeight = natural.height() - fixedHeight;
    const int roomHeight = available.height() - fixedHeight;
    if (contentWidth <= 0 || contentHeight <= 0 || available.width() <= 0 || roomHeight <= 0) {
        return natural;
    }
    const int whole = std::min(available.width() / contentWidth, roomHeight / contentHeight);
    if (whole >= 1) {
        return QSize(contentWidth * whole, contentHeight * whole + fixedHeight);
    }
    // Whole pixels along the side that limits, the other side rounded down.
    const auto width = std::int64_t(available.width());
    const auto height = std::int64_t(roomHeight);
    if (width * contentHeight <= height * contentWidth) {
        return QSize(int(width), std::max(1, int(width * contentHeight / contentWidth)) + fixedHeight);
    }
    return QSize(std::max(1, int(height * contentWidth / contentHeight)), int(height) + fixedHeight);
}

QRect keptInside(QRect frame, QRect available) {
    if (available.isEmpty()) {
        return frame;
    }
    frame.setWidth(std::min(frame.width(), available.width()));
    frame.setHeight(std::min(frame.height(), available.height()));
    frame.moveLeft(std::clamp(frame.left(), available.left(), available.right() - frame.width() + 1));
    frame.moveTop(std::clamp(frame.top(), available.top(), available.bottom() - frame.height() + 1));
    return frame;
}

QRect besideOrBelow(QRect main, QSize size, QRect available, int keepClear) {
    const QRect candidates[] = {
        QRect(QPoint(main.right() + 1, main.top()), size),
        QRect(QPoint(main.left(), main.bottom() + 1), size),
        QRect(QPoint(main.left() - size.width(), main.top()), size),
        QRect(QPoint(main.left(), main.top() - size.height()), size),
    };
    for (const QRect& candidate : candidates) {
        // A side has room when the window fits there without covering the main window.
        const QRect inside = keptInside(candidate, available);
        if (inside.size() == size && !inside.intersects(main)) {
            return inside;
        }
    }
    QRect corner(QPoint(0, 0), size);
    corner.moveBottomRight(available.bottomRight());
    corner = keptInside(corner, available);
    const QRect bar(main.topLeft(), QSize(main.width(), keepClear));
    if (corner.intersects(bar)) {
        corner.setTop(std::min(bar.bottom() + 1, corner.bottom()));
    }
    return corner;
}

}  // namespace zarvik::qthost
