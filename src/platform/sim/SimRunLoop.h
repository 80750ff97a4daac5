#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "platform/QueuedTimer.h"
#include "platform/RunLoop.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimProcess.h"

namespace wexo::platform::sim {

// The main run loop on the virtual clock. The thread that builds it is the
// main thread (the driver's thread). Timers and delayed calls fire when the
// driver advances the clock, in the order of their due times and, at one
// due time, in the order they were scheduled. Work that other threads hand
// over waits in an inbox until the driver pumps it.
class SimRunLoop : public RunLoop {
  public:
    SimRunLoop(SimClock& clock, const SimProcess& process);

    double now() const override { return clock_.seconds(); }
    double wallClock() const override { return wallClockOrigin_ + clock_.seconds(); }
    // Any thread: a timer scheduled on another thread is added to the queue
    // when the main thread next pumps its inbox, counting from that moment.
    std::shared_ptr<Timer> schedule(double delay, double repeatInterval,
                                    std::function<void()> fire) override;
    // On the main thread the work runs as a delayed call due now; from any
    // other thread it waits in the inbox.
    void postToMain(std::function<void()> work) override;
    bool isMainThread() const override { return std::this_thread::get_id() == mainThread_; }

    // ---- Driver side (main thread) ----

    // The due time of the earliest pending timer.
    std::optional<std::int64_t> nextDue() const;
    // Fires every timer due at or before the clock's time, each as one unit
    // of work, including timers those callbacks schedule for the same time.
    void fireDue();

    // Runs `work` as one unit of main-thread work. When the outermost unit
    // ends, the after-work hook runs: the event stream lets the events posted
    // meanwhile enter.
    template <class F>
    void runWork(F&& work) {
        ++depth_;
        work();
        if (--depth_ == 0 && afterWork_) afterWork_();
    }
    bool busy() const { return depth_ > 0; }
    void setAfterWork(std::function<void()> hook) { afterWork_ = std::move(hook); }

    // Hands work to the main thread from any thread.
    void sendToMain(std::function<void()> work);
    // Runs, on the main thread, everything handed over so far (and what that
    // hands over in turn). True when anything ran.
    bool drainInbox();
    // Waits up to `maxWait` for work in the inbox. True when there is some.
    bool waitForInbox(std::chrono::nanoseconds maxWait);

    // What wallClock() answers at virtual time 0.
    void setWallClockOrigin(double secondsSince1970) { wallClockOrigin_ = secondsSince1970; }

    std::size_t pendingTimerCount() const { return queue_.size(); }

  private:
    using SimTimer = QueuedTimer;
    void enqueue(std::shared_ptr<SimTimer> timer, std::int64_t due);

    SimClock& clock_;
    const SimProcess& process_;
    const std::thread::id mainThread_;
    double wallClockOrigin_ = 1'700'000'000.0;  // 2023-11-14, any fixed day will do
    std::uint64_t nextSequence_ = 1;
    std::map<std::pair<std::int64_t, std::uint64_t>, std::shared_ptr<SimTimer>> queue_;
    int depth_ = 0;
    std::function<void()> afterWork_;

    std::mutex inboxMutex_;
    std::condition_variable inboxReady_;
    std::deque<std::function<void()>> inbox_;
};

}  // namespace wexo::platform::sim
