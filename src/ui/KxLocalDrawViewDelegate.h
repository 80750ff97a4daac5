#pragma once

#include <cstdint>

#include "platform/Geometry.h"

namespace wexo::ui {

// Hears the mouse in a drawing area: the point in the area's coordinates
// and the event's button number. Every method is optional.
class KxLocalDrawViewDelegate {
  public:
    virtual ~KxLocalDrawViewDelegate() = default;
    virtual void mouseWasDown(platform::Point /*point*/, std::int64_t /*buttonNumber*/) {}
    virtual void mouseWasDragged(platform::Point /*point*/, std::int64_t /*buttonNumber*/) {}
    virtual void mouseWasUp(platform::Point /*point*/, std::int64_t /*buttonNumber*/) {}
};

}  // namespace wexo::ui
