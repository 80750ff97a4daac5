#pragma once

#include <cstdint>

#include "platform/Geometry.h"
#include "ui/KxLinesView.h"
#include "ui/KxLocalDrawViewDelegate.h"

namespace wexo::ui {

// The drawing area of the Gestures screen: a lines view on the dark grey
// background that hands the mouse to its delegate. A front end delivers the
// presses, drags and releases of every button over it, in the window's
// coordinates; the delegate hears them in the area's own.
class KxLocalDrawView : public KxLinesView {
  public:
    explicit KxLocalDrawView(std::string identifier = {});

    // Weak; nullptr detaches (nothing is drawn then).
    KxLocalDrawViewDelegate* delegate() const { return delegate_; }
    void setDelegate(KxLocalDrawViewDelegate* delegate) { delegate_ = delegate; }

    // Each answers whether the event goes on to the normal handling as well:
    // everything does but the left button's press, which would otherwise
    // move the window (it is movable by its background).
    bool mouseDown(platform::Point inWindow, std::int64_t buttonNumber);
    bool mouseDragged(platform::Point inWindow, std::int64_t buttonNumber);
    bool mouseUp(platform::Point inWindow, std::int64_t buttonNumber);

    // From the window's coordinates to the area's.
    platform::Point convertPointFromWindow(platform::Point inWindow) const;

    Drawing draw() override;

  private:
    KxLocalDrawViewDelegate* delegate_ = nullptr;
};

}  // namespace wexo::ui
