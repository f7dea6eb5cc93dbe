#include "cli/front_end.h"
#include "cli/animate.h"
#include "cli/batch.h"
#include "cli/explore.h"
#include "cli/poster.h"

#include <cstring>
#include <iostream>

namespace orv {

namespace {

constexpr const char* kUsage = R"(Usage: orvantis [FILE.gan]
       orvantis render [options] -o FILE.tga|FILE.png
       orvantis poster [options] -o FILE.png
       orvantis explore --type T --count N [--seed S] -o DIR
       orvantis animate --gan A.gan [--to B.gan] [--turn AXIS] --frames F -o DIR

Without a command the desktop program starts, with the parameter file if one
is named. `render` draws a picture as the desktop program does, without any
window; `poster` draws a large, smooth picture on every core; `explore`
finds many chaotic sets and shows them on a gallery page; `animate` renders
the frames of a morph or a turn. Each command lists its options with --help.
)";

} // namespace

std::optional<int> RunFrontEnd(int argc, char** argv) {
    if (argc < 2) {
        return std::nullopt;
    }
    if (std::strcmp(argv[1], "render") == 0) {
        return RenderMain(argc - 1, argv + 1);
    }
    if (std::strcmp(argv[1], "poster") == 0) {
        return PosterMain(argc - 1, argv + 1);
    }
    if (std::strcmp(argv[1], "explore") == 0) {
        return ExploreMain(argc - 1, argv + 1);
    }
    if (std::strcmp(argv[1], "animate") == 0) {
        return AnimateMain(argc - 1, argv + 1);
    }
    if (std::strcmp(argv[1], "--help") == 0) {
        std::cout << kUsage;
        return 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::cout << "orvantis " << ORV_VERSION << '\n';
        return 0;
    }
    return std::nullopt;
}

} // namespace orv
