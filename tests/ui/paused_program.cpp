#include "paused_program.h"

#include "platform/bitmap_resource.h"
#include "platform/window.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"

namespace orv::test {

void PausedProgram::SetUp() {
    ProgramTest::SetUp();
    Start();
    TakeStartCommand();
    RunLoop(20);
    Command(kRenderPauseResume);
}

void PausedProgram::Render(int steps) {
    Command(kRenderPauseResume);
    RunLoop(steps);
    Command(kRenderPauseResume);
}

bool PausedProgram::HandleNext() {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == FALSE) {
        return false;
    }
    DispatchMessageA(&msg);
    return true;
}

UINT PausedProgram::QueuedCommand() const {
    MSG msg;
    if (PeekMessageA(&msg, g_hWnd, WM_COMMAND, WM_COMMAND, PM_NOREMOVE) == FALSE) {
        return 0;
    }
    return LOWORD(msg.wParam);
}

HWND LastWindow(const std::string& className) {
    const std::vector<HWND>& windows = Headless().windows;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if ((*it)->cls->name == className) {
            return *it;
        }
    }
    return nullptr;
}

COLORREF PausedProgram::Image(int x, int y) const {
    return GetPixel(g_vhdc, x, y);
}

COLORREF SurfacePixel(HWND hwnd, int x, int y) {
    HDC hdc = GetDC(hwnd);
    const COLORREF c = GetPixel(hdc, x, y);
    ReleaseDC(hwnd, hdc);
    return c;
}

COLORREF PicturePixel(const char* name, int x, int y) {
    HBITMAP picture = LoadBitmapA(nullptr, name);
    HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, picture);
    const COLORREF c = GetPixel(memory, x, y);
    DeleteDC(memory);
    DeleteObject(picture);
    return c;
}

} // namespace orv::test
