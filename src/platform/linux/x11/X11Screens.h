#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/CallbackList.h"
#include "platform/Screens.h"
#include "platform/linux/x11/X11Connection.h"

namespace wexo::platform::x11 {

// A panel's reserved edges: _NET_WM_STRUT_PARTIAL (left, right, top,
// bottom, then the start and end of each along its edge), root coordinates.
using Strut = std::array<long, 12>;

// The screens from RandR: one per output that shows a CRTC, the primary
// output first (it is the main display: global coordinates start at its top
// left). Kept from RandR notifications, never read per query.
class X11Screens : public Screens {
  public:
    explicit X11Screens(X11Connection& connection);

    std::vector<ScreenInfo> screens() const override;
    DisplayId mainDisplayId() const override;
    std::optional<std::vector<DisplayId>> displaysWithPoint(Point p,
                                                            std::size_t maxDisplays) const override;
    Rect displayBounds(DisplayId id) const override;
    std::uint32_t displayVendorNumber(DisplayId id) const override;
    std::uint32_t displayModelNumber(DisplayId id) const override;
    std::uint32_t displaySerialNumber(DisplayId id) const override;
    std::optional<std::vector<DisplayService>> displayServices() const override;

    // Frames per second of the display's current mode; 60 when the mode does
    // not tell (Xvfb's modes have no dot clock).
    double refreshRate(DisplayId id) const;
    // The main display's top left in root coordinates: global coordinates
    // are root coordinates less this.
    Point mainOrigin() const { return mainOrigin_; }
    // After a change of outputs, modes, the work area or the panels.
    Subscription observeChanges(std::function<void()> changed) {
        return observers_.add(std::move(changed));
    }

    // ---- Fed by the desktop ----
    // True when the event was RandR's; the screens are then read again.
    bool handleEvent(const XEvent& event);
    // The work area or the current desktop changed.
    void workAreaChanged();
    void setPanelStruts(std::vector<Strut> struts);

  private:
    struct Screen {
        ScreenInfo info;
        Rect rootBounds;  // root coordinates
        double refreshRate = 60;
        std::string outputName;
    };
    void reload();
    void readWorkArea();
    void computeFrames();
    const Screen* find(DisplayId id) const;
    void notify();

    X11Connection& c_;
    int randrEventBase_ = 0;
    std::vector<Screen> screens_;
    std::optional<Rect> workArea_;  // root coordinates
    std::vector<Strut> struts_;
    Point mainOrigin_;
    Size rootSize_;
    CallbackList<std::function<void()>> observers_;
};

// Frames per second of a mode: dot clock / (htotal × vtotal), doubled for
// interlaced and halved for double-scan modes; 0 when it cannot tell.
double modeRefreshRate(unsigned long dotClock, unsigned hTotal, unsigned vTotal,
                       unsigned long flags);

}  // namespace wexo::platform::x11
