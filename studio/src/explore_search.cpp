#include "explore_search.h"

#include "studio/framing.h"
#include "studio/picture_write.h"

#include "files/gan.h"
#include "render/defaults.h"

#include <cstdio>

namespace orv {

namespace {

GAN GanOf(const PosterRecipe& recipe) {
    GAN record = GanRecord(recipe.type, recipe.param, recipe.rotation);
    record.red = recipe.background[0];
    record.green = recipe.background[1];
    record.blue = recipe.background[2];
    record.back = BackgroundColour(record.red, record.green, record.blue);
    return record;
}

} // namespace

std::unique_ptr<Candidate> Search(const PosterRecipe& base, std::optional<double> margin,
                                  std::uint32_t seed, const std::atomic<bool>& stop) {
    auto candidate = std::make_unique<Candidate>();
    candidate->recipe = base;
    KernelInputs inputs;
    inputs.type = base.type;
    inputs.param = base.param;
    inputs.ghost = base.ghost;
    candidate->found = SearchChaotic(inputs, seed);
    if (candidate->found) {
        candidate->recipe.param = candidate->found->param;
        if (margin) {
            candidate->recipe = Framed(candidate->recipe, *margin);
        }
        if (std::optional<CountGrid> grid = RenderGrid(candidate->recipe, stop)) {
            candidate->shape = MeasureShape(*grid);
            candidate->grid.emplace(std::move(*grid));
        }
    }
    return candidate;
}

SaveResult WriteSet(const PosterRecipe& recipe, const CountGrid& grid,
                    const std::string& picturePath, const std::string& ganPath,
                    std::string& failedPath) {
    SafeFile picture;
    SafeFile gan;
    failedPath = picturePath;
    SaveResult result = picture.Open(picturePath);
    if (result == SaveResult::Saved && !WritePicture(recipe, grid, 0, picture)) {
        result = SaveResult::WriteError;
    }
    if (result != SaveResult::Saved) {
        return result;
    }
    failedPath = ganPath;
    unsigned char record[kGanBytes];
    EncodeGan(GanOf(recipe), record);
    if ((result = gan.Open(ganPath)) != SaveResult::Saved) {
        return result;
    }
    if (!gan.Write(record, sizeof record)) {
        return SaveResult::WriteError;
    }
    const SafeFile* failed = nullptr;
    result = CommitBoth(picture, gan, &failed);
    if (failed != nullptr) {
        failedPath = failed->path();
    }
    return result;
}

SaveResult WritePage(const std::string& path, const std::vector<GalleryEntry>& entries,
                     const std::string& title) {
    const std::string page = GalleryPage(entries, title);
    SafeFile file;
    SaveResult result = file.Open(path);
    if (result == SaveResult::Saved && !file.Write(page.data(), page.size())) {
        result = SaveResult::WriteError;
    }
    return result == SaveResult::Saved ? file.Commit() : result;
}

bool SameSet(const PARAM& x, const PARAM& y) {
    return x.a == y.a && x.b == y.b && x.c == y.c && x.d == y.d;
}

std::string SetName(std::size_t number) {
    char name[32];
    std::snprintf(name, sizeof name, "set-%04zu", number);
    return name;
}

} // namespace orv
