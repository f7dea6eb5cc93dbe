#include "apply.h"
#include "report.h"
#include "session.h"

#include "analysis/lyapunov.h"
#include "analysis/randomparams.h"
#include "files/gan.h"
#include "files/selection.h"
#include "palette/mapfile.h"
#include "palette/palette.h"
#include "render/limits.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "ui/mainwindow.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

namespace orv {

namespace {

// Puts a file name into one of the program's path buffers; false when it
// does not fit.
bool CopyName(const std::string& name, char (&buffer)[MAX_PATH]) {
    if (name.size() >= MAX_PATH) {
        return false;
    }
    std::strcpy(buffer, name.c_str());
    return true;
}

int LoadParameterFile(const std::string& name, std::ostream& err) {
    if (!CopyName(name, oganfile) || loadgan() != 0) {
        Report(err, "Error opening GAN file");
        return kExitBadInput;
    }
    return 0;
}

// A loaded record is taken as stored; values that are no finite numbers give
// a blank picture (and a start point that is none makes every random search
// fail), so they are named.
void WarnIfNotFinite(const std::string& name, std::ostream& err) {
    const std::pair<const char*, double> fields[] = {
        {"a", gan.a},           {"b", gan.b},           {"c", gan.c},           {"d", gan.d},
        {"xstart", gan.xstart}, {"ystart", gan.ystart}, {"zstart", gan.zstart}, {"xrot", gan.xrot},
        {"yrot", gan.yrot},     {"zrot", gan.zrot}};
    std::string named;
    for (const auto& [field, value] : fields) {
        if (!std::isfinite(value)) {
            named += (named.empty() ? "" : ", ") + std::string(field);
        }
    }
    if (!named.empty()) {
        Report(err, "warning: '" + name + "': not a finite number: " + named);
    }
}

void ApplyParameters(const std::array<double, 4>& values) {
    PARAM T = p[type];
    T.a = ClampAB(values[0]);
    T.b = ClampAB(values[1]);
    T.c = ClampCD(values[2]);
    T.d = ClampCD(values[3]);
    p[type] = T;
}

int ApplyView(const std::array<double, 4>& values, std::ostream& err) {
    double xmin = values[0];
    double xmax = values[1];
    if (!ClampRange(xmin, xmax, mmrange.xmin, mmrange.xmax)) {
        Report(err, "xmax - xmin must be >= 0.05");
        return kExitBadInput;
    }
    double ymin = values[2];
    double ymax = values[3];
    if (!ClampRange(ymin, ymax, mmrange.ymin, mmrange.ymax)) {
        Report(err, "ymax - ymin must be >= 0.05");
        return kExitBadInput;
    }
    mm[type] = MINMAX{xmin, xmax, ymin, ymax};
    return 0;
}

// A new image size replaces the off-screen image by a black one, as the
// Parameters command does.
int ApplyResolution(long value, std::ostream& err) {
    const int side = ClampResolution(value);
    if (side == res) {
        return 0;
    }
    if (!SetResolution(g_hWnd, side)) {
        Report(err, "Not enough memory for an image of this size.");
        return kExitFailure;
    }
    return 0;
}

void ApplyBackground(const std::array<long, 3>& values) {
    red = ClampColor(values[0]);
    green = ClampColor(values[1]);
    blue = ClampColor(values[2]);
    back = static_cast<std::uint32_t>(red | green << 8 | blue << 16);
}

// A built-in palette by number, or a ".map" file read and accepted as the
// Palette command does.
int ApplyPalette(const std::string& choice, std::ostream& err) {
    if (choice == "1" || choice == "2") {
        genpalette(choice == "1" ? defpal1 : defpal2);
        return 0;
    }
    if (!CopyName(choice, file) || OpenMapFile() != 0) {
        Report(err, "Error opening MAP file");
        return kExitBadInput;
    }
    std::memcpy(palette, paltemp, sizeof palette);
    return 0;
}

int SearchRandomParameters(const RenderOptions& options, BatchSession& session, std::ostream& err) {
    SetRandomSeed(options.seed);
    const int result = randomparams();
    SetRandomSeed(std::nullopt);
    if (result != 0) {
        session.ReportMessages(err);
        return kExitNotFound;
    }
    return 0;
}

// The Parameters dialog estimates the exponent of what it was given and
// warns about a set that will hardly give a picture; so does this.
void WarnIfNotChaotic(std::ostream& err) {
    lyapunov();
    if (LExp < 0.3) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "warning: Lyapunov exponent: %.6f: the attractor may not be chaotic "
                      "enough to produce an appealing image",
                      LExp);
        Report(err, text);
    }
}

} // namespace

int ApplyOptions(const RenderOptions& options, BatchSession& session, std::ostream& err) {
    if (options.gan) {
        if (const int failed = LoadParameterFile(*options.gan, err)) {
            return failed;
        }
        if (options.display != BatchDisplay::Quiet) {
            WarnIfNotFinite(*options.gan, err);
        }
    }
    if (options.type) {
        type = *options.type;
    }
    if (options.params) {
        ApplyParameters(*options.params);
    }
    if (options.start) {
        p[type].xstart = ClampStart((*options.start)[0]);
        p[type].ystart = ClampStart((*options.start)[1]);
    }
    if (options.rotation) {
        rot[type].x = ClampRotation((*options.rotation)[0]);
        rot[type].y = ClampRotation((*options.rotation)[1]);
        rot[type].z = ClampRotation((*options.rotation)[2]);
    }
    if (options.order) {
        rotationorder = *options.order;
    }
    if (options.view) {
        if (const int refused = ApplyView(*options.view, err)) {
            return refused;
        }
    }
    if (options.res) {
        if (const int failed = ApplyResolution(*options.res, err)) {
            return failed;
        }
    }
    if ((options.params || options.start) && options.display != BatchDisplay::Quiet) {
        WarnIfNotChaotic(err);
    }
    if (options.method) {
        method[type] = *options.method;
    }
    if (options.background) {
        ApplyBackground(*options.background);
    }
    if (options.palette) {
        if (const int failed = ApplyPalette(*options.palette, err)) {
            return failed;
        }
    }
    if (options.ghost) {
        ghostflag = 1;
    }
    if (options.random) {
        if (const int failed = SearchRandomParameters(options, session, err)) {
            return failed;
        }
    }
    if (options.lmap) {
        lmapflag = 1;
    }
    firstloop = 1;
    return 0;
}

} // namespace orv
