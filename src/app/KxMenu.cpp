#include "app/KxMenu.h"

#include "app/HelperMethods.h"
#include "events/FrontMostObserver.h"
#include "platform/Log.h"
#include "platform/ObjcFormat.h"
#include "platform/Platform.h"
#include "settings/DisplaysManager.h"
#include "settings/SettingsKeeper.h"
#include "ui/AppDelegateLink.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/FullScreenScreenLink.h"
#include "ui/ScrollViewController.h"
#include "ui/Storyboard.h"
#include "ui/Updater.h"

namespace wexo {

namespace {
constexpr const char* kDisableScrollForApp = "Disable Scroll for %@";
constexpr const char* kEnableScrollForApp = "Enable Scroll for %@";

std::optional<platform::RunningApplication> frontmostApplication() {
    auto* observer = SharedSlot<FrontMostObserver>::get();
    return observer ? observer->current() : std::nullopt;
}

// The entry of an application in the All Screens table, or null.
std::shared_ptr<AppWithScrollSettings> allScreensEntry(const std::string& bundleId) {
    auto& displays = SettingsKeeper::shared().getAllCurrentDisplays();
    auto all = displays.find(SingleDisplay::kAllScreensSerial);
    if (all == displays.end() || !all->second) return nullptr;
    auto it = all->second->apps.find(bundleId);
    return it == all->second->apps.end() ? nullptr : it->second;
}
}  // namespace

KxMenu::KxMenu() : statusItem_(ui::kVariableStatusItemLength) {
    statusItem_.setTitle("");
    ui::Image icon = ui::Image::named("menuNoOpacity");
    icon.isTemplate = true;
    statusItem_.setImage(icon);

    addAction("about:", [this](ui::Control&) { about(); });
    addAction("checkUpdates:", [this](ui::Control&) { checkUpdates(); });
    addAction("showWindow", [this](ui::Control&) { showWindow(); });
    addAction("disableOrEnableWheel:", [this](ui::Control&) { disableOrEnableWheel(); });
    addAction("addAppForDisabled:", [this](ui::Control&) { addAppForDisabled(); });
    addAction("disableOrEnableButtons:", [this](ui::Control&) { disableOrEnableButtons(); });

    addItem("About", "about:");
    menu_->addItem(ui::MenuItem::separatorItem());
    menu_->addItem(ui::MenuItem::separatorItem());
    addItem("Check For Updates...", "checkUpdates:");
    menu_->addItem(ui::MenuItem::separatorItem());
    const bool mayIntercept = !HelperMethods::isMojaveOrBigger() ||
                              installedPlatform().accessibility().isProcessTrusted(false);
    if (mayIntercept) {
        addItem("Preferences...", "showWindow");
        menu_->addItem(ui::MenuItem::separatorItem());
        disableEnableWheelListener_ = addItem("Disable Scroll", "disableOrEnableWheel:");
        disableEnableWheelListener_->setTag(kScrollOnTag);
        const auto front = frontmostApplication();
        disableScrollInApp_ =
            addItem(objcFormat(kDisableScrollForApp, front ? front->localizedName : std::string()),
                    "addAppForDisabled:");
        disableEnableButtonsListener_ = addItem("Disable Buttons", "disableOrEnableButtons:");
        disableEnableButtonsListener_->setTag(kButtonsOnTag);
    }
    menu_->addItem(ui::MenuItem::separatorItem());
    auto quit = std::make_shared<ui::MenuItem>("Quit", "");
    quit->setTarget(ui::Application::shared(), "terminate:");
    menu_->addItem(quit);

    statusItem_.setMenu(menu_);
}

KxMenu::~KxMenu() = default;

KxMenu& KxMenu::sharedInstance() {
    return static_cast<KxMenu&>(SharedSlot<ui::StatusMenuSource>::require().sharedStatusMenu());
}

std::shared_ptr<ui::MenuItem> KxMenu::addItem(const std::string& title, const std::string& action) {
    auto item = std::make_shared<ui::MenuItem>(title, "");
    item->setTarget(this, action);
    menu_->addItem(item);
    return item;
}

// ---- Actions ----

void KxMenu::about() {
    const auto* storyboard = ui::Storyboard::main();
    if (!storyboard) return;
    // From the Scroll screen; in a run without the preferences window, from
    // the permission screen, so that About works in both.
    ui::ViewController* presenter = registeredScreen("Scroll");
    if (auto* app = ui::Application::shared(); !presenter && app)
        for (ui::ViewController* screen : app->viewControllers())
            if (screen->screenName() == "Accessibility") presenter = screen;
    if (!presenter) return;
    if (auto aboutScreen = storyboard->instantiateViewController("AboutID"))
        presenter->presentViewControllerAsModalWindow(std::move(aboutScreen));
}

void KxMenu::checkUpdates() {
    ui::Updater::checkForUpdates();
}

void KxMenu::showWindow() {
    if (auto* delegate = ui::appDelegate()) delegate->showWindow();
}

void KxMenu::disableOrEnableWheel() {
    if (auto* scroll = scrollScreen()) scroll->toggleScrollingEnable();
}

void KxMenu::disableOrEnableButtons() {
    ui::ViewController* buttons = registeredScreen("Buttons");
    if (!buttons || !disableEnableButtonsListener_) return;
    ui::Button radio("buttonsTypeRadio", ui::ButtonType::Radio);
    radio.setTag(disableEnableButtonsListener_->tag() == kButtonsOnTag ? kButtonsOnTag
                                                                       : kButtonsOffTag);
    buttons->performAction("chooseButtonsType:", radio);
}

void KxMenu::addAppForDisabled() {
    const auto app = frontmostApplication();
    if (!app) {
        WEXO_LOG_ERROR("Can't add nil as app");
        return;
    }
    auto current = allScreensEntry(app->bundleIdentifier);
    const bool native = !(current && current->scrollSettings.isNativeScroll);

    // The new entries start from the All Screens display's Global settings.
    SingleScrollSettingsObject global;
    if (auto g = allScreensEntry(AppWithScrollSettings::kGlobalBundleId))
        global = g->scrollSettings;
    for (const auto& display : SettingsKeeper::shared().getAllDisplaysArray()) {
        if (!display) continue;
        auto it = display->apps.find(app->bundleIdentifier);
        if (it != display->apps.end() && it->second) {
            it->second->scrollSettings.isNativeScroll = native;
            continue;
        }
        if (app->bundleIdentifier.empty()) continue;
        auto entry = std::make_shared<AppWithScrollSettings>(
            app->localizedName, app->bundleIdentifier, app->bundlePath,
            DisplaysManager::getLocationForDisplayLastApp(*display), global);
        entry->scrollSettings.isNativeScroll = native;
        display->apps[app->bundleIdentifier] = entry;
    }
    if (auto* scroll = scrollScreen()) {
        scroll->setArrayForApps();
        scroll->reloadAppList();
        scroll->saveScrollSettings();
    }
    changeActiveAppDisabledStateMenu(app);
}

void KxMenu::changeActiveAppDisabledStateMenu(
    const std::optional<platform::RunningApplication>& app) {
    if (!disableScrollInApp_ || !app) return;
    auto entry = allScreensEntry(app->bundleIdentifier);
    const bool native = entry && entry->scrollSettings.isNativeScroll;
    disableScrollInApp_->setTitle(
        objcFormat(native ? kEnableScrollForApp : kDisableScrollForApp, app->localizedName));
}

// ---- Switch items ----

void KxMenu::wheelListenerEnabled() {
    if (!disableEnableWheelListener_) return;
    disableEnableWheelListener_->setTitle("Disable Scroll");
    disableEnableWheelListener_->setTag(kScrollOnTag);
}

void KxMenu::wheelListenerDisabled() {
    if (!disableEnableWheelListener_) return;
    disableEnableWheelListener_->setTitle("Enable Scroll");
    disableEnableWheelListener_->setTag(kScrollOffTag);
}

void KxMenu::buttonsListenerEnabled() {
    if (!disableEnableButtonsListener_) return;
    disableEnableButtonsListener_->setTitle("Disable Buttons");
    disableEnableButtonsListener_->setTag(kButtonsOnTag);
}

void KxMenu::buttonsListenerDisabled() {
    if (!disableEnableButtonsListener_) return;
    disableEnableButtonsListener_->setTitle("Enable Buttons");
    disableEnableButtonsListener_->setTag(kButtonsOffTag);
}

// ---- The registry ----

void KxMenu::registerScreen(ui::ViewController& screen) {
    screens_[screen.screenName()] = &screen;
}

void KxMenu::unregisterScreen(ui::ViewController& screen) {
    auto it = screens_.find(screen.screenName());
    if (it != screens_.end() && it->second == &screen) screens_.erase(it);
}

ui::ViewController* KxMenu::registeredScreen(const std::string& screenName) const {
    auto it = screens_.find(screenName);
    return it == screens_.end() ? nullptr : it->second;
}

ScrollViewController* KxMenu::scrollScreen() const {
    return dynamic_cast<ScrollViewController*>(registeredScreen("Scroll"));
}

ScrollScreenLink* KxMenu::scrollVC() {
    return dynamic_cast<ScrollScreenLink*>(registeredScreen("Scroll"));
}
ButtonsScreenLink* KxMenu::buttonsVC() {
    return dynamic_cast<ButtonsScreenLink*>(registeredScreen("Buttons"));
}
GesturesScreenLink* KxMenu::gesturesVC() {
    return dynamic_cast<GesturesScreenLink*>(registeredScreen("Gestures"));
}
GrabScreenLink* KxMenu::grabVC() {
    return dynamic_cast<GrabScreenLink*>(registeredScreen("Grab"));
}
AutoScreenLink* KxMenu::autoVC() {
    return dynamic_cast<AutoScreenLink*>(registeredScreen("Auto"));
}
FullScreenLink* KxMenu::fullScreenVC() {
    return dynamic_cast<FullScreenLink*>(registeredScreen("FullScreen"));
}

}  // namespace wexo
