#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <utility>

#include "platform/linux/InputRecords.h"

namespace wexo::platform::lnx {

// The way out when the program has the mouse and will not give it back:
// the left, right and middle buttons held together for three seconds, or
// Backspace, Escape and Enter held together (on a stream that carries
// keys), end the program after everything held is released. It listens to
// the raw records, before anything else, so a program stuck on its main
// thread still lets go.
class PanicWatch {
  public:
    static constexpr double kHoldSeconds = 3.0;

    // Follows one device's record; `now` in seconds on any steady clock.
    // Answers the reason to panic when the key chord completes.
    std::optional<const char*> feed(int device, const InputRecord& r, double now);
    // When the held buttons make it time to panic (nothing: no chord held).
    std::optional<double> deadline() const {
        return chordSince_ ? std::optional(*chordSince_ + kHoldSeconds) : std::nullopt;
    }
    // The reason to panic at `now`, if the chord has been held long enough.
    std::optional<const char*> check(double now) const;
    // A device went away with whatever it held.
    void forget(int device);

  private:
    void update(double now);
    std::set<std::pair<int, std::uint16_t>> held_;
    std::optional<double> chordSince_;
};

}  // namespace wexo::platform::lnx
