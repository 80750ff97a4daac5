#include "app/AccessibilityViewController.h"

#include "app/HelperMethods.h"
#include "platform/Platform.h"
#include "ui/Application.h"

namespace wexo {

AccessibilityViewController::AccessibilityViewController() : ui::ViewController("Accessibility") {
    view().addSubview(playerView);
    view().addSubview(instructionsLbl);
    view().addSubview(commandField);
    view().addSubview(afterwardsLbl);
    view().addSubview(openPerferencesOutlt);
    view().addSubview(closeWindowOutlt);
    view().setFrame(platform::Rect(0, 0, 600, 440));

    openPerferencesOutlt.setTarget(this, "openPerferencesBtn:");
    addAction("openPerferencesBtn:", [](ui::Control&) {
        // Where there is no settings page, the command that grants access.
        if (const auto guide = installedPlatform().accessibility().trustGuide()) {
            if (auto* application = ui::Application::shared())
                application->writeToPasteboard(guide->command);
            return;
        }
        installedPlatform().workspace().openURL(kPrivacyUrl);
    });
    closeWindowOutlt.setTarget(this, "closeWindow:");
    // Closing the permission screen ends the program at once.
    addAction("closeWindow:", [](ui::Control&) { installedPlatform().process().exit(0); });
    addAction("playAgain:", [this](ui::Control&) { playAgain(); });
    addAction("waitForAccess", [this](ui::Control&) { waitForAccess(); });
}

AccessibilityViewController::~AccessibilityViewController() {
    if (accessTimer_) accessTimer_->invalidate();
    if (replayTimer_) replayTimer_->invalidate();
}

void AccessibilityViewController::viewDidLoad() {
    showInstructions();
    playerView.loadMovie("wexo_access_clip", "mov");
    playerView.setOnPlayedToEnd([this] {
        if (replayTimer_) replayTimer_->invalidate();
        replayTimer_ = installedPlatform().runLoop().performAfterDelay(kReplaySeconds,
                                                                       [this] { playAgain(); });
    });
}

void AccessibilityViewController::viewWillAppear() {
    playerView.setCornerRadius(10);
}

void AccessibilityViewController::viewDidAppear() {
    playerView.play();
    if (accessTimer_) accessTimer_->invalidate();
    accessTimer_ = installedPlatform().runLoop().schedule(kPollSeconds, kPollSeconds,
                                                          [this] { waitForAccess(); });
}

void AccessibilityViewController::showInstructions() {
    const auto guide = installedPlatform().accessibility().trustGuide();
    if (!guide) {
        instructionsLbl.setStringValue(kMacInstructions);
        commandField.setHidden(true);
        afterwardsLbl.setHidden(true);
        return;
    }
    std::string text;
    if (!guide->missing.empty()) {
        text += "Wexo cannot open:\n";
        for (const std::string& line : guide->missing) text += "    " + line + "\n";
        text += "\n";
    }
    text += guide->explanation;
    instructionsLbl.setStringValue(text);
    commandField.setStringValue(guide->command);
    commandField.setEditable(false);
    commandField.setSelectable(true);
    commandField.setHidden(false);
    afterwardsLbl.setStringValue(guide->afterwards);
    afterwardsLbl.setHidden(false);
    openPerferencesOutlt.setTitle(kCopyTitle);
}

void AccessibilityViewController::waitForAccess() {
    ++counter_;
    if (installedPlatform().accessibility().isProcessTrusted(false)) {
        HelperMethods::restartApp();
        return;
    }
    if (counter_ >= kMaximumPolls && accessTimer_) {
        accessTimer_->invalidate();
        accessTimer_.reset();
    }
}

void AccessibilityViewController::playAgain() {
    playerView.seekToZero();
    playerView.play();
}

}  // namespace wexo
