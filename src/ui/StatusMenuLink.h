#pragma once

#include <string>

#include "platform/Shared.h"

namespace wexo::ui {

class ViewController;

// What the screens ask of the status menu (KxMenu). The menu is also the
// registry of screens: each screen registers itself when its view loads and
// leaves when it goes away; the event paths and the other screens find it
// there by its name. Main thread only.
class StatusMenuLink {
  public:
    virtual ~StatusMenuLink() = default;

    // Registers a loaded screen under its screenName(); a second screen of
    // the same name takes the place of the first.
    virtual void registerScreen(ViewController& screen) = 0;
    virtual void unregisterScreen(ViewController& screen) = 0;
    // The registered screen of that name, nullptr when it has not loaded.
    virtual ViewController* registeredScreen(const std::string& screenName) const = 0;

    // The scroll item: "Disable Scroll" (tag 50) or "Enable Scroll" (tag 51).
    virtual void wheelListenerEnabled() = 0;
    virtual void wheelListenerDisabled() = 0;
    // The buttons item: "Disable Buttons" (tag 60) or "Enable Buttons" (tag 61).
    virtual void buttonsListenerEnabled() = 0;
    virtual void buttonsListenerDisabled() = 0;
    virtual void hideMenubarIcon() = 0;
    virtual void showMenubarIcon() = 0;
    // The menu's "Check For Updates..." and "About" actions.
    virtual void checkUpdates() = 0;
    virtual void about() = 0;
};

// Builds the status menu at its first use (KxMenu sharedInstance); the
// application delegate provides it.
class StatusMenuSource {
  public:
    virtual ~StatusMenuSource() = default;
    virtual StatusMenuLink& sharedStatusMenu() = 0;
};

// The status menu, built at this first use if need be; nullptr when no
// application provides one (a screen tested on its own may install a menu
// of its own in SharedSlot<StatusMenuLink>).
inline StatusMenuLink* statusMenu() {
    if (auto* menu = SharedSlot<StatusMenuLink>::get()) return menu;
    if (auto* source = SharedSlot<StatusMenuSource>::get()) return &source->sharedStatusMenu();
    return nullptr;
}

// The status menu if it exists already; never builds it.
inline StatusMenuLink* existingStatusMenu() {
    return SharedSlot<StatusMenuLink>::get();
}

}  // namespace wexo::ui
