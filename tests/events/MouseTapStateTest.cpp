#include <gtest/gtest.h>

#include <algorithm>

#include "TapTestDesktop.h"
#include "autoscroll/AutoScroll.h"
#include "events/KeyListener.h"
#include "events/MouseMovementListener.h"
#include "events/MouseTapMachine.h"

namespace wexo::testing {
namespace {

// The machine's table alone.
constexpr TapState kStates[] = {TapState::Idle,
                                TapState::AutoScrollArmed,
                                TapState::AutoScrollClicked,
                                TapState::AutoScrollHolding,
                                TapState::Grabbing,
                                TapState::GestureArmed,
                                TapState::GestureDrawing};
constexpr TapInput kInputs[] = {TapInput::AutoScrollClickPress,
                                TapInput::AutoScrollHoldPress,
                                TapInput::LinkPress,
                                TapInput::GrabPress,
                                TapInput::GesturePress,
                                TapInput::ScreenGesturePress,
                                TapInput::HeldPress,
                                TapInput::HeldDrag,
                                TapInput::HeldDragFar,
                                TapInput::HeldRelease,
                                TapInput::Press,
                                TapInput::Release,
                                TapInput::PassedRelease,
                                TapInput::UnpairedRelease,
                                TapInput::Drag,
                                TapInput::Wheel,
                                TapInput::ReplayedClick};

bool isHeld(TapInput input) {
    return input == TapInput::HeldPress || input == TapInput::HeldDrag ||
           input == TapInput::HeldDragFar || input == TapInput::HeldRelease;
}

TEST(MouseTapMachineTest, InteractionsBeginOnlyWhenIdleAndEndOnlyWithTheirButton) {
    for (TapState from : kStates) {
        for (TapInput input : kInputs) {
            const TapStep step = nextTapStep(from, input);
            const std::string where =
                std::string(tapStateName(from)) + " + " + std::string(tapInputName(input));
            if (input == TapInput::UnpairedRelease) {
                EXPECT_EQ(step.transition, TapTransition::Impossible) << where;
                EXPECT_EQ(step.to, from) << where;
            }
            if (from == TapState::Idle) {
                // Nothing is held, so nothing can belong to what is held.
                if (isHeld(input)) {
                    EXPECT_EQ(step.transition, TapTransition::Impossible) << where;
                }
                const bool starts = input == TapInput::AutoScrollClickPress ||
                                    input == TapInput::AutoScrollHoldPress ||
                                    input == TapInput::GrabPress || input == TapInput::GesturePress;
                EXPECT_EQ(step.to != TapState::Idle, starts) << where;
                continue;
            }
            // Running: only the release of its own button brings it back.
            EXPECT_EQ(step.to == TapState::Idle, input == TapInput::HeldRelease) << where;
        }
    }
}

TEST(MouseTapMachineTest, WhileAGestureIsHeldEveryOtherPressIsARockerPress) {
    for (TapState from : {TapState::GestureArmed, TapState::GestureDrawing}) {
        const TapStep step = nextTapStep(from, TapInput::Press);
        EXPECT_EQ(step.transition, TapTransition::RockerPress);
        EXPECT_EQ(step.to, from);
    }
    EXPECT_EQ(nextTapStep(TapState::GestureArmed, TapInput::HeldDragFar).to,
              TapState::GestureDrawing);
    EXPECT_EQ(nextTapStep(TapState::AutoScrollArmed, TapInput::HeldDragFar).to,
              TapState::AutoScrollHolding);
}

// The whole tap: middle auto-scrolls, side 3 grabs, side 4 draws gestures;
// each of the three also has an assignment, so that an interaction ended by
// mistake shows as an action or a replayed click.
class MouseTapStateTest : public TapTestDesktop {
  protected:
    MouseTapStateTest() {
        settings().setAutoScrollButtonNumber(kMiddle);
        settings().setGrabButtonNumber(kSide3);
        settings().setGestureNumber(kSide4);
    }
    void assignAll() {
        for (std::int64_t b : {kMiddle, kSide3, kSide4}) assign(b, 0, media(0));
    }
    bool autoScrolling() { return AutoScroll::sharedInstance().isScrollingInProgress(); }
    std::uint64_t mouseTap() {
        for (const auto& t : desktop.simEventStream().taps())
            if (t.mask == MouseButtonListener::kMouseEventMask) return t.id;
        ADD_FAILURE() << "no mouse tap";
        return 0;
    }
    bool warned(const std::string& piece) const {
        for (const auto& r : desktop.records())
            if (auto* l = std::get_if<records::LogLine>(&r.what);
                l && l->level == platform::LogLevel::Warning &&
                l->message.find(piece) != std::string::npos)
                return true;
        return false;
    }
};

TEST_F(MouseTapStateTest, AReleaseWhosePressTheTapNeverSawPassesAndEndsNothing) {
    assignAll();
    settings().setIsHoldToActivate(true);
    release(kSide3);
    release(kSide4);
    release(kMiddle);
    EXPECT_EQ(seen(), "up3 up4 up2");
    EXPECT_TRUE(ran().empty());
    EXPECT_EQ(stages.mouse, std::vector<std::string>(3, "impossible pass"));
    EXPECT_TRUE(warned("unpairedRelease of button 3 while idle"));

    // The grab button pressed to stop a click-started auto-scroll: its press
    // went to auto-scroll, so its release is no grab's end and no click.
    forget();
    settings().setIsHoldToActivate(false);
    settings().getMouseButtonsDict()["3"]["0"]->isActive = 0;
    press(kMiddle);
    release(kMiddle);
    press(kSide3);
    release(kSide3);
    EXPECT_EQ(seen(), "up2 up3");
    EXPECT_EQ(stages.mouse,
              (std::vector<std::string>{"autoScroll swallow", "autoScroll pass",
                                        "autoScrollRunning swallow", "unclaimed pass"}));
    EXPECT_FALSE(listener().grabDown());
}

// A grab button pressed with the gesture button held is a rocker press, and
// the gesture still ends with its own release: the left button then clicks
// as usual instead of being taken for more rocker presses.
TEST_F(MouseTapStateTest, OneInteractionAtATimeAndTheLeftButtonFreeAfterIt) {
    addGesture("com.global", std::nullopt, kSide3, media(1));
    press(kSide4);
    press(kSide3);
    EXPECT_FALSE(listener().grabDown());
    release(kSide4);
    release(kSide3);
    leftPress();
    EXPECT_EQ(seen(), "up4 down4# up4# up3 Ldown");
    EXPECT_EQ(ran(), std::vector<std::uint32_t>{1});
    EXPECT_EQ(listener().state(), TapState::Idle);
}

TEST_F(MouseTapStateTest, AnInteractionEndsWithItsButtonWhateverChangedMeanwhile) {
    press(kSide3);
    settings().setGrabButtonNumber(5);
    release(kSide3);
    EXPECT_FALSE(listener().grabDown());
    EXPECT_FALSE(MouseMovementListener::sharedInstance().isListening());
    EXPECT_EQ(seen(), "down3! up3!") << "a grab without movement is a click";

    forget();
    press(kSide4);
    drag(kSide4, 400, 285);  // 15 points: the overlay comes up
    EXPECT_TRUE(windows->overlay.isVisible());
    settings().setGestureNumber(std::nullopt);
    release(kSide4);
    EXPECT_FALSE(listener().gestureDown());
    EXPECT_FALSE(windows->overlay.isVisible());
    EXPECT_EQ(seen(), "drag4") << "shown but not drawn: the release is swallowed";
}

TEST_F(MouseTapStateTest, APressTheApplicationSawIsReleasedThereEvenDuringAGrab) {
    press(kRight);
    press(kSide3);
    release(kRight);
    press(kMiddle);
    release(kMiddle);
    release(kSide3);
    EXPECT_EQ(seen(), "down1 up1 down3! up3!");
    EXPECT_EQ(stages.mouse,
              (std::vector<std::string>{"button pass", "grab swallow", "pairedRelease pass",
                                        "grabRunning swallow", "grabRunning swallow",
                                        "grab swallow", "ownEvent pass", "ownEvent pass"}));
}

// Side button 5 runs "Right Click" while the person holds the right button:
// the action's own press and release of button 1 come and go inside the
// person's press, whose release still pairs with it.
TEST_F(MouseTapStateTest, AnActionsClickOfTheHeldButtonLeavesThePersonsPressPaired) {
    constexpr std::int64_t kSide5 = 5;
    assign(kSide5, 0, simulated(1));
    press(kRight);
    press(kSide5);
    release(kSide5);
    release(kRight);
    EXPECT_EQ(seen(), "down1 down1 up1 up5 up1");
    EXPECT_EQ(stages.mouse,
              (std::vector<std::string>{"button pass", "button swallow", "button pass",
                                        "unclaimed pass", "unclaimed pass", "unclaimed pass"}));
    EXPECT_FALSE(warned("unpairedRelease"));

    // Where the fate of the person's press decides: it was swallowed by
    // Shift's assignment, so a grab begun afterwards keeps its release from
    // the application too.
    forget();
    assign(kRight, static_cast<std::int64_t>(platform::EventFlags::Shift), media(0));
    press(kRight, platform::EventFlags::Shift);
    press(kSide5);
    release(kSide5);
    press(kSide3);
    release(kRight, platform::EventFlags::Shift);
    release(kSide3);
    EXPECT_EQ(seen(), "down1 up1 up5 down3! up3!");
    EXPECT_EQ(ran(), std::vector<std::uint32_t>{0});
    EXPECT_FALSE(warned("unpairedRelease"));
}

TEST_F(MouseTapStateTest, TheSystemDisablingTheTapEndsWhatWasHeldWithoutAClick) {
    assignAll();
    struct Interaction {
        const char* name;
        std::int64_t button;
        bool holdMode;
        Point dragTo;
    } interactions[] = {
        {"grab", kSide3, false, {420, 300}},
        {"gesture", kSide4, false, {400, 285}},
        {"auto-scroll held", kMiddle, true, {400, 306}},
        {"auto-scroll clicked", kMiddle, false, {400, 300}},
    };
    for (auto reason : {EventType::TapDisabledByTimeout, EventType::TapDisabledByUserInput}) {
        for (const auto& i : interactions) {
            listener().startListeningToButtons();
            settings().setIsHoldToActivate(i.holdMode);
            press(i.button);
            drag(i.button, i.dragTo.x, i.dragTo.y);
            ASSERT_NE(listener().state(), TapState::Idle) << i.name;
            forget();
            ASSERT_TRUE(desktop.simEventStream().disableTap(mouseTap(), reason));
            EXPECT_EQ(listener().state(), TapState::Idle) << i.name;
            EXPECT_EQ(stages.transitions.size(), 1u) << i.name;
            EXPECT_EQ(stages.transitions.front().rfind("endInteraction ", 0), 0u) << i.name;
            EXPECT_FALSE(windows->overlay.isVisible()) << i.name;
            EXPECT_FALSE(autoScrolling()) << i.name;
            EXPECT_FALSE(MouseMovementListener::sharedInstance().isListening()) << i.name;
            EXPECT_EQ(listener().isListening(), reason == EventType::TapDisabledByTimeout);
            release(i.button);
            EXPECT_EQ(seen(), "up" + std::to_string(i.button)) << i.name;
            EXPECT_TRUE(ran().empty()) << i.name;
        }
    }
}

// The grab key and a mouse-button grab share one movement watcher: the key
// waits while the button grabs, and neither its release nor the grab key
// being switched off takes the watcher from the grab.
TEST_F(MouseTapStateTest, TheGrabKeyLeavesARunningButtonGrabItsMovementWatcher) {
    constexpr std::uint16_t kGrabKey = 5;
    settings().setGrabKeyNumber(kGrabKey);
    auto& keys = KeyListener::shared();
    keys.startListeningToKeys();
    auto& watcher = MouseMovementListener::sharedInstance();
    press(kSide3);
    desktop.inject(Event::keyboard(kGrabKey, true));
    desktop.inject(Event::keyboard(kGrabKey, false));
    EXPECT_TRUE(watcher.isListening());
    EXPECT_EQ(watcher.delegate(), &listener());
    keys.stopListeningToKeys();
    EXPECT_TRUE(watcher.isListening());
    drag(kSide3, 420, 300);
    EXPECT_EQ(listener().dragCounter(), 1);
    release(kSide3);
    EXPECT_FALSE(watcher.isListening());
}

// Every event a stage used is named after that stage, and every change of
// state is traced under its own name.
TEST_F(MouseTapStateTest, TheTraceNamesTheStageThatUsedTheEventAndEachTransition) {
    settings().setIsHoldToActivate(true);
    press(kMiddle);
    drag(kMiddle, 400, 303);
    drag(kMiddle, 400, 306);
    release(kMiddle);
    EXPECT_EQ(stages.mouse, (std::vector<std::string>{"autoScroll swallow", "autoScroll pass",
                                                      "autoScroll pass", "autoScroll swallow"}));
    EXPECT_EQ(stages.transitions,
              (std::vector<std::string>{"armAutoScroll idle>autoScrollArmed",
                                        "measureAutoScroll autoScrollArmed>autoScrollArmed",
                                        "activateAutoScroll autoScrollArmed>autoScrollHolding",
                                        "stopAutoScroll autoScrollHolding>idle"}));

    forget();
    addGesture("com.global", "1", std::nullopt, media(0));
    pointer(400, 600);
    press(kSide4);
    drag(kSide4, 400, 585);
    stroke(kSide4, 0, -100, 2);
    release(kSide4);
    EXPECT_EQ(ran(), std::vector<std::uint32_t>{0});
    EXPECT_EQ(stages.mouse,
              (std::vector<std::string>{"gesture swallow", "gesture pass", "gesture pass",
                                        "gesture pass", "gesture pass"}));
    EXPECT_EQ(
        stages.transitions,
        (std::vector<std::string>{
            "startGesture idle>gestureArmed", "showGesture gestureArmed>gestureDrawing",
            "drawGesture gestureDrawing>gestureDrawing",
            "drawGesture gestureDrawing>gestureDrawing", "finishGesture gestureDrawing>idle"}));
}

}  // namespace
}  // namespace wexo::testing

namespace wexo::testing {
namespace {

// No display link can be made: auto-scroll, grabs and smooth scrolling have
// no frames, yet every press still ends with its release, nothing is left
// held and the notches reach the applications.
TEST(MouseTapWithoutDisplayLinksTest, EveryInteractionStillEndsAndNothingStaysHeld) {
    platform::sim::SimDesktop desktop;
    desktop.simDisplayLinks().setCreationError(platform::sim::SimDisplayLinks::kInvalidDisplay);
    CompositionRoot root(desktop);
    ScrollAnimation scroller;
    scroller.startListeningToWheel();
    auto& settings = SettingsKeeper::shared();
    settings.setAutoScrollButtonNumber(kMiddle);
    settings.setGrabButtonNumber(kSide3);
    auto& listener = MouseButtonListener::shared();
    const Point at{400, 300};
    auto mouse = [&](EventType type, std::int64_t button, Point p) {
        Event e = Event::mouse(type, p, platform::MouseButton::Center);
        e.setIntegerField(EventField::MouseEventButtonNumber, button);
        desktop.inject(e);
    };
    for (std::int64_t button : {kMiddle, kSide3}) {
        mouse(EventType::OtherMouseDown, button, at);
        for (int i = 1; i <= 25; ++i) mouse(EventType::OtherMouseDragged, button, {at.x, at.y + i});
        mouse(EventType::OtherMouseUp, button, {at.x, at.y + 25});
        desktop.advanceBySeconds(1);
        EXPECT_EQ(listener.state(), TapState::Idle) << button;
    }
    Event notch = Event::scrollWheel(platform::ScrollEventUnit::Line, 1, -1);
    notch.setLocation(at);
    desktop.inject(notch);
    desktop.advanceBySeconds(1);

    int links = 0, notches = 0;
    std::map<std::int64_t, int> held;
    for (const auto& r : desktop.records()) {
        if (auto* l = std::get_if<records::LogLine>(&r.what))
            links += l->message == "DisplayLink created with error:-6661";
        auto* d = std::get_if<records::Deliver>(&r.what);
        if (!d) continue;
        const auto b = d->event.integerField(EventField::MouseEventButtonNumber);
        if (d->event.type() == EventType::OtherMouseDown) ++held[b];
        if (d->event.type() == EventType::OtherMouseUp) --held[b];
        notches += d->event.type() == EventType::ScrollWheel;
    }
    EXPECT_EQ(links, 3) << "the scroll, grab and auto-scroll engines each logged theirs";
    for (const auto& [button, count] : held) EXPECT_LE(count, 0) << "button " << button;
    EXPECT_GE(notches, 1);
}

}  // namespace
}  // namespace wexo::testing
