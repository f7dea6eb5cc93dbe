#include "cli/batch_run.h"
#include "cli/file_checks.h"
#include "cli/launcher.h"
#include "cli/report.h"
#include "commands.h"
#include "ranks.h"

#include "analysis/lmap.h"
#include "cli/progress.h"
#include "render/state.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <type_traits>

namespace orv {

namespace {

// What every rank needs to compute rows of the map: rank 0's type,
// parameter set and side, the same on every machine.
struct MapJob {
    int type = 0;
    PARAM param;
    int side = 0;
};
static_assert(std::is_trivially_copyable_v<MapJob>);

void ShareJob(const Ranks& ranks, MapJob& job) {
    std::string bytes(sizeof job, '\0');
    std::memcpy(bytes.data(), &job, sizeof job);
    ranks.Share(bytes);
    std::memcpy(&job, bytes.data(), sizeof job);
}

// Rank r computes rows r, r + K, r + 2K, ... of a job of K ranks: rows of
// every height, so that the ranks finish about together.
int RowsOf(int rank, int ranks, int side) {
    return rank < side ? (side - rank - 1) / ranks + 1 : 0;
}

// The rank's rows one after the other. Rank 0 draws the bar for the whole
// map from its own rows.
std::vector<double> ComputeRows(const Ranks& ranks, const MapJob& job, ProgressBar* bar) {
    const std::size_t width = static_cast<std::size_t>(job.side);
    std::vector<double> rows(
        width * static_cast<std::size_t>(RowsOf(ranks.rank(), ranks.size(), job.side)));
    std::size_t done = 0;
    for (int row = ranks.rank(); row < job.side; row += ranks.size()) {
        LmapRow(job.type, job.param, job.side, row, rows.data() + done * width);
        ++done;
        if (bar != nullptr) {
            bar->update(std::min(done * static_cast<std::size_t>(ranks.size()), width),
                        ProgressBar::Clock::now());
        }
    }
    if (bar != nullptr) {
        bar->finish(width, ProgressBar::Clock::now());
    }
    return rows;
}

// Where each rank's rows begin among the gathered ones.
std::vector<std::size_t> RankStarts(int ranks, int side) {
    std::vector<std::size_t> starts(static_cast<std::size_t>(ranks));
    std::size_t start = 0;
    for (int rank = 0; rank < ranks; ++rank) {
        starts[static_cast<std::size_t>(rank)] = start;
        start +=
            static_cast<std::size_t>(RowsOf(rank, ranks, side)) * static_cast<std::size_t>(side);
    }
    return starts;
}

} // namespace

int RunBatchOnRanks(const RenderOptions& options, std::ostream& out, std::ostream& err,
                    bool errIsTerminal) {
    const Ranks ranks;
    if (const int refused = RefuseStrayRank("render", ranks.size(), err)) {
        return refused;
    }
    // Rank 0 alone reads what the options name and writes the files; the
    // other ranks only compute rows of a Lyapunov map.
    std::optional<BatchSession> session;
    int code = 0;
    if (ranks.root()) {
        code = CheckRenderFiles(options, err);
        if (code == 0) {
            session.emplace();
            code = PrepareBatch(options, *session, err);
        }
    }
    if ((code = ranks.Agree(code, "", err)) != 0) {
        return code;
    }
    if (options.lmap) {
        MapJob job;
        if (ranks.root()) {
            job = {type, p[type], res};
        }
        ShareJob(ranks, job);
        const std::unique_ptr<ProgressBar> bar =
            ranks.root()
                ? ShowProgress(options.display, errIsTerminal, err,
                               static_cast<std::uint64_t>(job.side), "rows", options.command)
                : nullptr;
        const std::vector<double> gathered = ranks.GatherToRoot(ComputeRows(ranks, job, bar.get()));
        if (ranks.root()) {
            const std::vector<std::size_t> starts = RankStarts(ranks.size(), job.side);
            const int count = ranks.size();
            SetLmapRows([&](int row, double* exponents) {
                const std::size_t at =
                    starts[static_cast<std::size_t>(row % count)] +
                    static_cast<std::size_t>(row / count) * static_cast<std::size_t>(job.side);
                std::copy_n(gathered.data() + at, job.side, exponents);
            });
            code = FinishBatch(options, *session, out, err, false);
            SetLmapRows({});
        }
    } else if (ranks.root()) {
        // One orbit is one process's work: rank 0 draws it alone.
        code = FinishBatch(options, *session, out, err, errIsTerminal);
    }
    return ranks.Agree(code, "", err);
}

} // namespace orv
