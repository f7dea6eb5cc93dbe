// Places where a file cannot be written, for the save failure tests.
#pragma once

#include "scratch_dir.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace orv::test {

// A directory in which no file can be created: a scratch directory without
// write permission, or, for a user whom permissions do not stop, /sys.
inline std::string ReadOnlyDirectory(const ScratchDir& scratch) {
    const std::string locked = scratch / "locked";
    std::filesystem::create_directory(locked);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_exec);
    const std::string probe = locked + "/probe";
    if (std::FILE* f = std::fopen(probe.c_str(), "wb")) {
        std::fclose(f);
        std::remove(probe.c_str());
        return "/sys";
    }
    return locked;
}

// A device on which every write fails as on a full disk.
constexpr const char* kFullDisk = "/dev/full";

} // namespace orv::test
