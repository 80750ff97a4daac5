#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/EventStream.h"
#include "platform/sim/SimAccessibility.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimHotKeys.h"
#include "platform/sim/SimKeyMonitors.h"
#include "platform/sim/SimProcess.h"
#include "platform/sim/SimRecorder.h"
#include "platform/sim/SimRunLoop.h"
#include "platform/sim/SimWindowList.h"
#include "platform/sim/SimWorkspace.h"

namespace wexo::platform::sim {

// The desktop's event stream and its taps.
//
// An event entering at the HID location passes, in order, the HID-location
// taps, then the session taps, then the annotated-session taps (one posted
// at a later location skips the earlier ones). Within a location a
// head-inserted tap comes before the taps inserted earlier, a tail-appended
// one after them. A tap sees an event when it is enabled, its mask has the
// event's type (as the event is when it reaches the tap) and it existed
// when the event entered the stream. An active tap's callback may change
// the event or swallow it, which ends its way; a listen-only tap sees a copy
// and its verdict is ignored. An event that passes every tap is offered to
// the hot-key system, which may take a key event; otherwise it is delivered
// (recorded with the time), a delivered mouse moved, dragged, down or up
// event moves the pointer to its location, and a key event delivered while
// the program is front-most goes on to the program's local key monitors.
//
// Events enter one at a time: an event posted by a callback, a timer or a
// frame (or sent from another thread) waits in a first-in-first-out queue
// until the current unit of work is over, and enters at the same virtual
// time. When the program has ended, its taps act no more and its posts are
// dropped; input from devices still reaches the applications.
//
// Main thread only, except post() and pointerLocation(), which any thread
// may call.
class SimEventStream : public EventStream {
  public:
    struct Services {
        SimClock& clock;
        SimRunLoop& runLoop;
        SimRecorder& recorder;
        const SimProcess& process;
        const SimAccessibility& accessibility;
        const SimWindowList& windows;
        const SimWorkspace& workspace;
        SimHotKeys& hotKeys;
        SimKeyMonitors& keyMonitors;
    };
    explicit SimEventStream(Services services);
    ~SimEventStream() override;

    // Active taps need Accessibility trust; without it the answer is nullptr.
    std::unique_ptr<EventTap> createTap(TapLocation location, TapPlacement placement,
                                        TapOption option, std::uint64_t mask,
                                        TapCallback callback) override;
    void post(TapLocation location, const Event& event) override;
    Point pointerLocation() const override;

    // ---- Driver ----

    // Input from a device, entering at the HID location. It gets the current
    // time as its timestamp and, when its target pid is 0, the owner of the
    // front-most window containing its location (0 when none does).
    void inject(Event event);
    // Moves the pointer without an event (as a warp does).
    void setPointer(Point p);

    struct TapInfo {
        std::uint64_t id;  // creation number, from 1
        TapLocation location;
        TapPlacement placement;
        TapOption option;
        std::uint64_t mask;
        bool enabled;
    };
    // Every existing tap in the order events reach them.
    std::vector<TapInfo> taps() const;
    // Disables a tap as the system does when its callback is too slow or
    // the user's input disabled it, and tells its callback with `reason`
    // (TapDisabledByTimeout or TapDisabledByUserInput) and a null event.
    // False when there is no such tap or the program has ended.
    bool disableTap(std::uint64_t id, EventType reason);
    // Lets queued events enter now (the desktop calls it when a unit of
    // work ends).
    void drain();
    std::size_t queuedCount() const { return queue_.size(); }

  private:
    struct Tap;
    struct TapTable;
    class TapHandle;
    struct Pending {
        Event event;
        TapLocation location;
        std::uint64_t stamp;  // taps created up to this number see it
    };

    void enqueue(Pending pending);
    void dispatch(Pending& pending);
    void deliver(Event& event);

    Services s_;
    std::shared_ptr<TapTable> taps_;
    std::atomic<std::uint64_t> lastTapId_{0};
    std::deque<Pending> queue_;
    bool draining_ = false;
    mutable std::mutex pointerMutex_;
    Point pointer_;
};

}  // namespace wexo::platform::sim
