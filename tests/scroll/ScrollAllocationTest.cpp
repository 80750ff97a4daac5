#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <vector>

#include "QuietPostPlatform.h"
#include "app/CompositionRoot.h"
#include "scroll/ScrollAnimation.h"

// Allocations are counted only on the thread that asks for it, only while it
// does; everything else allocates as usual.
namespace {
thread_local bool countAllocations = false;
thread_local long allocations = 0;
}  // namespace

// Not inlined: GCC would otherwise pair its own idea of new with free() and
// warn of a mismatch that is not there.
[[gnu::noinline]] void* operator new(std::size_t size) {
    if (countAllocations) ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace wexo::testing {
namespace {

using platform::Event;

std::vector<int> sink;

template <class F>
long allocationsOf(F&& work) {
    allocations = 0;
    countAllocations = true;
    work();
    countAllocations = false;
    return allocations;
}

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
    ScrollAnimation& engine = *root.scrollAnimation();
    // The count sees allocations at all.
    ASSERT_EQ(allocationsOf([] { sink.resize(1000); }), 1);

    Event notch = Event::scrollWheel(platform::ScrollEventUnit::Line, 1, -1);
    notch.setLocation(platform::Point{400, 300});
    notch.setIntegerField(platform::EventField::EventTargetUnixProcessID, 501);
    // The first notch resolves the settings (and may allocate doing so).
    ASSERT_TRUE(engine.scrollEventCallback(platform::EventType::ScrollWheel, notch).swallows());
    ASSERT_TRUE(engine.lastUnderMouseApp());

    EXPECT_EQ(allocationsOf([&] {
                  for (int i = 0; i < 100; ++i)
                      (void)engine.scrollEventCallback(platform::EventType::ScrollWheel, notch);
              }),
              0);
    EXPECT_EQ(engine.stateForTesting().cumulativePixels, 101 * 200);

    EXPECT_EQ(allocationsOf([&] {
                  for (int i = 0; i < 50; ++i) engine.displayLinkCallback();
              }),
              0);
    EXPECT_EQ(quiet.stream().postedCount, 50);
}

}  // namespace
}  // namespace wexo::testing
