// The part of a run that one of several processes takes, as `--part K/N`
// names it: the frames (or searches) whose index leaves K - 1 when divided by
// N, so that N processes, each with its own K, do exactly the work of one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orv {

struct RunPart {
    std::uint32_t index = 0; // K - 1
    std::uint32_t count = 1; // N

    bool Takes(std::uint64_t item) const { return item % count == index; }
    bool operator==(const RunPart&) const = default;
};

// K/N with 1 <= K <= N <= most; nothing for any other text.
std::optional<RunPart> ReadRunPart(const std::string& text, std::uint32_t most);

// The name of the lock file a part holds in the run's folder: parts of one
// run write into the folder side by side, each part once at a time.
std::string PartLockName(const RunPart& part);

} // namespace orv
