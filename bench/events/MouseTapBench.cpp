// The mouse tap's cost per event, its callback called as the stream calls
// it: a plain press of a button without an assignment (every stage looks and
// passes it), and a drag while a gesture is drawn (the overlay pointer, the
// direction tracker and the trail). The screens are loaded and the program is
// not in front, as in everyday use. Run with --benchmark_repetitions=N to
// see the median.

#include <benchmark/benchmark.h>

#include "app/CompositionRoot.h"
#include "events/MouseButtonListener.h"
#include "events/ScreenRegistry.h"
#include "platform/sim/SimDesktop.h"
#include "settings/SettingsKeeper.h"

namespace {

using namespace wexo;
using platform::Event;
using platform::EventField;
using platform::EventType;

// Screens that capture nothing and hold no assignment.
struct IdleScreens : ScreenRegistry, ScrollScreenLink, ButtonsScreenLink, FullScreenLink {
    bool isTabOn(PreferencesTab) const override { return false; }
    std::shared_ptr<MouseButton> fetchMouseButtonByButton(std::int64_t,
                                                          std::int64_t) const override {
        return nullptr;
    }
    void convertDictToArrayAndSelectButton(const std::shared_ptr<MouseButton>&) override {}
    bool isInsideScrollView() const override { return false; }
    void setViewsState(int) override {}
    void readyForDragSettings(platform::Point) override {}
    void drawLineWithPosition(platform::Point) override {}
    void foundDirection(std::uint64_t) override {}
    void removeAllLines() override {}
    void setAutoScrollAnchorPoint(platform::Point) override {}
    ScrollScreenLink* scrollVC() override { return this; }
    ButtonsScreenLink* buttonsVC() override { return this; }
    GesturesScreenLink* gesturesVC() override { return nullptr; }
    GrabScreenLink* grabVC() override { return nullptr; }
    AutoScreenLink* autoVC() override { return nullptr; }
    FullScreenLink* fullScreenVC() override { return this; }
    void changeActiveAppDisabledStateMenu(
        const std::optional<platform::RunningApplication>&) override {}
};

struct Bench {
    Bench() {
        // The special buttons are set, so that every stage has a look.
        auto& settings = SettingsKeeper::shared();
        settings.setAutoScrollButtonNumber(2);
        settings.setGrabButtonNumber(3);
        settings.setGestureNumber(4);
    }
    static Event mouse(EventType type, std::int64_t button, platform::Point at) {
        Event e = Event::mouse(type, at, platform::MouseButton::Left);
        e.setIntegerField(EventField::MouseEventButtonNumber, button);
        return e;
    }
    platform::Verdict call(Event& e) {
        return MouseButtonListener::shared().mouseEventCallback(e.type(), e);
    }

    platform::sim::SimDesktop desktop;
    CompositionRoot root{desktop};
    IdleScreens screens;
    SharedInstallation<ScreenRegistry> installed{&screens};
};

void BM_PlainPressWithoutAssignment(benchmark::State& state) {
    Bench b;
    Event press = Bench::mouse(EventType::OtherMouseDown, 5, {400, 300});
    for (auto _ : state) {
        Event e = press;
        auto verdict = b.call(e);
        benchmark::DoNotOptimize(verdict);
    }
    if (!b.call(press).passes()) state.SkipWithError("the press was not passed");
}

// The pointer goes round a small square, as a hand drawing slowly does:
// each drag is measured and drawn, few make a stroke.
void BM_DragDuringGesture(benchmark::State& state) {
    Bench b;
    auto& pointer = b.desktop.simEventStream();
    pointer.setPointer({400, 300});
    Event press = Bench::mouse(EventType::OtherMouseDown, 4, {400, 300});
    (void)b.call(press);
    pointer.setPointer({400, 280});
    Event first = Bench::mouse(EventType::OtherMouseDragged, 4, {400, 280});
    (void)b.call(first);
    if (!MouseButtonListener::shared().showDrawScreen()) state.SkipWithError("not drawing");
    const platform::Point square[] = {{400, 280}, {404, 280}, {404, 284}, {400, 284}};
    std::size_t i = 0;
    for (auto _ : state) {
        const platform::Point p = square[i++ % 4];
        pointer.setPointer(p);
        Event e = Bench::mouse(EventType::OtherMouseDragged, 4, p);
        auto verdict = b.call(e);
        benchmark::DoNotOptimize(verdict);
    }
}

BENCHMARK(BM_PlainPressWithoutAssignment);
BENCHMARK(BM_DragDuringGesture);

}  // namespace

BENCHMARK_MAIN();
