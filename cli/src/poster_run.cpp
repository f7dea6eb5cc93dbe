#include "cli/poster.h"
#include "cli/progress.h"
#include "studio/poster_files.h"
#include "studio/poster_orbits.h"
#include "studio/poster_save.h"
#include "studio/recipe_from_options.h"

#include "file_checks.h"
#include "mpi_job.h"
#include "poster_run.h"
#include "report.h"

#include "analysis/workers.h"
#include "files/safe_file.h"
#include "platform/plain_file.h"
#include "render/limits.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <new>
#include <sstream>
#include <system_error>
#include <thread>
#include <vector>

namespace orv {

namespace {

void Say(std::ostream& err, const std::string& text) {
    err << "orvantis poster: " << text << '\n';
}

std::string Size(std::uint64_t bytes) {
    char text[32];
    const double gib = static_cast<double>(bytes) / (1024.0 * 1024.0 * 1024.0);
    if (gib >= 1.0) {
        std::snprintf(text, sizeof text, "%.1f GiB", gib);
    } else {
        std::snprintf(text, sizeof text, "%.0f MiB",
                      std::max(1.0, static_cast<double>(bytes) / (1024.0 * 1024.0)));
    }
    return text;
}

} // namespace

int RecipeFromOptions(const PosterOptions& options, PosterRecipe& recipe, std::ostream& err) {
    const Reporter report(err, options.picture.command);
    RenderOptions picture = options.picture;
    if (picture.random && !picture.seed) {
        picture.seed = static_cast<std::uint32_t>(std::time(nullptr));
    }
    const RecipeReading reading = RecipeOfOptions(picture);
    for (const std::string& message : reading.messages) {
        report(message);
    }
    if (!reading.recipe) {
        return reading.refusal == RecipeRefusal::NotFound ? kExitNotFound : kExitBadInput;
    }
    recipe = *reading.recipe;
    recipe.orbits = options.orbits;
    recipe.supersample = options.supersample;
    recipe.depth = options.depth;
    return 0;
}

namespace {

int RecipeFromFile(const std::string& path, PosterRecipe& recipe, const Reporter& report) {
    if (std::FILE* in = OpenPlainFile(path.c_str(), "rb")) {
        std::fclose(in);
    } else {
        report("cannot read the recipe's picture '" + path + "': " + std::strerror(errno));
        return kExitBadInput;
    }
    std::string error;
    std::optional<PosterRecipe> read;
    if (const auto text = ReadPngText(path, error)) {
        read = ReadPosterRecipe(*text, error);
    }
    if (!read) {
        report("--recipe: '" + path + "' cannot be rendered again: " + error);
        return kExitBadInput;
    }
    recipe = *read;
    return 0;
}

int Render(const PosterOptions& options, const PosterRecipe& recipe, std::ostream& out,
           std::ostream& err, bool errIsTerminal) {
    std::uint64_t spare = 0;
    std::optional<CountGrid> grid = MakePosterGrid(recipe, spare, err);
    if (!grid) {
        return kExitFailure;
    }
    std::unique_ptr<ProgressBar> bar = PosterBar(options, recipe, err, errIsTerminal);
    RenderOrbits(recipe, *grid, PosterThreads(options), spare, [&](std::uint64_t done) {
        if (bar) {
            bar->update(done, ProgressBar::Clock::now());
        }
    });
    if (bar) {
        bar->finish(recipe.steps, ProgressBar::Clock::now());
    }
    return WritePoster(options, recipe, *grid, out, err);
}

} // namespace

std::optional<CountGrid> MakePosterGrid(const PosterRecipe& recipe, std::uint64_t& spare,
                                        std::ostream& err) {
    const std::uint64_t needed = PosterBytes(recipe);
    const std::uint64_t available = AvailableMemory();
    if (needed > available) {
        Say(err, "--res " + std::to_string(recipe.res) + " with --supersample " +
                     std::to_string(recipe.supersample) + " needs " + Size(needed) +
                     " of memory; " + Size(available) + " is available");
        return std::nullopt;
    }
    std::optional<CountGrid> grid =
        CountGrid::Make(static_cast<int>(recipe.res * recipe.supersample), recipe.method != 1);
    if (!grid) {
        Say(err, "Not enough memory for the counts of a poster of this size.");
    }
    // Half of what is left may go to copies of the grid for the threads.
    spare = (available - needed) / 2;
    return grid;
}

unsigned PosterThreads(const PosterOptions& options) {
    return options.threads.value_or(DefaultThreads());
}

std::unique_ptr<ProgressBar> PosterBar(const PosterOptions& options, const PosterRecipe& recipe,
                                       std::ostream& err, bool errIsTerminal) {
    if (!errIsTerminal || options.picture.display == BatchDisplay::Quiet) {
        return nullptr;
    }
    return std::make_unique<ProgressBar>(err, recipe.steps, "steps", ProgressBar::Clock::now());
}

int WritePoster(const PosterOptions& options, const PosterRecipe& recipe, const CountGrid& grid,
                std::ostream& out, std::ostream& err) {
    const Reporter report(err, options.picture.command);
    const std::string& output = options.picture.output;
    const std::vector<std::string> failures =
        SavePoster(recipe, grid, PosterThreads(options), output, options.counts);
    for (const std::string& failure : failures) {
        report(failure);
    }
    if (!failures.empty()) {
        return kExitFailure;
    }
    if (options.picture.display != BatchDisplay::Quiet) {
        out << "Wrote " << output;
        if (options.counts) {
            out << " and " << *options.counts;
        }
        out << '\n';
    }
    return kExitSuccess;
}

int ResolvePoster(const PosterOptions& options, PosterRecipe& recipe, std::ostream& err) {
    if (const int refused = CheckPosterFiles(options, err)) {
        return refused;
    }
    return options.recipe
               ? RecipeFromFile(*options.recipe, recipe, Reporter(err, options.picture.command))
               : RecipeFromOptions(options, recipe, err);
}

int RunPoster(const PosterOptions& options, std::ostream& out, std::ostream& err,
              bool errIsTerminal) {
    if (OnRanks()) {
        return RunPosterOnRanks(options, out, err, errIsTerminal);
    }
    PosterRecipe recipe;
    if (const int resolved = ResolvePoster(options, recipe, err)) {
        return resolved;
    }
    return Render(options, recipe, out, err, errIsTerminal);
}

} // namespace orv
