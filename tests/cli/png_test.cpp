#include "batch_fixture.h"
#include "child_process.h"
#include "cli/png_writer.h"
#include "engine_fixture.h"
#include "platform/kernel.h"
#include "render/surfaces.h"
#include "temp_dir.h"

#include <png.h>

#include <set>
#include <string>
#include <vector>

namespace orv {
namespace {

class PngExport : public test::EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        res = 200;
        dres = 200.0;
        ResizeImage();
    }

    // The pixels of a PNG file as red, green, blue bytes, row by row.
    static std::vector<unsigned char> ReadRgb(const std::string& path, png_uint_32& width,
                                              png_uint_32& height) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        EXPECT_NE(png_image_begin_read_from_file(&image, path.c_str()), 0) << image.message;
        width = image.width;
        height = image.height;
        image.format = PNG_FORMAT_RGB;
        std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
        EXPECT_NE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr), 0);
        return rgb;
    }

    test::TempDir dir;
};

TEST_F(PngExport, HoldsThePixelsOfTheImageRowByRowFromTheTop) {
    SetPixel(g_vhdc, 0, 0, RGB(255, 0, 0));
    SetPixel(g_vhdc, 199, 0, RGB(0, 255, 0));
    SetPixel(g_vhdc, 0, 199, RGB(0, 0, 255));
    SetPixel(g_vhdc, 57, 123, RGB(12, 34, 56));
    const std::string path = dir.path("picture.png");
    ASSERT_EQ(WritePng(g_vhdc, path.c_str()), SaveResult::Saved);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    const std::vector<unsigned char> rgb = ReadRgb(path, width, height);
    EXPECT_EQ(width, 200u);
    EXPECT_EQ(height, 200u);
    auto at = [&](int x, int y) {
        const std::size_t i = 3 * (static_cast<std::size_t>(y) * 200 + x);
        return RGB(rgb[i], rgb[i + 1], rgb[i + 2]);
    };
    EXPECT_EQ(at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(at(199, 0), RGB(0, 255, 0));
    EXPECT_EQ(at(0, 199), RGB(0, 0, 255));
    EXPECT_EQ(at(57, 123), RGB(12, 34, 56));
    EXPECT_EQ(at(100, 100), RGB(0, 0, 0));
}

TEST_F(PngExport, AFailedExportKeepsTheOldFileAndLeavesNothingBeside) {
    const std::string path = dir.path("picture.png");
    const std::string old = "a good picture saved earlier";
    test::WriteText(path, old);
    auto expectOldFileAlone = [&] {
        const std::vector<unsigned char> bytes = test::ReadBytes(path);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), old);
        EXPECT_EQ(test::NamesIn(dir.path("")), std::set<std::string>{"picture.png"});
    };

    SetLocalAllocFailure([](std::size_t, int) { return true; });
    EXPECT_EQ(WritePng(g_vhdc, path.c_str()), SaveResult::NoMemory);
    SetLocalAllocFailure({});
    expectOldFileAlone();

    const int status = test::InChild([&] {
        test::LimitFileSize(100);
        return WritePng(g_vhdc, path.c_str()) == SaveResult::WriteError ? 0 : 1;
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    expectOldFileAlone();

    EXPECT_EQ(WritePng(g_vhdc, dir.path("no/such/dir/picture.png").c_str()), SaveResult::OpenError);
    // Every write to /dev/full fails as on a full disk.
    EXPECT_EQ(WritePng(g_vhdc, "/dev/full"), SaveResult::WriteError);
}

} // namespace
} // namespace orv
