#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wexo::ui::qt {

// An installed application as its desktop entry describes it.
struct DesktopEntry {
    std::string path;  // the .desktop file
    std::string name;
    std::string icon;  // a theme icon name or a file path; may be empty
};

// The desktop entries of the installed applications (the freedesktop.org
// desktop entry files under the XDG data directories).
class DesktopEntries {
  public:
    // The applications directories in the order they take precedence:
    // $XDG_DATA_HOME (or ~/.local/share), then $XDG_DATA_DIRS (or
    // /usr/local/share:/usr/share), each with "/applications".
    static std::vector<std::string> applicationDirectories();

    // The entries a person may launch, sorted by name without regard to
    // case. An entry found in an earlier directory hides one with the same
    // file name in a later one; hidden entries, NoDisplay ones and those
    // that are no applications are left out, and so are unreadable files.
    static std::vector<DesktopEntry> installed(const std::vector<std::string>& directories);

    // One entry file; nothing when it cannot be read or is no application
    // a person may launch.
    static std::optional<DesktopEntry> read(const std::string& path);
};

}  // namespace wexo::ui::qt
