// Fractint ".map" palette files.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace orv {

// Reads the ".map" file called name into pal, 256 entries of red, green and
// blue: line n gives entry n as three integers, each stored as its low eight
// bits; at most 256 lines are read and entries without a line become
// (1, 1, 1). Returns 0, or 1 when the file cannot be opened or read or a line
// does not begin with three integers (the entries before it are then already
// replaced). A named pipe, a socket or a block device is refused, not waited
// on.
int ReadMapFile(const char* name, unsigned char* pal);

// The 256 entries of the ".map" file at path, read as ReadMapFile reads them;
// nothing when ReadMapFile would return 1.
std::optional<std::array<unsigned char, 768>> ReadMap(const std::string& path);

} // namespace orv
