#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/Event.h"

namespace wexo::platform {

enum class TapLocation { HID = 0, Session = 1, AnnotatedSession = 2 };
enum class TapPlacement { HeadInsert = 0, TailAppend = 1 };
enum class TapOption { Default = 0, ListenOnly = 1 };

// What a tap callback answers for one event: pass it on (with whatever the
// callback changed in it) or swallow it. There is no third, ambiguous answer.
class [[nodiscard]] Verdict {
  public:
    static Verdict pass() { return Verdict(true); }
    static Verdict swallow() { return Verdict(false); }
    bool passes() const { return pass_; }
    bool swallows() const { return !pass_; }
    friend bool operator==(Verdict, Verdict) = default;

  private:
    explicit Verdict(bool p) : pass_(p) {}
    bool pass_;
};

// The callback of a tap. `type` is the event's type, or TapDisabledByTimeout /
// TapDisabledByUserInput when the system tells the tap it was disabled (then
// `event` is a null event and the verdict is ignored). The callback may change
// `event` in place; a pass then delivers the changed event.
using TapCallback = std::function<Verdict(EventType type, Event& event)>;

// An installed event tap. Destroying it removes it from the stream (and from
// the run loop) for good.
class EventTap {
  public:
    virtual ~EventTap() = default;
    // CGEventTapEnable.
    virtual void enable(bool on) = 0;
    // CGEventTapIsEnabled.
    virtual bool isEnabled() const = 0;
};

// The system's stream of input events, with its taps.
class EventStream {
  public:
    virtual ~EventStream() = default;

    // CGEventTapCreate and adding its source to the main run loop. The tap
    // starts enabled. `mask` selects event types by eventMaskBit; the
    // tap-disabled notifications reach every tap. Answers nullptr when the
    // tap cannot be created (an active tap without Accessibility trust).
    // Callbacks run on the main thread.
    virtual std::unique_ptr<EventTap> createTap(TapLocation location, TapPlacement placement,
                                                TapOption option, std::uint64_t mask,
                                                TapCallback callback) = 0;

    // CGEventPost. An event posted at the HID location passes every tap
    // again, as input from a device would. May be called from any thread;
    // the event enters the stream on the main thread, after the event being
    // handled (if any) has finished its way.
    virtual void post(TapLocation location, const Event& event) = 0;

    // The pointer's location as an event created without a source reports it
    // (CGEventCreate(NULL) + CGEventGetLocation), in global coordinates.
    virtual Point pointerLocation() const = 0;

    // An empty event at the current pointer location (CGEventCreate(NULL)).
    Event emptyEvent() const {
        Event e;
        e.setLocation(pointerLocation());
        return e;
    }
};

}  // namespace wexo::platform
