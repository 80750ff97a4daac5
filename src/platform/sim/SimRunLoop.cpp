#include "platform/sim/SimRunLoop.h"

#include <algorithm>
#include <atomic>

namespace wexo::platform::sim {

SimRunLoop::SimRunLoop(SimClock& clock, const SimProcess& process)
    : clock_(clock), process_(process), mainThread_(std::this_thread::get_id()) {}

std::shared_ptr<Timer> SimRunLoop::schedule(double delay, double repeatInterval,
                                            std::function<void()> fire) {
    std::int64_t interval = 0;
    if (std::isfinite(repeatInterval) && repeatInterval > 0)
        interval = std::max(secondsToNanos(repeatInterval), QueuedTimer::kMinimumRepeatNanos);
    auto timer = std::make_shared<SimTimer>(secondsToNanos(delay), interval, std::move(fire));
    if (isMainThread()) {
        enqueue(timer, clock_.nanos() + timer->delay);
    } else {
        sendToMain([this, timer] { enqueue(timer, clock_.nanos() + timer->delay); });
    }
    return timer;
}

void SimRunLoop::postToMain(std::function<void()> work) {
    if (isMainThread()) {
        enqueue(std::make_shared<SimTimer>(0, 0, std::move(work)), clock_.nanos());
    } else {
        sendToMain([this, work = std::move(work)] {
            if (process_.alive()) work();
        });
    }
}

void SimRunLoop::enqueue(std::shared_ptr<SimTimer> timer, std::int64_t due) {
    // Nothing of a program that has ended is scheduled any more.
    if (!process_.alive()) {
        timer->invalidate();
        return;
    }
    timer->sequence = nextSequence_++;
    queue_.emplace(std::make_pair(due, timer->sequence), std::move(timer));
}

std::optional<std::int64_t> SimRunLoop::nextDue() const {
    if (queue_.empty()) return std::nullopt;
    return queue_.begin()->first.first;
}

void SimRunLoop::fireDue() {
    while (!queue_.empty() && queue_.begin()->first.first <= clock_.nanos()) {
        auto node = queue_.extract(queue_.begin());
        std::shared_ptr<SimTimer> timer = std::move(node.mapped());
        if (!process_.alive()) {
            timer->invalidate();
            continue;
        }
        if (!timer->isValid()) continue;
        const bool repeats = timer->interval > 0;
        if (!repeats) timer->invalidate();
        runWork([&] { timer->fire(); });
        if (repeats && timer->isValid() && process_.alive()) {
            // A repeating timer keeps its place among timers due with it.
            queue_.emplace(std::make_pair(node.key().first + timer->interval, timer->sequence),
                           timer);
        }
    }
}

void SimRunLoop::sendToMain(std::function<void()> work) {
    {
        std::lock_guard lock(inboxMutex_);
        inbox_.push_back(std::move(work));
    }
    inboxReady_.notify_all();
}

bool SimRunLoop::drainInbox() {
    bool ran = false;
    for (;;) {
        std::function<void()> work;
        {
            std::lock_guard lock(inboxMutex_);
            if (inbox_.empty()) break;
            work = std::move(inbox_.front());
            inbox_.pop_front();
        }
        runWork([&] { work(); });
        ran = true;
    }
    return ran;
}

bool SimRunLoop::waitForInbox(std::chrono::nanoseconds maxWait) {
    std::unique_lock lock(inboxMutex_);
    return inboxReady_.wait_for(lock, maxWait, [&] { return !inbox_.empty(); });
}

}  // namespace wexo::platform::sim
