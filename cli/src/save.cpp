#include "save.h"
#include "report.h"

#include "cli/png_writer.h"
#include "files/file_name.h"
#include "files/gan.h"
#include "files/selection.h"
#include "files/tga.h"
#include "platform/file_selection.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/commands.h"
#include "ui/messages.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

namespace orv {

namespace {

constexpr const char* kFewSteps = "--filter needs at least 1000 render steps (--steps)";
constexpr const char* kNotHitCount =
    "--filter needs the Hit Count colouring method (--method hit-count)";

int SaveError(SaveResult result, const std::string& name, int error, std::ostream& err) {
    std::string text = std::string(SaveErrorText(result)) + " '" + name + "'";
    if (error != 0) {
        text += ": " + std::string(std::strerror(error));
    }
    Report(err, text);
    return kExitFailure;
}

// True when both names exist and are the same file, however spelled.
bool SameFile(const std::string& one, const std::string& other) {
    struct stat a {};
    struct stat b {};
    return ::stat(one.c_str(), &a) == 0 && ::stat(other.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

// The filter's command in the menu.
UINT CommandOf(BatchFilter filter) {
    switch (filter) {
    case BatchFilter::Normalize:
        return kNormalize;
    case BatchFilter::Equalize:
        return kEqualize;
    case BatchFilter::Log:
        return kHitCountLog;
    case BatchFilter::LogSquared:
        return kHitCountLogSquared;
    }
    return kNormalize;
}

} // namespace

int CheckOutputName(const std::string& output, std::ostream& err) {
    if (output.size() >= MAX_PATH) {
        Report(err, "-o: the name is longer than " + std::to_string(MAX_PATH - 1) + " characters");
        return kExitBadInput;
    }
    const std::string directory = std::filesystem::path(output).parent_path().string();
    struct stat info {};
    if (!directory.empty()) {
        const int error = ::stat(directory.c_str(), &info) != 0 ? errno
                          : !S_ISDIR(info.st_mode)              ? ENOTDIR
                                                                : 0;
        if (error != 0) {
            return SaveError(SaveResult::OpenError, output, error, err);
        }
    }
    return 0;
}

int CheckOutputsAreNotInputs(const RenderOptions& options, std::ostream& err) {
    char parameters[MAX_PATH] = "";
    ParameterFileBeside(options.output.c_str(), parameters);
    std::vector<std::pair<std::string, std::string>> inputs;
    if (options.gan) {
        inputs.emplace_back("--gan", *options.gan);
    }
    if (options.palette && *options.palette != "1" && *options.palette != "2") {
        inputs.emplace_back("--palette", *options.palette);
    }
    for (const std::string& output : {options.output, std::string(parameters)}) {
        for (const auto& [option, input] : inputs) {
            if (SameFile(output, input)) {
                Report(err, "-o: '" + output + "' would overwrite the file given to " + option +
                                ", '" + input + "'");
                return kExitBadInput;
            }
        }
    }
    return 0;
}

int CheckFilterApplies(const RenderOptions& options, std::ostream& err) {
    if (!options.filter) {
        return 0;
    }
    if (method[type] != 1) {
        Report(err, kNotHitCount);
        return kExitBadInput;
    }
    if (options.steps < 1000) {
        Report(err, kFewSteps);
        return kExitBadInput;
    }
    return 0;
}

int ApplyFilter(BatchFilter filter, std::ostream& err) {
    // The filter commands act only on counts made for the present image size.
    const int result = hcres == res ? RunFilter(CommandOf(filter)) : 1;
    switch (result) {
    case 0:
        return 0;
    case 1:
        Report(err, kFewSteps);
        return kExitBadInput;
    case 2:
        Report(err, kNotHitCount);
        return kExitBadInput;
    default:
        Report(err, kEqualizeNoMemory);
        return kExitFailure;
    }
}

int SaveOutput(const std::string& output, const TextChunks& recipe, bool quiet, std::ostream& out,
               std::ostream& err) {
    std::strcpy(tgafile, output.c_str());
    ParameterFileBeside(tgafile, sganfile);
    // Both files are written in full before either replaces what is there.
    SafeFile image;
    SafeFile parameters;
    const SaveResult imageResult = EndsInAnyCase(output, ".png")
                                       ? WritePng(g_vhdc, tgafile, image, recipe)
                                       : WriteTarga(g_vhdc, tgafile, image);
    if (imageResult != SaveResult::Saved) {
        return SaveError(imageResult, tgafile, image.error(), err);
    }
    if (const SaveResult result = WriteParameters(sganfile, parameters);
        result != SaveResult::Saved) {
        return SaveError(result, sganfile, parameters.error(), err);
    }
    const SafeFile* failed = nullptr;
    if (CommitBoth(image, parameters, &failed) != SaveResult::Saved) {
        return SaveError(SaveResult::WriteError, failed->path(), failed->error(), err);
    }
    std::strcpy(sganfiletitle, FileTitleOf(sganfile));
    if (!quiet) {
        out << "Wrote " << tgafile << " and " << sganfile << '\n';
    }
    return 0;
}

} // namespace orv
