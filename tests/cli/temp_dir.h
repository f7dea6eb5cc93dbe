// A fresh directory for the files a test writes, removed with everything in
// it when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace orv::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The full name of a file in the directory.
    std::string path(const std::string& name) const;

  private:
    std::filesystem::path root_;
};

} // namespace orv::test
