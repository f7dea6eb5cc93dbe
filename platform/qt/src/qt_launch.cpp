// What the program checks and prepares before it starts Qt.
#include "platform/qt_backend.h"

#include <cstdlib>
#include <string>

namespace orv {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

bool DisplayAvailable() {
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    if (chosen != nullptr && *chosen != '\0') {
        std::string platform(chosen);
        platform = platform.substr(0, platform.find(':'));
        if (platform == "xcb") {
            return isSet("DISPLAY");
        }
        if (platform == "wayland" || platform == "wayland-egl") {
            return isSet("WAYLAND_DISPLAY");
        }
        return true;
    }
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

std::string Win32CommandLine(int argc, char** argv) {
    if (argc < 2) {
        return "";
    }
    // A path with blanks given without quotes arrives in pieces; the blanks
    // between them are put back.
    std::string path = argv[1];
    for (int i = 2; i < argc; ++i) {
        path += ' ';
        path += argv[i];
    }
    return "\"" + path + "\"";
}

} // namespace orv
