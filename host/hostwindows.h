#pragma once
// The top-level windows of the application. Each shows the shared menu model in its own menu bar
// above its content; the close box only hides (the toolkit decides what closing means).
#include <functional>

#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QWidget>

#include "host/consoleview.h"
#include "host/menumodel.h"

namespace zarvik::qthost {

class HostWindow : public QWidget {
  public:
    HostWindow(int number, MenuModel& menus);

    int number() const { return number_; }
    // Height of the menu bar while the title is visible, else 0: the toolkit's title bar height.
    int titleHeight() const;
    void setTitleVisible(bool visible);

    // The size the toolkit asked for; the window may be shown larger or smaller to fit its screen.
    QSize naturalSize() const { return naturalSize_; }
    void setNaturalSize(QSize size) { naturalSize_ = size; }
    // True once the window has a place of its own (asked for, or given when first shown).
    bool placed() const { return placed_; }
    void setPlaced() { placed_ = true; }

    std::function<void(int window)> onCloseBox;
    std::function<void()> onVisibilityChanged;
    // Called when the window has been shown, before the window manager may have framed it.
    std::function<void(HostWindow& window)> onShown;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Places the content in the area below the menu bar.
    virtual void layoutContent(QRect area) { (void)area; }

  private:
    int number_;
    QMenuBar* menuBar_;
    bool titleVisible_ = true;
    QSize naturalSize_;
    bool placed_ = false;
};

// Windows 0-7: the view inside a margin of the border colour.
class ConsoleWindow : public HostWindow {
  public:
    ConsoleWindow(int number, MenuModel& menus, ConsoleView::Hooks hooks);

    ConsoleView& view() { return *view_; }
    void setBorders(int width, int height);
    void setBorderColor(QColor color);

  protected:
    void layoutContent(QRect area) override;

  private:
    ConsoleView* view_;
    int borderWidth_ = 0;
    int borderHeight_ = 0;
};

// Windows 8-10: a text view, with a one-line ruler field above it for the printer and the console.
class TextWindow : public HostWindow {
  public:
    TextWindow(int number, MenuModel& menus, bool withRuler);

    QPlainTextEdit& text() { return *text_; }
    QLineEdit* ruler() { return ruler_; }

  protected:
    void layoutContent(QRect area) override;

  private:
    QPlainTextEdit* text_;
    QLineEdit* ruler_ = nullptr;
};

}  // namespace zarvik::qthost
