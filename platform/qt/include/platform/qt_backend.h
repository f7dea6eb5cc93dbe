// The Qt backend: every window is a real top-level widget showing the
// window's surface, with the window's menu as a menu bar; input becomes
// queued Win32 messages; dialogs, message boxes and file selections are
// real modal Qt dialogs. A QApplication must exist before it is installed.
#pragma once

#include "platform/backend.h"

#include <atomic>
#include <chrono>
#include <thread>

class QWidget;

namespace orv {

class QtBackend : public Backend {
  public:
    QtBackend();
    ~QtBackend() override;

    int systemMetric(int index) override;
    int bitsPerPixel() override;

    void windowCreating(HWND hwnd) override;
    void windowDestroyed(HWND hwnd) override;
    void windowShown(HWND hwnd, bool shown) override;
    void windowEnabled(HWND hwnd, bool enabled) override;
    void menuChanged(HWND hwnd) override;

    void runDialog(HWND dialog) override;
    void dialogEnded(HWND dialog) override;
    void controlChanged(HWND control) override;
    void focusChanged(HWND hwnd) override;

    // Takes Qt's events about once a millisecond and shows what was drawn
    // about 30 times a second: painting more often takes more from the
    // render than it shows. Between those times a poll only reads a flag
    // that a clock thread raises every millisecond.
    void pollEvents() override;
    // Shows what was drawn and sleeps in Qt's event loop until an event
    // comes; the clock thread sleeps meanwhile too.
    void waitEvents() override;

    void cursorChanged(HCURSOR cursor) override;
    void cursorShown(bool shown) override;
    void sleep(DWORD milliseconds) override;

    int messageBox(HWND owner, const std::string& text, const std::string& caption,
                   UINT type) override;
    void textOut(HDC dc, int x, int y, const std::string& text) override;

    BOOL getOpenFileName(OPENFILENAMEA* ofn) override;
    BOOL getSaveFileName(OPENFILENAMEA* ofn) override;

    // Shows every window whose surface changed, now.
    void flush();

  private:
    void takeEvents();
    void applyCursor();

    std::atomic<bool> pollDue_{true};
    std::atomic<bool> waiting_{false};
    std::chrono::steady_clock::time_point lastShown_;
    int cursorShape_ = 0; // Qt::ArrowCursor
    bool cursorHidden_ = false;
    // Last, so that it stops before the flag it raises goes.
    std::jthread clock_;
};

// The widget that shows a window, or nullptr.
QWidget* WidgetOf(HWND hwnd);

// The width a dialog control needs to show its whole text, in pixels; 0
// for a control without one.
int TextWidthNeeded(const QWidget* control);

// Win32 virtual-key code of a Qt key (Qt::Key), or 0 for keys without one.
int VirtualKeyFromQt(int qtKey);

// Whether Qt can open windows here: a display to connect to, or a platform
// plugin that needs none (offscreen, minimal and the like).
bool DisplayAvailable();

// The Win32 command-line text after the program name, from the arguments
// the shell split and unquoted: the one path argument in double quotes, or
// nothing.
std::string Win32CommandLine(int argc, char** argv);

} // namespace orv
