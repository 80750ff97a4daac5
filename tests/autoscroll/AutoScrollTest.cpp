#include "autoscroll/AutoScroll.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "events/ApplicationLink.h"
#include "grab/EngineTestDesktop.h"

namespace wexo::testing {
namespace {

using platform::Point;
using V = std::vector<std::int64_t>;

// Auto-scroll as the tap drives it: started with the pointer's place in the
// overlay window as the anchor, the pointer then moved around it (global
// coordinates, y down: "above" is a smaller y).
class AutoScrollTest : public EngineTestDesktop {
  protected:
    static constexpr Point kAnchor{800, 500};

    AutoScrollTest() {
        start();
        settings().setAutoScrollAccelNumber(20);
        settings().setIsAnimateRelease(false);
        settings().setReleaseDuration(100);
    }
    AutoScroll& engine() { return AutoScroll::sharedInstance(); }
    void pointerAt(Point global) { desktop.simEventStream().setPointer(global); }
    void pointerFromAnchor(double right, double up) {
        pointerAt({kAnchor.x + right, kAnchor.y - up});
    }
    void begin() {
        pointerAt(kAnchor);
        engine().startDisplayLinkWithPoint(
            applicationLink()->gestureWindow().mouseLocationOutsideOfEventStream());
    }
    std::size_t runningLinks() { return desktop.simDisplayLinks().runningCount(); }
};

TEST_F(AutoScrollTest, SpeedFollowsTheDistanceBeyondTheDeadZone) {
    begin();
    pointerFromAnchor(0, 115);  // (115 - 15) / (21 - 20)
    runFrames(2);
    EXPECT_EQ(takeScrolls(), (std::vector<Scroll>{{100, 0}, {100, 0}}));
    settings().setAutoScrollAccelNumber(1);  // (115 - 15) / 20
    runFrames(1);
    EXPECT_EQ(takeVertical(), (V{5}));
    settings().setAutoScrollAccelNumber(10);
    pointerFromAnchor(40, 0);  // right: (40 - 15) / 11 = 2, scrolling toward negative
    runFrames(1);
    pointerFromAnchor(-40, -10);  // left
    runFrames(1);
    EXPECT_EQ(takeScrolls(), (std::vector<Scroll>{{0, -2}, {0, 2}}));
}

TEST_F(AutoScrollTest, ReverseOptionsSwapTheDirectionsOfTheirAxis) {
    settings().setIsReverseAutoScrollVertical(true);
    settings().setIsReverseAutoScrollHorizontal(true);
    begin();
    pointerFromAnchor(0, -35);  // below: 2, reversed to 1, so +20
    runFrames(1);
    pointerFromAnchor(35, 0);  // right: 4, reversed to 3, so +20
    runFrames(1);
    EXPECT_EQ(takeScrolls(), (std::vector<Scroll>{{20, 0}, {0, 20}}));
}

TEST_F(AutoScrollTest, DeadZonePostsNothingAndItsEdgeScrollsZero) {
    begin();
    pointerFromAnchor(0, 14);
    runFrames(3);
    EXPECT_TRUE(takeScrolls().empty());
    pointerFromAnchor(14.9, -14.9);  // still within on both axes
    runFrames(1);
    EXPECT_TRUE(takeScrolls().empty());
    pointerFromAnchor(0, 15);
    runFrames(2);
    EXPECT_EQ(takeVertical(), (V{0, 0}));
}

TEST_F(AutoScrollTest, DiagonalScrollsVertically) {
    begin();
    pointerFromAnchor(30, 30);
    runFrames(1);
    pointerFromAnchor(-30, -30);
    runFrames(1);
    pointerFromAnchor(31, 30);
    runFrames(1);
    EXPECT_EQ(takeScrolls(), (std::vector<Scroll>{{15, 0}, {-15, 0}, {0, -16}}));
    EXPECT_EQ(engine().fields().currentDirection, 4u);
}

// Super slow-down paces single pixels: every N frames at the dead zone's
// edge, every N / speed frames (at least every frame) beyond it.
TEST_F(AutoScrollTest, SuperSlowDownPacesSinglePixels) {
    settings().setAutoScrollSuperSlowDownNumber(10);
    begin();
    pointerFromAnchor(0, 15);  // speed 0: k = 10
    runFrames(20);
    V expected(20, 0);
    expected[9] = expected[19] = 1;
    EXPECT_EQ(takeVertical(), expected);

    pointerFromAnchor(0, 18);  // speed 3: k = 10 / 3 = 3; counter goes on at 21
    runFrames(6);
    EXPECT_EQ(takeVertical(), (V{1, 0, 0, 1, 0, 0}));
    pointerFromAnchor(0, 27);  // speed 12: 10 / 12 = 0, taken as 1
    runFrames(3);
    EXPECT_EQ(takeVertical(), (V{1, 1, 1}));
    pointerFromAnchor(0, -27);  // below: the single pixels go down
    runFrames(1);
    EXPECT_EQ(takeVertical(), (V{-1}));
    pointerFromAnchor(40, 0);  // horizontal scrolling is not slowed down
    runFrames(1);
    EXPECT_EQ(takeScrolls(), (std::vector<Scroll>{{0, -25}}));
}

TEST_F(AutoScrollTest, ReleaseEasesTheLastSpeedOutThenStops) {
    settings().setIsAnimateRelease(true);
    settings().setReleaseDuration(10);
    begin();
    pointerFromAnchor(0, 115);
    runFrames(1);
    engine().stopDisplayLink();
    EXPECT_FALSE(engine().isScrollingInProgress());
    runFrames(12);
    // 100 * (1 - t/10)^3: 100, 72.9, 51.2, 34.3, 21.6, 12.5, 6.4, 2.7, 0.8.
    EXPECT_EQ(takeVertical(), (V{100, 100, 72, 51, 34, 21, 12, 6, 2, 0}));
    EXPECT_EQ(runningLinks(), 0u);
    const auto f = engine().fields();
    EXPECT_FALSE(f.isAnimatingRelease);
    EXPECT_EQ(f.currentVerticalDistance, 0);
    EXPECT_EQ(f.superSlowDownCounter, 0);
    EXPECT_EQ(f.localReleaseDuration, 1.0);
}

TEST_F(AutoScrollTest, ReleasePausesInTheDeadZoneAndContinuesOnTheOtherAxis) {
    settings().setIsAnimateRelease(true);
    settings().setReleaseDuration(10);
    settings().setAutoScrollAccelNumber(10);
    begin();
    pointerFromAnchor(48, 0);  // horizontal speed 3
    runFrames(1);
    pointerFromAnchor(0, 125);  // vertical speed 10
    runFrames(1);
    engine().stopDisplayLink();
    runFrames(1);  // 10
    pointerFromAnchor(0, 5);
    runFrames(3);               // paused
    pointerFromAnchor(-30, 0);  // left: the horizontal speed 3, at t = 1
    runFrames(2);
    EXPECT_EQ(takeScrolls(), (std::vector<Scroll>{{0, -3}, {10, 0}, {10, 0}, {0, 2}, {0, 1}}));
    EXPECT_TRUE(engine().fields().isAnimatingRelease);
}

// A speed of 21 would divide by zero and one above it scroll backward; the
// frames take such speeds as 20, log the value once, and keep scrolling the
// right way. Values below 0 are the slowest speed, 0.
TEST_F(AutoScrollTest, SpeedSettingIsBroughtIntoRange) {
    begin();
    pointerFromAnchor(0, 115);
    settings().setAutoScrollAccelNumber(21);
    runFrames(2);
    settings().setAutoScrollAccelNumber(25);
    runFrames(1);
    settings().setAutoScrollAccelNumber(-5);  // 100 / 21
    runFrames(1);
    settings().setAutoScrollAccelNumber(std::numeric_limits<double>::quiet_NaN());  // 100 / 11
    runFrames(1);
    settings().setAutoScrollAccelNumber(20.7);  // a fraction is dropped
    runFrames(1);
    EXPECT_EQ(takeVertical(), (V{100, 100, 100, 4, 9, 100}));
    const auto errors = loggedErrors();
    EXPECT_EQ(std::count(errors.begin(), errors.end(),
                         "Auto-scroll speed 21 is out of range; scrolling at speed 20."),
              1);
    EXPECT_EQ(std::count(errors.begin(), errors.end(),
                         "Auto-scroll speed 25 is out of range; scrolling at speed 20."),
              1);
}

TEST_F(AutoScrollTest, StopWithoutReleaseOrWithAnUnusableLengthEndsAtOnce) {
    begin();
    pointerFromAnchor(0, 115);
    runFrames(1);
    engine().stopDisplayLink();
    runFrames(3);
    EXPECT_EQ(takeVertical(), (V{100}));
    EXPECT_EQ(engine().fields().currentVerticalDistance, 0);

    settings().setIsAnimateRelease(true);
    settings().setReleaseDuration(-3);  // read as no animation: one last frame of 0
    begin();
    pointerFromAnchor(0, 115);
    runFrames(1);
    engine().stopDisplayLink();
    runFrames(3);
    EXPECT_EQ(takeVertical(), (V{100, 0}));
    EXPECT_EQ(runningLinks(), 0u);
}

// ---- The smart-scroll test ----

// A chain of nested elements, the outermost first; the pointer is over the
// innermost, whose ancestors are the elements before it.
class SmartScrollTest : public EngineTestDesktop {
  protected:
    void chain(const std::vector<std::optional<std::string>>& roles) {
        std::vector<platform::sim::SimElement> elements;
        for (std::size_t i = 0; i < roles.size(); ++i) {
            platform::sim::SimElement e;
            e.bounds = platform::Rect(0, 0, 1000 - 10.0 * i, 1000 - 10.0 * i);
            e.role = roles[i];
            if (i > 0) e.parent = i - 1;
            elements.push_back(e);
        }
        desktop.simAccessibility().setElements(elements);
    }
    // The innermost element with `depth` ancestors, the one at `scrollAt`
    // (1 = parent) a scroll area and the others groups.
    void chainWithScrollArea(std::size_t depth, std::size_t scrollAt) {
        std::vector<std::optional<std::string>> roles(depth + 1, "AXGroup");
        roles[depth - scrollAt] = "AXScrollArea";
        chain(roles);
    }
    bool isScrollArea() { return AutoScroll::sharedInstance().isScrollArea(); }
};

TEST_F(SmartScrollTest, ScrollAreaUpToTheSixthAncestorButNotTheSeventh) {
    start();
    for (std::size_t at = 1; at <= 6; ++at) {
        chainWithScrollArea(7, at);
        desktop.simEventStream().setPointer({static_cast<double>(at), 5});  // a fresh look
        EXPECT_TRUE(isScrollArea()) << "scroll area as ancestor " << at;
    }
    chainWithScrollArea(7, 7);
    desktop.simEventStream().setPointer({8, 5});
    EXPECT_FALSE(isScrollArea());
}

// The element itself may be a scroll area or a list; an ancestor only a
// scroll area, and an ancestor without a role ends the search.
TEST_F(SmartScrollTest, RolesOfTheElementAndItsAncestors) {
    start();
    const std::vector<std::pair<std::vector<std::optional<std::string>>, bool>> cases = {
        {{"AXGroup", "AXList"}, true},
        {{"AXGroup", "AXScrollArea"}, true},
        {{"AXList", "AXGroup"}, false},
        {{"AXScrollArea", std::nullopt, "AXGroup"}, false},
    };
    double x = 1;
    for (const auto& [roles, expected] : cases) {
        chain(roles);
        desktop.simEventStream().setPointer({x++, 5});  // a fresh look each time
        EXPECT_EQ(isScrollArea(), expected) << roles.size() << " elements";
    }
}

TEST_F(SmartScrollTest, SamePointerPositionKeepsTheElementItFound) {
    start();
    chain({"AXScrollArea"});
    desktop.simEventStream().setPointer({5, 5});
    EXPECT_TRUE(isScrollArea());
    // The scroll area moves away and a group comes under the pointer; the
    // pointer did not move, so the scroll area found before still counts.
    platform::sim::SimElement moved{platform::Rect(2000, 0, 10, 10), "AXScrollArea", {}};
    platform::sim::SimElement group{platform::Rect(0, 0, 100, 100), "AXGroup", {}};
    desktop.simAccessibility().setElements({moved, group});
    EXPECT_TRUE(isScrollArea());
    desktop.simEventStream().setPointer({6, 5});
    EXPECT_FALSE(isScrollArea());
}

TEST_F(SmartScrollTest, WithoutTrustAtStartNothingIsAScrollArea) {
    desktop.simAccessibility().setTrusted(false);
    start();
    desktop.simAccessibility().setTrusted(true);
    chain({"AXScrollArea"});
    desktop.simEventStream().setPointer({5, 5});
    EXPECT_FALSE(isScrollArea());
}

}  // namespace
}  // namespace wexo::testing
