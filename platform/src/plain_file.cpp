#include "platform/plain_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orv {

bool IsPlainFileMode(unsigned mode) {
    return S_ISREG(mode) || S_ISCHR(mode);
}

std::FILE* OpenPlainFile(const char* path, const char* mode) {
    const bool writing = std::strchr(mode, 'w') != nullptr;
    const int flags = writing ? O_WRONLY | O_CREAT | O_TRUNC : O_RDONLY;
    // Without O_NONBLOCK, opening a named pipe waits for its other end.
    const int fd = ::open(path, flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    int error = 0;
    if (::fstat(fd, &info) != 0) {
        error = errno;
    } else if (S_ISDIR(info.st_mode)) {
        error = EISDIR;
    } else if (!IsPlainFileMode(info.st_mode)) {
        error = ENXIO;
    } else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        error = errno;
    }
    std::FILE* stream = error == 0 ? ::fdopen(fd, mode) : nullptr;
    if (stream == nullptr) {
        error = error != 0 ? error : errno;
        ::close(fd);
        errno = error;
    }
    return stream;
}

} // namespace orv
