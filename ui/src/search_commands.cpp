// The commands that start rendering something new on their own: a random
// parameter set (120) and the Lyapunov map (168). Each explains itself once
// per run before its first use.
#include "analysis/lyapunov.h"
#include "analysis/randomparams.h"
#include "command_handlers.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "ui/driver.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"
#include "ui/state.h"

#include <cstdio>

namespace orv {

namespace {

constexpr const char* kRandomAdvisory =
    "Many parameter sets will generate extreme\n   values which will overflow the computer's\n"
    "   capacity, potentially crashing the program.\n\nOr, instead of producing chaotic "
    "patterns, they\n   might converge to point clusters, lines or\n   closed curves which are "
    "not interesting.\n\nTherefore, it might take a little time to find\n   random parameter "
    "sets that appear likely to\n   be stable and to behave as intended.";

constexpr const char* kMapAdvisory =
    "A map will be rendered of the Lyapunov exponents\n   for the selected formula, over the "
    "range of -3.0\n   to 3.0, with parameter A along the X-axis and\n   parameter B along the "
    "Y_axis. For the Standard\n   and Alpha formulae, the selected values of\n   parameters C "
    "and D will be used where applicable.\n\nExponents of -2.0 or less will be represented by "
    "the\n   lowest palette value, and exponents of +2.0 or\n   greater will be represented by "
    "the highest value.\n   A smooth gradient such as a greyscale will show\n   the progression "
    "most clearly, and can be used as\n   a height field for 3D rendering. The 'Topo.map'\n   "
    "palette will show a simulated progression from\n   water level (blue) to snow (white).";

void startRendering(HWND hWnd) {
    PostMessageA(hWnd, WM_COMMAND, kRenderCommand, 0);
}

// Runs the search and tells its outcome: a failure always, a found set in
// parameter display mode, where it is kept only if the user accepts it.
// Returns true when a set was found and kept.
bool searchParameters() {
    SetCursor(wait);
    const SearchResult result = randomparams();
    SetCursor(cross);
    if (!result.found) {
        MessageBoxA(nullptr, kSearchNotFound, " :-( ", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (debugflag != 0) {
        char string[240];
        std::snprintf(string, sizeof string,
                      "count: %d\na: %.15f\nb: %.15f\nc: %.15f\nd: %.15f\nLyapunov exponent: %.15f",
                      result.count, RP.a, RP.b, RP.c, RP.d, LExp);
        if (MessageBoxA(nullptr, string, "Accept Parameters?", MB_YESNO | MB_ICONINFORMATION) ==
            IDNO) {
            p[type] = result.previous;
            return false;
        }
    }
    return true;
}

} // namespace

void RandomParametersCommand(HWND hWnd) {
    if (advisories.advisory == 1) {
        MessageBoxA(nullptr, kRandomAdvisory, "Random Parameters Advisory", MB_ICONINFORMATION);
        advisories.advisory = 0;
    }
    if (!searchParameters()) {
        return;
    }
    okrun = 0;
    PictureIsObsolete();
    startRendering(hWnd);
}

void LyapunovMapCommand(HWND hWnd) {
    PictureIsObsolete();
    lmapflag = 1;
    if (advisories.mapadvisory == 1) {
        MessageBoxA(nullptr, kMapAdvisory, "Lyapunov Map Advisory", MB_ICONINFORMATION);
        advisories.mapadvisory = 0;
    }
    startRendering(hWnd);
}

} // namespace orv
