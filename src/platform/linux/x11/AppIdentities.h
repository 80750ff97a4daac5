#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

#include "platform/linux/xdg/DesktopEntries.h"

namespace wexo::platform::x11 {

// What a window tells about the application behind it.
struct WindowHints {
    pid_t pid = 0;
    std::string gtkApplicationId;  // _GTK_APPLICATION_ID
    std::string kdeDesktopFile;    // _KDE_NET_WM_DESKTOP_FILE
    std::string wmInstance;        // WM_CLASS, first part
    std::string wmClass;           // WM_CLASS, class name
};

// An application as the settings know it: its identifier stands where macOS
// has the bundle identifier.
struct AppIdentity {
    std::string identifier;  // desktop-entry id without ".desktop", or the class name
    std::string name;
    std::string icon;
    std::string path;  // its desktop entry, else its executable
    // How sure the rule that found it is: a window of the same process with
    // a surer identity speaks for the application.
    int certainty = 0;
};

// The program's own process, which always answers with its own identity so
// that its windows are recognised as its own.
struct OwnProcess {
    pid_t pid = 0;
    AppIdentity identity;
};

// Finds a window's application, in this order: _GTK_APPLICATION_ID,
// _KDE_NET_WM_DESKTOP_FILE, a desktop entry whose StartupWMClass is the
// window's class, the one desktop entry whose Exec starts the process's
// executable, and else the class name itself.
class AppIdentities {
  public:
    using ExecutableOf = std::function<std::string(pid_t)>;
    AppIdentities(xdg::DesktopEntries& entries, OwnProcess own,
                  ExecutableOf executableOf = procExecutable);

    AppIdentity identify(const WindowHints& hints);

    // /proc/PID/exe, empty when it cannot be read (another user's process).
    static std::string procExecutable(pid_t pid);

  private:
    AppIdentity fromEntry(const xdg::DesktopEntry& e, int certainty) const;
    AppIdentity fromId(const std::string& id, int certainty) const;

    xdg::DesktopEntries& entries_;
    OwnProcess own_;
    ExecutableOf executableOf_;
};

}  // namespace wexo::platform::x11
