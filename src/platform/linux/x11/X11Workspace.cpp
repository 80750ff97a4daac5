#include "platform/linux/x11/X11Workspace.h"

#include <X11/Xatom.h>

namespace wexo::platform::x11 {

X11Workspace::X11Workspace(X11Connection& connection, X11WindowTracker& tracker,
                           xdg::Launcher& launcher)
    : c_(connection), tracker_(tracker), launcher_(launcher) {
    refresh();
}

bool X11Workspace::handleEvent(const XEvent& e) {
    if (e.type != PropertyNotify || e.xproperty.window != c_.root()) return false;
    if (e.xproperty.atom == c_.atoms().netActiveWindow) {
        activeDirty_ = true;
        return true;
    }
    if (e.xproperty.atom == c_.atoms().netCurrentDesktop) {
        spaceObservers_.forEach([](const auto& changed) {
            changed();
            return false;
        });
        return true;
    }
    return false;
}

void X11Workspace::readActiveWindow() {
    activeDirty_ = false;
    auto active = c_.cardinals(c_.root(), c_.atoms().netActiveWindow, XA_WINDOW);
    const ::Window w = active && !active->empty() ? static_cast<::Window>((*active)[0]) : 0;
    // Between two activations the window manager clears the property for a
    // moment; that is no change of application.
    if (w != 0) activeWindow_ = w;
}

void X11Workspace::rebuildApplications() {
    appsGeneration_ = tracker_.generation();
    std::unordered_map<pid_t, int> certainty;
    std::unordered_map<pid_t, RunningApplication> apps;
    std::vector<pid_t> order;
    std::unordered_map<pid_t, bool> fullscreen, panel;
    // Back to front, so that applications are listed in the order their
    // windows came up, as a list of running processes would be.
    const auto& windows = tracker_.windows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        const TrackedWindow& w = **it;
        const pid_t pid = w.hints.pid;
        if (pid <= 0) continue;
        if (!apps.count(pid)) order.push_back(pid);
        RunningApplication& app = apps[pid];
        app.pid = pid;
        if (!certainty.count(pid) || w.identity.certainty > certainty[pid]) {
            certainty[pid] = w.identity.certainty;
            app.bundleIdentifier = w.identity.identifier;
            app.localizedName = w.identity.name;
            app.bundlePath = w.identity.path;
        }
        if (w.kind == WindowKind::Panel) panel[pid] = true;
        if (w.onScreen() && w.fullscreen) fullscreen[pid] = true;
    }
    for (auto& [pid, app] : apps) {
        if (panel[pid]) app.bundleIdentifier = kDockIdentifier;
        app.presentationOptions = fullscreen[pid] ? PresentationOptions::FullScreen : 0;
    }
    apps_ = std::move(apps);
    appOrder_ = std::move(order);
}

void X11Workspace::refresh() {
    if (activeDirty_) readActiveWindow();
    if (appsGeneration_ != tracker_.generation()) rebuildApplications();
    if (activeWindow_ != 0) {
        if (const TrackedWindow* w = tracker_.find(activeWindow_); w && w->hints.pid > 0)
            front_ = w->hints.pid;
    }
    // The front-most application has gone with its last window.
    if (front_ != 0 && !apps_.count(front_)) front_ = 0;
    auto now = lookup(front_);
    if (now == announced_) return;
    announced_ = now;
    frontObservers_.forEach([&](const auto& changed) {
        changed(now);
        return false;
    });
}

std::optional<RunningApplication> X11Workspace::lookup(pid_t pid) const {
    auto it = apps_.find(pid);
    if (pid == 0 || it == apps_.end()) return std::nullopt;
    RunningApplication app = it->second;
    app.active = pid == front_;
    return app;
}

std::optional<RunningApplication> X11Workspace::frontmostApplication() const {
    query();
    return lookup(front_);
}

Subscription X11Workspace::observeFrontmostApplication(
    std::function<void(const std::optional<RunningApplication>&)> changed) {
    changed(frontmostApplication());
    return frontObservers_.add(std::move(changed));
}

std::vector<RunningApplication> X11Workspace::runningApplications() const {
    query();
    std::vector<RunningApplication> all;
    for (pid_t pid : appOrder_)
        if (auto app = lookup(pid)) all.push_back(std::move(*app));
    return all;
}

std::optional<RunningApplication> X11Workspace::runningApplicationWithProcessIdentifier(
    pid_t pid) const {
    query();
    return lookup(pid);
}

std::optional<std::string> X11Workspace::bundleIdentifierAtPath(const std::string& path) const {
    return launcher_.idAtPath(path);
}

bool X11Workspace::launchApplication(const std::string& path) {
    return launcher_.launch(path);
}

bool X11Workspace::openURL(const std::string& url) {
    return launcher_.openUri(url);
}

Subscription X11Workspace::observeActiveSpaceDidChange(std::function<void()> changed) {
    return spaceObservers_.add(std::move(changed));
}

}  // namespace wexo::platform::x11
