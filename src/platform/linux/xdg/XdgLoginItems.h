#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/LoginItems.h"
#include "platform/linux/xdg/DesktopEntries.h"

namespace wexo::platform::xdg {

// The user's login items as XDG autostart entries: the .desktop files in
// $XDG_CONFIG_HOME/autostart (the user's own, which win) and in each
// $XDG_CONFIG_DIRS/autostart. An item's path is what it starts: the
// installed desktop entry of the same id when there is one, else the
// program its Exec names, else the autostart file itself. Main thread only.
class XdgLoginItems : public LoginItems {
  public:
    struct Directories {
        // $XDG_CONFIG_HOME (~/.config); nothing when neither it nor $HOME is set.
        std::optional<std::filesystem::path> configHome;
        // $XDG_CONFIG_DIRS (/etc/xdg), most important first.
        std::vector<std::filesystem::path> configDirs;
        static Directories fromEnvironment();
    };

    XdgLoginItems(DesktopEntries& entries, Directories directories)
        : entries_(entries), dirs_(std::move(directories)) {}

    std::optional<std::vector<std::string>> snapshot() const override;
    // `path` is a desktop entry file (copied into the autostart folder under
    // its own file name) or an executable (an entry that starts it).
    bool insertLast(const std::string& path) override;
    // Deletes the user's autostart file for the item; an item that comes
    // from a system folder is switched off with a Hidden=true entry of the
    // same name, as the autostart rules prescribe.
    bool remove(const std::string& path) override;

  private:
    struct Item {
        std::filesystem::path file;
        std::string resolved;
    };
    std::optional<std::filesystem::path> userFolder() const;
    std::vector<Item> items() const;
    std::string resolve(const std::filesystem::path& file) const;

    DesktopEntries& entries_;
    Directories dirs_;
};

}  // namespace wexo::platform::xdg
