#include "cli/poster.h"
#include "cli/progress.h"
#include "studio/poster_files.h"
#include "studio/poster_render.h"
#include "studio/poster_save.h"
#include "studio/recipe_from_options.h"

#include "file_checks.h"
#include "mpi_job.h"
#include "poster_run.h"
#include "report.h"

#include "analysis/workers.h"
#include "platform/plain_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace orv {

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
    recipe.arithmetic = options.exactOrbits ? OrbitArithmetic::Exact : OrbitArithmetic::Lanes;
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
    const unsigned threads = options.threads.value_or(DefaultThreads());
    std::unique_ptr<ProgressBar> bar = PosterBar(options, recipe, err, errIsTerminal);
    const PosterCounts made = RenderPoster(
        recipe, threads,
        [&](std::uint64_t done) {
            if (bar) {
                bar->update(done, ProgressBar::Clock::now());
            }
        },
        kNeverStop);
    if (!made.grid) {
        Reporter(err, options.picture.command)(made.error);
        return kExitFailure;
    }
    if (bar) {
        bar->finish(recipe.steps, ProgressBar::Clock::now());
    }
    return WritePoster(options, recipe, *made.grid, threads, out, err);
}

} // namespace

std::unique_ptr<ProgressBar> PosterBar(const PosterOptions& options, const PosterRecipe& recipe,
                                       std::ostream& err, bool errIsTerminal) {
    return ShowProgress(options.picture.display, errIsTerminal, err, recipe.steps, "steps",
                        options.picture.command);
}

int WritePoster(const PosterOptions& options, const PosterRecipe& recipe, const CountGrid& grid,
                unsigned threads, std::ostream& out, std::ostream& err) {
    const Reporter report(err, options.picture.command);
    const std::string& output = options.picture.output;
    const std::vector<std::string> failures =
        SavePoster(recipe, grid, threads, output, options.counts);
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
