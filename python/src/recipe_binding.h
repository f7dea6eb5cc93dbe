// orvantis.Recipe: a poster's recipe as a Python value, made from the
// command line's options by name, from a parameter file or from a poster.
#pragma once

#include "option_words.h"

#include "studio/poster_options.h"
#include "studio/poster_recipe.h"
#include "studio/recipe_from_options.h"

#include <pybind11/pybind11.h>

#include <optional>
#include <string>
#include <vector>

namespace orv::python {

struct Recipe {
    PosterRecipe poster;
    // What a search measured of the set, for the recipes explore finds.
    std::optional<double> exponent;
    std::optional<double> coverage;
};

// The recipe of options as Recipe(**options) makes it: TypeError, ValueError
// or OSError with the command line's message for what it refuses, and a
// UserWarning for a set that may not be chaotic.
Recipe MakeRecipe(const pybind11::dict& options, const char* function);

// The recipe of a reading of options whose words were given: ValueError
// for a refusal or a value out of range, warnings as UserWarning.
Recipe RecipeOfReading(const RecipeReading& reading, const OptionWords& given);

// The poster options that words (command-line arguments) give; ValueError
// with the command line's message when it refuses them.
PosterOptions ReadPosterWords(std::vector<std::string> words);

// The threads of a call: every core for None.
unsigned ThreadsOf(const pybind11::object& threads);

void BindRecipe(pybind11::module_& module);

} // namespace orv::python
