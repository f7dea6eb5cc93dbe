// The commands about the program itself: help (100), the about window
// (105), Exit (192), and the two hidden toggles, parameter display mode
// (198) and ghost image mode (199).
#include "command_handlers.h"
#include "render/state.h"
#include "ui/splash.h"
#include "ui/state.h"

#include <string>

namespace orv {

namespace {

void toggle(int& flag, const char* what, const char* caption) {
    flag = 1 - flag;
    const std::string text = std::string(what) + (flag != 0 ? "enabled." : "disabled.");
    MessageBoxA(nullptr, text.c_str(), caption, MB_ICONINFORMATION);
}

} // namespace

void HelpCommand() {
    MessageBoxA(nullptr, "Please refer to the included\n   file, 'WJ Orvantis.pdf'.", "WJ Orvantis",
                MB_ICONINFORMATION);
}

void AboutCommand(HWND hWnd) {
    program.aboutflag = 1;
    HWND hPopupwnd = CreateWindowExA(0, szPopupWinName, "", WS_POPUP, program.xscreen / 2 - 240,
                                     program.yscreen / 2 - 120, 480, 240, hWnd, nullptr,
                                     program.g_hInstance, nullptr);
    // A window that could not show its picture is gone already, and the
    // main window must stay usable.
    if (hPopupwnd == nullptr) {
        program.aboutflag = 0;
        return;
    }
    ShowWindow(hPopupwnd, SW_SHOW);
    EnableWindow(hWnd, FALSE);
}

void ExitCommand(HWND hWnd) {
    if (program.oksplash2 == 1) {
        splash2(hWnd);
    }
}

void ParameterDisplayCommand() {
    toggle(debugflag, "Parameter display mode ", "Debug Mode");
}

void GhostImageCommand() {
    toggle(ghostflag, "Ghost image mode ", "Ghost Image Mode");
}

} // namespace orv
