#include "studio/explore_parts.h"

#include "explore_search.h"
#include "studio/explore_commands.h"

#include "analysis/workers.h"
#include "files/gan.h"
#include "render/types.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace orv {

namespace {

constexpr const char* kRecordName = "part.txt";

// A number as text that reads back to the same bits.
std::string Exact(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

struct PartSet {
    double exponent = 0.0;
    double coverage = 0.0;
    PARAM param;
};

// What a finished part found, as its record tells.
struct PartRecord {
    RunPart part;
    std::uint32_t count = 0;
    std::uint32_t seed = 0;
    std::uint64_t next = 0;
    std::string margin;
    std::string look;
    TextChunks recipe;
    std::map<std::uint64_t, PartSet> sets; // by search number
};

std::string SetLine(std::uint64_t index, double exponent, double coverage, const PARAM& q) {
    std::string line = "set " + std::to_string(index);
    for (double value : {exponent, coverage, q.a, q.b, q.c, q.d, q.xstart, q.ystart, q.zstart}) {
        line += ' ' + Exact(value);
    }
    return line + '\n';
}

std::string SearchName(std::uint64_t index) {
    return "search-" + std::to_string(index);
}

std::optional<PartRecord> ReadRecord(const std::filesystem::path& file) {
    std::ifstream in(file);
    PartRecord record;
    std::string header;
    if (!std::getline(in, header) ||
        std::sscanf(header.c_str(), "orvantis explore part %u of %u", &record.part.index,
                    &record.part.count) != 2 ||
        record.part.index < 1 || record.part.index > record.part.count) {
        return std::nullopt;
    }
    --record.part.index;
    for (std::string line; std::getline(in, line);) {
        const std::size_t space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (key == "count") {
            record.count = static_cast<std::uint32_t>(std::strtoul(rest.c_str(), nullptr, 10));
        } else if (key == "seed") {
            record.seed = static_cast<std::uint32_t>(std::strtoul(rest.c_str(), nullptr, 10));
        } else if (key == "next") {
            record.next = std::strtoull(rest.c_str(), nullptr, 10);
        } else if (key == "margin") {
            record.margin = rest;
        } else if (key == "look") {
            record.look = rest;
        } else if (key == "recipe") {
            const std::size_t tab = rest.find('\t');
            if (tab == std::string::npos) {
                return std::nullopt;
            }
            record.recipe.emplace_back(rest.substr(0, tab), rest.substr(tab + 1));
        } else if (key == "set") {
            std::istringstream values(rest);
            std::uint64_t index = 0;
            std::string text[9];
            if (!(values >> index)) {
                return std::nullopt;
            }
            double number[9];
            for (int i = 0; i < 9; ++i) {
                if (!(values >> text[i])) {
                    return std::nullopt;
                }
                number[i] = std::strtod(text[i].c_str(), nullptr);
            }
            record.sets[index] = PartSet{
                number[0], number[1],
                PARAM{number[6], number[7], number[8], number[2], number[3], number[4], number[5]}};
        } else {
            return std::nullopt;
        }
    }
    return record;
}

bool SameRun(const PartRecord& x, const PartRecord& y) {
    return x.part.count == y.part.count && x.count == y.count && x.seed == y.seed &&
           x.margin == y.margin && x.look == y.look && x.recipe == y.recipe;
}

ExploreOutcome Ended(ExploreEnd end, std::string error) {
    ExploreOutcome outcome;
    outcome.end = end;
    outcome.error = std::move(error);
    return outcome;
}

} // namespace

std::filesystem::path PartFolder(const std::filesystem::path& directory, const RunPart& part) {
    return directory / ("part-" + std::to_string(part.index + 1));
}

ExploreOutcome ExplorePart(const ExploreRequest& request, RunPart part,
                           const ExploreProgress& progress, const std::atomic<bool>& stop) {
    ExploreOutcome outcome;
    const std::filesystem::path& directory = request.directory;
    std::string sets;
    std::uint64_t written = 0;
    if (progress.begin) {
        progress.begin();
    }
    const auto take = [&](const FoundSet& set) {
        const std::string name = SearchName(set.index);
        std::string failedPath;
        const SaveResult result =
            WriteSet(set.recipe, set.grid, (directory / (name + ".png")).string(),
                     (directory / (name + ".gan")).string(), failedPath);
        if (result != SaveResult::Saved) {
            outcome.end = ExploreEnd::SaveFailed;
            outcome.error = std::string(SaveErrorText(result)) + " (" + failedPath + ")";
            return false;
        }
        sets += SetLine(set.index, set.exponent, set.shape.coverage, set.recipe.param);
        ++written;
        if (progress.step) {
            progress.step(written);
        }
        return true;
    };
    const SetSearch search =
        SearchSets(request.base, request.margin, request.count, request.seed,
                   request.threads.value_or(DefaultThreads()), request.memory, take, stop, part);
    outcome.searches = search.searches;
    outcome.degenerate = search.degenerate;
    outcome.written = written;
    if (search.noMemory) {
        outcome.end = ExploreEnd::SaveFailed;
        outcome.error = std::string(SaveErrorText(SaveResult::NoMemory)) + " (" +
                        (directory / (SearchName(search.next) + ".png")).string() + ")";
    }
    if (outcome.end == ExploreEnd::SaveFailed) {
        return outcome;
    }
    if (stop) {
        outcome.end = ExploreEnd::Stopped;
        return outcome;
    }
    std::string record = "orvantis explore part " + std::to_string(part.index + 1) + " of " +
                         std::to_string(part.count) + "\ncount " + std::to_string(request.count) +
                         "\nseed " + std::to_string(request.seed) + "\nnext " +
                         std::to_string(search.next) + "\nmargin " +
                         (request.margin ? Exact(*request.margin) : "none") + "\nlook " +
                         LookOptions(request.base, request.margin, request.palette) + '\n';
    for (const auto& [key, value] : RecipeText(request.base, true)) {
        record += "recipe " + key + '\t' + value + '\n';
    }
    record += sets;
    const std::string path = (directory / kRecordName).string();
    SafeFile file;
    SaveResult result = file.Open(path);
    if (result == SaveResult::Saved && !file.Write(record.data(), record.size())) {
        result = SaveResult::WriteError;
    }
    if (result == SaveResult::Saved) {
        result = file.Commit();
    }
    if (result != SaveResult::Saved) {
        outcome.end = ExploreEnd::SaveFailed;
        outcome.error = std::string(SaveErrorText(result)) + " (" + path + ")";
        return outcome;
    }
    outcome.end = ExploreEnd::Found;
    return outcome;
}

ExploreOutcome MergeParts(const std::filesystem::path& directory, const std::atomic<bool>& stop) {
    const std::optional<PartRecord> first = ReadRecord(PartFolder(directory, {0, 1}) / kRecordName);
    if (!first) {
        return Ended(ExploreEnd::BadParts, "the folder '" + directory.string() +
                                               "' holds no finished part 1 of an explore run");
    }
    const std::uint32_t parts = first->part.count;
    std::vector<PartRecord> records;
    for (std::uint32_t k = 0; k < parts; ++k) {
        std::optional<PartRecord> record =
            ReadRecord(PartFolder(directory, {k, parts}) / kRecordName);
        if (!record || record->part.index != k || !SameRun(*record, *first)) {
            return Ended(ExploreEnd::BadParts,
                         "part " + std::to_string(k + 1) + " of " + std::to_string(parts) +
                             " in '" + directory.string() +
                             "' is missing, unfinished or of another run; run it again with "
                             "--part " +
                             std::to_string(k + 1) + "/" + std::to_string(parts));
        }
        records.push_back(std::move(*record));
    }
    std::string error;
    const std::optional<PosterRecipe> base = ReadRecipe(first->recipe, error);
    if (!base) {
        return Ended(ExploreEnd::BadParts, "the record of part 1 is damaged: " + error);
    }
    const std::optional<double> margin =
        first->margin == "none"
            ? std::nullopt
            : std::optional<double>(std::strtod(first->margin.c_str(), nullptr));

    ExploreOutcome outcome;
    std::vector<GalleryEntry> entries;
    std::vector<PARAM> accepted;
    const std::uint64_t searches = kSearchesPerSet * first->count;
    outcome.searches = searches;
    for (std::uint64_t i = 0; i < searches && entries.size() < first->count; ++i) {
        PartRecord& record = records[i % parts];
        const std::filesystem::path folder = PartFolder(directory, record.part);
        if (i >= record.next) {
            // A number the part passed over once it had its own count of
            // sets: this run needs it, as other parts' sets repeated some.
            const std::unique_ptr<Candidate> candidate =
                Search(*base, margin, SearchSeed(first->seed, i), stop);
            if (stop) {
                outcome.end = ExploreEnd::Stopped;
                return outcome;
            }
            if (candidate->found && !candidate->grid) {
                return Ended(ExploreEnd::SaveFailed,
                             std::string(SaveErrorText(SaveResult::NoMemory)) + " (" +
                                 (folder / (SearchName(i) + ".png")).string() + ")");
            }
            if (candidate->found && candidate->grid &&
                Degenerate(candidate->shape, margin.has_value()).empty()) {
                std::string failedPath;
                const SaveResult result =
                    WriteSet(candidate->recipe, *candidate->grid,
                             (folder / (SearchName(i) + ".png")).string(),
                             (folder / (SearchName(i) + ".gan")).string(), failedPath);
                if (result != SaveResult::Saved) {
                    return Ended(ExploreEnd::SaveFailed,
                                 std::string(SaveErrorText(result)) + " (" + failedPath + ")");
                }
                record.sets[i] = PartSet{candidate->found->exponent, candidate->shape.coverage,
                                         candidate->found->param};
            }
        }
        const auto found = record.sets.find(i);
        if (found == record.sets.end() ||
            std::any_of(accepted.begin(), accepted.end(),
                        [&](const PARAM& set) { return SameSet(set, found->second.param); })) {
            continue;
        }
        const std::string name = SetName(entries.size() + 1);
        for (const char* ending : {".png", ".gan"}) {
            std::error_code failure;
            std::filesystem::rename(folder / (SearchName(i) + ending), directory / (name + ending),
                                    failure);
            if (failure) {
                return Ended(ExploreEnd::SaveFailed,
                             "cannot move '" + (folder / (SearchName(i) + ending)).string() +
                                 "': " + failure.message());
            }
        }
        accepted.push_back(found->second.param);
        entries.push_back(GalleryEntry{name + ".png", name + ".gan", base->type,
                                       found->second.param, found->second.exponent,
                                       found->second.coverage, base->res, first->look});
    }
    const std::string title =
        std::string(typeNames[base->type]) + " attractors from seed " + std::to_string(first->seed);
    outcome.pagePath = (directory / "index.html").string();
    const SaveResult result = WritePage(outcome.pagePath, entries, title);
    if (result != SaveResult::Saved) {
        return Ended(ExploreEnd::SaveFailed,
                     std::string(SaveErrorText(result)) + " (" + outcome.pagePath + ")");
    }
    for (const PartRecord& record : records) {
        std::error_code ignored;
        std::filesystem::remove_all(PartFolder(directory, record.part), ignored);
    }
    outcome.written = entries.size();
    outcome.pageWritten = true;
    outcome.end = entries.size() == first->count ? ExploreEnd::Found : ExploreEnd::NotFound;
    return outcome;
}

} // namespace orv
