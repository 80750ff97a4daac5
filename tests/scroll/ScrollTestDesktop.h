#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CompositionRoot.h"
#include "platform/EventMarks.h"
#include "platform/MemoryPreferenceStore.h"
#include "platform/sim/SimDesktop.h"
#include "scroll/ScrollAnimation.h"
#include "settings/DisplaysManager.h"
#include "settings/SettingsKeeper.h"

namespace wexo::testing {

using platform::Event;
using platform::EventField;
using platform::Point;
using platform::Rect;

inline constexpr pid_t kSafari = 501;
inline constexpr pid_t kMail = 502;

// One 1920 × 1080 screen with Safari's window over the left half and Mail's
// over the right half, the pointer over Safari, and the program started on it.
class ScrollTestDesktop : public ::testing::Test {
  protected:
    explicit ScrollTestDesktop(plist::Dictionary defaults = {}) {
        desktop = std::make_unique<platform::sim::SimDesktop>(
            std::make_unique<platform::MemoryPreferenceStore>(
                platform::sim::SimProcess::builtBundleIdentifier(), std::move(defaults)));
        auto app = [](pid_t pid, const char* bundle, const char* name) {
            platform::RunningApplication a;
            a.pid = pid;
            a.bundleIdentifier = bundle;
            a.localizedName = name;
            return a;
        };
        desktop->simWorkspace().setApplications(
            {app(kSafari, "com.apple.Safari", "Safari"), app(kMail, "com.apple.mail", "Mail")});
        desktop->simWorkspace().setFrontmost(kSafari);
        desktop->simWindowList().setWindows(
            {{kSafari, 0, kSafariWindow, {}}, {kMail, 0, kMailWindow, {}}});
        pointer(400, 300);
    }

    // The engines and caches, and the scroll engine with its wheel tap
    // started, as the Scroll screen starts it when scrolling is enabled.
    void start() {
        root.emplace(*desktop);
        scroller = std::make_unique<ScrollAnimation>();
        scroller->startListeningToWheel();
    }
    // The engine goes first, then the rest of the program.
    void stop() {
        scroller.reset();
        root.reset();
    }
    ScrollAnimation& engine() { return *scroller; }
    ScrollAnimation::State state() { return engine().stateForTesting(); }

    // Every display's Global entry gets this set.
    void useSettings(const SingleScrollSettingsObject& settings) {
        DisplaysManager::setupDisplays();
        for (auto& [serial, display] : SettingsKeeper::shared().getAllCurrentDisplays())
            display->apps[AppWithScrollSettings::kGlobalBundleId]->scrollSettings = settings;
    }

    void pointer(double x, double y) { desktop->simEventStream().setPointer(Point{x, y}); }

    // One notch of a mouse wheel: a line event, ten points a line.
    static Event notch(std::int32_t vertical, std::int32_t horizontal = 0,
                       std::uint64_t flags = 0) {
        Event e = Event::scrollWheel(platform::ScrollEventUnit::Line, 2, vertical, horizontal);
        e.setFlags(flags);
        return e;
    }
    void wheel(std::int32_t vertical, std::int32_t horizontal = 0, std::uint64_t flags = 0) {
        Event e = notch(vertical, horizontal, flags);
        e.setLocation(desktop->eventStream().pointerLocation());
        desktop->inject(e);
    }

    // Lets exactly `n` frames of the running display links pass.
    void frames(int n) {
        for (int i = 0; i < n; ++i) {
            auto next = desktop->simDisplayLinks().nextFrame();
            if (!next) return;
            desktop->advanceTo(*next);
        }
    }
    void framesUntilIdle() {
        for (int i = 0; i < 10000 && desktop->simDisplayLinks().nextFrame(); ++i) frames(1);
    }

    std::vector<Event> delivered() const {
        std::vector<Event> out;
        for (const auto& r : desktop->records())
            if (auto* d = std::get_if<platform::sim::records::Deliver>(&r.what))
                out.push_back(d->event);
        return out;
    }
    // The scroll events the program posted, as delivered.
    std::vector<Event> posted() const {
        std::vector<Event> out;
        for (const auto& e : delivered())
            if (e.integerField(EventField::EventSourceUserData) == platform::EventMarks::kOwnScroll)
                out.push_back(e);
        return out;
    }
    // Their vertical pixel values.
    std::vector<std::int64_t> verticalPixels() const {
        std::vector<std::int64_t> out;
        for (const auto& e : posted())
            out.push_back(e.integerField(EventField::ScrollWheelEventPointDeltaAxis1));
        return out;
    }
    std::vector<std::int64_t> horizontalPixels() const {
        std::vector<std::int64_t> out;
        for (const auto& e : posted())
            out.push_back(e.integerField(EventField::ScrollWheelEventPointDeltaAxis2));
        return out;
    }
    static inline const Rect kSafariWindow{0, 0, 960, 1080};
    static inline const Rect kMailWindow{960, 0, 960, 1080};

    std::unique_ptr<platform::sim::SimDesktop> desktop;
    std::optional<CompositionRoot> root;
    std::unique_ptr<ScrollAnimation> scroller;
};

// A set with animation off, so that each notch becomes one pixel event.
inline SingleScrollSettingsObject immediateSettings() {
    SingleScrollSettingsObject s;
    s.isAnimatingScroll = false;
    return s;
}

}  // namespace wexo::testing
