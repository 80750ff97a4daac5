#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Subscription.h"
#include "ui/ActionTarget.h"
#include "ui/ApplicationDelegate.h"
#include "ui/ObserverList.h"
#include "ui/UserInterface.h"

namespace wexo::ui {

class StatusItem;
class ViewController;
class Window;

// The application object of the user interface (NSApplication): its
// delegate, activation policy, windows, status items and loaded screens,
// and the notifications the system sends it. One per program, installed by
// the composition root; the port's objects report through it to the
// toolkit. Main thread only.
class Application : public ActionTarget {
  public:
    explicit Application(UserInterface& userInterface);
    ~Application() override;

    // The installed application, nullptr when there is none (a controller
    // tested on its own).
    static Application* shared();

    UserInterface& userInterface() { return ui_; }
    // NSPasteboard's general pasteboard, as far as the program writes it.
    void writeToPasteboard(const std::string& text) { ui_.writeToPasteboard(text); }

    ApplicationDelegate* delegate() const { return delegate_; }
    void setDelegate(ApplicationDelegate* delegate) { delegate_ = delegate; }

    ActivationPolicy activationPolicy() const { return policy_; }
    // Every request reaches the toolkit, even one that changes nothing.
    void setActivationPolicy(ActivationPolicy policy);

    // The "terminate:" action: the delegate hears that the application
    // will terminate, then the process ends normally.
    void terminate();

    // The event being handled is a release of the left mouse button.
    bool currentEventIsLeftMouseUp() const { return ui_.currentEventIsLeftMouseUp(); }

    const std::vector<Window*>& windows() const { return windows_; }
    bool hasVisibleWindows() const;
    const std::vector<StatusItem*>& statusItems() const { return statusItems_; }
    // Screens whose views are loaded, in the order they loaded.
    const std::vector<ViewController*>& viewControllers() const { return viewControllers_; }

    // NSApplicationDidChangeScreenParametersNotification.
    platform::Subscription observeScreenParameters(std::function<void()> observer) {
        return screenObservers_.add(std::move(observer));
    }

    // ---- What the system tells the application (the toolkit calls these) ----
    void finishLaunching();
    void screenParametersDidChange();
    void willBecomeActive();
    // The person opened the application again; the delegate may handle it.
    void reopen();

    // ---- Registration by the port's objects ----
    void windowCreated(Window& window);
    void windowDidChange(Window& window, WindowChange change);
    void statusItemCreated(StatusItem& item);
    void statusItemDidChange(StatusItem& item, StatusItemChange change);
    void viewControllerLoaded(ViewController& controller);
    void viewControllerDestroyed(ViewController& controller);

  private:
    UserInterface& ui_;
    ApplicationDelegate* delegate_ = nullptr;
    ActivationPolicy policy_ = ActivationPolicy::Regular;
    std::vector<Window*> windows_;
    std::vector<StatusItem*> statusItems_;
    std::vector<ViewController*> viewControllers_;
    ObserverList<> screenObservers_;
};

}  // namespace wexo::ui
