// The files of the four batch commands as a whole: no output replaces an
// input however either is spelled, nothing waits on a named pipe, an output
// that cannot be created is refused before the work, and every message
// names the command that runs and the file with the system's reason.
#include "batch_fixture.h"
#include "child_process.h"
#include "write_failure.h"

#include "cli/animate.h"
#include "cli/batch.h"
#include "cli/explore.h"
#include "cli/poster.h"
#include "files/gan.h"
#include "render/state.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>

namespace orv::test {
namespace {

namespace fs = std::filesystem;

class CommandFiles : public BatchTest {
  protected:
    // Runs `orvantis command args...` as its main does, with the standard
    // streams caught.
    BatchRun Command(const std::string& command, std::vector<std::string> args) {
        static const std::map<std::string, int (*)(int, char**)> mains = {{"render", RenderMain},
                                                                          {"poster", PosterMain},
                                                                          {"explore", ExploreMain},
                                                                          {"animate", AnimateMain}};
        args.insert(args.begin(), command);
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        std::ostringstream out;
        std::ostringstream err;
        std::streambuf* const oldOut = std::cout.rdbuf(out.rdbuf());
        std::streambuf* const oldErr = std::cerr.rdbuf(err.rdbuf());
        BatchRun run;
        run.code = mains.at(command)(static_cast<int>(argv.size()), argv.data());
        std::cout.rdbuf(oldOut);
        std::cerr.rdbuf(oldErr);
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    void WriteParameterFile(const std::string& name) {
        unsigned char bytes[kGanBytes];
        EncodeGan(GanRecord(1, pdef[1], VOXEL{}), bytes);
        WriteText(Path(name), std::string(reinterpret_cast<const char*>(bytes), kGanBytes));
    }
};

// A command line in which an output and an input meet: the output as the
// command spells it, under the option that names it, and the arguments
// with the given spelling of the input.
struct Meeting {
    std::string command;
    std::string outputOption;
    std::string output; // in the case's folder
    std::string inputOption;
    std::function<std::vector<std::string>(const std::string& folder, const std::string& input)>
        args;
};

TEST_F(CommandFiles, NoOutputOfAnyCommandMayReplaceAnInputHoweverSpelled) {
    using Args = std::vector<std::string>;
    auto render = [](const char* option) {
        return [option](const std::string& f, const std::string& in) {
            return Args{option, in, "-o", f + "pic.tga"};
        };
    };
    auto poster = [](const char* option, const char* output) {
        return [option, output](const std::string& f, const std::string& in) {
            return Args{option, in, "-o", f + "pic.png", "--counts", f + output};
        };
    };
    auto explore = [](const std::string& f, const std::string& in) {
        return Args{"--type", "alpha", "--count", "2", "--palette", in, "-o", f + "d"};
    };
    auto animate = [](const std::string& option) {
        return [option](const std::string& f, const std::string& in) {
            Args args{"--gan", option == "--gan" ? in : f + "a.gan", "--frames", "2", "-o",
                      f + "d"};
            if (option != "--gan") {
                args.insert(args.end(), {option, in});
            }
            return args;
        };
    };
    const std::vector<Meeting> meetings = {
        {"render", "-o", "pic.tga", "--gan", render("--gan")},
        {"render", "-o", "pic.gan", "--gan", render("--gan")},
        {"render", "-o", "pic.tga", "--palette", render("--palette")},
        {"render", "-o", "pic.gan", "--palette", render("--palette")},
        {"poster", "-o", "pic.png", "--gan", poster("--gan", "c.exr")},
        {"poster", "-o", "pic.png", "--palette", poster("--palette", "c.exr")},
        {"poster", "-o", "pic.png", "--recipe", poster("--recipe", "c.exr")},
        {"poster", "--counts", "c.exr", "--gan", poster("--gan", "c.exr")},
        {"poster", "--counts", "c.exr", "--palette", poster("--palette", "c.exr")},
        {"poster", "--counts", "c.exr", "--recipe", poster("--recipe", "c.exr")},
        {"explore", "-o", "d/set-0002.png", "--palette", explore},
        {"explore", "-o", "d/set-0001.gan", "--palette", explore},
        {"explore", "-o", "d/index.html", "--palette", explore},
        {"animate", "-o", "d/frame-0002.png", "--gan", animate("--gan")},
        {"animate", "-o", "d/frame-0001.png", "--to", animate("--to")},
        {"animate", "-o", "d/frame-0002.png", "--palette", animate("--palette")}};
    // The input's name for the output's file, as given on the command line.
    const std::vector<std::pair<std::string, std::function<std::string(const std::string&)>>>
        spellings = {{"plain", [](const std::string& file) { return file; }},
                     {"dotted",
                      [](const std::string& file) {
                          const fs::path folder = fs::path(file).parent_path();
                          return (folder / "." / ".." / folder.filename() /
                                  fs::path(file).filename())
                              .string();
                      }},
                     {"symbolic link",
                      [](const std::string& file) {
                          fs::create_symlink(file, file + ".link");
                          return file + ".link";
                      }},
                     {"hard link", [](const std::string& file) {
                          fs::create_hard_link(file, file + ".hard");
                          return file + ".hard";
                      }}};
    int number = 0;
    for (const Meeting& meeting : meetings) {
        for (const auto& [spelling, spell] : spellings) {
            const std::string folder = Path("case" + std::to_string(number++)) + "/";
            fs::create_directories(folder + "d");
            const std::string file = folder + meeting.output;
            WriteText(file, "the input's bytes");
            const std::string input = spell(file);
            const std::vector<std::string> args = meeting.args(folder, input);
            const BatchRun run = Command(meeting.command, args);
            const std::string what = meeting.command + " " + meeting.outputOption + " " +
                                     meeting.output + " against " + meeting.inputOption + ", " +
                                     spelling;
            EXPECT_EQ(run.code, 2) << what;
            EXPECT_EQ(run.err, "orvantis " + meeting.command + ": " + meeting.outputOption + ": '" +
                                   file + "' would overwrite the file given to " +
                                   meeting.inputOption + ", '" + input + "'\n")
                << what;
            const std::vector<unsigned char> bytes = ReadBytes(file);
            EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "the input's bytes") << what;
        }
    }
}

TEST_F(CommandFiles, NoCommandWaitsOnANamedPipeGivenForAnyFile) {
    WriteParameterFile("a.gan");
    const std::string pipe = Path("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo((pipe + ".png").c_str(), 0644), 0);
    fs::create_directories(Path("d"));
    ASSERT_EQ(::mkfifo(Path("d/set-0001.png").c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo(Path("d/frame-0002.png").c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo(Path("p.gan").c_str(), 0644), 0);
    struct Case {
        std::string command;
        std::vector<std::string> args;
        std::string option;
        std::string file;
        const char* use;
    };
    const std::string a = Path("a.gan");
    const std::string d = Path("d");
    const std::vector<Case> cases = {
        {"render", {"-o", pipe + ".png"}, "-o", pipe + ".png", "written"},
        {"render", {"-o", Path("p.tga")}, "-o", Path("p.gan"), "written"},
        {"render", {"--gan", pipe, "-o", Path("r.tga")}, "--gan", pipe, "read"},
        {"render", {"--palette", pipe, "-o", Path("r.tga")}, "--palette", pipe, "read"},
        {"poster", {"-o", pipe + ".png"}, "-o", pipe + ".png", "written"},
        {"poster", {"-o", Path("q.png"), "--counts", pipe}, "--counts", pipe, "written"},
        {"poster", {"--recipe", pipe, "-o", Path("q.png")}, "--recipe", pipe, "read"},
        {"poster", {"--gan", pipe, "-o", Path("q.png")}, "--gan", pipe, "read"},
        {"poster", {"--palette", pipe, "-o", Path("q.png")}, "--palette", pipe, "read"},
        {"explore", {"--type", "beta", "-o", d}, "-o", Path("d/set-0001.png"), "written"},
        {"explore",
         {"--type", "beta", "--palette", pipe, "-o", Path("e")},
         "--palette",
         pipe,
         "read"},
        {"animate",
         {"--gan", a, "--frames", "2", "-o", d},
         "-o",
         Path("d/frame-0002.png"),
         "written"},
        {"animate", {"--gan", pipe, "--frames", "2", "-o", Path("f")}, "--gan", pipe, "read"},
        {"animate",
         {"--gan", a, "--to", pipe, "--frames", "2", "-o", Path("f")},
         "--to",
         pipe,
         "read"},
        {"animate",
         {"--gan", a, "--palette", pipe, "--frames", "2", "-o", Path("f")},
         "--palette",
         pipe,
         "read"}};
    // A command that waits on a pipe is ended by the alarm.
    ::alarm(60);
    for (const Case& c : cases) {
        const BatchRun run = Command(c.command, c.args);
        const std::string what = c.command + " " + c.option;
        EXPECT_EQ(run.code, 2) << what;
        EXPECT_EQ(run.err, "orvantis " + c.command + ": " + c.option + ": '" + c.file +
                               "' is a named pipe; only a file or a character device can be " +
                               c.use + "\n")
            << what;
    }
    ::alarm(0);
    EXPECT_FALSE(fs::exists(Path("e"))) << "refused before its folder is made";

    // Devices are written as before.
    const BatchRun run = Command("poster", {"--res", "200", "--steps", "1000", "--quiet", "-o",
                                            Path("q.png"), "--counts", "/dev/null"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(CommandFiles, AnOutputThatCannotBeCreatedIsRefusedBeforeTheRender) {
    ScratchDir scratch;
    const std::string locked = ReadOnlyDirectory(scratch);
    // Rendering these steps would take minutes: the refusal comes first.
    const std::string reason = "': " + std::string(std::strerror(EACCES)) + "\n";
    BatchRun run = Command("render", {"--steps", "2000000000", "-o", locked + "/r.tga"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err,
              "orvantis render: Error opening a save file. '" + locked + "/r.tga" + reason);
    run = Command("poster", {"--steps", "4294967295", "--res", "4000", "-o", locked + "/p.png"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err,
              "orvantis poster: Error opening a save file. '" + locked + "/p.png" + reason);
    run = Command("poster", {"--steps", "4294967295", "--res", "4000", "-o", Path("p.png"),
                             "--counts", locked + "/c.exr"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err,
              "orvantis poster: Error opening a save file. '" + locked + "/c.exr" + reason);
    EXPECT_EQ(NamesIn(Path("")), std::set<std::string>{}) << "nothing is left behind";
}

TEST_F(CommandFiles, MessagesNameTheCommandThatRunsTheFileAndTheReason) {
    WriteParameterFile("a.gan");
    const std::string warning = ": warning: --res: ";
    const std::string missingPalette =
        "cannot read the palette file '/nonexist.map': No such file or directory\n";
    const std::string missingGan =
        "cannot read the parameter file '/nonexist.gan': No such file or directory\n";
    const std::vector<std::pair<BatchRun, std::string>> runs = {
        {Command("render", {"--res", "0", "--palette", "/nonexist.map", "-o", Path("r.tga")}),
         "orvantis render" + warning +
             "0 is out of range; 200 is used\norvantis render: " + missingPalette},
        {Command("render",
                 {"--rotation", "-10,400,360", "--palette", "/nonexist.map", "-o", Path("r.tga")}),
         "orvantis render: warning: --rotation: -10 is out of range; 0 is used\n"
         "orvantis render: warning: --rotation: 400 is out of range; 360 is used\n"
         "orvantis render: " +
             missingPalette},
        {Command("poster", {"--res", "-600", "--gan", "/nonexist.gan", "-o", Path("p.png")}),
         "orvantis poster" + warning +
             "-600 is out of range; 200 is used\norvantis poster: " + missingGan},
        {Command("poster", {"--recipe", "/nonexist.png", "-o", Path("p.png")}),
         "orvantis poster: cannot read the recipe's picture '/nonexist.png': No such file or "
         "directory\n"},
        {Command("poster", {"-o", "a.jpg"}),
         "orvantis poster: -o: 'a.jpg' must end in .png: a poster is a PNG file (see orvantis "
         "poster --help)\n"},
        {Command("explore", {"--type", "gamma", "--res", "199", "--palette", "/nonexist.map", "-o",
                             Path("e")}),
         "orvantis explore" + warning +
             "199 is out of range; 200 is used\norvantis explore: " + missingPalette},
        {Command("animate", {"--gan", Path("a.gan"), "--to", "/nonexist.gan", "--res", "0",
                             "--background", "300,0,-1", "--frames", "2", "-o", Path("f")}),
         "orvantis animate" + warning +
             "0 is out of range; 200 is used\n"
             "orvantis animate: warning: --background: 300 is out of range; 255 is used\n"
             "orvantis animate: warning: --background: -1 is out of range; 0 is used\n"
             "orvantis animate: " +
             missingGan}};
    for (const auto& [run, message] : runs) {
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.err, message);
    }
}

} // namespace
} // namespace orv::test
