// The batch renderer's command line: the input is split at zero bytes into
// arguments. Every command line is an action, or an error with its text.
#include "cli/options.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    const orv::CommandLine line = orv::ParseRenderOptions(args);
    const bool isError = line.action == orv::CommandLineAction::Error;
    if (isError == line.error.empty()) {
        std::abort();
    }
    return 0;
}
