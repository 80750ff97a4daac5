#include "ui/GrabViewController.h"

#include <cmath>
#include <functional>
#include <initializer_list>

#include "actions/DesktopConventions.h"
#include "actions/KxRecorder.h"
#include "actions/KxShortcutsKeeper.h"
#include "events/KeyListener.h"
#include "platform/Log.h"
#include "platform/ObjcFormat.h"
#include "platform/Platform.h"
#include "settings/KxDefaults.h"
#include "settings/SettingsKeeper.h"
#include "ui/Alert.h"
#include "ui/PreferenceInput.h"
#include "ui/StatusMenuLink.h"
#include "ui/Window.h"

namespace wexo {

namespace {
constexpr const char* kGesturesButtonTaken =
    "The gestures button can't also be used as the grab button";
constexpr const char* kAutoScrollButtonTaken =
    "The auto scroll button can't also be used as the grab button";
constexpr const char* kTypingDelay =
    "Setting a keyboard key as a Grab & Drag button will cause a delay while typing that key.";

// The sliders' ranges (the interface's choice): the speed is a whole factor
// of the pointer's movement, the throw's length is in frames.
constexpr double kGrabAccelMin = 1;
constexpr double kGrabAccelMax = 10;
constexpr double kThrowDurationMin = 10;
constexpr double kThrowDurationMax = 300;

// The speed and the throw's length are whole numbers: the knob shows no
// decimals and the engine counts whole factors and frames.
double whole(double value) {
    return std::round(value);
}

// The message for a button another function already uses, or none.
const char* takenBy(const MouseButton& button) {
    const auto& keeper = SettingsKeeper::shared();
    if (keeper.getGestureNumber() == button.buttonNumber) return kGesturesButtonTaken;
    if (keeper.getAutoScrollButtonNumber() == button.buttonNumber) return kAutoScrollButtonTaken;
    return nullptr;
}
}  // namespace

GrabViewController::GrabViewController() : ui::ViewController("Grab") {
    view().addSubview(grabHelpLbl);
    view().addSubview(grabControlsView);
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &grabButtonLbl, &removeGrabOutlt, &grabAccelLbl, &grabAccelOutlt, &animateThrowOutlt,
             &throwDurationLbl, &throwDurationOutlt, &disableActionOutlt, &dontMoveCursor,
             &reverseGrabMouseOutlt, &reverseGrabMouseHorizontalOutlt})
        grabControlsView.addSubview(*c);
    grabHelpLbl.setStringValue("Press the mouse button or the keyboard key that should grab.");
    grabAccelLbl.setStringValue("Speed");
    throwDurationLbl.setStringValue("Throw duration");
    animateThrowOutlt.setTitle(" Throw after release");
    dontMoveCursor.setTitle(" Keep the pointer still");
    reverseGrabMouseOutlt.setTitle(" Reverse vertical");
    reverseGrabMouseHorizontalOutlt.setTitle(" Reverse horizontal");
    removeGrabOutlt.setTitle("Remove");

    grabAccelOutlt.setRange(kGrabAccelMin, kGrabAccelMax);
    grabAccelOutlt.setSliderTag(kGrabAccelTag);
    throwDurationOutlt.setRange(kThrowDurationMin, kThrowDurationMax);
    throwDurationOutlt.setSliderTag(kThrowDurationTag);
    for (ui::KxSlider* slider : {&grabAccelOutlt, &throwDurationOutlt}) {
        slider->setKnobFormat("%.f");
        slider->knobField().setTarget(this, "controlTextDidEndEditing:");
    }
    addAction("controlTextDidEndEditing:", [this](ui::Control& sender) {
        if (auto* field = dynamic_cast<ui::TextField*>(&sender)) controlTextDidEndEditing(*field);
    });

    removeGrabOutlt.setTarget(this, "removeGrabNumber:");
    addAction("removeGrabNumber:", [this](ui::Control&) { removeGrabNumber(); });

    // The sliders follow the mouse; the setting takes the value when the drag ends.
    grabAccelOutlt.setTarget(this, "grabAccel:");
    addAction("grabAccel:", [this](ui::Control&) {
        if (!ui::sliderDragEnded()) return;
        const double v = whole(grabAccelOutlt.doubleValue());
        KxDefaults::setGrabAccelNumber(v);
        KxDefaults::sync();
        SettingsKeeper::shared().setGrabAccelNumber(v);
        grabAccelOutlt.setDoubleValue(v);
    });
    throwDurationOutlt.setTarget(this, "throwDurationAmount:");
    addAction("throwDurationAmount:", [this](ui::Control&) {
        if (!ui::sliderDragEnded()) return;
        const double v = whole(throwDurationOutlt.doubleValue());
        KxDefaults::setThrowDuration(v);
        KxDefaults::sync();
        SettingsKeeper::shared().setThrowDuration(v);
        throwDurationOutlt.setDoubleValue(v);
    });

    // Check boxes store at once.
    auto checkBox = [this](ui::Button& box, const char* action, std::function<void(bool)> store) {
        box.setTarget(this, action);
        addAction(action, [&box, store = std::move(store)](ui::Control&) {
            store(box.isOn());
            KxDefaults::sync();
        });
    };
    checkBox(animateThrowOutlt, "animateThrowBtn:", [this](bool on) {
        KxDefaults::setAnimateThrow(on);
        SettingsKeeper::shared().setIsAnimateThrow(on);
        setThrowDurationEnabled(on);
    });
    checkBox(disableActionOutlt, "disableActionBtn:", [](bool on) {
        KxDefaults::setDisableGrabAction(on);
        SettingsKeeper::shared().setIsDisableGrabAction(on);
    });
    checkBox(dontMoveCursor, "dontMoveCursorBtn:", [](bool on) {
        KxDefaults::setDisableMoveCursor(on);
        SettingsKeeper::shared().setIsDisableGrabMoveCursor(on);
    });
    checkBox(reverseGrabMouseOutlt, "reverseGrabMouseBtn:", [](bool on) {
        KxDefaults::setGrabReverseMouse(on);
        SettingsKeeper::shared().setIsReverseGrabVertical(on);
    });
    checkBox(reverseGrabMouseHorizontalOutlt, "reverseGrabMouseHorizontalBtn:", [](bool on) {
        KxDefaults::setGrabReverseMouseHorizontal(on);
        SettingsKeeper::shared().setIsReverseGrabHorizontal(on);
    });
}

GrabViewController::~GrabViewController() {
    if (listenerRestart_) listenerRestart_->invalidate();
    // The key listener runs only while this screen wants it.
    if (isViewLoaded()) stopKeyListener();
    if (auto* m = ui::existingStatusMenu()) m->unregisterScreen(*this);
}

// ---- Loading and appearing ----

void GrabViewController::viewDidLoad() {
    auto& keeper = SettingsKeeper::shared();
    const auto storedButton = KxDefaults::getGrabButtonNumber();
    const auto storedKey = KxDefaults::getGrabKeyNumber();
    keeper.setGrabButtonNumber(storedButton);
    keeper.setGrabKeyNumber(storedKey);
    if (storedButton) {
        auto button = KxShortcutsKeeper::getPreDdefinedButtonsByNumber(*storedButton);
        if (takenBy(*button)) {
            // A store that gives one button two functions: the grab gives way
            // (the preference stays), and the person can choose another.
            WEXO_LOG_ERROR("Grab button %lld is used by another function; no grab button.",
                           *storedButton);
            keeper.setGrabButtonNumber(std::nullopt);
            keeper.setGrabKeyNumber(std::nullopt);
            setGrabAvailableUI(false);
        } else {
            setGrabButton(button, std::nullopt);
        }
    } else if (storedKey) {
        setGrabButton(nullptr, storedKey);
    } else {
        setGrabAvailableUI(false);
    }
    if (keeper.getGrabKeyNumber()) startKeyListener();

    if (auto* m = ui::statusMenu()) m->registerScreen(*this);
}

void GrabViewController::viewWillAppear() {
    // With no trigger, the key pressed on this screen becomes the grab key.
    const auto& keeper = SettingsKeeper::shared();
    if (!keeper.getGrabKeyNumber() && !keeper.getGrabButtonNumber()) startKeyListener();
}

void GrabViewController::viewDidDisappear() {
    if (!SettingsKeeper::shared().getGrabKeyNumber()) stopKeyListener();
}

void GrabViewController::startKeyListener() {
    if (auto* listener = SharedSlot<KeyListener>::get()) listener->startListeningToKeys();
}

void GrabViewController::stopKeyListener() {
    if (auto* listener = SharedSlot<KeyListener>::get()) listener->stopListeningToKeys();
}

// ---- The trigger ----

void GrabViewController::setGrabButton(const std::shared_ptr<MouseButton>& button,
                                       std::optional<std::int64_t> orKeyNumber) {
    if (button) {
        if (const char* message = takenBy(*button)) {
            ui::Alert(message).runModalLater();
            return;
        }
    }
    auto& keeper = SettingsKeeper::shared();
    if (!button && !orKeyNumber) {
        keeper.setGrabButtonNumber(std::nullopt);
        keeper.setGrabKeyNumber(std::nullopt);
        KxDefaults::setGrabButtonNumber(std::nullopt);
        KxDefaults::setGrabKeyNumber(std::nullopt);
        KxDefaults::sync();
        setGrabAvailableUI(false);
        return;
    }
    if (!button) {
        const ui::Window* w = window();
        if (w && w->isVisible()) ui::Alert(kTypingDelay).runModalLater();
    }

    writeFirstUseDefaults();
    if (button) {
        KxDefaults::setGrabButtonNumber(button->buttonNumber);
        keeper.setGrabButtonNumber(button->buttonNumber);
        KxDefaults::setGrabKeyNumber(std::nullopt);
        keeper.setGrabKeyNumber(std::nullopt);
        triggerName_ = button->prettyName;
    } else {
        KxDefaults::setGrabKeyNumber(*orKeyNumber);
        keeper.setGrabKeyNumber(*orKeyNumber);
        KxDefaults::setGrabButtonNumber(std::nullopt);
        keeper.setGrabButtonNumber(std::nullopt);
        triggerName_ = DesktopConventions::current().keyName(
            *orKeyNumber,
            KxRecorder::keyStringFormKeyCode(static_cast<std::uint64_t>(*orKeyNumber)));
    }
    KxDefaults::sync();
    readGrabOptions();
    setGrabAvailableUI(true);
}

void GrabViewController::removeGrabNumber() {
    setGrabButton(nullptr, std::nullopt);
    stopKeyListener();
    if (listenerRestart_) listenerRestart_->invalidate();
    listenerRestart_ = installedPlatform().runLoop().performAfterDelay(kListenerRestartDelay,
                                                                       [] { startKeyListener(); });
}

void GrabViewController::writeFirstUseDefaults() {
    if (!KxDefaults::getGrabAccelNumber()) {
        KxDefaults::setGrabAccelNumber(kDefaultGrabAccel);
        KxDefaults::setDisableGrabAction(false);
        KxDefaults::setThrowDuration(kDefaultThrowDuration);
        KxDefaults::setAnimateThrow(true);
        KxDefaults::setGrabReverseMouse(false);
        KxDefaults::setGrabReverseMouseHorizontal(false);
    }
    if (!KxDefaults::getThrowDuration()) KxDefaults::setThrowDuration(kDefaultThrowDuration);
}

void GrabViewController::readGrabOptions() {
    auto& keeper = SettingsKeeper::shared();
    keeper.setGrabAccelNumber(KxDefaults::getGrabAccelNumber().value_or(kDefaultGrabAccel));
    keeper.setThrowDuration(KxDefaults::getThrowDuration().value_or(kDefaultThrowDuration));
    keeper.setIsAnimateThrow(KxDefaults::getAnimateThrow().value_or(false));
    keeper.setIsDisableGrabAction(KxDefaults::getDisableGrabAction().value_or(false));
    keeper.setIsDisableGrabMoveCursor(KxDefaults::getDisableMoveCursor().value_or(false));
    keeper.setIsReverseGrabVertical(KxDefaults::getGrabReverseMouse().value_or(false));
    keeper.setIsReverseGrabHorizontal(KxDefaults::getGrabReverseMouseHorizontal().value_or(false));
}

void GrabViewController::setGrabAvailableUI(bool available) {
    grabHelpLbl.setHidden(available);
    grabControlsView.setHidden(!available);
    if (!available) return;

    const auto& keeper = SettingsKeeper::shared();
    const bool isButton = keeper.getGrabButtonNumber().has_value();
    grabButtonLbl.setStringValue(
        objcFormat(isButton ? "Grab Button: %@" : "Grab Key: %@", triggerName_));
    disableActionOutlt.setTitle(objcFormat(" Disable %@ action", triggerName_));
    // Keeping the pointer still is a matter of mouse grabs alone.
    dontMoveCursor.setHidden(!isButton);

    grabAccelOutlt.setDoubleValue(keeper.getGrabAccelNumber());
    throwDurationOutlt.setDoubleValue(keeper.getThrowDuration());
    animateThrowOutlt.setState(ui::stateOf(keeper.getIsAnimateThrow()));
    disableActionOutlt.setState(ui::stateOf(keeper.getIsDisableGrabAction()));
    dontMoveCursor.setState(ui::stateOf(keeper.getIsDisableGrabMoveCursor()));
    reverseGrabMouseOutlt.setState(ui::stateOf(keeper.getIsReverseGrabVertical()));
    reverseGrabMouseHorizontalOutlt.setState(ui::stateOf(keeper.getIsReverseGrabHorizontal()));
    setThrowDurationEnabled(keeper.getIsAnimateThrow());

    grabAccelOutlt.setToolTipKey("grabSpeed");
    disableActionOutlt.setToolTipKey("grabDisableAction");
    animateThrowOutlt.setToolTipKey("grabAnimateThrow");
    throwDurationLbl.setToolTipKey("grabThrowDuration");
    throwDurationOutlt.setToolTipKey("grabThrowDuration");
    reverseGrabMouseOutlt.setToolTipKey("scrollDirectionV");
    reverseGrabMouseHorizontalOutlt.setToolTipKey("scrollDirectionH");
    dontMoveCursor.setToolTipKey("dontMoveCursor");
}

void GrabViewController::setThrowDurationEnabled(bool enabled) {
    throwDurationLbl.setEnabled(enabled);
    throwDurationOutlt.setEnabled(enabled);
}

// ---- Typed knob values ----

void GrabViewController::controlTextDidEndEditing(ui::TextField& field) {
    ui::KxSlider* slider = field.tag() == kGrabAccelTag       ? &grabAccelOutlt
                           : field.tag() == kThrowDurationTag ? &throwDurationOutlt
                                                              : nullptr;
    if (!slider) return;
    const auto typed = ui::typedKnobValue(*slider);
    if (!typed) return;
    const double v = whole(*typed);
    auto& keeper = SettingsKeeper::shared();
    if (slider == &grabAccelOutlt) {
        keeper.setGrabAccelNumber(v);
        KxDefaults::setGrabAccelNumber(v);
    } else {
        keeper.setThrowDuration(v);
        KxDefaults::setThrowDuration(v);
    }
    slider->setDoubleValue(v);
    KxDefaults::sync();
}

}  // namespace wexo
