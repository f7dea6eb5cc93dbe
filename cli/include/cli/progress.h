// Progress of a batch run: steps done, rate and time left. On a terminal a
// one-line bar redrawn in place at most ten times a second; in a log, one
// line every few seconds and a last one at the end.
#pragma once

#include "studio/recipe_options.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

namespace orv {

// The text of the bar (without the carriage return that puts it in place),
// e.g. "[##########          ]  50%  2500000/5000000 steps  1.25M steps/s  0:02 left".
std::string FormatProgress(std::uint64_t done, std::uint64_t total, double seconds,
                           const std::string& unit);

// A line of a log, e.g. "orvantis poster: 1200000000 of 4000000000 steps,
// 25.3 M steps/s, 1 min 51 s left".
std::string FormatProgressLine(const std::string& command, std::uint64_t done, std::uint64_t total,
                               double seconds, const std::string& unit);

class ProgressBar {
  public:
    using Clock = std::chrono::steady_clock;

    static constexpr Clock::duration kRedrawInterval = std::chrono::milliseconds(100);
    static constexpr Clock::duration kLogInterval = std::chrono::seconds(5);

    // The bar on a terminal; given the command's name for logAs, the lines
    // of a log instead.
    ProgressBar(std::ostream& out, std::uint64_t total, std::string unit, Clock::time_point start,
                std::string logAs = "");

    // Redraws the bar when kRedrawInterval has passed since the last drawing,
    // or writes a line when kLogInterval has.
    void update(std::uint64_t done, Clock::time_point now);
    // Draws the final state and ends the line.
    void finish(std::uint64_t done, Clock::time_point now);

    // Whether the bar stands on a line of its own that a message must end first.
    bool inPlace() const { return logAs_.empty(); }
    int redraws() const { return redraws_; }

  private:
    void draw(std::uint64_t done, Clock::time_point now);

    std::ostream& out_;
    std::uint64_t total_;
    std::string unit_;
    std::string logAs_;
    Clock::time_point start_;
    Clock::time_point last_;
    int redraws_ = 0;
};

// The progress a run shows on err: the bar on a terminal unless --quiet, the
// lines of a log with --progress on anything else, or none.
std::unique_ptr<ProgressBar> ShowProgress(BatchDisplay display, bool errIsTerminal,
                                          std::ostream& err, std::uint64_t total,
                                          const std::string& unit, const std::string& command);

} // namespace orv
