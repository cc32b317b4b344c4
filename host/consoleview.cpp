#include "host/consoleview.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace zarvik::qthost {
namespace {

QStringList localFilesOf(const QMimeData* mime) {
    QStringList paths;
    if (mime == nullptr) {
        return paths;
    }
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) {
            paths << url.toLocalFile();
        }
    }
    return paths;
}

}  // namespace

ConsoleView::ConsoleView(Hooks hooks, QWidget* parent) : QWidget(parent), hooks_(std::move(hooks)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
}

void ConsoleView::setMarginColor(QColor color) {
    marginColor_ = color;
    update();
}

bool ConsoleView::event(QEvent* event) {
    // Tab and Shift-Tab are keys of the program, not focus moves.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void ConsoleView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!hooks_.render || !hooks_.render(frame_) || frame_.isNull()) {
        painter.fillRect(rect(), marginColor_);
        return;
    }
    const Placement placement = placeImage(frame_.size(), size(), devicePixelRatioF());
    const QRectF whole(rect());
    if (placement.target != whole) {
        painter.fillRect(rect(), marginColor_);
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, placement.smooth);
    painter.drawImage(placement.target, frame_);
    ++framesPainted_;
}

void ConsoleView::keyPressEvent(QKeyEvent* event) {
    if (isModifierKey(event->key())) {
        if (hooks_.modifiersChanged) {
            hooks_.modifiersChanged(modifierFlags(event->modifiers(), capsLockOf(*event)));
        }
        return;
    }
    if (auto key = translateKey(*event); key && hooks_.keyDown) {
        hooks_.keyDown(*key);
    }
}

void ConsoleView::keyReleaseEvent(QKeyEvent* event) {
    if (isModifierKey(event->key())) {
        if (hooks_.modifiersChanged) {
            hooks_.modifiersChanged(modifierFlags(event->modifiers(), capsLockOf(*event)));
        }
    } else if (hooks_.keyUp) {
        hooks_.keyUp();
    }
}

void ConsoleView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (!hooks_.mouseDown) {
        return;
    }
    if (frame_.isNull() && hooks_.render) {
        hooks_.render(frame_);  // a click before the first paint still needs the image's size
    }
    const Placement placement = placeImage(frame_.size(), size(), devicePixelRatioF());
    hooks_.mouseDown(imagePointOf(placement, frame_.size(), event->position()),
                     event->button() == Qt::RightButton, modifierFlags(event->modifiers(), false));
}

void ConsoleView::mouseReleaseEvent(QMouseEvent*) {
    if (hooks_.mouseUp) {
        hooks_.mouseUp();
    }
}

void ConsoleView::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFilesOf(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void ConsoleView::dropEvent(QDropEvent* event) {
    const QStringList paths = localFilesOf(event->mimeData());
    if (paths.isEmpty() || !hooks_.filesDropped) {
        return;
    }
    event->acceptProposedAction();
    hooks_.filesDropped(paths);
}

}  // namespace zarvik::qthost
