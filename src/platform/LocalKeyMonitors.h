#pragma once

#include <cstddef>
#include <optional>

#include "platform/CallbackList.h"
#include "platform/KeyMonitors.h"
#include "platform/MainWork.h"

namespace wexo::platform {

// The program's local key monitors. The desktop (or the front end, for keys
// typed in the program's own windows) hands them key events dispatched
// inside the program; monitors run in the order they were added, each on
// what the one before answered, until one drops the event. Main thread only.
class LocalKeyMonitors : public KeyMonitors {
  public:
    explicit LocalKeyMonitors(MainWork& work) : work_(work) {}

    Subscription addLocalMonitor(
        std::uint64_t mask, std::function<std::optional<Event>(const Event&)> handler) override;

    // Passes a key event dispatched inside the program through the monitors:
    // what is left of it, or nothing when a monitor dropped it.
    std::optional<Event> dispatch(const Event& event);
    std::size_t monitorCount() const { return monitors_.size(); }

  private:
    struct Monitor {
        std::uint64_t mask;
        std::function<std::optional<Event>(const Event&)> handler;
    };
    MainWork& work_;
    CallbackList<Monitor> monitors_;
};

}  // namespace wexo::platform
