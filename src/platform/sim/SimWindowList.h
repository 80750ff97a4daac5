#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/WindowList.h"
#include "platform/sim/SimWorkspace.h"

namespace wexo::platform::sim {

// A window on the simulated desktop, as the driver places it.
struct SimWindow {
    pid_t ownerPid = 0;
    int layer = 0;
    Rect bounds;  // global Quartz coordinates
    // The owner's name; when absent, the name of the running application
    // with that pid (empty when there is none).
    std::optional<std::string> ownerName;
};

// The on-screen windows, front to back. The program's own windows are
// windows owned by SimProcess::kPid: the driver may place such windows, and
// the program's user interface shows its windows here as well. The program's
// shown windows are ordered as the window server orders them: a window
// brought to the front goes in front of every window of its layer or a lower
// one, behind the windows of higher layers; they leave the list when the
// program ends. Main thread only.
class SimWindowList : public WindowList {
  public:
    explicit SimWindowList(const SimWorkspace& workspace) : workspace_(workspace) {}

    std::vector<WindowInfo> onScreenWindows() const override;

    // ---- Driver ----

    // Replaces the other windows (the driver's), front to back; the
    // program's shown windows stay in front of those of their layer.
    void setWindows(std::vector<SimWindow> frontToBack);
    // The driver's windows, front to back.
    std::vector<SimWindow> windows() const;
    // Puts a window in front of all others (or behind all others).
    void addWindow(SimWindow window, bool inFront = true);
    // Takes every window of `pid` off the screen.
    void removeWindowsOwnedBy(pid_t pid);
    // The owner of the front-most window containing `p`, 0 when none does.
    pid_t ownerOfWindowAt(Point p) const;

    // ---- The program's user interface ----

    // Shows (or moves) one of the program's windows, known by `id`. With
    // `toFront`, or when it is not on screen yet, it is brought to the front
    // of its layer; otherwise it keeps its place.
    void showProgramWindow(std::uint64_t id, int layer, Rect bounds, bool toFront);
    void removeProgramWindow(std::uint64_t id);

  private:
    struct Entry {
        SimWindow window;
        std::optional<std::uint64_t> programId;  // set for the program's shown windows
    };
    // Inserts in front of the first window of the entry's layer or a lower one.
    void insertInFrontOfLayer(Entry entry);
    bool programRuns() const;

    const SimWorkspace& workspace_;
    std::vector<Entry> entries_;  // front to back
};

}  // namespace wexo::platform::sim
