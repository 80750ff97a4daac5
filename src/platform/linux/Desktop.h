#pragma once

#include <sys/types.h>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/Accessibility.h"
#include "platform/Cursor.h"
#include "platform/Dock.h"
#include "platform/Geometry.h"
#include "platform/HotKeys.h"
#include "platform/RunLoop.h"
#include "platform/Screens.h"
#include "platform/Subscription.h"
#include "platform/WindowList.h"
#include "platform/Workspace.h"

namespace wexo::platform::lnx {

// The part of the Linux main run loop (epoll) that watches descriptors.
class DescriptorWatcher {
  public:
    virtual ~DescriptorWatcher() = default;
    // Calls `readable` on the main thread whenever `fd` has something to
    // read, until the subscription ends. The descriptor stays the caller's.
    virtual Subscription watchReadable(int fd, std::function<void()> readable) = 0;
};

// The pointer and the modifier keys as the desktop sees them at one moment.
struct PointerState {
    // Global coordinates: origin at the top left of the main display, y down.
    Point location;
    // EventFlags bits of the held modifiers: Shift, Control, Alternate (Alt),
    // Command (Super) and AlphaShift (Caps Lock).
    std::uint64_t modifierFlags = 0;
};

// What the Linux input path and the Linux platform ask of the desktop they
// run on: the X11 desktop answers from the X server, and without one the
// headless desktop answers from its own small model (one screen, one
// unidentified application). Everything here runs on the main thread.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // Starts hearing the desktop: the desktop watches what it must (its
    // connection's descriptor) through `watcher`, may schedule timers on
    // `loop`, and from then on reports its changes (screens, the front-most
    // application, hot keys) through the services below. Called once, on
    // the main thread, before the first event.
    virtual void attach(RunLoop& loop, DescriptorWatcher& watcher) = 0;
    // Calls `lost` once if the desktop's server goes away (the X server
    // stopped): nothing the desktop answers holds any more, and the program
    // has to stop. A desktop without a server never calls.
    virtual void setServerLost(std::function<void()> lost) { (void)lost; }

    // The pointer and the held modifiers now. The input path asks at most
    // once per device report, so an answer may cost a round trip.
    virtual PointerState queryPointer() = 0;
    // The input path has written relative motion (dx, dy) to a virtual
    // pointer. A desktop whose server moves the pointer itself ignores it;
    // the headless desktop moves its own pointer, kept on its screens.
    virtual void pointerMoved(double dx, double dy) = 0;
    // Moves the pointer to `p` (a posted move to another place).
    virtual void warpPointer(Point p) = 0;
    // The process that owns the front-most application window containing
    // `p`, or 0 when none does (panels and the desktop are not application
    // windows).
    virtual pid_t windowOwnerAt(Point p) = 0;
    // Two presses of one button are one double click when they come within
    // this many seconds and this many pixels of each other.
    virtual double doubleClickInterval() const = 0;
    virtual double doubleClickDistance() const = 0;

    // The refresh rate of a display in Hz; 0 when the desktop cannot tell
    // (display links then tick at 60 Hz).
    virtual double refreshRate(DisplayId display) const {
        (void)display;
        return 0;
    }
    // Hears of displays added, removed, moved or changed; a desktop whose
    // screens never change never calls.
    virtual Subscription observeScreenChanges(std::function<void()> changed) {
        (void)changed;
        return {};
    }

    // The port's services this desktop answers.
    virtual Screens& screens() = 0;
    virtual WindowList& windowList() = 0;
    virtual Workspace& workspace() = 0;
    virtual HotKeys& hotKeys() = 0;
    virtual Cursor& cursor() = 0;
    virtual Dock& dock() = 0;
    // The element queries of the Accessibility service. Its trust test is
    // not the desktop's to answer: on Linux "trusted" means the input path
    // can read the mice and write /dev/uinput, which the platform decides.
    virtual Accessibility& accessibility() = 0;

    // Pointer acceleration on the stored scale (0 to 3, 0.6875 the middle
    // of the desktop's range); nothing when the desktop cannot tell.
    virtual std::optional<double> pointerAcceleration() = 0;
    // True when the desktop took the new value.
    virtual bool setPointerAcceleration(double scale) = 0;
};

}  // namespace wexo::platform::lnx
