#pragma once

#include <array>
#include <cstdint>

#include "platform/Geometry.h"

namespace wexo::platform {

// Event types, numbered as Quartz numbers them.
enum class EventType : std::uint32_t {
    Null = 0,
    LeftMouseDown = 1,
    LeftMouseUp = 2,
    RightMouseDown = 3,
    RightMouseUp = 4,
    MouseMoved = 5,
    LeftMouseDragged = 6,
    RightMouseDragged = 7,
    KeyDown = 10,
    KeyUp = 11,
    FlagsChanged = 12,
    SystemDefined = 14,
    ScrollWheel = 22,
    OtherMouseDown = 25,
    OtherMouseUp = 26,
    OtherMouseDragged = 27,
    TapDisabledByTimeout = 0xFFFFFFFEu,
    TapDisabledByUserInput = 0xFFFFFFFFu,
};

// Event fields, numbered as Quartz numbers them.
enum class EventField : int {
    MouseEventNumber = 0,
    MouseEventClickState = 1,
    MouseEventPressure = 2,
    MouseEventButtonNumber = 3,
    MouseEventDeltaX = 4,
    MouseEventDeltaY = 5,
    KeyboardEventAutorepeat = 8,
    KeyboardEventKeycode = 9,
    ScrollWheelEventDeltaAxis1 = 11,  // line delta, vertical
    ScrollWheelEventDeltaAxis2 = 12,  // line delta, horizontal
    ScrollWheelEventDeltaAxis3 = 13,
    EventTargetUnixProcessID = 40,
    EventSourceUnixProcessID = 41,
    EventSourceUserData = 42,
    ScrollWheelEventIsContinuous = 88,  // 1 for pixel-unit scrolling
    ScrollWheelEventFixedPtDeltaAxis1 = 93,
    ScrollWheelEventFixedPtDeltaAxis2 = 94,
    ScrollWheelEventPointDeltaAxis1 = 96,  // pixel delta, vertical
    ScrollWheelEventPointDeltaAxis2 = 97,  // pixel delta, horizontal
    ScrollWheelEventScrollPhase = 99,
    ScrollWheelEventScrollCount = 100,
    ScrollWheelEventMomentumPhase = 123,
};
inline constexpr int kEventFieldCount = 128;

// Modifier and other flag bits of an event.
namespace EventFlags {
inline constexpr std::uint64_t AlphaShift = 0x10000;  // Caps Lock
inline constexpr std::uint64_t Shift = 0x20000;
inline constexpr std::uint64_t Control = 0x40000;
inline constexpr std::uint64_t Alternate = 0x80000;  // Option
inline constexpr std::uint64_t Command = 0x100000;
inline constexpr std::uint64_t NumericPad = 0x200000;
inline constexpr std::uint64_t SecondaryFn = 0x800000;
}  // namespace EventFlags

// Mouse buttons as CGEventCreateMouseEvent takes them.
enum class MouseButton : std::uint32_t { Left = 0, Right = 1, Center = 2 };

enum class ScrollEventUnit : std::uint32_t { Pixel = 0, Line = 1 };

// One input event, a plain value shaped like a Quartz event: a type, 64-bit
// flags, a location in global display coordinates (origin at the top left of
// the main display, y down), a timestamp, and numbered fields. Integer and
// double readings of a field see the same stored number, as in Quartz.
// Copying an event never allocates.
class Event {
  public:
    Event() { fields_.fill(0); }

    // CGEventCreateMouseEvent: the button goes into the button-number field.
    static Event mouse(EventType type, Point location, MouseButton button);
    // CGEventCreateKeyboardEvent: key down or key up of a virtual key code.
    // Like the real system, keys of the function group (F1…F19, arrows, Home,
    // End, Page Up/Down, Help, Forward Delete) are created with the
    // secondary-function flag set; other keys with no flags.
    static Event keyboard(std::uint16_t keyCode, bool keyDown);
    // CGEventCreateScrollWheelEvent. Pixel units set the point deltas to the
    // wheel values and mark the event continuous; line units set the line
    // deltas to the wheel values and the point deltas to ten pixels a line.
    // wheelCount 1 uses wheel1 only (vertical); 2 adds wheel2 (horizontal).
    static Event scrollWheel(ScrollEventUnit unit, int wheelCount, std::int32_t wheel1,
                             std::int32_t wheel2 = 0);

    EventType type() const { return type_; }
    void setType(EventType t) { type_ = t; }
    std::uint64_t flags() const { return flags_; }
    void setFlags(std::uint64_t f) { flags_ = f; }
    Point location() const { return location_; }
    void setLocation(Point p) { location_ = p; }
    std::uint64_t timestamp() const { return timestamp_; }  // nanoseconds
    void setTimestamp(std::uint64_t ns) { timestamp_ = ns; }

    std::int64_t integerField(EventField f) const;
    void setIntegerField(EventField f, std::int64_t v);
    double doubleField(EventField f) const;
    void setDoubleField(EventField f, double v);

    friend bool operator==(const Event&, const Event&) = default;

  private:
    EventType type_ = EventType::Null;
    std::uint64_t flags_ = 0;
    Point location_;
    std::uint64_t timestamp_ = 0;
    std::array<double, kEventFieldCount> fields_;
};

// The type bit of an event mask, as CGEventMaskBit.
constexpr std::uint64_t eventMaskBit(EventType t) {
    return static_cast<std::uint32_t>(t) < 64 ? (std::uint64_t{1} << static_cast<std::uint32_t>(t))
                                              : 0;
}
inline constexpr std::uint64_t kEventMaskForAllEvents = ~std::uint64_t{0};

bool isMouseDown(EventType t);  // left, right or other down
bool isMouseUp(EventType t);    // left, right or other up
bool isMouseDragged(EventType t);

}  // namespace wexo::platform
