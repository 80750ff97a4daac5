#pragma once

#include <mutex>

#include "platform/Geometry.h"

namespace wexo {

// The application's transparent, borderless full-screen overlay window
// (gestureWindow): gesture trails, the grab anchor and the auto-scroll icon
// are drawn in it. This is its model: where it is, whether it is shown, and
// the pointer in its own coordinates. The user interface draws it.
//
// Window coordinates have their origin at the bottom left of the window and
// y growing upward; the frame is in screen-list coordinates (origin at the
// bottom left of the main display, y up).
class GestureWindow {
  public:
    GestureWindow();
    virtual ~GestureWindow() = default;

    // Shown through its window controller (showWindow:).
    virtual void show();
    virtual void close();
    // setFrame:display:NO animate:NO.
    virtual void setFrame(platform::Rect frame);
    virtual void setLevel(int level);
    virtual void setHasShadow(bool shadow);

    bool isVisible() const;
    platform::Rect frame() const;
    int level() const;
    bool hasShadow() const;

    // The pointer in window coordinates (mouseLocationOutsideOfEventStream),
    // whether or not the window is shown. Safe to call from a display-link
    // thread.
    platform::Point mouseLocationOutsideOfEventStream() const;

  private:
    mutable std::mutex mutex_;
    platform::Rect frame_;
    double mainDisplayHeight_ = 0;
    bool visible_ = false;
    int level_ = 0;
    bool shadow_ = true;
};

// The floating window level (NSFloatingWindowLevel).
inline constexpr int kFloatingWindowLevel = 3;

}  // namespace wexo
