#include "cursor/MouseCursor.h"

#include <cmath>

#include "platform/Log.h"
#include "platform/Platform.h"

namespace wexo {

namespace {
constexpr const char* kAccelerationKey = "HIDMouseAcceleration";
constexpr double kUnreadable = -1.0;
}  // namespace

double MouseCursor::getMouseAcceleration() {
    // An unreachable HID system answers like a failed read instead of
    // stopping the program: the caller gets the same -1.0 either way.
    return installedPlatform().hidSystem().getAcceleration(kAccelerationKey).value_or(kUnreadable);
}

bool MouseCursor::setMouseAcceleration(double value) {
    if (!std::isfinite(value)) return false;
    return installedPlatform().hidSystem().setAcceleration(kAccelerationKey, value);
}

void MouseCursor::changeCursorStyle(std::uint64_t style) {
    platform::Cursor& cursor = installedPlatform().cursor();
    cursor.allowSetInBackground();
    switch (style) {
        case kOpenHand:
            cursor.set(platform::CursorShape::OpenHand);
            break;
        case kClosedHand:
            cursor.set(platform::CursorShape::ClosedHand);
            break;
        case kCrosshair:
            cursor.set(platform::CursorShape::Crosshair);
            break;
        case kArrow:
            cursor.set(platform::CursorShape::Arrow);
            break;
        case kHide:
            cursor.hide();
            WEXO_LOG_ERROR("hide");
            break;
        case kUnhide:
            WEXO_LOG_ERROR("unhide");
            cursor.unhide();
            break;
        default:
            break;
    }
}

}  // namespace wexo
