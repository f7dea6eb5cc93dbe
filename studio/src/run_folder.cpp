#include "studio/run_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

namespace orv {

namespace {

// A lock file removed by the run that held it may still be open in another
// that took its lock just after: held, it must still be the file of its name.
bool StillNamed(int descriptor, const std::filesystem::path& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(descriptor, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

RunFolder::~RunFolder() {
    if (descriptor_ >= 0) {
        ::unlink(lock_.c_str());
        ::close(descriptor_);
    }
    for (const std::filesystem::path& folder : made_) {
        std::error_code error;
        if (!std::filesystem::remove(folder, error)) {
            break;
        }
    }
}

std::string RunFolder::Open(const std::filesystem::path& directory, const std::string& lockName) {
    std::error_code error;
    for (std::filesystem::path missing = directory;
         !missing.empty() && !std::filesystem::exists(missing, error);
         missing = missing.parent_path()) {
        made_.push_back(missing);
        if (missing == missing.parent_path()) {
            break;
        }
    }
    std::filesystem::create_directories(directory, error);
    if (!std::filesystem::is_directory(directory)) {
        made_.clear();
        return "cannot make the folder '" + directory.string() + "'" +
               (error ? ": " + error.message() : std::string());
    }
    lock_ = directory / lockName;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int descriptor =
            ::open(lock_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (descriptor < 0) {
            return "cannot write into the folder '" + directory.string() +
                   "': " + std::strerror(errno);
        }
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            ::close(descriptor);
            return "another run is writing into the folder '" + directory.string() +
                   "'; wait for it to end or choose another folder";
        }
        if (StillNamed(descriptor, lock_)) {
            descriptor_ = descriptor;
            return {};
        }
        ::close(descriptor);
    }
    return "cannot lock the folder '" + directory.string() + "'";
}

} // namespace orv
