#include "desktop_path.h"

#include "platform/dialog.h"
#include "render/hitcount.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/startup.h"
#include "ui/state.h"

#include <gtest/gtest.h>

namespace orv::test {

DesktopPath::DesktopPath() {
    ResetPlatformState();
    backend.reset();
    ResetRenderState();
    ResetUiState();
    RegisterResources();
    EXPECT_EQ(InitWindowClass(nullptr), 0);
    EXPECT_EQ(CreateMainWindow(nullptr, SW_SHOWNORMAL), 0);
    // Start-up posts the render command; the person pauses at once.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&msg);
    }
    SendMessageA(g_hWnd, WM_COMMAND, kRenderPauseResume, 0);
    EXPECT_EQ(okrun, 0);
}

DesktopPath::~DesktopPath() {
    DestroyWindow(g_hWnd);
    FreeHitCount();
    g_hWnd = nullptr;
    ResetPlatformState();
    backend.reset();
}

void DesktopPath::Dialog(unsigned command, std::function<void(HWND dialog)> script) {
    backend.dialogScripts.push_back(std::move(script));
    SendMessageA(g_hWnd, WM_COMMAND, command, 0);
}

void DesktopPath::Render(long steps) {
    // Resuming renders one step after every message; the last wake-up is
    // followed by the quit message that ends the loop.
    SendMessageA(g_hWnd, WM_COMMAND, kRenderPauseResume, 0);
    for (long i = 0; i < steps; ++i) {
        PostMessageA(g_hWnd, WM_USER, 0, 0);
    }
    PostQuitMessage(0);
    ProgramDriver();
    SendMessageA(g_hWnd, WM_COMMAND, kRenderPauseResume, 0);
}

void DesktopPath::Save(const std::string& path) {
    backend.fileAnswers.push_back(path);
    backend.messageBoxes.clear();
    SendMessageA(g_hWnd, WM_COMMAND, kSaveImage, 0);
    ASSERT_EQ(backend.messageBoxes.size(), 2u);
    EXPECT_EQ(backend.messageBoxes[0].text.rfind("Image saved as ", 0), 0u);
    EXPECT_EQ(backend.messageBoxes[1].text.rfind("Parameters saved as ", 0), 0u);
}

void Type(HWND dialog, int id, const char* text) {
    UserEditedText(GetDlgItem(dialog, id), text);
}

void Choose(HWND dialog, int id) {
    UserCheckedRadio(GetDlgItem(dialog, id));
}

void Confirm(HWND dialog) {
    SendMessageA(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

} // namespace orv::test
