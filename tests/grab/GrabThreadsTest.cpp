#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "events/EngineLinks.h"
#include "events/MouseDirectionInspector.h"
#include "grab/EngineTestDesktop.h"
#include "grab/GrabnDragScroll.h"

namespace wexo::testing {
namespace {

// Display links on threads of their own, as on a real system: the frames
// read and write the engine's points and distances while the main thread
// reports movements, starts, releases and stops, and another thread keeps
// asking whether the grab animation runs (as the scroll engine does).
class GrabThreadsTest : public EngineTestDesktop {};

TEST_F(GrabThreadsTest, FramesOnTheLinkThreadSeeOneConsistentGrab) {
    desktop.setThreadedDisplayLinks(true);
    start();
    settings().setGrabAccelNumber(1);
    settings().setIsAnimateThrow(true);
    settings().setThrowDuration(4);
    auto& grab = GrabnDragScroll::sharedInstance();

    std::atomic<bool> done{false};
    std::thread scrollEngine([&] {
        while (!done.load()) {
            if (auto* link = grabEngine()) (void)link->isGrabAnimationRunning();
            std::this_thread::yield();
        }
    });

    // Every grab moves between y = 1000 and 1010, so no frame may scroll
    // more than 10; a frame that saw a stop's reset point (0, 0) beside a
    // live one would scroll about 1000. The movements come as fast as a
    // mouse reports them, across many frames, without waiting for them.
    for (int round = 0; round < 12; ++round) {
        grab.stopDisplayLink();
        MouseDirectionInspector inspector({1000, 1000});
        inspector.setDelegate(&grab.directionDelegate());
        settings().setIsReverseGrabVertical(round % 3 == 0);
        for (int i = 1; i <= 60; ++i) {
            inspector.grabDirection({1000, i % 2 ? 1010.0 : 1000.0}, 0, (i % 2) ? 10 : -10);
            grab.startDisplayLink();
            // Several changes a frame, and frames between them.
            if (i % 5 == 0) desktop.simDisplayLinks().waitForThreadedFrames(1, 0.1);
        }
        grab.stopScrollWithGrab();
        desktop.runFor(round % 2 ? 0.03 : 0.001);  // let some throws end, cut others short
    }
    grab.stopDisplayLink();
    done = true;
    scrollEngine.join();
    desktop.runFor(0.05);

    const auto scrolls = takeScrolls();
    EXPECT_FALSE(scrolls.empty());
    for (const auto& s : scrolls) {
        EXPECT_LE(std::llabs(s.vertical), 10);
        EXPECT_EQ(s.horizontal, 0);
    }
    EXPECT_FALSE(grab.isGrabAnimationRunning());
    EXPECT_EQ(desktop.simDisplayLinks().runningCount(), 0u);
}

}  // namespace
}  // namespace wexo::testing
