#pragma once

#include <optional>
#include <string>

#include "platform/linux/xdg/DesktopEntries.h"

namespace wexo::platform::xdg {

// Starting applications and opening URLs the way the desktop does, through
// GIO: field codes, Terminal=, D-Bus activation and the default handlers
// are GIO's business, not ours.
class Launcher {
  public:
    explicit Launcher(DesktopEntries& entries) : entries_(entries) {}

    // `what` is a desktop entry file, a desktop-file id ("org.gnome.Nautilus",
    // with or without ".desktop") or an executable file. False when nothing
    // could be started; the log says why.
    bool launch(const std::string& what);
    // Opens a URL (or a file:// URI) with the user's default handler.
    bool openUri(const std::string& uri);
    // The desktop-file id standing for `path`: the entry's own id for a
    // desktop entry file, else the one entry that starts the executable.
    std::optional<std::string> idAtPath(const std::string& path);

  private:
    DesktopEntries& entries_;
};

}  // namespace wexo::platform::xdg
