#pragma once

#include <cstdint>
#include <memory>

#include "platform/RunLoop.h"
#include "ui/Button.h"
#include "ui/MovieView.h"
#include "ui/TextField.h"
#include "ui/ViewController.h"

namespace wexo {

// The permission screen of a run without the Accessibility permission: an
// instruction movie on repeat, a button that opens the system's settings,
// a close button, and a poll once a second, for about a minute, that
// restarts the application as soon as the permission is granted. Where the
// system has no settings page for it (Linux: a udev rule), the screen says
// what cannot be opened and shows the command that grants it, and its
// button copies that command.
class AccessibilityViewController : public ui::ViewController {
  public:
    // Polls stop once this many have run.
    static constexpr std::int64_t kMaximumPolls = 61;
    static constexpr double kPollSeconds = 1.0;
    // The pause before the movie plays again.
    static constexpr double kReplaySeconds = 3.0;
    static constexpr const char* kPrivacyUrl =
        "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility";

    AccessibilityViewController();
    ~AccessibilityViewController() override;

    std::int64_t counter() const { return counter_; }
    bool isPolling() const { return accessTimer_ && accessTimer_->isValid(); }

    // The timer's target: one poll.
    void waitForAccess();
    void playAgain();

    static constexpr const char* kMacInstructions =
        "Wexo needs the Accessibility permission to see and change what your mouse does. Open "
        "System Settings, Privacy & Security, Accessibility, and switch Wexo on. Wexo starts by "
        "itself as soon as it may.";
    static constexpr const char* kCopyTitle = "Copy Command";

    ui::MovieView playerView{"playerView"};
    ui::TextField instructionsLbl{"instructionsLbl"};
    ui::TextField commandField{"commandField"};
    ui::TextField afterwardsLbl{"afterwardsLbl"};
    ui::Button openPerferencesOutlt{"openPerferencesOutlt", ui::ButtonType::Push};
    ui::Button closeWindowOutlt{"closeWindowOutlt", ui::ButtonType::Push};

  protected:
    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewDidAppear() override;

  private:
    // The guide's texts, or the Mac's when the system has none.
    void showInstructions();

    std::int64_t counter_ = 0;
    std::shared_ptr<platform::Timer> accessTimer_;
    std::shared_ptr<platform::Timer> replayTimer_;
};

}  // namespace wexo
