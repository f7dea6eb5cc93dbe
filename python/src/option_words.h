// The options of a recipe, as Python passes them by name, turned into the
// words of the command line, so that the command line's reader checks them
// and gives its messages. Python's types are checked first.
#pragma once

#include "studio/poster_recipe.h"

#include <pybind11/pybind11.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace orv::python {

struct OptionWords {
    std::vector<std::string> words; // "--name=value" or "--flag", in the table's order
    std::vector<std::string> names; // the options given, by their Python names
    // A palette given as 256 entries of red, green and blue, which has no word.
    std::optional<std::array<unsigned char, 768>> palette;
};

// The words of options. Raises TypeError for an unknown name or a value of
// the wrong type, OSError for a file that cannot be read. None, and False
// for a flag, stand for an option not given.
OptionWords WordsOfOptions(const pybind11::dict& options, const char* function);

// The decimal text of an int or a numpy integer; TypeError naming option
// for anything else, bool included.
std::string WholeText(const char* option, const pybind11::handle& value);

// The path that a str or an os.PathLike names; TypeError naming option for
// anything else.
std::string PathText(const char* option, const pybind11::handle& value);

// The names a recipe takes, in the table's order.
std::vector<std::string> OptionNames();

// What a recipe's text keywords begin with.
inline constexpr const char* kRecipeKeyPrefix = "orvantis:";

// The options that make the recipe whose text this is, by their Python
// names: each option with a keyword of its name, in the table's order.
pybind11::dict OptionsOfText(const TextChunks& text);

} // namespace orv::python
