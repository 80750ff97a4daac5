#include "platform/sim/SimWindowList.h"

#include <algorithm>

#include "platform/sim/SimProcess.h"

namespace wexo::platform::sim {

std::vector<SimWindow> SimWindowList::programWindows() const {
    std::vector<SimWindow> out;
    if (!workspace_.runningApplicationWithProcessIdentifier(SimProcess::kPid)) return out;
    for (const auto& w : programWindows_)
        out.push_back(SimWindow{SimProcess::kPid, w.layer, w.bounds, std::nullopt});
    return out;
}

std::vector<SimWindow> SimWindowList::merged() const {
    std::vector<SimWindow> all = windows_;
    // Going from the program's back-most window to its front-most, each is
    // put in front of the first window of its layer or a lower one; the
    // earlier ones then stay behind the later ones of the same layer.
    const auto own = programWindows();
    for (auto it = own.rbegin(); it != own.rend(); ++it) {
        auto at = std::find_if(all.begin(), all.end(),
                               [&](const SimWindow& w) { return w.layer <= it->layer; });
        all.insert(at, *it);
    }
    return all;
}

std::vector<WindowInfo> SimWindowList::onScreenWindows() const {
    std::vector<WindowInfo> list;
    for (const auto& w : merged()) {
        WindowInfo info;
        info.ownerPid = w.ownerPid;
        info.layer = w.layer;
        info.bounds = w.bounds;
        if (w.ownerName) {
            info.ownerName = *w.ownerName;
        } else if (auto app = workspace_.runningApplicationWithProcessIdentifier(w.ownerPid)) {
            info.ownerName = app->localizedName;
        }
        list.push_back(std::move(info));
    }
    return list;
}

void SimWindowList::addWindow(SimWindow window, bool inFront) {
    windows_.insert(inFront ? windows_.begin() : windows_.end(), std::move(window));
}

void SimWindowList::removeWindowsOwnedBy(pid_t pid) {
    std::erase_if(windows_, [&](const SimWindow& w) { return w.ownerPid == pid; });
}

void SimWindowList::showProgramWindow(std::uint64_t id, int layer, Rect bounds, bool toFront) {
    auto it = std::find_if(programWindows_.begin(), programWindows_.end(),
                           [&](const ProgramWindow& w) { return w.id == id; });
    if (it != programWindows_.end() && !toFront) {
        it->layer = layer;
        it->bounds = bounds;
        return;
    }
    if (it != programWindows_.end()) programWindows_.erase(it);
    programWindows_.insert(programWindows_.begin(), ProgramWindow{id, layer, bounds});
}

void SimWindowList::removeProgramWindow(std::uint64_t id) {
    std::erase_if(programWindows_, [&](const ProgramWindow& w) { return w.id == id; });
}

pid_t SimWindowList::ownerOfWindowAt(Point p) const {
    for (const auto& w : merged())
        if (w.bounds.contains(p)) return w.ownerPid;
    return 0;
}

}  // namespace wexo::platform::sim
