#include "platform/sim/SimWorkspace.h"

#include <algorithm>

namespace wexo::platform::sim {

SimWorkspace::SimWorkspace(SimRunLoop& runLoop, SimRecorder& recorder, const SimProcess& process)
    : runLoop_(runLoop), recorder_(recorder), process_(process) {}

RunningApplication SimWorkspace::programApplication() {
    RunningApplication app;
    app.pid = SimProcess::kPid;
    app.bundleIdentifier = SimProcess::builtBundleIdentifier();
    app.localizedName = SimProcess::kName;
    app.bundlePath = SimProcess::kBundlePath;
    return app;
}

std::optional<RunningApplication> SimWorkspace::lookup(pid_t pid) const {
    std::optional<RunningApplication> found;
    if (pid == SimProcess::kPid) {
        if (process_.alive()) found = programApplication();
    } else {
        auto it = std::find_if(apps_.begin(), apps_.end(),
                               [&](const RunningApplication& a) { return a.pid == pid; });
        if (it != apps_.end()) found = *it;
    }
    if (found) found->active = pid == frontmost_;
    return found;
}

std::optional<RunningApplication> SimWorkspace::frontmostApplication() const {
    return frontmost_ == 0 ? std::nullopt : lookup(frontmost_);
}

Subscription SimWorkspace::observeFrontmostApplication(
    std::function<void(const std::optional<RunningApplication>&)> changed) {
    // The initial value arrives at once, as key-value observation with the
    // initial option does.
    changed(frontmostApplication());
    return frontObservers_.add(std::move(changed));
}

std::vector<RunningApplication> SimWorkspace::runningApplications() const {
    std::vector<RunningApplication> all;
    for (const auto& a : apps_) all.push_back(*lookup(a.pid));
    if (auto self = lookup(SimProcess::kPid)) all.push_back(*self);
    return all;
}

std::optional<RunningApplication> SimWorkspace::runningApplicationWithProcessIdentifier(
    pid_t pid) const {
    return lookup(pid);
}

std::optional<std::string> SimWorkspace::bundleIdentifierAtPath(const std::string& path) const {
    for (const auto& a : runningApplications())
        if (!path.empty() && a.bundlePath == path && !a.bundleIdentifier.empty())
            return a.bundleIdentifier;
    return std::nullopt;
}

bool SimWorkspace::launchApplication(const std::string& path) {
    if (path.empty()) return false;
    recorder_.record(records::Launch{path});
    return true;
}

bool SimWorkspace::openURL(const std::string& url) {
    if (url.empty()) return false;
    recorder_.record(records::OpenUrl{url});
    return true;
}

Subscription SimWorkspace::observeActiveSpaceDidChange(std::function<void()> changed) {
    return spaceObservers_.add(std::move(changed));
}

void SimWorkspace::setApplications(std::vector<RunningApplication> apps) {
    std::erase_if(apps, [](const RunningApplication& a) { return a.pid == SimProcess::kPid; });
    apps_ = std::move(apps);
}

void SimWorkspace::setFrontmost(pid_t pid) {
    if (pid == frontmost_) return;
    frontmost_ = pid;
    if (!process_.alive()) return;
    const auto front = frontmostApplication();
    frontObservers_.forEach([&](const auto& observer) {
        if (!process_.alive()) return true;
        runLoop_.runWork([&] { observer(front); });
        return false;
    });
}

bool SimWorkspace::programIsFrontmost() const {
    return frontmost_ == SimProcess::kPid && process_.alive();
}

void SimWorkspace::fireActiveSpaceDidChange() {
    spaceObservers_.forEach([&](const auto& observer) {
        if (!process_.alive()) return true;
        runLoop_.runWork([&] { observer(); });
        return false;
    });
}

}  // namespace wexo::platform::sim
