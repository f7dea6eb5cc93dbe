#include "save.h"
#include "cli/report.h"

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

#include <cstring>

namespace orv {

namespace {

constexpr const char* kFewSteps = "--filter needs at least 1000 render steps (--steps)";
constexpr const char* kNotHitCount =
    "--filter needs the Hit Count colouring method (--method hit-count)";

int SaveError(SaveResult result, const std::string& name, int error, const Reporter& report) {
    std::string text = std::string(SaveErrorText(result)) + " '" + name + "'";
    if (error != 0) {
        text += ": " + std::string(std::strerror(error));
    }
    report(text);
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

int CheckFilterApplies(const RenderOptions& options, std::ostream& err) {
    if (!options.filter) {
        return 0;
    }
    const Reporter report(err, options.command);
    if (method[type] != 1) {
        report(kNotHitCount);
        return kExitBadInput;
    }
    if (options.steps < 1000) {
        report(kFewSteps);
        return kExitBadInput;
    }
    return 0;
}

int ApplyFilter(BatchFilter filter, const Reporter& report) {
    // The filter commands act only on counts made for the present image size.
    const int result = hcres == res ? RunFilter(CommandOf(filter)) : 1;
    switch (result) {
    case 0:
        return 0;
    case 1:
        report(kFewSteps);
        return kExitBadInput;
    case 2:
        report(kNotHitCount);
        return kExitBadInput;
    default:
        report(kEqualizeNoMemory);
        return kExitFailure;
    }
}

int SaveOutput(const std::string& output, const TextChunks& recipe, bool quiet, std::ostream& out,
               const Reporter& report) {
    std::strcpy(tgafile, output.c_str());
    ParameterFileBeside(tgafile, sganfile);
    // Both files are written in full before either replaces what is there.
    SafeFile image;
    SafeFile parameters;
    const SaveResult imageResult = EndsInAnyCase(output, ".png")
                                       ? WritePng(g_vhdc, tgafile, image, recipe)
                                       : WriteTarga(g_vhdc, tgafile, image);
    if (imageResult != SaveResult::Saved) {
        return SaveError(imageResult, tgafile, image.error(), report);
    }
    if (const SaveResult result = WriteParameters(sganfile, parameters);
        result != SaveResult::Saved) {
        return SaveError(result, sganfile, parameters.error(), report);
    }
    const SafeFile* failed = nullptr;
    if (CommitBoth(image, parameters, &failed) != SaveResult::Saved) {
        return SaveError(SaveResult::WriteError, failed->path(), failed->error(), report);
    }
    std::strcpy(sganfiletitle, FileTitleOf(sganfile));
    if (!quiet) {
        out << "Wrote " << tgafile << " and " << sganfile << '\n';
    }
    return 0;
}

} // namespace orv
