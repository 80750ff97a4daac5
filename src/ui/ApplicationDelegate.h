#pragma once

namespace wexo::ui {

// What the application tells its delegate. Every method is optional.
class ApplicationDelegate {
  public:
    virtual ~ApplicationDelegate() = default;
    virtual void applicationDidFinishLaunching() {}
    virtual void applicationWillBecomeActive() {}
    // The person opened the application again while it runs. Answer false
    // when the delegate handled it.
    virtual bool applicationShouldHandleReopen(bool /*hasVisibleWindows*/) { return true; }
    virtual void applicationWillTerminate() {}
};

}  // namespace wexo::ui
