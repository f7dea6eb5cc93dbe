#include "studio/memory.h"

#include "studio/poster_grid.h"
#include "studio/poster_render.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace orv {

namespace {

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

std::uint64_t SystemMemory() {
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

} // namespace

std::uint64_t AvailableMemory() {
    std::ifstream groups("/proc/self/cgroup");
    const std::string membership((std::istreambuf_iterator<char>(groups)),
                                 std::istreambuf_iterator<char>());
    const std::uint64_t system = SystemMemory();
    return std::min(system, CgroupRoom("/sys/fs/cgroup", membership).value_or(system));
}

std::uint64_t PosterBytes(const PosterRecipe& recipe) {
    const long double width = static_cast<long double>(recipe.res) * recipe.supersample;
    const long double height = static_cast<long double>(recipe.rows()) * recipe.supersample;
    const long double grid =
        width * height *
        CountGrid::BytesPerPixel(recipe.method != 1, CountGrid::Wide(recipe.steps));
    // A band of rows of the picture on its way to the file, in both forms.
    const long double band = 32.0L * 3 * static_cast<long double>(recipe.res) * 4;
    const long double total = grid + band;
    return total >= 1.8e19L ? UINT64_MAX : static_cast<std::uint64_t>(total);
}

std::string MemoryRefusal(const PosterRecipe& recipe, std::uint64_t needed,
                          std::uint64_t available) {
    return PictureSize(recipe) + " with --supersample " + std::to_string(recipe.supersample) +
           " needs " + Size(needed) + " of memory; " + Size(available) + " is available";
}

} // namespace orv
