#pragma once

#include <cstdint>
#include <string_view>

namespace wexo {

// The mouse tap's interaction as one state. Only one interaction runs at a
// time, and each remembers the button that began it: that button's release
// ends it whatever the settings or the screens in front say by then, so no
// interaction outlives its button.
enum class TapState : std::uint8_t {
    Idle,
    // Hold mode: the auto-scroll button is down, the pointer not yet far
    // enough from the press for auto-scroll to start.
    AutoScrollArmed,
    // Click mode: auto-scroll started at the press; it runs on after the
    // release until the next press.
    AutoScrollClicked,
    // Hold mode, started: auto-scroll ends with the release.
    AutoScrollHolding,
    Grabbing,
    // The gesture button is down and has not moved far: so far a click.
    GestureArmed,
    // The overlay is up and follows the strokes.
    GestureDrawing,
};

// What an event is to the machine, given its state. "Held" is the button of
// the running interaction.
enum class TapInput : std::uint8_t {
    AutoScrollClickPress,  // the auto-scroll button, taken in click mode
    AutoScrollHoldPress,   // the auto-scroll button, taken in hold mode
    LinkPress,             // the auto-scroll button over a link: the link's own
    GrabPress,
    GesturePress,
    ScreenGesturePress,  // the gesture button while the Gestures screen draws
    HeldPress,           // the held button pressed again: its release went astray
    HeldDrag,            // a drag that belongs to the interaction
    HeldDragFar,         // such a drag beyond the interaction's threshold
    HeldRelease,
    Press,            // any other press, the left button's included
    Release,          // another button's release whose press the tap took
    PassedRelease,    // a release whose press the tap let through
    UnpairedRelease,  // a release whose press the tap never saw
    Drag,
    Wheel,
    ReplayedClick,  // the click re-posted after a gesture press
};

// Every change the machine makes, named for the trace.
enum class TapTransition : std::uint8_t {
    Unused,  // the machine has no use for the event; the last stages decide
    ArmAutoScroll,
    StartAutoScroll,
    LeaveToLink,
    MeasureAutoScroll,
    ActivateAutoScroll,
    ReplayAutoScrollClick,
    LeaveAutoScrollRunning,
    StopAutoScroll,
    StartGrab,
    RestartGrab,
    FollowGrab,
    EndGrab,
    BlockDuringGrab,
    PassPairedRelease,
    StartGesture,
    LeaveToGesturesScreen,
    RestartGesture,
    TrackGesture,
    ShowGesture,
    DrawGesture,
    ReplayGestureClick,
    FinishGesture,
    RockerPress,
    // The event cannot happen in this state; it is logged and passed as it is.
    Impossible,
    // The tap stopped or was disabled: whatever ran ends without effect.
    EndInteraction,
};

struct TapStep {
    TapTransition transition;
    TapState to;
};

// The machine's one transition function: pure, so every pair can be tested.
TapStep nextTapStep(TapState from, TapInput input);

std::string_view tapStateName(TapState state);
std::string_view tapInputName(TapInput input);
std::string_view tapTransitionName(TapTransition transition);

}  // namespace wexo
