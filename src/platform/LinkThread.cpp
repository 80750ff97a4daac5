#include "platform/LinkThread.h"

namespace wexo::platform {

LinkThread::LinkThread(std::chrono::nanoseconds period, std::function<bool()> mayCall)
    : period_(period.count() > 0 ? period : std::chrono::nanoseconds(1)),
      mayCall_(std::move(mayCall)) {}

LinkThread::~LinkThread() {
    shutDown();
}

void LinkThread::setCallback(std::function<void()> callback) {
    std::lock_guard lock(mutex_);
    callback_ = std::move(callback);
}

void LinkThread::start() {
    std::lock_guard lock(mutex_);
    if (running_ || quit_) return;
    running_ = true;
    if (!thread_.joinable()) thread_ = std::thread([this] { run(); });
    changed_.notify_all();
}

void LinkThread::stop() {
    std::lock_guard lock(mutex_);
    running_ = false;
    changed_.notify_all();
}

bool LinkThread::isRunning() const {
    std::lock_guard lock(mutex_);
    return running_;
}

void LinkThread::shutDown() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        running_ = false;
        changed_.notify_all();
    }
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void LinkThread::run() {
    using Clock = std::chrono::steady_clock;
    std::unique_lock lock(mutex_);
    while (!quit_) {
        changed_.wait(lock, [&] { return quit_ || running_; });
        const Clock::time_point origin = Clock::now();
        std::int64_t frame = 1;
        while (running_ && !quit_) {
            const Clock::time_point due = origin + frame * period_;
            if (changed_.wait_until(lock, due, [&] { return quit_ || !running_; })) break;
            frame += 1 + (Clock::now() - due) / period_;
            auto callback = callback_;
            lock.unlock();
            if (callback && (!mayCall_ || mayCall_())) callback();
            lock.lock();
        }
    }
}

}  // namespace wexo::platform
