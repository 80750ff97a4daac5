#include "platform/linux/OutputDevices.h"

#include <cmath>

#include "platform/Log.h"
#include "platform/linux/KeyCodes.h"
#include "platform/linux/ReportDecoder.h"

namespace wexo::platform::lnx {

namespace {
constexpr std::uint64_t kPressableModifiers =
    EventFlags::Shift | EventFlags::Control | EventFlags::Alternate | EventFlags::Command;

struct ModifierKey {
    std::uint64_t flag;
    std::uint16_t key;
};
constexpr ModifierKey kModifierKeys[] = {
    {EventFlags::Control, KEY_LEFTCTRL},
    {EventFlags::Alternate, KEY_LEFTALT},
    {EventFlags::Shift, KEY_LEFTSHIFT},
    {EventFlags::Command, KEY_LEFTMETA},
};

bool isKeyEvent(EventType t) {
    return t == EventType::KeyDown || t == EventType::KeyUp || t == EventType::FlagsChanged;
}

// Toward zero, as the kernel counts whole notches.
std::int64_t wholeNotches(std::int64_t units) {
    return units / 120;
}
}  // namespace

void OutputDevices::setPixelsPerNotch(double pixels) {
    std::lock_guard lock(mutex_);
    pixelsPerNotch_ =
        std::isfinite(pixels) ? std::clamp(pixels, 1.0, 1000.0) : kDefaultPixelsPerNotch;
}

double OutputDevices::pixelsPerNotch() const {
    std::lock_guard lock(mutex_);
    return pixelsPerNotch_;
}

void OutputDevices::addPointer(int id, std::unique_ptr<VirtualDevice> twin) {
    std::lock_guard lock(mutex_);
    pointers_[id] = Device{std::move(twin), {}, {}, {}, false};
}

void OutputDevices::setKeyboard(std::unique_ptr<VirtualDevice> keyboard) {
    std::lock_guard lock(mutex_);
    keyboard_.sink = std::move(keyboard);
}

void OutputDevices::removePointer(int id) {
    std::lock_guard lock(mutex_);
    auto it = pointers_.find(id);
    if (it == pointers_.end()) return;
    releaseHeld(it->second, 0);
    pointers_.erase(it);
}

bool OutputDevices::hasPointer(int id) const {
    std::lock_guard lock(mutex_);
    return pointers_.contains(id);
}

OutputDevices::Device* OutputDevices::find(int id) {
    auto it = pointers_.find(id);
    return it == pointers_.end() ? nullptr : &it->second;
}

bool OutputDevices::write(Device& device, std::vector<InputRecord>& records,
                          std::int64_t timeMicros) {
    if (!device.sink) return false;
    // A release of what the device does not hold (its press was swallowed)
    // is dropped, as the kernel's input core drops it from a real device.
    std::erase_if(records, [&](const InputRecord& r) {
        return r.type == EV_KEY && r.value == 0 && !device.held.contains(r.code);
    });
    if (records.empty()) return false;
    for (const InputRecord& r : records) {
        if (r.type != EV_KEY) continue;
        if (r.value == 0) {
            device.held.erase(r.code);
        } else {
            device.held.insert(r.code);
        }
    }
    records.push_back(makeRecord(EV_SYN, SYN_REPORT, 0, timeMicros));
    if (device.sink->write(records)) return true;
    // Once is enough: a device that went away refuses everything after.
    if (!device.refused) WEXO_LOG_ERROR("A virtual device refused %zu records", records.size());
    device.refused = true;
    return false;
}

void OutputDevices::releaseHeld(Device& device, std::int64_t timeMicros) {
    if (device.held.empty()) return;
    std::vector<InputRecord> releases;
    for (std::uint16_t code : device.held)
        releases.push_back(makeRecord(EV_KEY, code, 0, timeMicros));
    write(device, releases, timeMicros);
    device.held.clear();
}

void OutputDevices::writeFrame(int id, std::span<const InputRecord> records,
                               std::int64_t timeMicros) {
    std::lock_guard lock(mutex_);
    Device* device = find(id);
    if (!device || records.empty()) return;
    std::vector<InputRecord> frame(records.begin(), records.end());
    write(*device, frame, timeMicros);
}

std::uint64_t OutputDevices::keyboardModifiersLocked() const {
    std::uint64_t flags = 0;
    for (std::uint16_t key : keyboard_.held) flags |= modifierFlagOfLinuxKey(key);
    return flags;
}

std::uint64_t OutputDevices::keyboardModifiers() const {
    std::lock_guard lock(mutex_);
    return keyboardModifiersLocked();
}

void OutputDevices::appendPixels(Wheel& wheel, long double pixels, std::uint16_t lo,
                                 std::uint16_t hi, int sign, std::vector<InputRecord>& out) {
    // The units written so far follow from every pixel posted so far, so
    // rounding never adds up, however many events come.
    wheel.pixels += pixels;
    const auto target = static_cast<std::int64_t>(
        std::trunc(wheel.pixels * 120.0L / static_cast<long double>(pixelsPerNotch_)));
    const std::int64_t units = target - wheel.units;
    const std::int64_t notches = wholeNotches(target) - wholeNotches(wheel.units);
    wheel.units = target;
    if (notches != 0)
        out.push_back(makeRecord(EV_REL, lo, static_cast<std::int32_t>(sign * notches)));
    if (units != 0) out.push_back(makeRecord(EV_REL, hi, static_cast<std::int32_t>(sign * units)));
}

void OutputDevices::appendWheel(Device& device, const Event& event, std::vector<InputRecord>& out) {
    if (event.integerField(EventField::ScrollWheelEventIsContinuous) != 0) {
        appendPixels(device.vertical,
                     event.doubleField(EventField::ScrollWheelEventPointDeltaAxis1), REL_WHEEL,
                     REL_WHEEL_HI_RES, 1, out);
        appendPixels(device.horizontal,
                     event.doubleField(EventField::ScrollWheelEventPointDeltaAxis2), REL_HWHEEL,
                     REL_HWHEEL_HI_RES, -1, out);
        return;
    }
    const std::int64_t v = event.integerField(EventField::ScrollWheelEventDeltaAxis1);
    const std::int64_t h = -event.integerField(EventField::ScrollWheelEventDeltaAxis2);
    if (v != 0) {
        out.push_back(makeRecord(EV_REL, REL_WHEEL, static_cast<std::int32_t>(v)));
        out.push_back(makeRecord(EV_REL, REL_WHEEL_HI_RES, static_cast<std::int32_t>(v * 120)));
    }
    if (h != 0) {
        out.push_back(makeRecord(EV_REL, REL_HWHEEL, static_cast<std::int32_t>(h)));
        out.push_back(makeRecord(EV_REL, REL_HWHEEL_HI_RES, static_cast<std::int32_t>(h * 120)));
    }
}

void OutputDevices::writeEvent(int id, const Event& event, std::uint64_t heldModifiers,
                               std::int64_t timeMicros) {
    std::lock_guard lock(mutex_);
    const EventType type = event.type();
    const bool key = isKeyEvent(type);
    Device* device = key ? &keyboard_ : find(id);
    if (!device || !device->sink) return;

    std::vector<InputRecord> records;
    if (type == EventType::MouseMoved || isMouseDragged(type)) {
        const auto dx = std::lround(event.doubleField(EventField::MouseEventDeltaX));
        const auto dy = std::lround(event.doubleField(EventField::MouseEventDeltaY));
        if (dx != 0) records.push_back(makeRecord(EV_REL, REL_X, static_cast<std::int32_t>(dx)));
        if (dy != 0) records.push_back(makeRecord(EV_REL, REL_Y, static_cast<std::int32_t>(dy)));
    } else if (isMouseDown(type) || isMouseUp(type)) {
        const auto number = event.integerField(EventField::MouseEventButtonNumber);
        const std::uint16_t code =
            ReportDecoder::buttonCode(static_cast<int>(std::clamp<std::int64_t>(number, -1, 99)));
        if (code == 0) {
            WEXO_LOG_ERROR("Button %lld has no evdev code; its event is dropped",
                           static_cast<long long>(number));
            return;
        }
        records.push_back(makeRecord(EV_KEY, code, isMouseDown(type) ? 1 : 0));
    } else if (type == EventType::ScrollWheel) {
        appendWheel(*device, event, records);
    } else if (key) {
        const auto engineCode =
            static_cast<std::uint16_t>(event.integerField(EventField::KeyboardEventKeycode));
        const auto code = linuxKeyCode(engineCode);
        if (!code) {
            WEXO_LOG_ERROR("Key code %u has no Linux key; its event is dropped", engineCode);
            return;
        }
        int value = type == EventType::KeyUp ? 0 : 1;
        if (type == EventType::FlagsChanged) {
            value = (event.flags() & modifierFlagOfLinuxKey(*code)) != 0 ? 1 : 0;
        } else if (event.integerField(EventField::KeyboardEventAutorepeat) != 0) {
            value = 2;
        }
        records.push_back(makeRecord(EV_KEY, *code, value));
    }
    if (records.empty()) return;

    // Only what can start something needs its modifiers held: a press of a
    // key or button, or a turn of the wheel. Around a release they would do
    // harm (a Super pressed and released alone opens some desktops'
    // overview).
    std::vector<InputRecord> press, release;
    if (type == EventType::KeyDown || isMouseDown(type) || type == EventType::ScrollWheel) {
        const std::uint64_t missing =
            event.flags() & kPressableModifiers & ~(heldModifiers | keyboardModifiersLocked());
        for (const ModifierKey& m : kModifierKeys) {
            if (!(missing & m.flag)) continue;
            press.push_back(makeRecord(EV_KEY, m.key, 1, timeMicros));
            release.insert(release.begin(), makeRecord(EV_KEY, m.key, 0, timeMicros));
        }
        if (!press.empty() && !keyboard_.sink) {
            WEXO_LOG_ERROR("No virtual keyboard to hold the event's modifiers");
            press.clear();
            release.clear();
        }
    }
    for (InputRecord& r : records) r = makeRecord(r.type, r.code, r.value, timeMicros);
    if (!press.empty()) write(keyboard_, press, timeMicros);
    write(*device, records, timeMicros);
    if (!release.empty()) write(keyboard_, release, timeMicros);
}

void OutputDevices::writeKey(std::uint16_t key, bool down, std::int64_t timeMicros) {
    std::lock_guard lock(mutex_);
    std::vector<InputRecord> frame{makeRecord(EV_KEY, key, down ? 1 : 0, timeMicros)};
    write(keyboard_, frame, timeMicros);
}

void OutputDevices::releaseAll(std::int64_t timeMicros) {
    std::lock_guard lock(mutex_);
    for (auto& [id, device] : pointers_) releaseHeld(device, timeMicros);
    releaseHeld(keyboard_, timeMicros);
}

std::vector<std::uint16_t> OutputDevices::heldCodes(int id) const {
    std::lock_guard lock(mutex_);
    const Device* device = &keyboard_;
    if (id >= 0) {
        auto it = pointers_.find(id);
        if (it == pointers_.end()) return {};
        device = &it->second;
    }
    return {device->held.begin(), device->held.end()};
}

}  // namespace wexo::platform::lnx
