#pragma once

#include "events/ScreenRegistry.h"

namespace wexo::ui {

class TextField;

// The gesture-drawing screen shown in the overlay window, as the other
// screens see it: what the event paths use, plus the label on which the
// Scroll screen shows a display's name (view state 3). Registered with the
// status menu under the name "FullScreen".
class FullScreenScreenLink : public FullScreenLink {
  public:
    virtual TextField& displayNameLabelOutlt() = 0;
};

}  // namespace wexo::ui
