#include "platform/linux/ReportDecoder.h"

#include <algorithm>
#include <cmath>

#include "platform/linux/KeyCodes.h"

namespace wexo::platform::lnx {

namespace {
constexpr std::uint16_t kButtonCodes[ReportDecoder::kButtonCount] = {
    BTN_LEFT, BTN_RIGHT, BTN_MIDDLE, BTN_SIDE, BTN_EXTRA, BTN_FORWARD, BTN_BACK, BTN_TASK};
constexpr std::int64_t kUnitsPerNotch = 120;

bool isWheel(const InputRecord& r) {
    return r.type == EV_REL && (r.code == REL_WHEEL || r.code == REL_WHEEL_HI_RES ||
                                r.code == REL_HWHEEL || r.code == REL_HWHEEL_HI_RES);
}
}  // namespace

std::optional<int> ReportDecoder::buttonNumber(std::uint16_t code) {
    for (int i = 0; i < kButtonCount; ++i)
        if (kButtonCodes[i] == code) return i;
    return std::nullopt;
}

std::uint16_t ReportDecoder::buttonCode(int number) {
    return number >= 0 && number < kButtonCount ? kButtonCodes[number] : 0;
}

EventType ReportDecoder::downType(int button) {
    return button == 0   ? EventType::LeftMouseDown
           : button == 1 ? EventType::RightMouseDown
                         : EventType::OtherMouseDown;
}

EventType ReportDecoder::upType(int button) {
    return button == 0   ? EventType::LeftMouseUp
           : button == 1 ? EventType::RightMouseUp
                         : EventType::OtherMouseUp;
}

int ReportDecoder::dragButton() const {
    for (int i = 0; i < kButtonCount; ++i)
        if (heldButtons_ & (1u << i)) return i;
    return 0;
}

EventType ReportDecoder::motionType() const {
    if (heldButtons_ == 0) return EventType::MouseMoved;
    const int b = dragButton();
    return b == 0   ? EventType::LeftMouseDragged
           : b == 1 ? EventType::RightMouseDragged
                    : EventType::OtherMouseDragged;
}

std::uint64_t ReportDecoder::streamModifiers() const {
    std::uint64_t flags = capsLock_ ? EventFlags::AlphaShift : 0;
    for (std::uint16_t key : heldModifierKeys_) flags |= modifierFlagOfLinuxKey(key);
    return flags;
}

void ReportDecoder::trackKey(std::uint16_t code, std::int32_t value) {
    if (auto b = buttonNumber(code)) {
        if (value == 1) heldButtons_ |= 1u << *b;
        if (value == 0) heldButtons_ &= ~(1u << *b);
        return;
    }
    const std::uint64_t flag = modifierFlagOfLinuxKey(code);
    if (flag == 0) return;
    if (flag == EventFlags::AlphaShift) {
        // Caps Lock is a state the key toggles, not a key held.
        if (value == 1) capsLock_ = !capsLock_;
        return;
    }
    std::erase(heldModifierKeys_, code);
    if (value != 0) heldModifierKeys_.push_back(code);
}

void ReportDecoder::observe(const Report& report) {
    for (const InputRecord& r : report)
        if (r.type == EV_KEY) trackKey(r.code, r.value);
}

ReportDecoder::Result ReportDecoder::decode(const Report& report, const PointerState& pointer,
                                            double doubleClickInterval, double doubleClickDistance,
                                            std::uint64_t nowNanos) {
    Result out;
    const auto count = static_cast<std::uint32_t>(report.size());
    // Motion first: the presses of this report happen where it leaves the
    // pointer.
    double dx = 0, dy = 0;
    std::vector<std::uint32_t> motion, wheel;
    for (std::uint32_t i = 0; i < count; ++i) {
        const InputRecord& r = report[i];
        if (r.type == EV_REL && (r.code == REL_X || r.code == REL_Y)) {
            (r.code == REL_X ? dx : dy) += r.value;
            motion.push_back(i);
        } else if (isWheel(r)) {
            wheel.push_back(i);
        }
    }
    const Point at{pointer.location.x + dx, pointer.location.y + dy};
    auto make = [&](EventType type) {
        Event e;
        e.setType(type);
        e.setLocation(at);
        e.setTimestamp(nowNanos);
        e.setFlags(pointer.modifierFlags | streamModifiers());
        return e;
    };
    if (!motion.empty()) {
        Event e = make(motionType());
        e.setIntegerField(EventField::MouseEventButtonNumber, heldButtons_ ? dragButton() : 0);
        e.setDoubleField(EventField::MouseEventDeltaX, dx);
        e.setDoubleField(EventField::MouseEventDeltaY, dy);
        out.events.push_back({e, std::move(motion), {}});
    }

    std::optional<std::uint32_t> scan;  // MSC_SCAN goes with the key after it
    for (std::uint32_t i = 0; i < count; ++i) {
        const InputRecord& r = report[i];
        if (r.type == EV_MSC && r.code == MSC_SCAN) {
            if (scan) out.leftovers.push_back(*scan);
            scan = i;
            continue;
        }
        if (r.type != EV_KEY) {
            if (!(r.type == EV_REL && (r.code == REL_X || r.code == REL_Y)) && !isWheel(r))
                out.leftovers.push_back(i);
            continue;
        }
        std::vector<std::uint32_t> positions;
        if (scan) positions.push_back(*scan);
        scan.reset();
        positions.push_back(i);
        auto leave = [&] {
            out.leftovers.insert(out.leftovers.end(), positions.begin(), positions.end());
        };

        if (auto button = buttonNumber(r.code)) {
            if (r.value == 2) {
                leave();
                continue;
            }
            const bool down = r.value == 1;
            Event e = make(down ? downType(*button) : upType(*button));
            e.setIntegerField(EventField::MouseEventButtonNumber, *button);
            if (down) {
                const double t = static_cast<double>(recordMicros(r)) / 1e6;
                const bool again = lastPress_.button == *button && t >= lastPress_.seconds &&
                                   t - lastPress_.seconds <= doubleClickInterval &&
                                   std::hypot(at.x - lastPress_.location.x,
                                              at.y - lastPress_.location.y) <= doubleClickDistance;
                lastPress_ = LastPress{*button, t, at, again ? lastPress_.count + 1 : 1};
                clickStates_[*button] = lastPress_.count;
            }
            e.setIntegerField(EventField::MouseEventClickState, std::max(clickStates_[*button], 1));
            trackKey(r.code, r.value);
            out.events.push_back({e, std::move(positions), {}});
            continue;
        }

        const auto key = engineKeyCode(r.code);
        if (!key) {
            leave();
            continue;
        }
        trackKey(r.code, r.value);
        Event e;
        if (modifierFlagOfLinuxKey(r.code) != 0) {
            if (r.value == 2) {  // a held modifier repeats nothing
                leave();
                continue;
            }
            e = make(EventType::FlagsChanged);
            e.setIntegerField(EventField::KeyboardEventKeycode, *key);
        } else {
            e = Event::keyboard(*key, r.value != 0);
            e.setLocation(at);
            e.setTimestamp(nowNanos);
            e.setFlags(e.flags() | pointer.modifierFlags | streamModifiers());
            if (r.value == 2) e.setIntegerField(EventField::KeyboardEventAutorepeat, 1);
        }
        out.events.push_back({e, std::move(positions), {}});
    }
    if (scan) out.leftovers.push_back(*scan);

    if (!wheel.empty()) decodeWheel(report, wheel, make(EventType::ScrollWheel), out);
    return out;
}

void ReportDecoder::decodeWheel(const Report& report, const std::vector<std::uint32_t>& wheel,
                                Event event, Result& out) {
    // Each axis counts its high-resolution records when it has any, its
    // low-resolution ones otherwise: a device sends both for one turn.
    std::int64_t lines[2] = {0, 0};
    Axis* axes[2] = {&vertical_, &horizontal_};
    std::vector<std::uint32_t> here[2];
    for (int a = 0; a < 2; ++a) {
        const std::uint16_t lo = a == 0 ? REL_WHEEL : REL_HWHEEL;
        const std::uint16_t hi = a == 0 ? REL_WHEEL_HI_RES : REL_HWHEEL_HI_RES;
        std::int64_t hiSum = 0, loSum = 0;
        bool hasHi = false;
        for (std::uint32_t i : wheel) {
            const InputRecord& r = report[i];
            if (r.code != hi && r.code != lo) continue;
            here[a].push_back(i);
            if (r.code == hi) {
                hasHi = true;
                hiSum += r.value;
            } else {
                loSum += r.value;
            }
        }
        if (here[a].empty()) continue;
        Axis& axis = *axes[a];
        if (!hasHi) {
            lines[a] = loSum;
            continue;
        }
        axis.parts += hiSum;
        lines[a] = axis.parts / kUnitsPerNotch;  // toward zero, the rest carried
        axis.parts -= lines[a] * kUnitsPerNotch;
        if (lines[a] != 0) continue;
        // Not a line yet: the records wait for the ones that complete it,
        // and parts that cancelled out have nothing left to say.
        for (std::uint32_t i : here[a]) axis.pending.push_back(report[i]);
        here[a].clear();
        if (axis.parts == 0) axis.pending.clear();
    }
    if (lines[0] == 0 && lines[1] == 0) {
        // A low-resolution record of a zero turn, say: it goes as it came.
        for (auto& h : here) out.leftovers.insert(out.leftovers.end(), h.begin(), h.end());
        return;
    }
    Event e = Event::scrollWheel(ScrollEventUnit::Line, 2, static_cast<std::int32_t>(lines[0]),
                                 static_cast<std::int32_t>(-lines[1]));
    e.setLocation(event.location());
    e.setTimestamp(event.timestamp());
    e.setFlags(event.flags());
    DecodedEvent decoded{e, {}, {}};
    for (int a = 0; a < 2; ++a) {
        if (lines[a] == 0) {
            out.leftovers.insert(out.leftovers.end(), here[a].begin(), here[a].end());
            continue;
        }
        decoded.carried.insert(decoded.carried.end(), axes[a]->pending.begin(),
                               axes[a]->pending.end());
        axes[a]->pending.clear();
        decoded.positions.insert(decoded.positions.end(), here[a].begin(), here[a].end());
    }
    out.events.push_back(std::move(decoded));
}

}  // namespace wexo::platform::lnx
