#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "events/ScreenRegistry.h"
#include "platform/Workspace.h"
#include "ui/ActionTarget.h"
#include "ui/Menu.h"
#include "ui/MenuItem.h"
#include "ui/StatusItem.h"
#include "ui/StatusMenuLink.h"

namespace wexo {

class ScrollViewController;

// The menu-bar presence of the application: the status item and its menu
// (preferences, the scroll and buttons switches, smooth scrolling off for
// the front-most application, update check, quit), and the registry through
// which the screens and the event paths find each other. Built once, by the
// application delegate at its first use (sharedInstance). Main thread only.
class KxMenu : public ui::ActionTarget, public ui::StatusMenuLink, public ScreenRegistry {
  public:
    // The switch items' tags.
    static constexpr std::int64_t kScrollOnTag = 50;
    static constexpr std::int64_t kScrollOffTag = 51;
    static constexpr std::int64_t kButtonsOnTag = 60;
    static constexpr std::int64_t kButtonsOffTag = 61;

    // Builds the status item and the menu; the permission-dependent items
    // only when the program may intercept input.
    KxMenu();
    ~KxMenu() override;

    // The menu the application delegate built; it must exist.
    static KxMenu& sharedInstance();

    ui::StatusItem& statusItem() { return statusItem_; }
    ui::Menu& menu() { return *menu_; }
    // Absent in a run without the Accessibility permission.
    ui::MenuItem* disableEnableWheelListener() const { return disableEnableWheelListener_.get(); }
    ui::MenuItem* disableScrollInApp() const { return disableScrollInApp_.get(); }
    ui::MenuItem* disableEnableButtonsListener() const {
        return disableEnableButtonsListener_.get();
    }
    // The menu stays usable while a modal window is up.
    bool worksWhenModal() const { return true; }

    // ---- Menu actions ----
    void about() override;
    void checkUpdates() override;
    void showWindow();
    void disableOrEnableWheel();
    void addAppForDisabled();
    void disableOrEnableButtons();

    // ---- ui::StatusMenuLink ----
    void registerScreen(ui::ViewController& screen) override;
    void unregisterScreen(ui::ViewController& screen) override;
    ui::ViewController* registeredScreen(const std::string& screenName) const override;
    void wheelListenerEnabled() override;
    void wheelListenerDisabled() override;
    void buttonsListenerEnabled() override;
    void buttonsListenerDisabled() override;
    void hideMenubarIcon() override { statusItem_.setVisible(false); }
    void showMenubarIcon() override { statusItem_.setVisible(true); }

    // ---- ScreenRegistry ----
    ScrollScreenLink* scrollVC() override;
    ButtonsScreenLink* buttonsVC() override;
    GesturesScreenLink* gesturesVC() override;
    GrabScreenLink* grabVC() override;
    AutoScreenLink* autoVC() override;
    FullScreenLink* fullScreenVC() override;
    void changeActiveAppDisabledStateMenu(
        const std::optional<platform::RunningApplication>& app) override;

  private:
    std::shared_ptr<ui::MenuItem> addItem(const std::string& title, const std::string& action);
    ScrollViewController* scrollScreen() const;

    ui::StatusItem statusItem_;
    std::shared_ptr<ui::Menu> menu_ = std::make_shared<ui::Menu>();
    std::shared_ptr<ui::MenuItem> disableEnableWheelListener_;
    std::shared_ptr<ui::MenuItem> disableScrollInApp_;
    std::shared_ptr<ui::MenuItem> disableEnableButtonsListener_;
    std::map<std::string, ui::ViewController*> screens_;
};

}  // namespace wexo
