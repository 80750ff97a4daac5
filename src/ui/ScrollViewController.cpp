#include "ui/ScrollViewController.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

#include "actions/StoredValues.h"
#include "app/HelperMethods.h"
#include "easing/EasingCurveHelper.h"
#include "platform/Log.h"
#include "platform/ObjcFormat.h"
#include "platform/Platform.h"
#include "scroll/ScrollAnimation.h"
#include "settings/DisplaysManager.h"
#include "settings/KxDefaults.h"
#include "settings/SettingsKeeper.h"
#include "ui/Alert.h"
#include "ui/AppDelegateLink.h"
#include "ui/Application.h"
#include "ui/KxViewForMenuItem.h"
#include "ui/MenuItem.h"
#include "ui/OpenPanel.h"
#include "ui/PreferenceInput.h"
#include "ui/StatusMenuLink.h"
#include "ui/Storyboard.h"
#include "ui/Window.h"

namespace wexo {

const std::array<const char*, 5> ScrollViewController::kEmbeddedScreens = {
    "ButtonAssignViewController", "GesturesViewController", "GrabViewController",
    "AutoScrollViewController", "SettingsViewController"};

// Utilities that also rewrite wheel or button input: direction reversers, a
// keyboard and pointer remapper, and device vendors' configurators.
const std::array<const char*, 5> ScrollViewController::kConflictingUtilities = {
    "com.pilotmoon.scroll-reverser", "com.theron.UnnaturalScrollWheels",
    "org.pqrs.Karabiner-Elements.Settings", "com.logi.ghub", "com.razer.Synapse"};

namespace {
// The smooth/native choice's tags.
constexpr std::int64_t kNativeScrollTag = 50;
constexpr std::int64_t kSmoothScrollTag = 51;

// How long the different-settings warning stays, and how it fades.
constexpr double kWarningSeconds = 5.0;
constexpr double kFadeSeconds = 0.4;
// The alpha of a native entry's icon and name.
constexpr double kNativeRowAlpha = 0.4;

// A list position as a number; text without one counts as 0.
std::int64_t positionOf(const std::string& location) {
    std::size_t end = 0;
    while (end < location.size() && (std::isdigit(static_cast<unsigned char>(location[end])) ||
                                     (end == 0 && location[end] == '-')))
        ++end;
    return StoredValues::decimalKey(std::string_view(location).substr(0, end)).value_or(0);
}

int stateOf(bool on) {
    return on ? ui::kStateOn : ui::kStateOff;
}

ui::StatusMenuLink* menu() {
    return ui::statusMenu();
}
}  // namespace

ScrollViewController::ScrollViewController() : ui::ViewController("Scroll") {
    // The view tree.
    view().addSubview(closeWindowOutlt);
    for (ui::Control* c :
         std::initializer_list<ui::Control*>{&scrollingEnableOutlt, &scrollHelpLbl, &settingsArea})
        tabs.scrollContainer.addSubview(*c);
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &screensCounterLbl, &screensPopUpOutlt, &openScreensMenuOutlt, &displayNameField,
             &appNameTableView, &addAppOutlt, &differentSettingsWarning, &smoothScrollOutlt,
             &nativeScrollOutlt})
        settingsArea.addSubview(*c);
    differentSettingsWarning.addSubview(differentSettingsLbl);
    differentSettingsLbl.setTextColor(ui::Color::warningRed());
    view().setFrame(platform::Rect(0, 0, 760, 520));

    // Tabs.
    for (std::size_t tab = 0; tab < PreferencesTabBar::kTabCount; ++tab) {
        const char* action = PreferencesTabBar::kTabActions[tab];
        tabs.buttonOfTab(tab).setTarget(this, action);
        addAction(action, [this, tab](ui::Control&) { selectTab(tab); });
    }
    closeWindowOutlt.setTarget(this, "closeWindow:");
    addAction("closeWindow:", [this](ui::Control&) { closeWindow(); });

    // The global switch and the list.
    scrollingEnableOutlt.setTarget(this, "toggleScrollingEnable:");
    addAction("toggleScrollingEnable:", [this](ui::Control&) { toggleScrollingEnable(); });
    appNameTableView.setDataSource(this);
    appNameTableView.setTarget(this, "tableViewSelectionDidChange:");
    addAction("tableViewSelectionDidChange:",
              [this](ui::Control&) { tableViewSelectionDidChange(); });
    addAppOutlt.setTarget(this, "addApp:");
    addAction("addApp:", [this](ui::Control&) { addApp(); });
    addAction("deleteApp:", [this](ui::Control& sender) { deleteApp(sender); });
    addAction("enableApp:", [this](ui::Control& sender) { enableApp(sender); });
    screensPopUpOutlt.setTarget(this, "screenSelected:");
    addAction("screenSelected:", [this](ui::Control&) {
        const auto index = screensPopUpOutlt.indexOfSelectedItem();
        if (index >= 0) screenSelected(static_cast<std::size_t>(index));
    });
    openScreensMenuOutlt.setTarget(this, "openScreensMenu:");
    addAction("openScreensMenu:", [this](ui::Control&) {
        buildDisplayMenu();
        screensPopUpOutlt.performClick();
    });

    // The settings controls: each edits the selected entry, which is then saved.
    auto edit = [this](const ScrollSettingsControls::Edit& change) {
        if (!lastSelectedApp_) return;
        change(lastSelectedApp_->scrollSettings);
        saveScrollSettings();
    };
    for (auto& [control, action, handler] :
         settings.actions(edit, [this] { return dragEnded(); })) {
        control->setTarget(this, action);
        addAction(action, [handler = std::move(handler)](ui::Control&) { handler(); });
    }
    for (ui::KxSlider* slider : settings.sliders())
        slider->knobField().setTarget(this, "controlTextDidEndEditing:");
    addAction("controlTextDidEndEditing:", [this](ui::Control& sender) {
        if (auto* field = dynamic_cast<ui::TextField*>(&sender)) controlTextDidEndEditing(*field);
    });
    smoothScrollOutlt.setTag(kSmoothScrollTag);
    nativeScrollOutlt.setTag(kNativeScrollTag);
    smoothScrollOutlt.setTarget(this, "chooseScrollType:");
    nativeScrollOutlt.setTarget(this, "chooseScrollType:");
    addAction("chooseScrollType:", [this](ui::Control& sender) {
        chooseScrollType(sender.tag());
        // A choice made with the radios is kept like every other edit (and
        // under All Screens reaches every display); the row's check box,
        // which also chooses, saves after its own changes.
        saveScrollSettings();
        appNameTableView.reloadData();
    });
    settings.selectAnimationOutlt.setTarget(this, "selectAnimation:");
    addAction("selectAnimation:", [this](ui::Control&) {
        const auto* storyboard = ui::Storyboard::main();
        if (!storyboard) return;
        if (auto chooser = storyboard->instantiateViewController("EasingViewController"))
            presentViewControllerAsSheet(std::move(chooser));
    });

    screensCounterLbl.setToolTipKey("scrollScreensCounter");
    screensPopUpOutlt.setToolTipKey("scrollScreens");
    scrollingEnableOutlt.setToolTipKey("scrollEnableDisable");
}

ScrollViewController::~ScrollViewController() {
    if (warningFadeTimer_) warningFadeTimer_->invalidate();
    stopScrollEngine();
    if (auto* m = ui::existingStatusMenu()) m->unregisterScreen(*this);
}

// ---- Loading ----

void ScrollViewController::viewDidLoad() {
    // The Settings screen shows its warning from the moment it loads, so the
    // other utilities are looked for before the embedded screens load.
    detectOtherDrivers();
    // The embedded screens load with this one's view, before it is set up.
    embedScreens();

    // Tab 0 is current; tooltips on.
    tabs.selectTab(0);
    view().setToolTipsEnabled(true);

    // Absent reads as on, the default the first launch writes.
    isScrollingEnabled_ = KxDefaults::getScrollingEnabled().value_or(true);

    // Settings of versions that kept one set for everything move into the
    // registry; the switch takes the old on/off setting.
    if (KxDefaults::hasScrollLinesNumber()) {
        const bool scrollNative = KxDefaults::getScrollNative().value_or(false);
        DisplaysManager::migrateSingleSetKeys();
        isScrollingEnabled_ = !scrollNative;
        // Stored at once, so that neither the migrated sets nor the switch
        // depend on a later edit to survive a restart.
        KxDefaults::setScrollingEnabled(isScrollingEnabled_);
        saveScrollSettingsToDefaults();
    }

    scrollingEnableOutlt.setState(stateOf(isScrollingEnabled_));
    showScrollingArea(isScrollingEnabled_);

    auto& displays = SettingsKeeper::shared().getAllCurrentDisplays();
    auto all = displays.find(SingleDisplay::kAllScreensSerial);
    selectedDisplay_ = all == displays.end() ? nullptr : all->second;
    setArrayForApps();
    updateDisplayCounter();

    if (isScrollingEnabled_)
        startScrollEngine();
    else if (auto* m = menu())
        m->wheelListenerDisabled();

    lastSelectedApp_ = selectedDisplayAppsArray_.empty() ? nullptr : selectedDisplayAppsArray_[0];
    if (lastSelectedApp_) loadScrollSettingsFromApp(*lastSelectedApp_);
    hideWarning();
    appNameTableView.reloadData();
    selectAppRow(0);
    if (selectedDisplay_) displayNameField.setStringValue(selectedDisplay_->displayName);

    tabs.setToolTips();

    if (auto* m = menu()) m->registerScreen(*this);
    screensPopUpOutlt.menu().setDark(true);

    // A first launch stores the settings it starts with.
    if (!KxDefaults::getAllDisplaysScrollSettings()) saveScrollSettingsToDefaults();
}

void ScrollViewController::viewWillAppear() {
    buildDisplayMenu();
    appNameTableView.reloadData();
}

void ScrollViewController::embedScreens() {
    const auto* storyboard = ui::Storyboard::main();
    if (!storyboard) return;
    for (std::size_t i = 0; i < kEmbeddedScreens.size(); ++i) {
        if (auto screen = storyboard->instantiateViewController(kEmbeddedScreens[i]))
            embedChildViewController(std::move(screen), tabs.containerOfTab(i + 1));
    }
}

void ScrollViewController::detectOtherDrivers() {
    for (const char* bundleId : kConflictingUtilities) {
        if (!HelperMethods::isAppBundleIdRunning(bundleId)) continue;
        tabs.showSettingsOutlt.setImage(ui::Image::named("gear_w_off"));
        tabs.showSettingsOutlt.setAlternateImage(ui::Image::named("gear_w_on"));
        isOtherDriverDetected_ = true;
        return;
    }
}

// ---- Tabs ----

void ScrollViewController::selectTab(std::size_t tab) {
    tabs.selectTab(tab);
    if (tabs.lastPressedTopBarButton() == 0) showScrollingArea(isScrollingEnabled_);
    view().setToolTipsEnabled(tabs.lastPressedTopBarButton() == 0);
}

bool ScrollViewController::isTabOn(PreferencesTab tab) const {
    return tabs.isTabOn(tab);
}

void ScrollViewController::refreshLastPressedTopBarButton() {
    selectTab(tabs.lastPressedTopBarButton());
}

// ---- The global switch and the engine ----

void ScrollViewController::showScrollingArea(bool enabled) {
    settingsArea.setHidden(!enabled);
    scrollHelpLbl.setHidden(enabled);
}

void ScrollViewController::toggleScrollingEnable() {
    setGlobalScrollingEnabled(!isScrollingEnabled_);
}

void ScrollViewController::setGlobalScrollingEnabled(bool enabled) {
    isScrollingEnabled_ = enabled;
    scrollingEnableOutlt.setState(stateOf(enabled));
    if (enabled) {
        startScrollEngine();
    } else {
        stopScrollEngine();
        if (auto* m = menu()) m->wheelListenerDisabled();
    }
    showScrollingArea(enabled);
    KxDefaults::setScrollingEnabled(enabled);
    KxDefaults::sync();
}

void ScrollViewController::startScrollEngine() {
    // A fresh engine each time scrolling is switched on.
    scroller_ = std::make_unique<ScrollAnimation>();
    scroller_->startListeningToWheel();
    if (auto* m = menu()) m->wheelListenerEnabled();
    if (auto* delegate = ui::appDelegate()) delegate->setScroller(scroller_.get());
}

void ScrollViewController::stopScrollEngine() {
    if (!scroller_) return;
    scroller_->stopListeningToWheel();
    if (auto* delegate = ui::appDelegate()) delegate->setScroller(nullptr);
    scroller_.reset();
}

// ---- Editing ----

bool ScrollViewController::dragEnded() const {
    auto* app = ui::Application::shared();
    return app && app->currentEventIsLeftMouseUp();
}

template <class Edit>
void ScrollViewController::editSettings(Edit&& edit) {
    if (!lastSelectedApp_) return;
    edit(lastSelectedApp_->scrollSettings);
    saveScrollSettings();
}

void ScrollViewController::controlTextDidEndEditing(ui::TextField& field) {
    ui::KxSlider* slider = settings.sliderWithTag(field.tag());
    if (!slider) return;
    const auto typed = ui::typedNumber(field.stringValue());
    // The label gives up the focus either way; a refused number leaves the
    // knob showing the value it had.
    slider->endEditingKnob();
    if (!typed || !lastSelectedApp_) return;
    if (settings.takeTypedValue(field.tag(), *typed, lastSelectedApp_->scrollSettings))
        saveScrollSettings();
}

void ScrollViewController::chooseScrollType(std::int64_t tag) {
    if (!lastSelectedApp_) return;
    lastSelectedApp_->scrollSettings.isNativeScroll = tag == kNativeScrollTag;
    // The whole set follows the choice, each control in the state the entry
    // gives it.
    settings.loadScrollSettings(lastSelectedApp_->scrollSettings);
    showScrollType(lastSelectedApp_->scrollSettings.isNativeScroll);
}

void ScrollViewController::loadScrollSettingsFromApp(const AppWithScrollSettings& app) {
    settings.loadScrollSettings(app.scrollSettings);
    showScrollType(app.scrollSettings.isNativeScroll);
}

void ScrollViewController::showScrollType(bool native) {
    nativeScrollOutlt.setState(stateOf(native));
    smoothScrollOutlt.setState(stateOf(!native));
}

void ScrollViewController::setSelecteadAnimationOutlet(std::int64_t graphIndex) {
    settings.selectedAnimationLbl.setStringValue(
        EasingCurveHelper::getGraphName(graphIndex).value_or(""));
    editSettings(
        [graphIndex](SingleScrollSettingsObject& o) { o.scrollAnimationIndex = graphIndex; });
}

// ---- Saving ----

void ScrollViewController::setArrayForApps() {
    selectedDisplayAppsArray_.clear();
    if (!selectedDisplay_) return;
    for (const auto& [bundleId, app] : selectedDisplay_->apps)
        if (app) selectedDisplayAppsArray_.push_back(app);
    std::stable_sort(selectedDisplayAppsArray_.begin(), selectedDisplayAppsArray_.end(),
                     [](const auto& a, const auto& b) {
                         return positionOf(a->listLocation) < positionOf(b->listLocation);
                     });
}

void ScrollViewController::saveScrollSettings() {
    setArrayForApps();
    if (!selectedDisplay_ || !lastSelectedApp_) return;
    if (!selectedDisplay_->isAllScreens()) {
        saveScrollSettingsToDefaults();
        return;
    }
    // All Screens: every display gets the edited entry, each at the place it
    // had in that display's list.
    const AppWithScrollSettings& edited = *lastSelectedApp_;
    for (auto& [serial, display] : SettingsKeeper::shared().getAllCurrentDisplays()) {
        if (!display || display->isAllScreens()) continue;
        std::string location;
        if (auto it = display->apps.find(edited.bundleId); it != display->apps.end() && it->second)
            location = objcFormat("%@", it->second->listLocation);
        else
            location = DisplaysManager::getLocationForDisplayLastApp(*display);
        display->apps[edited.bundleId] = std::make_shared<AppWithScrollSettings>(
            edited.prettyName, edited.bundleId, edited.appImagePath, location,
            edited.scrollSettings);
    }
    hideWarning();
    saveScrollSettingsToDefaults();
}

void ScrollViewController::saveScrollSettingsToDefaults() {
    DisplaysManager::saveAllDisplays();
}

// ---- The list ----

std::size_t ScrollViewController::numberOfRowsInTableView(ui::TableView&) {
    return selectedDisplayAppsArray_.size();
}

std::unique_ptr<ui::TableCellView> ScrollViewController::viewForTableColumn(ui::TableView& table,
                                                                            const std::string&,
                                                                            std::size_t row) {
    if (row >= selectedDisplayAppsArray_.size()) return nullptr;
    const auto& app = selectedDisplayAppsArray_[row];
    auto cell = std::make_unique<ui::TableCellView>("appName");
    if (row == 0) {
        cell->imageView().setImage(ui::Image::named("global_b"));
    } else {
        cell->imageView().setImage(ui::Image::iconForFile(app->appImagePath));
        cell->addDeleteButton().setTarget(this, "deleteApp:");
    }
    cell->textField().setStringValue(app->prettyName);
    const bool native = app->scrollSettings.isNativeScroll;
    ui::Button& box = cell->addCheckBox();
    box.setState(stateOf(!native));
    box.setTarget(this, "enableApp:");
    cell->imageView().setAlphaValue(native ? kNativeRowAlpha : 1);
    cell->textField().setAlphaValue(native ? kNativeRowAlpha : 1);
    const bool selected = static_cast<std::ptrdiff_t>(row) == table.selectedRow();
    cell->textField().setTextColor(selected ? ui::Color::dirtyWhite() : ui::Color::disabledGray());
    if (selected) loadScrollSettingsFromApp(*app);
    return cell;
}

void ScrollViewController::selectAppRow(std::ptrdiff_t row) {
    appNameTableView.selectRow(row);
    appNameTableView.scrollRowToVisible(row);
}

void ScrollViewController::tableViewSelectionDidChange() {
    const std::ptrdiff_t row = appNameTableView.selectedRow();
    if (lastSelectedAppsRow_ >= 0)
        if (auto* previous =
                appNameTableView.viewAt(static_cast<std::size_t>(lastSelectedAppsRow_)))
            previous->textField().setTextColor(ui::Color::disabledGray());
    lastSelectedAppsRow_ = row;
    if (row < 0 || static_cast<std::size_t>(row) >= selectedDisplayAppsArray_.size()) return;
    if (auto* current = appNameTableView.viewAt(static_cast<std::size_t>(row)))
        current->textField().setTextColor(ui::Color::dirtyWhite());
    lastSelectedApp_ = selectedDisplayAppsArray_[static_cast<std::size_t>(row)];
    loadScrollSettingsFromApp(*lastSelectedApp_);
    if (selectedDisplay_ && selectedDisplay_->isAllScreens() && !isAppSettingsEqualOnAllScreens())
        showWarning();
    else
        hideWarning();
}

bool ScrollViewController::isAppSettingsEqualOnAllScreens() const {
    if (!lastSelectedApp_) return true;
    for (const auto& [serial, display] : SettingsKeeper::shared().getAllCurrentDisplays()) {
        if (!display || display->isAllScreens()) continue;
        auto it = display->apps.find(lastSelectedApp_->bundleId);
        if (it == display->apps.end() || !it->second) continue;
        if (!it->second->scrollSettings.sameSettingsAs(lastSelectedApp_->scrollSettings))
            return false;
    }
    return true;
}

void ScrollViewController::showWarning() {
    if (warningFadeTimer_) warningFadeTimer_->invalidate();
    differentSettingsWarning.setHidden(false);
    differentSettingsWarning.setAlphaValue(1);
    warningFadeTimer_ = installedPlatform().runLoop().performAfterDelay(
        kWarningSeconds, [this] { fadeOutWarning(); });
}

void ScrollViewController::fadeOutWarning() {
    differentSettingsWarning.animateAlphaValue(0, kFadeSeconds, [this] {
        // A warning shown again meanwhile stays.
        if (differentSettingsWarning.alphaValue() == 0) differentSettingsWarning.setHidden(true);
    });
}

void ScrollViewController::hideWarning() {
    if (warningFadeTimer_) warningFadeTimer_->invalidate();
    warningFadeTimer_.reset();
    differentSettingsWarning.setHidden(true);
    differentSettingsWarning.setAlphaValue(0);
}

void ScrollViewController::addApp() {
    const ui::OpenPanel panel = ui::OpenPanel::forApplication();
    panel.beginSheetModalForWindow(window(), [this](std::optional<std::string> path) {
        if (path) addAppAtPath(*path);
        addAppOutlt.setState(ui::kStateOff);
    });
}

void ScrollViewController::addAppAtPath(const std::string& path) {
    if (!selectedDisplay_) return;
    const std::string name = std::filesystem::path(path).stem().string();
    const auto bundleId = installedPlatform().workspace().bundleIdentifierAtPath(path);
    // Entries are kept by bundle identifier: a file without one cannot be one.
    if (!bundleId || bundleId->empty()) {
        WEXO_LOG_ERROR("Not an application: %@", path);
        ui::Alert(objcFormat("\"%@\" is not an application.", name)).runModalLater();
        return;
    }
    auto newEntry = [&](const SingleDisplay& display, const SingleScrollSettingsObject& global) {
        return std::make_shared<AppWithScrollSettings>(
            name, *bundleId, path, DisplaysManager::getLocationForDisplayLastApp(display), global);
    };
    auto globalOf = [](const SingleDisplay& display) {
        auto it = display.apps.find(AppWithScrollSettings::kGlobalBundleId);
        return it != display.apps.end() && it->second ? it->second->scrollSettings
                                                      : SingleScrollSettingsObject();
    };
    if (selectedDisplay_->isAllScreens()) {
        if (auto disabled = KxDefaults::getDisabledAppsArray();
            disabled && disabled->size() >= 3 &&
            std::find(disabled->begin(), disabled->end(), *bundleId) != disabled->end()) {
            std::erase(*disabled, *bundleId);
            KxDefaults::setDisabledAppsArray(*disabled);
            KxDefaults::sync();
        }
        const SingleScrollSettingsObject global = globalOf(*selectedDisplay_);
        for (const auto& display : SettingsKeeper::shared().getAllDisplaysArray())
            if (display) display->apps[*bundleId] = newEntry(*display, global);
    } else {
        selectedDisplay_->apps[*bundleId] =
            newEntry(*selectedDisplay_, globalOf(*selectedDisplay_));
    }
    setArrayForApps();
    appNameTableView.reloadData();
    selectAppRow(static_cast<std::ptrdiff_t>(selectedDisplayAppsArray_.size()) - 1);
    // Stored at once: an added application is kept even if nothing is edited.
    saveScrollSettingsToDefaults();
}

void ScrollViewController::deleteApp(ui::Control& sender) {
    const std::ptrdiff_t row = appNameTableView.rowForView(sender);
    // The Global entry (row 0) has no delete button and cannot go.
    if (row <= 0 || static_cast<std::size_t>(row) >= selectedDisplayAppsArray_.size()) return;
    const std::string bundleId = selectedDisplayAppsArray_[static_cast<std::size_t>(row)]->bundleId;
    removeAppWith(bundleId, selectedDisplay_ && selectedDisplay_->isAllScreens());
    setArrayForApps();
    appNameTableView.reloadData();
    selectAppRow(0);
    saveScrollSettings();
}

void ScrollViewController::removeAppWith(const std::string& bundleId, bool fromAllScreens) {
    if (bundleId == AppWithScrollSettings::kGlobalBundleId) return;
    if (fromAllScreens) {
        for (auto& [serial, display] : SettingsKeeper::shared().getAllCurrentDisplays())
            if (display) display->apps.erase(bundleId);
    } else if (selectedDisplay_) {
        selectedDisplay_->apps.erase(bundleId);
    }
}

void ScrollViewController::enableApp(ui::Control& sender) {
    const std::ptrdiff_t row = appNameTableView.rowForView(sender);
    auto* box = dynamic_cast<ui::Button*>(&sender);
    if (!box || row < 0 || static_cast<std::size_t>(row) >= selectedDisplayAppsArray_.size())
        return;
    const bool cleared = box->state() == ui::kStateOff;
    const auto entry = selectedDisplayAppsArray_[static_cast<std::size_t>(row)];
    if (entry == lastSelectedApp_)
        chooseScrollType(cleared ? kNativeScrollTag : kSmoothScrollTag);
    else
        entry->scrollSettings.isNativeScroll = cleared;
    if (selectedDisplay_ && selectedDisplay_->isAllScreens()) {
        for (auto& [serial, display] : SettingsKeeper::shared().getAllCurrentDisplays()) {
            if (!display || display->isAllScreens()) continue;
            auto it = display->apps.find(entry->bundleId);
            if (it != display->apps.end() && it->second)
                it->second->scrollSettings.isNativeScroll = cleared;
        }
    }
    saveScrollSettings();
    appNameTableView.reloadData();
}

// ---- Displays ----

void ScrollViewController::buildDisplayMenu() {
    ui::Menu& m = screensPopUpOutlt.menu();
    m.removeAllItems();
    std::ptrdiff_t selected = -1;
    const auto& displays = SettingsKeeper::shared().getAllDisplaysArray();
    for (std::size_t i = 0; i < displays.size(); ++i) {
        if (!displays[i]) continue;
        auto item = std::make_shared<ui::MenuItem>(displays[i]->displayName);
        auto itemView = std::make_unique<ui::KxViewForMenuItem>();
        itemView->createTitle(displays[i]->displayName);
        item->setView(std::move(itemView));
        m.addItem(item);
        if (displays[i] == selectedDisplay_)
            selected = static_cast<std::ptrdiff_t>(m.numberOfItems()) - 1;
    }
    screensPopUpOutlt.selectItemAtIndex(selected);
}

void ScrollViewController::updateDisplayCounter() {
    const auto count = SettingsKeeper::shared().getAllDisplaysArray().size();
    screensCounterLbl.setStringValue(objcFormat("%lu", count > 0 ? count - 1 : 0));
}

void ScrollViewController::screenSelected(std::size_t index) {
    const auto& displays = SettingsKeeper::shared().getAllDisplaysArray();
    if (index >= displays.size() || !displays[index]) return;
    const std::string previousBundleId = lastSelectedApp_ ? lastSelectedApp_->bundleId : "";

    lastSelectedAppsRow_ = 0;
    selectedDisplay_ = displays[index];
    displayNameField.setStringValue(selectedDisplay_->displayName);
    if (!selectedDisplay_->isAllScreens()) showScreenNameOnScreen(*selectedDisplay_);

    setArrayForApps();
    std::ptrdiff_t row = 0;
    for (std::size_t i = 0; i < selectedDisplayAppsArray_.size(); ++i) {
        if (selectedDisplayAppsArray_[i]->bundleId == previousBundleId) {
            row = static_cast<std::ptrdiff_t>(i);
            break;
        }
    }
    lastSelectedApp_ = selectedDisplayAppsArray_.empty()
                           ? nullptr
                           : selectedDisplayAppsArray_[static_cast<std::size_t>(row)];
    appNameTableView.reloadData();
    selectAppRow(row);
    lastSelectedAppsRow_ = row;
    if (lastSelectedApp_) loadScrollSettingsFromApp(*lastSelectedApp_);
}

void ScrollViewController::showScreenNameOnScreen(const SingleDisplay& display) {
    displayNameOverlay_.show(display);
}

void ScrollViewController::displayStatusWasChanged() {
    auto& displays = SettingsKeeper::shared().getAllCurrentDisplays();
    auto all = displays.find(SingleDisplay::kAllScreensSerial);
    selectedDisplay_ = all == displays.end() ? nullptr : all->second;
    setArrayForApps();
    lastSelectedApp_ = selectedDisplayAppsArray_.empty() ? nullptr : selectedDisplayAppsArray_[0];
    lastSelectedAppsRow_ = 0;
    if (lastSelectedApp_) loadScrollSettingsFromApp(*lastSelectedApp_);
    if (selectedDisplay_) displayNameField.setStringValue(selectedDisplay_->displayName);
    buildDisplayMenu();
    updateDisplayCounter();
    appNameTableView.reloadData();
    selectAppRow(0);
}

// ---- The window ----

void ScrollViewController::closeWindow() {
    if (auto* app = ui::Application::shared())
        app->setActivationPolicy(ui::ActivationPolicy::Accessory);
    if (ui::Window* w = window()) w->close();
    if (KxDefaults::getHideMenubarIcon().value_or(false))
        if (auto* m = menu()) m->hideMenubarIcon();
}

void ScrollViewController::relaunchApp() {
    if (auto* delegate = ui::appDelegate()) delegate->relaunchAfterDelay(1.0f);
}

}  // namespace wexo
