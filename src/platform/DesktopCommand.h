#pragma once

#include <string_view>

namespace wexo::platform {

// What a desktop's shell and window manager do by their own means: the
// things a catalogue action asks for where pressing keys would not do it
// (a Linux desktop binds no key to most of them, or binds different ones
// on each desktop).
enum class DesktopCommand {
    ShowOverview,           // every window at a glance
    ShowApplications,       // the applications launcher
    ShowDesktop,            // toggles showing the desktop
    NextDesktop,            // the desktop (workspace) to the right
    PreviousDesktop,        // the one to the left
    MinimizeWindow,         // the active window
    HideApplication,        // every window of the active window's application
    HideOtherApplications,  // every window of the other applications
};

// For log lines and records.
constexpr std::string_view desktopCommandName(DesktopCommand command) {
    switch (command) {
        case DesktopCommand::ShowOverview:
            return "show-overview";
        case DesktopCommand::ShowApplications:
            return "show-applications";
        case DesktopCommand::ShowDesktop:
            return "show-desktop";
        case DesktopCommand::NextDesktop:
            return "next-desktop";
        case DesktopCommand::PreviousDesktop:
            return "previous-desktop";
        case DesktopCommand::MinimizeWindow:
            return "minimize-window";
        case DesktopCommand::HideApplication:
            return "hide-application";
        case DesktopCommand::HideOtherApplications:
            return "hide-other-applications";
    }
    return "?";
}

}  // namespace wexo::platform
