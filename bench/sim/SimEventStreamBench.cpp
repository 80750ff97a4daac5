// Events per second through the simulated desktop's event stream: device
// input entering at the HID location, passing the taps and being delivered.
// Run with --benchmark_repetitions=N to see the median.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/sim/SimDesktop.h"

namespace {

using namespace wexo::platform;

void injectMoves(benchmark::State& state, int taps) {
    sim::SimDesktop desktop;
    std::vector<std::unique_ptr<EventTap>> installed;
    for (int i = 0; i < taps; ++i) {
        installed.push_back(desktop.eventStream().createTap(
            TapLocation::Session, TapPlacement::HeadInsert, TapOption::Default,
            kEventMaskForAllEvents, [](EventType, Event& e) {
                benchmark::DoNotOptimize(e);
                return Verdict::pass();
            }));
    }
    Event move = Event::mouse(EventType::MouseMoved, Point{100, 100}, MouseButton::Left);
    std::int64_t n = 0;
    for (auto _ : state) {
        move.setLocation(Point{static_cast<double>(n % 1000), 100});
        desktop.inject(move);
        // Keep the record of deliveries from growing without end.
        if (++n % 4096 == 0) {
            state.PauseTiming();
            desktop.clearRecords();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(n);
}

void BM_EmptyStream(benchmark::State& state) {
    injectMoves(state, 0);
}
void BM_ThreePassThroughTaps(benchmark::State& state) {
    injectMoves(state, 3);
}

BENCHMARK(BM_EmptyStream);
BENCHMARK(BM_ThreePassThroughTaps);

}  // namespace

BENCHMARK_MAIN();
