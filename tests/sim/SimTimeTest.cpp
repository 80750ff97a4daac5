#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "SimTestDesktop.h"

namespace wexo::platform::sim::testing {
namespace {

constexpr std::int64_t kMs = 1'000'000;

class SimTimeTest : public ::testing::Test {
  protected:
    SimTestDesktop t;
    RunLoop& loop = t.desktop.runLoop();
    std::vector<std::pair<std::string, std::int64_t>> fired;

    std::function<void()> note(std::string name) {
        return [this, name] { fired.emplace_back(name, t.desktop.nowNanos()); };
    }
};

TEST_F(SimTimeTest, TimersFireByDueTimeThenSchedulingOrder) {
    loop.performAfterDelay(0.5, note("A"));
    loop.performAfterDelay(0.2, note("B"));
    loop.performAfterDelay(0.5, note("C"));
    auto repeating = loop.schedule(0.3, 0.3, note("R"));
    t.desktop.advanceTo(1000 * kMs);
    EXPECT_EQ(fired, (decltype(fired){{"B", 200 * kMs},
                                      {"R", 300 * kMs},
                                      {"A", 500 * kMs},
                                      {"C", 500 * kMs},
                                      {"R", 600 * kMs},
                                      {"R", 900 * kMs}}));
    EXPECT_TRUE(repeating->isValid());
    repeating->invalidate();
    fired.clear();
    const double wall = loop.wallClock();
    t.desktop.advanceBySeconds(1);
    EXPECT_TRUE(fired.empty());
    EXPECT_DOUBLE_EQ(loop.now(), 2.0);
    EXPECT_DOUBLE_EQ(loop.wallClock() - wall, 1.0);
}

TEST_F(SimTimeTest, OneShotIsInvalidAfterFiringAndDroppedHandleStillFires) {
    auto once = loop.performAfterDelay(0.1, note("once"));
    loop.performAfterDelay(0.1, note("dropped"));  // handle not kept
    auto cancelled = loop.performAfterDelay(0.1, note("cancelled"));
    cancelled->invalidate();
    t.desktop.advanceBySeconds(0.1);
    EXPECT_EQ(fired.size(), 2u);
    EXPECT_FALSE(once->isValid());
}

TEST_F(SimTimeTest, AdvanceToInstantLeavesWhatIsDueThenForAfterTheDriver) {
    loop.performAfterDelay(0.5, note("timer"));
    t.desktop.advanceToInstant(500 * kMs);
    EXPECT_TRUE(fired.empty());
    EXPECT_EQ(t.desktop.nowNanos(), 500 * kMs);
    t.desktop.advanceTo(500 * kMs);
    EXPECT_EQ(fired.size(), 1u);
}

TEST_F(SimTimeTest, EventsPostedByATimerEnterAtItsTimeAfterItReturns) {
    bool deliveredDuringCallback = true;
    loop.performAfterDelay(0.75, [&] {
        t.desktop.eventStream().post(TapLocation::HID, marked(EventType::ScrollWheel, 5));
        deliveredDuringCallback = !t.delivered().empty();
    });
    t.desktop.advanceBySeconds(2);
    EXPECT_FALSE(deliveredDuringCallback);
    EXPECT_EQ(t.deliveryTimes(), (std::vector<std::int64_t>{750 * kMs}));
}

TEST_F(SimTimeTest, WorkFromAnotherThreadRunsOnTheMainThreadWhenPumped) {
    bool ranOnMain = false;
    std::thread other([&] {
        EXPECT_FALSE(loop.isMainThread());
        loop.postToMain([&] { ranOnMain = loop.isMainThread(); });
        t.desktop.eventStream().post(TapLocation::HID, marked(EventType::ScrollWheel, 9));
    });
    other.join();
    EXPECT_TRUE(t.delivered().empty());
    EXPECT_TRUE(t.desktop.pump());
    EXPECT_TRUE(ranOnMain);
    ASSERT_EQ(t.delivered().size(), 1u);
    EXPECT_FALSE(t.desktop.pump());
}

class SimDisplayLinkTest : public SimTimeTest {
  protected:
    std::unique_ptr<DisplayLink> link(std::function<void()> callback) {
        auto created = t.desktop.displayLinks().create(t.desktop.screens().mainDisplayId());
        auto* l = std::get_if<std::unique_ptr<DisplayLink>>(&created);
        EXPECT_NE(l, nullptr);
        (*l)->setOutputCallback(std::move(callback));
        return std::move(*l);
    }
};

TEST_F(SimDisplayLinkTest, SixtyFramesASecondFirstStrictlyAfterTheStart) {
    std::vector<std::int64_t> frames;
    auto l = link([&] { frames.push_back(t.desktop.nowNanos()); });
    l->start();
    t.desktop.advanceBySeconds(1);
    // Frames 1 to 60 of the 60 Hz grid: floor(k * 1e9 / 60) ns.
    ASSERT_EQ(frames.size(), 60u);
    EXPECT_EQ(frames[0], 16'666'666);
    EXPECT_EQ(frames[1], 33'333'333);
    EXPECT_EQ(frames[59], 1'000'000'000);

    // Started exactly on a frame boundary, the first callback is the next one.
    l->stop();
    frames.clear();
    t.desktop.advanceTo(1'016'666'666);
    l->start();
    t.desktop.advanceTo(1'050'000'000);
    EXPECT_EQ(frames, (std::vector<std::int64_t>{1'033'333'333, 1'050'000'000}));
}

TEST_F(SimDisplayLinkTest, StopFromTheCallbackEndsTheFramesAndRateFollowsTheDesktop) {
    t.desktop.simScreens().setRefreshRate(120);
    int count = 0;
    std::unique_ptr<DisplayLink> l;
    l = link([&] {
        if (++count == 3) l->stop();
    });
    t.desktop.advanceTo(5 * kMs);
    l->start();
    l->start();  // starting a running link changes nothing
    EXPECT_TRUE(l->isRunning());
    t.desktop.advanceBySeconds(1);
    EXPECT_EQ(count, 3);
    EXPECT_FALSE(l->isRunning());

    auto other = link([&] { ++count; });
    other->start();
    t.desktop.advanceBySeconds(0.5);
    EXPECT_EQ(count, 3 + 60);
}

TEST_F(SimDisplayLinkTest, TimersComeBeforeFramesAtOneInstant) {
    std::string order;
    auto l = link([&] { order += 'F'; });
    l->start();
    loop.performAfterDelay(16'666'666 / 1e9, [&] { order += 'T'; });
    t.desktop.advanceTo(16'666'666);
    EXPECT_EQ(order, "TF");
}

TEST_F(SimDisplayLinkTest, CreationFailsForUnknownDisplayOrWhenTold) {
    auto bad = t.desktop.displayLinks().create(42);
    ASSERT_TRUE(std::holds_alternative<int>(bad));
    EXPECT_EQ(std::get<int>(bad), SimDisplayLinks::kInvalidDisplay);
    t.desktop.simDisplayLinks().setCreationError(-6660);
    auto failed = t.desktop.displayLinks().create(1);
    ASSERT_TRUE(std::holds_alternative<int>(failed));
    EXPECT_EQ(std::get<int>(failed), -6660);
}

TEST_F(SimDisplayLinkTest, EventsPostedByAFrameAreDeliveredAtTheFrame) {
    auto l = link(
        [&] { t.desktop.eventStream().post(TapLocation::HID, marked(EventType::ScrollWheel, 1)); });
    l->start();
    t.desktop.advanceTo(40 * kMs);
    EXPECT_EQ(t.deliveryTimes(), (std::vector<std::int64_t>{16'666'666, 33'333'333}));
}

// Links on real threads post from their own thread; the main thread pumps.
TEST_F(SimDisplayLinkTest, ThreadedLinksPostThroughTheInbox) {
    t.desktop.setThreadedDisplayLinks(true);
    std::atomic<int> frames{0};
    std::atomic<bool> onMain{true};
    auto l = link([&] {
        onMain = t.desktop.runLoop().isMainThread();
        Event e = marked(EventType::ScrollWheel, frames.fetch_add(1) + 1);
        e.setLocation(t.desktop.eventStream().pointerLocation());
        t.desktop.eventStream().post(TapLocation::HID, e);
    });
    int tapSaw = 0;
    auto tap = t.desktop.eventStream().createTap(TapLocation::Session, TapPlacement::HeadInsert,
                                                 TapOption::Default, kAll, [&](EventType, Event&) {
                                                     ++tapSaw;
                                                     return Verdict::pass();
                                                 });
    l->start();
    while (frames.load() < 3) t.desktop.runFor(0.02);
    l->stop();
    l.reset();  // joins the link's thread: no frame is in flight any more
    t.desktop.pump();
    EXPECT_FALSE(onMain.load());
    const auto delivered = t.delivered();
    EXPECT_EQ(static_cast<int>(delivered.size()), frames.load());
    EXPECT_EQ(tapSaw, frames.load());
    for (std::size_t i = 0; i < delivered.size(); ++i)
        EXPECT_EQ(markOf(delivered[i]), static_cast<std::int64_t>(i + 1));
}

}  // namespace
}  // namespace wexo::platform::sim::testing
