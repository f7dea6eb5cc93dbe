#include "recipe_binding.h"
#include "errors.h"
#include "option_words.h"

#include "studio/option_messages.h"
#include "studio/recipe_from_options.h"
#include "studio/recipe_gan.h"

#include "analysis/workers.h"
#include "files/safe_file.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <functional>
#include <map>

namespace py = pybind11;

namespace orv::python {

namespace {

// A warning that a value was brought into its range, which Python refuses.
constexpr const char* kOutOfRange = " is out of range; ";

std::map<std::string, std::string> TextOf(const PosterRecipe& recipe) {
    std::map<std::string, std::string> text;
    for (const auto& [key, value] : RecipeText(recipe, true)) {
        text[key] = value;
    }
    return text;
}

// The recipe as the options that make it, by name.
py::dict OptionsOf(const PosterRecipe& recipe) {
    return OptionsOfText(RecipeText(recipe, true));
}

std::string Repr(const Recipe& recipe) {
    std::string text = "orvantis.Recipe(";
    const char* separator = "";
    for (const auto& [name, value] : OptionsOf(recipe.poster)) {
        const py::object shown = py::isinstance<py::array>(value)
                                     ? value.attr("tolist")()
                                     : py::reinterpret_borrow<py::object>(value);
        text += separator + std::string(py::str(name)) + "=" + std::string(py::repr(shown));
        separator = ", ";
    }
    return text + ")";
}

// The recipe's text keys that an option sets, where they are not the
// option's own name. A key the changed recipe leaves out goes.
const std::map<std::string, std::vector<std::string>>& KeysOfOptions() {
    static const std::vector<std::string> tone = {"brightness", "gamma", "vibrancy", "highlight",
                                                  "de"};
    static const std::map<std::string, std::vector<std::string>> keys = {
        {"gan", {"type", "params", "start", "rotation", "background"}},
        {"random", {"params"}},
        {"res", {"res", "height"}},
        {"size", {"res", "height", "view"}},
        {"fit", {"view"}},
        {"margin", {"view"}},
        {"background", {"background", "transparent"}},
        {"brightness", tone},
        {"gamma", tone},
        {"vibrancy", tone},
        {"highlight", tone},
        {"de", tone},
        {"exact_orbits", {"orbit-arithmetic"}},
    };
    return keys;
}

// The recipe's own options that the changed ones are read with. The search
// of random and the filter's check see the type, method, filter and ghost;
// framing and a new size see the set, its view and its size; a tone setting
// the others. A parameter file read again gives its own.
py::dict Context(const py::dict& own, const py::kwargs& changes) {
    py::dict context;
    if (changes.contains("gan")) {
        return context;
    }
    const auto changed = [&](std::initializer_list<const char*> names) {
        return std::any_of(names.begin(), names.end(),
                           [&](const char* name) { return changes.contains(name); });
    };
    std::vector<const char*> names = {"type", "method", "filter", "ghost"};
    if (changed({"size", "fit", "margin"})) {
        names.insert(names.end(), {"start", "rotation", "order"});
        if (!changed({"random"})) {
            names.push_back("params");
        }
        if (!changed({"view"}) && !(changes.contains("fit") && changes["fit"].ptr() == Py_True)) {
            names.push_back("view");
        }
        if (!changed({"res", "size"})) {
            names.insert(names.end(), {"res", "size"});
        }
    }
    if (changed({"brightness", "gamma", "vibrancy", "highlight", "de"})) {
        names.insert(names.end(), {"brightness", "gamma", "vibrancy", "highlight", "de"});
    }
    for (const char* name : names) {
        if (own.contains(name)) {
            context[name] = own[name];
        }
    }
    return context;
}

// The recipe with the options named by changes read again and the others
// as they are.
Recipe Replace(const Recipe& self, const py::kwargs& changes) {
    py::dict options = Context(OptionsOf(self.poster), changes);
    for (const auto& [name, value] : changes) {
        options[name] = value;
    }
    const Recipe changed = MakeRecipe(options, "replace");
    std::map<std::string, std::string> text = TextOf(self.poster);
    const std::map<std::string, std::string> changedText = TextOf(changed.poster);
    for (const auto& [key, value] : changes) {
        const std::string name = py::str(key);
        const auto special = KeysOfOptions().find(name);
        for (const std::string& option :
             special != KeysOfOptions().end() ? special->second : std::vector<std::string>{name}) {
            const std::string textKey = kRecipeKeyPrefix + option;
            if (changedText.contains(textKey)) {
                text[textKey] = changedText.at(textKey);
            } else {
                text.erase(textKey);
            }
        }
    }
    std::string error;
    const std::optional<PosterRecipe> read =
        ReadPosterRecipe(TextChunks(text.begin(), text.end()), error);
    if (!read) {
        RaiseValueError("replace: " + error);
    }
    return Recipe{*read, std::nullopt, std::nullopt};
}

// The recipe's value of the option name as Recipe() takes it; None where
// the recipe does not use the option. res is the width of any picture.
py::object Property(const PosterRecipe& recipe, const std::string& name) {
    if (name == "res") {
        return py::int_(recipe.res);
    }
    if (name == "size") {
        return py::make_tuple(recipe.res, recipe.rows());
    }
    const py::dict options = OptionsOf(recipe);
    return options.contains(name) ? py::object(options[name.c_str()]) : py::object(py::none());
}

// The options a recipe's text can show, in the table's order.
std::vector<std::string> PropertyNames() {
    PosterRecipe shown;
    shown.height = 300;
    shown.tone.emplace().de = 1;
    std::vector<std::string> names;
    for (const std::string& name : OptionNames()) {
        if (OptionsOf(PosterRecipe{}).contains(name) || OptionsOf(shown).contains(name)) {
            names.push_back(name);
        }
    }
    return names;
}

Recipe FromPng(const py::object& file) {
    const std::string path = PathText("path", file);
    if (const int error = OpenFailure(path)) {
        RaiseOSError(error, CannotRead("recipe's picture", path, error));
    }
    std::string error;
    std::optional<PosterRecipe> read;
    if (const std::optional<TextChunks> text = ReadPngText(path, error)) {
        read = ReadPosterRecipe(*text, error);
    }
    if (!read) {
        RaiseValueError("'" + path + "' cannot be rendered again: " + error);
    }
    return Recipe{*read, std::nullopt, std::nullopt};
}

void ToGan(const Recipe& recipe, const py::object& file) {
    const std::string path = PathText("path", file);
    const auto bytes = GanBytesOfRecipe(recipe.poster);
    SafeFile gan;
    SaveResult result = gan.Open(path);
    if (result == SaveResult::Saved && !gan.Write(bytes.data(), bytes.size())) {
        result = SaveResult::WriteError;
    }
    if (result == SaveResult::Saved) {
        result = gan.Commit();
    }
    if (result != SaveResult::Saved) {
        RaiseOSError(gan.error(), std::string(SaveErrorText(result)) + " '" + path + "'");
    }
}

} // namespace

PosterOptions ReadPosterWords(std::vector<std::string> words) {
    if (std::none_of(words.begin(), words.end(),
                     [](const std::string& word) { return word.rfind("--output=", 0) == 0; })) {
        words.push_back("--output=recipe.png");
    }
    const PosterCommandLine line = ParsePosterOptions(words);
    if (line.action != CommandLineAction::Render) {
        RaiseValueError(line.error);
    }
    return line.options;
}

unsigned ThreadsOf(const py::object& threads) {
    if (threads.is_none()) {
        return DefaultThreads();
    }
    const std::string count = WholeText("threads", threads);
    return *ReadPosterWords({"--threads=" + count}).threads;
}

Recipe MakeRecipe(const py::dict& options, const char* function) {
    const OptionWords given = WordsOfOptions(options, function);
    return RecipeOfReading(RecipeOfOptions(ReadPosterWords(given.words)), given);
}

Recipe RecipeOfReading(const RecipeReading& reading, const OptionWords& given) {
    if (!reading.recipe) {
        RaiseValueError(reading.messages.empty() ? "the options give no recipe"
                                                 : reading.messages.back());
    }
    for (const std::string& message : reading.messages) {
        const std::string plain = Plain(message);
        if (const std::size_t range = plain.find(kOutOfRange); range != std::string::npos) {
            RaiseValueError(plain.substr(0, range) + " is out of range");
        }
    }
    for (const std::string& message : reading.messages) {
        Warn(Plain(message));
    }
    Recipe recipe{*reading.recipe, std::nullopt, std::nullopt};
    if (given.palette) {
        recipe.poster.palette = *given.palette;
    }
    return recipe;
}

void BindRecipe(py::module_& module) {
    py::class_<Recipe> recipe(module, "Recipe", R"(Everything that makes a poster, as a value.

Recipe(**options) takes the options of `orvantis poster` by name, with _ for
-: type, params, start, rotation, order, view, res, method, background
(three ints or "transparent"), palette (1, 2, the path of a .map file or
256 x 3 entries), ghost, random (a seed), filter, steps, orbits,
supersample, depth, gan (a parameter file), size ("WxH" or (width,
height)), fit (True or False), margin, brightness, gamma, vibrancy,
highlight and de. What is not given is the desktop program's start-up
picture. Refused values raise ValueError with the command line's message.)");
    recipe.def(py::init([](const py::kwargs& options) { return MakeRecipe(options, "Recipe"); }));
    for (const std::string& name : PropertyNames()) {
        const std::string doc = "The recipe's " + name + ", as Recipe() takes it.";
        recipe.def_property_readonly(
            name.c_str(), [name](const Recipe& r) { return Property(r.poster, name); },
            doc.c_str());
    }
    recipe
        .def_property_readonly(
            "exponent", [](const Recipe& r) { return r.exponent; },
            "The Lyapunov exponent the search measured, for a recipe explore found; else None.")
        .def_property_readonly(
            "coverage", [](const Recipe& r) { return r.coverage; },
            "The share of the thumbnail's pixels lit, for a recipe explore found; else None.")
        .def(
            "options", [](const Recipe& r) { return OptionsOf(r.poster); },
            "The options that make this recipe, by name.")
        .def("replace", &Replace,
             "A copy with the named options read again; the others stay as they are.")
        .def_static(
            "from_gan",
            [](const py::object& path) {
                py::dict options;
                options["gan"] = path;
                return MakeRecipe(options, "from_gan");
            },
            py::arg("path"), "The recipe of a parameter file, as --gan reads it.")
        .def_static("from_png", &FromPng, py::arg("path"),
                    "The recipe a poster's PNG carries, as --recipe reads it.")
        .def("to_gan", &ToGan, py::arg("path"),
             "Writes the type, parameters, rotation and background as a parameter file.")
        .def(
            "__eq__", [](const Recipe& a, const Recipe& b) { return a.poster == b.poster; },
            py::is_operator())
        .def("__hash__",
             [](const Recipe& r) {
                 std::string text;
                 for (const auto& [key, value] : RecipeText(r.poster, true)) {
                     text += key + '=' + value + '\n';
                 }
                 return std::hash<std::string>()(text);
             })
        .def("__repr__", &Repr);
}

} // namespace orv::python
