#include "ui/DisplayNameOverlay.h"

#include "events/ApplicationLink.h"
#include "events/GestureWindow.h"
#include "platform/Platform.h"
#include "settings/DisplaysManager.h"
#include "ui/FullScreenScreenLink.h"
#include "ui/StatusMenuLink.h"
#include "ui/TextField.h"
#include "ui/ViewController.h"

namespace wexo {

namespace {
// The registered drawing screen of the overlay, when it has loaded.
ui::FullScreenScreenLink* fullScreenScreen() {
    auto* menu = ui::existingStatusMenu();
    return menu ? dynamic_cast<ui::FullScreenScreenLink*>(menu->registeredScreen("FullScreen"))
                : nullptr;
}
}  // namespace

DisplayNameOverlay::~DisplayNameOverlay() {
    if (displayFadeTimer_) displayFadeTimer_->invalidate();
}

void DisplayNameOverlay::show(const SingleDisplay& display) {
    auto* application = applicationLink();
    if (!application) return;
    GestureWindow& overlay = application->gestureWindow();
    overlay.setFrame(DisplaysManager::getRectForDisplay(display));
    overlay.setLevel(kFloatingWindowLevel);
    ui::FullScreenScreenLink* screen = fullScreenScreen();
    if (screen) screen->setViewsState(3);
    overlay.show();
    overlay.setHasShadow(false);
    if (screen) {
        ui::TextField& label = screen->displayNameLabelOutlt();
        label.setAttributedStringValue(
            {ui::TextRun{display.displayName, ui::Color::white(), 0, ui::Color::smurfBlue(), -3}});
        label.setAlphaValue(1);
    }

    if (displayFadeTimer_) displayFadeTimer_->invalidate();
    const std::uint64_t generation = ++generation_;
    displayFadeTimer_ = installedPlatform().runLoop().performAfterDelay(
        kShownSeconds, [this, generation] { fadeOut(generation); });
}

void DisplayNameOverlay::fadeOut(std::uint64_t generation) {
    std::weak_ptr<bool> alive = alive_;
    auto close = [this, generation, alive] {
        if (!alive.lock() || generation != generation_) return;
        if (auto* application = applicationLink()) application->gestureWindow().close();
    };
    if (ui::FullScreenScreenLink* screen = fullScreenScreen())
        screen->displayNameLabelOutlt().animateAlphaValue(0, kFadeSeconds, close);
    else
        displayFadeTimer_ = installedPlatform().runLoop().performAfterDelay(kFadeSeconds, close);
}

}  // namespace wexo
