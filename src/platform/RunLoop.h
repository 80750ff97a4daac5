#pragma once

#include <functional>
#include <memory>

namespace wexo::platform {

// A timer on the main run loop (NSTimer / performSelector:afterDelay:).
class Timer {
  public:
    virtual ~Timer() = default;
    // Stops the timer; a one-shot timer that has fired is already invalid.
    virtual void invalidate() = 0;
    virtual bool isValid() const = 0;
};

// The main thread's run loop and the clocks.
class RunLoop {
  public:
    virtual ~RunLoop() = default;

    // Monotonic seconds (never goes back); any origin.
    virtual double now() const = 0;
    // Wall-clock seconds since 1970.
    virtual double wallClock() const = 0;

    // Calls `fire` on the main thread after `delay` seconds and, when
    // `repeatInterval` is above 0, every `repeatInterval` seconds after that
    // until invalidated. Timers due at the same moment fire in the order they
    // were scheduled. Dropping the returned handle does not stop the timer.
    virtual std::shared_ptr<Timer> schedule(double delay, double repeatInterval,
                                            std::function<void()> fire) = 0;

    // A one-shot delayed call.
    std::shared_ptr<Timer> performAfterDelay(double delay, std::function<void()> fire) {
        return schedule(delay, 0, std::move(fire));
    }

    // Runs `work` on the main thread as soon as it is free. Callable from any
    // thread.
    virtual void postToMain(std::function<void()> work) = 0;

    // True on the thread that runs this loop.
    virtual bool isMainThread() const = 0;
};

}  // namespace wexo::platform
