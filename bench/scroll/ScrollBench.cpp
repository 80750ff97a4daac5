// The scroll engine's per-event and per-frame costs: the wheel tap with the
// settings in force (every notch of a running animation), the wheel tap
// resolving the settings (a walk of the window list; 10 and 200 windows with
// the pointer over the back-most one), and one animation frame. What the
// engine posts is kept aside rather than delivered, so that the desktop's own
// delivery is not measured. Run with --benchmark_repetitions=N to see the
// median; the "allocs" counter is allocations per iteration.

#include <benchmark/benchmark.h>

#include "app/CompositionRoot.h"
#include "scroll/CountingNew.h"
#include "scroll/QuietPostPlatform.h"
#include "scroll/ScrollAnimation.h"
#include "settings/DisplaysManager.h"
#include "settings/SettingsKeeper.h"

namespace {

using namespace wexo;
using platform::Event;
using platform::Rect;

// A desktop with `windows` windows of as many applications, the pointer over
// the back-most one only, and the program on it.
struct Bench {
    explicit Bench(int windows, SingleScrollSettingsObject settings) {
        std::vector<platform::RunningApplication> apps;
        std::vector<platform::sim::SimWindow> list;
        for (int i = 0; i < windows; ++i) {
            platform::RunningApplication a;
            a.pid = 1000 + i;
            a.bundleIdentifier = "com.example.App" + std::to_string(i);
            a.localizedName = "App" + std::to_string(i);
            apps.push_back(a);
            const bool last = i == windows - 1;
            list.push_back(
                {a.pid,
                 0,
                 last ? Rect(0, 0, 1920, 1080) : Rect(1000 + i % 50, 10 * (i % 90), 300, 200),
                 {}});
        }
        desktop.simWorkspace().setApplications(apps);
        desktop.simWindowList().setWindows(list);
        desktop.simEventStream().setPointer(platform::Point{400, 300});
        DisplaysManager::setupDisplays();
        for (auto& [serial, display] : SettingsKeeper::shared().getAllCurrentDisplays())
            display->apps[AppWithScrollSettings::kGlobalBundleId]->scrollSettings = settings;
        notch.setLocation(platform::Point{400, 300});
        notch.setIntegerField(platform::EventField::EventTargetUnixProcessID, 1000 + windows - 1);
    }
    ScrollAnimation& engine() { return *scroller; }

    platform::sim::SimDesktop desktop;
    testing::QuietPostPlatform quiet{desktop};
    CompositionRoot root{quiet};
    std::unique_ptr<ScrollAnimation> scroller = [] {
        auto engine = std::make_unique<ScrollAnimation>();
        engine->startListeningToWheel();
        return engine;
    }();
    Event notch = Event::scrollWheel(platform::ScrollEventUnit::Line, 1, -1);
};

using testing::AllocationCount;

void reportAllocations(benchmark::State& state, long before) {
    state.counters["allocs"] = benchmark::Counter(
        static_cast<double>(AllocationCount::count - before), benchmark::Counter::kAvgIterations);
}

void BM_WheelTapSettingsInForce(benchmark::State& state) {
    Bench b(static_cast<int>(state.range(0)), SingleScrollSettingsObject{});
    (void)b.engine().scrollEventCallback(platform::EventType::ScrollWheel, b.notch);
    const long before = AllocationCount::count;
    for (auto _ : state) {
        auto verdict = b.engine().scrollEventCallback(platform::EventType::ScrollWheel, b.notch);
        benchmark::DoNotOptimize(verdict);
    }
    reportAllocations(state, before);
}

// Without animation every notch is posted at once and leaves nothing in
// force, so each one resolves the settings again.
void BM_WheelTapResolvingSettings(benchmark::State& state) {
    SingleScrollSettingsObject immediate;
    immediate.isAnimatingScroll = false;
    Bench b(static_cast<int>(state.range(0)), immediate);
    const long before = AllocationCount::count;
    for (auto _ : state) {
        auto verdict = b.engine().scrollEventCallback(platform::EventType::ScrollWheel, b.notch);
        benchmark::DoNotOptimize(verdict);
    }
    reportAllocations(state, before);
}

// A running continuous animation whose notch lasts far longer than the run.
void BM_FrameCallback(benchmark::State& state) {
    SingleScrollSettingsObject slow;
    slow.scrollSpeed = 1'000'000'000'000;
    Bench b(10, slow);
    (void)b.engine().scrollEventCallback(platform::EventType::ScrollWheel, b.notch);
    const long before = AllocationCount::count;
    for (auto _ : state) b.engine().displayLinkCallback();
    reportAllocations(state, before);
    if (b.quiet.stream().postedCount == 0) state.SkipWithError("no frame posted");
}

BENCHMARK(BM_WheelTapSettingsInForce)->Arg(10);
BENCHMARK(BM_WheelTapResolvingSettings)->Arg(10)->Arg(200);
BENCHMARK(BM_FrameCallback);

}  // namespace

int main(int argc, char** argv) {
    AllocationCount::counting = true;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
