#include "cli/progress.h"

#include <cstdio>
#include <utility>

namespace orv {

namespace {

constexpr int kBarWidth = 20;

std::string Duration(double seconds) {
    const auto whole = static_cast<unsigned long long>(seconds + 0.5);
    char text[32];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%llu:%02llu:%02llu", whole / 3600, whole / 60 % 60,
                      whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%llu:%02llu", whole / 60, whole % 60);
    }
    return text;
}

std::string Rate(double perSecond) {
    char text[32];
    if (perSecond >= 1e6) {
        std::snprintf(text, sizeof text, "%.2fM", perSecond / 1e6);
    } else if (perSecond >= 1e3) {
        std::snprintf(text, sizeof text, "%.1fk", perSecond / 1e3);
    } else {
        std::snprintf(text, sizeof text, "%.0f", perSecond);
    }
    return text;
}

// "25.3 M", "8.0 k", "50", "0.16": a rate in a log line.
std::string LogRate(double perSecond) {
    char text[32];
    if (perSecond >= 1e6) {
        std::snprintf(text, sizeof text, "%.1f M", perSecond / 1e6);
    } else if (perSecond >= 1e3) {
        std::snprintf(text, sizeof text, "%.1f k", perSecond / 1e3);
    } else if (perSecond >= 10.0) {
        std::snprintf(text, sizeof text, "%.0f", perSecond);
    } else {
        std::snprintf(text, sizeof text, "%.2f", perSecond);
    }
    return text;
}

// "9 s", "1 min 51 s", "2 h 5 min": a time in a log line.
std::string LogDuration(double seconds) {
    const auto whole = static_cast<unsigned long long>(seconds + 0.5);
    char text[48];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%llu h %llu min", whole / 3600, whole / 60 % 60);
    } else if (whole >= 60) {
        std::snprintf(text, sizeof text, "%llu min %llu s", whole / 60, whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%llu s", whole);
    }
    return text;
}

} // namespace

std::string FormatProgressLine(const std::string& command, std::uint64_t done, std::uint64_t total,
                               double seconds, const std::string& unit) {
    std::string text = "orvantis " + command + ": " + std::to_string(done) + " of " +
                       std::to_string(total) + " " + unit;
    const double rate = seconds > 0.0 ? static_cast<double>(done) / seconds : 0.0;
    if (rate > 0.0) {
        text += ", " + LogRate(rate) + " " + unit + "/s";
    }
    if (done >= total) {
        text += ", took " + LogDuration(seconds);
    } else if (rate > 0.0) {
        text += ", " + LogDuration(static_cast<double>(total - done) / rate) + " left";
    }
    return text;
}

std::string FormatProgress(std::uint64_t done, std::uint64_t total, double seconds,
                           const std::string& unit) {
    const double fraction =
        total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
    const int filled = static_cast<int>(fraction * kBarWidth);
    std::string text = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') + "]";

    char numbers[96];
    std::snprintf(numbers, sizeof numbers, " %3d%%  %llu/%llu %s",
                  static_cast<int>(fraction * 100.0), static_cast<unsigned long long>(done),
                  static_cast<unsigned long long>(total), unit.c_str());
    text += numbers;

    const double rate = seconds > 0.0 ? static_cast<double>(done) / seconds : 0.0;
    if (rate > 0.0) {
        text += "  " + Rate(rate) + " " + unit + "/s";
    }
    if (done >= total) {
        text += "  took " + Duration(seconds);
    } else if (rate > 0.0) {
        text += "  " + Duration(static_cast<double>(total - done) / rate) + " left";
    } else {
        text += "  --:-- left";
    }
    return text;
}

ProgressBar::ProgressBar(std::ostream& out, std::uint64_t total, std::string unit,
                         Clock::time_point start, std::string logAs)
    : out_(out), total_(total), unit_(std::move(unit)), logAs_(std::move(logAs)), start_(start),
      last_(start) {}

void ProgressBar::update(std::uint64_t done, Clock::time_point now) {
    if (now - last_ >= (inPlace() ? kRedrawInterval : kLogInterval)) {
        draw(done, now);
    }
}

void ProgressBar::finish(std::uint64_t done, Clock::time_point now) {
    draw(done, now);
    if (inPlace()) {
        out_ << '\n' << std::flush;
    }
}

void ProgressBar::draw(std::uint64_t done, Clock::time_point now) {
    const double seconds = std::chrono::duration<double>(now - start_).count();
    last_ = now;
    ++redraws_;
    if (!inPlace()) {
        out_ << FormatProgressLine(logAs_, done, total_, seconds, unit_) << '\n' << std::flush;
        return;
    }
    // The carriage return puts the bar back at the start of its line, and
    // ESC [ K clears what a longer previous bar left behind.
    out_ << '\r' << FormatProgress(done, total_, seconds, unit_) << "\033[K" << std::flush;
}

std::unique_ptr<ProgressBar> ShowProgress(BatchDisplay display, bool errIsTerminal,
                                          std::ostream& err, std::uint64_t total,
                                          const std::string& unit, const std::string& command) {
    if (display == BatchDisplay::Quiet || (!errIsTerminal && display != BatchDisplay::Progress)) {
        return nullptr;
    }
    return std::make_unique<ProgressBar>(err, total, unit, ProgressBar::Clock::now(),
                                         errIsTerminal ? "" : command);
}

} // namespace orv
