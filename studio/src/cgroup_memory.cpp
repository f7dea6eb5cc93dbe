#include "studio/memory.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

namespace orv {

namespace {

// A limit this large is no limit: cgroup v1 writes its "unlimited" as the
// largest page-aligned 63-bit number.
constexpr std::uint64_t kNoLimit = std::uint64_t{1} << 62;

// The first number in the file; nothing when it holds none ("max").
std::optional<std::uint64_t> Number(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::uint64_t value = 0;
    if (in >> value) {
        return value;
    }
    return std::nullopt;
}

// The value of key in a memory.stat file; 0 when it is not there.
std::uint64_t Stat(const std::filesystem::path& file, const std::string& key) {
    std::ifstream in(file);
    std::string name;
    for (std::uint64_t value = 0; in >> name >> value;) {
        if (name == key) {
            return value;
        }
    }
    return 0;
}

// The least room left under the limits of folder and every folder above it
// up to top, from the files named limit and usage in each. The usage counts
// the files' pages in memory; those not lately used (inactiveKey of
// memory.stat) are given back on demand, and so count as room.
std::optional<std::uint64_t> RoomUnder(const std::filesystem::path& top,
                                       std::filesystem::path folder, const char* limit,
                                       const char* usage, const char* inactiveKey) {
    std::error_code error;
    // A folder the namespace does not show: the nearest one above it.
    while (folder != top && !std::filesystem::is_directory(folder, error)) {
        folder = folder.parent_path();
    }
    std::optional<std::uint64_t> room;
    for (;; folder = folder.parent_path()) {
        const std::optional<std::uint64_t> most = Number(folder / limit);
        if (most && *most < kNoLimit) {
            const std::uint64_t charged = Number(folder / usage).value_or(0);
            const std::uint64_t cached = Stat(folder / "memory.stat", inactiveKey);
            const std::uint64_t used = charged > cached ? charged - cached : 0;
            const std::uint64_t left = *most > used ? *most - used : 0;
            room = std::min(room.value_or(left), left);
        }
        if (folder == top || !folder.has_relative_path()) {
            return room;
        }
    }
}

} // namespace

std::optional<std::uint64_t> CgroupRoom(const std::filesystem::path& root,
                                        const std::string& membership) {
    std::istringstream lines(membership);
    std::optional<std::uint64_t> room;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos) {
            continue;
        }
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::filesystem::path path =
            std::filesystem::path(line.substr(second + 1)).relative_path();
        std::optional<std::uint64_t> found;
        if (line.compare(0, first, "0") == 0 && controllers.empty()) {
            // The unified hierarchy, alone at the root or beside the others.
            std::error_code error;
            const std::filesystem::path top =
                std::filesystem::exists(root / "cgroup.controllers", error) ? root
                                                                            : root / "unified";
            found = RoomUnder(top, top / path, "memory.max", "memory.current", "inactive_file");
        } else if (controllers == "memory") {
            found = RoomUnder(root / "memory", root / "memory" / path, "memory.limit_in_bytes",
                              "memory.usage_in_bytes", "total_inactive_file");
        }
        if (found) {
            room = std::min(room.value_or(*found), *found);
        }
    }
    return room;
}

} // namespace orv
