#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "platform/EventStream.h"
#include "platform/MainWork.h"

namespace wexo::platform {

// The rules of the event stream, the same on every desktop.
//
// An event entering at the HID location passes, in order, the HID-location
// taps, then the session taps, then the annotated-session taps (one posted
// at a later location skips the earlier ones). Within a location a
// head-inserted tap comes before the taps inserted earlier, a tail-appended
// one after them. A tap sees an event when it is enabled, its mask has the
// event's type (as the event is when it reaches the tap) and it existed
// when the event entered the stream. An active tap's callback may change
// the event or swallow it, which ends its way; a listen-only tap sees a copy
// and its verdict is ignored. An event that passes every tap goes to the
// host to be delivered.
//
// Events enter one at a time: an event that arrives while a unit of work
// runs (posted by a callback, a timer or a frame) waits in a
// first-in-first-out queue until the host drains it. Once the program has
// ended its taps act no more. Main thread only, except pending(), which
// any thread may call.
class TapChain {
  public:
    class Host : public MainWork {
      public:
        // Active taps need the program to be trusted with the input.
        virtual bool trusted() const = 0;
        // `event` passed every tap. `origin` is what it entered with.
        virtual void deliver(Event& event, std::uint64_t origin) = 0;
        // A tap was enabled through its handle.
        virtual void tapEnabled() {}
    };

    // An event on its way in, with the taps it will pass fixed.
    struct Pending {
        Event event;
        TapLocation location = TapLocation::HID;
        std::uint64_t stamp = 0;   // taps created up to this number see it
        std::uint64_t origin = 0;  // the host's own tag, handed back on delivery
    };

    struct TapInfo {
        std::uint64_t id;  // creation number, from 1
        TapLocation location;
        TapPlacement placement;
        TapOption option;
        std::uint64_t mask;
        bool enabled;
    };

    explicit TapChain(Host& host);
    ~TapChain();
    TapChain(const TapChain&) = delete;
    TapChain& operator=(const TapChain&) = delete;

    // Nothing when the program has ended, there is no callback, or an active
    // tap is asked for without trust.
    std::unique_ptr<EventTap> createTap(TapLocation location, TapPlacement placement,
                                        TapOption option, std::uint64_t mask, TapCallback callback);

    // The event as it will enter: it passes the taps that exist now.
    Pending pending(TapLocation location, const Event& event, std::uint64_t origin = 0) const {
        return Pending{event, location, lastTapId_.load(std::memory_order_acquire), origin};
    }
    // Queues the event and, unless a unit of work is running, lets the
    // queue in.
    void enqueue(Pending pending);
    // Lets queued events enter now, each as a unit of work, including those
    // they post in turn.
    void drain();
    std::size_t queuedCount() const { return queue_.size(); }

    // Every existing tap in the order events reach them.
    std::vector<TapInfo> taps() const;
    // Disables a tap as the system does when its callback is too slow or
    // the user's input disabled it, and tells its callback with `reason`
    // (TapDisabledByTimeout or TapDisabledByUserInput) and a null event.
    // False when there is no such tap or the program has ended.
    bool disableTap(std::uint64_t id, EventType reason);
    // The same for every enabled active tap: the number told.
    std::size_t disableActiveTaps(EventType reason);
    // True when some active tap is enabled.
    bool anyActiveTapEnabled() const;

  private:
    struct Tap;
    struct TapTable;
    class TapHandle;

    void dispatch(Pending& pending);
    void notifyDisabled(const std::shared_ptr<Tap>& tap, EventType reason);

    Host& host_;
    std::shared_ptr<TapTable> taps_;
    std::atomic<std::uint64_t> lastTapId_{0};
    std::deque<Pending> queue_;
    bool draining_ = false;
};

}  // namespace wexo::platform
