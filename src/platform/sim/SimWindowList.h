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
// the program's user interface shows its windows here as well (kept apart
// from the driver's list, so that replacing the other applications' windows
// leaves them on screen). Main thread only.
class SimWindowList : public WindowList {
  public:
    explicit SimWindowList(const SimWorkspace& workspace) : workspace_(workspace) {}

    // The program's shown windows are placed as the window server orders
    // them: in front of every window of their layer or a lower one, behind
    // windows of higher layers. They vanish when the program ends.
    std::vector<WindowInfo> onScreenWindows() const override;

    // ---- The program's user interface ----

    // Shows (or moves) one of the program's windows, known by `id`. With
    // `toFront` it comes in front of the program's other windows; otherwise
    // it keeps its place among them (a window shown for the first time
    // comes in front).
    void showProgramWindow(std::uint64_t id, int layer, Rect bounds, bool toFront);
    void removeProgramWindow(std::uint64_t id);
    // The program's windows, front to back, while it runs.
    std::vector<SimWindow> programWindows() const;

    // ---- Driver ----
    void setWindows(std::vector<SimWindow> frontToBack) { windows_ = std::move(frontToBack); }
    const std::vector<SimWindow>& windows() const { return windows_; }
    // Puts a window in front of all others (or behind all others).
    void addWindow(SimWindow window, bool inFront = true);
    // Takes every window of `pid` off the screen.
    void removeWindowsOwnedBy(pid_t pid);
    // The owner of the front-most window containing `p`, 0 when none does.
    pid_t ownerOfWindowAt(Point p) const;

  private:
    struct ProgramWindow {
        std::uint64_t id = 0;
        int layer = 0;
        Rect bounds;
    };
    // Every window on screen, front to back.
    std::vector<SimWindow> merged() const;

    const SimWorkspace& workspace_;
    std::vector<SimWindow> windows_;
    std::vector<ProgramWindow> programWindows_;  // front to back
};

}  // namespace wexo::platform::sim
