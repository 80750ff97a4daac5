#pragma once

#include "events/ApplicationLink.h"
#include "events/GestureWindow.h"

namespace wexo {

// The application's windows as the event paths see them, for a run without
// the preferences user interface: the overlay window exists (its geometry is
// what auto-scroll and gestures measure in), the preferences window is never
// on screen.
class HeadlessApplication : public ApplicationLink {
  public:
    bool isPreferencesWindowVisible() const override { return false; }
    void orderPreferencesWindowFrontRegardless() override {}
    GestureWindow& gestureWindow() override { return gestureWindow_; }

  private:
    GestureWindow gestureWindow_;
};

}  // namespace wexo
