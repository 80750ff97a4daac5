#include <gtest/gtest.h>

#include <vector>

#include "CountingNew.h"
#include "QuietPostPlatform.h"
#include "app/CompositionRoot.h"
#include "scroll/ScrollAnimation.h"

namespace wexo::testing {
namespace {

using platform::Event;

std::vector<int> sink;

// A wheel notch whose settings are in force and a running frame allocate
// nothing: both run at the rate of the wheel or of the display.
TEST(ScrollAllocationTest, InForceNotchesAndFramesAllocateNothing) {
    platform::sim::SimDesktop desktop;
    platform::RunningApplication safari;
    safari.pid = 501;
    safari.bundleIdentifier = "com.apple.Safari";
    desktop.simWorkspace().setApplications({safari});
    desktop.simWindowList().setWindows({{501, 0, platform::Rect(0, 0, 1920, 1080), {}}});
    desktop.simEventStream().setPointer(platform::Point{400, 300});
    QuietPostPlatform quiet(desktop);
    CompositionRoot root(quiet);
    ScrollAnimation engine;
    engine.startListeningToWheel();
    // The count sees allocations at all.
    ASSERT_EQ(AllocationCount::of([] { sink.assign(sink.capacity() + 1000, 0); }), 1);

    Event notch = Event::scrollWheel(platform::ScrollEventUnit::Line, 1, -1);
    notch.setLocation(platform::Point{400, 300});
    notch.setIntegerField(platform::EventField::EventTargetUnixProcessID, 501);
    // The first notch resolves the settings (and may allocate doing so).
    ASSERT_TRUE(engine.scrollEventCallback(platform::EventType::ScrollWheel, notch).swallows());
    ASSERT_TRUE(engine.lastUnderMouseApp());

    EXPECT_EQ(AllocationCount::of([&] {
                  for (int i = 0; i < 100; ++i)
                      (void)engine.scrollEventCallback(platform::EventType::ScrollWheel, notch);
              }),
              0);
    EXPECT_EQ(engine.stateForTesting().cumulativePixels, 101 * 200);

    EXPECT_EQ(AllocationCount::of([&] {
                  for (int i = 0; i < 50; ++i) engine.displayLinkCallback();
              }),
              0);
    EXPECT_EQ(quiet.stream().postedCount, 50);
}

}  // namespace
}  // namespace wexo::testing
