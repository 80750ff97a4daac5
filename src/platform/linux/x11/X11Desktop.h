#pragma once

#include <memory>
#include <string>

#include "platform/CallbackList.h"
#include "platform/linux/Desktop.h"
#include "platform/linux/x11/AppIdentities.h"
#include "platform/linux/x11/AtspiAccessibility.h"
#include "platform/linux/x11/PointerAcceleration.h"
#include "platform/linux/x11/X11Connection.h"
#include "platform/linux/x11/X11Cursor.h"
#include "platform/linux/x11/X11Dock.h"
#include "platform/linux/x11/X11HotKeys.h"
#include "platform/linux/x11/X11Screens.h"
#include "platform/linux/x11/X11WindowTracker.h"
#include "platform/linux/x11/X11Workspace.h"
#include "platform/linux/xdg/DesktopEntries.h"
#include "platform/linux/xdg/Launcher.h"

namespace wexo::platform::x11 {

// The desktop of an X11 session: Xlib with RandR, XInput 2, XFixes and the
// window manager's EWMH properties, AT-SPI for accessibility, GIO for the
// applications. Everything it reports is kept from the server's events, read
// on the main thread when the connection has something to say.
class X11Desktop : public lnx::Desktop {
  public:
    struct Options {
        std::string displayName;  // empty: $DISPLAY
        // The program itself, so that its own windows are known as its own.
        OwnProcess own;
    };
    // Nothing when no X server can be reached.
    static std::unique_ptr<X11Desktop> open(Options options);
    // The same, and when there is no X server (a console, Wayland without
    // Xwayland) one log line says what the program cannot do without it.
    static std::unique_ptr<X11Desktop> openOrExplain(Options options);
    ~X11Desktop() override;

    void attach(RunLoop& loop, lnx::DescriptorWatcher& watcher) override;
    void setServerLost(std::function<void()> lost) override {
        c_->setConnectionLost(std::move(lost));
    }
    lnx::PointerState queryPointer() override;
    void pointerMoved(double, double) override {}
    void warpPointer(Point p) override;
    pid_t windowOwnerAt(Point p) override;
    double doubleClickInterval() const override { return doubleClickInterval_; }
    double doubleClickDistance() const override { return doubleClickDistance_; }

    Screens& screens() override { return *screens_; }
    WindowList& windowList() override { return *tracker_; }
    Workspace& workspace() override { return *workspace_; }
    HotKeys& hotKeys() override { return *hotKeys_; }
    Cursor& cursor() override { return *cursor_; }
    Dock& dock() override { return *dock_; }
    Accessibility& accessibility() override { return *accessibility_; }
    std::optional<double> pointerAcceleration() override;
    bool setPointerAcceleration(double scale) override;

    // Screen changes, for the application's screen-parameters notification.
    Subscription observeScreenChanges(std::function<void()> changed) override {
        return screens_->observeChanges(std::move(changed));
    }
    // Frames per second of a display, for its display link.
    double refreshRate(DisplayId id) const override { return screens_->refreshRate(id); }

    // Handles everything the server sent. The descriptor watcher calls it;
    // tests without a run loop call it by hand.
    void processEvents();
    X11Connection& connection() { return *c_; }
    X11Screens& x11Screens() { return *screens_; }
    X11WindowTracker& tracker() { return *tracker_; }

  private:
    X11Desktop(std::unique_ptr<X11Connection> connection, Options options);
    void dispatch(XEvent& event);
    void updatePanelStruts();
    void readDoubleClickSettings();
    // Events that a round trip read into Xlib's queue leave the descriptor
    // quiet: have them handled soon.
    void drainSoon();
    Point toGlobal(int rootX, int rootY) const;

    std::unique_ptr<X11Connection> c_;
    xdg::DesktopEntries entries_;
    xdg::Launcher launcher_{entries_};
    // Where queryPointer() last found the pointer: the input path asks at
    // every device report, so it is where the engine thinks it is.
    std::optional<Point> lastPointer_;
    AppIdentities identities_;
    std::unique_ptr<X11Screens> screens_;
    std::unique_ptr<X11WindowTracker> tracker_;
    std::unique_ptr<X11Workspace> workspace_;
    std::unique_ptr<X11HotKeys> hotKeys_;
    std::unique_ptr<X11Cursor> cursor_;
    std::unique_ptr<X11Dock> dock_;
    std::unique_ptr<AtspiAccessibility> accessibility_;
    std::unique_ptr<PointerAcceleration> acceleration_;

    RunLoop* loop_ = nullptr;
    Subscription watch_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    bool drainPosted_ = false;
    bool processing_ = false;
    double doubleClickInterval_ = 0.4;
    double doubleClickDistance_ = 5;
};

}  // namespace wexo::platform::x11
