#include "studio/explore_commands.h"
#include "studio/framing.h"

#include "palette/palette.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

namespace orv {

namespace {

constexpr const char* kOrders[] = {"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX"};
constexpr const char* kMethods[] = {"speed", "hit-count", "z-plane"};
constexpr const char* kFilters[] = {"normalize", "equalize", "log", "log-squared"};

std::string Real(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// The text as one word of a POSIX shell: as it is when it is made of
// letters, digits and "_./-" alone, else in single quotes.
std::string ShellWord(const std::string& text) {
    const bool plain = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '/' ||
               c == '-';
    });
    if (plain) {
        return text;
    }
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// The base of the file names a set's commands write: "set-0001" of
// "set-0001.gan".
std::string Stem(const std::string& gan) {
    return gan.substr(0, gan.rfind('.'));
}

} // namespace

std::string LookOptions(const PosterRecipe& recipe, std::optional<double> margin,
                        const std::optional<std::string>& palette) {
    std::string look = std::string(" --method ") + kMethods[recipe.method];
    if (recipe.filter) {
        look += std::string(" --filter ") + kFilters[static_cast<int>(*recipe.filter)];
    }
    if (std::equal(recipe.palette.begin(), recipe.palette.end(), defpal2)) {
        look += " --palette 2";
    } else if (palette && !std::equal(recipe.palette.begin(), recipe.palette.end(), defpal1)) {
        // The command lines run in the gallery's folder.
        look += " --palette " +
                ShellWord(std::filesystem::absolute(*palette).lexically_normal().string());
    }
    if (recipe.order != 0) {
        look += std::string(" --order ") + kOrders[recipe.order];
    }
    if (recipe.ghost) {
        look += " --ghost";
    }
    if (margin) {
        look += " --fit";
        if (*margin != kDefaultMargin) {
            look += " --margin " + Real(*margin);
        }
    } else {
        look += " --view " + Real(recipe.view.xmin) + "," + Real(recipe.view.xmax) + "," +
                Real(recipe.view.ymin) + "," + Real(recipe.view.ymax);
    }
    return look;
}

std::string PosterCommand(const std::string& gan, const std::string& look) {
    return "orvantis poster --gan " + gan + look +
           " --res 3000 --supersample 2 --steps 400000000 -o " + Stem(gan) + "-poster.png";
}

std::string TurnCommand(const std::string& gan, const std::string& look) {
    return "orvantis animate --gan " + gan + look +
           " --turn y --frames 120 --res 720 --steps 20000000 -o " + Stem(gan) + "-turn";
}

} // namespace orv
