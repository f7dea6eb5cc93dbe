// Runs of the batch renderer into a fresh directory, and readers for what
// they write.
#pragma once

#include "platform/types.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace orv::test {

struct BatchRun {
    int code = -1;
    std::string out;
    std::string err;
};

std::vector<unsigned char> ReadBytes(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

// The picture of a Targa file written by the program: its side and the
// colour of a pixel.
class Targa {
  public:
    explicit Targa(const std::string& path);
    int side() const { return side_; }
    COLORREF pixel(int x, int y) const;

  private:
    std::vector<unsigned char> bytes_;
    int side_ = 0;
};

// The fields of a parameter file.
class Gan {
  public:
    explicit Gan(const std::string& path);
    std::int32_t type() const;
    // a, b, c, d, xstart, ystart, zstart, then the rotations x, y, z.
    double a() const { return real(4); }
    double b() const { return real(12); }
    double c() const { return real(20); }
    double d() const { return real(28); }
    double xstart() const { return real(36); }
    double ystart() const { return real(44); }
    double zstart() const { return real(52); }
    std::uint32_t back() const;
    double xrot() const { return real(76); }
    double yrot() const { return real(84); }
    double zrot() const { return real(92); }
    const std::vector<unsigned char>& bytes() const { return bytes_; }

  private:
    double real(std::size_t offset) const;
    std::vector<unsigned char> bytes_;
};

class BatchTest : public ::testing::Test {
  protected:
    // Runs `orvantis render` with the arguments; stderr counts as a terminal
    // when terminal is set.
    BatchRun Run(std::vector<std::string> args, bool terminal = false);
    std::string Path(const std::string& name) const { return dir.path(name); }

    TempDir dir;
};

} // namespace orv::test
