#pragma once

#include <functional>
#include <unordered_map>

#include "platform/CallbackList.h"
#include "platform/Workspace.h"
#include "platform/linux/x11/X11WindowTracker.h"
#include "platform/linux/xdg/Launcher.h"

namespace wexo::platform::x11 {

// The running applications are the processes behind the client list; the
// front-most one owns _NET_ACTIVE_WINDOW. A process that shows a panel
// stands for the Dock (its identifier is the Dock's), so that scrolling
// over a panel passes as it does over the Dock.
class X11Workspace : public Workspace {
  public:
    static constexpr const char* kDockIdentifier = "com.apple.dock";

    X11Workspace(X11Connection& connection, X11WindowTracker& tracker, xdg::Launcher& launcher);

    std::optional<RunningApplication> frontmostApplication() const override;
    Subscription observeFrontmostApplication(
        std::function<void(const std::optional<RunningApplication>&)> changed) override;
    std::vector<RunningApplication> runningApplications() const override;
    std::optional<RunningApplication> runningApplicationWithProcessIdentifier(
        pid_t pid) const override;
    std::optional<std::string> bundleIdentifierAtPath(const std::string& path) const override;
    bool launchApplication(const std::string& path) override;
    bool openURL(const std::string& url) override;
    Subscription observeActiveSpaceDidChange(std::function<void()> changed) override;

    // ---- Fed by the desktop ----
    // Root property changes: the active window, the current desktop.
    bool handleEvent(const XEvent& event);
    // After the tracker's refresh: the applications and the front-most one
    // follow the window list; observers hear of a new front-most one.
    void refresh();
    // Called before a query so that it answers from fresh state.
    void setBeforeQuery(std::function<void()> hook) { beforeQuery_ = std::move(hook); }

  private:
    void rebuildApplications();
    void readActiveWindow();
    std::optional<RunningApplication> lookup(pid_t pid) const;
    void query() const {
        if (beforeQuery_) beforeQuery_();
    }

    X11Connection& c_;
    X11WindowTracker& tracker_;
    xdg::Launcher& launcher_;
    std::unordered_map<pid_t, RunningApplication> apps_;
    std::vector<pid_t> appOrder_;
    std::uint64_t appsGeneration_ = ~std::uint64_t{0};
    ::Window activeWindow_ = 0;
    bool activeDirty_ = true;
    pid_t front_ = 0;
    std::optional<RunningApplication> announced_;
    CallbackList<std::function<void(const std::optional<RunningApplication>&)>> frontObservers_;
    CallbackList<std::function<void()>> spaceObservers_;
    std::function<void()> beforeQuery_;
};

}  // namespace wexo::platform::x11
