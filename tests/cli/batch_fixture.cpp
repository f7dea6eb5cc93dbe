#include "batch_fixture.h"

#include "cli/batch.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace orv::test {

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

Targa::Targa(const std::string& path) : bytes_(ReadBytes(path)) {
    if (bytes_.size() >= 18) {
        side_ = bytes_[12] | bytes_[13] << 8;
    }
    EXPECT_EQ(bytes_.size(), 18u + 3u * side_ * side_ + 26u) << path;
}

COLORREF Targa::pixel(int x, int y) const {
    const std::size_t at = 18 + 3 * (static_cast<std::size_t>(y) * side_ + x);
    return RGB(bytes_[at + 2], bytes_[at + 1], bytes_[at]);
}

Gan::Gan(const std::string& path) : bytes_(ReadBytes(path)) {
    EXPECT_EQ(bytes_.size(), 100u) << path;
    bytes_.resize(100);
}

std::int32_t Gan::type() const {
    std::int32_t value = 0;
    std::memcpy(&value, bytes_.data(), sizeof value);
    return value;
}

std::uint32_t Gan::back() const {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes_.data() + 60, sizeof value);
    return value;
}

double Gan::real(std::size_t offset) const {
    double value = 0.0;
    std::memcpy(&value, bytes_.data() + offset, sizeof value);
    return value;
}

BatchRun BatchTest::Run(std::vector<std::string> args, bool terminal) {
    const CommandLine line = ParseRenderOptions(args);
    EXPECT_EQ(line.action, CommandLineAction::Render) << line.error;
    std::ostringstream out;
    std::ostringstream err;
    BatchRun run;
    run.code = RunBatch(line.options, out, err, terminal);
    run.out = out.str();
    run.err = err.str();
    return run;
}

} // namespace orv::test
