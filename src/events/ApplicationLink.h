#pragma once

#include "events/GestureWindow.h"
#include "platform/Shared.h"

namespace wexo {

// The application delegate as the event paths see it: its preferences window
// (`window`) and its overlay (`gestureWindow`). Installed in
// SharedSlot<ApplicationLink> by whoever owns the windows.
class ApplicationLink {
  public:
    virtual ~ApplicationLink() = default;
    // The preferences window is on screen.
    virtual bool isPreferencesWindowVisible() const = 0;
    // orderFrontRegardless on the preferences window.
    virtual void orderPreferencesWindowFrontRegardless() = 0;
    virtual GestureWindow& gestureWindow() = 0;
};

inline ApplicationLink* applicationLink() {
    return SharedSlot<ApplicationLink>::get();
}

}  // namespace wexo
