#pragma once

#include <array>
#include <cstddef>

#include "events/ScreenRegistry.h"
#include "ui/Button.h"
#include "ui/View.h"

namespace wexo {

// The preferences window's six tabs (Scroll, Buttons, Gestures, Grab, Auto,
// Settings): a button and a container each. Choosing a tab shows its
// container, hides the others and turns the other buttons off.
class PreferencesTabBar {
  public:
    static constexpr std::size_t kTabCount = 6;
    // The tab actions, in tab order.
    static const std::array<const char*, kTabCount> kTabActions;

    // Puts the buttons and the containers into `root`; tab 0 is chosen.
    explicit PreferencesTabBar(ui::View& root);

    ui::Button& buttonOfTab(std::size_t tab);
    ui::View& containerOfTab(std::size_t tab);

    // A tab beyond the last counts as the first.
    void selectTab(std::size_t tab);
    std::size_t lastPressedTopBarButton() const { return lastPressed_; }
    // The tab's button is on.
    bool isTabOn(PreferencesTab tab) const;
    // The tab buttons' tooltip keys (the Settings tab has none).
    void setToolTips();

    ui::Button showScrollOutlt{"showScrollOutlt", ui::ButtonType::Toggle};
    ui::Button showButtonsOutlt{"showButtonsOutlt", ui::ButtonType::Toggle};
    ui::Button showGesturesOutlt{"showGesturesOutlt", ui::ButtonType::Toggle};
    ui::Button showGrabOutlt{"showGrabOutlt", ui::ButtonType::Toggle};
    ui::Button showAutoOutlt{"showAutoOutlt", ui::ButtonType::Toggle};
    ui::Button showSettingsOutlt{"showSettingsOutlt", ui::ButtonType::Toggle};
    // The Scroll tab's container, then those of the embedded screens.
    ui::View scrollContainer{"scrollContainer"};
    ui::View buttonsContainer{"buttonsContainer"};
    ui::View gesturesContainer{"gesturesContainer"};
    ui::View grabContainer{"grabContainer"};
    ui::View autoContainer{"autoContainer"};
    ui::View settingsContainer{"settingsContainer"};

  private:
    std::array<ui::Button*, kTabCount> buttons_;
    std::array<ui::View*, kTabCount> containers_;
    std::size_t lastPressed_ = 0;
};

}  // namespace wexo
