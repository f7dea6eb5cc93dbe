#include "cli/poster.h"
#include "cli/report.h"
#include "command_main.h"

namespace orv {

namespace {

constexpr const char* kUsage =
    R"(Usage: orvantis poster [options] -o FILE.png
       orvantis poster --recipe POSTER.png -o FILE.png

Renders a large picture on every core: the steps are shared by many orbits,
whose hit counts add up, and the picture is the same whatever the number of
threads. The picture options are those of `orvantis render` (see orvantis
render --help): --gan, --type, --params, --start, --rotation, --order,
--view, --method, --background, --palette, --ghost, --random[=SEED],
--filter, --steps (up to 2^63 - 1), --progress and --quiet. Besides:

  --res N                the picture's side, from 200 up to what memory
                         allows (600); the same as --size NxN
  --size WxH             the picture's width and height; the view grows
                         about its centre to the picture's shape
  --fit                  chooses the view so that the set fills the picture,
                         centred; --margin PCT (0 to 40, 5) leaves PCT
                         percent of each side free
  --orbits M             orbits sharing the steps, 1 to 65536 (64); orbit 0
                         is the desktop program's own
  --threads N            threads rendering them (every core); changes the
                         time taken, never the picture
  --supersample K        1 to 4 (1): each pixel is the mean colour of K x K
                         finer pixels, for smooth edges
  --depth D              8 or 16 bits per channel (8)
  --brightness B, --gamma G, --vibrancy V, --highlight H, --de R
                         the log-density tone map instead of --filter;
                         --background transparent writes RGBA
  --exact-orbits         every orbit on the desktop program's step; else
                         orbits 1 to M-1 run side by side on the vector unit
                         (ORVANTIS_ISA=scalar|sse2|avx2|avx512 picks it;
                         the picture is the same on each)
  --counts FILE.exr      also the raw hit counts of the fine grid in an
                         OpenEXR file, exactly: channel Y as 32-bit floats
                         up to 2^24, else as 32-bit whole numbers; counts
                         past 2^32 - 1 as channels high and low
  --recipe POSTER.png    renders again the picture whose recipe POSTER.png
                         carries; only -o, --threads, --counts, --progress
                         and --quiet go with it
  -o, --output FILE.png  the picture, with its recipe as PNG text

Exit status: 0 success; 1 a file could not be written, or memory does not
suffice; 2 a mistake in the options, a refused value or a file that cannot
be read; 3 the random search found nothing.
)";

} // namespace

int PosterMain(int argc, char** argv) {
    const PosterCommandLine line =
        ParsePosterOptions(std::vector<std::string>(argv + 1, argv + argc));
    return FinishCommandLine("poster", kUsage, line, RunPoster);
}

} // namespace orv
