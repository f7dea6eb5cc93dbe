// Opening a file by name without ever waiting on it: a named pipe with no
// one at its other end, a socket or a block device is refused at once rather
// than blocking the caller forever.
#pragma once

#include <cstdio>

namespace orv {

// Whether the file's type is one the program reads and writes: a regular
// file or a character device (such as /dev/null). st_mode as stat gives it.
bool IsPlainFileMode(unsigned mode);

// Opens path as std::fopen does with mode ("rb", "r", "wb"), links
// followed, when it is a regular file or a character device (or, for
// writing, no file yet). Anything else is refused with errno ENXIO, a
// directory with EISDIR. The stream blocks as usual once it is open.
std::FILE* OpenPlainFile(const char* path, const char* mode);

} // namespace orv
