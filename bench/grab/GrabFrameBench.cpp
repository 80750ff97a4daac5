// One display frame of the grab engine: live dragging (with the cursor moving
// or pinned) and a throw frame. Events are built and handed to a stream that
// drops them. Run with --benchmark_repetitions=N to see the median.

#include <benchmark/benchmark.h>

#include "app/CompositionRoot.h"
#include "grab/DiscardingPlatform.h"
#include "grab/GrabnDragScroll.h"
#include "platform/sim/SimDesktop.h"

namespace {

using namespace wexo;

enum class Mode { Moving, Pinned, Throw };

void frames(benchmark::State& state, Mode mode) {
    platform::sim::SimDesktop desktop;
    bench::DiscardingPlatform platform(desktop);
    CompositionRoot root(platform);
    auto& settings = SettingsKeeper::shared();
    settings.setGrabAccelNumber(2);
    settings.setIsDisableGrabMoveCursor(mode == Mode::Pinned);
    settings.setIsAnimateThrow(true);
    settings.setThrowDuration(1e9);  // a throw that outlasts the benchmark
    auto& grab = GrabnDragScroll::sharedInstance();
    grab.stopDisplayLink();
    grab.foundNewEvent({500, 500}, 0, 0);
    grab.foundNewDirection(2);
    grab.startDisplayLink();
    grab.foundNewEvent({500, 480}, 0, -20);
    if (mode == Mode::Throw) {
        grab.displayLinkCallback();
        grab.stopScrollWithGrab();
    }
    double y = 480;
    for (auto _ : state) {
        if (mode != Mode::Throw) {
            y = y == 480 ? 470 : 480;
            grab.foundNewEvent({500, y}, 0, -10);
        }
        grab.displayLinkCallback();
    }
    state.SetItemsProcessed(platform.posted());
}

void BM_GrabLiveFrame(benchmark::State& state) {
    frames(state, Mode::Moving);
}
void BM_GrabLiveFramePinned(benchmark::State& state) {
    frames(state, Mode::Pinned);
}
void BM_GrabThrowFrame(benchmark::State& state) {
    frames(state, Mode::Throw);
}

BENCHMARK(BM_GrabLiveFrame);
BENCHMARK(BM_GrabLiveFramePinned);
BENCHMARK(BM_GrabThrowFrame);

}  // namespace

BENCHMARK_MAIN();
