// The batch commands' command lines: the input is split at zero bytes into
// arguments. A first argument "poster", "explore" or "animate" gives the rest
// to that command's reader, any other the whole to render's. Every command
// line is an action, or an error with its text.
#include "cli/animate.h"
#include "cli/explore.h"
#include "studio/command_line.h"
#include "studio/poster_options.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

template <typename Line> void CheckLine(const Line& line) {
    const bool isError = line.action == orv::CommandLineAction::Error;
    if (isError == line.error.empty()) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args.front() == "poster") {
        CheckLine(orv::ParsePosterOptions(rest));
    } else if (args.front() == "explore") {
        CheckLine(orv::ParseExploreOptions(rest));
    } else if (args.front() == "animate") {
        CheckLine(orv::ParseAnimateOptions(rest));
    } else {
        CheckLine(orv::ParseRenderOptions(args));
    }
    return 0;
}
