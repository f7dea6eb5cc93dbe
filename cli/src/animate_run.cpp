#include "cli/animate.h"
#include "cli/poster.h"
#include "cli/progress.h"
#include "studio/poster_recipe.h"

#include "file_checks.h"
#include "report.h"
#include "studio/picture_write.h"
#include "studio/run_folder.h"

#include "analysis/workers.h"
#include "files/safe_file.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>

namespace orv {

namespace {

// Frames on each side of a frame whose probes its scale is the mean of.
constexpr std::uint32_t kScaleReach = 3;
// A probe takes this share of a frame's steps.
constexpr std::uint64_t kProbeShare = 8;

void Say(std::ostream& err, const std::string& text) {
    err << "orvantis animate: " << text << '\n';
}

double Between(double from, double to, double t) {
    return from + (to - from) * t;
}

std::string FrameName(std::uint32_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%04u.png", index + 1);
    return name;
}

bool UsesScale(const PosterRecipe& recipe) {
    return recipe.method == 1 && recipe.filter && *recipe.filter != BatchFilter::Equalize;
}

// Whether the file is a finished frame of this recipe: a PNG that decodes to
// its end, carrying the recipe it was made from.
bool FrameDone(const std::string& path, const PosterRecipe& recipe) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    std::string reason;
    const std::optional<TextChunks> text = ReadWholePng(path, reason);
    return text && *text == RecipeText(recipe, true);
}

// The largest count of a quick render of the recipe, brought to its steps.
double Probe(const PosterRecipe& recipe) {
    PosterRecipe probe = recipe;
    probe.steps = std::max<std::uint64_t>(recipe.steps / kProbeShare, 1);
    const std::optional<CountGrid> grid = RenderGrid(probe);
    if (!grid) {
        return 0.0;
    }
    const std::uint32_t* counts = grid->counts();
    const std::uint32_t largest = *std::max_element(counts, counts + grid->pixels());
    return static_cast<double>(largest) * static_cast<double>(recipe.steps) /
           static_cast<double>(probe.steps);
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

PosterRecipe FrameRecipe(const PosterRecipe& first, const PosterRecipe& last,
                         std::optional<int> turn, std::uint32_t frames, std::uint32_t index) {
    PosterRecipe recipe = first;
    const double t = frames > 1 ? static_cast<double>(index) / (frames - 1) : 0.0;
    PARAM& q = recipe.param;
    q.a = Between(first.param.a, last.param.a, t);
    q.b = Between(first.param.b, last.param.b, t);
    q.c = Between(first.param.c, last.param.c, t);
    q.d = Between(first.param.d, last.param.d, t);
    q.xstart = Between(first.param.xstart, last.param.xstart, t);
    q.ystart = Between(first.param.ystart, last.param.ystart, t);
    q.zstart = Between(first.param.zstart, last.param.zstart, t);
    recipe.rotation.x = Between(first.rotation.x, last.rotation.x, t);
    recipe.rotation.y = Between(first.rotation.y, last.rotation.y, t);
    recipe.rotation.z = Between(first.rotation.z, last.rotation.z, t);
    recipe.view.xmin = Between(first.view.xmin, last.view.xmin, t);
    recipe.view.xmax = Between(first.view.xmax, last.view.xmax, t);
    recipe.view.ymin = Between(first.view.ymin, last.view.ymin, t);
    recipe.view.ymax = Between(first.view.ymax, last.view.ymax, t);
    if (turn) {
        double& angle = *turn == 0   ? recipe.rotation.x
                        : *turn == 1 ? recipe.rotation.y
                                     : recipe.rotation.z;
        angle = std::fmod(angle + 360.0 * index / frames, 360.0);
    }
    return recipe;
}

std::vector<std::uint32_t> SmoothScales(const std::vector<double>& probes, bool loops) {
    const long count = static_cast<long>(probes.size());
    const long reach = static_cast<long>(kScaleReach);
    std::vector<std::uint32_t> scales(probes.size());
    for (long i = 0; i < count; ++i) {
        double sum = 0.0;
        long used = 0;
        for (long j = i - reach; j <= i + reach; ++j) {
            long at = j;
            if (loops) {
                at = ((j % count) + count) % count;
            } else if (j < 0 || j >= count) {
                continue;
            }
            sum += probes[static_cast<std::size_t>(at)];
            ++used;
        }
        const double mean = std::round(sum / static_cast<double>(used));
        scales[static_cast<std::size_t>(i)] =
            static_cast<std::uint32_t>(std::clamp(mean, 1.0, 4294967295.0));
    }
    return scales;
}

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
        Say(err, "a frame of --res " + std::to_string(first.res) + " with --supersample " +
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

    const std::uint32_t frames = options.frames;
    std::vector<PosterRecipe> recipes;
    std::vector<std::uint32_t> missing;
    for (std::uint32_t i = 0; i < frames; ++i) {
        recipes.push_back(FrameRecipe(first, last, options.turn, frames, i));
        if (!FrameDone((directory / FrameName(i)).string(), recipes.back())) {
            missing.push_back(i);
        }
    }

    const unsigned threads = static_cast<unsigned>(std::min<std::uint64_t>(
        options.frame.threads.value_or(std::max(1u, std::thread::hardware_concurrency())),
        available / frameBytes));
    SetWorkerLimit(static_cast<int>(threads));

    // Every frame's probe that the scale of a missing frame is made from.
    const bool loops = !options.to && options.turn.has_value();
    std::vector<double> probes(frames, 0.0);
    if (UsesScale(first) && !missing.empty()) {
        std::vector<bool> wanted(frames, false);
        for (std::uint32_t i : missing) {
            for (long j = static_cast<long>(i) - kScaleReach;
                 j <= static_cast<long>(i) + kScaleReach; ++j) {
                const long at = loops ? ((j % static_cast<long>(frames)) + frames) % frames : j;
                if (at >= 0 && at < static_cast<long>(frames)) {
                    wanted[static_cast<std::size_t>(at)] = true;
                }
            }
        }
        std::vector<std::uint32_t> probed;
        for (std::uint32_t i = 0; i < frames; ++i) {
            if (wanted[i]) {
                probed.push_back(i);
            }
        }
        ParallelFor(static_cast<int>(probed.size()), [&](int begin, int end) {
            for (int k = begin; k < end; ++k) {
                const std::uint32_t i = probed[static_cast<std::size_t>(k)];
                probes[i] = Probe(recipes[i]);
            }
        });
    }
    const std::vector<std::uint32_t> scales =
        UsesScale(first) ? SmoothScales(probes, loops) : std::vector<std::uint32_t>(frames, 0);

    const BatchDisplay display = options.frame.picture.display;
    std::unique_ptr<ProgressBar> bar;
    if (display == BatchDisplay::Progress ||
        (display == BatchDisplay::Automatic && errIsTerminal)) {
        bar =
            std::make_unique<ProgressBar>(err, missing.size(), "frames", ProgressBar::Clock::now());
    }
    std::mutex reporting;
    std::uint64_t written = 0;
    std::string failure;
    std::atomic<bool> failed{false};
    ParallelFor(static_cast<int>(missing.size()), [&](int begin, int end) {
        for (int k = begin; k < end && !failed; ++k) {
            const std::uint32_t i = missing[static_cast<std::size_t>(k)];
            const std::string path = (directory / FrameName(i)).string();
            SafeFile file;
            SaveResult result = file.Open(path);
            const std::optional<CountGrid> grid =
                result == SaveResult::Saved ? RenderGrid(recipes[i]) : std::nullopt;
            if (result == SaveResult::Saved && !grid) {
                result = SaveResult::NoMemory;
            }
            if (result == SaveResult::Saved && !WritePicture(recipes[i], *grid, scales[i], file)) {
                result = SaveResult::WriteError;
            }
            if (result == SaveResult::Saved) {
                result = file.Commit();
            }
            const std::lock_guard<std::mutex> lock(reporting);
            if (result != SaveResult::Saved) {
                failed = true;
                failure = std::string(SaveErrorText(result)) + " (" + path + ")";
                return;
            }
            ++written;
            if (bar) {
                bar->update(written, ProgressBar::Clock::now());
            }
        }
    });
    if (failed) {
        Say(err, failure);
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
