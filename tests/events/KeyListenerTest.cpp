#include "events/KeyListener.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CompositionRoot.h"
#include "events/ApplicationLink.h"
#include "events/MouseMovementListener.h"
#include "events/ScreenRegistry.h"
#include "platform/sim/SimDesktop.h"
#include "settings/SettingsKeeper.h"

namespace wexo {
namespace {

using platform::Event;
using platform::EventField;
using platform::EventType;
using platform::Point;
using platform::sim::records::CursorChange;
using platform::sim::records::Deliver;

constexpr std::int64_t kMs = 1'000'000;
constexpr std::uint16_t kGrabKey = 5;
constexpr pid_t kEditor = 501;

// The Scroll screen's tab bar, the Grab screen and the preferences window, as
// far as the key listener asks them.
class Screens : public ScreenRegistry, public ScrollScreenLink, public GrabScreenLink {
  public:
    bool grabTab = false;
    std::vector<std::int64_t> keysSet;

    bool isTabOn(PreferencesTab tab) const override {
        return tab == PreferencesTab::Grab && grabTab;
    }
    // Stores the key in the cache, as the Grab screen does.
    void setGrabButton(const std::shared_ptr<MouseButton>&,
                       std::optional<std::int64_t> orKeyNumber) override {
        keysSet.push_back(orKeyNumber.value_or(-1));
        SettingsKeeper::shared().setGrabKeyNumber(orKeyNumber);
    }
    ScrollScreenLink* scrollVC() override { return this; }
    ButtonsScreenLink* buttonsVC() override { return nullptr; }
    GesturesScreenLink* gesturesVC() override { return nullptr; }
    GrabScreenLink* grabVC() override { return this; }
    AutoScreenLink* autoVC() override { return nullptr; }
    FullScreenLink* fullScreenVC() override { return nullptr; }
    void changeActiveAppDisabledStateMenu(
        const std::optional<platform::RunningApplication>&) override {}
};

class PreferencesWindow : public ApplicationLink {
  public:
    bool visible = false;
    bool isPreferencesWindowVisible() const override { return visible; }
    void orderPreferencesWindowFrontRegardless() override {}
    GestureWindow& gestureWindow() override { return overlay; }
    GestureWindow overlay;
};

class KeyListenerTest : public ::testing::Test {
  protected:
    explicit KeyListenerTest(std::optional<std::int64_t> storedKey = kGrabKey) {
        platform::RunningApplication editor;
        editor.pid = kEditor;
        editor.bundleIdentifier = "com.example.Editor";
        desktop.simWorkspace().setApplications({editor});
        desktop.simWorkspace().setFrontmost(kEditor);
        root.emplace(desktop);
        // What the Grab screen does when it loads with a stored key.
        if (storedKey) {
            SettingsKeeper::shared().setGrabKeyNumber(storedKey);
            KeyListener::shared().startListeningToKeys();
        }
        window.emplace();
        windowInstallation.emplace(&*window);
    }

    // The program in front with its preferences window, the Grab tab on or off.
    void showPreferences(bool grabTab) {
        desktop.simWorkspace().setFrontmost(platform::sim::SimProcess::kPid);
        window->visible = true;
        screens.grabTab = grabTab;
    }

    void key(bool down) { desktop.inject(Event::keyboard(kGrabKey, down)); }
    void moveBy(double dx, double dy) {
        const Point p = desktop.eventStream().pointerLocation();
        Event e =
            Event::mouse(EventType::MouseMoved, {p.x + dx, p.y + dy}, platform::MouseButton::Left);
        e.setDoubleField(EventField::MouseEventDeltaX, dx);
        e.setDoubleField(EventField::MouseEventDeltaY, dy);
        desktop.inject(e);
    }
    void at(std::int64_t ms) { desktop.advanceTo(ms * kMs); }

    struct Delivered {
        std::int64_t time;
        Event event;
    };
    std::vector<Delivered> delivered(EventType type) const {
        std::vector<Delivered> out;
        for (const auto& r : desktop.records())
            if (auto* d = std::get_if<Deliver>(&r.what); d && d->event.type() == type)
                out.push_back({r.time, d->event});
        return out;
    }
    std::vector<std::string> cursorStyles() const {
        std::vector<std::string> out;
        for (const auto& r : desktop.records())
            if (auto* c = std::get_if<CursorChange>(&r.what)) out.push_back(c->style);
        return out;
    }
    std::size_t registrations() { return desktop.simHotKeys().registrationCount(); }
    KeyListener& listener() { return KeyListener::shared(); }

    platform::sim::SimDesktop desktop;
    std::optional<CompositionRoot> root;
    Screens screens;
    SharedInstallation<ScreenRegistry> screensInstallation{&screens};
    // In place of the root's headless application (built once the root is).
    std::optional<PreferencesWindow> window;
    std::optional<SharedInstallation<ApplicationLink>> windowInstallation;
};

TEST_F(KeyListenerTest, TappedKeyIsReplayedOnceAfterOneTenthOfASecond) {
    EXPECT_EQ(registrations(), 1u);  // the stored key, bare
    Event shifted = Event::keyboard(kGrabKey, true);
    shifted.setFlags(platform::EventFlags::Shift);
    desktop.inject(shifted);  // with a modifier it is an ordinary key
    EXPECT_EQ(delivered(EventType::KeyDown).size(), 1u);
    desktop.takeRecords();

    at(1000);
    key(true);
    at(1050);
    key(false);
    EXPECT_EQ(registrations(), 0u);  // out of the way of the replay
    at(1149);
    EXPECT_TRUE(delivered(EventType::KeyDown).empty());
    at(1249);
    const auto replayed = delivered(EventType::KeyDown);
    ASSERT_EQ(replayed.size(), 1u);
    EXPECT_EQ(replayed[0].time, 1150 * kMs);
    EXPECT_EQ(replayed[0].event.integerField(EventField::KeyboardEventKeycode), kGrabKey);
    EXPECT_EQ(replayed[0].event.integerField(EventField::EventSourceUserData), -1700);
    EXPECT_EQ(registrations(), 0u);
    // Released at once: no application is left with the key held.
    const auto released = delivered(EventType::KeyUp);
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(released[0].time, 1150 * kMs);
    EXPECT_EQ(released[0].event.integerField(EventField::KeyboardEventKeycode), kGrabKey);
    EXPECT_EQ(released[0].event.integerField(EventField::EventSourceUserData), -1700);
    at(1250);
    EXPECT_EQ(registrations(), 1u);

    // Registered again, the key grabs again; a few movements still make a tap.
    key(true);
    for (int i = 0; i < 19; ++i) moveBy(1, 0);
    key(false);
    at(3000);
    EXPECT_EQ(delivered(EventType::KeyDown).size(), 2u);
}

TEST_F(KeyListenerTest, HeldKeyWithMovementScrollsInsteadOfTyping) {
    key(true);
    // The movements of the key grab reach the grab engine at one per frame.
    for (int i = 0; i < 25; ++i) {
        moveBy(0, 2);
        desktop.advanceBy(16'666'667);
    }
    // A left press is reported like a movement, and passes as well.
    const Point p = desktop.eventStream().pointerLocation();
    desktop.inject(Event::mouse(EventType::LeftMouseDown, p, platform::MouseButton::Left));
    EXPECT_EQ(listener().dragCounter(), 26);
    EXPECT_EQ(delivered(EventType::LeftMouseDown).size(), 1u);
    key(false);
    at(2000);
    EXPECT_TRUE(delivered(EventType::KeyDown).empty());
    EXPECT_TRUE(delivered(EventType::KeyUp).empty());
    std::vector<std::int64_t> scrolls;
    for (const auto& d : delivered(EventType::ScrollWheel))
        scrolls.push_back(d.event.integerField(EventField::ScrollWheelEventPointDeltaAxis1));
    // The first movement only sets where the drag is measured from; every
    // later one drags 2 down: (last - current) = -2, times -1.
    std::vector<std::int64_t> expected(25, 2);
    expected[0] = 0;
    EXPECT_EQ(scrolls, expected);
    EXPECT_EQ(delivered(EventType::MouseMoved).size(), 25u);  // the watcher swallows nothing
    std::vector<std::string> styles(26, "closedHand");        // each movement and the press
    styles.push_back("arrow");
    EXPECT_EQ(cursorStyles(), styles);
    EXPECT_EQ(registrations(), 1u);
}

TEST_F(KeyListenerTest, NoReplayWithGrabActionsDisabledNorGrabWithTheGrabScreenInFront) {
    SettingsKeeper::shared().setIsDisableGrabAction(true);
    key(true);
    key(false);
    desktop.advanceBySeconds(1);
    EXPECT_EQ(registrations(), 1u);

    SettingsKeeper::shared().setIsDisableGrabAction(false);
    showPreferences(/*grabTab=*/true);
    key(true);
    moveBy(0, 30);
    desktop.advanceBySeconds(0.1);
    key(false);
    desktop.advanceBySeconds(1);
    EXPECT_EQ(listener().dragCounter(), 0);
    EXPECT_TRUE(delivered(EventType::ScrollWheel).empty());
    EXPECT_TRUE(delivered(EventType::KeyDown).empty());
    EXPECT_EQ(registrations(), 1u);
}

TEST_F(KeyListenerTest, StoppingBetweenReplayAndRegistrationLeavesNoHotKey) {
    key(true);
    key(false);
    desktop.advanceBySeconds(0.15);  // replayed, not yet registered again
    listener().stopListeningToKeys();
    desktop.advanceBySeconds(1);
    EXPECT_EQ(registrations(), 0u);
    EXPECT_EQ(desktop.simHotKeys().handlerCount(), 0u);
    key(true);  // an ordinary key again
    EXPECT_EQ(delivered(EventType::KeyDown).size(), 2u);
}

class GrabKeyCaptureTest : public KeyListenerTest {
  protected:
    GrabKeyCaptureTest() : KeyListenerTest(std::nullopt) {}
};

TEST_F(GrabKeyCaptureTest, FirstKeyOnTheGrabScreenBecomesTheActiveGrabKey) {
    EXPECT_EQ(registrations(), 0u);
    listener().startListeningToKeys();
    EXPECT_TRUE(listener().isCapturingGrabKey());
    showPreferences(/*grabTab=*/true);
    desktop.inject(Event::keyboard(7, true));
    EXPECT_EQ(screens.keysSet, (std::vector<std::int64_t>{7}));
    EXPECT_FALSE(listener().isCapturingGrabKey());
    EXPECT_EQ(registrations(), 1u);
    // Immediately active: the next press is the hot key's, not the window's.
    desktop.inject(Event::keyboard(7, false));
    desktop.inject(Event::keyboard(7, true));
    EXPECT_EQ(delivered(EventType::KeyDown).size(), 1u);
}

TEST_F(GrabKeyCaptureTest, KeysElsewhereOrWithAGrabButtonAreNotCaptured) {
    listener().startListeningToKeys();
    showPreferences(/*grabTab=*/false);  // another tab
    desktop.inject(Event::keyboard(7, true));
    showPreferences(/*grabTab=*/true);
    SettingsKeeper::shared().setGrabButtonNumber(3);
    desktop.inject(Event::keyboard(8, true));
    EXPECT_TRUE(screens.keysSet.empty());
    EXPECT_TRUE(listener().isCapturingGrabKey());
    EXPECT_EQ(registrations(), 0u);
}

// The watcher is installed anew at each start, at the head of the stream.
TEST(MouseMovementListenerTest, EachStartInstallsOneFreshTapAtTheHead) {
    platform::sim::SimDesktop desktop;
    CompositionRoot root(desktop);
    auto& movement = MouseMovementListener::sharedInstance();
    auto first = [&] { return desktop.simEventStream().taps().front(); };
    movement.startListeningToMovment();
    const auto tapCount = desktop.simEventStream().taps().size();
    EXPECT_EQ(first().mask, 0x80000E2u);
    movement.stopListeningToMovment();
    EXPECT_FALSE(first().enabled);
    auto other = desktop.eventStream().createTap(
        platform::TapLocation::Session, platform::TapPlacement::HeadInsert,
        platform::TapOption::Default, platform::kEventMaskForAllEvents,
        [](EventType, Event&) { return platform::Verdict::swallow(); });
    movement.startListeningToMovment();
    EXPECT_EQ(desktop.simEventStream().taps().size(), tapCount + 1);
    EXPECT_EQ(first().mask, 0x80000E2u);
    EXPECT_TRUE(first().enabled);
}

}  // namespace
}  // namespace wexo
