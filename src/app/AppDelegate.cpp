#include "app/AppDelegate.h"

#include "app/ApplicationRelaunch.h"
#include "app/HelperMethods.h"
#include "app/MainBundleLoginItems.h"
#include "events/FrontMostObserver.h"
#include "platform/ObjcFormat.h"
#include "platform/Platform.h"
#include "settings/DisplaysManager.h"
#include "settings/KxDefaults.h"
#include "ui/Alert.h"
#include "ui/Application.h"
#include "ui/ScrollViewController.h"
#include "ui/Storyboard.h"

namespace wexo {

namespace {
ScrollViewController* scrollScreenOf(ui::WindowController* controller) {
    return controller ? dynamic_cast<ScrollViewController*>(controller->contentViewController())
                      : nullptr;
}

void setActivationPolicy(ui::ActivationPolicy policy) {
    if (auto* app = ui::Application::shared()) app->setActivationPolicy(policy);
}
}  // namespace

AppDelegate::AppDelegate() = default;

AppDelegate::~AppDelegate() = default;

void AppDelegate::styleBorderlessWindow(ui::Window& window) {
    window.setBackgroundColor(ui::Color::grey(kWindowGrey));
    window.setBorderless(true);
    window.setMovableByWindowBackground(true);
}

void AppDelegate::applicationDidFinishLaunching() {
    auto& platform = installedPlatform();
    // No telemetry is started: nothing leaves the machine.
    if (auto* app = ui::Application::shared())
        screenParameters_ =
            app->observeScreenParameters([this] { applicationDidChangeScreenParameters(); });
    DisplaysManager::setupDisplays();
    platform.preferences().registerDefaults(
        {{"NSApplicationCrashOnExceptions", plist::Value(true)}});
    const ui::Storyboard* storyboard = ui::Storyboard::main();

    if (HelperMethods::isMojaveOrBigger() && !platform.accessibility().isProcessTrusted(false)) {
        // Without the permission only the permission screen exists: no
        // preferences window, so no listener starts.
        accessibilityController_ =
            storyboard ? storyboard->instantiateWindowController("AccessibilityID") : nullptr;
        if (accessibilityController_) {
            styleBorderlessWindow(accessibilityController_->window());
            window_ = &accessibilityController_->window();
            accessibilityController_->showWindow();
            window_->orderFrontRegardless();
        }
        setActivationPolicy(ui::ActivationPolicy::Regular);
    } else {
        firstLaunch_ = !KxDefaults::getAllDisplaysScrollSettings() ||
                       KxDefaults::getShowOnLaunch().value_or(false);
        if (firstLaunch_) {
            setActivationPolicy(ui::ActivationPolicy::Regular);
            KxDefaults::setScrollingEnabled(true);
            KxDefaults::setShowOnLaunch(false);
            KxDefaults::sync();
        }
        // Loading the preferences window loads its screens, and they start
        // the listeners they own.
        mainAppWindowController_ =
            storyboard ? storyboard->instantiateWindowController("MainAppWindowControllerID")
                       : nullptr;
        if (mainAppWindowController_) {
            styleBorderlessWindow(mainAppWindowController_->window());
            window_ = &mainAppWindowController_->window();
        }
    }

    fullScreenGestureWindowController_ =
        storyboard ? storyboard->instantiateWindowController("GestureFullWindowControllerID")
                   : nullptr;
    if (fullScreenGestureWindowController_) {
        ui::Window& overlay = fullScreenGestureWindowController_->window();
        overlay.setBorderless(true);
        overlay.setOpaque(false);
        overlay.setBackgroundColor(ui::Color::clear());
        gestureWindow_.bind(&overlay);
    }

    if (firstLaunch_) {
        if (mainAppWindowController_) mainAppWindowController_->showWindow();
        if (window_) window_->orderFrontRegardless();
        addToLoginItems();
    }

    KxMenu& menu = statusMenu();
    if (KxDefaults::getHideMenubarIcon().value_or(false)) {
        setActivationPolicy(ui::ActivationPolicy::Accessory);
        menu.hideMenubarIcon();
    }

    frontObserver_ = SharedSlot<FrontMostObserver>::get();
    if (frontObserver_) frontObserver_->startObserving();

    tellOfUnreadableSettings();
}

// Last in the launch, so that the alert stands in front of any window the
// launch showed. The store answers only once, so a later launch sequence in
// the same run says nothing more.
void AppDelegate::tellOfUnreadableSettings() {
    const auto unreadable = installedPlatform().preferences().takeUnreadableBacking();
    if (!unreadable) return;
    const std::string message =
        unreadable->keptAt.empty()
            ? objcFormat(
                  "Wexo could not read its settings file \"%@\" and started with the "
                  "default settings. The file was left as it is.",
                  unreadable->location)
            : objcFormat(
                  "Wexo could not read its settings file and started with the default "
                  "settings. The old file is now \"%@\".",
                  unreadable->keptAt);
    ui::Alert(message).runModal();
}

void AppDelegate::applicationDidChangeScreenParameters() {
    DisplaysManager::setupDisplays();
    if (auto* scroll = scrollScreenOf(mainAppWindowController_.get()))
        scroll->displayStatusWasChanged();
}

void AppDelegate::applicationWillBecomeActive() {
    if (!HelperMethods::isMojaveOrBigger()) return;
    const bool permissionWindow =
        accessibilityController_ && window_ == &accessibilityController_->window();
    if (permissionWindow && installedPlatform().accessibility().isProcessTrusted(false))
        HelperMethods::restartApp();
}

bool AppDelegate::applicationShouldHandleReopen(bool) {
    showWindow();
    return false;
}

void AppDelegate::showWindow() {
    statusMenu().showMenubarIcon();
    setActivationPolicy(ui::ActivationPolicy::Regular);
    if (mainAppWindowController_) mainAppWindowController_->showWindow();
    std::weak_ptr<bool> alive = alive_;
    installedPlatform().runLoop().performAfterDelay(kOrderFrontDelay, [this, alive] {
        if (alive.lock()) orderWindowFront();
    });
}

void AppDelegate::orderWindowFront() {
    if (window_) window_->orderFrontRegardless();
    if (auto* scroll = scrollScreenOf(mainAppWindowController_.get()))
        scroll->refreshLastPressedTopBarButton();
}

void AppDelegate::orderWindowFronAbout() {
    if (window_) window_->orderFrontRegardless();
}

void AppDelegate::showAbout() {
    statusMenu().about();
}

bool AppDelegate::isPreferencesWindowVisible() const {
    return mainAppWindowController_ && mainAppWindowController_->window().isVisible();
}

void AppDelegate::orderPreferencesWindowFrontRegardless() {
    if (mainAppWindowController_) mainAppWindowController_->window().orderFrontRegardless();
}

void AppDelegate::relaunchAfterDelay(float delay) {
    ApplicationRelaunch::relaunchAfterDelay(delay);
}

bool AppDelegate::isLoginItem() {
    return MainBundleLoginItems::isLoginItem();
}
void AppDelegate::addToLoginItems() {
    MainBundleLoginItems::addToLoginItems();
}
void AppDelegate::removeFromLoginItems() {
    MainBundleLoginItems::removeFromLoginItems();
}

ui::StatusMenuLink& AppDelegate::sharedStatusMenu() {
    return statusMenu();
}

KxMenu& AppDelegate::statusMenu() {
    if (!menu_) {
        menu_ = std::make_unique<KxMenu>();
        menuInstallation_ = std::make_unique<SharedInstallation<ui::StatusMenuLink>>(menu_.get());
        registryInstallation_ = std::make_unique<SharedInstallation<ScreenRegistry>>(menu_.get());
    }
    return *menu_;
}

}  // namespace wexo
