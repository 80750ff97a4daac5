#include <gtest/gtest.h>

#include "TapTestDesktop.h"
#include "autoscroll/AutoScroll.h"
#include "events/KeyListener.h"

namespace wexo::testing {
namespace {

using AssignmentRoutingTest = TapTestDesktop;

constexpr std::int64_t kScrollUp = 500, kScrollDown = 501, kScrollRight = 503;

TEST_F(AssignmentRoutingTest, ModifierKeysSelectTheAssignmentCapsLockAndLowBitsDoNot) {
    assign(kSide3, Flags::Shift, media(0));
    assign(kSide3, Flags::Shift | Flags::Command, media(1));
    assign(kSide3, 0, media(7), /*active=*/false);
    const struct Row {
        std::uint64_t flags;
        std::vector<std::uint32_t> ran;
        std::string seen;
    } rows[] = {
        {Flags::Shift | Flags::AlphaShift | 0xFF, {0}, ""},
        {Flags::Shift | Flags::Command, {1}, ""},
        {0, {}, "down3"},               // inactive
        {Flags::Control, {}, "down3"},  // nothing under Control
    };
    for (const auto& row : rows) {
        forget();
        press(kSide3, row.flags);
        EXPECT_EQ(ran(), row.ran) << row.flags;
        EXPECT_EQ(seen(), row.seen) << row.flags;
    }
}

// The wheel tap stands behind the mouse tap and drops every notch of an
// assigned direction: the action fires at most once per 0.3 s and the
// direction never scrolls, Caps Lock or not.
TEST_F(AssignmentRoutingTest, AWheelDirectionFiresAtMostOncePerPauseAndNeverScrolls) {
    assign(kScrollDown, 0, media(0));
    for (double t : {0.0, 0.1, 0.29, 0.31, 0.5}) {
        at(t);
        wheel(-1, t == 0.1 ? Flags::AlphaShift : 0);
    }
    at(1.5);
    EXPECT_EQ(ran(), (std::vector<std::uint32_t>{0, 0}));
    EXPECT_EQ(seen(), "");
    EXPECT_EQ(stages.mouse, (std::vector<std::string>{"wheel swallow", "wheel pass", "wheel pass",
                                                      "wheel swallow", "wheel pass"}));

    // Another direction scrolls as ever.
    wheel(1);
    at(2.5);
    EXPECT_NE(seen().find("scroll"), std::string::npos);
}

TEST_F(AssignmentRoutingTest, TrackpadPhasesNeverFireAndNoMovementIsScrollRight) {
    assign(kScrollUp, 0, media(0));
    assign(kScrollRight, 0, media(1));
    const struct Row {
        std::int64_t vertical, phase, momentum;
        std::vector<std::uint32_t> ran;
    } rows[] = {
        {10, 1, 0, {}},
        {10, 0, 2, {}},
        {10, 0, 0, {0}},
        {0, 0, 0, {1}},
    };
    for (const auto& row : rows) {
        forget();
        at(desktop.nowSeconds() + 1);  // past the pause
        Event e = Event::scrollWheel(platform::ScrollEventUnit::Pixel, 1,
                                     static_cast<std::int32_t>(row.vertical));
        e.setIntegerField(EventField::ScrollWheelEventScrollPhase, row.phase);
        e.setIntegerField(EventField::ScrollWheelEventMomentumPhase, row.momentum);
        desktop.inject(e);
        EXPECT_EQ(ran(), row.ran) << row.vertical << " " << row.phase << " " << row.momentum;
    }
}

// In front with a tab on, a press goes to the screen that waits for a button
// instead of doing what it would do elsewhere.
TEST_F(AssignmentRoutingTest, ScreensInFrontCaptureButtonsAndWheelDirections) {
    settings().setAutoScrollButtonNumber(kMiddle);
    assign(kScrollDown, 0, media(0));
    assign(kSide3, 0, media(1));
    const struct Row {
        PreferencesTab tab;
        std::int64_t button;  // or a wheel direction
        bool pointerInList;
        std::vector<std::string> calls;
        std::vector<std::uint32_t> ran;
    } rows[] = {
        {PreferencesTab::Buttons, kSide3, false, {"select 3"}, {}},
        {PreferencesTab::Buttons, kMiddle, false, {"select 2"}, {}},  // not auto-scroll
        {PreferencesTab::Buttons, kScrollDown, true, {"select 501"}, {}},
        {PreferencesTab::Buttons, kScrollDown, false, {}, {0}},  // the wheel off the list
        {PreferencesTab::Gestures, kSide3, false, {"gestureButton 3"}, {}},
        {PreferencesTab::Grab, kSide3, false, {"grabButton 3"}, {}},
        {PreferencesTab::Auto, kRight, true, {}, {}},  // already has its button
    };
    KeyListener::shared().startListeningToKeys();  // awaiting a grab key
    for (const auto& row : rows) {
        forget();
        at(desktop.nowSeconds() + 1);
        showPreferences({row.tab});
        screens.pointerInList = row.pointerInList;
        row.button >= kScrollUp ? wheel(-1) : press(row.button);
        EXPECT_EQ(screens.calls, row.calls) << row.button;
        EXPECT_EQ(ran(), row.ran) << row.button;
        EXPECT_FALSE(AutoScroll::sharedInstance().isScrollingInProgress());
    }
    // The Buttons screen finds the captured button under "temp", with no
    // modifiers, and its window was brought forward for each capture.
    auto& table = settings().getMouseButtonsDict();
    EXPECT_EQ(table["501"]["temp"]->buttonNumber, kScrollDown);
    EXPECT_EQ(table["3"]["temp"]->modifiers, 0);
    EXPECT_EQ(windows->frontedRegardless, 3);
    EXPECT_FALSE(KeyListener::shared().isCapturingGrabKey());

    // The Auto screen still waiting for its button takes it.
    forget();
    settings().setAutoScrollButtonNumber(std::nullopt);
    press(kRight);
    EXPECT_EQ(screens.calls, std::vector<std::string>{"autoButton 1"});
}

}  // namespace
}  // namespace wexo::testing
