// How the batch commands report: one message per line on stderr, each
// prefixed with the name of the command that runs, and the exit codes they
// end with.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace orv {

constexpr int kExitSuccess = 0;
// A file could not be written, or memory ran out.
constexpr int kExitFailure = 1;
// A mistake on the command line, a value refused, a file that cannot be read,
// or a filter that cannot be applied.
constexpr int kExitBadInput = 2;
// The random search found no chaotic parameter set.
constexpr int kExitNotFound = 3;

// Writes a command's messages to a stream: "orvantis animate: text". The
// steps that the commands share report through the one of the command that
// runs them.
class Reporter {
  public:
    Reporter(std::ostream& err, std::string_view command) : err_(&err), command_(command) {}

    void operator()(std::string_view text) const {
        *err_ << "orvantis " << command_ << ": " << text << '\n';
    }
    std::ostream& stream() const { return *err_; }

  private:
    std::ostream* err_;
    std::string command_;
};

} // namespace orv
