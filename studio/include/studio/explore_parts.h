// An explore run shared by several processes, each with its part K of N of
// the search numbers (the tasks of an array job): each part writes the sets
// it finds into a folder of its own, and the merge makes of the finished
// parts the very sets and page that one run writes.
#pragma once

#include "studio/explore.h"
#include "studio/run_part.h"

#include <atomic>
#include <filesystem>

namespace orv {

// The folder of a part in the run's folder: part-K.
std::filesystem::path PartFolder(const std::filesystem::path& directory, const RunPart& part);

// Searches the part's share of the request's run into the request's folder
// (the part's, made and locked by the caller): each set as search-N.png and
// search-N.gan by its search number, and when the part is done the record
// of them, part.txt, which the merge reads.
ExploreOutcome ExplorePart(const ExploreRequest& request, RunPart part,
                           const ExploreProgress& progress, const std::atomic<bool>& stop);

// Makes of the finished parts in directory the sets and page one run makes,
// searching itself the few numbers a part passed over that the run needs
// after all (a part stops at its own count of sets, which the others' may
// repeat); the parts' folders go once the page is written. A folder whose
// parts are missing, unfinished or of different runs ends with BadParts and
// the reason.
ExploreOutcome MergeParts(const std::filesystem::path& directory, const std::atomic<bool>& stop);

} // namespace orv
