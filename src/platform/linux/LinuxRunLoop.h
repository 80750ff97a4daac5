#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "platform/MainWork.h"
#include "platform/QueuedTimer.h"
#include "platform/RunLoop.h"
#include "platform/linux/Desktop.h"

namespace wexo::platform::lnx {

// The main run loop: one epoll set holding a timerfd for the timers, an
// eventfd for work handed over from other threads, and the descriptors
// watched for the desktop and the devices. The thread that builds it is the
// main thread.
//
// Timers fire in the order of their due times and, at one due time, in the
// order they were scheduled. Every callback runs as one unit of work; when
// the outermost unit ends the after-work hook runs (the event stream lets
// the events posted meanwhile in).
class LinuxRunLoop : public RunLoop, public DescriptorWatcher, public MainWork {
  public:
    LinuxRunLoop();
    ~LinuxRunLoop() override;
    LinuxRunLoop(const LinuxRunLoop&) = delete;
    LinuxRunLoop& operator=(const LinuxRunLoop&) = delete;

    double now() const override;
    double wallClock() const override;
    // Any thread.
    std::shared_ptr<Timer> schedule(double delay, double repeatInterval,
                                    std::function<void()> fire) override;
    // Any thread; the work runs on the next turn of the loop, in the order
    // handed over.
    void postToMain(std::function<void()> work) override;
    bool isMainThread() const override { return std::this_thread::get_id() == mainThread_; }

    Subscription watchReadable(int fd, std::function<void()> readable) override;

    // Runs until quit(), answering the status quit() was given.
    int run();
    // Any thread: run() returns `status` once the current unit of work ends.
    void quit(int status);
    bool quitting() const { return quit_.load(std::memory_order_acquire); }
    // The status quit() was given (0 before).
    int exitStatus() const { return status_.load(); }
    // A descriptor readable whenever the loop has work, for a toolkit that
    // runs its own loop and calls dispatchPending() when it is.
    int pollDescriptor() const { return epollFd_; }
    // Runs what is ready now (due timers, handed-over work, readable
    // descriptors) without waiting.
    void dispatchPending();

    // MainWork: the program lives until the loop is told to quit.
    bool programAlive() const override { return !quitting(); }
    void runWork(FunctionRef<void()> work) override;
    bool busy() const override { return depth_ > 0; }
    void setAfterWork(std::function<void()> hook) { afterWork_ = std::move(hook); }

    // Reads the monotonic time (in nanoseconds) from `clock` instead, so a
    // test can make timers due at one instant. Before any timer exists.
    void setClockForTesting(std::function<std::int64_t()> clock) { clock_ = std::move(clock); }

  private:
    using LoopTimer = QueuedTimer;
    struct Watch {
        int fd;
        std::function<void()> readable;
    };

    void turn(int timeoutMs);
    void fireDueTimers();
    void runInbox();
    void armTimerFd();
    void addTimer(const std::shared_ptr<LoopTimer>& timer, std::int64_t due);
    std::int64_t nanos() const;

    const std::thread::id mainThread_;
    int epollFd_ = -1;
    int timerFd_ = -1;
    int wakeFd_ = -1;
    std::mutex quitMutex_;
    std::atomic<bool> quit_{false};
    std::atomic<int> status_{0};
    int depth_ = 0;
    std::function<void()> afterWork_;
    std::function<std::int64_t()> clock_;

    std::uint64_t nextSequence_ = 1;
    std::map<std::pair<std::int64_t, std::uint64_t>, std::shared_ptr<LoopTimer>> timers_;

    std::mutex inboxMutex_;
    std::deque<std::function<void()>> inbox_;

    std::uint64_t nextWatch_ = 1;
    std::unordered_map<std::uint64_t, std::shared_ptr<Watch>> watches_;
};

}  // namespace wexo::platform::lnx
