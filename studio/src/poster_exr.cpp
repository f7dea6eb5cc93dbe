#include "studio/poster_files.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfIO.h>
#include <ImfOutputFile.h>

#include <Iex.h>

#include <algorithm>
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

} // namespace

bool WriteCountsExr(std::FILE* file, const CountGrid& grid, std::string& error) {
    try {
        const int columns = grid.width();
        const int side = grid.height();
        Imf::Header header(columns, side);
        header.channels().insert("Y", Imf::Channel(Imf::FLOAT));
        header.compression() = Imf::ZIP_COMPRESSION;
        StdioStream stream(file, "counts");
        Imf::OutputFile output(stream, header);
        const std::size_t width = static_cast<std::size_t>(columns);
        std::vector<float> band(width * static_cast<std::size_t>(std::min(kBand, side)));
        for (int first = 0; first < side; first += kBand) {
            const int rows = std::min(kBand, side - first);
            const std::uint32_t* counts = grid.counts() + static_cast<std::size_t>(first) * width;
            std::copy(counts, counts + static_cast<std::size_t>(rows) * width, band.begin());
            Imf::FrameBuffer buffer;
            buffer.insert("Y", Imf::Slice::Make(Imf::FLOAT, band.data(),
                                                IMATH_NAMESPACE::Box2i(
                                                    {0, first}, {columns - 1, first + rows - 1}),
                                                sizeof(float), sizeof(float) * width));
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
