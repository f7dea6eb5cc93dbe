#include "temp_dir.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace orv::test {

TempDir::TempDir() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = test != nullptr
                                 ? std::string(test->test_suite_name()) + "." + test->name()
                                 : std::string("cli");
    root_ =
        std::filesystem::temp_directory_path() / ("orv-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string TempDir::path(const std::string& name) const {
    return (root_ / name).string();
}

} // namespace orv::test
