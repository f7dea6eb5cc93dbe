#include "save.h"
#include "report.h"
#include "session.h"

#include "cli/png_writer.h"
#include "files/gan.h"
#include "files/selection.h"
#include "files/tga.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/commands.h"

#include <cctype>
#include <cstring>
#include <filesystem>

namespace orv {

namespace {

bool EndsInPng(const std::string& name) {
    if (name.size() < 4) {
        return false;
    }
    std::string ending = name.substr(name.size() - 4);
    for (char& c : ending) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return ending == ".png";
}

constexpr const char* kFewSteps = "--filter needs at least 1000 render steps (--steps)";
constexpr const char* kNotHitCount =
    "--filter needs the Hit Count colouring method (--method hit-count)";

int SaveError(int code, std::ostream& err) {
    Report(err, saveerror[code - 1]);
    return kExitFailure;
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
    const std::filesystem::path directory = std::filesystem::path(output).parent_path();
    std::error_code error;
    if (!directory.empty() && !std::filesystem::is_directory(directory, error)) {
        return SaveError(1, err);
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

int ApplyFilter(BatchFilter filter, BatchSession& session, std::ostream& err) {
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
        session.ReportMessages(err);
        return kExitFailure;
    }
}

int SaveOutput(const std::string& output, bool quiet, std::ostream& out, std::ostream& err) {
    std::strcpy(tgafile, output.c_str());
    const int image = EndsInPng(output) ? WritePng(g_vhdc, tgafile) : writetga(g_vhdc);
    if (image != 0) {
        return SaveError(image, err);
    }
    if (const int parameters = writegan(1)) {
        return SaveError(parameters, err);
    }
    if (!quiet) {
        out << "Wrote " << tgafile << " and " << sganfile << '\n';
    }
    return 0;
}

} // namespace orv
