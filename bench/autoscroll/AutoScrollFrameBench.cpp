// One display frame of the auto-scroll engine: live scrolling (plain and with
// super slow-down) and a release frame, reading the pointer through the
// overlay window. Events are built and handed to a stream that drops them.
// Run with --benchmark_repetitions=N to see the median.

#include <benchmark/benchmark.h>

#include "app/CompositionRoot.h"
#include "autoscroll/AutoScroll.h"
#include "events/ApplicationLink.h"
#include "grab/DiscardingPlatform.h"
#include "platform/sim/SimDesktop.h"

namespace {

using namespace wexo;

enum class Mode { Live, SuperSlowDown, Release };

void frames(benchmark::State& state, Mode mode) {
    platform::sim::SimDesktop desktop;
    bench::DiscardingPlatform platform(desktop);
    CompositionRoot root(platform);
    auto& settings = SettingsKeeper::shared();
    settings.setAutoScrollAccelNumber(10);
    settings.setAutoScrollSuperSlowDownNumber(mode == Mode::SuperSlowDown ? 10 : 0);
    settings.setIsAnimateRelease(true);
    settings.setReleaseDuration(1e9);  // a release that outlasts the benchmark
    auto& engine = AutoScroll::sharedInstance();
    desktop.simEventStream().setPointer({800, 500});
    engine.startDisplayLinkWithPoint(
        applicationLink()->gestureWindow().mouseLocationOutsideOfEventStream());
    desktop.simEventStream().setPointer({800, 385});  // 115 points above
    engine.displayLinkCallback();
    if (mode == Mode::Release) engine.stopDisplayLink();
    for (auto _ : state) engine.displayLinkCallback();
    state.SetItemsProcessed(platform.posted());
}

void BM_AutoScrollLiveFrame(benchmark::State& state) {
    frames(state, Mode::Live);
}
void BM_AutoScrollSuperSlowDownFrame(benchmark::State& state) {
    frames(state, Mode::SuperSlowDown);
}
void BM_AutoScrollReleaseFrame(benchmark::State& state) {
    frames(state, Mode::Release);
}

BENCHMARK(BM_AutoScrollLiveFrame);
BENCHMARK(BM_AutoScrollSuperSlowDownFrame);
BENCHMARK(BM_AutoScrollReleaseFrame);

}  // namespace

BENCHMARK_MAIN();
