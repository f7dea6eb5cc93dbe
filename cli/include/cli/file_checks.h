// The files a command reads and writes, checked before any work is done: no
// output may replace an input, nothing may wait on a pipe, and every output
// must be one that can be created.
#pragma once

#include "cli/report.h"

#include "cli/animate.h"
#include "cli/explore.h"
#include "studio/command_line.h"
#include "studio/poster_options.h"

#include <ostream>
#include <string>
#include <vector>

namespace orv {

// A file by the option that names it ("-o", "--gan", ...).
struct NamedFile {
    std::string option;
    std::string path;
};

// Refuses, with exit 2, a file that is a named pipe, a socket or a block
// device (which could make the command wait forever), an input that is a
// folder, and an output that is the same file as an input however the two
// are spelled: through "./" or "..", a symbolic or a hard link. Character
// devices such as /dev/null are neither. Returns 0 or the exit code.
int CheckFiles(const std::vector<NamedFile>& outputs, const std::vector<NamedFile>& inputs,
               const Reporter& report);

// Refuses, with exit 1, an output that cannot be created: for each, a
// temporary of its save is made beside it and removed again. Returns 0 or
// the exit code, with the file's name and the system's reason reported.
int CheckWritable(const std::vector<NamedFile>& outputs, const Reporter& report);

// The checks of each command on the files its options name; those of
// render and poster also make sure the outputs can be created, and so come
// before any work.
int CheckRenderFiles(const RenderOptions& options, std::ostream& err);
int CheckPosterFiles(const PosterOptions& options, std::ostream& err);
int CheckExploreFiles(const ExploreOptions& options, std::ostream& err);
int CheckAnimateFiles(const AnimateOptions& options, std::ostream& err);

} // namespace orv
