// The pieces of an explore run that a whole run and the parts of a shared
// one both use: one search with its thumbnail, and the files of a set and of
// the page.
#pragma once

#include "studio/explore_gallery.h"
#include "studio/explore_shape.h"
#include "studio/poster_grid.h"
#include "studio/poster_recipe.h"

#include "analysis/search.h"
#include "files/safe_file.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// Searches tried for each set asked for before the run gives up.
constexpr std::uint64_t kSearchesPerSet = 50;

// One search and, when it found a set, its thumbnail's counts.
struct Candidate {
    std::optional<ChaoticSet> found;
    PosterRecipe recipe;
    std::optional<CountGrid> grid;
    Shape shape;
};

// The search of seed from the base recipe's type, its thumbnail framed with
// margin when one is given; no thumbnail when memory or stop cut it short.
std::unique_ptr<Candidate> Search(const PosterRecipe& base, std::optional<double> margin,
                                  std::uint32_t seed, const std::atomic<bool>& stop);

// Writes the thumbnail and the parameter file together: both or neither.
SaveResult WriteSet(const PosterRecipe& recipe, const CountGrid& grid,
                    const std::string& picturePath, const std::string& ganPath,
                    std::string& failedPath);

SaveResult WritePage(const std::string& path, const std::vector<GalleryEntry>& entries,
                     const std::string& title);

// Whether two sets have the same parameters a, b, c and d.
bool SameSet(const PARAM& x, const PARAM& y);

// "set-0001" for number 1.
std::string SetName(std::size_t number);

} // namespace orv
