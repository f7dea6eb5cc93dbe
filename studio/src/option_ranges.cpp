#include "studio/option_ranges.h"
#include "studio/option_messages.h"

#include "render/defaults.h"
#include "render/limits.h"

#include <algorithm>
#include <cstddef>

namespace orv {

namespace {

template <typename Value>
void WarnIfClamped(const char* option, Value given, Value used, Warnings& warnings) {
    if (std::optional<std::string> warning = ClampWarning(option, given, used)) {
        warnings.push_back(std::move(*warning));
    }
}

template <typename Value, std::size_t N, typename Clamp>
std::array<Value, N> Clamped(const char* option, const std::array<Value, N>& given, Clamp clamp,
                             Warnings& warnings) {
    std::array<Value, N> used{};
    for (std::size_t i = 0; i < N; ++i) {
        used[i] = static_cast<Value>(clamp(given[i], i));
        WarnIfClamped(option, given[i], used[i], warnings);
    }
    return used;
}

// An end beyond the outer limits is named in a warning.
void WarnIfViewClamped(double first, double second, double low, double high, Warnings& warnings) {
    WarnIfClamped("--view", std::min(first, second), low, warnings);
    WarnIfClamped("--view", std::max(first, second), high, warnings);
}

} // namespace

std::array<double, 4> ClampParameters(const std::array<double, 4>& given, Warnings& warnings) {
    return Clamped(
        "--params", given,
        [](double value, std::size_t i) { return i < 2 ? ClampAB(value) : ClampCD(value); },
        warnings);
}

std::array<double, 2> ClampStartPoint(const std::array<double, 2>& given, Warnings& warnings) {
    return Clamped(
        "--start", given, [](double value, std::size_t) { return ClampStart(value); }, warnings);
}

std::array<double, 3> ClampRotations(const std::array<double, 3>& given, Warnings& warnings) {
    return Clamped(
        "--rotation", given, [](double value, std::size_t) { return ClampRotation(value); },
        warnings);
}

std::array<long, 3> ClampBackground(const std::array<long, 3>& given, Warnings& warnings) {
    return Clamped(
        "--background", given, [](long value, std::size_t) { return ClampColor(value); }, warnings);
}

std::optional<MINMAX> ClampView(const std::array<double, 4>& given, Warnings& warnings,
                                std::string& refusal) {
    double xmin = given[0];
    double xmax = given[1];
    if (!ClampRange(xmin, xmax, mmrange.xmin, mmrange.xmax)) {
        refusal = "xmax - xmin must be >= 0.05";
        return std::nullopt;
    }
    double ymin = given[2];
    double ymax = given[3];
    if (!ClampRange(ymin, ymax, mmrange.ymin, mmrange.ymax)) {
        refusal = "ymax - ymin must be >= 0.05";
        return std::nullopt;
    }
    WarnIfViewClamped(given[0], given[1], xmin, xmax, warnings);
    WarnIfViewClamped(given[2], given[3], ymin, ymax, warnings);
    return MINMAX{xmin, xmax, ymin, ymax};
}

} // namespace orv
