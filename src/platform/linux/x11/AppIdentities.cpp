#include "platform/linux/x11/AppIdentities.h"

#include <filesystem>

namespace wexo::platform::x11 {

namespace {
enum Certainty { kClassName = 1, kExecutable, kStartupClass, kKdeDesktopFile, kGtkId, kOwn };

std::string stripDesktop(std::string id) {
    // KDE writes the entry's id, some applications the whole file name or path.
    id = std::filesystem::path(id).filename().string();
    constexpr std::string_view suffix = ".desktop";
    if (id.size() > suffix.size() && id.ends_with(suffix)) id.resize(id.size() - suffix.size());
    return id;
}
}  // namespace

AppIdentities::AppIdentities(xdg::DesktopEntries& entries, OwnProcess own,
                             ExecutableOf executableOf)
    : entries_(entries), own_(std::move(own)), executableOf_(std::move(executableOf)) {
    own_.identity.certainty = kOwn;
}

std::string AppIdentities::procExecutable(pid_t pid) {
    if (pid <= 0) return {};
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", ec);
    return ec ? std::string() : exe.string();
}

AppIdentity AppIdentities::fromEntry(const xdg::DesktopEntry& e, int certainty) const {
    return AppIdentity{e.id, e.name, e.icon, e.path, certainty};
}

AppIdentity AppIdentities::fromId(const std::string& id, int certainty) const {
    if (auto e = entries_.byId(id)) return fromEntry(*e, certainty);
    return AppIdentity{id, id, {}, {}, certainty};
}

AppIdentity AppIdentities::identify(const WindowHints& h) {
    if (own_.pid != 0 && h.pid == own_.pid) return own_.identity;
    if (!h.gtkApplicationId.empty()) return fromId(h.gtkApplicationId, kGtkId);
    if (!h.kdeDesktopFile.empty()) return fromId(stripDesktop(h.kdeDesktopFile), kKdeDesktopFile);
    if (auto e = entries_.byStartupWMClass(h.wmClass)) return fromEntry(*e, kStartupClass);
    if (auto e = entries_.byStartupWMClass(h.wmInstance)) return fromEntry(*e, kStartupClass);
    if (h.pid > 0) {
        const std::string exe = executableOf_(h.pid);
        if (auto e = entries_.byExecutable(exe)) return fromEntry(*e, kExecutable);
    }
    if (!h.wmClass.empty()) {
        AppIdentity byClass{h.wmClass, h.wmClass, {}, executableOf_(h.pid), kClassName};
        return byClass;
    }
    return AppIdentity{};
}

}  // namespace wexo::platform::x11
