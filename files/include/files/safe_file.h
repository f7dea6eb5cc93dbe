// Saving a file without ever destroying the one it replaces: the bytes go to
// a temporary file in the same folder, every write is checked, and only a
// complete, closed file is renamed over the name. A save that fails, is
// abandoned or is interrupted by SIGINT or SIGTERM leaves the old file as it
// was and no temporary behind.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

namespace orv {

// What a save came to. The numbers are the codes the program has always
// shown its messages by.
enum class SaveResult {
    Saved = 0,
    OpenError = 1, // the file cannot be created
    NoMemory = 2,  // no memory for the writer's buffer
    WriteError = 3 // the file cannot be written completely
};

// The program's message for a failed save: "Error opening a save file.",
// "Not enough memory to buffer image lines." or "Error writing to save
// file."; an empty text for Saved.
const char* SaveErrorText(SaveResult result);

// One file being saved. Open it, write through stream() or Write(), then
// Commit(). Without a commit, the destructor removes the temporary.
//
// The name may be a symbolic link: the file it points to is replaced and the
// link stays. A replaced file keeps its permission bits; a new one gets those
// the process creates files with. A name that is a character device (such as
// /dev/null) is written in place, as it cannot be replaced; a named pipe, a
// socket or a block device is refused (OpenError, ENXIO) rather than waited
// on. After the rename the folder is synced too, so that the name survives a
// crash of the system.
//
// A temporary is named ".NAME.orvantis-PID-N-T.tmp" after the file and the
// process. The first save of a process into a folder removes the temporaries
// there whose process no longer exists (one killed while saving).
//
// While a save is open, SIGINT and SIGTERM first remove its temporary and
// then end the process as they would have; SIGXFSZ is ignored from the first
// save on, so that a file size limit fails the write instead of killing the
// process.
class SafeFile {
  public:
    SafeFile() = default;
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Starts saving to path. OpenError when no temporary can be created
    // beside it.
    SaveResult Open(const std::string& path);

    // The temporary's stream, for writers that take a FILE*; null when not
    // open. A failed write shows in the stream's error flag, which Close()
    // checks.
    std::FILE* stream() const { return stream_; }

    // Writes count bytes; false (and the save fails) when not all were
    // written.
    bool Write(const void* bytes, std::size_t count);

    // Writes out, syncs and closes the temporary, without renaming it yet.
    // Saved, or WriteError when any write so far failed.
    SaveResult Close();

    // Closes the temporary if still open and renames it over the name.
    SaveResult Commit();

    // The name given to Open(), and the system's errno for the first failure
    // (0 when there was none).
    const std::string& path() const { return path_; }
    int error() const { return error_; }

  private:
    void Fail(int error);
    void Discard();

    std::string path_;               // as given
    std::string target_;             // the file replaced: path_ with its links followed
    std::string temp_;               // empty when writing in place
    std::unique_ptr<char[]> buffer_; // the stream's, outliving it
    std::FILE* stream_ = nullptr;
    int slot_ = -1; // the temporary's place in the signal handler's list
    int error_ = 0;
    bool failed_ = false;
    bool closed_ = false;
};

// Commits two saves only when both are complete: an image and the parameter
// file beside it never disagree because one of them could not be written.
// Both are closed first; when either fails, neither name changes. Only a
// rename of the second that fails after the first succeeded (which the
// system refuses only in rare cases, both being in place by then) leaves
// the first replaced. On failure `failed` (when given) points at the save
// that failed.
SaveResult CommitBoth(SafeFile& first, SafeFile& second, const SafeFile** failed = nullptr);

} // namespace orv
