#pragma once

#include <cstdint>
#include <memory>

#include "events/StageVerdict.h"
#include "platform/Event.h"

namespace wexo {

class ButtonsScreenLink;
class MouseButton;
class MouseButtonListener;

// The last stages of the mouse tap: a right or other press, or a wheel event,
// goes to the preferences screen that is waiting to capture it, or runs what
// the user assigned to that button or wheel direction under the modifier
// keys held. Without an active assignment the event passes. Main thread.
class AssignmentRouting {
  public:
    // The part of an event's flags that selects an assignment. Assignments
    // are stored under the modifier keys the user ticked, never under Caps
    // Lock (0x10000) or the device-dependent low bits, so those are left out.
    static constexpr std::uint64_t kAssignmentMask = 0xFFFE0000;
    // The key under which a button captured on the Buttons screen waits.
    static constexpr const char* kCaptureKey = "temp";

    // A right or other press: a capture route of the screen in front, else
    // its assignment. A press the gesture stage replayed is looked up under
    // the modifier keys alone.
    static StageVerdict buttonStage(const platform::Event& event);
    // A wheel event: trackpad phases pass; over the Buttons screen's list the
    // direction is captured; otherwise an assigned direction runs its action
    // at most once per pause of the listener, and is swallowed then.
    static StageVerdict wheelStage(MouseButtonListener& listener, const platform::Event& event);

    // Looks up the assignment of a button (or wheel direction) under a mask
    // in the Buttons screen and runs it when it is active. True when it was
    // active (the event it stands for is then used up).
    static bool runAssignment(std::int64_t button, std::uint64_t mask);
    // The wheel direction (500 to 503) of a wheel event's point deltas.
    static std::int64_t wheelDirection(const platform::Event& event);

  private:
    static StageVerdict captureRoutes(std::int64_t button);
    static std::shared_ptr<MouseButton> activeAssignment(std::int64_t button, std::uint64_t mask);
    // Enters the button under "temp" for the Buttons screen and selects it.
    static void recordForButtonsScreen(ButtonsScreenLink& screen,
                                       const std::shared_ptr<MouseButton>& button);
};

}  // namespace wexo
