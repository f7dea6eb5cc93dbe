// The services that differ between the headless backend (everything in
// memory, answers from a script) and the Qt backend (real windows). The
// Win32-named functions forward to the installed backend where they need the
// outside world; everything else lives in the platform core.
#pragma once

#include "platform/types.h"
#include "platform/user.h"

#include <string>

namespace orv {

struct OPENFILENAMEA;

class Backend {
  public:
    virtual ~Backend() = default;

    // Screen and display.
    virtual int systemMetric(int index) = 0;
    virtual int bitsPerPixel() = 0;

    // Window life. windowCreating runs before WM_CREATE and sets the client
    // rectangle; the others follow the core's state changes.
    virtual void windowCreating(HWND hwnd) = 0;
    virtual void windowDestroyed(HWND) {}
    virtual void windowShown(HWND, bool) {}
    virtual void windowEnabled(HWND, bool) {}
    virtual void menuChanged(HWND) {}

    // Modal dialogs: runDialog shows the dialog (WM_INITDIALOG has been
    // handled) and returns once EndDialog has ended it; dialogEnded follows
    // EndDialog, controlChanged a change of a control's text or check made
    // by the program.
    virtual void runDialog(HWND dialog) = 0;
    virtual void dialogEnded(HWND) {}
    virtual void controlChanged(HWND) {}
    // The program gave the keyboard focus to a window.
    virtual void focusChanged(HWND) {}

    // Moves toolkit input into the message queue; waitEvents blocks until
    // some may have arrived.
    virtual void pollEvents() {}
    virtual void waitEvents() {}

    virtual void cursorChanged(HCURSOR) {}
    virtual void cursorShown(bool) {}
    virtual void sleep(DWORD milliseconds) = 0;

    virtual int messageBox(HWND owner, const std::string& text, const std::string& caption,
                           UINT type) = 0;
    virtual void textOut(HDC dc, int x, int y, const std::string& text) = 0;

    // File selections; return non-zero when the user chose a file.
    virtual BOOL getOpenFileName(OPENFILENAMEA* ofn) = 0;
    virtual BOOL getSaveFileName(OPENFILENAMEA* ofn) = 0;
};

Backend& CurrentBackend();
// Installs a backend; the previous one is returned. Passing nullptr goes
// back to the built-in headless backend.
Backend* InstallBackend(Backend* backend);

} // namespace orv
