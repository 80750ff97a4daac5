#pragma once

#include "platform/Geometry.h"

namespace wexo::platform {

enum class CursorShape { Arrow, OpenHand, ClosedHand, Crosshair, PointingHand, IBeam };

// The pointer's shape.
class Cursor {
  public:
    virtual ~Cursor() = default;
    // Lets the program change the cursor while another application is active
    // ("SetsCursorInBackground").
    virtual void allowSetInBackground() = 0;
    virtual void set(CursorShape shape) = 0;
    virtual void hide() = 0;
    virtual void unhide() = 0;
    // Hot spot of the cursor the system currently shows, and of the system's
    // pointing-hand cursor.
    virtual Point currentSystemCursorHotSpot() const = 0;
    virtual Point pointingHandHotSpot() const = 0;
};

}  // namespace wexo::platform
