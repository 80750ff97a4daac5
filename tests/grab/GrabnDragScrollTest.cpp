#include "grab/GrabnDragScroll.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "events/EngineLinks.h"
#include "events/MouseDirectionInspector.h"
#include "grab/EngineTestDesktop.h"
#include "settings/KxDefaults.h"

namespace wexo::testing {
namespace {

using platform::Point;
using V = std::vector<std::int64_t>;

// A grab driven the way the taps drive it: the press stops the engine, each
// movement goes through the direction tracker and starts the link, the
// release asks for the throw.
class GrabTest : public EngineTestDesktop {
  protected:
    GrabTest() {
        start();
        settings().setGrabAccelNumber(1);
        settings().setIsAnimateThrow(true);
        settings().setThrowDuration(100);
    }
    GrabnDragScroll& grab() { return GrabnDragScroll::sharedInstance(); }
    void press(Point p) {
        grab().stopDisplayLink();
        inspector.emplace(p);
    }
    void move(Point to, double dx, double dy) {
        inspector->setDelegate(&grab().directionDelegate());
        inspector->grabDirection(to, dx, dy);
        grab().startDisplayLink();
    }
    // A grab at (100, 100) whose first movement only sets where the drag is
    // measured from (that frame scrolls 0), then a drag of `down` in one frame.
    void dragDown(double down) {
        press({100, 100});
        move({100, 101}, 0, 1);
        runFrames(1);
        move({100, 101 + down}, 0, down);
        runFrames(1);
    }
    void release() { grab().stopScrollWithGrab(); }
    std::size_t runningLinks() { return desktop.simDisplayLinks().runningCount(); }

    std::optional<MouseDirectionInspector> inspector;
};

TEST_F(GrabTest, LiveDragScrollsByTheFrameDistanceTimesTheSpeed) {
    settings().setGrabAccelNumber(2);
    dragDown(10);  // last - current = -10, so 2 * (-1) * (-10)
    runFrames(1);  // no movement
    EXPECT_EQ(takeVertical(), (V{0, 20, 0}));
    EXPECT_TRUE(grab().isGrabAnimationRunning());
}

TEST_F(GrabTest, ReverseOptionsFlipTheirAxisAndDistancesRoundUp) {
    settings().setIsReverseGrabVertical(true);
    press({200, 200});
    move({200, 200.5}, 0, 0.5);
    runFrames(1);
    // x: 200 - 197.5 = 2.5, rounded up to 3, not reversed: -3.
    // y: 200.5 - 190.5 = 10, reversed: +10.
    move({197.5, 190.5}, -2.5, -10);
    runFrames(1);
    EXPECT_EQ(takeScrolls(), (std::vector<Scroll>{{0, 0}, {10, -3}}));
}

TEST_F(GrabTest, ThrowDecaysAlongTheCubicEaseOutWithoutTheSpeedFactor) {
    settings().setGrabAccelNumber(3);
    settings().setThrowDuration(10);
    dragDown(30);  // live 3 * 30; the throw starts from 30
    release();
    runFrames(20);
    // 30 * (1 - t/10)^3 truncated: 30, 21.87, 15.36, 10.29, 6.48, 3.75, 1.92, 0.81.
    EXPECT_EQ(takeVertical(), (V{0, 90, 30, 21, 15, 10, 6, 3, 1, 0}));
    EXPECT_FALSE(grab().isGrabAnimationRunning());
    EXPECT_EQ(runningLinks(), 0u);
    const auto f = grab().fields();
    EXPECT_FALSE(f.localAnimateScroll);
    EXPECT_EQ(f.localThrowDuration, 1.0);
    EXPECT_EQ(f.lastPoint, (Point{0, 0}));
}

TEST_F(GrabTest, ThrowEndsOnceItsFramesExceedTheDuration) {
    settings().setThrowDuration(2.5);
    dragDown(1010);
    release();
    runFrames(10);
    // 1010 * 0.6^3 = 218.16, 1010 * 0.2^3 = 8.08; then the counter (3)
    // exceeds 2.5 although the last value was not 0.
    EXPECT_EQ(takeVertical(), (V{0, 1010, 1010, 218, 8}));
    EXPECT_EQ(runningLinks(), 0u);
}

// Each way a throw does not happen or ends early leaves the link stopped.
TEST_F(GrabTest, NoThrowAfterRestingWithThrowsOffOrOnANewGrab) {
    dragDown(30);
    runFrames(1);  // rested a frame: the throw's first frame is 0 and ends it
    release();
    runFrames(5);
    EXPECT_EQ(takeVertical(), (V{0, 30, 0, 0}));

    settings().setIsAnimateThrow(false);
    dragDown(30);
    release();
    EXPECT_FALSE(grab().isGrabAnimationRunning());
    runFrames(5);
    EXPECT_EQ(takeVertical(), (V{0, 30}));

    settings().setIsAnimateThrow(true);
    settings().setThrowDuration(10);
    dragDown(30);
    release();
    runFrames(2);
    press({300, 300});
    runFrames(5);
    EXPECT_EQ(takeVertical(), (V{0, 30, 30, 21}));

    // A length that never ends (or a negative one) is no throw at all.
    settings().setThrowDuration(std::numeric_limits<double>::infinity());
    dragDown(30);
    release();
    runFrames(5);
    EXPECT_EQ(takeVertical(), (V{0, 30, 0}));
    EXPECT_EQ(runningLinks(), 0u);
}

// With the pointer pinned, the summed deltas scroll along the last direction
// only, and the throw follows that direction's sign.
TEST_F(GrabTest, PinnedPointerScrollsTheDeltasAlongTheDirection) {
    settings().setIsDisableGrabMoveCursor(true);
    settings().setThrowDuration(10);
    press({500, 500});
    move({500, 504}, 0, 4);
    move({500, 506}, 0, 6);
    runFrames(2);            // 4 + 6 down is direction 1; the next frame has no deltas
    move({503, 505}, 3, 5);  // reports right, then down: only vertical scrolls
    runFrames(1);
    release();
    runFrames(10);
    // 5 * (1 - t/10)^3: 5, 3.645, 2.56, 1.715, 1.08, 0.625.
    EXPECT_EQ(takeVertical(), (V{10, 0, 5, 5, 3, 2, 1, 1, 0}));
}

TEST_F(GrabTest, SpeedBelowOneReadsAsOne) {
    settings().setGrabAccelNumber(0);  // the cache before the Grab screen fills it
    dragDown(7);
    EXPECT_EQ(takeVertical(), (V{0, 7}));
}

class GrabLinkFailureTest : public EngineTestDesktop {};

TEST_F(GrabLinkFailureTest, FailedLinkIsLoggedAndLeavesNothingRunning) {
    desktop.simDisplayLinks().setCreationError(-6660);
    start();
    auto& grab = GrabnDragScroll::sharedInstance();
    settings().setIsAnimateThrow(true);
    grab.stopDisplayLink();
    grab.foundNewEvent({10, 10}, 0, 5);
    grab.startDisplayLink();
    grab.stopScrollWithGrab();
    // Left set, the running flag would hold off wheel scrolling for good.
    EXPECT_FALSE(grab.isGrabAnimationRunning());
    desktop.advanceBySeconds(1);
    EXPECT_EQ(countOf<platform::sim::records::Deliver>(), 0u);
    const auto errors = loggedErrors();
    EXPECT_NE(std::find(errors.begin(), errors.end(), "DisplayLink created with error:-6660"),
              errors.end());
}

// ---- The maintenance timer ----

class HeldButtons : public MouseButtonStateLink {
  public:
    bool grab = false, gesture = false, autoScroll = false;
    bool grabDown() const override { return grab; }
    bool gestureDown() const override { return gesture; }
    bool autoScrollDown() const override { return autoScroll; }
};

class MaintenanceTimerTest : public GrabTest {
  protected:
    static constexpr double kInterval = 7200;
    std::size_t relaunches() const { return countOf<platform::sim::records::Relaunch>(); }
    // Whole seconds since 1970 at a virtual time.
    std::int64_t wallClockAt(double virtualSeconds) {
        return static_cast<std::int64_t>(desktop.runLoop().wallClock() - desktop.nowSeconds() +
                                         virtualSeconds);
    }
    HeldButtons buttons;
    SharedInstallation<MouseButtonStateLink> buttonsInstallation{&buttons};
};

TEST_F(MaintenanceTimerTest, NeverRestartsWhileASpecialButtonIsHeld) {
    for (bool* held : {&buttons.grab, &buttons.gesture, &buttons.autoScroll}) {
        *held = true;
        desktop.advanceBySeconds(kInterval);
        *held = false;
    }
    desktop.advanceBySeconds(kInterval - 1);
    EXPECT_EQ(relaunches(), 0u);
    desktop.advanceBySeconds(1);
    EXPECT_EQ(relaunches(), 1u);
    EXPECT_EQ(countOf<platform::sim::records::Exit>(), 1u);
}

TEST_F(MaintenanceTimerTest, ScrollingWithin301SecondsHoldsOffTheRestart) {
    KxDefaults::setScrollingEnabled(true);
    settings().setLastScrollTimestamp(wallClockAt(kInterval) - 300);
    desktop.advanceBySeconds(kInterval);
    EXPECT_EQ(relaunches(), 0u);
    settings().setLastScrollTimestamp(wallClockAt(2 * kInterval) - 301);
    desktop.advanceBySeconds(kInterval);
    EXPECT_EQ(relaunches(), 1u);
}

TEST_F(MaintenanceTimerTest, RecentScrollingCountsOnlyWhileScrollingIsEnabled) {
    KxDefaults::setScrollingEnabled(false);
    settings().setLastScrollTimestamp(wallClockAt(kInterval) - 1);
    desktop.advanceBySeconds(kInterval);
    EXPECT_EQ(relaunches(), 1u);
}

}  // namespace
}  // namespace wexo::testing
