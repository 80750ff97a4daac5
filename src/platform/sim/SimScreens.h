#pragma once

#include <functional>
#include <vector>

#include "platform/CallbackList.h"
#include "platform/Screens.h"

namespace wexo::platform::sim {

// The displays of the simulated desktop. Each ScreenInfo is given in the
// screen list's coordinates (origin bottom left of the main display, y up);
// the Quartz bounds (origin top left of the main display, y down) follow
// from them. The first screen is the main display. Every display refreshes
// at the desktop's one refresh rate. Main thread only, except refreshRate().
class SimScreens : public Screens {
  public:
    SimScreens();

    std::vector<ScreenInfo> screens() const override { return screens_; }
    DisplayId mainDisplayId() const override;
    std::optional<std::vector<DisplayId>> displaysWithPoint(Point p,
                                                            std::size_t maxDisplays) const override;
    Rect displayBounds(DisplayId id) const override;
    std::uint32_t displayVendorNumber(DisplayId id) const override;
    std::uint32_t displayModelNumber(DisplayId id) const override;
    std::uint32_t displaySerialNumber(DisplayId id) const override;
    // One service per screen, in screen order, with the screen's identity
    // and product names (no names: no "DisplayProductName" entry).
    std::optional<std::vector<DisplayService>> displayServices() const override;

    // ---- Driver ----

    // The default desktop: one 1920 x 1080 screen, number 1, named "Display",
    // vendor 1, model 2, serial 3, visible frame equal to its frame.
    static ScreenInfo defaultScreen();
    // Replaces the screens and then tells the observers of changes.
    void setScreens(std::vector<ScreenInfo> screens);
    // Called after each replacement of the screens: where the system's
    // screen-parameters notification comes from.
    Subscription observeChanges(std::function<void()> changed) {
        return changeObservers_.add(std::move(changed));
    }
    bool hasDisplay(DisplayId id) const { return find(id) != nullptr; }
    // Refreshes per second of every display (60 unless set).
    void setRefreshRate(double perSecond);
    double refreshRate() const { return refreshRate_; }
    // Makes the display queries fail, as the system's calls can.
    void setDisplayQueriesFail(bool fail) { displayQueriesFail_ = fail; }
    void setDisplayServicesFail(bool fail) { displayServicesFail_ = fail; }

  private:
    const ScreenInfo* find(DisplayId id) const;

    std::vector<ScreenInfo> screens_;
    double refreshRate_ = 60;
    bool displayQueriesFail_ = false;
    bool displayServicesFail_ = false;
    CallbackList<std::function<void()>> changeObservers_;
};

}  // namespace wexo::platform::sim
