// The widgets behind windows: a top-level widget with the window's menu bar
// and a canvas that shows the window's surface and turns input into queued
// Win32 messages.
#pragma once

#include "platform/menu.h"
#include "platform/window.h"

#include <QWidget>

#include <map>
#include <vector>

class QAction;
class QMenuBar;

namespace orv {

// The screen's device pixels per Qt pixel. Windows count in device pixels,
// so that every pixel of a surface is one pixel of the screen.
qreal DeviceScale();
int ToQt(int devicePixels);
// The Qt pixels that show a rectangle of device pixels.
QRect ToQt(const QRect& devicePixels);

class Canvas : public QWidget {
  public:
    Canvas(HWND hwnd, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Tab is a key for the window, not a move of the focus.
    bool focusNextPrevChild(bool) override { return false; }

  private:
    void postKey(QKeyEvent* event, bool down);
    void postButton(QMouseEvent* event, bool down);

    HWND hwnd_;
};

class WindowWidget : public QWidget {
  public:
    // An owned window stays above its owner.
    WindowWidget(HWND hwnd, QWidget* owner);
    ~WindowWidget() override;

    HWND hwnd() const { return hwnd_; }
    Canvas* canvas() const { return canvas_; }
    QMenuBar* menuBar() const { return menuBar_; }
    // Brings the menu bar's items in line with the window's menu.
    void updateMenu();
    // Height the menu bar takes from the window, 0 without one.
    int menuHeight() const;
    // Follows the window's enabled state: a disabled window opens no menus.
    void updateEnabled();
    // The window that takes the input of this one while it is disabled: a
    // shown, enabled window it owns; nullptr if there is none.
    WindowWidget* inputTaker() const;

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    HWND hwnd_;
    QMenuBar* menuBar_ = nullptr;
    Canvas* canvas_ = nullptr;
    std::map<UINT, QAction*> actions_;
};

// The windows shown now, for repainting and cursors.
const std::vector<WindowWidget*>& LiveWindowWidgets();

// Builds a menu bar from a window's menu, keeping each command item's
// action by id; choosing an item posts WM_COMMAND with its id.
void BuildMenuBar(QMenuBar* bar, HWND hwnd, std::map<UINT, QAction*>& actions);
void UpdateMenuActions(HMENU menu, const std::map<UINT, QAction*>& actions);

} // namespace orv
