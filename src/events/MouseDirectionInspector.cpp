#include "events/MouseDirectionInspector.h"

#include <cmath>

#include "events/WholeNumbers.h"
#include "settings/SettingsKeeper.h"

namespace wexo {

namespace {

// The grab reverse options swap the two directions of their axis.
std::uint64_t horizontalDirection(bool towardGreaterX, bool reversed) {
    return towardGreaterX != reversed ? 4 : 3;
}
std::uint64_t verticalDirection(bool towardGreaterY, bool reversed) {
    return towardGreaterY != reversed ? 1 : 2;
}

}  // namespace

MouseDirectionInspector::MouseDirectionInspector(platform::Point point) {
    setDirectionStartingPoint(point);
    lastMouseDirection_ = kNoDirection;
}

void MouseDirectionInspector::setDirectionStartingPoint(platform::Point point) {
    xValueDirectionStart_ = truncToInt64(point.x);
    yValueDirectionStart_ = truncToInt64(point.y);
    isStartingPointAvailable_ = true;
}

void MouseDirectionInspector::findMouseDirection(platform::Point point) {
    if (!isStartingPointAvailable_) setDirectionStartingPoint(point);
    const std::int64_t dx = truncToInt64(point.x - static_cast<double>(xValueDirectionStart_));
    const std::int64_t dy = truncToInt64(point.y - static_cast<double>(yValueDirectionStart_));
    const std::int64_t ax = magnitude(dx);
    const std::int64_t ay = magnitude(dy);

    std::uint64_t direction = kNoDirection;
    if (ax >= kStrokeLength && ax > ay) {
        direction = dx > 0 ? 4 : 3;
    } else if (ay >= kStrokeLength) {
        direction = dy > 0 ? 1 : 2;
    } else {
        return;
    }
    // The next point measures from where this stroke ended.
    isStartingPointAvailable_ = false;
    if (direction == lastMouseDirection_) return;
    lastMouseDirection_ = direction;
    passDirectionToDelegate(direction);
}

bool MouseDirectionInspector::isDraggSubstantial(platform::Point point) {
    if (!isStartingPointAvailable_) setDirectionStartingPoint(point);
    return truncToInt64(std::fabs(point.x - static_cast<double>(xValueDirectionStart_))) >
               kSubstantialDrag ||
           truncToInt64(std::fabs(point.y - static_cast<double>(yValueDirectionStart_))) >
               kSubstantialDrag;
}

void MouseDirectionInspector::grabDirection(platform::Point location, double deltaX,
                                            double deltaY) {
    passEventToDelegate(location, deltaX, deltaY);

    const auto& settings = SettingsKeeper::shared();
    const bool reverseHorizontal = settings.getIsReverseGrabHorizontal();
    const bool reverseVertical = settings.getIsReverseGrabVertical();

    // A pointer that reports no deltas (pinned, or at a screen edge) still
    // moves its location; keep the axis of the last movement alive with it.
    // These reports leave lastMouseDirection as it was.
    const bool lastHorizontal = lastMouseDirection_ == 3 || lastMouseDirection_ == 4;
    const bool lastVertical = lastMouseDirection_ == 1 || lastMouseDirection_ == 2;
    if (deltaX == 0 && deltaY == 0 && lastHorizontal && location.x != lastPointForPrecision_.x) {
        passDirectionToDelegate(
            horizontalDirection(location.x > lastPointForPrecision_.x, reverseHorizontal));
    }
    if (lastVertical && location.y != lastPointForPrecision_.y) {
        passDirectionToDelegate(
            verticalDirection(location.y > lastPointForPrecision_.y, reverseVertical));
    }
    lastPointForPrecision_ = location;

    if (deltaX != 0) {
        lastMouseDirection_ = horizontalDirection(deltaX > 0, reverseHorizontal);
        passDirectionToDelegate(lastMouseDirection_);
    }
    if (deltaY != 0) {
        lastMouseDirection_ = verticalDirection(deltaY > 0, reverseVertical);
        passDirectionToDelegate(lastMouseDirection_);
    }
}

void MouseDirectionInspector::passDirectionToDelegate(std::uint64_t direction) {
    if (delegate_) delegate_->foundNewDirection(direction);
}

void MouseDirectionInspector::passEventToDelegate(platform::Point location, double deltaX,
                                                  double deltaY) {
    if (delegate_) delegate_->foundNewEvent(location, deltaX, deltaY);
}

}  // namespace wexo
