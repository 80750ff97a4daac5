#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wexo::platform::xdg {

// One installed application as its desktop entry describes it.
struct DesktopEntry {
    // The desktop-file id without ".desktop" ("org.gnome.Nautilus"): what the
    // settings store where macOS stores a bundle identifier.
    std::string id;
    std::string path;  // the .desktop file
    std::string name;  // localized Name
    std::string icon;  // icon name or file, empty when none
    // The program its Exec line starts, as an absolute canonical path; empty
    // when it cannot be found on PATH.
    std::string executable;
    std::string startupWMClass;
};

// The desktop entries of the XDG data directories, read through GIO so that
// the lookup rules (precedence between directories, Hidden entries, ids of
// entries in subfolders) are the desktop's own. Main thread only.
class DesktopEntries {
  public:
    // Accepts the id with or without ".desktop".
    std::optional<DesktopEntry> byId(std::string_view id) const;
    // A desktop entry file anywhere, installed or not.
    static std::optional<DesktopEntry> byPath(const std::string& path);
    // The entry whose StartupWMClass is the window's class name (exactly, or
    // else ignoring case, as toolkits are not consistent about it).
    std::optional<DesktopEntry> byStartupWMClass(std::string_view wmClass);
    // The one entry whose Exec starts this executable. Several entries
    // starting the same program (an interpreter, a launcher) name none of
    // them: picking one would give a window the settings of an unrelated
    // application.
    std::optional<DesktopEntry> byExecutable(const std::string& path);

    // Reads the installed entries again on the next lookup.
    void invalidate() { loadedAt_.reset(); }

  private:
    // A miss reloads the list, but at most this often: identities are looked
    // up once per new window, and a reload walks every installed entry.
    static constexpr std::chrono::seconds kReloadInterval{5};

    void loadIfNeeded(bool afterMiss);

    std::vector<DesktopEntry> entries_;
    std::optional<std::chrono::steady_clock::time_point> loadedAt_;
};

// The canonical form of a path (symbolic links resolved), or the path as
// given when it does not exist.
std::string canonicalPath(const std::string& path);

}  // namespace wexo::platform::xdg
