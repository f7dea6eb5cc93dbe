// The memory a picture needs and the memory there is.
#pragma once

#include "studio/poster_recipe.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace orv {

// The memory a poster of the recipe needs, in bytes.
std::uint64_t PosterBytes(const PosterRecipe& recipe);

// The refusal of a picture that needs more memory than there is: "--res N
// with --supersample K needs 2.1 GiB of memory; 900 MiB is available".
std::string MemoryRefusal(const PosterRecipe& recipe, std::uint64_t needed,
                          std::uint64_t available);

// The memory the system can give without swapping, or all of it when it does
// not say; no more than the room left under the memory limits of the
// process's control groups (a batch job's limit, for one).
std::uint64_t AvailableMemory();

// The least room left under the memory limits of the control groups that
// membership (as /proc/self/cgroup lists them) names, found under root (as
// /sys/fs/cgroup), at each group and every group above it: cgroup v2's
// memory.max less memory.current, v1's memory.limit_in_bytes less
// memory.usage_in_bytes, each usage less the files' pages not lately used
// (memory.stat). Nothing when no group has a limit.
std::optional<std::uint64_t> CgroupRoom(const std::filesystem::path& root,
                                        const std::string& membership);

} // namespace orv
