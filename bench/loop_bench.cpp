// Render steps per second through the message loop, with the headless and
// the Qt backend (offscreen), against the render driver called in a plain
// loop on the same main window. The loop should keep at least 85% of the
// plain rate. Rates count the CPU time of the whole process, so that what
// Qt's own threads do for painting is counted too.
#include "platform/headless.h"
#include "platform/qt_backend.h"
#include "platform/window.h"
#include "render/hitcount.h"
#include "render/plot.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/driver.h"
#include "ui/mainwindow.h"
#include "ui/startup.h"
#include "ui/state.h"

#include <QApplication>
#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace orv::bench {
namespace {

constexpr long kStepsPerRun = 100000;

// Counts the loop's turns, each of which looks for input once and takes
// one render step, and ends the loop after a number of them.
template <class Base> class TurnCounting : public Base {
  public:
    void pollEvents() override {
        if (++turns == turnLimit) {
            PostQuitMessage(0);
        }
        Base::pollEvents();
    }
    long turns = 0;
    long turnLimit = 0;
};

QApplication& Application() {
    static int argc = 1;
    static char name[] = "loop_bench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication app(argc, argv);
    return app;
}

// The program as it starts: its main window, rendering on.
void StartProgram() {
    ResetPlatformState();
    ResetRenderState();
    ResetUiState();
    RegisterResources();
    InitWindowClass(nullptr);
    CreateMainWindow(nullptr, SW_SHOWNORMAL);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    DispatchMessageA(&msg);
}

void EndProgram() {
    DestroyWindow(g_hWnd);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    FreeHitCount();
    ResetPlatformState();
    g_hWnd = nullptr;
}

template <class Base> void RunLoop(benchmark::State& state, TurnCounting<Base>& backend) {
    InstallBackend(&backend);
    StartProgram();
    for (auto _ : state) {
        backend.turns = 0;
        backend.turnLimit = kStepsPerRun;
        ProgramDriver();
    }
    state.SetItemsProcessed(state.iterations() * kStepsPerRun);
    EndProgram();
    InstallBackend(nullptr);
}

void BM_plain_fractaldriver(benchmark::State& state) {
    Application();
    StartProgram();
    for (auto _ : state) {
        for (long i = 0; i < kStepsPerRun; ++i) {
            fractaldriver();
        }
    }
    state.SetItemsProcessed(state.iterations() * kStepsPerRun);
    EndProgram();
}
BENCHMARK(BM_plain_fractaldriver)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_ProgramDriver_headless(benchmark::State& state) {
    TurnCounting<HeadlessBackend> backend;
    RunLoop(state, backend);
}
BENCHMARK(BM_ProgramDriver_headless)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_ProgramDriver_qt_offscreen(benchmark::State& state) {
    Application();
    TurnCounting<QtBackend> backend;
    RunLoop(state, backend);
}
BENCHMARK(BM_ProgramDriver_qt_offscreen)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace
} // namespace orv::bench
