#include "studio/poster_save.h"

#include "studio/poster_colour.h"
#include "studio/poster_files.h"

#include "analysis/workers.h"
#include "files/safe_file.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <thread>

namespace orv {

namespace {

// Runs work(0) to work(count - 1) on up to threads threads, the calling one
// among them, and as many helpers as the system starts.
template <typename Work> void Parallel(long count, unsigned threads, const Work& work) {
    std::atomic<long> next{0};
    auto take = [&](unsigned) {
        for (long i = next++; i < count; i = next++) {
            work(i);
        }
    };
    const long helpers = std::min<long>(threads, count) - 1;
    const std::vector<std::jthread> started =
        StartThreads(static_cast<unsigned>(std::max(helpers, 0L)), take);
    take(0);
}

} // namespace

std::vector<std::string> SavePoster(const PosterRecipe& recipe, const CountGrid& grid,
                                    unsigned threads, const std::string& picturePath,
                                    const std::optional<std::string>& countsPath) {
    std::vector<std::string> failures;
    std::optional<PosterColouring> colouring;
    try {
        colouring.emplace(recipe, grid);
    } catch (const std::bad_alloc&) {
        failures.push_back("Not enough memory to equalize the counts of this poster.");
        return failures;
    }
    const std::size_t rowValues =
        (recipe.transparent ? 4 : 3) * static_cast<std::size_t>(recipe.res);
    const RowSource rows = [&](long first, long count, std::uint16_t* channels) {
        Parallel(count, threads, [&](long y) {
            colouring->row(first + y, channels + static_cast<std::size_t>(y) * rowValues);
        });
    };

    SafeFile picture;
    SaveResult saved = picture.Open(picturePath);
    const SafeFile* failed = &picture;
    if (saved == SaveResult::Saved &&
        !WritePosterPng(picture.stream(), recipe.res, recipe.rows(), recipe.depth,
                        RecipeText(recipe, true), rows, recipe.transparent)) {
        saved = SaveResult::WriteError;
    }
    SafeFile counts;
    if (saved == SaveResult::Saved && countsPath) {
        failed = &counts;
        saved = counts.Open(*countsPath);
        std::string error;
        if (saved == SaveResult::Saved && !WriteCountsExr(counts.stream(), grid, error)) {
            failures.push_back("--counts: " + error);
            saved = SaveResult::WriteError;
        }
    }
    if (saved == SaveResult::Saved) {
        failed = nullptr;
        saved = countsPath ? CommitBoth(picture, counts, &failed) : picture.Commit();
    }
    // Without a commit neither file takes its name.
    if (saved != SaveResult::Saved) {
        const SafeFile& file = failed != nullptr ? *failed : picture;
        std::string text = std::string(SaveErrorText(saved)) + " '" + file.path() + "'";
        if (file.error() != 0) {
            text += std::string(": ") + std::strerror(file.error());
        }
        failures.push_back(text);
    }
    return failures;
}

} // namespace orv
