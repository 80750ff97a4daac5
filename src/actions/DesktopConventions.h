#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "actions/KxShortcut.h"
#include "platform/DesktopCommand.h"

namespace wexo {

// The entries of the system-shortcut catalogue, in the order it lists them.
enum class SystemShortcut {
    Zoom,
    ChangeLanguage,
    ShowLaunchpad,
    ShowDesktop,
    RightDesktop,
    LeftDesktop,
    ShowAllWindows,  // "Exposé"
    Hide,
    HideOthers,
    Minimize,
    Forward,
    Back,
    Copy,
    Paste,
    CleanPaste,
    DoNothing,
};

// What running a catalogue entry does on a desktop.
struct ShortcutMeaning {
    enum class Kind {
        AsStored,  // post the stored shortcut as it is
        Keys,      // post `keys` instead
        Desktop,   // have the desktop carry out `command`
        Nothing,
    };
    Kind kind = Kind::AsStored;
    KxShortcut keys;
    platform::DesktopCommand command = platform::DesktopCommand::ShowOverview;
};

// How the desktop the program runs on names keys and shortcuts, and what
// its own shortcuts are. The stored form of an assignment never depends on
// it, so a preference file moves between desktops unchanged: these are
// choices of presentation and of what a catalogue entry means here. The
// composition root installs the program's; without one the Mac's apply.
class DesktopConventions {
  public:
    virtual ~DesktopConventions() = default;

    // The installed conventions, else the Mac's.
    static const DesktopConventions& current();
    // What macOS users read and what its shortcuts do there: the stored
    // shortcuts as they are.
    static const DesktopConventions& forMac();
    // Ctrl, Alt, Super and Shift by name; the catalogue's entries do what
    // their titles say on a Linux desktop.
    static const DesktopConventions& forLinux();

    // A shortcut built from its flags and key name (useString clear).
    virtual std::string shortcutText(const KxShortcut& shortcut) const = 0;
    // The title of an assignment's modifier mask; empty for none.
    virtual std::string modifierMaskTitle(std::int64_t mask) const = 0;
    // An assignment's row: its modifiers and the button's name.
    virtual std::string assignmentTitle(std::int64_t mask, const std::string& buttonName) const = 0;
    // The name of a key by its code; `stored` is the name kept with it.
    virtual std::string keyName(std::int64_t key, const std::string& stored) const = 0;
    // The modifiers as the recorder shows them, in the order Control,
    // Option, Shift, Command; each but the first starts with its separator.
    virtual std::array<std::string, 4> recorderModifiers() const = 0;
    // A catalogue entry's title, given the one stored with it.
    virtual std::string catalogueTitle(SystemShortcut entry, const std::string& stored) const = 0;
    virtual ShortcutMeaning meaning(SystemShortcut entry) const = 0;
};

}  // namespace wexo
