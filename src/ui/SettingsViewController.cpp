#include "ui/SettingsViewController.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "app/HelperMethods.h"
#include "cursor/MouseCursor.h"
#include "platform/Log.h"
#include "platform/Platform.h"
#include "settings/KxDefaults.h"
#include "ui/Alert.h"
#include "ui/AppDelegateLink.h"
#include "ui/PreferenceInput.h"
#include "ui/ScrollViewController.h"
#include "ui/StatusMenuLink.h"
#include "ui/Updater.h"

namespace wexo {

namespace {
constexpr std::size_t kResetYes = 0;

// A stored acceleration outside what the slider offers is brought to its
// nearest end before it reaches the system.
double usableAcceleration(double stored) {
    const double usable = std::clamp(stored, SettingsViewController::kCursorAccelMin,
                                     SettingsViewController::kCursorAccelMax);
    if (usable != stored)
        WEXO_LOG_ERROR("Pointer acceleration %f is out of range; using %f.", stored, usable);
    return usable;
}
}  // namespace

SettingsViewController::SettingsViewController() : ui::ViewController("Settings") {
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &cursorAccelLbl, &cursorAccelSliderOutlt, &cursorEnabledOutlt,
             &checkUpdatesWeeklyOutlt, &checkUpdatesNowOutlt, &hideMenubarIconOutlt,
             &launchAtLoginOutlt, &resetSettingsOutlt, &showAboutOutlt, &otherDriverWarningView})
        view().addSubview(*c);
    otherDriverWarningView.addSubview(otherDriverWarningLbl);
    otherDriverWarningLbl.setTextColor(ui::Color::warningRed());
    otherDriverWarningLbl.setStringValue(
        "Another mouse utility is running. Two of them at once may change the same scrolling "
        "and buttons; quit one of them if the mouse behaves unexpectedly.");
    otherDriverWarningView.setHidden(true);
    cursorAccelLbl.setStringValue("Pointer acceleration");
    cursorEnabledOutlt.setTitle(" Set the pointer acceleration");
    checkUpdatesWeeklyOutlt.setTitle(" Check for updates automatically");
    checkUpdatesNowOutlt.setTitle("Check Now");
    hideMenubarIconOutlt.setTitle(" Hide the menu bar icon");
    launchAtLoginOutlt.setTitle(" Launch at login");
    resetSettingsOutlt.setTitle("Reset All Settings");
    showAboutOutlt.setTitle("About");

    cursorAccelSliderOutlt.setRange(kCursorAccelMin, kCursorAccelMax);
    cursorAccelSliderOutlt.setSliderTag(kCursorAccelTag);
    cursorAccelSliderOutlt.knobField().setTarget(this, "controlTextDidEndEditing:");
    addAction("controlTextDidEndEditing:", [this](ui::Control& sender) {
        if (auto* field = dynamic_cast<ui::TextField*>(&sender)) controlTextDidEndEditing(*field);
    });

    cursorAccelSliderOutlt.setTarget(this, "cursorAccelAction:");
    addAction("cursorAccelAction:", [this](ui::Control&) {
        // The knob follows the drag; the system takes the value at its end.
        const double value = cursorAccelSliderOutlt.doubleValue();
        showCursorAccel(value);
        if (ui::sliderDragEnded()) takeCursorAccel(value);
    });
    cursorEnabledOutlt.setTarget(this, "enableCursorAccel:");
    addAction("enableCursorAccel:", [this](ui::Control&) { enableCursorAccel(); });

    checkUpdatesWeeklyOutlt.setTarget(this, "checkUpdatesWeeklyBtn:");
    addAction("checkUpdatesWeeklyBtn:", [this](ui::Control&) {
        ui::Updater::setAutomaticallyChecksForUpdates(
            !ui::Updater::automaticallyChecksForUpdates());
        checkUpdatesWeeklyOutlt.setState(ui::stateOf(ui::Updater::automaticallyChecksForUpdates()));
    });
    checkUpdatesNowOutlt.setTarget(this, "checkUpdatesNow:");
    addAction("checkUpdatesNow:", [](ui::Control&) {
        if (auto* menu = ui::statusMenu()) menu->checkUpdates();
    });
    hideMenubarIconOutlt.setTarget(this, "hideMenubarIconBtn:");
    addAction("hideMenubarIconBtn:", [this](ui::Control&) {
        // The icon goes when the window closes, and stays away at launch.
        KxDefaults::setHideMenubarIcon(hideMenubarIconOutlt.isOn());
        KxDefaults::sync();
    });
    launchAtLoginOutlt.setTarget(this, "launchAtLoginBtn:");
    addAction("launchAtLoginBtn:", [this](ui::Control&) {
        auto* delegate = ui::appDelegate();
        if (!delegate) return;
        if (delegate->isLoginItem()) {
            delegate->removeFromLoginItems();
            launchAtLoginOutlt.setState(ui::kStateOff);
        } else {
            delegate->addToLoginItems();
            launchAtLoginOutlt.setState(ui::kStateOn);
        }
    });
    resetSettingsOutlt.setTarget(this, "resetSettings:");
    addAction("resetSettings:", [this](ui::Control&) { resetSettings(); });
    addAction("forceToRelunch", [](ui::Control&) { forceToRelunch(); });
    showAboutOutlt.setTarget(this, "showAboutBtn:");
    addAction("showAboutBtn:", [](ui::Control&) {
        if (auto* menu = ui::statusMenu()) menu->about();
    });
}

// ---- Loading and appearing ----

void SettingsViewController::viewDidLoad() {
    const double current = MouseCursor::getMouseAcceleration();
    const auto stored = KxDefaults::getCursorAccel();
    auto enabled = KxDefaults::getCursorAccelEnabled();
    // Versions that had no switch applied any acceleration the person chose.
    if (stored && !enabled) {
        cursorAccelSliderOutlt.setEnabled(true);
        KxDefaults::setCursorAccelEnabled(true);
        KxDefaults::sync();
        enabled = true;
    }
    showCursorAccel(stored.value_or(current));
    if (enabled.value_or(false)) {
        loadCursorAccel();
    } else {
        cursorAccelSliderOutlt.setEnabled(false);
        cursorEnabledOutlt.setState(ui::kStateOff);
    }
    cursorAccelSliderOutlt.setToolTipKey("settingsAcceleration");
    otherDriverWarningView.setHidden(!isOtherDriverDetected());
}

void SettingsViewController::viewWillAppear() {
    checkUpdatesWeeklyOutlt.setState(ui::stateOf(ui::Updater::automaticallyChecksForUpdates()));
    hideMenubarIconOutlt.setState(ui::stateOf(KxDefaults::getHideMenubarIcon().value_or(false)));
    auto* delegate = ui::appDelegate();
    launchAtLoginOutlt.setState(ui::stateOf(delegate && delegate->isLoginItem()));
}

bool SettingsViewController::isOtherDriverDetected() const {
    auto* scroll = dynamic_cast<const ScrollViewController*>(parentViewController());
    if (!scroll)
        if (auto* menu = ui::statusMenu())
            scroll = dynamic_cast<const ScrollViewController*>(menu->registeredScreen("Scroll"));
    return scroll && scroll->isOtherDriverDetected();
}

// ---- Pointer acceleration ----

void SettingsViewController::showCursorAccel(double value) {
    cursorAccelSliderOutlt.setDoubleValue(value);
    const double shown = cursorAccelSliderOutlt.doubleValue();
    cursorAccelSliderOutlt.setKnobFormat(
        shown == kCursorAccelMin || shown == kCursorAccelMax ? "%.f" : "%.3f");
}

void SettingsViewController::loadCursorAccel() {
    if (!KxDefaults::getCursorAccelEnabled().value_or(false)) return;
    std::optional<double> stored = KxDefaults::getCursorAccel();
    if (stored) stored = usableAcceleration(*stored);
    if (stored && *stored != MouseCursor::getMouseAcceleration())
        MouseCursor::setMouseAcceleration(*stored);
    cursorEnabledOutlt.setState(ui::kStateOn);
    cursorAccelSliderOutlt.setEnabled(true);
    // What the system now uses; what was stored when it cannot be read.
    const double inForce = MouseCursor::getMouseAcceleration();
    if (inForce >= 0)
        showCursorAccel(inForce);
    else if (stored)
        showCursorAccel(*stored);
}

void SettingsViewController::takeCursorAccel(double value) {
    MouseCursor::setMouseAcceleration(value);
    KxDefaults::setCursorAccel(value);
    KxDefaults::sync();
}

void SettingsViewController::enableCursorAccel() {
    const bool on = cursorEnabledOutlt.isOn();
    cursorAccelSliderOutlt.setEnabled(on);
    KxDefaults::setCursorAccelEnabled(on);
    KxDefaults::sync();
    if (on)
        loadCursorAccel();
    else
        MouseCursor::setMouseAcceleration(kSystemAcceleration);
}

void SettingsViewController::controlTextDidEndEditing(ui::TextField& field) {
    if (field.tag() != kCursorAccelTag) return;
    const auto typed = ui::typedKnobValue(cursorAccelSliderOutlt);
    if (!typed) return;
    showCursorAccel(*typed);
    takeCursorAccel(*typed);
}

// ---- Reset ----

void SettingsViewController::resetSettings() {
    // The answer may come after this screen is gone; it needs nothing of it.
    ui::Alert(kResetMessage, {"Yes", "Cancel"}).runModalLater([](std::size_t answer) {
        if (answer != kResetYes) return;
        auto& platform = installedPlatform();
        platform.preferences().removePersistentDomainForName(platform.process().bundleIdentifier());
        platform.preferences().synchronize();
        MouseCursor::setMouseAcceleration(kSystemAcceleration);
        forceToRelunch();
    });
}

void SettingsViewController::forceToRelunch() {
    HelperMethods::restartApp();
}

}  // namespace wexo
