#include "cli/animate.h"
#include "cli/poster.h"
#include "cli/progress.h"

#include "file_checks.h"
#include "report.h"

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
    // Each frame being rendered holds its own counts: as many at once as
    // the threads asked for and the memory allow.
    const std::uint64_t frameBytes = PosterBytes(first);
    const std::uint64_t available = AvailableMemory();
    if (frameBytes > available) {
        Say(err, "a frame of " + PictureSize(first) + " with --supersample " +
                     std::to_string(first.supersample) + " needs " +
                     std::to_string(frameBytes >> 20) + " MiB of memory; " +
                     std::to_string(available >> 20) + " MiB is available");
        return kExitFailure;
    }
    const std::filesystem::path directory(options.directory);
    RunFolder folder;
    if (const std::string refused = folder.Open(directory); !refused.empty()) {
        Reporter(err, "animate")(refused);
        return kExitFailure;
    }

    const unsigned threads = static_cast<unsigned>(std::min<std::uint64_t>(
        options.frame.threads.value_or(DefaultThreads()), available / frameBytes));
    SetWorkerLimit(static_cast<int>(threads));

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
                        progress, stop, plan.shape);
    const std::uint64_t written = outcome.written;
    const std::uint32_t frames = options.frames;
    if (!outcome.error.empty()) {
        Say(err, outcome.error);
        return kExitFailure;
    }
    if (bar) {
        bar->finish(written, ProgressBar::Clock::now());
    }
    if (display != BatchDisplay::Quiet) {
        out << "Wrote " << written << " of " << frames << " frames to " << options.directory
            << '\n';
    }
    return kExitSuccess;
}

} // namespace orv
