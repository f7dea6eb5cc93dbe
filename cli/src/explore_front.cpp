#include "cli/explore.h"
#include "cli/poster.h"
#include "cli/progress.h"

#include "cli/file_checks.h"
#include "cli/report.h"

#include "studio/explore.h"
#include "studio/explore_parts.h"
#include "studio/frame_options.h"
#include "studio/run_folder.h"

#include <atomic>
#include <memory>

namespace orv {

namespace {

// explore --merge DIR: the finished parts made one run.
int RunMerge(const ExploreOptions& options, std::ostream& out, const Reporter& say) {
    RunFolder folder;
    if (const std::string refused = folder.Open(options.directory); !refused.empty()) {
        say(refused);
        return kExitFailure;
    }
    const std::atomic<bool> stop{false};
    const ExploreOutcome outcome = MergeParts(options.directory, stop);
    if (outcome.end == ExploreEnd::BadParts || outcome.end == ExploreEnd::SaveFailed) {
        say(outcome.error);
        return outcome.end == ExploreEnd::BadParts ? kExitBadInput : kExitFailure;
    }
    if (options.thumbnail.picture.display != BatchDisplay::Quiet) {
        out << "Wrote " << outcome.written << " sets and " << outcome.pagePath << '\n';
    }
    return outcome.end == ExploreEnd::Found ? kExitSuccess : kExitNotFound;
}

} // namespace

int RunExplore(const ExploreOptions& options, std::ostream& out, std::ostream& err,
               bool errIsTerminal) {
    const Reporter say(err, "explore");
    if (options.merge) {
        return RunMerge(options, out, say);
    }
    if (const int refused = CheckExploreFiles(options, err)) {
        return refused;
    }
    ExploreRequest request;
    if (const int failed = RecipeFromOptions(options.thumbnail, request.base, err)) {
        return failed;
    }
    const bool part = options.part.count > 1;
    request.directory = part ? PartFolder(options.directory, options.part)
                             : std::filesystem::path(options.directory);
    RunFolder folder;
    if (const std::string refused = folder.Open(request.directory); !refused.empty()) {
        say(refused);
        return kExitFailure;
    }
    request.count = options.count;
    request.seed = options.seed;
    request.force = options.force;
    request.threads = options.thumbnail.threads;
    request.memory = AvailableMemory();
    request.margin = FitMargin(options.thumbnail.frame, options.thumbnail.picture, true);
    request.palette = options.thumbnail.picture.palette;

    const BatchDisplay display = options.thumbnail.picture.display;
    std::unique_ptr<ProgressBar> bar;
    ExploreProgress progress;
    progress.begin = [&] {
        bar = ShowProgress(display, errIsTerminal, err, options.count, "sets", "explore");
    };
    progress.step = [&](std::uint64_t sets) {
        if (bar) {
            bar->update(sets, ProgressBar::Clock::now());
        }
    };
    const std::atomic<bool> stop{false};
    const ExploreOutcome outcome = part ? ExplorePart(request, options.part, progress, stop)
                                        : ExploreSets(request, progress, stop);
    if (outcome.end == ExploreEnd::OtherRun) {
        say("the folder '" + options.directory +
            "' holds the sets of another run; give --force to replace them, or choose a new "
            "folder");
        return kExitBadInput;
    }
    if (outcome.end == ExploreEnd::SaveFailed) {
        say(outcome.error);
        return kExitFailure;
    }
    if (bar) {
        bar->finish(outcome.written, ProgressBar::Clock::now());
    }
    if (part) {
        if (display != BatchDisplay::Quiet) {
            out << "Wrote " << outcome.written << " sets to " << request.directory.string()
                << "; once every part is done, orvantis explore --merge " << options.directory
                << " makes the page\n";
        }
        return kExitSuccess;
    }
    if (display != BatchDisplay::Quiet) {
        out << "Wrote " << outcome.written << " sets";
        if (outcome.pageWritten) {
            out << " and " << outcome.pagePath;
        } else if (outcome.listed > 0) {
            out << "; " << outcome.pagePath << " still lists the folder's " << outcome.listed
                << " sets";
        }
        out << "; passed over " << outcome.degenerate << " degenerate pictures\n";
    }
    if (outcome.written < options.count) {
        say("found " + std::to_string(outcome.written) + " of " + std::to_string(options.count) +
            " sets in " + std::to_string(outcome.searches) + " searches");
        return kExitNotFound;
    }
    return kExitSuccess;
}

} // namespace orv
