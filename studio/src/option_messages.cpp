#include "studio/option_messages.h"

#include "platform/plain_file.h"
#include "platform/types.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

namespace orv {

int OpenFailure(const std::string& name) {
    if (name.size() >= MAX_PATH) {
        return ENAMETOOLONG;
    }
    std::FILE* in = OpenPlainFile(name.c_str(), "rb");
    if (in == nullptr) {
        return errno;
    }
    std::fclose(in);
    return 0;
}

std::string CannotRead(const char* what, const std::string& name, int error) {
    return std::string("cannot read the ") + what + " '" + name + "': " + std::strerror(error);
}

std::string NotAParameterFile(const std::string& name) {
    return "'" + name +
           "' is not a parameter file: it is shorter than 100 bytes or names no attractor type";
}

std::string NotAPaletteFile(const std::string& name) {
    return "'" + name + "' is not a palette file: a line does not begin with three whole numbers";
}

std::optional<std::string> NotFinite(const std::string& name, const GAN& record) {
    const std::pair<const char*, double> fields[] = {
        {"a", record.a},           {"b", record.b},           {"c", record.c},
        {"d", record.d},           {"xstart", record.xstart}, {"ystart", record.ystart},
        {"zstart", record.zstart}, {"xrot", record.xrot},     {"yrot", record.yrot},
        {"zrot", record.zrot}};
    std::string named;
    for (const auto& [field, value] : fields) {
        if (!std::isfinite(value)) {
            named += (named.empty() ? "" : ", ") + std::string(field);
        }
    }
    if (named.empty()) {
        return std::nullopt;
    }
    return "the parameter file '" + name + "' holds values that are not finite numbers: " + named;
}

std::string Shortest(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::optional<std::string> NotChaotic(double exponent) {
    if (!(exponent < 0.3)) {
        return std::nullopt;
    }
    char text[160];
    std::snprintf(text, sizeof text,
                  "warning: Lyapunov exponent: %.6f: the attractor may not be chaotic enough to "
                  "produce an appealing image",
                  exponent);
    return text;
}

} // namespace orv
