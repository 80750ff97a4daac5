#pragma once

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
// windows owned by SimProcess::kPid. Main thread only.
class SimWindowList : public WindowList {
  public:
    explicit SimWindowList(const SimWorkspace& workspace) : workspace_(workspace) {}

    std::vector<WindowInfo> onScreenWindows() const override;

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
    const SimWorkspace& workspace_;
    std::vector<SimWindow> windows_;
};

}  // namespace wexo::platform::sim
