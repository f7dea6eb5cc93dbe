#include "explore_search.h"
#include "studio/explore.h"
#include "studio/explore_commands.h"
#include "studio/explore_gallery.h"
#include "studio/explore_shape.h"
#include "studio/framing.h"
#include "studio/memory.h"
#include "studio/picture_write.h"
#include "studio/poster_orbits.h"

#include "analysis/random.h"
#include "analysis/search.h"
#include "analysis/workers.h"
#include "files/gan.h"
#include "files/safe_file.h"
#include "render/defaults.h"
#include "render/types.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <set>

namespace orv {

namespace {

// What a folder holds from explore runs before this one.
struct FolderSets {
    // The page there is of this seed and type.
    bool sameRun = false;
    // Sets 1, 2, ... each with its picture and its parameter file.
    std::size_t finished = 0;
    // The names of every set's picture and parameter file.
    std::set<std::string> files;
};

FolderSets Survey(const std::filesystem::path& directory, const std::string& title) {
    FolderSets sets;
    std::ifstream page(directory / "index.html");
    const std::string text((std::istreambuf_iterator<char>(page)),
                           std::istreambuf_iterator<char>());
    sets.sameRun = GalleryTitle(text) == title;
    static const std::regex setFile("set-[0-9]{4,}\\.(png|gan)");
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        if (std::regex_match(name, setFile)) {
            sets.files.insert(name);
        }
    }
    while (sets.files.contains(SetName(sets.finished + 1) + ".png") &&
           sets.files.contains(SetName(sets.finished + 1) + ".gan")) {
        ++sets.finished;
    }
    return sets;
}

// Removes the sets of an earlier run that the new page does not list.
void RemoveUnlisted(const std::filesystem::path& directory, const std::set<std::string>& files,
                    const std::vector<GalleryEntry>& entries) {
    for (const std::string& name : files) {
        if (std::none_of(entries.begin(), entries.end(), [&](const GalleryEntry& entry) {
                return entry.picture == name || entry.gan == name;
            })) {
            std::error_code error;
            std::filesystem::remove(directory / name, error);
        }
    }
}

// The outcome of a run that could not save what it found.
ExploreOutcome Failed(ExploreOutcome outcome, SaveResult result, const std::string& path,
                      std::uint64_t written, bool pageWritten) {
    outcome.end = ExploreEnd::SaveFailed;
    outcome.error = std::string(SaveErrorText(result)) + " (" + path + ")";
    outcome.written = written;
    outcome.pageWritten = pageWritten;
    return outcome;
}

} // namespace

std::uint32_t SearchSeed(std::uint32_t seed, std::uint64_t index) {
    return static_cast<std::uint32_t>(
        SplitMix64(std::uint64_t{seed} << 32 | (index & 0xFFFFFFFFu)) >> 32);
}

SetSearch SearchSets(const PosterRecipe& base, std::optional<double> margin, std::uint32_t count,
                     std::uint32_t seed, unsigned threads, std::uint64_t memory,
                     const std::function<bool(const FoundSet&)>& take,
                     const std::atomic<bool>& stop, RunPart part) {
    SetWorkerLimit(static_cast<int>(threads));
    // Searches run a batch at a time on every thread, as many as the memory
    // holds thumbnails for; their results are taken in the order of their
    // numbers, so the sets found depend neither on the number of threads nor
    // on the memory.
    const std::uint64_t batch = std::clamp<std::uint64_t>(memory / PosterBytes(base), 1,
                                                          2 * static_cast<std::uint64_t>(threads));
    SetSearch search;
    search.searches = kSearchesPerSet * count;
    // The search numbers of the part: position j is number index + j count.
    const std::uint64_t positions =
        search.searches > part.index ? (search.searches - part.index - 1) / part.count + 1 : 0;
    const auto number = [&](std::uint64_t position) { return part.index + position * part.count; };
    std::vector<PARAM> accepted;
    for (std::uint64_t first = 0; first < positions && accepted.size() < count && !stop;
         first += batch) {
        const std::uint64_t size = std::min(batch, positions - first);
        std::vector<std::unique_ptr<Candidate>> candidates(size);
        ParallelFor(static_cast<int>(size), [&](int begin, int end) {
            for (int i = begin; i < end; ++i) {
                candidates[static_cast<std::size_t>(i)] =
                    Search(base, margin,
                           SearchSeed(seed, number(first + static_cast<std::uint64_t>(i))), stop);
            }
        });
        for (std::uint64_t i = 0; i < size; ++i) {
            const Candidate& candidate = *candidates[i];
            // A stopped thumbnail is no picture of its set: the search ends
            // with the sets before it.
            if (accepted.size() == count || stop) {
                break;
            }
            // A set whose thumbnail found no memory ends the search: passing
            // it over would make the sets found depend on the memory.
            if (candidate.found && !candidate.grid) {
                search.noMemory = true;
                return search;
            }
            if (candidate.grid && !Degenerate(candidate.shape, margin.has_value()).empty()) {
                ++search.degenerate;
                continue;
            }
            if (!candidate.found || !candidate.grid ||
                std::any_of(accepted.begin(), accepted.end(), [&](const PARAM& set) {
                    return SameSet(set, candidate.found->param);
                })) {
                continue;
            }
            if (!take(FoundSet{candidate.recipe, candidate.found->exponent, candidate.shape,
                               *candidate.grid, number(first + i)})) {
                return search;
            }
            accepted.push_back(candidate.found->param);
            search.next = number(first + i) + 1;
        }
    }
    if (accepted.size() < count && !stop) {
        search.next = search.searches;
    }
    return search;
}

ExploreOutcome ExploreSets(const ExploreRequest& request, const ExploreProgress& progress,
                           const std::atomic<bool>& stop) {
    ExploreOutcome outcome;
    const PosterRecipe& base = request.base;
    const std::filesystem::path& directory = request.directory;
    const std::string pagePath = (directory / "index.html").string();
    outcome.pagePath = pagePath;
    const std::string title =
        std::string(typeNames[base.type]) + " attractors from seed " + std::to_string(request.seed);
    const FolderSets before = Survey(directory, title);
    if (!before.sameRun && !before.files.empty() && !request.force) {
        outcome.end = ExploreEnd::OtherRun;
        return outcome;
    }
    // The page there stays until this run's lists as many sets: a run that
    // fails or is stopped early never leaves a page shorter than the sets
    // of the same seed that are there.
    const std::size_t listed = before.sameRun ? before.finished : 0;
    outcome.listed = listed;
    bool pageWritten = false;
    std::vector<GalleryEntry> entries;
    if (progress.begin) {
        progress.begin();
    }
    const auto take = [&](const FoundSet& set) {
        const std::string name = SetName(entries.size() + 1);
        GalleryEntry entry{name + ".png", name + ".gan",
                           base.type,     set.recipe.param,
                           set.exponent,  set.shape.coverage,
                           base.res,      LookOptions(base, request.margin, request.palette)};
        std::string failedPath;
        SaveResult result = WriteSet(set.recipe, set.grid, (directory / entry.picture).string(),
                                     (directory / entry.gan).string(), failedPath);
        if (result == SaveResult::Saved) {
            entries.push_back(entry);
            if (entries.size() >= std::max<std::size_t>(listed, 1)) {
                failedPath = pagePath;
                result = WritePage(pagePath, entries, title);
                pageWritten = result == SaveResult::Saved;
            }
        }
        if (result != SaveResult::Saved) {
            outcome.end = ExploreEnd::SaveFailed;
            outcome.error = std::string(SaveErrorText(result)) + " (" + failedPath + ")";
            return false;
        }
        if (progress.step) {
            progress.step(entries.size());
        }
        return true;
    };
    const SetSearch search =
        SearchSets(base, request.margin, request.count, request.seed,
                   request.threads.value_or(DefaultThreads()), request.memory, take, stop);
    outcome.searches = search.searches;
    outcome.written = entries.size();
    outcome.pageWritten = pageWritten;
    if (search.noMemory) {
        return Failed(outcome, SaveResult::NoMemory,
                      (directory / (SetName(entries.size() + 1) + ".png")).string(), entries.size(),
                      pageWritten);
    }
    if (outcome.end == ExploreEnd::SaveFailed) {
        return outcome;
    }
    if (pageWritten && request.force) {
        RemoveUnlisted(directory, before.files, entries);
    }
    outcome.degenerate = search.degenerate;
    outcome.end = entries.size() == request.count ? ExploreEnd::Found
                  : stop                          ? ExploreEnd::Stopped
                                                  : ExploreEnd::NotFound;
    return outcome;
}

} // namespace orv
