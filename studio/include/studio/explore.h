// An explore run: searches from one seed, each set found that draws a
// picture worth showing written with its parameter file, and the gallery
// page that lists them, into a folder.
#pragma once

#include "studio/explore_shape.h"
#include "studio/poster_grid.h"
#include "studio/poster_recipe.h"
#include "studio/run_part.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace orv {

struct ExploreRequest {
    PosterRecipe base; // the thumbnails' recipe; the search replaces its parameters
    std::uint32_t count = 12;
    std::uint32_t seed = 1;
    std::filesystem::path directory;    // made and locked by the caller
    bool force = false;                 // replace the sets of another run in the directory
    std::optional<unsigned> threads;    // every core when not given
    std::uint64_t memory = 0;           // what the thumbnails of a batch of searches may take
    std::optional<double> margin;       // each thumbnail framed with it; the base's view without
    std::optional<std::string> palette; // the --palette given, for the gallery's command lines
};

// What the caller hears of a run: once when the searches start, then the
// number of sets written after each.
struct ExploreProgress {
    std::function<void()> begin;
    std::function<void(std::uint64_t sets)> step;
};

enum class ExploreEnd {
    Found,      // every set asked for
    NotFound,   // fewer sets than asked for in every search allowed
    OtherRun,   // the folder holds another run's sets, and force was not given
    SaveFailed, // a file could not be written; error names it
    Stopped,    // the caller's flag ended the run
    BadParts,   // the parts to merge do not make one run; error tells why
};

struct ExploreOutcome {
    ExploreEnd end = ExploreEnd::Found;
    std::string error;
    std::uint64_t written = 0;    // sets written
    bool pageWritten = false;     // the page lists this run's sets
    std::uint64_t listed = 0;     // sets of the same run the folder's page listed before
    std::uint64_t degenerate = 0; // pictures passed over as dots, lines or filled
    std::uint64_t searches = 0;   // the searches allowed
    std::string pagePath;
};

// The seed of search number index of a run started from seed: SplitMix64 of
// the two, so that neighbouring seeds and indices give unrelated searches.
std::uint32_t SearchSeed(std::uint32_t seed, std::uint64_t index);

// A set a search found whose picture is worth showing: the base recipe with
// the set's parameters, its exponent and its thumbnail's counts and shape.
struct FoundSet {
    const PosterRecipe& recipe;
    double exponent = 0.0;
    Shape shape;
    const CountGrid& grid;
    std::uint64_t index = 0; // the search's number
};

struct SetSearch {
    std::uint64_t searches = 0;   // the searches allowed
    std::uint64_t degenerate = 0; // pictures passed over as dots, lines or filled
    bool noMemory = false;        // a set's thumbnail found no memory, which ended the search
    // Every search of the part's share below this number was looked at: the
    // number after the last set taken, or all of them when too few were found.
    std::uint64_t next = 0;
};

// Searches from seed, a batch at a time on the threads (as many searches as
// memory holds thumbnails for; each thumbnail framed to its set with margin
// when one is given), and hands take each new set worth showing
// in the order of the search numbers, until take had count of them or
// returned false, the searches allowed are done or stop is set. A part of a
// shared run takes only its share of the search numbers.
SetSearch SearchSets(const PosterRecipe& base, std::optional<double> margin, std::uint32_t count,
                     std::uint32_t seed, unsigned threads, std::uint64_t memory,
                     const std::function<bool(const FoundSet&)>& take,
                     const std::atomic<bool>& stop, RunPart part = {});

// Finds the sets and writes them with the gallery into the request's folder.
ExploreOutcome ExploreSets(const ExploreRequest& request, const ExploreProgress& progress,
                           const std::atomic<bool>& stop);

} // namespace orv
