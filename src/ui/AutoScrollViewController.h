#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "actions/MouseButton.h"
#include "events/ScreenRegistry.h"
#include "ui/Button.h"
#include "ui/KxSlider.h"
#include "ui/TextField.h"
#include "ui/View.h"
#include "ui/ViewController.h"

namespace wexo {

// The Auto tab: which mouse button starts auto-scroll, and how it scrolls.
// The auto-scroll engine and the mouse tap never read the preferences: every
// change goes to the stored preference and to the cache in SettingsKeeper
// at once. Super slow-down and the eased release exclude each other.
class AutoScrollViewController : public ui::ViewController, public AutoScreenLink {
  public:
    // The sliders' tags, which tell them apart in the typed-value handler.
    static constexpr std::int64_t kAutoScrollAccelTag = 300;
    static constexpr std::int64_t kSuperSlowDownTag = 301;
    static constexpr std::int64_t kReleaseDurationTag = 302;
    // First-use values.
    static constexpr double kDefaultAutoScrollAccel = 10;
    static constexpr double kDefaultReleaseDuration = 100;
    // The engine divides by 21 minus the speed: the fastest speed stays below.
    static constexpr double kAutoScrollAccelMax = 20;

    AutoScrollViewController();
    ~AutoScrollViewController() override;

    // ---- AutoScreenLink ----
    // Sets the auto-scroll button (refused when it is the gesture or the
    // grab button), or with nothing, none.
    void setAutoScrollButton(const std::shared_ptr<MouseButton>& button) override;

    // The remove button.
    void removeAutoScrollNumber() { setAutoScrollButton(nullptr); }

    // ---- Outlets ----
    ui::TextField autoHelpLbl{"autoHelpLbl"};
    // Everything shown while a button is set.
    ui::View autoControlsView{"autoControlsView"};
    ui::TextField autoButtonLbl{"autoButtonLbl"};
    ui::Button removeAutoOutlt{"removeAutoOutlt", ui::ButtonType::Push};
    ui::TextField autoScrollAccelLbl{"autoScrollAccelLbl"};
    ui::KxSlider autoScrollAccelOutlt{"autoScrollAccelOutlt"};
    ui::TextField superSlowDownLbl{"superSlowDownLbl"};
    ui::KxSlider superSlowDownOutlt{"superSlowDownOutlt"};
    ui::Button animateReleaseOutlt{"animateReleaseOutlt", ui::ButtonType::CheckBox};
    ui::TextField releaseDurationLbl{"releaseDurationLbl"};
    ui::KxSlider releaseDurationOutlt{"releaseDurationOutlt"};
    ui::Button smartScrollOutlt{"smartScrollOutlt", ui::ButtonType::CheckBox};
    ui::Button overLinkActAsButtonOutlt{"overLinkActAsButtonOutlt", ui::ButtonType::CheckBox};
    ui::Button holdToActivateOutlt{"holdToActivateOutlt", ui::ButtonType::CheckBox};
    ui::Button reverseAutoScrollVerticalOutlt{"reverseAutoScrollVerticalOutlt",
                                              ui::ButtonType::CheckBox};
    ui::Button reverseAutoScrollHorizontalOutlt{"reverseAutoScrollHorizontalOutlt",
                                                ui::ButtonType::CheckBox};

  protected:
    void viewDidLoad() override;

  private:
    void showControls();
    void showHelp();
    static void writeFirstUseDefaults();
    // The stored auto-scroll options into the cache.
    static void readAutoScrollOptions();
    void controlTextDidEndEditing(ui::TextField& field);

    // Stores a super slow-down and lets the eased release follow: on while
    // there is none, off while there is.
    void takeSuperSlowDown(std::int64_t amount);
    void animateReleaseBtn();
    void setReleaseDurationEnabled(bool enabled);

    // The name shown for the button ("Middle").
    std::string buttonName_;
};

}  // namespace wexo
