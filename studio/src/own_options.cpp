#include "studio/own_options.h"
#include "studio/run_folder.h"
#include "studio/run_part.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace orv {

SplitArguments SplitOwnOptions(const std::vector<std::string>& args,
                               const std::set<std::string>& names) {
    SplitArguments split;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        std::string name = arg.substr(0, equals);
        if (name == "-o") {
            name = "--output";
        }
        if (!names.contains(name)) {
            split.rest.push_back(arg);
            continue;
        }
        if (equals != std::string::npos) {
            split.own[name] = arg.substr(equals + 1);
        } else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
            split.own[name] = args[++i];
        } else {
            split.error = name + " needs a value";
            return split;
        }
    }
    return split;
}

bool Names(const std::vector<std::string>& args, const std::string& name) {
    for (const std::string& arg : args) {
        if (arg == name || arg.rfind(name + "=", 0) == 0) {
            return true;
        }
    }
    return false;
}

std::optional<unsigned long> ReadWholeNumber(const std::string& text, unsigned long minimum,
                                             unsigned long maximum) {
    if (text.empty() || text.size() > 12) {
        return std::nullopt;
    }
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
    }
    errno = 0;
    const unsigned long value = std::strtoul(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value < minimum || value > maximum) {
        return std::nullopt;
    }
    return value;
}

std::optional<RunPart> ReadRunPart(const std::string& text, std::uint32_t most) {
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos) {
        return std::nullopt;
    }
    const auto count = ReadWholeNumber(text.substr(slash + 1), 1, most);
    const auto index = count ? ReadWholeNumber(text.substr(0, slash), 1, *count) : std::nullopt;
    if (!index) {
        return std::nullopt;
    }
    return RunPart{static_cast<std::uint32_t>(*index - 1), static_cast<std::uint32_t>(*count)};
}

std::string PartLockName(const RunPart& part) {
    return part.count == 1 ? kFolderLockName
                           : ".orvantis-part-" + std::to_string(part.index + 1) + "-of-" +
                                 std::to_string(part.count) + ".lock";
}

} // namespace orv
