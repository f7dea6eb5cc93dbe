// The filter commands 170, 175, 180 and 185. They act only on hit counts
// made for the present image size, and each explains itself once per run.
#include "command_handlers.h"
#include "filters/filters.h"
#include "platform/window_dc.h"
#include "render/plot.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/commands.h"
#include "ui/messages.h"
#include "ui/state.h"

#include <string>

namespace orv {

namespace {

constexpr const char* kResumeWarning =
    "The best results often will be obtained if\n   the image is 'overdeveloped'.\n\nThe image "
    "will disappear if you resume\n   rendering after the filter is applied.\n   Therefore, if "
    "you want to save the\n   filtered image, do so immediately.";

struct Advisory {
    int* flag;
    const char* caption;
    const char* opening;
};

Advisory advisoryOf(UINT id) {
    switch (id) {
    case kNormalize:
        return {&advisories.nadvisory, "Normalization Advisory",
                "The normalization filter will be applied.\n\n"};
    case kEqualize:
        return {&advisories.eadvisory, "Equalization Advisory",
                "The equalization filter will be applied.\n\n"};
    default:
        return {&advisories.logadvisory, "Hit Count Adjustment Advisory",
                "The hit count will be adjusted with a\n   logarithmic transformation "
                "filter.\n\nUsing the squares of the logarithms will\n   shift the palette "
                "indices toward the\n   lower end of the palette.\n\n"};
    }
}

// Equalizing takes a while: the hourglass shows while there is something to
// equalize.
int equalizeShowingWait(HDC window) {
    if (FilterRefusal() != 0 || hitmax == 0) {
        return equalize(window);
    }
    SetCursor(wait);
    const int result = equalize(window);
    SetCursor(cross);
    return result;
}

} // namespace

int RunFilter(UINT id) {
    const WindowDC dc(g_hWnd);
    switch (id) {
    case kNormalize:
        return normalize(dc.get());
    case kEqualize:
        return equalizeShowingWait(dc.get());
    case kHitCountLogSquared: {
        logsquare = 1;
        const int result = logadjust(dc.get());
        logsquare = 0;
        return result;
    }
    default:
        logsquare = 0;
        return logadjust(dc.get());
    }
}

void FilterCommand(UINT id) {
    if (hcres != res) {
        return;
    }
    const Advisory advice = advisoryOf(id);
    if (*advice.flag == 1) {
        const std::string text = std::string(advice.opening) + kResumeWarning;
        MessageBoxA(nullptr, text.c_str(), advice.caption, MB_ICONINFORMATION);
        *advice.flag = 0;
    }
    if (RunFilter(id) == 3) {
        MessageBoxA(g_hWnd, kEqualizeNoMemory, "Memory allocation problem",
                    MB_OK | MB_ICONEXCLAMATION);
    }
}

} // namespace orv
