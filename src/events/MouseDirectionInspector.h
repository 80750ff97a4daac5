#pragma once

#include <cstdint>
#include <limits>

#include "events/MouseDirectionInspectorDelegate.h"
#include "platform/Geometry.h"

namespace wexo {

// Turns pointer positions into movement directions (1 up, 2 down, 3 left,
// 4 right), for gestures and for grabs. Gesture points come from the overlay
// window (y up), grab points are event locations (y down); the tracker only
// compares numbers, so "up" means a growing y in whatever space it is fed.
// Main thread only.
class MouseDirectionInspector {
  public:
    // No direction reported yet.
    static constexpr std::uint64_t kNoDirection = std::numeric_limits<std::uint64_t>::max();
    // A move of at least this many units on one axis is a gesture stroke.
    static constexpr std::int64_t kStrokeLength = 41;
    // A gesture press moved farther than this on either axis starts drawing.
    static constexpr std::int64_t kSubstantialDrag = 10;

    // initWithPoint: the point becomes the reference, no direction yet.
    explicit MouseDirectionInspector(platform::Point point);

    MouseDirectionInspectorDelegate* delegate() const { return delegate_; }
    void setDelegate(MouseDirectionInspectorDelegate* delegate) { delegate_ = delegate; }

    // Stores the point, truncated toward zero, as the reference.
    void setDirectionStartingPoint(platform::Point point);
    // Gesture step: a stroke of kStrokeLength or more on one axis reports its
    // direction (equal distances count as vertical) unless it repeats the
    // last one, and makes the next point the new reference.
    void findMouseDirection(platform::Point point);
    // The point is more than kSubstantialDrag units from the reference on
    // either axis.
    bool isDraggSubstantial(platform::Point point);
    // Grab step: forwards the movement to the delegate, then reports the
    // directions of the deltas (horizontal first), honouring the grab
    // reverse options. With no reported movement, a change of the location
    // along the last axis still reports a direction.
    void grabDirection(platform::Point location, double deltaX, double deltaY);

    void passDirectionToDelegate(std::uint64_t direction);
    void passEventToDelegate(platform::Point location, double deltaX, double deltaY);

    bool isStartingPointAvailable() const { return isStartingPointAvailable_; }
    std::int64_t xValueDirectionStart() const { return xValueDirectionStart_; }
    std::int64_t yValueDirectionStart() const { return yValueDirectionStart_; }
    std::uint64_t lastMouseDirection() const { return lastMouseDirection_; }
    platform::Point lastPointForPrecision() const { return lastPointForPrecision_; }

  private:
    bool isStartingPointAvailable_ = false;
    MouseDirectionInspectorDelegate* delegate_ = nullptr;
    std::int64_t xValueDirectionStart_ = 0;
    std::int64_t yValueDirectionStart_ = 0;
    std::uint64_t lastMouseDirection_ = kNoDirection;
    platform::Point lastPointForPrecision_;
};

}  // namespace wexo
