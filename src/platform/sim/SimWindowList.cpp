#include "platform/sim/SimWindowList.h"

namespace wexo::platform::sim {

std::vector<WindowInfo> SimWindowList::onScreenWindows() const {
    std::vector<WindowInfo> list;
    list.reserve(windows_.size());
    for (const auto& w : windows_) {
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

pid_t SimWindowList::ownerOfWindowAt(Point p) const {
    for (const auto& w : windows_)
        if (w.bounds.contains(p)) return w.ownerPid;
    return 0;
}

}  // namespace wexo::platform::sim
