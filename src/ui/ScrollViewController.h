#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "events/ScreenRegistry.h"
#include "platform/RunLoop.h"
#include "settings/AppWithScrollSettings.h"
#include "settings/SingleDisplay.h"
#include "ui/Button.h"
#include "ui/DisplayNameOverlay.h"
#include "ui/PopUpButton.h"
#include "ui/PreferencesTabBar.h"
#include "ui/ScrollSettingsControls.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/View.h"
#include "ui/ViewController.h"

namespace wexo {

class ScrollAnimation;

// The content of the preferences window: the tab bar that switches between
// the six screens (the other five are embedded in containers of this one),
// and the Scroll screen itself: the global switch of smooth scrolling, the
// applications with settings of their own per display, the display chooser
// and the controls that edit one set of scroll settings. It owns the scroll
// engine while scrolling is on, writes every change through to the
// in-memory registry and the stored "allDisplaysScrollSettings", and keeps
// the status menu's scroll item in step.
class ScrollViewController : public ui::ViewController,
                             public ScrollScreenLink,
                             public ui::TableViewDataSource {
  public:
    // The storyboard identifiers of the embedded screens, in tab order
    // (Buttons to Settings); an identifier the storyboard lacks leaves its
    // container empty.
    static const std::array<const char*, 5> kEmbeddedScreens;
    // Bundle identifiers of other mouse and scrolling utilities whose
    // presence the Settings screen warns about.
    static const std::array<const char*, 5> kConflictingUtilities;

    ScrollViewController();
    ~ScrollViewController() override;

    // ---- ScrollScreenLink ----
    bool isTabOn(PreferencesTab tab) const override;

    // ---- Called by the status menu, the application delegate, the curve chooser ----
    // Flips the global switch (the status menu's scroll item).
    void toggleScrollingEnable();
    void setGlobalScrollingEnabled(bool enabled);
    // selectedDisplayAppsArray := the selected display's entries by list position.
    void setArrayForApps();
    void reloadAppList() { appNameTableView.reloadData(); }
    void saveScrollSettings();
    void saveScrollSettingsToDefaults();
    void displayStatusWasChanged();
    void refreshLastPressedTopBarButton();
    void setSelecteadAnimationOutlet(std::int64_t graphIndex);
    bool isOtherDriverDetected() const { return isOtherDriverDetected_; }
    void relaunchApp();
    void closeWindow();
    void showScreenNameOnScreen(const SingleDisplay& display);
    // The smooth/native choice of the edited entry (tag 50: native).
    void chooseScrollType(std::int64_t tag);
    void loadScrollSettingsFromApp(const AppWithScrollSettings& app);

    // ---- State ----
    bool isScrollingEnabled() const { return isScrollingEnabled_; }
    // The scroll engine while scrolling is on, else nullptr.
    ScrollAnimation* scroller() const { return scroller_.get(); }
    const std::shared_ptr<SingleDisplay>& selectedDisplay() const { return selectedDisplay_; }
    const std::vector<std::shared_ptr<AppWithScrollSettings>>& selectedDisplayAppsArray() const {
        return selectedDisplayAppsArray_;
    }
    const std::shared_ptr<AppWithScrollSettings>& lastSelectedApp() const {
        return lastSelectedApp_;
    }
    std::ptrdiff_t lastSelectedAppsRow() const { return lastSelectedAppsRow_; }
    std::size_t lastPressedTopBarButton() const { return tabs.lastPressedTopBarButton(); }

    // ---- TableViewDataSource ----
    std::size_t numberOfRowsInTableView(ui::TableView& table) override;
    std::unique_ptr<ui::TableCellView> viewForTableColumn(ui::TableView& table,
                                                          const std::string& column,
                                                          std::size_t row) override;

    // ---- Outlets ----
    // The tab bar with a container per tab; the five after the first hold
    // the embedded screens.
    PreferencesTabBar tabs{view()};
    ui::Button closeWindowOutlt{"closeWindowOutlt", ui::ButtonType::Push};

    // The Scroll tab.
    ui::Button scrollingEnableOutlt{"scrollingEnableOutlt", ui::ButtonType::Toggle};
    ui::TextField scrollHelpLbl{"scrollHelpLbl"};
    ui::View settingsArea{"settingsArea"};
    ui::TextField screensCounterLbl{"screensCounterLbl"};
    ui::PopUpButton screensPopUpOutlt{"screensPopUpOutlt"};
    ui::Button openScreensMenuOutlt{"openScreensMenuOutlt", ui::ButtonType::Push};
    ui::TextField displayNameField{"displayNameField"};
    ui::TableView appNameTableView{"appNameTableView", {"appName"}};
    ui::Button addAppOutlt{"addAppOutlt", ui::ButtonType::Toggle};
    ui::View differentSettingsWarning{"differentSettingsWarning"};
    // The edited entry's smooth/native choice (chooseScrollType:).
    ui::Button smoothScrollOutlt{"smoothScrollOutlt", ui::ButtonType::Radio};
    ui::Button nativeScrollOutlt{"nativeScrollOutlt", ui::ButtonType::Radio};
    ui::TextField differentSettingsLbl{"differentSettingsLbl"};
    ScrollSettingsControls settings{settingsArea};

  protected:
    void viewDidLoad() override;
    void viewWillAppear() override;

  private:
    void selectTab(std::size_t tab);
    void embedScreens();
    void detectOtherDrivers();

    void startScrollEngine();
    void stopScrollEngine();
    void showScrollingArea(bool enabled);
    // The smooth/native radios show the entry's choice.
    void showScrollType(bool native);

    // Applies a change to the edited entry and saves it.
    template <class Edit>
    void editSettings(Edit&& edit);
    // A slider's value is taken at the end of its drag.
    bool dragEnded() const;
    void controlTextDidEndEditing(ui::TextField& field);

    void addApp();
    void addAppAtPath(const std::string& path);
    void deleteApp(ui::Control& sender);
    void enableApp(ui::Control& sender);
    void removeAppWith(const std::string& bundleId, bool fromAllScreens);
    void tableViewSelectionDidChange();
    bool isAppSettingsEqualOnAllScreens() const;
    void showWarning();
    void hideWarning();
    void fadeOutWarning();

    void buildDisplayMenu();
    void updateDisplayCounter();
    void screenSelected(std::size_t index);
    void selectAppRow(std::ptrdiff_t row);

    std::unique_ptr<ScrollAnimation> scroller_;
    bool isScrollingEnabled_ = false;
    bool isOtherDriverDetected_ = false;
    std::shared_ptr<SingleDisplay> selectedDisplay_;
    std::vector<std::shared_ptr<AppWithScrollSettings>> selectedDisplayAppsArray_;
    std::shared_ptr<AppWithScrollSettings> lastSelectedApp_;
    std::ptrdiff_t lastSelectedAppsRow_ = -1;
    std::shared_ptr<platform::Timer> warningFadeTimer_;
    DisplayNameOverlay displayNameOverlay_;
};

}  // namespace wexo
