// Installing like a desktop program: `cmake --install` into a scratch prefix
// lays out the program, its desktop entry, the ".gan" file type, the
// AppStream data, the icon and the user guide, and the desktop tools accept
// them.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kId = ORV_APP_ID;

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs a command and returns its exit status, its output in *output.
int run(const std::string& command, std::string* output = nullptr) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    std::array<char, 512> chunk{};
    std::string text;
    while (std::fgets(chunk.data(), chunk.size(), pipe) != nullptr) {
        text += chunk.data();
    }
    const int status = pclose(pipe);
    if (output != nullptr) {
        *output = text;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The value of a key in the desktop entry, or "" if it is not there.
std::string entryValue(const std::string& entry, const std::string& key) {
    std::istringstream lines(entry);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(key + "=", 0) == 0) {
            return line.substr(key.size() + 1);
        }
    }
    return "";
}

// The width and height in a PNG file's header.
std::pair<int, int> pngSize(const fs::path& path) {
    const std::string bytes = readFile(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) {
        return {0, 0};
    }
    auto be32 = [&bytes](std::size_t at) {
        int v = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
        }
        return v;
    };
    return {be32(16), be32(20)};
}

// One installation for all the tests of the program, made on first use.
class Install : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefix_ = fs::temp_directory_path() / ("orv-install-" + std::to_string(getpid()));
        fs::remove_all(prefix_);
        status_ = run(quoted(ORV_CMAKE) + " --install " + quoted(ORV_BUILD_DIR) + " --prefix " +
                          quoted(prefix_),
                      &log_);
    }
    static void TearDownTestSuite() { fs::remove_all(prefix_); }

    void SetUp() override { ASSERT_EQ(status_, 0) << log_; }

    static fs::path Share() { return prefix_ / "share"; }
    static fs::path Entry() { return Share() / "applications" / (kId + ".desktop"); }

    static inline fs::path prefix_;
    static inline int status_ = -1;
    static inline std::string log_;
};

TEST_F(Install, LaysOutTheProgramsFilesUnderThePrefix) {
#ifdef ORV_HAS_PROGRAM
    EXPECT_TRUE(fs::exists(prefix_ / "bin" / "orvantis"));
#endif
    EXPECT_TRUE(fs::exists(Entry()));
    EXPECT_TRUE(fs::exists(Share() / "mime" / "packages" / (kId + ".xml")));
    EXPECT_TRUE(fs::exists(Share() / "metainfo" / (kId + ".metainfo.xml")));
    EXPECT_TRUE(fs::exists(Share() / "doc" / "orvantis" / "WJ Orvantis.pdf"));
    const fs::path samples = Share() / "orvantis" / "samples";
    EXPECT_TRUE(fs::exists(samples / "Topo.map"));
    int parameterFiles = 0;
    for (const auto& entry : fs::directory_iterator(samples)) {
        if (entry.path().extension() == ".gan") {
            EXPECT_EQ(fs::file_size(entry.path()), 100u) << entry.path();
            ++parameterFiles;
        }
    }
    EXPECT_EQ(parameterFiles, 12);
}

TEST_F(Install, TheIconLiesInTheHicolorThemeAtEverySizeItsFolderNames) {
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string size = std::to_string(side) + "x" + std::to_string(side);
        const fs::path icon = Share() / "icons" / "hicolor" / size / "apps" / (kId + ".png");
        ASSERT_TRUE(fs::exists(icon)) << icon;
        EXPECT_EQ(pngSize(icon), std::make_pair(side, side)) << icon;
    }
}

TEST_F(Install, TheDesktopEntryPassesValidationAndOpensParameterFiles) {
    std::string output;
    EXPECT_EQ(run("desktop-file-validate " + quoted(Entry()), &output), 0) << output;
    EXPECT_EQ(output.find("error"), std::string::npos) << output;

    const std::string entry = readFile(Entry());
    EXPECT_EQ(entryValue(entry, "Exec"), "orvantis %f");
    EXPECT_EQ(entryValue(entry, "Icon"), kId);
    EXPECT_EQ(entryValue(entry, "Name"), "WJ Orvantis");
    EXPECT_EQ(entryValue(entry, "StartupWMClass"), "orvantis") << "the windows' class";
}

TEST_F(Install, ADotGanFileHasTheTypeTheDesktopEntryOpens) {
    // The shared-mime-info database built from the installed package is
    // what a file manager consults.
    const fs::path mime = Share() / "mime";
    std::string output;
    ASSERT_EQ(run("update-mime-database " + quoted(mime), &output), 0) << output;
    const std::string globs = readFile(mime / "globs2");
    std::string ganType;
    std::istringstream lines(globs);
    for (std::string line; std::getline(lines, line);) {
        const auto last = line.rfind(":*.gan");
        if (last != std::string::npos && last + 6 == line.size()) {
            const auto first = line.find(':');
            ganType = line.substr(first + 1, last - first - 1);
        }
    }
    ASSERT_FALSE(ganType.empty()) << globs;
    const std::string entry = readFile(Entry());
    EXPECT_EQ(entryValue(entry, "MimeType"), ganType + ";");
}

TEST_F(Install, TheAppStreamDataPassesValidationAndNamesTheDesktopEntry) {
    const fs::path metainfo = Share() / "metainfo" / (kId + ".metainfo.xml");
    std::string output;
    EXPECT_EQ(run("appstreamcli validate --no-net " + quoted(metainfo), &output), 0) << output;
    const std::string text = readFile(metainfo);
    EXPECT_NE(text.find("<id>" + kId + "</id>"), std::string::npos);
    EXPECT_NE(text.find(">" + kId + ".desktop</launchable>"), std::string::npos);
}

TEST_F(Install, TheUserGuideIsAPdfOfSeveralPages) {
    const std::string pdf = readFile(Share() / "doc" / "orvantis" / "WJ Orvantis.pdf");
    ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
    int pages = 0;
    for (auto at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1)) {
        pages += pdf.compare(at, 12, "/Type /Pages") == 0 ? 0 : 1;
    }
    EXPECT_GE(pages, 5);
}

} // namespace
