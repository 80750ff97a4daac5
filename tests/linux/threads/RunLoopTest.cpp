// The main run loop, the display links and the headless desktop.

#include <gtest/gtest.h>

#include <poll.h>

#include <atomic>
#include <condition_variable>
#include <thread>

#include "linux/LinuxTestSupport.h"
#include "platform/linux/HeadlessDesktop.h"
#include "platform/linux/LinuxDisplayLinks.h"

namespace wexo::platform::lnx {
namespace {

using namespace testing;

TEST(LinuxRunLoopTest, TimersDueTogetherFireInTheOrderScheduled) {
    LinuxRunLoop loop;
    // The clock stands still while the timers are scheduled, so the four
    // with one delay are due at one instant.
    std::atomic<std::int64_t> clock{1'000'000'000'000};
    loop.setClockForTesting([&] { return clock.load(); });
    std::vector<int> fired;
    for (int i = 0; i < 4; ++i) loop.schedule(0.02, 0, [&, i] { fired.push_back(i); });
    loop.schedule(0.01, 0, [&] { fired.push_back(9); });
    auto cancelled = loop.schedule(0.005, 0, [&] { fired.push_back(-1); });
    cancelled->invalidate();
    clock += 20'000'000;
    // The timer descriptor follows the real clock: all are due by now.
    for (int turns = 0; fired.size() < 5 && turns < 1000; ++turns) {
        pollfd p{loop.pollDescriptor(), POLLIN, 0};
        ::poll(&p, 1, 50);
        loop.dispatchPending();
    }
    EXPECT_EQ(fired, (std::vector<int>{9, 0, 1, 2, 3}));
}

TEST(LinuxRunLoopTest, WorkFromOtherThreadsRunsOnTheMainThreadInOrder) {
    LinuxRunLoop loop;
    std::vector<int> done;
    std::atomic<bool> allOnMain{true};
    std::thread other([&] {
        EXPECT_FALSE(loop.isMainThread());
        for (int i = 0; i < 100; ++i)
            loop.postToMain([&, i] {
                allOnMain = allOnMain && loop.isMainThread();
                done.push_back(i);
            });
        loop.quit(7);
    });
    const int status = loop.run();
    other.join();
    EXPECT_EQ(status, 7);
    EXPECT_TRUE(allOnMain);
    // Work handed over before quit ran unless quit came first; what ran is
    // in order.
    for (std::size_t i = 0; i < done.size(); ++i) EXPECT_EQ(done[i], static_cast<int>(i));
}

TEST(LinuxRunLoopTest, ReadableDescriptorsAndThePollDescriptor) {
    LinuxRunLoop loop;
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    int reads = 0;
    auto watch = loop.watchReadable(fds[0], [&] {
        char c;
        if (::read(fds[0], &c, 1) == 1) ++reads;
    });
    // A toolkit's loop sees the poll descriptor readable and dispatches.
    ASSERT_EQ(::write(fds[1], "ab", 2), 2);
    pollfd p{loop.pollDescriptor(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 1000), 1);
    loop.dispatchPending();
    loop.dispatchPending();
    EXPECT_EQ(reads, 2);
    watch.reset();
    ASSERT_EQ(::write(fds[1], "c", 1), 1);
    loop.dispatchPending();
    EXPECT_EQ(reads, 2);
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST(LinuxDisplayLinksTest, TickAtTheDisplaysRateOrSixtyWhenUnknown) {
    HeadlessDesktop desktop(HeadlessDesktop::Mode{800, 600, 144});
    double rate = 144;
    LinuxDisplayLinks links(desktop.screens(), [&](DisplayId) { return rate; });
    EXPECT_EQ(links.periodOf(HeadlessDesktop::kDisplayId).count(), 6'944'444);  // 1e9 / 144
    rate = 0;
    EXPECT_EQ(links.periodOf(HeadlessDesktop::kDisplayId).count(), 16'666'667);
    rate = -5;
    EXPECT_EQ(links.periodOf(HeadlessDesktop::kDisplayId).count(), 16'666'667);
    EXPECT_EQ(std::get<int>(links.create(99)), LinuxDisplayLinks::kInvalidDisplay);

    // A running link calls back on its own thread until stopped.
    auto created = links.create(HeadlessDesktop::kDisplayId);
    auto& link = std::get<std::unique_ptr<DisplayLink>>(created);
    DisplayLink* running = link.get();
    int frames = 0;
    bool stopped = false;
    std::mutex m;
    std::condition_variable cv;
    link->setOutputCallback([&, running] {
        if (++frames < 3) return;
        running->stop();
        std::lock_guard lock(m);
        stopped = true;
        cv.notify_all();
    });
    link->start();
    EXPECT_EQ(links.runningCount(), 1u);
    std::unique_lock lock(m);
    cv.wait(lock, [&] { return stopped; });
    EXPECT_EQ(frames, 3);
    EXPECT_FALSE(link->isRunning());
    EXPECT_EQ(links.runningCount(), 0u);
}

TEST(HeadlessDesktopTest, OneScreenOneWindowAndAPointerKeptOnIt) {
    EXPECT_FALSE(HeadlessDesktop::parseMode("1920x1080"));
    EXPECT_FALSE(HeadlessDesktop::parseMode("0x1080@60"));
    EXPECT_FALSE(HeadlessDesktop::parseMode("1920x1080@60hz"));
    const auto mode = HeadlessDesktop::parseMode("2560x1440@144");
    ASSERT_TRUE(mode);
    EXPECT_EQ(mode->width, 2560);
    EXPECT_EQ(mode->refreshRate, 144);

    HeadlessDesktop desktop;
    EXPECT_EQ(desktop.queryPointer().location, (Point{960, 540}));
    desktop.pointerMoved(-2000, 30);
    EXPECT_EQ(desktop.queryPointer().location, (Point{0, 570}));
    desktop.pointerMoved(5000, 5000);
    EXPECT_EQ(desktop.queryPointer().location, (Point{1919, 1079}));
    desktop.warpPointer(Point{10, 20});
    EXPECT_EQ(desktop.queryPointer().location, (Point{10, 20}));

    EXPECT_EQ(desktop.windowOwnerAt({10, 20}), HeadlessDesktop::kApplicationPid);
    EXPECT_EQ(desktop.windowOwnerAt({1920, 20}), 0);
    const auto windows = desktop.windowList().onScreenWindows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].bounds, Rect(0, 0, 1920, 1080));
    const auto app = desktop.workspace().runningApplicationWithProcessIdentifier(
        HeadlessDesktop::kApplicationPid);
    ASSERT_TRUE(app);
    EXPECT_TRUE(app->bundleIdentifier.empty());  // unidentified: Global settings apply
    EXPECT_EQ(desktop.refreshRate(HeadlessDesktop::kDisplayId), 60);
    EXPECT_EQ(desktop.screens().displaysWithPoint({1919, 1079}, 1)->size(), 1u);
}

}  // namespace
}  // namespace wexo::platform::lnx
