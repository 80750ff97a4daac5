#pragma once

#include <optional>

#include "actions/CustomAction.h"
#include "actions/KxShortcut.h"

namespace wexo {

// Runs an assigned action. Called on the main thread from the mouse tap when
// an assigned button, wheel direction or gesture fires; failures are not
// reported to the caller.
class CustomActionHandler {
  public:
    // The notification that makes the Dock show all windows.
    static constexpr const char* kExposeNotification = "com.apple.expose.front.awake";
    // How long after a click on the Dock the windows are shown, in seconds.
    static constexpr double kExposeDelay = 0.01;

    // By kind: media key (auxKey), keyboard shortcut, opening the
    // application at path, simulated mouse (auxKey). An unknown or absent
    // kind, and an action missing what its kind needs, do nothing.
    static void handleCustomAction(const CustomAction& action);

    // Posts the shortcut at the HID level: the modifier keys' presses
    // (Command, Option, Control, Shift), the key's press, the modifier keys'
    // releases in the same order, then the key's release; the key events
    // carry the modifier flags. The reserved keys show all windows (9000) or
    // do nothing (-2700). A shortcut without a key posts nothing. An entry
    // of the system-shortcut catalogue does what the desktop's conventions
    // make of it (other keys, or the desktop's own means).
    static void triggerShortcut(const KxShortcut& shortcut);
    // Posts the shortcut's keys as stored (the reserved keys as above).
    static void postShortcut(const KxShortcut& shortcut);

    // Asks the Dock to show all windows.
    static void openExpose();

    // Whether the pointer is over the visible Dock of the screen it is on.
    static bool isClickOnDock();
};

}  // namespace wexo
