#include "events/GestureActions.h"

#include "actions/AppWithGestures.h"
#include "actions/CustomActionHandler.h"
#include "actions/Gesture.h"
#include "actions/SimulateMouse.h"
#include "events/FrontMostObserver.h"
#include "events/MouseButtonListener.h"
#include "platform/EventMarks.h"
#include "platform/Platform.h"
#include "settings/SettingsKeeper.h"

namespace wexo {

using platform::Event;
using platform::EventField;
using platform::EventType;
using platform::Point;
using platform::RunningApplication;

namespace {

void runAction(const std::shared_ptr<Gesture>& gesture) {
    if (gesture && gesture->action) CustomActionHandler::handleCustomAction(*gesture->action);
}

// The gesture button is still held while a rocker action runs, so its
// simulated clicks must pass the mouse tap as the program's own.
void runRockerAction(const std::shared_ptr<Gesture>& gesture) {
    SimulateMouse::MarkedClicks marked;
    runAction(gesture);
}

}  // namespace

void GestureActions::replayGestureClick(EventType releaseType, const Event& release) {
    const bool right = releaseType == EventType::RightMouseUp;
    const Point at = installedPlatform().eventStream().pointerLocation();
    const std::uint64_t flags = MouseButtonListener::getModifiersFlagForEvent(release.flags());
    for (EventType type : {right ? EventType::RightMouseDown : EventType::OtherMouseDown,
                           right ? EventType::RightMouseUp : EventType::OtherMouseUp}) {
        Event click = Event::mouse(
            type, at, right ? platform::MouseButton::Right : platform::MouseButton::Center);
        if (!right)
            click.setIntegerField(EventField::MouseEventButtonNumber,
                                  release.integerField(EventField::MouseEventButtonNumber));
        click.setFlags(flags);
        click.setIntegerField(EventField::MouseEventNumber, platform::EventMarks::kReplayedClick);
        installedPlatform().eventStream().post(platform::TapLocation::HID, click);
    }
}

std::optional<RunningApplication> GestureActions::runDrawnGesture(const std::string& directions) {
    auto& settings = SettingsKeeper::shared();
    const auto underMouse = FrontMostObserver::underMouseApp();
    if (underMouse && !underMouse->bundleIdentifier.empty()) {
        if (auto gesture = settings.fetchGestureByBundleWndDirections(underMouse->bundleIdentifier,
                                                                      directions)) {
            // The application's own gesture is meant for it: it must be active
            // to receive what the action posts.
            if (!underMouse->active) SimulateMouse::leftClick();
            runAction(gesture);
            return underMouse;
        }
    }
    auto global =
        settings.fetchGestureByBundleWndDirections(AppWithGestures::kGlobalBundleId, directions);
    runAction(global);
    return underMouse;
}

std::optional<RunningApplication> GestureActions::runRockerGesture(std::int64_t button) {
    auto& settings = SettingsKeeper::shared();
    const std::string key = std::to_string(button);
    const auto isRocker = [](const std::shared_ptr<Gesture>& g) {
        return g && !g->gestureDirections;
    };
    const auto underMouse = FrontMostObserver::underMouseApp();
    if (underMouse && !underMouse->bundleIdentifier.empty()) {
        if (auto gesture = settings.fetchGestureByBundleWithdBindNumberStr(
                underMouse->bundleIdentifier, key)) {
            if (isRocker(gesture)) runRockerAction(gesture);
            return underMouse;
        }
    }
    auto& all = settings.getAllGestures();
    auto global = all.find(AppWithGestures::kGlobalBundleId);
    if (global == all.end()) return underMouse;
    auto gesture = global->second.find(key);
    if (gesture != global->second.end() && isRocker(gesture->second))
        runRockerAction(gesture->second);
    return underMouse;
}

}  // namespace wexo
