#include "cli/animate.h"
#include "cli/poster.h"
#include "cli/progress.h"

#include "cli/file_checks.h"
#include "cli/report.h"

#include "analysis/workers.h"
#include "studio/animate.h"
#include "studio/animate_path.h"
#include "studio/frame_options.h"
#include "studio/poster_recipe.h"
#include "studio/poster_render.h"
#include "studio/run_folder.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>

namespace orv {

namespace {

void Say(std::ostream& err, const std::string& text) {
    err << "orvantis animate: " << text << '\n';
}

int ResolveLast(const AnimateOptions& options, const PosterRecipe& first, PosterRecipe& last,
                std::ostream& err) {
    if (!options.to) {
        last = first;
        return 0;
    }
    PosterOptions other = options.frame;
    other.picture.gan = *options.to;
    // The warnings on the picture options were given with the first frame's.
    other.picture.display = BatchDisplay::Quiet;
    if (const int failed = RecipeFromOptions(other, last, err)) {
        return failed;
    }
    if (last.type != first.type) {
        Say(err, "--to: '" + *options.to +
                     "' holds another attractor type than --gan; a morph stays within one type");
        return kExitBadInput;
    }
    return 0;
}

} // namespace

int RunAnimate(const AnimateOptions& options, std::ostream& out, std::ostream& err,
               bool errIsTerminal) {
    if (const int refused = CheckAnimateFiles(options, err)) {
        return refused;
    }
    PosterRecipe first;
    PosterRecipe last;
    if (const int failed = RecipeFromOptions(options.frame, first, err)) {
        return failed;
    }
    if (const int failed = ResolveLast(options, first, last, err)) {
        return failed;
    }
    // Each frame being rendered holds its own counts.
    const FrameRoom room = RoomForFrames(first, options.frame.threads.value_or(DefaultThreads()));
    if (!room.error.empty()) {
        Say(err, room.error);
        return kExitFailure;
    }
    const std::filesystem::path directory(options.directory);
    RunFolder folder;
    if (const std::string refused = folder.Open(directory, PartLockName(options.part));
        !refused.empty()) {
        Reporter(err, "animate")(refused);
        return kExitFailure;
    }

    SetWorkerLimit(static_cast<int>(room.threads));

    const BatchDisplay display = options.frame.picture.display;
    std::unique_ptr<ProgressBar> bar;
    const bool loops = !options.to && options.turn.has_value();
    const std::atomic<bool> stop{false};
    AnimationProgress progress;
    progress.step = [&](std::uint64_t written) {
        if (bar) {
            bar->update(written, ProgressBar::Clock::now());
        }
    };
    progress.begin = [&](std::uint64_t missing) {
        bar = ShowProgress(display, errIsTerminal, err, missing, "frames", "animate");
    };
    const PathPlan plan =
        PlanPath(first, last, options.turn, options.frames, options.ease, options.keepChaotic,
                 FitMargin(options.frame.frame, options.frame.picture, true));
    for (const std::string& warning : plan.warnings) {
        if (display != BatchDisplay::Quiet) {
            Say(err, warning);
        }
    }
    const AnimationOutcome outcome =
        RenderAnimation(directory, plan.first, plan.last, options.turn, options.frames, loops,
                        progress, stop, plan.shape, options.part);
    const std::uint64_t written = outcome.written;
    const std::uint32_t frames =
        (options.frames + options.part.count - 1 - options.part.index) / options.part.count;
    if (!outcome.error.empty()) {
        Say(err, outcome.error);
        return kExitFailure;
    }
    if (bar) {
        bar->finish(written, ProgressBar::Clock::now());
    }
    if (display != BatchDisplay::Quiet) {
        out << "Wrote " << written << " of " << frames << " frames";
        if (options.part.count > 1) {
            out << " (part " << options.part.index + 1 << '/' << options.part.count << ')';
        }
        out << " to " << options.directory << '\n';
    }
    return kExitSuccess;
}

} // namespace orv
