#include <chrono>
#include <thread>

#include "ScrollTestDesktop.h"

namespace wexo::testing {
namespace {

// Frames on the display link's own thread at real time, while the main
// thread injects notches, moves the pointer between windows (each new
// resolution rewrites the window rectangles the frames read) and delivers
// what the frames post. Run under ThreadSanitizer to find unguarded sharing.
class ScrollThreadsTest : public ScrollTestDesktop {
  protected:
    ScrollThreadsTest() {
        desktop->setThreadedDisplayLinks(true);
        start();
    }

    bool idle() { return desktop->simDisplayLinks().runningCount() == 0; }
    // Pumps until the animation has ended and its hand-over has run.
    bool pumpUntilIdle(std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            desktop->pump();
            if (idle() && !engine().isBlockEnabledForTesting()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }
};

TEST_F(ScrollThreadsTest, NotchesOnTheMainThreadWhileFramesRunOnTheirOwn) {
    // 100 ms notches: six frames each, so animations end and restart often.
    for (bool continuous : {false, true}) {
        SingleScrollSettingsObject s;
        s.scrollSpeed = 100;
        s.isContinuous = continuous;
        useSettings(s);
        desktop->clearRecords();

        int notches = 0;
        for (int i = 0; i < 60; ++i) {
            // Mostly over Safari; now and then over Mail, which ends a running
            // animation at its next frame and makes the next notch resolve
            // the settings and the rectangles anew.
            pointer(i % 7 == 6 ? 1400 : 400, 300);
            wheel(-1);
            ++notches;
            desktop->pump();
            // A frame between notches, whatever the machine's load: a link
            // that stopped (over Mail) lets the wait end at its limit.
            desktop->simDisplayLinks().waitForThreadedFrames(1, 0.1);
            desktop->pump();
        }
        ASSERT_TRUE(pumpUntilIdle(std::chrono::seconds(5)));

        const auto px = verticalPixels();
        ASSERT_FALSE(px.empty());
        std::int64_t sum = 0;
        for (auto v : px) {
            EXPECT_LE(v, 0);  // every notch went down
            sum += v;
        }
        // Per notch, the frames never post more than the notches' distance. The
        // continuous mode re-eases the whole distance when input arrives early
        // in an animation, so what it posts depends on how notches and frames
        // interleave in real time; only the direction is fixed there.
        if (!continuous) {
            EXPECT_GE(sum, -200 * notches);
        }
        const auto st = state();
        EXPECT_EQ(st.cumulativePixels, 0);
        EXPECT_EQ(st.framesCounter, 0);
        EXPECT_EQ(st.continAccelDelta, 0.9);
        EXPECT_FALSE(engine().lastUnderMouseApp());
    }
}

TEST_F(ScrollThreadsTest, EngineGoesAwayWhileItsFramesRun) {
    useSettings(SingleScrollSettingsObject{});
    wheel(-1);
    ASSERT_TRUE(desktop->simDisplayLinks().waitForThreadedFrames(3));
    stop();  // joins the link's thread; its hand-over, if any, finds no engine
    desktop->pump();
    EXPECT_EQ(ScrollAnimation::shared(), nullptr);
}

}  // namespace
}  // namespace wexo::testing
