#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/EventStream.h"
#include "platform/Shared.h"

namespace wexo {

// The program's own taps at the head of the session stream, in the order an
// event reaches them: this enum is the one place that decides it.
//
//   Movement  the grab's movement watcher. It must see a grab's movements,
//             including the left presses and drags that the mouse tap
//             swallows while a grab runs.
//   Mouse     the mouse tap. It runs the action of an assigned wheel
//             direction, so it must see a wheel event before the wheel tap,
//             which drops every event of an assigned direction.
//   Wheel     the scroll engine's wheel tap.
//
// The pass-through tap of the scroll engine and the temporary tap of "Keep
// Left Pressed" (at the HID location, ahead of every session tap) stay out
// of it: the first passes every event unchanged, so its place changes
// nothing, and the second must come before all of these anyway.
enum class SessionTap : int { Movement = 0, Mouse = 1, Wheel = 2 };

// Keeps the taps of SessionTap in that order whatever order they are created
// in. The stream only knows head insertion (the last tap inserted sees an
// event first), so when a tap is created behind taps that must come before
// it, those are created again at the head, in order; each keeps its mask,
// its callback and whether it was enabled. This is what lets the scroll
// screen make a new scroll engine, with a new wheel tap, while the mouse tap
// already runs.
//
// The composition root owns it and installs it as the shared instance before
// any engine exists. Main thread only.
class EventTapOrder {
  public:
    explicit EventTapOrder(platform::EventStream& stream);
    ~EventTapOrder();
    EventTapOrder(const EventTapOrder&) = delete;
    EventTapOrder& operator=(const EventTapOrder&) = delete;

    // An active tap at the head of the session stream, then put in its place.
    // Answers nullptr when the stream cannot create it (no Accessibility
    // trust). The handle's enable and isEnabled act on whichever tap
    // currently stands for it; destroying the handle removes it for good.
    std::unique_ptr<platform::EventTap> createTap(SessionTap place, std::uint64_t mask,
                                                  platform::TapCallback callback);

    // The places of the live taps in the order an event reaches them.
    std::vector<SessionTap> orderForTesting() const;

  private:
    class OrderedTap;
    friend class OrderedTap;

    void forget(OrderedTap* tap);

    platform::EventStream& stream_;
    // Live taps, the first reached first.
    std::vector<OrderedTap*> taps_;
};

// Creates a tap in its place through the installed order; without one (a
// part tested alone), at the head of the session stream.
std::unique_ptr<platform::EventTap> createSessionTap(SessionTap place, std::uint64_t mask,
                                                     platform::TapCallback callback);

}  // namespace wexo
