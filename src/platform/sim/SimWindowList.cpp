#include "platform/sim/SimWindowList.h"

#include <algorithm>

#include "platform/sim/SimProcess.h"

namespace wexo::platform::sim {

bool SimWindowList::programRuns() const {
    return workspace_.runningApplicationWithProcessIdentifier(SimProcess::kPid).has_value();
}

std::vector<WindowInfo> SimWindowList::onScreenWindows() const {
    const bool programRunning = programRuns();
    std::vector<WindowInfo> list;
    list.reserve(entries_.size());
    for (const auto& e : entries_) {
        if (e.programId && !programRunning) continue;
        const SimWindow& w = e.window;
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

void SimWindowList::setWindows(std::vector<SimWindow> frontToBack) {
    std::vector<Entry> program;
    for (auto& e : entries_)
        if (e.programId) program.push_back(std::move(e));
    entries_.clear();
    for (auto& w : frontToBack) entries_.push_back(Entry{std::move(w), std::nullopt});
    // From the program's back-most window to its front-most, so that their
    // order among themselves stays.
    for (auto it = program.rbegin(); it != program.rend(); ++it) insertInFrontOfLayer(*it);
}

std::vector<SimWindow> SimWindowList::windows() const {
    std::vector<SimWindow> out;
    for (const auto& e : entries_)
        if (!e.programId) out.push_back(e.window);
    return out;
}

void SimWindowList::addWindow(SimWindow window, bool inFront) {
    Entry e{std::move(window), std::nullopt};
    if (inFront)
        entries_.insert(entries_.begin(), std::move(e));
    else
        entries_.push_back(std::move(e));
}

void SimWindowList::removeWindowsOwnedBy(pid_t pid) {
    std::erase_if(entries_, [&](const Entry& e) { return e.window.ownerPid == pid; });
}

pid_t SimWindowList::ownerOfWindowAt(Point p) const {
    for (const auto& w : onScreenWindows())
        if (w.bounds.contains(p)) return w.ownerPid;
    return 0;
}

void SimWindowList::insertInFrontOfLayer(Entry entry) {
    auto at = std::find_if(entries_.begin(), entries_.end(),
                           [&](const Entry& e) { return e.window.layer <= entry.window.layer; });
    entries_.insert(at, std::move(entry));
}

void SimWindowList::showProgramWindow(std::uint64_t id, int layer, Rect bounds, bool toFront) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const Entry& e) { return e.programId == id; });
    if (it != entries_.end() && !toFront) {
        it->window.layer = layer;
        it->window.bounds = bounds;
        return;
    }
    if (it != entries_.end()) entries_.erase(it);
    insertInFrontOfLayer(Entry{SimWindow{SimProcess::kPid, layer, bounds, std::nullopt}, id});
}

void SimWindowList::removeProgramWindow(std::uint64_t id) {
    std::erase_if(entries_, [&](const Entry& e) { return e.programId == id; });
}

}  // namespace wexo::platform::sim
