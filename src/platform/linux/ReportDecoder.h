#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Event.h"
#include "platform/linux/Desktop.h"
#include "platform/linux/InputRecords.h"

namespace wexo::platform::lnx {

// An event a report means, with the records it came from: written back
// unchanged when the event passes the taps unchanged. Its records are those
// at `positions` in the report, after any carried over from earlier reports
// (the parts of a high-resolution wheel turn that made no line yet).
struct DecodedEvent {
    Event event;
    std::vector<std::uint32_t> positions;
    std::vector<InputRecord> carried;
};

// Turns one mouse's reports into the events they mean, numbered as Quartz
// numbers them: relative motion becomes one moved (or dragged, while a
// button is held) event; each button record a press or release (BTN_LEFT
// 0, BTN_RIGHT 1, BTN_MIDDLE 2, BTN_SIDE 3, BTN_EXTRA 4, BTN_FORWARD 5,
// BTN_BACK 6, BTN_TASK 7) with its click count; the wheels one line-unit
// scroll event (REL_WHEEL +1 is a line up, REL_HWHEEL +1 to the right is a
// horizontal -1). High-resolution wheels count in 120ths of a notch: their
// parts are held back until they make a whole line, and the low-resolution
// record sent beside them is not counted again. Keyboard keys (only a
// record stream carries them) become key and flags-changed events, and the
// modifiers they leave held join the flags of every later event.
//
// Records that mean nothing to the engine stay with the report (leftovers)
// and are written as they came. Main thread only.
class ReportDecoder {
  public:
    struct Result {
        std::vector<DecodedEvent> events;      // motion, then keys and buttons, then the wheels
        std::vector<std::uint32_t> leftovers;  // positions of records no event stands for
    };

    // `pointer` is the desktop's answer for this report: the location
    // before its motion and the modifiers the desktop knows to be held.
    Result decode(const Report& report, const PointerState& pointer, double doubleClickInterval,
                  double doubleClickDistance, std::uint64_t nowNanos);
    // Follows a report that went out without the taps seeing it, so the
    // buttons and modifiers held stay right.
    void observe(const Report& report);

    // Bits 0-7: the buttons held, by engine number.
    std::uint32_t heldButtons() const { return heldButtons_; }
    // EventFlags of the modifier keys held on the stream.
    std::uint64_t streamModifiers() const;

    // The engine's number of a button code; nothing for other codes.
    static std::optional<int> buttonNumber(std::uint16_t code);
    static std::uint16_t buttonCode(int number);
    static constexpr int kButtonCount = 8;

  private:
    struct Axis {
        std::int64_t parts = 0;            // 120ths not yet a whole line
        std::vector<InputRecord> pending;  // the records behind them, from earlier reports
    };
    void trackKey(std::uint16_t code, std::int32_t value);
    void decodeWheel(const Report& report, const std::vector<std::uint32_t>& wheel, Event event,
                     Result& out);
    static EventType downType(int button);
    static EventType upType(int button);
    EventType motionType() const;
    int dragButton() const;

    std::uint32_t heldButtons_ = 0;
    std::vector<std::uint16_t> heldModifierKeys_;
    bool capsLock_ = false;
    std::array<int, kButtonCount> clickStates_{};
    struct LastPress {
        int button = -1;
        double seconds = 0;
        Point location;
        int count = 0;
    } lastPress_;
    Axis vertical_, horizontal_;
};

}  // namespace wexo::platform::lnx
