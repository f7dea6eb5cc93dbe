// The ".map" palette reader: any bytes as a palette file. Whatever the file
// holds, the reader stays within the 256 entries of the caller's palette.
#include "palette/mapfile.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string& InputPath() {
    static const std::string path =
        std::string(P_tmpdir) + "/orv-fuzz-map-" + std::to_string(::getpid()) + ".map";
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orv;
    std::FILE* out = std::fopen(InputPath().c_str(), "wb");
    if (out == nullptr) {
        std::abort();
    }
    if (size > 0 && std::fwrite(data, size, 1, out) != 1) {
        std::abort();
    }
    std::fclose(out);
    unsigned char pal[768];
    const int result = ReadMapFile(InputPath().c_str(), pal);
    if (result != 0 && result != 1) {
        std::abort();
    }
    std::remove(InputPath().c_str());
    return 0;
}
