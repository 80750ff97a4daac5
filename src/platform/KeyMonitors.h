#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/Event.h"
#include "platform/Subscription.h"

namespace wexo::platform {

// Application event masks (NSEventMask).
namespace AppEventMask {
inline constexpr std::uint64_t KeyDown = 1 << 10;
inline constexpr std::uint64_t KeyUp = 1 << 11;
inline constexpr std::uint64_t FlagsChanged = 1 << 12;
}  // namespace AppEventMask

// Local event monitors (NSEvent addLocalMonitorForEventsMatchingMask:): see
// the key events dispatched to the program's own windows.
class KeyMonitors {
  public:
    virtual ~KeyMonitors() = default;
    // The handler answers the event to dispatch on, or nothing to drop it.
    virtual Subscription addLocalMonitor(
        std::uint64_t mask, std::function<std::optional<Event>(const Event&)> handler) = 0;
};

}  // namespace wexo::platform
