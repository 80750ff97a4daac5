#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

#include "platform/sim/SimClock.h"
#include "platform/sim/SimRecord.h"

namespace wexo::platform::sim {

// The ordered record of side effects. Callable from any thread: the time is
// read under the lock, so records stay in ascending time even when a display
// link thread records while the driver moves the clock.
class SimRecorder {
  public:
    explicit SimRecorder(const SimClock& clock) : clock_(clock) {}

    void record(SimRecordPayload what);

    std::vector<SimRecord> records() const;
    // Hands over what was recorded so far and starts a new record.
    std::vector<SimRecord> take();
    void clear();
    std::size_t size() const;

  private:
    const SimClock& clock_;
    mutable std::mutex mutex_;
    std::vector<SimRecord> records_;
};

}  // namespace wexo::platform::sim
