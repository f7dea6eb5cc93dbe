// The options a command reads itself, taken out of its arguments before the
// rest go to the poster's reader.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orv {

struct SplitArguments {
    std::map<std::string, std::string> own; // value by option name; -o is --output
    std::vector<std::string> rest;          // every other argument, in order
    std::string error;                      // an option of names without its value
};

// Takes the options of names, each with a value ("--name value" or
// "--name=value"), out of args.
SplitArguments SplitOwnOptions(const std::vector<std::string>& args,
                               const std::set<std::string>& names);

// Whether args name the option, with or without "=value".
bool Names(const std::vector<std::string>& args, const std::string& name);

// A whole number from minimum to maximum, digits only.
std::optional<unsigned long> ReadWholeNumber(const std::string& text, unsigned long minimum,
                                             unsigned long maximum);

} // namespace orv
