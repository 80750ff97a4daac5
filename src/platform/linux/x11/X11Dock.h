#pragma once

#include <string>

#include "platform/Dock.h"
#include "platform/linux/x11/X11WindowTracker.h"

namespace wexo::platform::x11 {

// The panels stand for the Dock: the first panel on screen gives the side
// (bottom, left or right; a top panel reads as bottom, where its band is
// empty), and panels neither hide nor magnify as the Dock can. The Dock's
// all-windows notification opens the desktop's own overview where we know
// how to ask for it (GNOME Shell, KWin), else it shows the desktop; the
// show-desktop notification toggles _NET_SHOWING_DESKTOP.
class X11Dock : public Dock {
  public:
    static constexpr const char* kExposeNotification = "com.apple.expose.front.awake";
    static constexpr const char* kExposeAllNotification = "com.apple.expose.awake";
    static constexpr const char* kShowDesktopNotification = "com.apple.showdesktop.awake";

    X11Dock(X11Connection& connection, X11WindowTracker& tracker);

    void sendNotification(const std::string& name, int argument) override;
    bool autoHideEnabled() const override { return false; }
    int orientation() const override;
    int pinning() const override { return kPinnedMiddle; }
    float magnificationSize() const override { return 0; }

    // Asks the desktop for its overview over D-Bus; false when no known
    // desktop answers on the session bus.
    static bool openDesktopOverview();
    void toggleShowingDesktop();

  private:
    static constexpr int kBottom = 2, kLeft = 3, kRight = 4, kPinnedMiddle = 2;

    X11Connection& c_;
    X11WindowTracker& tracker_;
};

}  // namespace wexo::platform::x11
