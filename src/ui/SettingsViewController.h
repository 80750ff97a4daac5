#pragma once

#include <cstdint>

#include "ui/Button.h"
#include "ui/KxSlider.h"
#include "ui/TextField.h"
#include "ui/View.h"
#include "ui/ViewController.h"

namespace wexo {

// The Settings tab: the application-wide switches. Pointer acceleration
// (applied to the system through MouseCursor while its box is ticked),
// automatic update checks, the menu-bar icon, launching at login, and the
// reset of every setting, which restarts the program as on its first day.
// It also warns when another mouse utility was found running.
class SettingsViewController : public ui::ViewController {
  public:
    // The acceleration slider's tag, for the typed-value handler.
    static constexpr std::int64_t kCursorAccelTag = 400;
    // The system's acceleration while the program does not set it.
    static constexpr double kSystemAcceleration = 0.875;
    static constexpr double kCursorAccelMin = 0;
    static constexpr double kCursorAccelMax = 3;
    static constexpr const char* kResetMessage =
        "All your custom settings will be removed. Are you sure?";

    SettingsViewController();

    // Applies the stored acceleration while the program is to set it, and
    // shows the acceleration in force.
    void loadCursorAccel();
    // Restarts the program (after a reset).
    static void forceToRelunch();

    // ---- Outlets ----
    ui::TextField cursorAccelLbl{"cursorAccelLbl"};
    ui::KxSlider cursorAccelSliderOutlt{"cursorAccelSliderOutlt"};
    ui::Button cursorEnabledOutlt{"cursorEnabledOutlt", ui::ButtonType::CheckBox};
    ui::Button checkUpdatesWeeklyOutlt{"checkUpdatesWeeklyOutlt", ui::ButtonType::CheckBox};
    ui::Button checkUpdatesNowOutlt{"checkUpdatesNowOutlt", ui::ButtonType::Push};
    ui::Button hideMenubarIconOutlt{"hideMenubarIconOutlt", ui::ButtonType::CheckBox};
    ui::Button launchAtLoginOutlt{"launchAtLoginOutlt", ui::ButtonType::CheckBox};
    ui::Button resetSettingsOutlt{"resetSettingsOutlt", ui::ButtonType::Push};
    ui::Button showAboutOutlt{"showAboutOutlt", ui::ButtonType::Push};
    // Shown when another mouse utility was running at launch.
    ui::View otherDriverWarningView{"otherDriverWarningView"};
    ui::TextField otherDriverWarningLbl{"otherDriverWarningLbl"};

  protected:
    void viewDidLoad() override;
    void viewWillAppear() override;

  private:
    // Shows an acceleration: whole at the ends of the range, else to three
    // decimals.
    void showCursorAccel(double value);
    // Applies and stores the chosen acceleration.
    void takeCursorAccel(double value);
    void enableCursorAccel();
    void resetSettings();
    void controlTextDidEndEditing(ui::TextField& field);
    bool isOtherDriverDetected() const;
};

}  // namespace wexo
