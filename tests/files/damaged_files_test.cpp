// Thousands of random and truncated parameter and palette files: each load
// either succeeds or is refused, and never reads or writes out of bounds (the
// sanitizer build checks that).
#include "scratch_dir.h"

#include "files/gan.h"
#include "files/selection.h"
#include "palette/mapfile.h"
#include "palette/palette.h"
#include "render/state.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace orv::test {
namespace {

constexpr int kFiles = 3000;

class DamagedFiles : public ::testing::Test {
  protected:
    void SetUp() override { ResetRenderState(); }

    std::string Random(std::size_t length) {
        std::string bytes(length, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(byteOf(random));
        }
        return bytes;
    }

    // Text made of the pieces a ".map" line is built from, with some damage.
    std::string MapText(int lines) {
        static const char* const pieces[] = {
            "0",           "255",  "-1",        "300", "+7", "99999999999999999999999",
            "-2147483649", " ",    "\t",        "  ",  "x",  "#",
            "1e5",         "\r",   "\0",        "-",   "+",  "0x1",
            "12",          "\xff", "4294967296"};
        std::uniform_int_distribution<int> piece(0, sizeof pieces / sizeof *pieces - 1);
        std::uniform_int_distribution<int> count(0, 12);
        std::string text;
        for (int line = 0; line < lines; ++line) {
            const int n = count(random);
            for (int k = 0; k < n; ++k) {
                const char* p = pieces[piece(random)];
                text.append(p, *p == '\0' ? 1 : std::strlen(p));
            }
            if (count(random) != 0) {
                text += '\n';
            }
        }
        return text;
    }

    // Writes the bytes to a file of a new name (rewriting one file over and
    // over makes the file system flush it each time) and returns its path.
    std::string Fresh(const std::string& bytes, const char* extension) {
        std::remove(last_.c_str());
        const std::string name = std::to_string(made_++) + extension;
        scratch.Write(name, bytes);
        last_ = scratch / name;
        return last_;
    }

    std::mt19937 random{20240611};
    std::uniform_int_distribution<int> byteOf{0, 255};
    ScratchDir scratch;

  private:
    int made_ = 0;
    std::string last_;
};

TEST_F(DamagedFiles, RandomAndTruncatedParameterFilesLoadOrAreRefused) {
    std::uniform_int_distribution<int> length(0, 130);
    for (int i = 0; i < kFiles; ++i) {
        std::string bytes = Random(static_cast<std::size_t>(length(random)));
        if (i % 2 == 0 && bytes.size() >= 4) {
            bytes[0] = static_cast<char>(i % 4); // a known type, to reach the fields
            bytes[1] = bytes[2] = bytes[3] = 0;
        }
        std::strcpy(oganfile, Fresh(bytes, ".gan").c_str());
        const int before = type;
        const int result = loadgan();
        ASSERT_TRUE(result == 0 || result == 1);
        if (bytes.size() < kGanBytes) {
            ASSERT_EQ(result, 1) << bytes.size() << " bytes";
            ASSERT_EQ(type, before);
        }
        ASSERT_TRUE(type >= 0 && type < kTypes);
    }
}

TEST_F(DamagedFiles, RandomAndTruncatedPaletteFilesLoadOrAreRefused) {
    std::uniform_int_distribution<int> lines(0, 300);
    std::uniform_int_distribution<int> length(0, 400);
    for (int i = 0; i < kFiles; ++i) {
        std::string text =
            i % 3 == 0 ? Random(static_cast<std::size_t>(length(random))) : MapText(lines(random));
        if (i % 5 == 0) {
            text.resize(text.size() / 2);
        }
        const int result = ReadMapFile(Fresh(text, ".map").c_str(), paltemp);
        ASSERT_TRUE(result == 0 || result == 1);
    }
}

} // namespace
} // namespace orv::test
