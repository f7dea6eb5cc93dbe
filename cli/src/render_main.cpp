#include "cli/batch.h"
#include "cli/launcher.h"
#include "cli/report.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>

#include <unistd.h>

namespace orv {

namespace {

constexpr const char* kUsage =
    R"(Usage: orvantis render [options] -o FILE

Renders an attractor without any window and writes the picture and its
parameter file. The render starts from the program's start-up state; the
options are applied in the order listed here, whatever their order on the
command line.

  --gan FILE             load a parameter file
  --type T               standard, alpha, beta, gamma, or 0 to 3
  --params A,B,C,D       a, b, c, d of the selected type
  --start X0,Y0          the start point of the selected type
  --rotation X,Y,Z       the rotation of the selected type, in degrees
  --order O              XYZ, XZY, YXZ, YZX, ZXY or ZYX
  --view XMIN,XMAX,YMIN,YMAX
                         the view window of the selected type
  --res N                the image side, 200 to 4000 (600)
  --method M             speed, hit-count or z-plane
  --background R,G,B     the background colour, 0 to 255 each
  --palette P            1 or 2 for a built-in palette, or a ".map" file
  --ghost                ghost image mode
  --random[=SEED]        search a random chaotic parameter set, seeded with
                         SEED (0 to 4294967295) or else the current time
  --lmap                 draw the Lyapunov map instead of the attractor
  --steps N              the number of render steps (5000000)
  --filter F             normalize, equalize, log or log-squared, after the
                         render (needs --method hit-count and 1000 steps)
  -o, --output FILE      the image: a Targa file, or PNG for a name ending
                         in .png; the parameter file is written beside it,
                         its name's last three characters replaced by "gan"
  --progress             a progress bar on stderr when it is a terminal (the
                         default there)
  --quiet                no progress bar and no closing line
  --help, --version      this text, or the version

Values out of range are clamped as the program's dialogs clamp them.

Exit status: 0 success; 1 a file could not be written, or memory ran out;
2 a mistake in the options, a refused view window, a file that cannot be
read, or a filter that cannot be applied; 3 the random search found nothing.
)";

// What RenderMain writes to standard output must arrive: a full disk or a
// closed pipe there is a failure like any other write.
int CheckStandardOutput(int code) {
    errno = 0;
    std::cout.flush();
    if (std::cout.fail()) {
        const int error = errno;
        Reporter(std::cerr, "render")(std::string("cannot write to standard output") +
                                      (error != 0 ? std::string(": ") + std::strerror(error) : ""));
        return code == kExitSuccess ? kExitFailure : code;
    }
    return code;
}

int Dispatch(int argc, char** argv) {
    const CommandLine line = ParseRenderOptions(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
    case CommandLineAction::Help:
        std::cout << kUsage;
        return kExitSuccess;
    case CommandLineAction::Version:
        std::cout << "orvantis " << ORV_VERSION << '\n';
        return kExitSuccess;
    case CommandLineAction::Error:
        Reporter(std::cerr, "render")(line.error + " (see orvantis render --help)");
        return kExitBadInput;
    case CommandLineAction::Render:
        break;
    }
    if (const int refused = RefuseStrayTask("render", std::cerr)) {
        return refused;
    }
    return RunBatch(line.options, std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0);
}

} // namespace

int RenderMain(int argc, char** argv) {
    // Memory can run out before the engine's own checks are reached: while
    // the pictures are unpacked or the drawing surfaces made at start-up.
    try {
        return CheckStandardOutput(Dispatch(argc, argv));
    } catch (const std::bad_alloc&) {
        Reporter(std::cerr,
                 "render")("Unable to allocate bitmap buffer.\nTry to free up some memory.");
        return kExitFailure;
    }
}

} // namespace orv
