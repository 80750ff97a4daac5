#pragma once

#include <vector>

#include "platform/CallbackList.h"
#include "platform/Workspace.h"
#include "platform/sim/SimProcess.h"
#include "platform/sim/SimRecorder.h"
#include "platform/sim/SimRunLoop.h"

namespace wexo::platform::sim {

// The running applications and the front-most one. The program itself is
// always one of them (pid SimProcess::kPid) until it ends. Notifications run
// on the main thread as units of work; none reach a program that has ended.
// Main thread only.
class SimWorkspace : public Workspace {
  public:
    SimWorkspace(SimRunLoop& runLoop, SimRecorder& recorder, const SimProcess& process);

    std::optional<RunningApplication> frontmostApplication() const override;
    Subscription observeFrontmostApplication(
        std::function<void(const std::optional<RunningApplication>&)> changed) override;
    // The other applications in the order the driver gave them, then the
    // program itself.
    std::vector<RunningApplication> runningApplications() const override;
    std::optional<RunningApplication> runningApplicationWithProcessIdentifier(
        pid_t pid) const override;
    // Known bundles are those of the running applications.
    std::optional<std::string> bundleIdentifierAtPath(const std::string& path) const override;
    // Recorded; true for a non-empty path. The desktop does not start the
    // application.
    bool launchApplication(const std::string& path) override;
    // Recorded; true for a non-empty URL.
    bool openURL(const std::string& url) override;
    Subscription observeActiveSpaceDidChange(std::function<void()> changed) override;

    // ---- Driver ----

    // The program as a running application.
    static RunningApplication programApplication();
    // Replaces the other running applications; an entry with the program's
    // pid is ignored. `active` is derived from the front-most pid.
    void setApplications(std::vector<RunningApplication> apps);
    // Makes `pid` front-most (0: none) and tells the observers when it
    // changed.
    void setFrontmost(pid_t pid);
    pid_t frontmostPid() const { return frontmost_; }
    bool programIsFrontmost() const;
    void fireActiveSpaceDidChange();

  private:
    std::optional<RunningApplication> lookup(pid_t pid) const;

    SimRunLoop& runLoop_;
    SimRecorder& recorder_;
    const SimProcess& process_;
    std::vector<RunningApplication> apps_;
    pid_t frontmost_ = 0;
    CallbackList<std::function<void(const std::optional<RunningApplication>&)>> frontObservers_;
    CallbackList<std::function<void()>> spaceObservers_;
};

}  // namespace wexo::platform::sim
