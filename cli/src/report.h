// How the batch renderer reports: one message per line on stderr, each
// prefixed with the command's name, and the exit codes it ends with.
#pragma once

#include <ostream>
#include <string>

namespace orv {

constexpr int kExitSuccess = 0;
// A file could not be written, or memory ran out.
constexpr int kExitFailure = 1;
// A mistake on the command line, a value refused, a file that cannot be read,
// or a filter that cannot be applied.
constexpr int kExitBadInput = 2;
// The random search found no chaotic parameter set.
constexpr int kExitNotFound = 3;

inline void Report(std::ostream& err, const std::string& text) {
    err << "orvantis render: " << text << '\n';
}

} // namespace orv
