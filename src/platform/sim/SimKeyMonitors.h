#pragma once

#include "platform/KeyMonitors.h"
#include "platform/sim/SimObservers.h"
#include "platform/sim/SimProcess.h"
#include "platform/sim/SimRunLoop.h"

namespace wexo::platform::sim {

// The program's local key monitors. The desktop hands them the key events
// delivered while the program is the front-most application; monitors run
// in the order they were added, each on what the one before answered, until
// one drops the event. Main thread only.
class SimKeyMonitors : public KeyMonitors {
  public:
    SimKeyMonitors(SimRunLoop& runLoop, const SimProcess& process)
        : runLoop_(runLoop), process_(process) {}

    Subscription addLocalMonitor(
        std::uint64_t mask, std::function<std::optional<Event>(const Event&)> handler) override;

    // ---- Desktop side ----

    // Passes a key event dispatched inside the program through the monitors:
    // what is left of it, or nothing when a monitor dropped it.
    std::optional<Event> dispatch(const Event& event);
    std::size_t monitorCount() const { return monitors_.size(); }

  private:
    struct Monitor {
        std::uint64_t mask;
        std::function<std::optional<Event>(const Event&)> handler;
    };
    SimRunLoop& runLoop_;
    const SimProcess& process_;
    SimObservers<Monitor> monitors_;
};

}  // namespace wexo::platform::sim
