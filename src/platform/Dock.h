#pragma once

#include <string>

namespace wexo::platform {

// The Dock's private interface.
class Dock {
  public:
    virtual ~Dock() = default;
    // CoreDockSendNotification.
    virtual void sendNotification(const std::string& name, int argument) = 0;
    // CoreDockGetAutoHideEnabled.
    virtual bool autoHideEnabled() const = 0;
    // CoreDockGetOrientationAndPinning: 2 bottom, 3 left, 4 right.
    virtual int orientation() const = 0;
    virtual int pinning() const = 0;
    // CoreDockGetMagnificationSize.
    virtual float magnificationSize() const = 0;
};

}  // namespace wexo::platform
