#pragma once

#include <X11/Xlib.h>
// X.h names a query class "CursorShape", which is the port's cursor shapes.
#undef CursorShape

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace wexo::platform::x11 {

// The atoms the desktop reads, interned in one round trip.
struct Atoms {
    Atom netClientListStacking, netActiveWindow, netWmPid, netFrameExtents, netWmWindowType,
        netWmWindowTypeDock, netWmWindowTypeDesktop, netWmWindowTypeUtility, netWmWindowTypeToolbar,
        netWmWindowTypeMenu, netWmState, netWmStateHidden, netWmStateFullscreen, netWmStateAbove,
        netWorkarea, netCurrentDesktop, netShowingDesktop, netWmStrutPartial, netWmStrut, netWmName,
        gtkApplicationId, kdeNetWmDesktopFile, utf8String, wmClass, edid, xsettingsSelection,
        xsettingsSettings;
};

// One connection to the X server, with the helpers every service uses.
// Main thread only.
class X11Connection {
  public:
    // Nothing when the display cannot be opened (no X server: the caller
    // keeps the headless desktop).
    static std::unique_ptr<X11Connection> open(const std::string& displayName = {});
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    Display* display() const { return display_; }
    ::Window root() const { return root_; }
    const Atoms& atoms() const { return atoms_; }
    int fd() const { return ConnectionNumber(display_); }

    // A property as 32-bit items (Xlib hands them over as longs), nothing when
    // it is absent, has another type or the window is gone.
    std::optional<std::vector<long>> cardinals(::Window w, Atom property, Atom type);
    // A text property (UTF8_STRING or STRING), NUL-separated parts kept.
    std::optional<std::string> text(::Window w, Atom property);
    std::optional<std::vector<std::uint8_t>> bytes(::Window w, Atom property);

    // Calls `lost` once when the connection breaks (the server went away),
    // from inside the Xlib call that found it (at once when it already
    // broke). Xlib does not end the process then: every later call on the
    // connection does nothing, so the program stops its own way, letting go
    // of what it holds.
    void setConnectionLost(std::function<void()> lost) {
        lostHandler_ = std::move(lost);
        if (lost_ && lostHandler_) lostHandler_();
    }
    bool lost() const { return lost_; }

    // Runs requests that may fail (a window gone meanwhile, a key another
    // client grabbed) and answers the first X error code they caused, 0 for
    // none. Requests without a reply are synced, so the answer is final;
    // `withReplies` saves those round trips when every request waits for its
    // reply anyway (errors then arrive before the call returns).
    template <class F>
    int trapErrors(F&& requests, bool withReplies = false) {
        beginTrap(!withReplies);
        requests();
        return endTrap(!withReplies);
    }

  private:
    explicit X11Connection(Display* display);
    static void connectionLost(Display* display, void* self);
    void beginTrap(bool sync);
    int endTrap(bool sync);

    Display* display_;
    ::Window root_;
    Atoms atoms_{};
    std::function<void()> lostHandler_;
    bool lost_ = false;
};

}  // namespace wexo::platform::x11
