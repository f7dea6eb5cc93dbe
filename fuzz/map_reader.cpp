// The ".map" palette reader: any bytes as a palette file. Whatever the file
// holds, the reader stays within the 256 entries of the caller's palette.
#include "palette/mapfile.h"

#include "input_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orv;
    const std::string& input = fuzz::WriteInputFile("map", data, size);
    unsigned char pal[768];
    const int result = ReadMapFile(input.c_str(), pal);
    if (result != 0 && result != 1) {
        std::abort();
    }
    std::remove(input.c_str());
    return 0;
}
