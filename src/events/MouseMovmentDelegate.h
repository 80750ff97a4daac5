#pragma once

#include "platform/Event.h"

namespace wexo {

// Hears every pointer movement while a grab runs (MouseMovementListener).
class MouseMovmentDelegate {
  public:
    virtual ~MouseMovmentDelegate() = default;
    // A movement, drag or left press. The event may be changed in place
    // (a pinned grab moves it back to the anchor); it is passed on either way.
    virtual void movmentDetected(platform::Event& event) = 0;
};

}  // namespace wexo
