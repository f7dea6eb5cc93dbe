#include "cli/launcher.h"
#include "cli/poster_run.h"
#include "cli/report.h"
#include "commands.h"
#include "ranks.h"

#include "analysis/workers.h"
#include "studio/poster_render.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace orv {

namespace {

// The recipe's text as one string: keyword and value, each ended by a zero.
std::string Pack(const TextChunks& chunks) {
    std::string packed;
    for (const auto& [keyword, value] : chunks) {
        packed += keyword + '\0' + value + '\0';
    }
    return packed;
}

TextChunks Unpack(const std::string& packed) {
    TextChunks chunks;
    std::size_t at = 0;
    while (at < packed.size()) {
        const std::size_t keyEnd = packed.find('\0', at);
        const std::size_t valueEnd = packed.find('\0', keyEnd + 1);
        chunks.emplace_back(packed.substr(at, keyEnd - at),
                            packed.substr(keyEnd + 1, valueEnd - keyEnd - 1));
        at = valueEnd + 1;
    }
    return chunks;
}

// Sums the counts on rank 0: those of a wide grid as 64-bit numbers, whose
// sums carry into the high 32 bits.
void SumCountsToRoot(const Ranks& ranks, CountGrid& grid) {
    if (grid.highs() == nullptr) {
        ranks.SumToRoot(grid.counts(), grid.pixels());
        return;
    }
    // Whole counts a part at a time, so that no rank needs a second buffer
    // of the grid's size.
    constexpr std::size_t kPart = std::size_t{1} << 21;
    std::vector<PixelCount> counts(std::min(kPart, grid.pixels()));
    for (std::size_t first = 0; first < grid.pixels(); first += kPart) {
        const std::size_t part = std::min(kPart, grid.pixels() - first);
        for (std::size_t i = 0; i < part; ++i) {
            counts[i] = grid.count(first + i);
        }
        ranks.SumToRoot(counts.data(), part);
        for (std::size_t i = 0; i < part; ++i) {
            grid.set(first + i, counts[i]);
        }
    }
}

} // namespace

int RunPosterOnRanks(const PosterOptions& options, std::ostream& out, std::ostream& err,
                     bool errIsTerminal) {
    const Ranks ranks;
    if (const int refused = RefuseStrayRank("poster", ranks.size(), err)) {
        return refused;
    }
    // The other ranks' messages go to rank 0, which writes them.
    std::ostringstream held;
    std::ostream& say = ranks.root() ? err : held;

    // Rank 0 alone reads the files the options name and resolves the recipe;
    // every rank renders the same recipe, read back from its text.
    std::string packed;
    int code = 0;
    if (ranks.root()) {
        PosterRecipe resolved;
        code = ResolvePoster(options, resolved, err);
        packed = Pack(RecipeText(resolved, true));
    }
    if ((code = ranks.Agree(code, "", err)) != 0) {
        return code;
    }
    ranks.Share(packed);
    std::string error;
    const std::optional<PosterRecipe> recipe = ReadRecipe(Unpack(packed), error);
    if (!recipe) {
        say << "orvantis poster: the recipe did not travel whole: " << error << '\n';
    }
    PosterGrid made = recipe ? MakePosterGrid(*recipe) : PosterGrid();
    if (recipe && !made.grid) {
        Reporter(say, options.picture.command)(made.error);
    }
    if ((code = ranks.Agree(made.grid ? 0 : kExitFailure, held.str(), err)) != 0) {
        return code;
    }
    CountGrid& grid = *made.grid;
    const unsigned threads = options.threads.value_or(DefaultThreads());

    const OrbitShare share{static_cast<std::uint32_t>(ranks.rank()),
                           static_cast<std::uint32_t>(ranks.size())};
    std::unique_ptr<ProgressBar> bar;
    if (ranks.root()) {
        bar = PosterBar(options, *recipe, err, errIsTerminal);
    }
    // Rank 0's own orbits stand for the whole job: every rank has about the
    // same share of the steps.
    const double scale =
        static_cast<double>(recipe->steps) /
        static_cast<double>(std::max<std::uint64_t>(1, ShareSteps(*recipe, share)));
    RenderOrbits(
        *recipe, grid, threads, made.spare,
        [&](std::uint64_t done) {
            if (bar) {
                bar->update(static_cast<std::uint64_t>(static_cast<double>(done) * scale),
                            ProgressBar::Clock::now());
            }
        },
        kNeverStop, share);
    SumCountsToRoot(ranks, grid);
    if (grid.values() != nullptr) {
        ranks.SumToRoot(grid.values(), grid.pixels());
    }
    if (bar) {
        bar->finish(recipe->steps, ProgressBar::Clock::now());
    }
    if (ranks.root()) {
        code = WritePoster(options, *recipe, grid, threads, out, err);
    }
    return ranks.Agree(code, held.str(), err);
}

} // namespace orv
