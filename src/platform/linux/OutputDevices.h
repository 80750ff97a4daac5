#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <span>
#include <vector>

#include "platform/Event.h"
#include "platform/linux/Devices.h"

namespace wexo::platform::lnx {

// The program's virtual devices: one twin per mouse and one keyboard, and
// what each holds down. Records that passed the taps unchanged go out as
// they came; events the taps changed and events the program posted are
// written as records:
//
// - buttons as BTN_* presses and releases, keys through the key-code table;
// - pixel scrolling as REL_WHEEL_HI_RES, p × 120 / P units for p pixels
//   (P: pixels per native notch), the remainder carried so nothing drifts,
//   plus REL_WHEEL ±1 each time the running total crosses a multiple of 120,
//   as the kernel does for high-resolution mice; line scrolling as REL_WHEEL
//   ±n with REL_WHEEL_HI_RES ±120n; horizontal alike on the HWHEEL axes,
//   where the sign is the other way round;
// - a key or button press or a wheel turn whose flags name a modifier that
//   is not held is written with that modifier key pressed before it and
//   released after it (a release needs none);
// - a release of a button or key the device does not hold is dropped.
//
// Any thread: the reader writes reports straight through while the main
// thread is slow, the main thread writes what the taps settled.
class OutputDevices {
  public:
    static constexpr double kDefaultPixelsPerNotch = 60;

    // Clamped to 1…1000; anything else reads as the default.
    void setPixelsPerNotch(double pixels);
    double pixelsPerNotch() const;

    void addPointer(int id, std::unique_ptr<VirtualDevice> twin);
    void setKeyboard(std::unique_ptr<VirtualDevice> keyboard);
    // Releases what the twin holds down, then lets it go.
    void removePointer(int id);
    bool hasPointer(int id) const;

    // One frame of records, SYN_REPORT appended, on a twin.
    void writeFrame(int id, std::span<const InputRecord> records, std::int64_t timeMicros);
    // An event as records on the twin `id` (or on the keyboard, for keys).
    // `heldModifiers`: the EventFlags of the modifiers the user holds.
    void writeEvent(int id, const Event& event, std::uint64_t heldModifiers,
                    std::int64_t timeMicros);
    // A key pressed or released on the keyboard (media and brightness keys).
    void writeKey(std::uint16_t key, bool down, std::int64_t timeMicros);
    // Releases every button and key any device holds down.
    void releaseAll(std::int64_t timeMicros);

    // The codes a device holds down (-1: the keyboard), lowest first.
    std::vector<std::uint16_t> heldCodes(int id) const;
    // The modifier flags the keyboard holds.
    std::uint64_t keyboardModifiers() const;

  private:
    struct Wheel {
        long double pixels = 0;  // every pixel posted so far
        std::int64_t units = 0;  // every 120th written for them
    };
    struct Device {
        std::unique_ptr<VirtualDevice> sink;
        std::set<std::uint16_t> held;
        Wheel vertical, horizontal;
        bool refused = false;
    };

    bool write(Device& device, std::vector<InputRecord>& records, std::int64_t timeMicros);
    void releaseHeld(Device& device, std::int64_t timeMicros);
    void appendWheel(Device& device, const Event& event, std::vector<InputRecord>& out);
    void appendPixels(Wheel& wheel, long double pixels, std::uint16_t lo, std::uint16_t hi,
                      int sign, std::vector<InputRecord>& out);
    std::uint64_t keyboardModifiersLocked() const;
    Device* find(int id);

    mutable std::mutex mutex_;
    double pixelsPerNotch_ = kDefaultPixelsPerNotch;
    std::map<int, Device> pointers_;
    Device keyboard_;
};

}  // namespace wexo::platform::lnx
