#include "cli/batch.h"
#include "apply.h"
#include "cli/batch_run.h"
#include "cli/file_checks.h"
#include "cli/launcher.h"
#include "cli/poster_state.h"
#include "cli/report.h"
#include "cli/session.h"
#include "save.h"
#include "steps.h"
#include "studio/poster_files.h"

#include "render/state.h"
#include "ui/driver.h"
#include "ui/state.h"

#include <memory>

namespace orv {

namespace {

int Render(const RenderOptions& options, BatchSession& session, std::ostream& err,
           bool errIsTerminal) {
    const Reporter report(err, options.command);
    const std::uint64_t total = options.lmap ? static_cast<std::uint64_t>(res) : options.steps;
    const std::unique_ptr<ProgressBar> bar =
        ShowProgress(options.display, errIsTerminal, err, total, options.lmap ? "rows" : "steps",
                     options.command);
    const int result = options.lmap ? RunMap(bar.get()) : RunSteps(options.steps, bar.get());
    if (result != 0) {
        if (bar && bar->inPlace()) {
            err << '\n';
        }
        session.ReportMessages(report);
        report(kNoHitCountBufferText);
        return kExitFailure;
    }
    if (bar) {
        bar->finish(total, ProgressBar::Clock::now());
    }
    return 0;
}

} // namespace

int PrepareBatch(const RenderOptions& options, BatchSession& session, std::ostream& err) {
    if (const int failure = session.startFailure()) {
        Reporter(err, options.command)(errormessage[failure - 1]);
        return kExitFailure;
    }
    if (const int failed = ApplyOptions(options, err)) {
        return failed;
    }
    return CheckFilterApplies(options, err);
}

int FinishBatch(const RenderOptions& options, BatchSession& session, std::ostream& out,
                std::ostream& err, bool errIsTerminal) {
    if (const int failed = Render(options, session, err, errIsTerminal)) {
        return failed;
    }
    if (options.filter) {
        if (const int failed = ApplyFilter(*options.filter, Reporter(err, options.command))) {
            return failed;
        }
    }
    // A message box that no step above has answered for is a failure that
    // must not pass unseen.
    if (session.ReportMessages(Reporter(err, options.command))) {
        return kExitFailure;
    }
    // A PNG tells what made it; a Lyapunov map is no attractor and has no
    // recipe.
    const TextChunks recipe =
        options.lmap ? TextChunks{} : RecipeText(RecipeFromState(options), false);
    return SaveOutput(options.output, recipe, options.display == BatchDisplay::Quiet, out,
                      Reporter(err, options.command));
}

int RunBatch(const RenderOptions& options, std::ostream& out, std::ostream& err,
             bool errIsTerminal) {
    if (const RankCommands* ranks = JobRankCommands()) {
        return ranks->render(options, out, err, errIsTerminal);
    }
    if (const int refused = CheckRenderFiles(options, err)) {
        return refused;
    }
    BatchSession session;
    if (const int failed = PrepareBatch(options, session, err)) {
        return failed;
    }
    return FinishBatch(options, session, out, err, errIsTerminal);
}

} // namespace orv
