#include "qt_fixture.h"

#include "platform/window.h"
#include "render/hitcount.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/mainwindow.h"
#include "ui/startup.h"
#include "ui/state.h"

#include <QCoreApplication>
#include <QMenuBar>

namespace orv::test {

namespace {

std::vector<UINT> commands;

LRESULT recordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        commands.push_back(LOWORD(wParam));
    }
    return MainWindowProc(hWnd, message, wParam, lParam);
}

} // namespace

void QtProgramTest::SetUp() {
    ResetPlatformState();
    ResetRenderState();
    ResetUiState();
    commands.clear();
    InstallBackend(&backend);
}

void QtProgramTest::TearDown() {
    if (g_hWnd != nullptr && IsWindow(g_hWnd)) {
        // Its own procedure frees what the window owns, whatever procedure
        // a test put in its place.
        g_hWnd->proc = MainWindowProc;
        DestroyWindow(g_hWnd);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    FreeHitCount();
    InstallBackend(nullptr);
    ResetPlatformState();
    g_hWnd = nullptr;
}

void QtProgramTest::Start() {
    RegisterResources();
    ASSERT_EQ(InitWindowClass(nullptr), 0);
    // On Qt the start splash really waits two seconds; its own tests show it.
    program.oksplash = 0;
    ASSERT_EQ(CreateMainWindow(nullptr, SW_SHOWNORMAL), 0);
    g_hWnd->proc = recordingProc;
}

unsigned QtProgramTest::RunLoop() {
    PostQuitMessage(77);
    return ProgramDriver();
}

QWidget* QtProgramTest::Canvas() const {
    return WidgetOf(g_hWnd)->focusProxy();
}

QMenuBar* QtProgramTest::MenuBar() const {
    return WidgetOf(g_hWnd)->findChild<QMenuBar*>();
}

std::vector<UINT>& QtProgramTest::Commands() {
    return commands;
}

} // namespace orv::test
