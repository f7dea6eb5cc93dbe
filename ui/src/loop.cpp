// The message loop. It never waits: when the queue is empty it posts
// WM_USER to the main window, and while rendering runs it performs one
// render step after every message it takes.
#include "platform/menu.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "ui/driver.h"
#include "ui/startup.h"
#include "ui/state.h"

namespace orv {

unsigned ProgramDriver() {
    MSG msg;
    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) == FALSE) {
            PostMessageA(g_hWnd, WM_USER, 0, 0);
        }
        if (GetMessageA(&msg, nullptr, 0, 0) == FALSE) {
            return static_cast<unsigned>(msg.wParam);
        }
        if (TranslateAcceleratorA(g_hWnd, g_hAccel, &msg) == 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (okrun != 0) {
            RenderStep();
        }
    }
}

} // namespace orv
