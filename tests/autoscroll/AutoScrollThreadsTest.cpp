#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "autoscroll/AutoScroll.h"
#include "events/ApplicationLink.h"
#include "events/EngineLinks.h"
#include "grab/EngineTestDesktop.h"

namespace wexo::testing {
namespace {

// Threaded display links: the frames read the anchor, the speeds and the
// pointer while the main thread starts and stops auto-scroll, moves the
// pointer and changes the settings, and the tap's question whether
// auto-scroll runs comes from another thread.
class AutoScrollThreadsTest : public EngineTestDesktop {};

TEST_F(AutoScrollThreadsTest, FramesOnTheLinkThreadSeeOneConsistentAnchor) {
    desktop.setThreadedDisplayLinks(true);
    start();
    settings().setAutoScrollAccelNumber(20);
    settings().setIsAnimateRelease(true);
    settings().setReleaseDuration(3);
    auto& engine = AutoScroll::sharedInstance();
    auto& window = applicationLink()->gestureWindow();

    std::atomic<bool> done{false};
    std::thread asker([&] {
        while (!done.load()) {
            if (auto* link = autoScrollEngine()) (void)link->isScrollingInProgress();
            std::this_thread::yield();
        }
    });

    // Each round anchors somewhere else and keeps the pointer within 115
    // points of its anchor, so no frame may scroll more than 100; a frame
    // pairing one round's anchor with another's pointer would. The pointer
    // and the settings change continuously across many frames.
    for (int round = 0; round < 12; ++round) {
        const platform::Point anchor{200.0 + 600 * (round % 2), 200.0 + 500 * (round % 2)};
        desktop.simEventStream().setPointer(anchor);
        engine.startDisplayLinkWithPoint(window.mouseLocationOutsideOfEventStream());
        for (int i = 0; i < 60; ++i) {
            desktop.simEventStream().setPointer(
                {anchor.x + (i % 3 == 0 ? 115 : 0), anchor.y - (i % 3 == 1 ? 115 : 0)});
            settings().setAutoScrollSuperSlowDownNumber(round % 4 == 0 ? 5 : 0);
            settings().setAutoScrollAccelNumber(i % 2 ? 20 : 25);
            // Several changes a frame, and frames between them.
            if (i % 5 == 0) desktop.simDisplayLinks().waitForThreadedFrames(1, 0.1);
        }
        engine.stopDisplayLink();
        desktop.runFor(round % 2 ? 0.03 : 0.001);
    }
    settings().setIsAnimateRelease(false);
    engine.stopDisplayLink();
    done = true;
    asker.join();
    desktop.runFor(0.05);

    const auto scrolls = takeScrolls();
    EXPECT_FALSE(scrolls.empty());
    for (const auto& s : scrolls) {
        EXPECT_LE(std::llabs(s.vertical), 100);
        EXPECT_LE(std::llabs(s.horizontal), 100);
    }
    EXPECT_FALSE(engine.isScrollingInProgress());
    EXPECT_EQ(desktop.simDisplayLinks().runningCount(), 0u);
}

}  // namespace
}  // namespace wexo::testing
