#pragma once

#include <memory>

#include "app/KxMenu.h"
#include "app/OverlayWindow.h"
#include "events/ApplicationLink.h"
#include "platform/Shared.h"
#include "platform/Subscription.h"
#include "ui/AppDelegateLink.h"
#include "ui/ApplicationDelegate.h"
#include "ui/StatusMenuLink.h"
#include "ui/WindowController.h"

namespace wexo {

class FrontMostObserver;

// The application's delegate: the launch sequence, which decides which
// windows exist in a run (the preferences window with its screens, or the
// permission screen alone) and in which order the rest comes to life; the
// reactions to display changes, to the application becoming active and to
// its being opened again; and the shell services the screens use. It owns
// the windows, their screens and the status menu. Main thread only.
class AppDelegate : public ui::ApplicationDelegate,
                    public ApplicationLink,
                    public ui::AppDelegateLink,
                    public ui::StatusMenuSource {
  public:
    // The grey behind the borderless windows.
    static constexpr double kWindowGrey = 0.1;
    // The delay before a shown preferences window is ordered front.
    static constexpr double kOrderFrontDelay = 0.3;

    AppDelegate();
    ~AppDelegate() override;
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    // ---- ui::ApplicationDelegate ----
    void applicationDidFinishLaunching() override;
    void applicationWillBecomeActive() override;
    bool applicationShouldHandleReopen(bool hasVisibleWindows) override;
    void applicationWillTerminate() override {}

    void applicationDidChangeScreenParameters();
    void orderWindowFront();
    void orderWindowFronAbout();
    void showAbout();
    bool hasShadow() const { return false; }

    // ---- ApplicationLink ----
    bool isPreferencesWindowVisible() const override;
    void orderPreferencesWindowFrontRegardless() override;
    GestureWindow& gestureWindow() override { return gestureWindow_; }

    // ---- ui::AppDelegateLink ----
    void setScroller(ScrollAnimation* scroller) override { scroller_ = scroller; }
    void showWindow() override;
    void relaunchAfterDelay(float delay) override;
    bool isLoginItem() override;
    void addToLoginItems() override;
    void removeFromLoginItems() override;

    // ---- ui::StatusMenuSource: KxMenu sharedInstance ----
    ui::StatusMenuLink& sharedStatusMenu() override;
    KxMenu& statusMenu();

    // ---- State ----
    // The window brought to the front: the preferences window, or the
    // permission window in a run without permission.
    ui::Window* window() const { return window_; }
    ui::WindowController* mainAppWindowController() const { return mainAppWindowController_.get(); }
    ui::WindowController* accessibilityController() const { return accessibilityController_.get(); }
    ui::WindowController* fullScreenGestureWindowController() const {
        return fullScreenGestureWindowController_.get();
    }
    ScrollAnimation* scroller() const { return scroller_; }
    FrontMostObserver* frontObserver() const { return frontObserver_; }
    // The launch counted as a first one.
    bool wasFirstLaunch() const { return firstLaunch_; }

  private:
    void styleBorderlessWindow(ui::Window& window);
    void tellOfUnreadableSettings();

    // Destroyed last: the screens leave the menu's registry as they go.
    std::unique_ptr<KxMenu> menu_;
    OverlayWindow gestureWindow_;
    std::unique_ptr<ui::WindowController> accessibilityController_;
    std::unique_ptr<ui::WindowController> mainAppWindowController_;
    std::unique_ptr<ui::WindowController> fullScreenGestureWindowController_;
    ui::Window* window_ = nullptr;
    ScrollAnimation* scroller_ = nullptr;
    FrontMostObserver* frontObserver_ = nullptr;
    bool firstLaunch_ = false;
    platform::Subscription screenParameters_;
    // Delayed calls hold it weakly and do nothing once the delegate is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    SharedInstallation<ApplicationLink> applicationLinkInstallation_{this};
    SharedInstallation<ui::AppDelegateLink> delegateLinkInstallation_{this};
    SharedInstallation<ui::StatusMenuSource> menuSourceInstallation_{this};
    std::unique_ptr<SharedInstallation<ui::StatusMenuLink>> menuInstallation_;
    std::unique_ptr<SharedInstallation<ScreenRegistry>> registryInstallation_;
};

}  // namespace wexo
