// What a wheel notch costs on a real X server: the scroll engine resolving
// the settings of the display and the application under the pointer (the
// window list walked front to back, 200 windows, the pointer over the
// back-most one), and the window-list read alone. The desktop keeps its list
// from X events, so neither asks the server anything; the figures show
// whether that holds (a round trip alone is about 30 µs here). Starts its
// own Xvfb and openbox.

#include <benchmark/benchmark.h>

// First: it tames X's macros for the headers after it.
#include "platform/linux/x11/X11Desktop.h"

#include "app/CompositionRoot.h"
#include "events/FrontMostObserver.h"
#include "scroll/QuietPostPlatform.h"
#include "scroll/ScrollAnimation.h"
#include "settings/DisplaysManager.h"
#include "settings/SettingsKeeper.h"
#include "x11/TestClient.h"
#include "x11/X11OnSimPlatform.h"
#include "x11/XServer.h"

namespace {

using namespace wexo;
using platform::Point;
using platform::x11::TestClient;
using platform::x11::XServer;

struct Bench {
    explicit Bench(int windows) {
        if (!server.ready()) return;
        client = std::make_unique<TestClient>(server.display());
        desktop = platform::x11::X11Desktop::open({server.display(), {}});
        // The back-most window covers the screen; the others lie to the
        // right of the pointer, as in the simulated benchmark.
        for (int i = windows - 1; i >= 0; --i) {
            TestClient::WindowSpec s;
            s.pid = 1000 + i;
            s.instance = "app" + std::to_string(i);
            s.cls = "App" + std::to_string(i);
            const bool last = i == windows - 1;
            s.x = last ? 0 : 1000 + i % 50;
            s.y = last ? 0 : 10 * (i % 90);
            s.width = last ? 1900 : 300;
            s.height = last ? 1000 : 200;
            const ::Window w = client->createWindow(s);
            if (last) backMost = w;
        }
        TestClient::eventually(
            [&] {
                return desktop->windowList().onScreenWindows().size() == std::size_t(windows) &&
                       desktop->windowOwnerAt(Point{400, 300}) == 1000 + windows - 1 &&
                       desktop->workspace().runningApplicationWithProcessIdentifier(1000 + windows -
                                                                                    1);
            },
            [&] { desktop->processEvents(); }, /*seconds=*/60);
        // The window manager may still place the first window after it
        // showed it where asked: put it back and let everything settle.
        XMoveWindow(client->display(), backMost, 0, 0);
        XSync(client->display(), False);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        TestClient::eventually(
            [&] {
                return desktop->windowOwnerAt(Point{400, 300}) == 1000 + windows - 1;
            },
            [&] { desktop->processEvents(); }, /*seconds=*/10);
        // Posting kept aside, as in the simulated benchmark.
        platform = std::make_unique<platform::x11::X11OnSimPlatform>(sim, *desktop, &quietStream);
        root = std::make_unique<CompositionRoot>(*platform);
        scroller = std::make_unique<ScrollAnimation>();
        scroller->startListeningToWheel();
        sim.simEventStream().setPointer(Point{400, 300});
        DisplaysManager::setupDisplays();
        SingleScrollSettingsObject immediate;
        immediate.isAnimatingScroll = false;
        for (auto& [serial, display] : SettingsKeeper::shared().getAllCurrentDisplays())
            display->apps[AppWithScrollSettings::kGlobalBundleId]->scrollSettings = immediate;
        // The engine's own answer is what the measurement needs settled.
        TestClient::eventually([&] { return FrontMostObserver::underMouseApp().has_value(); },
                               [&] { desktop->processEvents(); }, /*seconds=*/10);
        notch.setLocation(Point{400, 300});
        notch.setIntegerField(platform::EventField::EventTargetUnixProcessID, 1000 + windows - 1);
    }

    XServer server{{.windowManager = true, .screen = "1920x1080x24"}};
    std::unique_ptr<TestClient> client;
    ::Window backMost = 0;
    std::unique_ptr<platform::x11::X11Desktop> desktop;
    platform::sim::SimDesktop sim;
    testing::QuietPostPlatform::Stream quietStream{sim.eventStream()};
    std::unique_ptr<platform::x11::X11OnSimPlatform> platform;
    std::unique_ptr<CompositionRoot> root;
    std::unique_ptr<ScrollAnimation> scroller;
    platform::Event notch = platform::Event::scrollWheel(platform::ScrollEventUnit::Line, 1, -1);
};

void BM_X11WheelTapResolvingSettings(benchmark::State& state) {
    Bench b(static_cast<int>(state.range(0)));
    if (!b.desktop) return state.SkipWithError("no X server");
    if (!FrontMostObserver::underMouseApp())
        return state.SkipWithError("no application under the pointer");
    for (auto _ : state) {
        auto verdict = b.scroller->scrollEventCallback(platform::EventType::ScrollWheel, b.notch);
        benchmark::DoNotOptimize(verdict);
    }
}

void BM_X11WindowList(benchmark::State& state) {
    Bench b(static_cast<int>(state.range(0)));
    if (!b.desktop) return state.SkipWithError("no X server");
    for (auto _ : state) {
        auto list = b.desktop->windowList().onScreenWindows();
        benchmark::DoNotOptimize(list);
    }
}

BENCHMARK(BM_X11WheelTapResolvingSettings)->Arg(10)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_X11WindowList)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
