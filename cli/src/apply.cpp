#include "apply.h"
#include "cli/report.h"

#include "studio/option_messages.h"
#include "studio/option_ranges.h"

#include "analysis/lyapunov.h"
#include "analysis/randomparams.h"
#include "files/gan.h"
#include "files/selection.h"
#include "palette/palette.h"
#include "render/limits.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"
#include "ui/palette_preview.h"

#include <algorithm>
#include <cstring>

namespace orv {

namespace {

int Refuse(const std::string& text, const Reporter& report) {
    report(text);
    return kExitBadInput;
}

int LoadParameterFile(const std::string& name, const Reporter& report) {
    if (const int error = OpenFailure(name)) {
        return Refuse(CannotRead("parameter file", name, error), report);
    }
    std::strcpy(oganfile, name.c_str());
    if (loadgan() != 0) {
        return Refuse(NotAParameterFile(name), report);
    }
    // A loaded record is taken as stored, but values that are no finite
    // numbers would give a blank picture (and a start point that is none
    // makes every random search fail).
    if (const std::optional<std::string> refused = NotFinite(name, gan)) {
        return Refuse(*refused, report);
    }
    return 0;
}

// Names the value used in place of one given out of its range.
template <typename Value>
void WarnIfClamped(const char* option, Value given, Value used, const Reporter& report) {
    if (const std::optional<std::string> warning = ClampWarning(option, given, used)) {
        report(*warning);
    }
}

// Reports the warnings when warn is given.
void Tell(const Warnings& warnings, const Reporter* warn) {
    if (warn != nullptr) {
        for (const std::string& warning : warnings) {
            (*warn)(warning);
        }
    }
}

// Values brought into their range by clamp, the ones changed named.
template <typename Values, typename Clamp>
Values Warned(Clamp clamp, const Values& given, const Reporter* warn) {
    Warnings warnings;
    const Values used = clamp(given, warnings);
    Tell(warnings, warn);
    return used;
}

void ApplyParameters(const std::array<double, 4>& values, const Reporter* warn) {
    const std::array<double, 4> used = Warned(ClampParameters, values, warn);
    PARAM T = p[type];
    T.a = used[0];
    T.b = used[1];
    T.c = used[2];
    T.d = used[3];
    p[type] = T;
}

int ApplyView(const std::array<double, 4>& values, const Reporter& report, const Reporter* warn) {
    Warnings warnings;
    std::string refusal;
    const std::optional<MINMAX> view = ClampView(values, warnings, refusal);
    if (!view) {
        return Refuse(refusal, report);
    }
    Tell(warnings, warn);
    mm[type] = *view;
    return 0;
}

// A new image size replaces the off-screen image by a black one, as the
// Parameters command does.
int ApplyResolution(long value, const Reporter& report, const Reporter* warn) {
    const int side = ClampResolution(value);
    if (warn != nullptr) {
        WarnIfClamped("--res", value, static_cast<long>(side), *warn);
    }
    if (side == res) {
        return 0;
    }
    if (!SetResolution(g_hWnd, side)) {
        report("Not enough memory for an image of this size.");
        return kExitFailure;
    }
    return 0;
}

void ApplyBackground(const std::array<long, 3>& values, const Reporter* warn) {
    const std::array<long, 3> used = Warned(ClampBackground, values, warn);
    SetBackground(static_cast<int>(used[0]), static_cast<int>(used[1]), static_cast<int>(used[2]));
}

// A built-in palette by number, or a ".map" file read and accepted as the
// Palette command does.
int ApplyPalette(const std::string& choice, const Reporter& report) {
    if (choice == "1" || choice == "2") {
        genpalette(choice == "1" ? defpal1 : defpal2);
        return 0;
    }
    if (const int error = OpenFailure(choice)) {
        return Refuse(CannotRead("palette file", choice, error), report);
    }
    std::strcpy(file, choice.c_str());
    if (OpenMapFile() != 0) {
        return Refuse(NotAPaletteFile(choice), report);
    }
    std::memcpy(palette, paltemp, sizeof palette);
    return 0;
}

int SearchRandomParameters(const RenderOptions& options, const Reporter& report) {
    SetRandomSeed(options.seed);
    const SearchResult result = randomparams();
    SetRandomSeed(std::nullopt);
    if (!result.found) {
        report(kSearchNotFound);
        return kExitNotFound;
    }
    return 0;
}

// The Parameters dialog estimates the exponent of what it was given and
// warns about a set that will hardly give a picture; so does this.
void WarnIfNotChaotic(const Reporter& report) {
    lyapunov();
    if (const std::optional<std::string> advisory = NotChaotic(LExp)) {
        report(*advisory);
    }
}

} // namespace

int ApplyOptions(const RenderOptions& options, std::ostream& err) {
    const Reporter report(err, options.command);
    // Warnings are left out under --quiet.
    const Reporter* warn = options.display != BatchDisplay::Quiet ? &report : nullptr;
    if (options.gan) {
        if (const int failed = LoadParameterFile(*options.gan, report)) {
            return failed;
        }
    }
    if (options.type) {
        type = *options.type;
    }
    if (options.params) {
        ApplyParameters(*options.params, warn);
    }
    if (options.start) {
        const std::array<double, 2> start = Warned(ClampStartPoint, *options.start, warn);
        p[type].xstart = start[0];
        p[type].ystart = start[1];
    }
    if (options.rotation) {
        const std::array<double, 3> rotation = Warned(ClampRotations, *options.rotation, warn);
        rot[type].x = rotation[0];
        rot[type].y = rotation[1];
        rot[type].z = rotation[2];
    }
    if (options.order) {
        rotationorder = *options.order;
    }
    if (options.view) {
        if (const int refused = ApplyView(*options.view, report, warn)) {
            return refused;
        }
    }
    if (options.res) {
        if (const int failed = ApplyResolution(*options.res, report, warn)) {
            return failed;
        }
    }
    if ((options.params || options.start) && warn != nullptr) {
        WarnIfNotChaotic(report);
    }
    if (options.method) {
        method[type] = *options.method;
    }
    if (options.background) {
        ApplyBackground(*options.background, warn);
    }
    if (options.palette) {
        if (const int failed = ApplyPalette(*options.palette, report)) {
            return failed;
        }
    }
    if (options.ghost) {
        ghostflag = 1;
    }
    if (options.random) {
        if (const int failed = SearchRandomParameters(options, report)) {
            return failed;
        }
    }
    if (options.lmap) {
        lmapflag = 1;
    }
    PictureIsObsolete();
    return 0;
}

} // namespace orv
