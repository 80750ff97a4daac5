#pragma once

#include <cstdint>

namespace wexo::platform {

// The marks the program leaves on the events it posts, so that none of its
// own taps takes them for the user's input and acts on them a second time.
// Each value sits in one numbered field of the event; they are part of what
// other programs on the desktop may see, so they never change.
namespace EventMarks {

// Source user-data field: every scroll event the program posts (smooth
// scrolling, grab-and-drag, auto-scroll). The wheel tap and the mouse tap
// pass these untouched.
inline constexpr std::int64_t kOwnScroll = -1600;

// Source user-data field: clicks the program replays or simulates for the
// user, and the grab key it replays. The mouse tap passes these untouched.
inline constexpr std::int64_t kSyntheticInput = -1700;

// Mouse-event-number field: the click the mouse tap re-posts after a gesture
// press without movement. It must skip the gesture and rocker stages, yet
// still reach the button's own assignment.
inline constexpr std::int64_t kReplayedClick = -1500;

}  // namespace EventMarks

}  // namespace wexo::platform
