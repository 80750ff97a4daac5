#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Event.h"
#include "platform/Workspace.h"

namespace wexo {

// What the end of a gesture and a rocker press do: the gesture is looked up
// for the application under the pointer, else in the global list, and its
// action runs; a gesture press that never moved is replayed as the click it
// was. Main thread.
class GestureActions {
  public:
    // Runs the drawn gesture of this direction string; answers the
    // application under the pointer that the lookup used.
    static std::optional<platform::RunningApplication> runDrawnGesture(
        const std::string& directions);
    // Runs the rocker gesture bound to this button; answers as above.
    static std::optional<platform::RunningApplication> runRockerGesture(std::int64_t button);
    // Posts a press and a release of the released button where the pointer
    // is, with the release's modifier keys and the replayed-click mark.
    static void replayGestureClick(platform::EventType releaseType, const platform::Event& release);
};

}  // namespace wexo
