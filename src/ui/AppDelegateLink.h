#pragma once

#include "platform/Shared.h"

namespace wexo {
class ScrollAnimation;
}

namespace wexo::ui {

// What the screens ask of the application delegate (AppDelegate) and of
// the shell services around it. Installed in SharedSlot<AppDelegateLink> by
// the delegate. Main thread only.
class AppDelegateLink {
  public:
    virtual ~AppDelegateLink() = default;

    // The Scroll screen hands over its engine (nullptr while scrolling is off).
    virtual void setScroller(ScrollAnimation* scroller) = 0;
    // Shows the status item and the preferences window, in front.
    virtual void showWindow() = 0;
    // Starts a new instance after `delay` seconds and asks this one to
    // terminate normally.
    virtual void relaunchAfterDelay(float delay) = 0;

    // The application among the user's login items.
    virtual bool isLoginItem() = 0;
    virtual void addToLoginItems() = 0;
    virtual void removeFromLoginItems() = 0;
};

inline AppDelegateLink* appDelegate() {
    return SharedSlot<AppDelegateLink>::get();
}

}  // namespace wexo::ui
