#include "ui/AutoScrollViewController.h"

#include <cmath>
#include <functional>
#include <initializer_list>

#include "actions/KxShortcutsKeeper.h"
#include "events/WholeNumbers.h"
#include "platform/Log.h"
#include "platform/ObjcFormat.h"
#include "settings/KxDefaults.h"
#include "settings/SettingsKeeper.h"
#include "ui/Alert.h"
#include "ui/PreferenceInput.h"
#include "ui/StatusMenuLink.h"

namespace wexo {

namespace {
constexpr const char* kGesturesButtonTaken =
    "The gestures button can't also be used as the auto scroll button";
constexpr const char* kGrabButtonTaken =
    "The grab button can't also be used as the auto scroll button";

// The sliders' ranges (the interface's choice): lengths are in frames, the
// super slow-down is the number of frames between single-pixel steps.
constexpr double kAutoScrollAccelMin = 1;
constexpr double kSuperSlowDownMin = 0;
constexpr double kSuperSlowDownMax = 20;
constexpr double kReleaseDurationMin = 10;
constexpr double kReleaseDurationMax = 300;

// The knobs show no decimals, and the engine counts whole speeds and frames.
double whole(double value) {
    return std::round(value);
}

const char* takenBy(const MouseButton& button) {
    const auto& keeper = SettingsKeeper::shared();
    if (keeper.getGestureNumber() == button.buttonNumber) return kGesturesButtonTaken;
    if (keeper.getGrabButtonNumber() == button.buttonNumber) return kGrabButtonTaken;
    return nullptr;
}
}  // namespace

AutoScrollViewController::AutoScrollViewController() : ui::ViewController("Auto") {
    view().addSubview(autoHelpLbl);
    view().addSubview(autoControlsView);
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &autoButtonLbl, &removeAutoOutlt, &autoScrollAccelLbl, &autoScrollAccelOutlt,
             &superSlowDownLbl, &superSlowDownOutlt, &animateReleaseOutlt, &releaseDurationLbl,
             &releaseDurationOutlt, &smartScrollOutlt, &overLinkActAsButtonOutlt,
             &holdToActivateOutlt, &reverseAutoScrollVerticalOutlt,
             &reverseAutoScrollHorizontalOutlt})
        autoControlsView.addSubview(*c);
    autoHelpLbl.setStringValue("Press the mouse button that should start auto scroll.");
    autoScrollAccelLbl.setStringValue("Speed");
    superSlowDownLbl.setStringValue("Super slow down");
    releaseDurationLbl.setStringValue("Release duration");
    animateReleaseOutlt.setTitle(" Ease out after release");
    smartScrollOutlt.setTitle(" Smart auto scroll");
    overLinkActAsButtonOutlt.setTitle(" Over a link, click as usual");
    holdToActivateOutlt.setTitle(" Only while the button is held");
    reverseAutoScrollVerticalOutlt.setTitle(" Reverse vertical");
    reverseAutoScrollHorizontalOutlt.setTitle(" Reverse horizontal");
    removeAutoOutlt.setTitle("Remove");

    autoScrollAccelOutlt.setRange(kAutoScrollAccelMin, kAutoScrollAccelMax);
    autoScrollAccelOutlt.setSliderTag(kAutoScrollAccelTag);
    superSlowDownOutlt.setRange(kSuperSlowDownMin, kSuperSlowDownMax);
    superSlowDownOutlt.setSliderTag(kSuperSlowDownTag);
    releaseDurationOutlt.setRange(kReleaseDurationMin, kReleaseDurationMax);
    releaseDurationOutlt.setSliderTag(kReleaseDurationTag);
    for (ui::KxSlider* slider :
         {&autoScrollAccelOutlt, &superSlowDownOutlt, &releaseDurationOutlt}) {
        slider->setKnobFormat("%.f");
        slider->knobField().setTarget(this, "controlTextDidEndEditing:");
    }
    addAction("controlTextDidEndEditing:", [this](ui::Control& sender) {
        if (auto* field = dynamic_cast<ui::TextField*>(&sender)) controlTextDidEndEditing(*field);
    });

    removeAutoOutlt.setTarget(this, "removeAutoScrollNumber:");
    addAction("removeAutoScrollNumber:", [this](ui::Control&) { removeAutoScrollNumber(); });

    // The sliders follow the mouse; the setting takes the value when the drag ends.
    autoScrollAccelOutlt.setTarget(this, "autoScrollAccel:");
    addAction("autoScrollAccel:", [this](ui::Control&) {
        if (!ui::sliderDragEnded()) return;
        const double v = whole(autoScrollAccelOutlt.doubleValue());
        KxDefaults::setAutoScrollAccelNumber(v);
        KxDefaults::sync();
        SettingsKeeper::shared().setAutoScrollAccelNumber(v);
        autoScrollAccelOutlt.setDoubleValue(v);
    });
    releaseDurationOutlt.setTarget(this, "releaseDurationAmount:");
    addAction("releaseDurationAmount:", [this](ui::Control&) {
        if (!ui::sliderDragEnded()) return;
        const double v = whole(releaseDurationOutlt.doubleValue());
        KxDefaults::setReleaseDuration(v);
        KxDefaults::sync();
        SettingsKeeper::shared().setReleaseDuration(v);
        releaseDurationOutlt.setDoubleValue(v);
    });
    superSlowDownOutlt.setTarget(this, "superSlowDown:");
    addAction("superSlowDown:", [this](ui::Control&) {
        if (!ui::sliderDragEnded()) return;
        takeSuperSlowDown(truncToInt64(whole(superSlowDownOutlt.doubleValue())));
    });

    animateReleaseOutlt.setTarget(this, "animateReleaseBtn:");
    addAction("animateReleaseBtn:", [this](ui::Control&) { animateReleaseBtn(); });

    // The other check boxes store at once.
    auto checkBox = [this](ui::Button& box, const char* action, std::function<void(bool)> store) {
        box.setTarget(this, action);
        addAction(action, [&box, store = std::move(store)](ui::Control&) {
            store(box.isOn());
            KxDefaults::sync();
        });
    };
    checkBox(smartScrollOutlt, "smartScrollBtn:", [](bool on) {
        KxDefaults::setSmartScroll(on);
        SettingsKeeper::shared().setIsSmartAutoScroll(on);
    });
    checkBox(overLinkActAsButtonOutlt, "overLinkActAsButton:", [](bool on) {
        KxDefaults::setOverLinkActAsButtonOutlt(on);
        SettingsKeeper::shared().setIsOverLinkActAsButtonOutlt(on);
    });
    checkBox(holdToActivateOutlt, "holtToActivateButton:", [](bool on) {
        KxDefaults::setHoldToActivate(on);
        SettingsKeeper::shared().setIsHoldToActivate(on);
    });
    checkBox(reverseAutoScrollVerticalOutlt, "reverseAutoScrollVertical:", [](bool on) {
        KxDefaults::setAutoScrollReverseVertical(on);
        SettingsKeeper::shared().setIsReverseAutoScrollVertical(on);
    });
    checkBox(reverseAutoScrollHorizontalOutlt, "reverseAutoScrollHorizonta:", [](bool on) {
        KxDefaults::setAutoScrollReverseHorizontal(on);
        SettingsKeeper::shared().setIsReverseAutoScrollHorizontal(on);
    });
}

AutoScrollViewController::~AutoScrollViewController() {
    if (auto* m = ui::existingStatusMenu()) m->unregisterScreen(*this);
}

void AutoScrollViewController::viewDidLoad() {
    auto& keeper = SettingsKeeper::shared();
    const auto stored = KxDefaults::getAutoScrollButtonNumber();
    keeper.setAutoScrollButtonNumber(stored);
    keeper.setAutoScrollSuperSlowDownNumber(
        KxDefaults::getAutoScrollSuperSlowDownNumber().value_or(0));
    if (stored) {
        auto button = KxShortcutsKeeper::getPreDdefinedButtonsByNumber(*stored);
        if (takenBy(*button)) {
            // A store that gives one button two functions: auto-scroll gives
            // way (the preference stays), and the person can choose another.
            WEXO_LOG_ERROR(
                "Auto scroll button %lld is used by another function; no auto scroll button.",
                *stored);
            keeper.setAutoScrollButtonNumber(std::nullopt);
            showHelp();
        } else {
            setAutoScrollButton(button);
        }
    } else {
        showHelp();
    }
    if (auto* m = ui::statusMenu()) m->registerScreen(*this);
}

void AutoScrollViewController::setAutoScrollButton(const std::shared_ptr<MouseButton>& button) {
    auto& keeper = SettingsKeeper::shared();
    if (!button) {
        keeper.setAutoScrollButtonNumber(std::nullopt);
        KxDefaults::setAutoScrollButtonNumber(std::nullopt);
        KxDefaults::sync();
        showHelp();
        return;
    }
    if (const char* message = takenBy(*button)) {
        ui::Alert(message).runModalLater();
        return;
    }
    writeFirstUseDefaults();
    KxDefaults::setAutoScrollButtonNumber(button->buttonNumber);
    KxDefaults::sync();
    keeper.setAutoScrollButtonNumber(button->buttonNumber);
    buttonName_ = button->prettyName;
    readAutoScrollOptions();
    showControls();
}

void AutoScrollViewController::writeFirstUseDefaults() {
    // Keyed on the speed, which only this screen writes: a person who chooses
    // another button later keeps the options chosen for the first one.
    if (KxDefaults::getAutoScrollNumber()) return;
    KxDefaults::setAutoScrollAccelNumber(kDefaultAutoScrollAccel);
    KxDefaults::setReleaseDuration(kDefaultReleaseDuration);
    KxDefaults::setAnimateRelease(true);
    KxDefaults::setSmartScroll(true);
    KxDefaults::setOverLinkActAsButtonOutlt(true);
    KxDefaults::setHoldToActivate(false);
    KxDefaults::setAutoScrollReverseVertical(false);
    KxDefaults::setAutoScrollReverseHorizontal(false);
}

void AutoScrollViewController::readAutoScrollOptions() {
    auto& keeper = SettingsKeeper::shared();
    keeper.setAutoScrollAccelNumber(
        KxDefaults::getAutoScrollNumber().value_or(kDefaultAutoScrollAccel));
    keeper.setReleaseDuration(KxDefaults::getReleaseDuration().value_or(kDefaultReleaseDuration));
    keeper.setIsAnimateRelease(KxDefaults::getAnimateRelease().value_or(false));
    keeper.setIsSmartAutoScroll(KxDefaults::getSmartScroll().value_or(true));
    keeper.setIsOverLinkActAsButtonOutlt(KxDefaults::getOverLinkActAsButtonOutlt().value_or(false));
    keeper.setIsHoldToActivate(KxDefaults::getHoldToActivate().value_or(false));
    keeper.setIsReverseAutoScrollVertical(
        KxDefaults::getAutoScrollReverseVertical().value_or(false));
    keeper.setIsReverseAutoScrollHorizontal(
        KxDefaults::getAutoScrollReverseHorizontal().value_or(false));
    keeper.setAutoScrollSuperSlowDownNumber(
        KxDefaults::getAutoScrollSuperSlowDownNumber().value_or(0));
}

void AutoScrollViewController::showHelp() {
    autoHelpLbl.setHidden(false);
    autoControlsView.setHidden(true);
}

void AutoScrollViewController::showControls() {
    autoHelpLbl.setHidden(true);
    autoControlsView.setHidden(false);
    autoButtonLbl.setStringValue(objcFormat("Auto Scroll Button: %@", buttonName_));

    const auto& keeper = SettingsKeeper::shared();
    autoScrollAccelOutlt.setDoubleValue(keeper.getAutoScrollAccelNumber());
    superSlowDownOutlt.setDoubleValue(
        static_cast<double>(keeper.getAutoScrollSuperSlowDownNumber()));
    releaseDurationOutlt.setDoubleValue(keeper.getReleaseDuration());
    animateReleaseOutlt.setState(ui::stateOf(keeper.getIsAnimateRelease()));
    smartScrollOutlt.setState(ui::stateOf(keeper.getIsSmartAutoScroll()));
    overLinkActAsButtonOutlt.setState(ui::stateOf(keeper.getIsOverLinkActAsButtonOutlt()));
    holdToActivateOutlt.setState(ui::stateOf(keeper.getIsHoldToActivate()));
    reverseAutoScrollVerticalOutlt.setState(ui::stateOf(keeper.getIsReverseAutoScrollVertical()));
    reverseAutoScrollHorizontalOutlt.setState(
        ui::stateOf(keeper.getIsReverseAutoScrollHorizontal()));
    setReleaseDurationEnabled(keeper.getIsAnimateRelease());

    autoScrollAccelOutlt.setToolTipKey("autoSpeed");
    animateReleaseOutlt.setToolTipKey("autoRelease");
    smartScrollOutlt.setToolTipKey("smartScrollOutlt");
    releaseDurationLbl.setToolTipKey("autoReleaseDuration");
    releaseDurationOutlt.setToolTipKey("autoReleaseDuration");
    reverseAutoScrollVerticalOutlt.setToolTipKey("scrollDirectionV");
    reverseAutoScrollHorizontalOutlt.setToolTipKey("scrollDirectionH");
    overLinkActAsButtonOutlt.setToolTipKey("overLinkActAsButton");
    holdToActivateOutlt.setToolTipKey("holdToActivate");
    superSlowDownOutlt.setToolTipKey("superSlowDown");
}

void AutoScrollViewController::setReleaseDurationEnabled(bool enabled) {
    releaseDurationLbl.setEnabled(enabled);
    releaseDurationOutlt.setEnabled(enabled);
}

// ---- Super slow-down and the eased release ----

void AutoScrollViewController::takeSuperSlowDown(std::int64_t amount) {
    KxDefaults::setAutoScrollSuperSlowDownNumber(amount);
    KxDefaults::sync();
    SettingsKeeper::shared().setAutoScrollSuperSlowDownNumber(amount);
    superSlowDownOutlt.setDoubleValue(static_cast<double>(amount));
    animateReleaseOutlt.setState(ui::stateOf(amount < 1));
    animateReleaseBtn();
}

void AutoScrollViewController::animateReleaseBtn() {
    const bool on = animateReleaseOutlt.isOn();
    auto& keeper = SettingsKeeper::shared();
    KxDefaults::setAnimateRelease(on);
    keeper.setIsAnimateRelease(on);
    setReleaseDurationEnabled(on);
    if (on) {
        KxDefaults::setAutoScrollSuperSlowDownNumber(0);
        keeper.setAutoScrollSuperSlowDownNumber(0);
        superSlowDownOutlt.setDoubleValue(0);
    }
    KxDefaults::sync();
}

// ---- Typed knob values ----

void AutoScrollViewController::controlTextDidEndEditing(ui::TextField& field) {
    ui::KxSlider* slider = nullptr;
    for (ui::KxSlider* s : {&autoScrollAccelOutlt, &superSlowDownOutlt, &releaseDurationOutlt})
        if (s->tag() == field.tag()) slider = s;
    if (!slider) return;
    const auto typed = ui::typedKnobValue(*slider);
    if (!typed) return;
    if (slider == &superSlowDownOutlt) {
        // A typed amount follows the same rule as a dragged one.
        takeSuperSlowDown(truncToInt64(*typed));
        return;
    }
    const double v = whole(*typed);
    auto& keeper = SettingsKeeper::shared();
    if (slider == &autoScrollAccelOutlt) {
        keeper.setAutoScrollAccelNumber(v);
        KxDefaults::setAutoScrollAccelNumber(v);
    } else {
        keeper.setReleaseDuration(v);
        KxDefaults::setReleaseDuration(v);
    }
    slider->setDoubleValue(v);
    KxDefaults::sync();
}

}  // namespace wexo
