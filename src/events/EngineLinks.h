#pragma once

#include "events/MouseDirectionInspectorDelegate.h"
#include "platform/Geometry.h"
#include "platform/Shared.h"

namespace wexo {

// The engines that sit above the event paths, as the event paths and the
// scroll engine see them. Each engine installs itself in its slot; while a
// slot is empty the callers get the neutral answer named on each accessor.

// The grab-and-drag engine (GrabnDragScroll).
class GrabEngineLink {
  public:
    virtual ~GrabEngineLink() = default;
    // The grab animation (live dragging or throw) runs. Safe from any thread.
    virtual bool isGrabAnimationRunning() const = 0;
    virtual void startDisplayLink() = 0;
    virtual void stopDisplayLink() = 0;
    virtual void stopScrollWithGrab() = 0;
    // Where the direction tracker of a grab reports.
    virtual MouseDirectionInspectorDelegate& directionDelegate() = 0;
};
// Empty: no grab animation is running.
inline GrabEngineLink* grabEngine() {
    return SharedSlot<GrabEngineLink>::get();
}

// The auto-scroll engine (AutoScroll).
class AutoScrollLink {
  public:
    virtual ~AutoScrollLink() = default;
    virtual bool isScrollingInProgress() const = 0;
    virtual void startDisplayLinkWithPoint(platform::Point anchorInOverlay) = 0;
    virtual void stopDisplayLink() = 0;
    // The smart-scroll test of the element under the pointer.
    virtual bool isScrollArea() = 0;
};
// Empty: auto-scroll is not running and every element counts as scrollable.
inline AutoScrollLink* autoScrollEngine() {
    return SharedSlot<AutoScrollLink>::get();
}

// The three special buttons' state in the mouse tap (MouseButtonListener).
class MouseButtonStateLink {
  public:
    virtual ~MouseButtonStateLink() = default;
    virtual bool grabDown() const = 0;
    virtual bool gestureDown() const = 0;
    virtual bool autoScrollDown() const = 0;
};
// Empty: no special button is held.
inline MouseButtonStateLink* mouseButtonState() {
    return SharedSlot<MouseButtonStateLink>::get();
}

}  // namespace wexo
