#pragma once

#include <string>

#include "platform/DesktopCommand.h"

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

    // Has the desktop do what the command says by its own means. False when
    // it has none for it (the Dock itself never is asked: the program's
    // shortcuts do these things on macOS).
    virtual bool perform(DesktopCommand command) {
        (void)command;
        return false;
    }
};

}  // namespace wexo::platform
