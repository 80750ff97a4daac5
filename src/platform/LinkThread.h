#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace wexo::platform {

// The thread of a display link that ticks at real time: while running it
// calls back once a period, on absolute deadlines (frame k of a run that
// started at t is due at t + k periods), so a slow callback delays one
// frame and never the ones after it; a frame more than a whole period late
// is skipped rather than run in a burst. The thread starts with the first
// start() and ends with shutDown() (or destruction), which may not be
// called from the callback.
class LinkThread {
  public:
    // `mayCall`, when given, is asked before every callback.
    explicit LinkThread(std::chrono::nanoseconds period, std::function<bool()> mayCall = {});
    ~LinkThread();
    LinkThread(const LinkThread&) = delete;
    LinkThread& operator=(const LinkThread&) = delete;

    void setCallback(std::function<void()> callback);
    // Starting a running link changes nothing; a link shut down stays so.
    void start();
    // Callable from the callback.
    void stop();
    bool isRunning() const;
    void shutDown();
    std::chrono::nanoseconds period() const { return period_; }

  private:
    void run();

    const std::chrono::nanoseconds period_;
    const std::function<bool()> mayCall_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> callback_;
    bool running_ = false;
    bool quit_ = false;
    std::thread thread_;
};

}  // namespace wexo::platform
