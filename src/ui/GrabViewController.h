#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "actions/MouseButton.h"
#include "events/ScreenRegistry.h"
#include "platform/RunLoop.h"
#include "ui/Button.h"
#include "ui/KxSlider.h"
#include "ui/TextField.h"
#include "ui/View.h"
#include "ui/ViewController.h"

namespace wexo {

// The Grab tab: which mouse button or keyboard key starts grab-and-drag
// scrolling, and how it scrolls. The grab engine and the taps never read the
// preferences: every change goes to the stored preference and to the cache
// in SettingsKeeper at once. The screen also owns the grab key's listener:
// it runs while a grab key is set, and, while no trigger is set, while the
// screen is on screen, so that the key pressed there becomes the grab key.
class GrabViewController : public ui::ViewController, public GrabScreenLink {
  public:
    // The sliders' tags, which tell them apart in the typed-value handler.
    static constexpr std::int64_t kGrabAccelTag = 200;
    static constexpr std::int64_t kThrowDurationTag = 201;
    // First-use values.
    static constexpr double kDefaultGrabAccel = 1;
    static constexpr double kDefaultThrowDuration = 100;
    // After the trigger is removed, the key listener starts again this much
    // later (waiting for a new key).
    static constexpr double kListenerRestartDelay = 0.1;

    GrabViewController();
    ~GrabViewController() override;

    // ---- GrabScreenLink ----
    // Sets the grab trigger: a button (refused when it is the gesture or the
    // auto-scroll button), a key, or with neither, no trigger at all.
    void setGrabButton(const std::shared_ptr<MouseButton>& button,
                       std::optional<std::int64_t> orKeyNumber) override;

    // The remove button: no trigger, and the key listener waits for a key again.
    void removeGrabNumber();
    // Shows the controls (with the trigger's name and the cached values) or
    // the help label alone.
    void setGrabAvailableUI(bool available);

    // ---- Outlets ----
    ui::TextField grabHelpLbl{"grabHelpLbl"};
    // Everything shown while a trigger is set.
    ui::View grabControlsView{"grabControlsView"};
    ui::TextField grabButtonLbl{"grabButtonLbl"};
    ui::Button removeGrabOutlt{"removeGrabOutlt", ui::ButtonType::Push};
    ui::TextField grabAccelLbl{"grabAccelLbl"};
    ui::KxSlider grabAccelOutlt{"grabAccelOutlt"};
    ui::Button animateThrowOutlt{"animateThrowOutlt", ui::ButtonType::CheckBox};
    ui::TextField throwDurationLbl{"throwDurationLbl"};
    ui::KxSlider throwDurationOutlt{"throwDurationOutlt"};
    ui::Button disableActionOutlt{"disableActionOutlt", ui::ButtonType::CheckBox};
    ui::Button dontMoveCursor{"dontMoveCursor", ui::ButtonType::CheckBox};
    ui::Button reverseGrabMouseOutlt{"reverseGrabMouseOutlt", ui::ButtonType::CheckBox};
    ui::Button reverseGrabMouseHorizontalOutlt{"reverseGrabMouseHorizontalOutlt",
                                               ui::ButtonType::CheckBox};

  protected:
    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewDidDisappear() override;

  private:
    // Writes the first-use values that are missing.
    static void writeFirstUseDefaults();
    // The stored grab options into the cache.
    static void readGrabOptions();
    void controlTextDidEndEditing(ui::TextField& field);
    void setThrowDurationEnabled(bool enabled);

    static void startKeyListener();
    static void stopKeyListener();

    // The name shown for the trigger ("Middle", "G").
    std::string triggerName_;
    std::shared_ptr<platform::Timer> listenerRestart_;
};

}  // namespace wexo
