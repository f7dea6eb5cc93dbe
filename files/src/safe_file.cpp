#include "files/safe_file.h"
#include "temporaries.h"

#include "platform/plain_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <new>
#include <string>

namespace orv {

namespace {

// Links are followed at most this often, as the system does.
constexpr int kMaxLinks = 40;
// Large images go to the disk in blocks of this size rather than in a few
// system calls per row.
constexpr std::size_t kStreamBuffer = 1 << 20;

// The file that saving to path replaces: path itself, or the file its chain
// of symbolic links ends at (which need not exist yet).
bool FollowLinks(const std::string& path, std::string& target, int& error) {
    target = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true;
        }
        std::string link(static_cast<std::size_t>(info.st_size) + 1, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0 || static_cast<std::size_t>(length) >= link.size()) {
            error = length < 0 ? errno : EAGAIN;
            return false;
        }
        link.resize(static_cast<std::size_t>(length));
        const std::filesystem::path next(link);
        target = next.is_absolute() ? link
                                    : (std::filesystem::path(target).parent_path() / next).string();
    }
    error = ELOOP;
    return false;
}

// Makes the renames in the folder of path reach the disk, so that after a
// crash of the whole system the name holds the new file. A file system that
// cannot sync a folder has nothing more to do; the file itself is synced.
void SyncFolder(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

const char* SaveErrorText(SaveResult result) {
    switch (result) {
    case SaveResult::Saved:
        return "";
    case SaveResult::OpenError:
        return "Error opening a save file.";
    case SaveResult::NoMemory:
        return "Not enough memory to buffer image lines.";
    case SaveResult::WriteError:
        return "Error writing to save file.";
    }
    return "";
}

SafeFile::~SafeFile() {
    Discard();
}

void SafeFile::Fail(int error) {
    if (!failed_) {
        error_ = error;
    }
    failed_ = true;
}

void SafeFile::Discard() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
    ReleaseTemporary(slot_);
    slot_ = -1;
}

SaveResult SafeFile::Open(const std::string& path) {
    Discard();
    path_ = path;
    error_ = 0;
    failed_ = false;
    closed_ = false;
    PrepareSignals();

    int error = 0;
    if (!FollowLinks(path, target_, error)) {
        Fail(error);
        return SaveResult::OpenError;
    }
    struct stat info {};
    const bool exists = ::stat(target_.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) {
        Fail(EISDIR);
        return SaveResult::OpenError;
    }
    if (exists && !S_ISREG(info.st_mode)) {
        // A character device is written in place; a pipe, a socket or a block
        // device is refused rather than waited on.
        stream_ = OpenPlainFile(target_.c_str(), "wb");
        if (stream_ == nullptr) {
            Fail(errno);
            return SaveResult::OpenError;
        }
        return SaveResult::Saved;
    }
    // A file that may not be written may not be replaced either.
    if (exists && ::access(target_.c_str(), W_OK) != 0) {
        Fail(errno);
        return SaveResult::OpenError;
    }

    RemoveStaleTemporaries(std::filesystem::path(target_).parent_path().string());
    int fd = -1;
    for (unsigned attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp_ = TemporaryName(target_, attempt);
        slot_ = ClaimTemporary(temp_.c_str());
        fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            const int failure = errno;
            ReleaseTemporary(slot_);
            slot_ = -1;
            if (failure != EEXIST) {
                temp_.clear();
                Fail(failure);
                return SaveResult::OpenError;
            }
        }
    }
    if (fd < 0) {
        temp_.clear();
        Fail(EEXIST);
        return SaveResult::OpenError;
    }
    if (exists && ::fchmod(fd, info.st_mode & 07777) != 0) {
        Fail(errno);
        ::close(fd);
        Discard();
        return SaveResult::OpenError;
    }
    stream_ = ::fdopen(fd, "wb");
    if (stream_ == nullptr) {
        Fail(errno);
        ::close(fd);
        Discard();
        return SaveResult::OpenError;
    }
    if (buffer_ == nullptr) {
        buffer_.reset(new (std::nothrow) char[kStreamBuffer]);
    }
    if (buffer_ != nullptr) {
        std::setvbuf(stream_, buffer_.get(), _IOFBF, kStreamBuffer);
    }
    return SaveResult::Saved;
}

bool SafeFile::Write(const void* bytes, std::size_t count) {
    if (stream_ == nullptr) {
        Fail(EBADF);
        return false;
    }
    if (count > 0 && std::fwrite(bytes, count, 1, stream_) != 1) {
        Fail(errno);
        return false;
    }
    return true;
}

SaveResult SafeFile::Close() {
    if (stream_ == nullptr) {
        if (!closed_) {
            Fail(EBADF);
        }
        return failed_ ? SaveResult::WriteError : SaveResult::Saved;
    }
    std::FILE* stream = stream_;
    stream_ = nullptr;
    closed_ = true;
    if (std::fflush(stream) != 0 || std::ferror(stream) != 0) {
        Fail(errno != 0 ? errno : EIO);
    }
    // The data reaches the disk before the name does, so that a crash of the
    // whole system cannot leave an empty file under the name either.
    if (!temp_.empty() && !failed_ && ::fsync(::fileno(stream)) != 0) {
        Fail(errno);
    }
    if (std::fclose(stream) != 0) {
        Fail(errno);
    }
    if (failed_) {
        Discard();
        return SaveResult::WriteError;
    }
    return SaveResult::Saved;
}

SaveResult SafeFile::Commit() {
    if (Close() != SaveResult::Saved) {
        return SaveResult::WriteError;
    }
    if (!temp_.empty()) {
        if (::rename(temp_.c_str(), target_.c_str()) != 0) {
            Fail(errno);
            Discard();
            return SaveResult::WriteError;
        }
        temp_.clear();
        SyncFolder(target_);
    }
    ReleaseTemporary(slot_);
    slot_ = -1;
    return SaveResult::Saved;
}

SaveResult CommitBoth(SafeFile& first, SafeFile& second, const SafeFile** failed) {
    for (SafeFile* file : {&first, &second}) {
        if (file->Close() != SaveResult::Saved) {
            if (failed != nullptr) {
                *failed = file;
            }
            return SaveResult::WriteError;
        }
    }
    for (SafeFile* file : {&first, &second}) {
        if (file->Commit() != SaveResult::Saved) {
            if (failed != nullptr) {
                *failed = file;
            }
            return SaveResult::WriteError;
        }
    }
    return SaveResult::Saved;
}

} // namespace orv
