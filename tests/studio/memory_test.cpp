// The room a batch job's control groups leave: the least over the process's
// group and every group above it, from cgroup v2's files and from v1's.
#include "studio/memory.h"

#include "../cli/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace orv {
namespace {

class CgroupMemory : public ::testing::Test {
  protected:
    void Write(const std::string& file, const std::string& text) {
        const std::filesystem::path path = root / file;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << text << '\n';
    }

    test::TempDir dir;
    std::filesystem::path root{dir.path("cgroup")};
};

TEST_F(CgroupMemory, TheUnifiedHierarchyGivesTheLeastRoomOfTheGroupAndItsParents) {
    Write("cgroup.controllers", "cpu memory");
    Write("memory.max", "max");
    Write("job_7/memory.max", "8000000");
    Write("job_7/memory.current", "2000000");
    Write("job_7/step_0/memory.max", "max");
    Write("job_7/step_0/memory.current", "1500000");
    EXPECT_EQ(CgroupRoom(root, "0::/job_7/step_0\n"), 6000000u);
    // A step's own limit, tighter than the job's.
    Write("job_7/step_0/memory.max", "3000000");
    EXPECT_EQ(CgroupRoom(root, "0::/job_7/step_0\n"), 1500000u);
    // Files' pages not lately used are room the kernel gives back.
    Write("job_7/step_0/memory.stat", "anon 1000000\ninactive_file 500000\nactive_file 0");
    EXPECT_EQ(CgroupRoom(root, "0::/job_7/step_0\n"), 2000000u);
    // A group over its limit leaves nothing.
    Write("job_7/memory.current", "9000000");
    EXPECT_EQ(CgroupRoom(root, "0::/job_7/step_0\n"), 0u);
}

TEST_F(CgroupMemory, VersionOneAndTheUnifiedFolderBesideItAreRead) {
    Write("memory/memory.limit_in_bytes", "9223372036854771712");
    Write("memory/slurm/job_9/memory.limit_in_bytes", "4096");
    Write("memory/slurm/job_9/memory.usage_in_bytes", "1524");
    Write("memory/slurm/job_9/memory.stat",
          "cache 900\ninactive_file 700\ntotal_inactive_file 500");
    Write("unified/job_9/memory.max", "2048");
    Write("unified/job_9/memory.current", "48");
    EXPECT_EQ(CgroupRoom(root, "4:memory:/slurm/job_9\n0::/x\n"), 3072u);
    EXPECT_EQ(CgroupRoom(root, "4:memory:/slurm/job_9\n0::/job_9\n"), 2000u);
}

TEST_F(CgroupMemory, NoLimitOrAGroupTheNamespaceHidesFallsBackToTheNearestFolder) {
    Write("memory/memory.limit_in_bytes", "9223372036854771712");
    Write("memory/memory.usage_in_bytes", "3997278208");
    EXPECT_EQ(CgroupRoom(root, "4:memory:/process_api/991a\n0::/\n"), std::nullopt);
    Write("memory/process_api/memory.limit_in_bytes", "100");
    Write("memory/process_api/memory.usage_in_bytes", "40");
    EXPECT_EQ(CgroupRoom(root, "4:memory:/process_api/991a\n"), 60u);
    EXPECT_EQ(CgroupRoom(root, "garbage\n4:memory\n"), std::nullopt);
}

} // namespace
} // namespace orv
