#include "studio/poster_files.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfIO.h>
#include <ImfOutputFile.h>

#include <Iex.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace orv {

namespace {

// Rows converted and handed to the library at a time.
constexpr int kBand = 64;

// OpenEXR's output through a stream the caller opened.
class StdioStream : public Imf::OStream {
  public:
    StdioStream(std::FILE* file, const char* name) : Imf::OStream(name), file_(file) {}

    void write(const char c[], int n) override {
        if (std::fwrite(c, 1, static_cast<std::size_t>(n), file_) != static_cast<std::size_t>(n)) {
            throw Iex::ErrnoExc("the file cannot be written");
        }
    }
    std::uint64_t tellp() override { return static_cast<std::uint64_t>(ftello(file_)); }
    void seekp(std::uint64_t position) override {
        if (fseeko(file_, static_cast<off_t>(position), SEEK_SET) != 0) {
            throw Iex::ErrnoExc("the file cannot be written");
        }
    }

  private:
    std::FILE* file_;
};

// The largest count a 32-bit float holds exactly, with every count below it.
constexpr PixelCount kExactInFloat = PixelCount{1} << 24;

// A channel of the file, its values from a count.
struct Channel {
    const char* name;
    Imf::PixelType type;
    int shift = 0;                   // whole numbers: the bits of the count moved out
    std::vector<std::uint32_t> band; // floats or whole numbers, 32 bits each

    void fill(const CountGrid& grid, std::size_t first, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            const PixelCount count = grid.count(first + i);
            if (type == Imf::FLOAT) {
                const auto value = static_cast<float>(count);
                std::memcpy(&band[i], &value, sizeof value);
            } else {
                band[i] = static_cast<std::uint32_t>(count >> shift);
            }
        }
    }
};

} // namespace

bool WriteCountsExr(std::FILE* file, const CountGrid& grid, std::string& error) {
    try {
        const int columns = grid.width();
        const int side = grid.height();
        PixelCount largest = 0;
        for (std::size_t pixel = 0; pixel < grid.pixels(); ++pixel) {
            largest = std::max(largest, grid.count(pixel));
        }
        std::vector<Channel> channels;
        if (largest <= kExactInFloat) {
            channels.push_back({"Y", Imf::FLOAT, 0, {}});
        } else if (largest <= UINT32_MAX) {
            channels.push_back({"Y", Imf::UINT, 0, {}});
        } else {
            channels.push_back({"high", Imf::UINT, 32, {}});
            channels.push_back({"low", Imf::UINT, 0, {}});
        }
        Imf::Header header(columns, side);
        for (const Channel& channel : channels) {
            header.channels().insert(channel.name, Imf::Channel(channel.type));
        }
        header.compression() = Imf::ZIP_COMPRESSION;
        StdioStream stream(file, "counts");
        Imf::OutputFile output(stream, header);
        const std::size_t width = static_cast<std::size_t>(columns);
        for (Channel& channel : channels) {
            channel.band.resize(width * static_cast<std::size_t>(std::min(kBand, side)));
        }
        for (int first = 0; first < side; first += kBand) {
            const int rows = std::min(kBand, side - first);
            Imf::FrameBuffer buffer;
            for (Channel& channel : channels) {
                channel.fill(grid, static_cast<std::size_t>(first) * width,
                             static_cast<std::size_t>(rows) * width);
                buffer.insert(
                    channel.name,
                    Imf::Slice::Make(
                        channel.type, channel.band.data(),
                        IMATH_NAMESPACE::Box2i({0, first}, {columns - 1, first + rows - 1}),
                        sizeof(std::uint32_t), sizeof(std::uint32_t) * width));
            }
            output.setFrameBuffer(buffer);
            output.writePixels(rows);
        }
        return true;
    } catch (const std::exception& failure) {
        error = failure.what();
        return false;
    }
}

} // namespace orv
