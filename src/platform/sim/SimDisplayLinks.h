#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/DisplayLinks.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimProcess.h"
#include "platform/sim/SimRunLoop.h"
#include "platform/sim/SimScreens.h"

namespace wexo::platform::sim {

// Display links on the simulated desktop, in one of two modes fixed when a
// link is created:
//
// - Deterministic (the default): frames tick on the virtual clock, on the
//   driver's thread. Frame k of a display refreshing r times a second is at
//   floor(k * 1e9 / r) ns; a link started at time t gets its first callback
//   at the first frame strictly after t, then one per frame while it runs.
//   At one instant, links call back in the order they were created.
// - Threaded: each link runs on a thread of its own at real time (one
//   callback every 1/r seconds of wall time while it runs), as on a real
//   system; for concurrency tests.
//
// A link outlives neither the desktop nor the program: once the program has
// ended, no link calls back. Links must be destroyed on the main thread, not
// from their own callback.
class SimDisplayLinks : public DisplayLinks {
  public:
    // kCVReturnInvalidDisplay: the answer for a display that does not exist.
    static constexpr int kInvalidDisplay = -6661;

    SimDisplayLinks(SimClock& clock, SimRunLoop& runLoop, const SimScreens& screens,
                    const SimProcess& process);
    ~SimDisplayLinks() override;

    std::variant<std::unique_ptr<DisplayLink>, int> create(DisplayId display) override;

    // ---- Driver ----

    // Links created from now on run on threads of their own at real time.
    void setThreaded(bool on) { threaded_ = on; }
    bool threaded() const { return threaded_; }
    // Makes every creation fail with this code (nothing: succeed again).
    void setCreationError(std::optional<int> code) { creationError_ = code; }
    // The next frame time of any running deterministic link.
    std::optional<std::int64_t> nextFrame() const;
    // Calls back every running deterministic link whose frame is now.
    void fireFrames();
    // Links that exist and run.
    std::size_t runningCount() const;
    // Threaded links: the frames called back so far, over every link.
    std::uint64_t threadedFrames() const;
    // Waits until `count` more threaded frames have been called back, so
    // that a test steps by frames instead of by the wall clock; false when
    // `limitSeconds` pass first (no link runs).
    bool waitForThreadedFrames(std::uint64_t count, double limitSeconds = 5);
    // Stops every link thread for good (the desktop is going away).
    void shutDown();

    static std::int64_t frameTime(std::int64_t k, double rate);

    struct Core;

  private:
    class Link;

    SimClock& clock_;
    SimRunLoop& runLoop_;
    const SimScreens& screens_;
    const SimProcess& process_;
    bool threaded_ = false;
    std::optional<int> creationError_;
    std::vector<std::weak_ptr<Core>> links_;  // in creation order
    struct FrameCount;
    std::shared_ptr<FrameCount> frames_;
};

}  // namespace wexo::platform::sim
