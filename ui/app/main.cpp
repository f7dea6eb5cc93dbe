// The desktop program: starts Qt with the Qt backend and runs WinMain with
// the command line as Win32 would hand it over. The batch commands, the usage
// and the version need no display and never start Qt.
#include "cli/front_end.h"
#include "platform/qt_backend.h"
#include "platform/user.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/startup.h"

#include <QApplication>

#include <cstdio>
#include <new>
#include <optional>
#include <string>

namespace {

int RunDesktop(int argc, char** argv) {
    if (!orv::DisplayAvailable()) {
        std::fprintf(stderr, "orvantis: no display to open a window on (DISPLAY is not set)\n");
        return 1;
    }
    QApplication app(argc, argv);
    orv::QtBackend backend;
    orv::InstallBackend(&backend);
    orv::RegisterResources();
    const std::string args = orv::Win32CommandLine(argc, argv);
    const int result = orv::WinMain(nullptr, nullptr, args.c_str(), orv::SW_SHOWNORMAL);
    // After the closing splash the main window is still there, to be taken
    // with the process as the window system would: it goes before its
    // backend does.
    if (orv::IsWindow(orv::g_hWnd)) {
        orv::DestroyWindow(orv::g_hWnd);
    }
    orv::InstallBackend(nullptr);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> code = orv::RunFrontEnd(argc, argv)) {
        return *code;
    }
    // Memory can run out before the program's own checks are reached: while
    // the pictures are unpacked or the drawing surfaces made at start-up.
    try {
        return RunDesktop(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("orvantis: Unable to allocate bitmap buffer.\nTry to free up some memory.\n",
                   stderr);
        return 1;
    }
}
