// The command line of `orvantis render`: what each option asks for, read and
// checked for form only. Ranges are applied later, when the values meet the
// render state.
#pragma once

#include "studio/recipe_options.h"

#include <string>
#include <vector>

namespace orv {

enum class CommandLineAction { Render, Help, Version, Error };

// What a command's arguments ask for, with the command's options.
template <class Options> struct ParsedCommandLine {
    CommandLineAction action = CommandLineAction::Error;
    Options options;
    std::string error; // one line naming the option, for Error
};

using CommandLine = ParsedCommandLine<RenderOptions>;

// Reads the arguments that follow `render`.
CommandLine ParseRenderOptions(const std::vector<std::string>& args);

// Reads the picture options that the commands share, as ParseRenderOptions
// does but leaving the image name's ending to the command.
CommandLine ParsePictureOptions(const std::vector<std::string>& args);

} // namespace orv
