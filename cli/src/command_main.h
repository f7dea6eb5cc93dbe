// The common end of a batch command's main: the usage, the version or the
// option error for a command line that asks for them, else the command's run
// with the terminal's standard streams.
#pragma once

#include "cli/launcher.h"
#include "cli/report.h"
#include "studio/command_line.h"

#include <iostream>

#include <unistd.h>

namespace orv {

template <typename CommandLine, typename Run>
int FinishCommandLine(const char* command, const char* usage, const CommandLine& line, Run run) {
    switch (line.action) {
    case CommandLineAction::Help:
        std::cout << usage;
        return kExitSuccess;
    case CommandLineAction::Version:
        std::cout << "orvantis " << ORV_VERSION << '\n';
        return kExitSuccess;
    case CommandLineAction::Error:
        std::cerr << "orvantis " << command << ": " << line.error << " (see orvantis " << command
                  << " --help)\n";
        return kExitBadInput;
    case CommandLineAction::Render:
        break;
    }
    if (const int refused = RefuseStrayTask(command, std::cerr)) {
        return refused;
    }
    return run(line.options, std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0);
}

} // namespace orv
