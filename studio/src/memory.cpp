#include "studio/memory.h"

#include "studio/poster_grid.h"

#include <unistd.h>

#include <fstream>
#include <string>

namespace orv {

std::uint64_t AvailableMemory() {
    std::ifstream info("/proc/meminfo");
    for (std::string key; info >> key;) {
        std::uint64_t kib = 0;
        if (key == "MemAvailable:" && info >> kib) {
            return kib * 1024;
        }
        info.ignore(256, '\n');
    }
    return static_cast<std::uint64_t>(sysconf(_SC_PHYS_PAGES)) *
           static_cast<std::uint64_t>(sysconf(_SC_PAGE_SIZE));
}

std::uint64_t PosterBytes(const PosterRecipe& recipe) {
    const long double side = static_cast<long double>(recipe.res) * recipe.supersample;
    const long double grid =
        side * side * CountGrid::BytesPerPixel(recipe.method != 1, CountGrid::Wide(recipe.steps));
    // A band of rows of the picture on its way to the file, in both forms.
    const long double band = 32.0L * 3 * static_cast<long double>(recipe.res) * 4;
    const long double total = grid + band;
    return total >= 1.8e19L ? UINT64_MAX : static_cast<std::uint64_t>(total);
}

} // namespace orv
