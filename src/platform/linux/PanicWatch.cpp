#include "platform/linux/PanicWatch.h"

#include <algorithm>

namespace wexo::platform::lnx {

namespace {
bool anyHeld(const std::set<std::pair<int, std::uint16_t>>& held, std::uint16_t code) {
    return std::any_of(held.begin(), held.end(), [&](const auto& h) { return h.second == code; });
}
}  // namespace

std::optional<const char*> PanicWatch::feed(int device, const InputRecord& r, double now) {
    if (r.type != EV_KEY || r.value == 2) return std::nullopt;
    if (r.value == 0) {
        held_.erase({device, r.code});
    } else {
        held_.insert({device, r.code});
    }
    update(now);
    if (r.value == 1 && anyHeld(held_, KEY_BACKSPACE) && anyHeld(held_, KEY_ESC) &&
        anyHeld(held_, KEY_ENTER))
        return "Backspace, Escape and Enter held together";
    return std::nullopt;
}

void PanicWatch::update(double now) {
    const bool chord =
        anyHeld(held_, BTN_LEFT) && anyHeld(held_, BTN_RIGHT) && anyHeld(held_, BTN_MIDDLE);
    if (!chord) {
        chordSince_.reset();
    } else if (!chordSince_) {
        chordSince_ = now;
    }
}

std::optional<const char*> PanicWatch::check(double now) const {
    if (chordSince_ && now >= *chordSince_ + kHoldSeconds)
        return "the left, right and middle buttons held together for 3 seconds";
    return std::nullopt;
}

void PanicWatch::forget(int device) {
    std::erase_if(held_, [&](const auto& h) { return h.first == device; });
    // Whatever is left decides; a chord broken by the removal is over.
    if (!(anyHeld(held_, BTN_LEFT) && anyHeld(held_, BTN_RIGHT) && anyHeld(held_, BTN_MIDDLE)))
        chordSince_.reset();
}

}  // namespace wexo::platform::lnx
