#include "cli/progress.h"

#include <cstdio>

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

} // namespace

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
                         Clock::time_point start)
    : out_(out), total_(total), unit_(std::move(unit)), start_(start), last_(start) {}

void ProgressBar::update(std::uint64_t done, Clock::time_point now) {
    if (now - last_ >= kRedrawInterval) {
        draw(done, now);
    }
}

void ProgressBar::finish(std::uint64_t done, Clock::time_point now) {
    draw(done, now);
    out_ << '\n' << std::flush;
}

void ProgressBar::draw(std::uint64_t done, Clock::time_point now) {
    const double seconds = std::chrono::duration<double>(now - start_).count();
    // The carriage return puts the bar back at the start of its line, and
    // ESC [ K clears what a longer previous bar left behind.
    out_ << '\r' << FormatProgress(done, total_, seconds, unit_) << "\033[K" << std::flush;
    last_ = now;
    ++redraws_;
}

} // namespace orv
