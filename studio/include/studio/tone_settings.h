// The settings of the log-density tone map, which posters, explore and
// animate use instead of the desktop's filters once any of them is given.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

struct ToneSettings {
    double brightness = 1.0; // above 0, at most 100
    double gamma = 2.2;      // 0.1 to 10
    double vibrancy = 1.0;   // 0 to 1: the share of gamma applied to the density
    double highlight = 0.0;  // 0 to 1: how far a colour too bright fades to white
    int de = 0;              // the largest kernel radius in fine pixels, 0 for none

    bool operator==(const ToneSettings&) const = default;
};

// Whether name is one of the options that choose the tone map.
bool IsToneOption(std::string_view name);

// Whether args name any of them, with or without "=value".
bool NamesToneOption(const std::vector<std::string>& args);

// Reads the value of the tone option name into tone; the refusal naming the
// option and the value, or nothing.
std::optional<std::string> ReadToneOption(std::string_view name, const std::string& value,
                                          ToneSettings& tone);

// The first of the settings out of its range, by its option's name; empty
// when all fit.
std::string ToneOutOfRange(const ToneSettings& tone);

} // namespace orv
