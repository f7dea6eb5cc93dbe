#include "program_fixture.h"

#include "analysis/random.h"
#include "platform/menu.h"
#include "platform/window.h"
#include "render/hitcount.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/mainwindow.h"
#include "ui/startup.h"
#include "ui/state.h"

namespace orv::test {

namespace {

std::vector<UINT> commands;

LRESULT recordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        commands.push_back(LOWORD(wParam));
    }
    return MainWindowProc(hWnd, message, wParam, lParam);
}

constexpr unsigned kTestQuit = 77;

} // namespace

void ProgramTest::SetUp() {
    ResetPlatformState();
    backend.reset();
    ResetRenderState();
    ResetUiState();
    // The generator as the program starts with it, whatever ran before.
    SeedRandom(1);
    commands.clear();
}

void ProgramTest::TearDown() {
    if (g_hWnd != nullptr && IsWindow(g_hWnd)) {
        DestroyWindow(g_hWnd);
    }
    FreeHitCount();
    ResetPlatformState();
    g_hWnd = nullptr;
}

void ProgramTest::Start() {
    RegisterResources();
    ASSERT_EQ(InitWindowClass(nullptr), 0);
    ASSERT_EQ(CreateMainWindow(nullptr, SW_SHOWNORMAL), 0);
    g_hWnd->proc = recordingProc;
}

void ProgramTest::TakeStartCommand() {
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    ASSERT_EQ(msg.message, WM_COMMAND);
    DispatchMessageA(&msg);
    commands.clear();
}

unsigned ProgramTest::RunLoop(int wakeUps) {
    for (int i = 0; i < wakeUps; ++i) {
        PostMessageA(g_hWnd, WM_USER, 0, 0);
    }
    PostQuitMessage(kTestQuit);
    return ProgramDriver();
}

void ProgramTest::Command(UINT id, LPARAM lParam) {
    SendMessageA(g_hWnd, WM_COMMAND, id, lParam);
}

bool ProgramTest::Grayed(UINT id) const {
    return (GetMenuState(GetMenu(g_hWnd), id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

bool ProgramTest::Checked(UINT id) const {
    return (GetMenuState(GetMenu(g_hWnd), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

COLORREF ProgramTest::Screen(int x, int y) const {
    HDC hdc = GetDC(g_hWnd);
    const COLORREF c = GetPixel(hdc, x, y);
    ReleaseDC(g_hWnd, hdc);
    return c;
}

std::vector<UINT>& ProgramTest::Commands() {
    return commands;
}

void Type(HWND dialog, int id, const char* text) {
    UserEditedText(GetDlgItem(dialog, id), text);
}

void Click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(id),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Choose(HWND dialog, int id) {
    UserCheckedRadio(GetDlgItem(dialog, id));
    Click(dialog, id);
}

bool Press(HWND dialog, int key) {
    MSG msg;
    msg.hwnd = GetFocus();
    msg.message = WM_KEYDOWN;
    msg.wParam = static_cast<WPARAM>(key);
    return IsDialogMessageA(dialog, &msg) != FALSE;
}

} // namespace orv::test
