// The message loop. While rendering runs it never waits: when the queue is
// empty it posts WM_USER to the main window, and it performs one render
// step after every message it takes. While nothing renders it waits for the
// next message, so that a paused program takes no processor time.
#include "platform/menu.h"
#include "platform/window.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "ui/driver.h"
#include "ui/mainwindow.h"
#include "ui/startup.h"
#include "ui/state.h"

namespace orv {

namespace {

// The main window leaves WM_USER to the default handling, which does
// nothing: while its procedure is the program's own, the wake-up the loop
// would post to it on an empty queue, take and dispatch changes nothing but
// the time the turn takes. Such a turn goes straight to its render step.
bool wakeUpDoesNothing() {
    return g_hWnd != nullptr && !g_hWnd->destroyed && g_hWnd->proc == MainWindowProc;
}

} // namespace

unsigned ProgramDriver() {
    MSG msg;
    for (;;) {
        if (okrun != 0 && PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) == FALSE) {
            if (wakeUpDoesNothing()) {
                RenderStep();
                continue;
            }
            PostMessageA(g_hWnd, WM_USER, 0, 0);
        }
        if (GetMessageA(&msg, nullptr, 0, 0) == FALSE) {
            return static_cast<unsigned>(msg.wParam);
        }
        if (TranslateAcceleratorA(g_hWnd, program.g_hAccel, &msg) == 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (okrun != 0) {
            RenderStep();
        }
    }
}

} // namespace orv
