// The fuzz input as a file for readers that take a file name: one file per
// process and target, rewritten for every input.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace orv::fuzz {

// Writes the bytes to the file and returns its name; aborts when the file
// cannot be written, as the run then tests nothing.
inline const std::string& WriteInputFile(const char* stem, const std::uint8_t* data,
                                         std::size_t size) {
    static const std::string path =
        std::string(P_tmpdir) + "/orv-fuzz-" + std::to_string(::getpid()) + "." + stem;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        std::abort();
    }
    if (size > 0 && std::fwrite(data, size, 1, out) != 1) {
        std::abort();
    }
    if (std::fclose(out) != 0) {
        std::abort();
    }
    return path;
}

} // namespace orv::fuzz
