#include <gtest/gtest.h>

#include <algorithm>

#include "TapTestDesktop.h"
#include "autoscroll/AutoScroll.h"
#include "events/EngineLinks.h"
#include "events/MouseMovementListener.h"

namespace wexo::testing {
namespace {

// The special buttons: middle auto-scrolls, side 3 grabs, side 4 draws gestures.
class MouseTapTest : public TapTestDesktop {
  protected:
    void roles() {
        settings().setAutoScrollButtonNumber(kMiddle);
        settings().setGrabButtonNumber(kSide3);
        settings().setGestureNumber(kSide4);
    }
    bool autoScrolling() { return AutoScroll::sharedInstance().isScrollingInProgress(); }
    // A grab of side 3 with `movements` drags of one point each.
    void grab(int movements, std::uint64_t flags = 0) {
        press(kSide3, flags);
        for (int i = 1; i <= movements; ++i) drag(kSide3, 400 + i, 300);
        release(kSide3, flags);
    }
};

TEST_F(MouseTapTest, TheProgramsOwnEventsAndLeftButtonEventsSkipEveryStage) {
    roles();
    assign(kRight, 0, media(0));
    auto marked = [&](Event e, std::int64_t mark) {
        e.setIntegerField(EventField::EventSourceUserData, mark);
        desktop.inject(e);
    };
    marked(mouse(EventType::OtherMouseDown, where(), kSide3), -1700);  // the grab button
    marked(mouse(EventType::RightMouseDown, where(), kRight), -1700);  // an assigned button
    marked(Event::scrollWheel(platform::ScrollEventUnit::Pixel, 1, -5), -1600);
    leftPress();
    desktop.inject(mouse(EventType::LeftMouseDragged, {420, 300}, 0));
    Event repeated = mouse(EventType::RightMouseDown, where(), kRight);
    repeated.setIntegerField(EventField::KeyboardEventAutorepeat, 1);
    desktop.inject(repeated);

    EXPECT_EQ(seen(), "down3! down1! scroll Ldown Ldrag down1");
    EXPECT_TRUE(ran().empty());
    EXPECT_FALSE(listener().grabDown());
    EXPECT_EQ(stages.mouse,
              (std::vector<std::string>{"ownEvent pass", "ownEvent pass", "ownEvent pass",
                                        "leftButton pass", "leftButton pass", "autorepeat pass"}));
}

TEST_F(MouseTapTest, TheSystemsNoticesAndTheAccessibilityWatchdog) {
    const auto tap = [&] {
        for (const auto& t : desktop.simEventStream().taps())
            if (t.mask == MouseButtonListener::kMouseEventMask) return t;
        ADD_FAILURE() << "no mouse tap";
        return platform::sim::SimEventStream::TapInfo{};
    };
    EXPECT_TRUE(desktop.simEventStream().disableTap(tap().id, EventType::TapDisabledByTimeout));
    EXPECT_TRUE(tap().enabled);
    EXPECT_TRUE(desktop.simEventStream().disableTap(tap().id, EventType::TapDisabledByUserInput));
    EXPECT_FALSE(tap().enabled);

    listener().startListeningToButtons();
    desktop.simAccessibility().setTrusted(false);
    press(kRight);
    const auto records = desktop.records();
    EXPECT_TRUE(std::any_of(records.begin(), records.end(), [](const auto& r) {
        return std::holds_alternative<records::Relaunch>(r.what);
    }));
    EXPECT_FALSE(desktop.simProcess().alive());
}

TEST_F(MouseTapTest, AClickStartedAutoScrollEndsAtTheNextPressOfAnyButton) {
    roles();
    for (std::int64_t stopper : {std::int64_t{0}, kRight, kMiddle}) {
        forget();
        press(kMiddle);
        EXPECT_TRUE(autoScrolling());
        EXPECT_TRUE(windows->overlay.isVisible());
        // The icon where the pointer is, in the overlay's upward coordinates.
        EXPECT_EQ(screens.calls, (std::vector<std::string>{"views 2", "anchor 400,780"}));
        release(kMiddle);
        EXPECT_TRUE(autoScrolling()) << "the release leaves it running";
        stopper == 0 ? leftPress() : press(stopper);
        EXPECT_FALSE(autoScrolling());
        EXPECT_FALSE(windows->overlay.isVisible());
        EXPECT_EQ(seen(), "up2") << "the stopping press is swallowed, button " << stopper;
        if (stopper != 0) release(stopper);
    }
}

TEST_F(MouseTapTest, HoldModeStartsAtSixPointsAndReplaysAShorterPress) {
    roles();
    settings().setIsHoldToActivate(true);
    press(kMiddle);
    drag(kMiddle, 405.9, 294.1);  // 5 whole points on both axes
    EXPECT_FALSE(autoScrolling());
    release(kMiddle);
    EXPECT_EQ(seen(), "drag2 down2! up2!");

    forget();
    press(kMiddle);
    drag(kMiddle, 400, 306);
    EXPECT_TRUE(autoScrolling());
    EXPECT_TRUE(listener().autoScrollHoldEnoughDistanceActivated());
    release(kMiddle);
    EXPECT_FALSE(autoScrolling());
    EXPECT_FALSE(windows->overlay.isVisible());
    EXPECT_EQ(seen(), "drag2");
}

// Over a link, or outside a scroll area with smart scrolling, the press keeps
// its ordinary meaning, and so do its drags and its release.
TEST_F(MouseTapTest, PressesLeftToTheApplicationKeepTheirDragsAndRelease) {
    roles();
    settings().setIsHoldToActivate(true);
    for (bool overLink : {true, false}) {
        forget();
        settings().setIsOverLinkActAsButtonOutlt(overLink);
        settings().setIsSmartAutoScroll(!overLink);
        desktop.simCursor().setSystemCursor(overLink ? platform::CursorShape::PointingHand
                                                     : platform::CursorShape::Arrow);
        press(kMiddle);
        drag(kMiddle, 400, 360);
        release(kMiddle);
        EXPECT_EQ(seen(), "down2 drag2 up2") << overLink;
        EXPECT_FALSE(autoScrolling()) << overLink;
    }
}

TEST_F(MouseTapTest, AShortGrabIsAClickAndALongOneScrolls) {
    roles();
    assign(kSide3, 0, media(0));
    struct Row {
        int movements;
        bool assigned, actionsDisabled;
        std::uint64_t flags;
        std::vector<std::uint32_t> ran;
        std::string seen;
    } rows[] = {
        {19, true, false, 0, {0}, ""},
        {0, true, false, Flags::AlphaShift | 0xFF, {0}, ""},  // Caps Lock hides nothing
        {19, false, false, 0, {}, "down3! up3!"},
        {19, true, true, 0, {}, ""},
        {20, true, false, 0, {}, ""},
    };
    for (const auto& row : rows) {
        forget();
        settings().getMouseButtonsDict()["3"]["0"]->isActive = row.assigned ? 1 : 0;
        settings().setIsDisableGrabAction(row.actionsDisabled);
        grab(row.movements, row.flags);
        std::string expected;
        for (int i = 0; i < row.movements; ++i) expected += i ? " drag3" : "drag3";
        if (!row.seen.empty()) expected += (expected.empty() ? "" : " ") + row.seen;
        EXPECT_EQ(seen(), expected) << row.movements;
        EXPECT_EQ(ran(), row.ran) << row.movements;
        EXPECT_FALSE(listener().grabDown());
        EXPECT_FALSE(MouseMovementListener::sharedInstance().isListening());
    }
    // The long grab scrolled while it lasted.
    forget();
    press(kSide3);
    for (int i = 1; i <= 20; ++i) drag(kSide3, 400, 300 + i);
    at(0.05);
    EXPECT_NE(seen().find("scroll"), std::string::npos);
    release(kSide3);
}

TEST_F(MouseTapTest, DuringAGrabOtherButtonsTheLeftButtonAndTheWheelDoNothing) {
    roles();
    assign(kRight, 0, media(0));
    press(kSide3);
    forget();
    leftPress();
    desktop.inject(mouse(EventType::LeftMouseDragged, {410, 300}, 0));
    press(kRight);
    release(kRight);
    wheel(-1);
    EXPECT_TRUE(ran().empty());
    EXPECT_EQ(seen(), "");
    // The movement watcher, first in line, still saw the left press and drag.
    EXPECT_EQ(listener().dragCounter(), 2);
    EXPECT_EQ(stages.mouse, std::vector<std::string>(5, "grabRunning swallow"));
    EXPECT_TRUE(listener().grabDown());
}

TEST_F(MouseTapTest, APinnedGrabKeepsThePointerAtItsAnchorAndMovesItOnceAtTheEnd) {
    roles();
    settings().setIsDisableGrabMoveCursor(true);
    press(kSide3);
    drag(kSide3, 410, 300);
    drag(kSide3, 420, 300);
    for (const auto& e : delivered(EventType::OtherMouseDragged))
        EXPECT_EQ(e.location(), (Point{400, 300}));
    // The anchor icon 17 points below the pointer of the first movement.
    EXPECT_EQ(screens.calls, (std::vector<std::string>{"views 0", "anchor 410,763"}));
    EXPECT_TRUE(windows->overlay.isVisible());
    EXPECT_FALSE(windows->overlay.hasShadow());

    release(kSide3);
    EXPECT_EQ(seen(), "drag3 drag3 up3 down3! up3! move");
    ASSERT_EQ(delivered(EventType::MouseMoved).size(), 1u);
    EXPECT_EQ(delivered(EventType::MouseMoved)[0].location(), (Point{401, 300}));
    EXPECT_EQ(listener().anchorPointForGrab(), (Point{0, 0}));
    EXPECT_FALSE(windows->overlay.isVisible());
}

// The held flags are what the grab engine's maintenance timer reads; a tap
// switched off in the middle of a press ends what the press started.
TEST_F(MouseTapTest, HeldButtonsAreReportedAndEndWhenTheTapStops) {
    roles();
    ASSERT_EQ(mouseButtonState(), &listener());
    const auto held = [&] {
        auto* state = mouseButtonState();
        return std::string(state->autoScrollDown() ? "A" : "") + (state->grabDown() ? "G" : "") +
               (state->gestureDown() ? "D" : "");
    };
    for (std::int64_t button : {kMiddle, kSide3, kSide4}) {
        listener().startListeningToButtons();
        press(button);
        EXPECT_EQ(held(), button == kMiddle ? "A" : button == kSide3 ? "G" : "D");
        listener().stopListeningToButtons();
        EXPECT_FALSE(listener().isListening());
        EXPECT_EQ(held(), "") << button;
        EXPECT_EQ(listener().state(), TapState::Idle);
        EXPECT_FALSE(autoScrolling());
        EXPECT_FALSE(MouseMovementListener::sharedInstance().isListening());
        EXPECT_FALSE(windows->overlay.isVisible());
        release(button);
    }
}

}  // namespace
}  // namespace wexo::testing
