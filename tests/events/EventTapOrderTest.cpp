#include "events/EventTapOrder.h"

#include <gtest/gtest.h>

#include "TapTestDesktop.h"
#include "scroll/ScrollAnimation.h"

namespace wexo::testing {
namespace {

TEST(EventTapOrderTest, TapsStandInTheirPlaceWhateverOrderTheyAreCreatedIn) {
    platform::sim::SimDesktop desktop;
    EventTapOrder order(desktop.eventStream());
    std::string trace;
    auto tap = [&](SessionTap place, char name) {
        return order.createTap(place, platform::kEventMaskForAllEvents,
                               [&trace, name](EventType, Event&) {
                                   trace += name;
                                   return platform::Verdict::pass();
                               });
    };
    auto wheel = tap(SessionTap::Wheel, 'W');
    auto mouse = tap(SessionTap::Mouse, 'M');
    auto movement = tap(SessionTap::Movement, 'V');
    mouse->enable(false);
    // A new engine's wheel tap: the two before it go to the head again, the
    // mouse tap still disabled.
    auto newer = tap(SessionTap::Wheel, 'N');
    desktop.inject(Event::mouse(EventType::MouseMoved, {1, 1}, platform::MouseButton::Left));
    mouse->enable(true);
    desktop.inject(Event::mouse(EventType::MouseMoved, {1, 1}, platform::MouseButton::Left));
    EXPECT_EQ(trace, "VNWVMNW");

    mouse.reset();
    EXPECT_EQ(
        order.orderForTesting(),
        (std::vector<SessionTap>{SessionTap::Movement, SessionTap::Wheel, SessionTap::Wheel}));
    EXPECT_EQ(desktop.simEventStream().taps().size(), 3u);
}

using EventTapOrderScenarioTest = TapTestDesktop;

// The Scroll screen switched scrolling off and on: a new engine with a new
// wheel tap, made after the mouse tap. Wheel assignments still work.
TEST_F(EventTapOrderScenarioTest, AWheelTapMadeAfterTheMouseTapStandsBehindIt) {
    scroller->stopListeningToWheel();
    ScrollAnimation again;
    again.startListeningToWheel();
    assign(501, 0, media(0));
    wheel(-1);
    wheel(-1);
    at(1);
    EXPECT_EQ(ran(), std::vector<std::uint32_t>{0});
    EXPECT_EQ(seen(), "");
    EXPECT_EQ(stages.mouse, (std::vector<std::string>{"wheel swallow", "wheel pass"}));
}

}  // namespace
}  // namespace wexo::testing
