#include "studio/recipe_from_options.h"
#include "studio/frame_options.h"
#include "studio/option_messages.h"
#include "studio/option_ranges.h"

#include "analysis/lyapunov.h"
#include "analysis/search.h"
#include "files/gan.h"
#include "palette/mapfile.h"
#include "palette/palette.h"
#include "render/defaults.h"
#include "render/kernel.h"

#include <algorithm>
#include <utility>

namespace orv {

namespace {

// The picture as the desktop program holds it at start: every type keeps
// its own parameters, view, rotation and method.
struct StartPicture {
    int type = 0;
    PARAM p[kTypes] = {pdef[0], pdef[1], pdef[2], pdef[3]};
    MINMAX mm[kTypes] = {mmdef[0], mmdef[1], mmdef[2], mmdef[3]};
    VOXEL rot[kTypes] = {};
    int order = 0;
    int method[kTypes] = {0, 0, 0, 0};
    std::array<int, 3> background = {kStartBackground[0], kStartBackground[1], kStartBackground[2]};
    std::array<unsigned char, 768> palette{};
    bool ghost = false;

    StartPicture() { std::copy(defpal1, defpal1 + 768, palette.begin()); }

    KernelInputs inputs() const {
        KernelInputs in;
        in.type = type;
        in.param = p[type];
        in.rotation = rot[type];
        in.order = order;
        in.view = mm[type];
        in.res = kStartRes;
        in.ghost = ghost;
        return in;
    }
};

class Reading {
  public:
    explicit Reading(bool warns) : warns_(warns) {}

    void warn(std::string text) {
        if (warns_) {
            result_.messages.push_back(std::move(text));
        }
    }
    bool warns() const { return warns_; }
    // Records the refusal and its reason; returns false for the caller to pass on.
    bool refuse(RecipeRefusal why, std::string text) {
        result_.refusal = why;
        result_.messages.push_back(std::move(text));
        return false;
    }
    RecipeReading take(std::optional<PosterRecipe> recipe) {
        result_.recipe = std::move(recipe);
        return std::move(result_);
    }

  private:
    bool warns_;
    RecipeReading result_;
};

bool Refuse(Reading& reading, std::string text) {
    return reading.refuse(RecipeRefusal::BadInput, std::move(text));
}

bool LoadParameterFile(Reading& reading, const std::string& name, StartPicture& picture) {
    if (const int error = OpenFailure(name)) {
        return Refuse(reading, CannotRead("parameter file", name, error));
    }
    const std::optional<GAN> record = ReadGan(name);
    if (!record) {
        return Refuse(reading, NotAParameterFile(name));
    }
    picture.type = record->type;
    PARAM& q = picture.p[picture.type];
    q.a = record->a;
    q.b = record->b;
    q.c = record->c;
    q.d = record->d;
    q.xstart = record->xstart;
    q.ystart = record->ystart;
    q.zstart = record->zstart;
    picture.background = {record->red, record->green, record->blue};
    picture.rot[picture.type] = VOXEL{record->xrot, record->yrot, record->zrot};
    // A record is taken as stored, but values that are no finite numbers
    // would give a blank picture (and a start point that is none makes every
    // random search fail).
    if (const std::optional<std::string> refused = NotFinite(name, *record)) {
        return Refuse(reading, *refused);
    }
    return true;
}

// Names the value used in place of one given out of its range.
template <typename Value>
void WarnIfClamped(Reading& reading, const char* option, Value given, Value used) {
    if (const std::optional<std::string> warning = ClampWarning(option, given, used)) {
        reading.warn(*warning);
    }
}

// Values brought into their range by clamp, the warnings on those changed
// kept by reading.
template <typename Values, typename Clamp>
Values Warned(Reading& reading, Clamp clamp, const Values& given) {
    Warnings warnings;
    const Values used = clamp(given, warnings);
    for (std::string& warning : warnings) {
        reading.warn(std::move(warning));
    }
    return used;
}

bool ApplyView(Reading& reading, const std::array<double, 4>& given, MINMAX& view) {
    Warnings warnings;
    std::string refusal;
    const std::optional<MINMAX> used = ClampView(given, warnings, refusal);
    if (!used) {
        return Refuse(reading, refusal);
    }
    for (std::string& warning : warnings) {
        reading.warn(std::move(warning));
    }
    view = *used;
    return true;
}

// A built-in palette by number, or a ".map" file read as the Palette
// command reads it.
bool ApplyPalette(Reading& reading, const std::string& choice,
                  std::array<unsigned char, 768>& palette) {
    if (choice == "1" || choice == "2") {
        const unsigned char* entries = choice == "1" ? defpal1 : defpal2;
        std::copy(entries, entries + 768, palette.begin());
        return true;
    }
    if (const int error = OpenFailure(choice)) {
        return Refuse(reading, CannotRead("palette file", choice, error));
    }
    const std::optional<std::array<unsigned char, 768>> read = ReadMap(choice);
    if (!read) {
        return Refuse(reading, NotAPaletteFile(choice));
    }
    palette = *read;
    return true;
}

// The Parameters dialog estimates the exponent of what it was given and
// warns about a set that will hardly give a picture; so does this.
void WarnIfNotChaotic(Reading& reading, const StartPicture& picture) {
    int ghostcount = 0;
    const double exponent = LyapunovOf(RenderKernel(picture.inputs()), ghostcount);
    if (const std::optional<std::string> advisory = NotChaotic(exponent)) {
        reading.warn(*advisory);
    }
}

bool Apply(Reading& reading, const RenderOptions& options, StartPicture& picture) {
    if (options.gan && !LoadParameterFile(reading, *options.gan, picture)) {
        return false;
    }
    if (options.type) {
        picture.type = *options.type;
    }
    PARAM& q = picture.p[picture.type];
    if (options.params) {
        const std::array<double, 4> used = Warned(reading, ClampParameters, *options.params);
        q.a = used[0];
        q.b = used[1];
        q.c = used[2];
        q.d = used[3];
    }
    if (options.start) {
        const std::array<double, 2> start = Warned(reading, ClampStartPoint, *options.start);
        q.xstart = start[0];
        q.ystart = start[1];
    }
    if (options.rotation) {
        const std::array<double, 3> rotation = Warned(reading, ClampRotations, *options.rotation);
        picture.rot[picture.type] = VOXEL{rotation[0], rotation[1], rotation[2]};
    }
    if (options.order) {
        picture.order = *options.order;
    }
    if (options.view && !ApplyView(reading, *options.view, picture.mm[picture.type])) {
        return false;
    }
    if ((options.params || options.start) && reading.warns()) {
        WarnIfNotChaotic(reading, picture);
    }
    if (options.method) {
        picture.method[picture.type] = *options.method;
    }
    if (options.background) {
        const std::array<long, 3> used = Warned(reading, ClampBackground, *options.background);
        picture.background = {static_cast<int>(used[0]), static_cast<int>(used[1]),
                              static_cast<int>(used[2])};
    }
    if (options.palette && !ApplyPalette(reading, *options.palette, picture.palette)) {
        return false;
    }
    if (options.ghost) {
        picture.ghost = true;
    }
    if (options.random) {
        const std::optional<ChaoticSet> found =
            SearchChaotic(picture.inputs(), options.seed.value_or(0));
        if (!found) {
            return reading.refuse(RecipeRefusal::NotFound, kSearchNotFound);
        }
        picture.p[picture.type] = found->param;
    }
    return true;
}

} // namespace

RecipeReading RecipeOfOptions(const RenderOptions& options) {
    Reading reading(options.display != BatchDisplay::Quiet);
    const std::optional<long> side = options.res;
    if (side) {
        WarnIfClamped(reading, "--res", *side, std::max(*side, kLeastPosterSide));
    }
    StartPicture picture;
    if (!Apply(reading, options, picture)) {
        return reading.take(std::nullopt);
    }
    const int type = picture.type;
    if (options.filter && picture.method[type] != 1) {
        reading.refuse(RecipeRefusal::BadInput,
                       "--filter needs the Hit Count colouring method (--method hit-count)");
        return reading.take(std::nullopt);
    }
    PosterRecipe recipe;
    recipe.type = type;
    recipe.param = picture.p[type];
    recipe.rotation = picture.rot[type];
    // Every order other than 0 to 4 turns as "ZYX".
    recipe.order = picture.order >= 0 && picture.order <= 4 ? picture.order : 5;
    recipe.view = picture.mm[type];
    recipe.res = std::max(side.value_or(kStartRes), kLeastPosterSide);
    recipe.method = picture.method[type];
    recipe.palette = picture.palette;
    recipe.background = picture.background;
    recipe.ghost = picture.ghost;
    recipe.filter = options.filter;
    recipe.steps = options.steps;
    recipe.tone = options.tone;
    recipe.transparent = options.transparent;
    return reading.take(recipe);
}

RecipeReading RecipeOfOptions(const PosterOptions& poster) {
    RecipeReading reading = RecipeOfOptions(poster.picture);
    if (reading.recipe) {
        reading.recipe = SizedRecipe(*reading.recipe, poster.frame,
                                     FitMargin(poster.frame, poster.picture, false));
        reading.recipe->orbits = poster.orbits;
        reading.recipe->supersample = poster.supersample;
        reading.recipe->depth = poster.depth;
        reading.recipe->arithmetic =
            poster.exactOrbits ? OrbitArithmetic::Exact : OrbitArithmetic::Lanes;
    }
    return reading;
}

} // namespace orv
