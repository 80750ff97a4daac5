#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "actions/AppWithGestures.h"
#include "actions/CustomAction.h"
#include "actions/Gesture.h"
#include "actions/KxShortcutsKeeper.h"
#include "actions/MouseButton.h"
#include "app/CompositionRoot.h"
#include "events/ApplicationLink.h"
#include "events/DecisionTracer.h"
#include "events/MouseButtonListener.h"
#include "events/ScreenRegistry.h"
#include "platform/MemoryPreferenceStore.h"
#include "platform/sim/SimDesktop.h"
#include "scroll/ScrollAnimation.h"
#include "settings/SettingsKeeper.h"

namespace wexo::testing {

using platform::Event;
using platform::EventField;
using platform::EventType;
using platform::Point;
namespace records = platform::sim::records;
namespace Flags = platform::EventFlags;

inline constexpr pid_t kSafari = 501;
inline constexpr pid_t kMail = 502;
// The buttons the tests give roles to.
inline constexpr std::int64_t kRight = 1, kMiddle = 2, kSide3 = 3, kSide4 = 4;

// Every preferences screen, answering and recording what the mouse tap asks
// of it. Assignments come from SettingsKeeper's table, as the Buttons screen
// answers them.
class TapScreens : public ScreenRegistry,
                   public ScrollScreenLink,
                   public ButtonsScreenLink,
                   public GesturesScreenLink,
                   public GrabScreenLink,
                   public AutoScreenLink,
                   public FullScreenLink {
  public:
    std::set<PreferencesTab> tabs;
    bool bindReady = false;
    bool pointerInList = false;
    // What the screens were told, one short line per call ("views 2" …).
    std::vector<std::string> calls;

    using Button = std::shared_ptr<MouseButton>;
    bool isTabOn(PreferencesTab tab) const override { return tabs.count(tab) != 0; }
    Button fetchMouseButtonByButton(std::int64_t button, std::int64_t mask) const override {
        auto& table = SettingsKeeper::shared().getMouseButtonsDict();
        auto b = table.find(std::to_string(button));
        if (b == table.end()) return nullptr;
        auto m = b->second.find(std::to_string(mask));
        return m == b->second.end() ? nullptr : m->second;
    }
    void convertDictToArrayAndSelectButton(const Button& b) override { note("select", b); }
    bool isInsideScrollView() const override { return pointerInList; }
    bool readyForBind() const override { return bindReady; }
    void setGestureButton(const Button& b) override { note("gestureButton", b); }
    void setBindButton(const Button& b) override { note("bindButton", b); }
    void setGrabButton(const Button& b, std::optional<std::int64_t>) override {
        note("grabButton", b);
    }
    void setAutoScrollButton(const Button& b) override { note("autoButton", b); }
    void setViewsState(int state) override { note("views", state); }
    void readyForDragSettings(Point) override { calls.push_back("ready"); }
    void drawLineWithPosition(Point) override {}
    void foundDirection(std::uint64_t d) override { note("direction", std::int64_t(d)); }
    void removeAllLines() override { calls.push_back("clear"); }
    void setAutoScrollAnchorPoint(Point p) override {
        calls.push_back("anchor " + std::to_string(int(p.x)) + "," + std::to_string(int(p.y)));
    }

    ScrollScreenLink* scrollVC() override { return this; }
    ButtonsScreenLink* buttonsVC() override { return this; }
    GesturesScreenLink* gesturesVC() override { return this; }
    GrabScreenLink* grabVC() override { return this; }
    AutoScreenLink* autoVC() override { return this; }
    FullScreenLink* fullScreenVC() override { return this; }
    void changeActiveAppDisabledStateMenu(
        const std::optional<platform::RunningApplication>&) override {}

  private:
    void note(const char* what, std::int64_t n) {
        calls.push_back(std::string(what) + " " + std::to_string(n));
    }
    void note(const char* what, const Button& b) { note(what, b->buttonNumber); }
};

class TapWindows : public ApplicationLink {
  public:
    bool visible = false;
    int frontedRegardless = 0;
    bool isPreferencesWindowVisible() const override { return visible; }
    void orderPreferencesWindowFrontRegardless() override { ++frontedRegardless; }
    GestureWindow& gestureWindow() override { return overlay; }
    GestureWindow overlay;
};

// The mouse tap's verdicts as "stage verdict".
// The mouse tap's transitions as "name from>to".
class StageLog : public DecisionTracer {
  public:
    std::vector<std::string> mouse;
    std::vector<std::string> transitions;
    void decision(std::string_view tap, std::string_view stage, platform::Verdict verdict,
                  const Event&) override {
        if (tap == "mouse")
            mouse.push_back(std::string(stage) + (verdict.swallows() ? " swallow" : " pass"));
    }
    void transition(std::string_view tap, std::string_view name, std::string_view from,
                    std::string_view to) override {
        if (tap == "mouse")
            transitions.push_back(std::string(name) + " " + std::string(from) + ">" +
                                  std::string(to));
    }
};

// One 1920 × 1080 screen, Safari's window on the left half (Safari in
// front), Mail's on the right half, the pointer at (400, 300) over Safari,
// the program started with its mouse tap and every screen loaded, and the
// scroll engine's wheel tap, which stands behind the mouse tap.
class TapTestDesktop : public ::testing::Test {
  protected:
    TapTestDesktop() {
        auto app = [](pid_t pid, const char* bundle) {
            platform::RunningApplication a;
            a.pid = pid;
            a.bundleIdentifier = bundle;
            return a;
        };
        desktop.simWorkspace().setApplications(
            {app(kSafari, "com.apple.Safari"), app(kMail, "com.apple.mail")});
        desktop.simWorkspace().setFrontmost(kSafari);
        desktop.simWindowList().setWindows(
            {{kSafari, 0, {0, 0, 960, 1080}, {}}, {kMail, 0, {960, 0, 960, 1080}, {}}});
        pointer(400, 300);
        root.emplace(desktop);
        scroller = std::make_unique<ScrollAnimation>();
        scroller->startListeningToWheel();
        windows.emplace();
        windowsInstallation.emplace(&*windows);
        desktop.clearRecords();
    }

    SettingsKeeper& settings() { return SettingsKeeper::shared(); }
    MouseButtonListener& listener() { return MouseButtonListener::shared(); }
    void pointer(double x, double y) { desktop.simEventStream().setPointer({x, y}); }
    Point where() { return desktop.simEventStream().pointerLocation(); }
    void showPreferences(std::set<PreferencesTab> tabs) {
        desktop.simWorkspace().setFrontmost(platform::sim::SimProcess::kPid);
        windows->visible = true;
        screens.tabs = std::move(tabs);
    }

    // ---- Input ----
    static Event mouse(EventType type, Point at, std::int64_t button, std::uint64_t flags = 0) {
        Event e = Event::mouse(type, at, platform::MouseButton::Left);
        e.setIntegerField(EventField::MouseEventButtonNumber, button);
        e.setFlags(flags);
        return e;
    }
    void press(std::int64_t button, std::uint64_t flags = 0) {
        desktop.inject(
            mouse(button == kRight ? EventType::RightMouseDown : EventType::OtherMouseDown, where(),
                  button, flags));
    }
    void release(std::int64_t button, std::uint64_t flags = 0) {
        desktop.inject(mouse(button == kRight ? EventType::RightMouseUp : EventType::OtherMouseUp,
                             where(), button, flags));
    }
    // The pointer moves first, as the hardware moves it before the event.
    void drag(std::int64_t button, double x, double y) {
        const Point from = where();
        pointer(x, y);
        Event e =
            mouse(button == kRight ? EventType::RightMouseDragged : EventType::OtherMouseDragged,
                  {x, y}, button);
        e.setDoubleField(EventField::MouseEventDeltaX, x - from.x);
        e.setDoubleField(EventField::MouseEventDeltaY, y - from.y);
        desktop.inject(e);
    }
    // `steps` equal drags by (dx, dy) in all.
    void stroke(std::int64_t button, double dx, double dy, int steps) {
        const Point from = where();
        for (int i = 1; i <= steps; ++i)
            drag(button, from.x + dx * i / steps, from.y + dy * i / steps);
    }
    void leftPress() { desktop.inject(mouse(EventType::LeftMouseDown, where(), 0)); }
    // One notch: ten points a line.
    void wheel(std::int32_t lines, std::uint64_t flags = 0) {
        Event e = Event::scrollWheel(platform::ScrollEventUnit::Line, 1, lines);
        e.setLocation(where());
        e.setFlags(flags);
        desktop.inject(e);
    }
    void at(double seconds) { desktop.advanceTo(static_cast<std::int64_t>(seconds * 1e9)); }

    // ---- Settings ----
    static CustomAction media(std::int64_t auxKey) {
        return CustomAction(std::nullopt, std::nullopt, std::nullopt, auxKey, std::nullopt, 1);
    }
    static CustomAction simulated(std::int64_t auxKey) {
        return CustomAction(std::nullopt, std::nullopt, std::nullopt, auxKey, std::nullopt, 4);
    }
    void assign(std::int64_t button, std::int64_t mask, CustomAction action, bool active = true) {
        auto b = std::make_shared<MouseButton>();
        b->buttonNumber = button;
        b->modifiers = mask;
        b->action = std::move(action);
        b->isActive = active ? 1 : 0;
        settings().getMouseButtonsDict()[std::to_string(button)][std::to_string(mask)] = b;
    }
    // A drawn gesture (directions) or a rocker gesture (bound button).
    void addGesture(const std::string& bundle, std::optional<std::string> directions,
                    std::optional<std::int64_t> bindButton, CustomAction action) {
        auto g = std::make_shared<Gesture>();
        g->gestureDirections = std::move(directions);
        if (bindButton)
            g->bindButton = KxShortcutsKeeper::getPreDdefinedButtonsByNumber(*bindButton);
        g->action = std::move(action);
        auto& list = gestureApps[bundle];
        if (!list)
            list = std::make_shared<AppWithGestures>(bundle, bundle, std::nullopt, std::nullopt);
        list->gestures.push_back(g);
        std::vector<std::shared_ptr<AppWithGestures>> apps;
        for (auto& [_, a] : gestureApps) apps.push_back(a);
        settings().setGesturesFromApps(apps);
    }

    // ---- What happened ----
    // The delivered mouse and wheel events, one word each: "down3", "up3",
    // "drag3", "Ldown", "Lup", "Ldrag", "move", "wheel", "scroll" (the
    // program's own pixel scrolling); "!" marks the program's clicks
    // (-1700), "#" the click replayed after a gesture (-1500).
    std::string seen() const {
        static const std::map<EventType, std::string> kWords = {
            {EventType::LeftMouseDown, "Ldown"},    {EventType::LeftMouseUp, "Lup"},
            {EventType::LeftMouseDragged, "Ldrag"}, {EventType::RightMouseDown, "down"},
            {EventType::OtherMouseDown, "down"},    {EventType::RightMouseUp, "up"},
            {EventType::OtherMouseUp, "up"},        {EventType::RightMouseDragged, "drag"},
            {EventType::OtherMouseDragged, "drag"}, {EventType::MouseMoved, "move"},
            {EventType::ScrollWheel, "wheel"}};
        std::string out;
        for (const auto& r : desktop.records()) {
            auto* d = std::get_if<records::Deliver>(&r.what);
            auto word = d ? kWords.find(d->event.type()) : kWords.end();
            if (word == kWords.end()) continue;
            const Event& e = d->event;
            const auto mark = e.integerField(EventField::EventSourceUserData);
            std::string w = mark == -1600 ? "scroll" : word->second;
            if (w == "down" || w == "up" || w == "drag")
                w += std::to_string(e.integerField(EventField::MouseEventButtonNumber));
            if (mark == -1700) w += "!";
            if (e.integerField(EventField::MouseEventNumber) == -1500) w += "#";
            out += (out.empty() ? "" : " ") + w;
        }
        return out;
    }
    std::vector<Event> delivered(EventType type) const {
        std::vector<Event> out;
        for (const auto& r : desktop.records())
            if (auto* d = std::get_if<records::Deliver>(&r.what); d && d->event.type() == type)
                out.push_back(d->event);
        return out;
    }
    // The media actions that ran, by HID key type (volume up 0, down 1, mute 7).
    std::vector<std::uint32_t> ran() const {
        std::vector<std::uint32_t> out;
        for (const auto& r : desktop.records())
            if (auto* h = std::get_if<records::Hid>(&r.what); h && h->keyDown == true)
                out.push_back(h->keyType);
        return out;
    }
    void forget() {
        desktop.clearRecords();
        screens.calls.clear();
        stages.mouse.clear();
        stages.transitions.clear();
    }

    platform::sim::SimDesktop desktop;
    std::optional<CompositionRoot> root;
    // As the Scroll screen makes it, after the mouse tap has started.
    std::unique_ptr<ScrollAnimation> scroller;
    TapScreens screens;
    SharedInstallation<ScreenRegistry> screensInstallation{&screens};
    StageLog stages;
    SharedInstallation<DecisionTracer> stagesInstallation{&stages};
    std::map<std::string, std::shared_ptr<AppWithGestures>> gestureApps;
    // In place of the root's headless application (the overlay needs the
    // platform, so it comes after the root).
    std::optional<TapWindows> windows;
    std::optional<SharedInstallation<ApplicationLink>> windowsInstallation;
};

}  // namespace wexo::testing
