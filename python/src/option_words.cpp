#include "option_words.h"
#include "errors.h"

#include "studio/option_messages.h"

#include "palette/palette.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace py = pybind11;

namespace orv::python {

namespace {

enum class Kind {
    Choice,  // a name: type also takes its number
    Whole,   // an int
    Real,    // a real number
    Reals,   // real numbers, as many as the option takes
    Wholes,  // ints, as many as the option takes
    Colour,  // three ints, or "transparent"
    Size,    // "WxH", or a width and a height as ints
    Flag,    // a bool: True gives the option, False nothing
    Switch,  // a bool: True gives the option, False its --no- form
    File,    // a path, str or os.PathLike
    Palette, // 1, 2, a path, or 256 x 3 entries
};

struct Option {
    const char* name;
    Kind kind;
    int count = 0;         // the values of Reals and Wholes
    const char* file = ""; // what a File is, in the message when it cannot be read
};

// Every option of a recipe. A new option of the command line is one line
// here; a recipe shows its value where its text has a keyword of the
// option's name.
const Option kOptions[] = {
    {"gan", Kind::File, 0, "parameter file"},
    {"type", Kind::Choice},
    {"params", Kind::Reals, 4},
    {"start", Kind::Reals, 2},
    {"rotation", Kind::Reals, 3},
    {"order", Kind::Choice},
    {"view", Kind::Reals, 4},
    {"res", Kind::Whole},
    {"method", Kind::Choice},
    {"background", Kind::Colour, 3},
    {"palette", Kind::Palette, 0, "palette file"},
    {"ghost", Kind::Flag},
    {"exact-orbits", Kind::Flag},
    {"random", Kind::Whole},
    {"filter", Kind::Choice},
    {"steps", Kind::Whole},
    {"orbits", Kind::Whole},
    {"supersample", Kind::Whole},
    {"depth", Kind::Whole},
    {"size", Kind::Size, 2},
    {"fit", Kind::Switch},
    {"margin", Kind::Real},
    {"brightness", Kind::Real},
    {"gamma", Kind::Real},
    {"vibrancy", Kind::Real},
    {"highlight", Kind::Real},
    {"de", Kind::Whole},
};

std::string TypeName(const py::handle& value) {
    return py::str(py::type::handle_of(value).attr("__name__"));
}

[[noreturn]] void WrongType(const char* option, const char* expected, const py::handle& value) {
    RaiseTypeError(std::string(option) + ": expected " + expected + ", not " + TypeName(value));
}

// An int or a numpy integer; numpy's arrays take the index protocol too.
bool IsWhole(const py::handle& value) {
    return !PyBool_Check(value.ptr()) && PyIndex_Check(value.ptr()) != 0 &&
           !py::isinstance<py::array>(value);
}

std::string Real(const char* option, const py::handle& value, const char* expected = "numbers") {
    if (PyBool_Check(value.ptr()) || PyUnicode_Check(value.ptr()) || PyBytes_Check(value.ptr())) {
        WrongType(option, expected, value);
    }
    const double number = PyFloat_AsDouble(value.ptr());
    if (number == -1.0 && PyErr_Occurred() != nullptr) {
        PyErr_Clear();
        WrongType(option, expected, value);
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", number);
    return text;
}

std::string List(const Option& option, const py::handle& value, const char* expected,
                 const char* separator) {
    if (PyUnicode_Check(value.ptr()) || !PySequence_Check(value.ptr())) {
        WrongType(option.name, expected, value);
    }
    std::string text;
    for (const py::handle item : py::reinterpret_borrow<py::sequence>(value)) {
        text += text.empty() ? "" : separator;
        text += option.kind == Kind::Reals ? Real(option.name, item) : WholeText(option.name, item);
    }
    return text;
}

std::string ReadablePath(const Option& option, const py::handle& value) {
    const std::string name = PathText(option.name, value);
    if (const int error = OpenFailure(name)) {
        RaiseOSError(error, CannotRead(option.file, name, error));
    }
    return name;
}

std::array<unsigned char, 768> Entries(const py::handle& value) {
    const py::array entries = py::array::ensure(value);
    if (!entries) {
        PyErr_Clear();
        WrongType("palette", "1, 2, a path or 256 x 3 entries", value);
    }
    const char kind = entries.dtype().kind();
    if (kind != 'i' && kind != 'u') {
        RaiseTypeError("palette: the entries must be whole numbers, not " +
                       std::string(py::str(entries.dtype())));
    }
    if (entries.ndim() != 2 || entries.shape(0) != 256 || entries.shape(1) != 3) {
        RaiseValueError("palette: 256 entries of red, green and blue are needed, not the shape " +
                        std::string(py::str(py::getattr(entries, "shape"))));
    }
    const auto wide = py::array_t<long long, py::array::c_style | py::array::forcecast>(entries);
    std::array<unsigned char, 768> palette{};
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long long level = wide.data()[i];
        if (level < 0 || level > 255) {
            RaiseValueError("palette: " + std::to_string(level) + " is not a level from 0 to 255");
        }
        palette[i] = static_cast<unsigned char>(level);
    }
    return palette;
}

// The value of option as its word's text, or nothing for a flag.
void AddWords(const Option& option, const py::handle& value, OptionWords& into) {
    const std::string word = std::string("--") + option.name + "=";
    switch (option.kind) {
    case Kind::Choice:
        if (PyUnicode_Check(value.ptr())) {
            into.words.push_back(word + std::string(py::str(value)));
        } else if (std::string(option.name) == "type" && IsWhole(value)) {
            into.words.push_back(word + WholeText(option.name, value));
        } else {
            WrongType(option.name, "a str", value);
        }
        return;
    case Kind::Whole:
        into.words.push_back(word + WholeText(option.name, value));
        return;
    case Kind::Real:
        into.words.push_back(word + Real(option.name, value, "a number"));
        return;
    case Kind::Reals:
        into.words.push_back(word + List(option, value, "a sequence of numbers", ","));
        return;
    case Kind::Wholes:
        into.words.push_back(word + List(option, value, "a sequence of ints", ","));
        return;
    case Kind::Colour:
        into.words.push_back(word +
                             (PyUnicode_Check(value.ptr())
                                  ? std::string(py::str(value))
                                  : List(option, value, "a sequence of ints or a str", ",")));
        return;
    case Kind::Size:
        into.words.push_back(word +
                             (PyUnicode_Check(value.ptr())
                                  ? std::string(py::str(value))
                                  : List(option, value, "'WIDTHxHEIGHT' or (width, height)", "x")));
        return;
    case Kind::Flag:
    case Kind::Switch:
        if (!PyBool_Check(value.ptr())) {
            WrongType(option.name, "a bool", value);
        }
        if (value.ptr() == Py_True) {
            into.words.push_back(std::string("--") + option.name);
        } else if (option.kind == Kind::Switch) {
            into.words.push_back(std::string("--no-") + option.name);
        }
        return;
    case Kind::File:
        into.words.push_back(word + ReadablePath(option, value));
        return;
    case Kind::Palette:
        if (IsWhole(value)) {
            into.words.push_back(word + WholeText(option.name, value));
        } else if (PyUnicode_Check(value.ptr()) ||
                   PyObject_HasAttrString(value.ptr(), "__fspath__")) {
            into.words.push_back(word + ReadablePath(option, value));
        } else {
            into.palette = Entries(value);
        }
        return;
    }
}

std::string PythonName(const Option& option) {
    std::string name = option.name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

py::object PaletteOfText(const std::string& hex) {
    std::array<unsigned char, 768> entries{};
    for (std::size_t i = 0; i < entries.size() && 2 * i + 1 < hex.size(); ++i) {
        entries[i] = static_cast<unsigned char>(std::stoi(hex.substr(2 * i, 2), nullptr, 16));
    }
    for (const auto& [number, builtIn] : {std::pair{1, defpal1}, std::pair{2, defpal2}}) {
        if (std::equal(entries.begin(), entries.end(), builtIn)) {
            return py::int_(number);
        }
    }
    py::array_t<std::uint8_t> palette({py::ssize_t{256}, py::ssize_t{3}});
    std::copy(entries.begin(), entries.end(), palette.mutable_data());
    return palette;
}

// The value of option as the recipe's text, which the recipe wrote, holds it.
py::object ValueOfText(const Option& option, const std::string& text) {
    switch (option.kind) {
    case Kind::Choice:
        return text == "none" ? py::object(py::none()) : py::object(py::str(text));
    case Kind::Whole:
        return py::int_(py::str(text));
    case Kind::Real:
        return py::float_(std::strtod(text.c_str(), nullptr));
    case Kind::Flag:
        return py::bool_(text == "on");
    case Kind::Reals:
    case Kind::Wholes:
    case Kind::Colour: {
        py::list values;
        const char* at = text.c_str();
        for (int i = 0; i < option.count; ++i) {
            char* end = nullptr;
            if (option.kind == Kind::Reals) {
                values.append(std::strtod(at, &end));
            } else {
                values.append(std::strtoll(at, &end, 10));
            }
            at = *end == ',' ? end + 1 : end;
        }
        return py::tuple(values);
    }
    case Kind::Palette:
        return PaletteOfText(text);
    case Kind::Size:
    case Kind::Switch:
    case Kind::File:
        break;
    }
    return py::none();
}

const std::string* Find(const TextChunks& text, const std::string& name) {
    const auto found = std::find_if(text.begin(), text.end(), [&](const auto& chunk) {
        return chunk.first == kRecipeKeyPrefix + name;
    });
    return found != text.end() ? &found->second : nullptr;
}

} // namespace

std::string WholeText(const char* option, const py::handle& value) {
    if (!IsWhole(value)) {
        WrongType(option, "an int", value);
    }
    return py::str(py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr())));
}

std::string PathText(const char* option, const py::handle& value) {
    if (!PyUnicode_Check(value.ptr()) && !PyObject_HasAttrString(value.ptr(), "__fspath__")) {
        WrongType(option, "a path", value);
    }
    const py::object path = py::module_::import("os").attr("fspath")(value);
    if (!PyUnicode_Check(path.ptr())) {
        WrongType(option, "a path as str", path);
    }
    return py::str(path);
}

OptionWords WordsOfOptions(const py::dict& options, const char* function) {
    const std::vector<std::string> names = OptionNames();
    for (const auto& [key, value] : options) {
        const std::string name = py::str(key);
        if (std::find(names.begin(), names.end(), name) == names.end()) {
            RaiseTypeError(std::string(function) + "() got an unexpected keyword argument '" +
                           name + "'");
        }
    }
    OptionWords result;
    for (const Option& option : kOptions) {
        const std::string& python = names[static_cast<std::size_t>(&option - kOptions)];
        if (!options.contains(python) || options[python.c_str()].is_none()) {
            continue;
        }
        result.names.push_back(python);
        AddWords(option, options[python.c_str()], result);
    }
    return result;
}

std::vector<std::string> OptionNames() {
    std::vector<std::string> names;
    for (const Option& option : kOptions) {
        names.push_back(PythonName(option));
    }
    return names;
}

py::dict OptionsOfText(const TextChunks& text) {
    py::dict options;
    for (const Option& option : kOptions) {
        const std::string name = PythonName(option);
        if (const std::string* found = Find(text, option.name)) {
            // A tone map without density estimation has a radius of 0,
            // which is not one de takes.
            if (name != "de" || *found != "0") {
                options[name.c_str()] = ValueOfText(option, *found);
            }
        }
        const std::string* height = Find(text, "height");
        if (option.kind == Kind::Size && height != nullptr) {
            // A picture that is not square gives its size instead of res.
            options[name.c_str()] = py::make_tuple(options["res"], py::int_(py::str(*height)));
            PyDict_DelItemString(options.ptr(), "res");
        }
        const std::string* transparent = Find(text, "transparent");
        if (option.kind == Kind::Colour && transparent != nullptr && *transparent == "on") {
            options[name.c_str()] = py::str("transparent");
        }
    }
    // A recipe without the orbits' arithmetic is one of the exact orbits, as
    // every poster made before the vector orbits.
    options["exact_orbits"] = py::bool_(Find(text, "orbit-arithmetic") == nullptr);
    return options;
}

} // namespace orv::python
