#include "studio/tone_settings.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace orv {

namespace {

// The ranges of the real settings, and what a refusal calls them.
struct RealSetting {
    std::string_view option;
    double ToneSettings::*field;
    double least;
    bool leastIncluded;
    double most;
    const char* refusal;
};

constexpr RealSetting kReals[] = {
    {"--brightness", &ToneSettings::brightness, 0.0, false, 100.0,
     "is not a brightness above 0 and at most 100"},
    {"--gamma", &ToneSettings::gamma, 0.1, true, 10.0, "is not a gamma from 0.1 to 10"},
    {"--vibrancy", &ToneSettings::vibrancy, 0.0, true, 1.0, "is not a vibrancy from 0 to 1"},
    {"--highlight", &ToneSettings::highlight, 0.0, true, 1.0, "is not a highlight from 0 to 1"},
};

constexpr int kLargestRadius = 20;

bool Fits(const RealSetting& setting, double value) {
    const bool aboveLeast = setting.leastIncluded ? value >= setting.least : value > setting.least;
    return aboveLeast && value <= setting.most;
}

// The whole text as a finite real number, no blanks around it.
std::optional<double> ReadFinite(const std::string& text) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

bool IsToneOption(std::string_view name) {
    for (const RealSetting& setting : kReals) {
        if (name == setting.option) {
            return true;
        }
    }
    return name == "--de";
}

bool NamesToneOption(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg.rfind("--", 0) == 0 &&
            IsToneOption(std::string_view(arg).substr(0, arg.find('=')))) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> ReadToneOption(std::string_view name, const std::string& value,
                                          ToneSettings& tone) {
    const std::string quoted = "'" + value + "'";
    if (name == "--de") {
        const std::optional<double> radius = ReadFinite(value);
        if (!radius || *radius != std::floor(*radius) || *radius < 1 || *radius > kLargestRadius) {
            return "--de: " + quoted + " is not a radius of 1 to " +
                   std::to_string(kLargestRadius) + " fine pixels";
        }
        tone.de = static_cast<int>(*radius);
        return std::nullopt;
    }
    for (const RealSetting& setting : kReals) {
        if (name == setting.option) {
            const std::optional<double> read = ReadFinite(value);
            if (!read || !Fits(setting, *read)) {
                return std::string(setting.option) + ": " + quoted + " " + setting.refusal;
            }
            tone.*setting.field = *read;
            return std::nullopt;
        }
    }
    return std::string(name) + " is no tone option";
}

std::string ToneOutOfRange(const ToneSettings& tone) {
    for (const RealSetting& setting : kReals) {
        if (!Fits(setting, tone.*setting.field)) {
            return std::string(setting.option.substr(2));
        }
    }
    return tone.de >= 0 && tone.de <= kLargestRadius ? "" : "de";
}

} // namespace orv
