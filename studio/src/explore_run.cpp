#include "studio/explore.h"
#include "studio/explore_gallery.h"
#include "studio/explore_shape.h"
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

// Searches tried for each set asked for before the run gives up.
constexpr std::uint64_t kSearchesPerSet = 50;

// One search and, when it found a set, its thumbnail's counts.
struct Candidate {
    std::optional<ChaoticSet> found;
    PosterRecipe recipe;
    std::optional<CountGrid> grid;
    Shape shape;
};

std::unique_ptr<Candidate> Search(const PosterRecipe& base, std::uint32_t seed) {
    auto candidate = std::make_unique<Candidate>();
    candidate->recipe = base;
    KernelInputs inputs;
    inputs.type = base.type;
    inputs.param = base.param;
    inputs.ghost = base.ghost;
    candidate->found = SearchChaotic(inputs, seed);
    if (candidate->found) {
        candidate->recipe.param = candidate->found->param;
        if (std::optional<CountGrid> grid = RenderGrid(candidate->recipe)) {
            candidate->shape = MeasureShape(*grid);
            candidate->grid.emplace(std::move(*grid));
        }
    }
    return candidate;
}

GAN GanOf(const PosterRecipe& recipe) {
    GAN record = GanRecord(recipe.type, recipe.param, recipe.rotation);
    record.red = recipe.background[0];
    record.green = recipe.background[1];
    record.blue = recipe.background[2];
    record.back = BackgroundColour(record.red, record.green, record.blue);
    return record;
}

// Writes the thumbnail and the parameter file together: both or neither.
SaveResult WriteSet(const Candidate& candidate, const std::string& picturePath,
                    const std::string& ganPath, std::string& failedPath) {
    SafeFile picture;
    SafeFile gan;
    failedPath = picturePath;
    SaveResult result = picture.Open(picturePath);
    if (result == SaveResult::Saved &&
        !WritePicture(candidate.recipe, *candidate.grid, 0, picture)) {
        result = SaveResult::WriteError;
    }
    if (result != SaveResult::Saved) {
        return result;
    }
    failedPath = ganPath;
    unsigned char record[kGanBytes];
    EncodeGan(GanOf(candidate.recipe), record);
    if ((result = gan.Open(ganPath)) != SaveResult::Saved) {
        return result;
    }
    if (!gan.Write(record, sizeof record)) {
        return SaveResult::WriteError;
    }
    const SafeFile* failed = nullptr;
    result = CommitBoth(picture, gan, &failed);
    if (failed != nullptr) {
        failedPath = failed->path();
    }
    return result;
}

SaveResult WritePage(const std::string& path, const std::vector<GalleryEntry>& entries,
                     const std::string& title) {
    const std::string page = GalleryPage(entries, title);
    SafeFile file;
    SaveResult result = file.Open(path);
    if (result == SaveResult::Saved && !file.Write(page.data(), page.size())) {
        result = SaveResult::WriteError;
    }
    return result == SaveResult::Saved ? file.Commit() : result;
}

bool SameSet(const PARAM& x, const PARAM& y) {
    return x.a == y.a && x.b == y.b && x.c == y.c && x.d == y.d;
}

std::string SetName(std::size_t number) {
    char name[32];
    std::snprintf(name, sizeof name, "set-%04zu", number);
    return name;
}

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

    const unsigned threads = request.threads.value_or(DefaultThreads());
    SetWorkerLimit(static_cast<int>(threads));
    if (progress.begin) {
        progress.begin();
    }

    // Searches run a batch at a time on every thread, as many as the memory
    // holds thumbnails for; their results are taken in the order of their
    // numbers, so the sets found depend neither on the number of threads nor
    // on the memory.
    const std::uint64_t batch = std::clamp<std::uint64_t>(request.memory / PosterBytes(base), 1,
                                                          2 * static_cast<std::uint64_t>(threads));
    const std::uint64_t limit = kSearchesPerSet * request.count;
    outcome.searches = limit;
    std::vector<PARAM> accepted;
    std::uint64_t degenerate = 0;
    for (std::uint64_t first = 0; first < limit && entries.size() < request.count && !stop;
         first += batch) {
        const std::uint64_t size = std::min(batch, limit - first);
        std::vector<std::unique_ptr<Candidate>> candidates(size);
        ParallelFor(static_cast<int>(size), [&](int begin, int end) {
            for (int i = begin; i < end; ++i) {
                candidates[static_cast<std::size_t>(i)] =
                    Search(base, SearchSeed(request.seed, first + static_cast<std::uint64_t>(i)));
            }
        });
        for (const std::unique_ptr<Candidate>& searched : candidates) {
            const Candidate& candidate = *searched;
            if (entries.size() == request.count) {
                break;
            }
            // A set whose thumbnail found no memory ends the run: passing it
            // over would make the sets found depend on the memory.
            const std::string name = SetName(entries.size() + 1);
            if (candidate.found && !candidate.grid) {
                return Failed(outcome, SaveResult::NoMemory, (directory / (name + ".png")).string(),
                              entries.size(), pageWritten);
            }
            if (candidate.grid && !Degenerate(candidate.shape).empty()) {
                ++degenerate;
                continue;
            }
            if (!candidate.found || !candidate.grid ||
                std::any_of(accepted.begin(), accepted.end(), [&](const PARAM& set) {
                    return SameSet(set, candidate.found->param);
                })) {
                continue;
            }
            GalleryEntry entry{name + ".png",
                               name + ".gan",
                               base.type,
                               candidate.found->param,
                               candidate.found->exponent,
                               candidate.shape.coverage,
                               base.res};
            std::string failedPath;
            SaveResult result = WriteSet(candidate, (directory / entry.picture).string(),
                                         (directory / entry.gan).string(), failedPath);
            if (result == SaveResult::Saved) {
                entries.push_back(entry);
                accepted.push_back(candidate.found->param);
                if (entries.size() >= std::max<std::size_t>(listed, 1)) {
                    failedPath = pagePath;
                    result = WritePage(pagePath, entries, title);
                    pageWritten = result == SaveResult::Saved;
                }
            }
            if (result != SaveResult::Saved) {
                return Failed(outcome, result, failedPath, entries.size(), pageWritten);
            }
            if (progress.step) {
                progress.step(entries.size());
            }
        }
    }
    if (pageWritten && request.force) {
        RemoveUnlisted(directory, before.files, entries);
    }
    outcome.written = entries.size();
    outcome.pageWritten = pageWritten;
    outcome.degenerate = degenerate;
    outcome.end = entries.size() == request.count ? ExploreEnd::Found
                  : stop                          ? ExploreEnd::Stopped
                                                  : ExploreEnd::NotFound;
    return outcome;
}

} // namespace orv
