#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Subscription.h"
#include "platform/sim/SimDesktop.h"
#include "ui/Alert.h"
#include "ui/OpenPanel.h"
#include "ui/UserInterface.h"

namespace wexo::ui {
class Application;
}

namespace wexo::ui::sim {

// The user interface on the simulated desktop: nothing is drawn, and what a
// person would see is recorded in the desktop's record: alerts, windows
// coming and going, the status item's visibility, the activation policy and
// the status menu's titles. The program's windows are listed in the
// desktop's window list under the program's own process while they are on
// screen. The driver answers alerts and open panels, reopens the
// application and says when the event being handled is a left-button
// release. Main thread only.
class SimUserInterface : public UserInterface {
  public:
    explicit SimUserInterface(platform::sim::SimDesktop& desktop);
    ~SimUserInterface() override;
    SimUserInterface(const SimUserInterface&) = delete;
    SimUserInterface& operator=(const SimUserInterface&) = delete;

    // Delivers to the application what the system tells it: display
    // changes (after the change, on the main run loop) and its becoming
    // active (the program turning front-most). Until detached or destroyed;
    // detaching also takes away the alerts and panels still open.
    void attach(Application& application) override;
    void detach() override;

    void windowDidChange(Window& window, WindowChange change) override;
    void statusItemDidChange(StatusItem& item, StatusItemChange change) override;
    void activationPolicyDidChange(ActivationPolicy policy) override;
    void runModal(const Alert& alert, std::function<void(std::size_t)> completion) override;
    void beginSheet(const OpenPanel& panel, Window* parent,
                    std::function<void(std::optional<std::string>)> completion) override;
    bool currentEventIsLeftMouseUp() const override { return leftMouseUp_; }
    void writeToPasteboard(const std::string& text) override { pasteboard_ = text; }

    // ---- Driver ----

    // The alert on top (the last shown of those not answered), or nothing.
    const Alert* currentAlert() const;
    // Chooses a button of the alert on top by its title; false (and nothing
    // happens) when there is no alert or no such button.
    bool answerAlert(const std::string& buttonTitle);
    const OpenPanel* currentOpenPanel() const;
    // Chooses a path in the open panel (nothing: cancel); false when no
    // panel is open.
    bool answerOpenPanel(std::optional<std::string> path);
    // The person opens the application again: it becomes front-most (and so
    // active), then hears that it was reopened.
    void reopen();
    // While set, the event being handled is a left-button release.
    void setCurrentEventLeftMouseUp(bool on) { leftMouseUp_ = on; }
    std::optional<ActivationPolicy> lastActivationPolicy() const { return policy_; }
    // The program's front-most window on screen for which `accept` is true.
    Window* frontWindow(const std::function<bool(Window&)>& accept) const;

    // What the program last put on the pasteboard.
    const std::string& pasteboard() const { return pasteboard_; }

  private:
    std::string pasteboard_;
    struct PendingAlert {
        Alert alert;
        std::function<void(std::size_t)> completion;
    };
    struct PendingPanel {
        OpenPanel panel;
        std::function<void(std::optional<std::string>)> completion;
    };

    std::uint64_t idOf(Window& window);
    // The window's frame in Quartz coordinates (top left, y down).
    platform::Rect quartzBounds(const Window& window) const;

    platform::sim::SimDesktop& desktop_;
    Application* application_ = nullptr;
    platform::Subscription screensObservation_;
    platform::Subscription frontObservation_;
    bool programFrontmost_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::map<const Window*, std::uint64_t> windowIds_;
    std::vector<Window*> onScreen_;  // front to back
    std::uint64_t nextWindowId_ = 1;
    std::map<const StatusItem*, std::vector<std::string>> menuTitles_;
    std::vector<PendingAlert> alerts_;
    std::vector<PendingPanel> panels_;
    std::optional<ActivationPolicy> policy_;
    bool leftMouseUp_ = false;
};

}  // namespace wexo::ui::sim
