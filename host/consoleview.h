#pragma once
// The view of one console window: paints the window's image scaled into itself and hands keys,
// modifier changes, clicks and dropped files to the host. It takes keyboard focus itself, because
// without a window manager nobody else gives it.
#include <cstdint>
#include <functional>

#include <QImage>
#include <QStringList>
#include <QWidget>

#include "host/keymap.h"
#include "host/placement.h"

namespace zarvik::qthost {

class ConsoleView : public QWidget {
  public:
    struct Hooks {
        // Fills `frame` with the window's current image (reusing its buffer); false when there is none.
        std::function<bool(QImage& frame)> render;
        std::function<void(const TranslatedKey&)> keyDown;
        std::function<void()> keyUp;
        std::function<void(std::uint32_t modifierFlags)> modifiersChanged;
        // The image pixel under the click (outside the image in the margins) and the button.
        std::function<void(QPointF imagePoint, bool right, std::uint32_t modifierFlags)> mouseDown;
        std::function<void()> mouseUp;
        std::function<void(const QStringList& paths)> filesDropped;
    };

    ConsoleView(Hooks hooks, QWidget* parent);

    void setMarginColor(QColor color);
    // The image painted last (empty before the first frame).
    const QImage& frame() const { return frame_; }
    // Number of frames painted so far.
    std::uint64_t framesPainted() const { return framesPainted_; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    Hooks hooks_;
    QImage frame_;
    QColor marginColor_{Qt::black};
    std::uint64_t framesPainted_ = 0;
};

}  // namespace zarvik::qthost
