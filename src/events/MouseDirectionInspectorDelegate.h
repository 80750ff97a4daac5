#pragma once

#include <cstdint>

#include "platform/Geometry.h"

namespace wexo {

// Receives what the direction tracker finds: each new movement direction
// (1 up, 2 down, 3 left, 4 right) and, for grabs, every movement report.
// The second method is optional: its default does nothing.
class MouseDirectionInspectorDelegate {
  public:
    virtual ~MouseDirectionInspectorDelegate() = default;
    virtual void foundNewDirection(std::uint64_t direction) = 0;
    virtual void foundNewEvent(platform::Point /*location*/, double /*deltaX*/, double /*deltaY*/) {
    }
};

}  // namespace wexo
