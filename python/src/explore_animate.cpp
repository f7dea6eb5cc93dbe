#include "explore_animate.h"
#include "arrays.h"
#include "errors.h"
#include "interruptible.h"
#include "recipe_binding.h"
#include "rendering.h"

#include "studio/animate.h"
#include "studio/animate_path.h"
#include "studio/explore.h"
#include "studio/explore_options.h"
#include "studio/frame_options.h"
#include "studio/memory.h"

#include <pybind11/stl.h>

#include <vector>

namespace py = pybind11;

namespace orv::python {

namespace {

std::string WholeWord(const char* option, const py::object& value) {
    return std::string("--") + option + "=" + WholeText(option, value);
}

std::vector<Recipe> Explore(const py::object& type, const py::object& count, const py::object& seed,
                            const py::object& threads, const py::object& progress,
                            const py::kwargs& options) {
    py::dict named(options);
    named["type"] = type;
    const OptionWords given = WordsOfOptions(named, "explore");
    std::vector<std::string> words = given.words;
    words.insert(words.end(),
                 {WholeWord("count", count), WholeWord("seed", seed), "--output=explore"});
    const ExploreCommandLine line = ParseExploreOptions(words);
    if (line.action != CommandLineAction::Render) {
        RaiseValueError(line.error);
    }
    const Recipe base = RecipeOfReading(RecipeOfOptions(line.options.thumbnail), given);
    const unsigned workers = ThreadsOf(threads);
    std::vector<Recipe> found;
    SetSearch search;
    RunInterruptible(
        [&](const WorkControl& control) {
            search = SearchSets(
                base.poster,
                FitMargin(line.options.thumbnail.frame, line.options.thumbnail.picture, true),
                line.options.count, line.options.seed, workers, AvailableMemory(),
                [&](const FoundSet& set) {
                    found.push_back(Recipe{set.recipe, set.exponent, set.shape.coverage});
                    control.done = found.size();
                    return true;
                },
                control.stop);
        },
        progress, line.options.count);
    // Passing over a set whose thumbnail found no memory would make the sets
    // found depend on the memory.
    if (search.noMemory) {
        RaiseMemoryError("Not enough memory for the thumbnail of a set found.");
    }
    return found;
}

// The pictures of an animation, drawn as they are asked for. The filter
// scales are made first; each call takes its frame's number before it lets
// go of the GIL, so that threads sharing the iterator draw different frames.
class Frames {
  public:
    Frames(std::vector<PosterRecipe> recipes, bool loops, unsigned threads)
        : recipes_(std::move(recipes)), threads_(threads) {
        std::vector<std::uint32_t> all(recipes_.size());
        for (std::uint32_t i = 0; i < all.size(); ++i) {
            all[i] = i;
        }
        RunInterruptible([&](const WorkControl&) { scales_ = FrameScales(recipes_, all, loops); },
                         py::none(), 0);
    }

    std::size_t size() const { return recipes_.size(); }

    py::array next() {
        if (next_ == recipes_.size()) {
            throw py::stop_iteration();
        }
        const std::size_t index = next_++;
        const PosterRecipe& recipe = recipes_[index];
        const CountGrid grid = RenderCounts(recipe, threads_, py::none());
        return PictureArray(recipe, grid, scales_[index]);
    }

  private:
    std::vector<PosterRecipe> recipes_;
    unsigned threads_;
    std::vector<PixelCount> scales_;
    std::size_t next_ = 0;
};

bool Bool(const char* name, const py::object& value) {
    if (!PyBool_Check(value.ptr())) {
        RaiseTypeError(std::string(name) + ": expected a bool, not " +
                       std::string(py::str(py::type::handle_of(value).attr("__name__"))));
    }
    return value.ptr() == Py_True;
}

Frames MakeFrames(const Recipe& recipe, const std::optional<Recipe>& to, const py::object& turn,
                  const py::object& frames, const py::object& ease, const py::object& keepChaotic,
                  const py::object& threads) {
    std::string error;
    const std::optional<std::uint32_t> many = ReadFrameCount(WholeText("frames", frames), error);
    if (!many) {
        RaiseValueError(error);
    }
    std::optional<int> axis;
    if (!turn.is_none()) {
        if (!PyUnicode_Check(turn.ptr())) {
            RaiseTypeError("turn: expected a str, not " +
                           std::string(py::str(py::type::handle_of(turn).attr("__name__"))));
        }
        axis = ReadTurnAxis(py::str(turn), error);
        if (!axis) {
            RaiseValueError(error);
        }
    }
    const PosterRecipe& last = to ? to->poster : recipe.poster;
    if (last.type != recipe.poster.type) {
        RaiseValueError("to: the recipe holds another attractor type; a morph stays within one "
                        "type");
    }
    const bool eased = Bool("ease", ease);
    const bool keeps = Bool("keep_chaotic", keepChaotic);
    std::optional<PathPlan> plan;
    RunInterruptible(
        [&](const WorkControl&) {
            plan = PlanPath(recipe.poster, last, axis, *many, eased, keeps, std::nullopt);
        },
        py::none(), 0);
    for (const std::string& warning : plan->warnings) {
        Warn(Plain(warning));
    }
    std::vector<PosterRecipe> recipes;
    for (std::uint32_t i = 0; i < *many; ++i) {
        recipes.push_back(FrameRecipe(plan->first, plan->last, axis, *many, i, plan->shape));
    }
    return Frames(std::move(recipes), !to && axis.has_value(), ThreadsOf(threads));
}

} // namespace

void BindExploreAnimate(py::module_& module) {
    module.def("explore", &Explore, py::kw_only(), py::arg("type"), py::arg("count") = 12,
               py::arg("seed") = 1, py::arg("threads") = py::none(),
               py::arg("progress") = py::none(),
               R"(Chaotic sets of one type, found as `orvantis explore` finds them.

A list of up to count recipes, in the order the searches from seed found
them, each with .exponent (the Lyapunov exponent) and .coverage (the share
of its thumbnail's pixels lit); fewer when the searches allowed found fewer.
The other options are the thumbnails' picture options, with explore's
defaults (res=256, steps=400_000, orbits=8, hit-count with the log filter).
progress is called with (sets found, sets asked for).)");
    py::class_<Frames>(module, "Frames", "The pictures of an animation, drawn one by one.")
        .def("__iter__", [](Frames& frames) -> Frames& { return frames; })
        .def("__next__", &Frames::next)
        .def("__len__", &Frames::size);
    module.def("frames", &MakeFrames, py::arg("recipe"), py::kw_only(), py::arg("to") = py::none(),
               py::arg("turn") = py::none(), py::arg("frames"), py::arg("ease") = false,
               py::arg("keep_chaotic") = false, py::arg("threads") = py::none(),
               R"(The pictures of an animation, as `orvantis animate` draws its frames.

An iterator of frames pictures shaped as image() gives them: the parameters,
start, rotation and view moved from recipe's to those of to (a recipe of the
same type), and a full turn about the axis turn ("x", "y" or "z") added; a
turn alone loops. ease slows the start and the end. A morph whose frames
leave chaos warns with their numbers, unless keep_chaotic bends it through
chaotic sets. Filtered frames share a steady brightness.)");
}

} // namespace orv::python
