#include "studio/poster_orbits.h"
#include "studio/lane_isa.h"

#include "orbit_lanes.h"

#include "analysis/random.h"
#include "analysis/workers.h"
#include "render/colouring.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace orv {

namespace {

// Steps between two reports of progress.
constexpr std::uint64_t kStepsPerReport = 1 << 16;

// How many counts wait, their pixel already being fetched from memory, while
// the next points are computed.
constexpr std::size_t kPipeline = 16;

// A number in [-1e-9, 1e-9) from the top 53 bits of a mixed value.
double Offset(std::uint64_t mixed) {
    return (static_cast<double>(mixed >> 11) * 0x1.0p-53 - 0.5) * 2e-9;
}

// Adds one to a count; where its low 32 bits wrap round, to its high ones.
template <bool Shared> void Increment(std::uint32_t& count, std::uint32_t* high) {
    if constexpr (Shared) {
        if (std::atomic_ref<std::uint32_t>(count).fetch_add(1, std::memory_order_relaxed) ==
                UINT32_MAX &&
            high != nullptr) {
            std::atomic_ref<std::uint32_t>(*high).fetch_add(1, std::memory_order_relaxed);
        }
    } else if (++count == 0 && high != nullptr) {
        ++*high;
    }
}

template <bool Shared> void Accumulate(std::uint64_t& sum, std::uint64_t value) {
    if constexpr (Shared) {
        std::atomic_ref<std::uint64_t>(sum).fetch_add(value, std::memory_order_relaxed);
    } else {
        sum += value;
    }
}

// Counts the points of a stretch of an orbit. Method is the colouring
// method: 0 Speed and 2 Z-Plane also sum each point's value.
template <int Method, bool Shared> class Counter {
  public:
    explicit Counter(const CountGrid& grid)
        : counts_(grid.counts()), highs_(grid.highs()), values_(grid.values()),
          width_(static_cast<unsigned>(grid.width())),
          height_(static_cast<unsigned>(grid.height())) {}

    ~Counter() {
        for (std::size_t i = 0; i < waiting_; ++i) {
            apply(queue_[i]);
        }
    }
    Counter(const Counter&) = delete;
    Counter& operator=(const Counter&) = delete;

    void run(const RenderKernel& kernel, KernelState& state, std::uint64_t steps) {
        for (std::uint64_t i = 0; i < steps; ++i) {
            const VOXEL old = state.point;
            const Pixel pixel = kernel.step(state);
            count(pixel, state.point, old);
        }
    }

    // Counts the point now, reached from old, at pixel.
    [[gnu::always_inline]] void count(Pixel pixel, const VOXEL& now, const VOXEL& old) {
        if (static_cast<unsigned>(pixel.x) >= width_ || static_cast<unsigned>(pixel.y) >= height_) {
            return;
        }
        const std::size_t at =
            static_cast<std::size_t>(pixel.y) * width_ + static_cast<std::size_t>(pixel.x);
        std::uint64_t value = 0;
        if constexpr (Method == 0) {
            const double index = SpeedPosition(SpeedJump(now, old));
            value = static_cast<std::uint64_t>(index * kValueUnit);
        } else if constexpr (Method == 2) {
            const double height = ZPlaneHeight(now);
            if (!(height <= 255.0)) {
                return;
            }
            value = static_cast<std::uint64_t>(height * kValueUnit);
        }
        push({at, value});
    }

  private:
    struct Hit {
        std::size_t at;
        std::uint64_t value;
    };

    // The count waits in the queue while its pixel is fetched; the oldest
    // one is applied to make room.
    void push(Hit hit) {
        __builtin_prefetch(&counts_[hit.at], 1);
        if constexpr (Method != 1) {
            __builtin_prefetch(&values_[hit.at], 1);
        }
        if (waiting_ < kPipeline) {
            queue_[waiting_++] = hit;
            return;
        }
        apply(queue_[next_]);
        queue_[next_] = hit;
        next_ = (next_ + 1) % kPipeline;
    }

    void apply(const Hit& hit) {
        Increment<Shared>(counts_[hit.at], highs_ == nullptr ? nullptr : &highs_[hit.at]);
        if constexpr (Method != 1) {
            Accumulate<Shared>(values_[hit.at], hit.value);
        }
    }

    std::uint32_t* counts_;
    std::uint32_t* highs_;
    std::uint64_t* values_;
    unsigned width_;
    unsigned height_;
    Hit queue_[kPipeline] = {};
    std::size_t waiting_ = 0;
    std::size_t next_ = 0;
};

template <int Method, bool Shared>
void RunOrbit(const RenderKernel& kernel, const PosterRecipe& recipe, std::uint32_t orbit,
              KernelState state, const CountGrid& grid, std::atomic<std::uint64_t>& done,
              const std::atomic<bool>& stop) {
    std::uint64_t steps = OrbitSteps(recipe, orbit);
    // The first orbit's first step is the desktop program's: never plotted.
    // The others settle on the attractor first.
    const std::uint64_t uncounted =
        orbit == 0 ? std::min<std::uint64_t>(steps, 1) : kTransientSteps;
    for (std::uint64_t i = 0; i < uncounted; ++i) {
        kernel.step(state);
    }
    if (orbit == 0) {
        steps -= uncounted;
        done.fetch_add(uncounted, std::memory_order_relaxed);
    }
    Counter<Method, Shared> counter(grid);
    while (steps > 0 && !stop.load(std::memory_order_relaxed)) {
        const std::uint64_t stretch = std::min(steps, kStepsPerReport);
        counter.run(kernel, state, stretch);
        steps -= stretch;
        done.fetch_add(stretch, std::memory_order_relaxed);
    }
}

// A share of the work of one thread at a time: one orbit on the exact step,
// or as many orbits side by side as the lanes hold (the kth orbits of the
// share from first on).
struct Unit {
    std::uint32_t first = 0;
    std::uint32_t count = 1;
    bool lanes = false;
};

// The lanes' path and what they step through.
struct LaneRun {
    AdvanceLanes advance = nullptr;
    unsigned width = 1;
    LaneMap map;
};

AdvanceLanes Advance(LaneIsa isa) {
    switch (isa) {
    case LaneIsa::Scalar:
        return AdvanceScalarLanes;
    case LaneIsa::Sse2:
        return AdvanceSse2Lanes;
    case LaneIsa::Avx2:
        return AdvanceAvx2Lanes;
    default:
        return AdvanceAvx512Lanes;
    }
}

LaneMap LaneMapOf(const RenderKernel& kernel, int method) {
    const KernelInputs& inputs = kernel.inputs();
    LaneMap map;
    map.type = inputs.type;
    map.a = inputs.param.a;
    map.b = inputs.param.b;
    map.c = inputs.param.c;
    map.d = inputs.param.d;
    map.ghost = inputs.ghost;
    map.depth = method == 2 || kernel.rotation().turns();
    map.project = !kernel.rotation().turns();
    map.xmin = inputs.view.xmin;
    map.xmax = inputs.view.xmax;
    map.ymin = inputs.view.ymin;
    map.ymax = inputs.view.ymax;
    map.res = inputs.res;
    map.rows = inputs.rows();
    return map;
}

// Runs the orbits side by side, each from its start, through its transient
// steps and then its counted ones. Lanes beyond the orbits run the last one
// again, uncounted.
template <int Method, bool Shared>
void RunLanes(const LaneRun& run, const RenderKernel& kernel, const PosterRecipe& recipe,
              const std::uint32_t* orbits, unsigned count, const std::vector<KernelState>& starts,
              const CountGrid& grid, std::atomic<std::uint64_t>& done,
              const std::atomic<bool>& stop) {
    static_assert(kLaneFarAway == kFarAway);
    const unsigned width = run.width;
    LaneState state;
    std::uint64_t steps[kMostLanes] = {};
    std::uint64_t longest = 0;
    for (unsigned lane = 0; lane < width; ++lane) {
        const std::uint32_t orbit = orbits[std::min(lane, count - 1)];
        const KernelState& start = starts[orbit];
        state.x[lane] = start.point.x;
        state.y[lane] = start.point.y;
        state.z[lane] = start.point.z;
        state.ghostcount[lane] = start.step == 0 ? 0 : start.ghostcount;
        steps[lane] = lane < count ? OrbitSteps(recipe, orbit) : 0;
        longest = std::max(longest, steps[lane]);
    }
    LaneTrack track;
    for (std::uint64_t taken = 0; taken < kTransientSteps; taken += kTrackSteps) {
        run.advance(
            run.map, state,
            static_cast<unsigned>(std::min<std::uint64_t>(kTrackSteps, kTransientSteps - taken)),
            track);
    }
    Counter<Method, Shared> counter(grid);
    VOXEL before[kMostLanes];
    for (unsigned lane = 0; lane < width; ++lane) {
        before[lane] = VOXEL{state.x[lane], state.y[lane], state.z[lane]};
    }
    const std::uint64_t stretch = kStepsPerReport / width;
    for (std::uint64_t at = 0; at < longest && !stop.load(std::memory_order_relaxed);) {
        const std::uint64_t end = std::min(longest, at + stretch);
        std::uint64_t counted = 0;
        for (unsigned lane = 0; lane < count; ++lane) {
            counted += std::min(end, std::max(at, steps[lane])) - at;
        }
        for (unsigned taken = 0; at < end; at += taken) {
            taken = static_cast<unsigned>(std::min<std::uint64_t>(kTrackSteps, end - at));
            run.advance(run.map, state, taken, track);
            for (unsigned step = 0; step < taken; ++step) {
                for (unsigned lane = 0; lane < count; ++lane) {
                    const unsigned i = step * width + lane;
                    const VOXEL now{track.x[i], track.y[i], track.z[i]};
                    if (at + step < steps[lane]) {
                        counter.count(run.map.project ? Pixel{track.column[i], track.row[i]}
                                                      : kernel.pixel(now),
                                      now, before[lane]);
                    }
                    before[lane] = now;
                }
            }
        }
        done.fetch_add(counted, std::memory_order_relaxed);
    }
}

template <bool Shared>
void RunUnitBy(int method, const LaneRun& lanes, const RenderKernel& kernel,
               const PosterRecipe& recipe, const std::uint32_t* orbits, const Unit& unit,
               const std::vector<KernelState>& starts, const CountGrid& grid,
               std::atomic<std::uint64_t>& done, const std::atomic<bool>& stop) {
    const std::uint32_t* first = orbits + unit.first;
    if (unit.lanes) {
        switch (method) {
        case 0:
            RunLanes<0, Shared>(lanes, kernel, recipe, first, unit.count, starts, grid, done, stop);
            break;
        case 1:
            RunLanes<1, Shared>(lanes, kernel, recipe, first, unit.count, starts, grid, done, stop);
            break;
        default:
            RunLanes<2, Shared>(lanes, kernel, recipe, first, unit.count, starts, grid, done, stop);
            break;
        }
        return;
    }
    switch (method) {
    case 0:
        RunOrbit<0, Shared>(kernel, recipe, *first, starts[*first], grid, done, stop);
        break;
    case 1:
        RunOrbit<1, Shared>(kernel, recipe, *first, starts[*first], grid, done, stop);
        break;
    default:
        RunOrbit<2, Shared>(kernel, recipe, *first, starts[*first], grid, done, stop);
        break;
    }
}

// The units of the share's orbits: under Lanes, orbit 0 alone on the exact
// step and the others in groups of width.
std::vector<Unit> Units(const PosterRecipe& recipe, OrbitShare share, std::uint32_t mine,
                        unsigned width) {
    std::vector<Unit> units;
    const bool lanes = recipe.arithmetic == OrbitArithmetic::Lanes;
    std::uint32_t next = 0;
    if (!lanes || share.index == 0) {
        units.push_back({0, 1, false});
        next = 1;
    }
    for (; next < mine; next += lanes ? width : 1) {
        units.push_back({next, lanes ? std::min<std::uint32_t>(width, mine - next) : 1, lanes});
    }
    return units;
}

// The lanes' path: the one ORVANTIS_ISA names, else the widest that still
// gives each thread a unit of its own.
LaneIsa PathFor(const PosterRecipe& recipe, OrbitShare share, std::uint32_t mine,
                unsigned threads) {
    const char* requested = std::getenv("ORVANTIS_ISA");
    if (requested != nullptr && *requested != '\0') {
        if (const std::optional<LaneIsa> forced = ChooseLaneIsa(requested).isa) {
            return *forced;
        }
    }
    LaneIsa isa = WidestLaneIsa();
    while (isa != LaneIsa::Scalar && Units(recipe, share, mine, LaneWidth(isa)).size() < threads) {
        isa = static_cast<LaneIsa>(static_cast<int>(isa) - 1);
    }
    return isa;
}

} // namespace

std::uint64_t OrbitSteps(const PosterRecipe& recipe, std::uint32_t orbit) {
    return recipe.steps / recipe.orbits + (orbit < recipe.steps % recipe.orbits ? 1 : 0);
}

std::vector<KernelState> OrbitStarts(const RenderKernel& kernel, std::uint32_t orbits) {
    std::vector<KernelState> starts;
    starts.reserve(orbits);
    starts.push_back(kernel.start());
    KernelState seed = kernel.start();
    for (std::uint32_t orbit = 1; orbit < orbits; ++orbit) {
        for (std::uint64_t i = 0; i < kSeedSpacing; ++i) {
            kernel.step(seed);
        }
        KernelState start = seed;
        const std::uint64_t mixed = SplitMix64(orbit);
        start.point.x += Offset(mixed);
        start.point.y += Offset(SplitMix64(mixed));
        starts.push_back(start);
    }
    return starts;
}

KernelInputs PosterInputs(const PosterRecipe& recipe) {
    KernelInputs inputs;
    inputs.type = recipe.type;
    inputs.param = recipe.param;
    inputs.rotation = recipe.rotation;
    inputs.order = recipe.order;
    inputs.view = recipe.view;
    inputs.res = static_cast<int>(recipe.res * recipe.supersample);
    inputs.ghost = recipe.ghost;
    if (recipe.height > 0) {
        inputs.height = static_cast<int>(recipe.height * recipe.supersample);
    }
    return inputs;
}

std::uint64_t ShareSteps(const PosterRecipe& recipe, OrbitShare share) {
    std::uint64_t steps = 0;
    for (std::uint32_t orbit = share.index; orbit < recipe.orbits; orbit += share.count) {
        steps += OrbitSteps(recipe, orbit);
    }
    return steps;
}

OrbitsEnd RenderOrbits(const PosterRecipe& recipe, CountGrid& grid, unsigned threads,
                       std::uint64_t spareBytes, const std::function<void(std::uint64_t)>& progress,
                       const std::atomic<bool>& stop, OrbitShare share) {
    if (share.index >= recipe.orbits) {
        return OrbitsEnd::Done;
    }
    const std::uint32_t mine = (recipe.orbits - share.index - 1) / share.count + 1;
    const RenderKernel kernel(PosterInputs(recipe));
    const std::vector<KernelState> starts = OrbitStarts(kernel, recipe.orbits);
    std::vector<std::uint32_t> orbits(mine);
    for (std::uint32_t taken = 0; taken < mine; ++taken) {
        orbits[taken] = share.index + taken * share.count;
    }
    const LaneIsa isa = PathFor(recipe, share, mine, std::max(threads, 1u));
    const LaneRun lanes{Advance(isa), LaneWidth(isa), LaneMapOf(kernel, recipe.method)};
    const std::vector<Unit> units = Units(recipe, share, mine, lanes.width);
    const auto unitCount = static_cast<std::uint32_t>(units.size());
    const unsigned workers = std::clamp(threads, 1u, unitCount);
    const bool withValues = grid.values() != nullptr;
    // Where memory allows, every thread but the first counts into a grid of
    // its own: plain additions then replace atomic ones, which stall the
    // processor. The grids are added up at the end.
    std::vector<CountGrid> own;
    const bool wide = grid.highs() != nullptr;
    const std::uint64_t gridBytes = grid.pixels() * CountGrid::BytesPerPixel(withValues, wide);
    if (workers > 1 && gridBytes * (workers - 1) <= spareBytes) {
        for (unsigned i = 1; i < workers; ++i) {
            std::optional<CountGrid> made =
                CountGrid::Make(grid.width(), grid.height(), withValues, wide);
            if (!made) {
                own.clear();
                break;
            }
            own.push_back(std::move(*made));
        }
    }
    const bool shared = workers > 1 && own.empty();
    std::atomic<std::uint32_t> nextUnit{0};
    std::atomic<std::uint64_t> done{0};
    std::mutex mutex;
    std::condition_variable finished;
    unsigned running = workers;

    auto work = [&](unsigned worker) {
        const CountGrid& target = worker == 0 || shared ? grid : own[worker - 1];
        for (std::uint32_t taken = nextUnit++;
             taken < unitCount && !stop.load(std::memory_order_relaxed); taken = nextUnit++) {
            if (shared) {
                RunUnitBy<true>(recipe.method, lanes, kernel, recipe, orbits.data(), units[taken],
                                starts, target, done, stop);
            } else {
                RunUnitBy<false>(recipe.method, lanes, kernel, recipe, orbits.data(), units[taken],
                                 starts, target, done, stop);
            }
        }
    };
    {
        // The orbits go to whichever threads the system starts; where it
        // starts none, the calling thread runs them all. The counts are the
        // same either way.
        const std::vector<std::jthread> pool = StartThreads(workers, [&](unsigned worker) {
            work(worker);
            const std::lock_guard lock(mutex);
            --running;
            finished.notify_one();
        });
        if (pool.empty()) {
            work(0);
        }
        std::unique_lock lock(mutex);
        running -= workers - static_cast<unsigned>(pool.size());
        while (!finished.wait_for(lock, std::chrono::milliseconds(100),
                                  [&] { return running == 0; })) {
            lock.unlock();
            progress(done.load(std::memory_order_relaxed));
            lock.lock();
        }
    }
    if (done.load(std::memory_order_relaxed) < ShareSteps(recipe, share)) {
        return OrbitsEnd::Stopped;
    }
    if (own.empty()) {
        return OrbitsEnd::Done;
    }
    // Whole numbers add up the same in any order: the stripes go to the
    // calling thread and whichever helpers start.
    const std::size_t stripe = (grid.pixels() + workers - 1) / workers;
    std::atomic<unsigned> nextStripe{0};
    auto add = [&](unsigned) {
        for (unsigned taken = nextStripe++; taken < workers; taken = nextStripe++) {
            const std::size_t first = taken * stripe;
            const std::size_t last = std::min(grid.pixels(), first + stripe);
            for (const CountGrid& from : own) {
                for (std::size_t pixel = first; !wide && pixel < last; ++pixel) {
                    grid.counts()[pixel] += from.counts()[pixel];
                }
                for (std::size_t pixel = first; wide && pixel < last; ++pixel) {
                    grid.set(pixel, grid.count(pixel) + from.count(pixel));
                }
                for (std::size_t pixel = first; withValues && pixel < last; ++pixel) {
                    grid.values()[pixel] += from.values()[pixel];
                }
            }
        }
    };
    const std::vector<std::jthread> adders = StartThreads(workers - 1, add);
    add(0);
    return OrbitsEnd::Done;
}

} // namespace orv
