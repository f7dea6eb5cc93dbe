#include "cli/animate.h"
#include "cli/explore.h"
#include "cli/launcher.h"
#include "cli/report.h"
#include "commands.h"
#include "ranks.h"

#include <sstream>

namespace orv {

namespace {

// The part of a run that the command's options leave to the ranks; the
// refusal when they name one themselves.
int RefuseOwnPart(const char* command, const RunPart& part, bool merge, const Ranks& ranks,
                  std::ostream& err) {
    const int code = part.count > 1 || merge ? kExitBadInput : 0;
    if (code != 0 && ranks.root()) {
        Reporter(err, command)("--part and --merge are the ranks' own under orvantis-mpi; run "
                               "them with orvantis");
    }
    return code;
}

} // namespace

int RunExploreOnRanks(const ExploreOptions& options, std::ostream& out, std::ostream& err,
                      bool errIsTerminal) {
    const Ranks ranks;
    if (const int refused = RefuseStrayRank("explore", ranks.size(), err)) {
        return refused;
    }
    if (const int refused = RefuseOwnPart("explore", options.part, options.merge, ranks, err)) {
        return refused;
    }
    if (ranks.size() == 1) {
        return RunExplore(options, out, err, errIsTerminal);
    }
    // Each rank searches its part into a folder of its own; the other ranks'
    // messages go to rank 0, which writes them and then merges the parts.
    ExploreOptions part = options;
    part.part = {static_cast<std::uint32_t>(ranks.rank()),
                 static_cast<std::uint32_t>(ranks.size())};
    if (!ranks.root()) {
        part.thumbnail.picture.display = BatchDisplay::Quiet;
    }
    std::ostringstream held;
    std::ostringstream unused;
    int code = RunExplore(part, unused, ranks.root() ? err : held, ranks.root() && errIsTerminal);
    if ((code = ranks.Agree(code, held.str(), err)) != 0) {
        return code;
    }
    if (ranks.root()) {
        ExploreOptions merge;
        merge.merge = true;
        merge.directory = options.directory;
        merge.thumbnail.picture.display = options.thumbnail.picture.display;
        code = RunExplore(merge, out, err, false);
    }
    return ranks.Agree(code, "", err);
}

int RunAnimateOnRanks(const AnimateOptions& options, std::ostream& out, std::ostream& err,
                      bool errIsTerminal) {
    const Ranks ranks;
    if (const int refused = RefuseStrayRank("animate", ranks.size(), err)) {
        return refused;
    }
    if (const int refused = RefuseOwnPart("animate", options.part, false, ranks, err)) {
        return refused;
    }
    AnimateOptions part = options;
    part.part = {static_cast<std::uint32_t>(ranks.rank()),
                 static_cast<std::uint32_t>(ranks.size())};
    if (!ranks.root()) {
        part.frame.picture.display = BatchDisplay::Quiet;
    }
    std::ostringstream held;
    const int code =
        RunAnimate(part, out, ranks.root() ? err : held, ranks.root() && errIsTerminal);
    return ranks.Agree(code, held.str(), err);
}

} // namespace orv
