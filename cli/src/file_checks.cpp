#include "cli/file_checks.h"

#include "files/gan.h"
#include "files/safe_file.h"
#include "platform/plain_file.h"
#include "platform/types.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

namespace orv {

namespace {

// What the system says of a file, its links followed; nothing when there is
// no such file (yet).
std::optional<struct stat> StatusOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info;
}

// What a file that the program does not read or write is, for its message.
const char* KindOf(mode_t mode) {
    if (S_ISFIFO(mode)) {
        return "a named pipe";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    if (S_ISBLK(mode)) {
        return "a block device";
    }
    return "a folder";
}

int RefuseKind(const NamedFile& file, mode_t mode, const char* use, const Reporter& report) {
    report(file.option + ": '" + file.path + "' is " + KindOf(mode) +
           "; only a file or a character device can be " + use);
    return kExitBadInput;
}

std::vector<NamedFile> Inputs(const RenderOptions& picture) {
    std::vector<NamedFile> inputs;
    if (picture.gan) {
        inputs.push_back({"--gan", *picture.gan});
    }
    if (picture.palette && *picture.palette != "1" && *picture.palette != "2") {
        inputs.push_back({"--palette", *picture.palette});
    }
    return inputs;
}

// The files written into a folder: the names made from pattern with the
// numbers 1 to count, and the extra names.
std::vector<NamedFile> FolderFiles(const std::string& folder, const char* pattern,
                                   std::uint32_t count, const std::vector<std::string>& extra) {
    const std::filesystem::path directory(folder);
    std::vector<NamedFile> files;
    for (std::uint32_t i = 1; i <= count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, pattern, i);
        files.push_back({"-o", (directory / name).string()});
    }
    for (const std::string& name : extra) {
        files.push_back({"-o", (directory / name).string()});
    }
    return files;
}

} // namespace

int CheckFiles(const std::vector<NamedFile>& outputs, const std::vector<NamedFile>& inputs,
               const Reporter& report) {
    std::vector<std::pair<const NamedFile*, struct stat>> read;
    for (const NamedFile& input : inputs) {
        if (const std::optional<struct stat> info = StatusOf(input.path)) {
            if (!IsPlainFileMode(info->st_mode)) {
                return RefuseKind(input, info->st_mode, "read", report);
            }
            // Writing a device does not change what is read from it.
            if (S_ISREG(info->st_mode)) {
                read.emplace_back(&input, *info);
            }
        }
    }
    for (const NamedFile& output : outputs) {
        const std::optional<struct stat> info = StatusOf(output.path);
        if (!info) {
            continue;
        }
        if (!IsPlainFileMode(info->st_mode) && !S_ISDIR(info->st_mode)) {
            return RefuseKind(output, info->st_mode, "written", report);
        }
        for (const auto& [input, status] : read) {
            if (info->st_dev == status.st_dev && info->st_ino == status.st_ino) {
                report(output.option + ": '" + output.path +
                       "' would overwrite the file given to " + input->option + ", '" +
                       input->path + "'");
                return kExitBadInput;
            }
        }
    }
    return 0;
}

int CheckWritable(const std::vector<NamedFile>& outputs, const Reporter& report) {
    for (const NamedFile& output : outputs) {
        SafeFile probe;
        if (const SaveResult result = probe.Open(output.path); result != SaveResult::Saved) {
            report(std::string(SaveErrorText(result)) + " '" + output.path +
                   "': " + std::strerror(probe.error()));
            return kExitFailure;
        }
    }
    return 0;
}

int CheckRenderFiles(const RenderOptions& options, std::ostream& err) {
    const Reporter report(err, options.command);
    if (options.output.size() >= MAX_PATH) {
        report("-o: the name is longer than " + std::to_string(MAX_PATH - 1) + " characters");
        return kExitBadInput;
    }
    std::vector<NamedFile> outputs{{"-o", options.output}};
    char parameters[MAX_PATH] = "";
    if (ParameterFileBeside(options.output.c_str(), parameters)) {
        outputs.push_back({"-o", parameters});
    }
    if (const int refused = CheckFiles(outputs, Inputs(options), report)) {
        return refused;
    }
    return CheckWritable(outputs, report);
}

int CheckPosterFiles(const PosterOptions& options, std::ostream& err) {
    const Reporter report(err, options.picture.command);
    std::vector<NamedFile> outputs{{"-o", options.picture.output}};
    std::vector<NamedFile> inputs = Inputs(options.picture);
    if (options.recipe) {
        inputs.push_back({"--recipe", *options.recipe});
    }
    if (options.counts) {
        const std::optional<struct stat> picture = StatusOf(options.picture.output);
        const std::optional<struct stat> counts = StatusOf(*options.counts);
        if (*options.counts == options.picture.output ||
            (picture && counts && picture->st_dev == counts->st_dev &&
             picture->st_ino == counts->st_ino && S_ISREG(counts->st_mode))) {
            report("--counts must name another file than -o");
            return kExitBadInput;
        }
        outputs.push_back({"--counts", *options.counts});
    }
    if (const int refused = CheckFiles(outputs, inputs, report)) {
        return refused;
    }
    return CheckWritable(outputs, report);
}

int CheckExploreFiles(const ExploreOptions& options, std::ostream& err) {
    std::vector<NamedFile> outputs =
        FolderFiles(options.directory, "set-%04u.png", options.count, {"index.html"});
    const std::vector<NamedFile> parameters =
        FolderFiles(options.directory, "set-%04u.gan", options.count, {});
    outputs.insert(outputs.end(), parameters.begin(), parameters.end());
    return CheckFiles(outputs, Inputs(options.thumbnail.picture),
                      Reporter(err, options.thumbnail.picture.command));
}

int CheckAnimateFiles(const AnimateOptions& options, std::ostream& err) {
    std::vector<NamedFile> inputs = Inputs(options.frame.picture);
    if (options.to) {
        inputs.push_back({"--to", *options.to});
    }
    return CheckFiles(FolderFiles(options.directory, "frame-%04u.png", options.frames, {}), inputs,
                      Reporter(err, options.frame.picture.command));
}

} // namespace orv
