#include "studio/command_line.h"

#include "files/file_name.h"
#include "studio/tone_settings.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <map>
#include <string_view>

namespace orv {

namespace {

using Error = std::optional<std::string>;

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

// A real number as strtod reads it, but only when the whole text is the
// number: no blanks around it, nothing after it, and not "nan".
std::optional<double> ReadReal(const std::string& text) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || std::isnan(value)) {
        return std::nullopt;
    }
    return value;
}

// A whole number in base 10. Beyond the range of long it reads as the
// nearest end of that range, which every clamp then brings into its own.
std::optional<long> ReadInteger(const std::string& text) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) {
        return std::nullopt;
    }
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0') {
        return std::nullopt;
    }
    return value;
}

// Digits only, at most the given maximum.
std::optional<std::uint64_t> ReadCount(const std::string& text, std::uint64_t maximum) {
    if (text.empty() || text.size() > 20) {
        return std::nullopt;
    }
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
    }
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value > maximum) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string> SplitAtCommas(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = text.find(',', from);
        parts.emplace_back(text.substr(from, comma - from));
        if (comma == std::string_view::npos) {
            return parts;
        }
        from = comma + 1;
    }
}

template <typename T, std::size_t N, typename Read>
Error ReadList(std::string_view option, const std::string& text,
               std::optional<std::array<T, N>>& into, Read read) {
    const std::vector<std::string> parts = SplitAtCommas(text);
    if (parts.size() != N) {
        return std::string(option) + " needs " + std::to_string(N) +
               " numbers separated by commas, not " + Quoted(text);
    }
    std::array<T, N> values{};
    for (std::size_t i = 0; i < N; ++i) {
        const auto value = read(parts[i]);
        if (!value) {
            return std::string(option) + ": " + Quoted(parts[i]) + " is not a number";
        }
        values[i] = *value;
    }
    into = values;
    return std::nullopt;
}

// Finds text (in any case) among the names; the index, or -1.
int IndexOf(const std::string& text, std::initializer_list<const char*> names) {
    const std::string lower = Lower(text);
    int index = 0;
    for (const char* name : names) {
        if (lower == Lower(name)) {
            return index;
        }
        ++index;
    }
    return -1;
}

Error ReadChoice(std::string_view option, const std::string& text,
                 std::initializer_list<const char*> names, std::optional<int>& into) {
    const int index = IndexOf(text, names);
    if (index < 0) {
        std::string list;
        for (const char* name : names) {
            list += list.empty() ? "" : ", ";
            list += name;
        }
        return std::string(option) + ": " + Quoted(text) + " is not one of " + list;
    }
    into = index;
    return std::nullopt;
}

Error ReadType(const std::string& text, std::optional<int>& into) {
    const int digit = IndexOf(text, {"0", "1", "2", "3"});
    if (digit >= 0) {
        into = digit;
        return std::nullopt;
    }
    return ReadChoice("--type", text, {"standard", "alpha", "beta", "gamma"}, into);
}

Error ReadFilter(const std::string& text, std::optional<BatchFilter>& into) {
    std::optional<int> index;
    if (Error error =
            ReadChoice("--filter", text, {"normalize", "equalize", "log", "log-squared"}, index)) {
        return error;
    }
    into = static_cast<BatchFilter>(*index);
    return std::nullopt;
}

using ValueReader = std::function<Error(RenderOptions&, const std::string&)>;
using FlagReader = std::function<void(RenderOptions&)>;

// A tone option: the first one given chooses the tone map, with the
// defaults for the others.
ValueReader ToneReader(std::string_view name) {
    return [name](RenderOptions& o, const std::string& v) {
        ToneSettings tone = o.tone.value_or(ToneSettings{});
        Error error = ReadToneOption(name, v, tone);
        if (!error) {
            o.tone = tone;
        }
        return error;
    };
}

const std::map<std::string_view, ValueReader>& ValueOptions() {
    static const std::map<std::string_view, ValueReader> options = {
        {"--gan",
         [](RenderOptions& o, const std::string& v) -> Error {
             o.gan = v;
             return std::nullopt;
         }},
        {"--type", [](RenderOptions& o, const std::string& v) { return ReadType(v, o.type); }},
        {"--params",
         [](RenderOptions& o, const std::string& v) {
             return ReadList("--params", v, o.params, ReadReal);
         }},
        {"--start", [](RenderOptions& o,
                       const std::string& v) { return ReadList("--start", v, o.start, ReadReal); }},
        {"--rotation",
         [](RenderOptions& o, const std::string& v) {
             return ReadList("--rotation", v, o.rotation, ReadReal);
         }},
        {"--order",
         [](RenderOptions& o, const std::string& v) {
             return ReadChoice("--order", v, {"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX"}, o.order);
         }},
        {"--view", [](RenderOptions& o,
                      const std::string& v) { return ReadList("--view", v, o.view, ReadReal); }},
        {"--res",
         [](RenderOptions& o, const std::string& v) -> Error {
             o.res = ReadInteger(v);
             if (!o.res) {
                 return "--res: " + Quoted(v) + " is not a whole number";
             }
             return std::nullopt;
         }},
        {"--method",
         [](RenderOptions& o, const std::string& v) {
             return ReadChoice("--method", v, {"speed", "hit-count", "z-plane"}, o.method);
         }},
        {"--background",
         [](RenderOptions& o, const std::string& v) {
             o.transparent = Lower(v) == "transparent";
             return o.transparent ? std::nullopt
                                  : ReadList("--background", v, o.background, ReadInteger);
         }},
        {"--palette",
         [](RenderOptions& o, const std::string& v) -> Error {
             o.palette = v;
             return std::nullopt;
         }},
        {"--steps",
         [](RenderOptions& o, const std::string& v) -> Error {
             const auto steps = ReadCount(v, std::numeric_limits<std::uint64_t>::max());
             if (!steps) {
                 return "--steps: " + Quoted(v) + " is not a whole number of steps";
             }
             o.steps = *steps;
             return std::nullopt;
         }},
        {"--filter",
         [](RenderOptions& o, const std::string& v) { return ReadFilter(v, o.filter); }},
        {"--output",
         [](RenderOptions& o, const std::string& v) -> Error {
             o.output = v;
             return std::nullopt;
         }},
        {"--brightness", ToneReader("--brightness")},
        {"--gamma", ToneReader("--gamma")},
        {"--vibrancy", ToneReader("--vibrancy")},
        {"--highlight", ToneReader("--highlight")},
        {"--de", ToneReader("--de")},
    };
    return options;
}

const std::map<std::string_view, FlagReader>& FlagOptions() {
    static const std::map<std::string_view, FlagReader> options = {
        {"--ghost", [](RenderOptions& o) { o.ghost = true; }},
        {"--lmap", [](RenderOptions& o) { o.lmap = true; }},
        {"--progress", [](RenderOptions& o) { o.display = BatchDisplay::Progress; }},
        {"--quiet", [](RenderOptions& o) { o.display = BatchDisplay::Quiet; }},
    };
    return options;
}

Error ReadRandom(RenderOptions& options, const std::optional<std::string>& seed) {
    options.random = true;
    options.seed.reset();
    if (seed) {
        const auto value = ReadCount(*seed, std::numeric_limits<std::uint32_t>::max());
        if (!value) {
            return "--random: " + Quoted(*seed) + " is not a seed from 0 to 4294967295";
        }
        options.seed = static_cast<std::uint32_t>(*value);
    }
    return std::nullopt;
}

// The image is written as Targa or PNG, chosen by the name's ending, and the
// parameter file's name replaces that ending's last three letters.
bool EndsInImageType(const std::string& name) {
    return EndsInAnyCase(name, ".tga") || EndsInAnyCase(name, ".png");
}

// Option combinations that cannot give a picture.
Error CheckCombination(const RenderOptions& options) {
    if (options.output.empty()) {
        return "-o FILE is required: the name of the image to write";
    }
    if (options.lmap && options.filter) {
        return "--filter cannot be applied to a Lyapunov map (--lmap): it has no hit counts";
    }
    if (options.filter && options.tone) {
        return "--filter cannot be combined with --brightness, --gamma, --vibrancy, --highlight "
               "or --de, which choose the log-density tone map";
    }
    return std::nullopt;
}

CommandLine Failed(std::string error) {
    CommandLine result;
    result.action = CommandLineAction::Error;
    result.error = std::move(error);
    return result;
}

} // namespace

CommandLine ParseRenderOptions(const std::vector<std::string>& args) {
    CommandLine result = ParsePictureOptions(args);
    if (result.action == CommandLineAction::Render && !EndsInImageType(result.options.output)) {
        return Failed("-o: " + Quoted(result.options.output) + " must end in .tga or .png");
    }
    if (result.action == CommandLineAction::Render &&
        (result.options.tone || result.options.transparent)) {
        return Failed("the tone options and --background transparent are for poster, explore and "
                      "animate; render draws as the desktop program does");
    }
    return result;
}

CommandLine ParsePictureOptions(const std::vector<std::string>& args) {
    CommandLine result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (arg.rfind("--", 0) == 0) {
            const std::size_t equals = arg.find('=');
            if (equals != std::string::npos) {
                name = arg.substr(0, equals);
                inlineValue = arg.substr(equals + 1);
            }
        } else if (arg == "-o") {
            name = "--output";
        } else {
            return Failed(arg.size() > 1 && arg.front() == '-'
                              ? "unknown option " + Quoted(arg)
                              : "unexpected argument " + Quoted(arg));
        }

        if (name == "--help" || name == "--version") {
            if (inlineValue) {
                return Failed(name + " takes no value");
            }
            result.action = name == "--help" ? CommandLineAction::Help : CommandLineAction::Version;
            return result;
        }
        if (name == "--random") {
            if (Error error = ReadRandom(result.options, inlineValue)) {
                return Failed(*error);
            }
            continue;
        }
        if (const auto flag = FlagOptions().find(name); flag != FlagOptions().end()) {
            if (inlineValue) {
                return Failed(name + " takes no value");
            }
            flag->second(result.options);
            continue;
        }
        const auto option = ValueOptions().find(name);
        if (option == ValueOptions().end()) {
            return Failed("unknown option " + Quoted(name));
        }
        if (!inlineValue) {
            if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) {
                return Failed((arg == "-o" ? std::string("-o") : name) + " needs a value");
            }
            inlineValue = args[++i];
        }
        if (Error error = option->second(result.options, *inlineValue)) {
            return Failed(*error);
        }
    }
    if (Error error = CheckCombination(result.options)) {
        return Failed(*error);
    }
    result.action = CommandLineAction::Render;
    return result;
}

} // namespace orv
