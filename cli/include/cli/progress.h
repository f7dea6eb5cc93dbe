// A one-line progress bar for a terminal: steps done, rate and time left,
// redrawn in place at most ten times a second.
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace orv {

// The text of the bar (without the carriage return that puts it in place),
// e.g. "[##########          ]  50%  2500000/5000000 steps  1.25M steps/s  0:02 left".
std::string FormatProgress(std::uint64_t done, std::uint64_t total, double seconds,
                           const std::string& unit);

class ProgressBar {
  public:
    using Clock = std::chrono::steady_clock;

    static constexpr Clock::duration kRedrawInterval = std::chrono::milliseconds(100);

    ProgressBar(std::ostream& out, std::uint64_t total, std::string unit, Clock::time_point start);

    // Redraws the bar when kRedrawInterval has passed since the last drawing.
    void update(std::uint64_t done, Clock::time_point now);
    // Draws the final state and ends the line.
    void finish(std::uint64_t done, Clock::time_point now);

    int redraws() const { return redraws_; }

  private:
    void draw(std::uint64_t done, Clock::time_point now);

    std::ostream& out_;
    std::uint64_t total_;
    std::string unit_;
    Clock::time_point start_;
    Clock::time_point last_;
    int redraws_ = 0;
};

} // namespace orv
