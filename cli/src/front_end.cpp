#include "cli/front_end.h"
#include "cli/animate.h"
#include "cli/batch.h"
#include "cli/explore.h"
#include "cli/poster.h"

#include "cli/report.h"

#include "studio/lane_isa.h"

#include <cstring>
#include <exception>
#include <iostream>
#include <new>
#include <utility>

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

std::optional<int> RunFrontEnd(int argc, char** argv, const RankCommands* ranks) {
    UseRankCommands(ranks);
    if (argc < 2) {
        return std::nullopt;
    }
    static constexpr std::pair<const char*, int (*)(int, char**)> kCommands[] = {
        {"render", RenderMain},
        {"poster", PosterMain},
        {"explore", ExploreMain},
        {"animate", AnimateMain},
    };
    for (const auto& [name, main] : kCommands) {
        if (std::strcmp(argv[1], name) != 0) {
            continue;
        }
        if (const IsaChoice isa = LaneIsaOfEnvironment(); !isa.isa && main != RenderMain) {
            std::cerr << "orvantis " << name << ": " << isa.error << '\n';
            return kExitBadInput;
        }
        // Whatever a command could not go on from ends it with a message,
        // never with an abort.
        try {
            return main(argc - 1, argv + 1);
        } catch (const std::bad_alloc&) {
            std::cerr << "orvantis " << name << ": there is not enough memory to go on\n";
        } catch (const std::exception& failure) {
            std::cerr << "orvantis " << name << ": " << failure.what() << '\n';
        }
        return kExitFailure;
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
