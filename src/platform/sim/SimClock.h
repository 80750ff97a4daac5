#pragma once

#include <atomic>
#include <cmath>
#include <cstdint>

namespace wexo::platform::sim {

inline constexpr std::int64_t kNanosPerSecond = 1'000'000'000;

// Seconds to whole nanoseconds, rounded to the nearest; negative and
// non-finite durations count as 0.
inline std::int64_t secondsToNanos(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0) return 0;
    if (seconds >= 9.2e9) return INT64_MAX / 2;
    return std::llround(seconds * 1e9);
}

inline double nanosToSeconds(std::int64_t ns) {
    return static_cast<double>(ns) / 1e9;
}

// The desktop's virtual clock: integer nanoseconds that move only when the
// driver moves them. Readable from any thread; written by the driver thread.
class SimClock {
  public:
    std::int64_t nanos() const { return nanos_.load(std::memory_order_acquire); }
    double seconds() const { return nanosToSeconds(nanos()); }
    // Time never goes back: an earlier time is ignored.
    void advanceTo(std::int64_t ns) {
        if (ns > nanos()) nanos_.store(ns, std::memory_order_release);
    }

  private:
    std::atomic<std::int64_t> nanos_{0};
};

}  // namespace wexo::platform::sim
