#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "platform/RunLoop.h"

namespace wexo::platform {

// A timer as a run loop keeps it in its queue: when it is first due, how
// often it repeats, what it calls, and its place among timers due at one
// instant. Invalidating is safe from any thread.
class QueuedTimer : public Timer {
  public:
    // Like NSTimer, a repeating timer repeats no faster than every 0.1 ms,
    // so a tiny interval cannot stall the loop at one instant.
    static constexpr std::int64_t kMinimumRepeatNanos = 100'000;

    QueuedTimer(std::int64_t delay, std::int64_t interval, std::function<void()> fire)
        : delay(delay), interval(interval), fire(std::move(fire)) {}
    void invalidate() override { valid_.store(false, std::memory_order_release); }
    bool isValid() const override { return valid_.load(std::memory_order_acquire); }

    const std::int64_t delay;     // nanoseconds
    const std::int64_t interval;  // nanoseconds; 0 for a one-shot timer
    const std::function<void()> fire;
    std::uint64_t sequence = 0;

  private:
    std::atomic<bool> valid_{true};
};

}  // namespace wexo::platform
