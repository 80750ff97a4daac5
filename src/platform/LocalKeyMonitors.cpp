#include "platform/LocalKeyMonitors.h"

namespace wexo::platform {

Subscription LocalKeyMonitors::addLocalMonitor(
    std::uint64_t mask, std::function<std::optional<Event>(const Event&)> handler) {
    return monitors_.add(Monitor{mask, std::move(handler)});
}

std::optional<Event> LocalKeyMonitors::dispatch(const Event& event) {
    std::optional<Event> current = event;
    monitors_.forEach([&](const Monitor& m) {
        if (!work_.programAlive()) return true;
        // Application event masks number their bits like the event types.
        if (!(m.mask & eventMaskBit(current->type()))) return false;
        work_.runWork([&] { current = m.handler(*current); });
        return !current.has_value();
    });
    return current;
}

}  // namespace wexo::platform
