// The folder explore or animate writes into, held by one run at a time.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orv {

// The advisory lock that a run holds on its folder, in this file there.
inline constexpr const char* kFolderLockName = ".orvantis.lock";

class RunFolder {
  public:
    RunFolder() = default;
    // Lets the folder go; a folder this run made goes too when nothing is in
    // it.
    ~RunFolder();
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    // Makes the folder (and those above it) when missing and takes its lock,
    // which also shows that files can be made there. Returns nothing, or the
    // message that tells why the folder cannot be made or written into, or
    // that another run holds it. Parts of one run hold locks of their own.
    std::string Open(const std::filesystem::path& directory,
                     const std::string& lockName = kFolderLockName);

  private:
    std::filesystem::path lock_;
    int descriptor_ = -1;
    // The folders this run made, the deepest first.
    std::vector<std::filesystem::path> made_;
};

} // namespace orv
