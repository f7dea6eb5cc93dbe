// The ".map" palette reader: any bytes as a palette file. Whatever the file
// holds, the reader stays within the 256 entries of the staging palette.
#include "files/selection.h"
#include "palette/mapfile.h"
#include "palette/palette.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
    std::strcpy(file, InputPath().c_str());
    const int result = OpenMapFile();
    if (result != 0 && result != 1) {
        std::abort();
    }
    std::remove(InputPath().c_str());
    return 0;
}
