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
    // Motion first: the presses of this report happen where it leaves the
    // pointer.
    double dx = 0, dy = 0;
    std::vector<InputRecord> motion;
    std::vector<InputRecord> wheel;
    for (const InputRecord& r : report) {
        if (r.type == EV_REL && (r.code == REL_X || r.code == REL_Y)) {
            (r.code == REL_X ? dx : dy) += r.value;
            motion.push_back(r);
        } else if (isWheel(r)) {
            wheel.push_back(r);
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
        out.events.push_back({e, std::move(motion)});
    }

    std::optional<InputRecord> scan;  // MSC_SCAN goes with the key after it
    for (const InputRecord& r : report) {
        if (r.type == EV_MSC && r.code == MSC_SCAN) {
            if (scan) out.leftovers.push_back(*scan);
            scan = r;
            continue;
        }
        if (r.type != EV_KEY) {
            if (!(r.type == EV_REL && (r.code == REL_X || r.code == REL_Y)) && !isWheel(r))
                out.leftovers.push_back(r);
            continue;
        }
        std::vector<InputRecord> records;
        if (scan) records.push_back(*scan);
        scan.reset();
        records.push_back(r);

        if (auto button = buttonNumber(r.code)) {
            if (r.value == 2) {
                out.leftovers.insert(out.leftovers.end(), records.begin(), records.end());
                continue;
            }
            const bool down = r.value == 1;
            Event e = make(down ? downType(*button) : upType(*button));
            e.setIntegerField(EventField::MouseEventButtonNumber, *button);
            if (down) {
                const double t = static_cast<double>(recordMicros(r)) / 1e6;
                const bool again = lastPress_.button == *button &&
                                   t - lastPress_.seconds <= doubleClickInterval &&
                                   t >= lastPress_.seconds &&
                                   std::hypot(at.x - lastPress_.location.x,
                                              at.y - lastPress_.location.y) <= doubleClickDistance;
                lastPress_ = LastPress{*button, t, at, again ? lastPress_.count + 1 : 1};
                clickStates_[*button] = lastPress_.count;
            }
            e.setIntegerField(EventField::MouseEventClickState, std::max(clickStates_[*button], 1));
            trackKey(r.code, r.value);
            out.events.push_back({e, std::move(records)});
            continue;
        }

        const auto key = engineKeyCode(r.code);
        if (!key) {
            out.leftovers.insert(out.leftovers.end(), records.begin(), records.end());
            continue;
        }
        trackKey(r.code, r.value);
        Event e;
        if (modifierFlagOfLinuxKey(r.code) != 0) {
            if (r.value == 2) continue;  // a held modifier repeats nothing
            e = make(EventType::FlagsChanged);
            e.setIntegerField(EventField::KeyboardEventKeycode, *key);
        } else {
            e = Event::keyboard(*key, r.value != 0);
            e.setLocation(at);
            e.setTimestamp(nowNanos);
            e.setFlags(e.flags() | pointer.modifierFlags | streamModifiers());
            if (r.value == 2) e.setIntegerField(EventField::KeyboardEventAutorepeat, 1);
        }
        out.events.push_back({e, std::move(records)});
    }
    if (scan) out.leftovers.push_back(*scan);

    if (!wheel.empty()) {
        // Each axis counts its high-resolution records when it has any, its
        // low-resolution ones otherwise: a device sends both for one turn.
        std::int64_t lines[2] = {0, 0};
        Axis* axes[2] = {&vertical_, &horizontal_};
        for (int a = 0; a < 2; ++a) {
            const std::uint16_t lo = a == 0 ? REL_WHEEL : REL_HWHEEL;
            const std::uint16_t hi = a == 0 ? REL_WHEEL_HI_RES : REL_HWHEEL_HI_RES;
            std::int64_t hiSum = 0, loSum = 0;
            bool hasHi = false, hasAny = false;
            for (const InputRecord& r : wheel) {
                if (r.code == hi) hasHi = true, hiSum += r.value;
                if (r.code == lo) loSum += r.value;
                if (r.code == hi || r.code == lo) hasAny = true;
            }
            if (!hasAny) continue;
            Axis& axis = *axes[a];
            for (const InputRecord& r : wheel)
                if (r.code == hi || r.code == lo) axis.pending.push_back(r);
            if (hasHi) {
                axis.parts += hiSum;
                lines[a] = axis.parts / kUnitsPerNotch;  // toward zero, the rest carried
                axis.parts -= lines[a] * kUnitsPerNotch;
            } else {
                lines[a] = loSum;
            }
            // Parts that cancelled out have nothing left to say.
            if (lines[a] == 0 && axis.parts == 0) axis.pending.clear();
        }
        if (lines[0] != 0 || lines[1] != 0) {
            Event e =
                Event::scrollWheel(ScrollEventUnit::Line, 2, static_cast<std::int32_t>(lines[0]),
                                   static_cast<std::int32_t>(-lines[1]));
            e.setLocation(at);
            e.setTimestamp(nowNanos);
            e.setFlags(pointer.modifierFlags | streamModifiers());
            std::vector<InputRecord> records;
            for (int a = 0; a < 2; ++a) {
                if (lines[a] == 0) continue;
                records.insert(records.end(), axes[a]->pending.begin(), axes[a]->pending.end());
                axes[a]->pending.clear();
            }
            out.events.push_back({e, std::move(records)});
        }
    }

    return out;
}

}  // namespace wexo::platform::lnx
