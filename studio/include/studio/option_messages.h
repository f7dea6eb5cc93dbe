// What the batch commands say about the picture options they are given:
// files that cannot be read or are not what they should be, values brought
// into their range, and a set that will hardly give a picture.
#pragma once

#include "files/gan.h"

#include <optional>
#include <string>
#include <type_traits>

namespace orv {

// The system's reason why name cannot be opened for reading, or 0 when it
// can: a name too long for the program's path buffers is refused as the
// system refuses one too long for its own.
int OpenFailure(const std::string& name);

// "cannot read the <what> '<name>': <the system's reason>".
std::string CannotRead(const char* what, const std::string& name, int error);

std::string NotAParameterFile(const std::string& name);
std::string NotAPaletteFile(const std::string& name);

// The refusal of a parameter file whose values are not all finite numbers,
// naming the fields; nothing when all are.
std::optional<std::string> NotFinite(const std::string& name, const GAN& record);

// The shortest text that reads back as value.
std::string Shortest(double value);

// The warning that option's value given was out of range and used is
// used; nothing when they are the same.
template <typename Value>
std::optional<std::string> ClampWarning(const char* option, Value given, Value used) {
    if (given == used) {
        return std::nullopt;
    }
    if constexpr (std::is_floating_point_v<Value>) {
        return std::string("warning: ") + option + ": " + Shortest(given) + " is out of range; " +
               Shortest(used) + " is used";
    } else {
        return std::string("warning: ") + option + ": " + std::to_string(given) +
               " is out of range; " + std::to_string(used) + " is used";
    }
}

// The advisory on a set whose Lyapunov exponent is below 0.3, as the
// Parameters dialog gives it; nothing for a higher one.
std::optional<std::string> NotChaotic(double exponent);

} // namespace orv
