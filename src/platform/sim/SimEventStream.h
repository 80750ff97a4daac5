#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/EventStream.h"
#include "platform/LocalKeyMonitors.h"
#include "platform/TapChain.h"
#include "platform/sim/SimAccessibility.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimHotKeys.h"
#include "platform/sim/SimProcess.h"
#include "platform/sim/SimRecorder.h"
#include "platform/sim/SimRunLoop.h"
#include "platform/sim/SimWindowList.h"
#include "platform/sim/SimWorkspace.h"

namespace wexo::platform::sim {

// The desktop's event stream: the tap chain's rules, with what is simulated
// around them. An event that passes every tap is offered to the hot-key
// system, which may take a key event; otherwise it is delivered (recorded
// with the time), a delivered mouse moved, dragged, down or up event moves
// the pointer to its location, and a key event delivered while the program
// is front-most goes on to the program's local key monitors.
//
// An event posted from another thread is handed to the main thread and
// enters at the same virtual time. When the program has ended, its taps act
// no more and its posts are dropped; input from devices still reaches the
// applications.
//
// Main thread only, except post() and pointerLocation(), which any thread
// may call.
class SimEventStream : public EventStream, private TapChain::Host {
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
        LocalKeyMonitors& keyMonitors;
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

    using TapInfo = TapChain::TapInfo;
    // Every existing tap in the order events reach them.
    std::vector<TapInfo> taps() const { return chain_.taps(); }
    // Disables a tap as the system does when its callback is too slow or
    // the user's input disabled it, and tells its callback with `reason`
    // (TapDisabledByTimeout or TapDisabledByUserInput) and a null event.
    // False when there is no such tap or the program has ended.
    bool disableTap(std::uint64_t id, EventType reason) { return chain_.disableTap(id, reason); }
    // Lets queued events enter now (the desktop calls it when a unit of
    // work ends).
    void drain() { chain_.drain(); }
    std::size_t queuedCount() const { return chain_.queuedCount(); }

  private:
    bool programAlive() const override { return s_.process.alive(); }
    void runWork(FunctionRef<void()> work) override { s_.runLoop.runWork(work); }
    bool busy() const override { return s_.runLoop.busy(); }
    bool trusted() const override { return s_.accessibility.trusted(); }
    void deliver(Event& event, std::uint64_t origin) override;

    Services s_;
    TapChain chain_{*this};
    mutable std::mutex pointerMutex_;
    Point pointer_;
};

}  // namespace wexo::platform::sim
