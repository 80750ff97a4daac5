#include "events/AssignmentRouting.h"

#include <string>

#include "actions/CustomActionHandler.h"
#include "actions/KxShortcutsKeeper.h"
#include "actions/MouseButton.h"
#include "app/HelperMethods.h"
#include "events/ApplicationLink.h"
#include "events/KeyListener.h"
#include "events/MouseButtonListener.h"
#include "events/ProgramInFront.h"
#include "events/ScreenRegistry.h"
#include "platform/EventMarks.h"
#include "settings/SettingsKeeper.h"

namespace wexo {

using platform::Event;
using platform::EventField;

namespace {

ButtonsScreenLink* buttonsScreen() {
    auto* registry = screenRegistry();
    return registry ? registry->buttonsVC() : nullptr;
}

}  // namespace

StageVerdict AssignmentRouting::buttonStage(const Event& event) {
    const std::int64_t button = event.integerField(EventField::MouseEventButtonNumber);
    if (auto captured = captureRoutes(button); captured.decided()) return captured;

    std::uint64_t mask = event.flags() & kAssignmentMask;
    if (event.integerField(EventField::MouseEventNumber) == platform::EventMarks::kReplayedClick)
        mask = MouseButtonListener::getModifiersFlagForEvent(mask);
    if (runAssignment(button, mask)) return StageVerdict::swallow("button");
    return StageVerdict::pass("button");
}

// Each route belongs to a screen that is in front with its tab on and is
// still waiting for its button; the first that applies takes the press.
StageVerdict AssignmentRouting::captureRoutes(std::int64_t button) {
    auto* registry = screenRegistry();
    if (!registry || !programIsInFront()) return StageVerdict::next();
    auto& settings = SettingsKeeper::shared();
    const auto predefined = [button] {
        return KxShortcutsKeeper::getPreDdefinedButtonsByNumber(button);
    };

    if (tabIsOnInFront(PreferencesTab::Gestures)) {
        if (auto* gestures = registry->gesturesVC()) {
            if (!settings.getGestureNumber()) {
                gestures->setGestureButton(predefined());
                return StageVerdict::swallow("buttonCapture");
            }
            if (gestures->readyForBind()) {
                gestures->setBindButton(predefined());
                return StageVerdict::swallow("buttonCapture");
            }
        }
    }
    if (tabIsOnInFront(PreferencesTab::Grab) && !settings.getGrabButtonNumber() &&
        !settings.getGrabKeyNumber()) {
        if (auto* grab = registry->grabVC()) {
            grab->setGrabButton(predefined(), std::nullopt);
            // A button was chosen: no key is awaited any more.
            if (auto* keys = SharedSlot<KeyListener>::get()) keys->stopListeningToKeys();
            return StageVerdict::swallow("buttonCapture");
        }
    }
    if (tabIsOnInFront(PreferencesTab::Auto) && !settings.getAutoScrollButtonNumber()) {
        if (auto* autoScroll = registry->autoVC()) {
            autoScroll->setAutoScrollButton(predefined());
            return StageVerdict::swallow("buttonCapture");
        }
    }
    if (tabIsOnInFront(PreferencesTab::Buttons)) {
        if (auto* buttons = registry->buttonsVC()) {
            recordForButtonsScreen(*buttons, predefined());
            return StageVerdict::swallow("buttonCapture");
        }
    }
    return StageVerdict::next();
}

StageVerdict AssignmentRouting::wheelStage(MouseButtonListener& listener, const Event& event) {
    if (event.integerField(EventField::ScrollWheelEventMomentumPhase) != 0 ||
        event.integerField(EventField::ScrollWheelEventScrollPhase) != 0)
        return StageVerdict::pass("trackpadPhase");
    const std::int64_t direction = wheelDirection(event);

    if (tabIsOnInFront(PreferencesTab::Buttons)) {
        if (auto* buttons = buttonsScreen(); buttons && buttons->isInsideScrollView()) {
            recordForButtonsScreen(*buttons,
                                   KxShortcutsKeeper::getPreDdefinedButtonsByDelta(direction));
            return StageVerdict::swallow("wheelCapture");
        }
    }

    auto assigned = activeAssignment(direction, event.flags() & kAssignmentMask);
    if (!assigned || !listener.takeWheelActionTurn()) return StageVerdict::pass("wheel");
    if (assigned->action) CustomActionHandler::handleCustomAction(*assigned->action);
    return StageVerdict::swallow("wheel");
}

bool AssignmentRouting::runAssignment(std::int64_t button, std::uint64_t mask) {
    auto assigned = activeAssignment(button, mask);
    if (!assigned) return false;
    if (assigned->action) CustomActionHandler::handleCustomAction(*assigned->action);
    return true;
}

std::int64_t AssignmentRouting::wheelDirection(const Event& event) {
    return HelperMethods::findOriginalDelta(
        event.integerField(EventField::ScrollWheelEventPointDeltaAxis2),
        event.integerField(EventField::ScrollWheelEventPointDeltaAxis1));
}

std::shared_ptr<MouseButton> AssignmentRouting::activeAssignment(std::int64_t button,
                                                                 std::uint64_t mask) {
    auto* buttons = buttonsScreen();
    if (!buttons) return nullptr;
    auto assigned = buttons->fetchMouseButtonByButton(button, static_cast<std::int64_t>(mask));
    return assigned && assigned->isActiveSet() ? assigned : nullptr;
}

void AssignmentRouting::recordForButtonsScreen(ButtonsScreenLink& screen,
                                               const std::shared_ptr<MouseButton>& button) {
    if (!button) return;
    button->modifiers = 0;
    if (auto* application = applicationLink()) application->orderPreferencesWindowFrontRegardless();
    SettingsKeeper::shared()
        .getMouseButtonsDict()[std::to_string(button->buttonNumber)][kCaptureKey] = button;
    screen.convertDictToArrayAndSelectButton(button);
}

}  // namespace wexo
