#include "events/MouseButtonListener.h"

#include <cmath>

#include "actions/CustomActionHandler.h"
#include "actions/KxShortcutsKeeper.h"
#include "actions/SimulateMouse.h"
#include "app/HelperMethods.h"
#include "cursor/MouseCursor.h"
#include "events/ApplicationLink.h"
#include "events/AssignmentRouting.h"
#include "events/DecisionTracer.h"
#include "events/EventTapOrder.h"
#include "events/FrontMostObserver.h"
#include "events/MouseMovementListener.h"
#include "events/ProgramInFront.h"
#include "events/ScreenRegistry.h"
#include "events/WholeNumbers.h"
#include "platform/EventMarks.h"
#include "platform/Log.h"
#include "platform/Platform.h"
#include "settings/SettingsKeeper.h"

namespace wexo {

using platform::Event;
using platform::EventField;
using platform::EventType;
using platform::Point;
using platform::Verdict;

namespace {

constexpr const char* kTap = "mouse";

// Right and other buttons; the left button is named where it counts.
bool isPress(EventType t) {
    return t == EventType::RightMouseDown || t == EventType::OtherMouseDown;
}
bool isRelease(EventType t) {
    return t == EventType::RightMouseUp || t == EventType::OtherMouseUp;
}
bool isDrag(EventType t) {
    return t == EventType::RightMouseDragged || t == EventType::OtherMouseDragged;
}

std::int64_t buttonOf(const Event& e) {
    return e.integerField(EventField::MouseEventButtonNumber);
}

bool isReplayedClick(const Event& e) {
    return e.integerField(EventField::MouseEventNumber) == platform::EventMarks::kReplayedClick;
}

GestureWindow* overlayWindow() {
    auto* application = applicationLink();
    return application ? &application->gestureWindow() : nullptr;
}

FullScreenLink* fullScreen() {
    auto* registry = screenRegistry();
    return registry ? registry->fullScreenVC() : nullptr;
}

MouseMovementListener* movementListener() {
    return SharedSlot<MouseMovementListener>::get();
}

// The pointer as the overlay window sees it (y up); gestures are measured
// there.
Point overlayPointer() {
    if (auto* window = overlayWindow()) return window->mouseLocationOutsideOfEventStream();
    return installedPlatform().eventStream().pointerLocation();
}

// The configured special buttons stay with the screens that capture them.
bool captureMode() {
    return tabIsOnInFront(PreferencesTab::Buttons) || tabIsOnInFront(PreferencesTab::Gestures) ||
           tabIsOnInFront(PreferencesTab::Auto);
}

void runAction(const std::shared_ptr<Gesture>& gesture) {
    if (gesture && gesture->action) CustomActionHandler::handleCustomAction(*gesture->action);
}

// The gesture button is still held while a rocker action runs, so its
// simulated clicks must pass this tap as the program's own.
void runRockerAction(const std::shared_ptr<Gesture>& gesture) {
    SimulateMouse::MarkedClicks marked;
    runAction(gesture);
}

}  // namespace

MouseButtonListener::MouseButtonListener() = default;

MouseButtonListener::~MouseButtonListener() {
    if (scrollProcessingTimer_) scrollProcessingTimer_->invalidate();
    stopListeningToButtons();
    if (auto* movement = movementListener(); movement && movement->delegate() == this)
        movement->setDelegate(nullptr);
}

MouseButtonListener& MouseButtonListener::shared() {
    return SharedSlot<MouseButtonListener>::require();
}

// ---- The tap ----

void MouseButtonListener::startListeningToButtons() {
    canProcessScroll_ = true;
    if (!mouseEventTap_) {
        // The callback reaches the listener through the shared instance, as
        // a callback without context does.
        mouseEventTap_ =
            createSessionTap(SessionTap::Mouse, kMouseEventMask, [](EventType type, Event& event) {
                auto* listener = SharedSlot<MouseButtonListener>::get();
                return listener ? listener->mouseEventCallback(type, event) : Verdict::pass();
            });
        if (!mouseEventTap_) {
            WEXO_LOG_ERROR("The mouse tap could not be created; buttons keep their own meaning.");
            return;
        }
    }
    mouseEventTap_->enable(true);
}

void MouseButtonListener::stopListeningToButtons() {
    if (mouseEventTap_) mouseEventTap_->enable(false);
    endInteractions();
}

bool MouseButtonListener::isListening() const {
    return mouseEventTap_ && mouseEventTap_->isEnabled();
}

Verdict MouseButtonListener::mouseEventCallback(EventType type, Event& event) {
    const StageVerdict decided = decide(type, event);
    return traced(kTap, decided.stage(), decided.verdict(), event);
}

// The stages in their binding order; the first that settles the event ends
// the walk.
StageVerdict MouseButtonListener::decide(EventType type, Event& event) {
    if (auto v = accessibilityWatchdog(); v.decided()) return v;
    if (auto v = tapNotices(type, event); v.decided()) return v;
    if (auto v = autoScrollRunning(type); v.decided()) return v;
    if (auto v = grabRunning(type); v.decided()) return v;
    if (auto v = bindCapture(type, event); v.decided()) return v;
    if (auto v = passThrough(type, event); v.decided()) return v;
    if (auto v = autoScrollStage(type, event); v.decided()) return v;
    if (auto v = grabStage(type, event); v.decided()) return v;
    if (auto v = gestureStage(type, event); v.decided()) return v;
    if (auto v = rockerStage(type, event); v.decided()) return v;
    return lastStage(type, event);
}

StageVerdict MouseButtonListener::accessibilityWatchdog() {
    if (HelperMethods::isMojaveOrBigger() &&
        !installedPlatform().accessibility().isProcessTrusted(false)) {
        HelperMethods::restartApp();
        return StageVerdict::pass("accessibilityWatchdog");
    }
    return StageVerdict::next();
}

StageVerdict MouseButtonListener::tapNotices(EventType type, const Event& event) {
    if (type == EventType::TapDisabledByUserInput) return StageVerdict::pass("tapDisabled");
    if (event.integerField(EventField::KeyboardEventAutorepeat) != 0)
        return StageVerdict::pass("autorepeat");
    if (type == EventType::TapDisabledByTimeout) {
        if (mouseEventTap_) mouseEventTap_->enable(true);
        return StageVerdict::pass("tapDisabled");
    }
    return StageVerdict::next();
}

// A click-started auto-scroll ends with the next press of any button.
StageVerdict MouseButtonListener::autoScrollRunning(EventType type) {
    if (!platform::isMouseDown(type)) return StageVerdict::next();
    auto* engine = autoScrollEngine();
    if (!engine || !engine->isScrollingInProgress()) return StageVerdict::next();
    engine->stopDisplayLink();
    closeOverlay();
    return StageVerdict::swallow("autoScrollRunning");
}

StageVerdict MouseButtonListener::grabRunning(EventType type) {
    if (grabDown_ && (type == EventType::LeftMouseDown || type == EventType::LeftMouseDragged))
        return StageVerdict::swallow("grabRunning");
    return StageVerdict::next();
}

StageVerdict MouseButtonListener::bindCapture(EventType type, const Event& event) {
    if (!SettingsKeeper::shared().getGestureNumber()) return StageVerdict::next();
    auto* registry = screenRegistry();
    auto* gestures = registry ? registry->gesturesVC() : nullptr;
    if (!gestures || !tabIsOnInFront(PreferencesTab::Gestures) || !gestures->readyForBind())
        return StageVerdict::next();
    if (platform::isMouseDown(type))
        gestures->setBindButton(KxShortcutsKeeper::getPreDdefinedButtonsByNumber(buttonOf(event)));
    return StageVerdict::swallow("bindCapture");
}

StageVerdict MouseButtonListener::passThrough(EventType type, const Event& event) {
    if (type == EventType::LeftMouseDragged) return StageVerdict::pass("leftButton");
    if (type == EventType::LeftMouseDown && !gestureButtonPressed_)
        return StageVerdict::pass("leftButton");
    const std::int64_t marker = event.integerField(EventField::EventSourceUserData);
    if (marker == platform::EventMarks::kSyntheticInput ||
        marker == platform::EventMarks::kOwnScroll)
        return StageVerdict::pass("ownEvent");
    return StageVerdict::next();
}

StageVerdict MouseButtonListener::lastStage(EventType type, const Event& event) {
    if (isPress(type)) return AssignmentRouting::buttonStage(event);
    if (type == EventType::ScrollWheel) return AssignmentRouting::wheelStage(*this, event);
    return StageVerdict::pass("unclaimed");
}

// ---- Auto-scroll ----

StageVerdict MouseButtonListener::autoScrollStage(EventType type, const Event& event) {
    auto& settings = SettingsKeeper::shared();
    const auto autoScrollButton = settings.getAutoScrollButtonNumber();
    if (!autoScrollButton || (buttonOf(event) != *autoScrollButton && !autoScrollDown_) ||
        captureMode())
        return StageVerdict::next();
    const bool holdMode = settings.getIsHoldToActivate();

    if (isPress(type)) {
        auto& platform = installedPlatform();
        if (settings.getIsOverLinkActAsButtonOutlt()) {
            const auto& cursor = platform.cursor();
            if (cursor.currentSystemCursorHotSpot() == cursor.pointingHandHotSpot() &&
                !autoScrollHoldEnoughDistanceActivated_)
                return StageVerdict::pass("autoScrollOverLink");
        }
        if (settings.getIsSmartAutoScroll() && platform.accessibility().isProcessTrusted(false)) {
            if (auto* engine = autoScrollEngine(); engine && !engine->isScrollArea())
                return StageVerdict::next();
        }
        autoScrollDown_ = true;
        if (holdMode) {
            anchorPointForAutoScroll_ = event.location();
        } else {
            showAutoScrollIconAndWindow();
        }
        return StageVerdict::swallow("autoScroll");
    }

    // In hold mode a release or a drag belongs to auto-scroll only while the
    // press was taken for it. A press left to the application (over a link,
    // outside a scroll area) keeps its own release: replaying a click there
    // would click twice, and a drag would start auto-scroll from a stale
    // anchor.
    if (isRelease(type)) {
        const bool armed = autoScrollDown_;
        autoScrollDown_ = false;
        if (!holdMode || !armed) return StageVerdict::next();
        if (!autoScrollHoldEnoughDistanceActivated_) {
            SimulateMouse::simulateMouseByButtonNumber(buttonOf(event));
            return StageVerdict::swallow("autoScroll");
        }
        if (auto* engine = autoScrollEngine()) engine->stopDisplayLink();
        closeOverlay();
        autoScrollHoldEnoughDistanceActivated_ = false;
        return StageVerdict::swallow("autoScroll");
    }

    if (isDrag(type) && holdMode && autoScrollDown_ && !autoScrollHoldEnoughDistanceActivated_) {
        const Point at = event.location();
        const std::int64_t dx = truncToInt64(std::fabs(at.x - anchorPointForAutoScroll_.x));
        const std::int64_t dy = truncToInt64(std::fabs(at.y - anchorPointForAutoScroll_.y));
        if (dy > kHoldActivationDistance || dx > kHoldActivationDistance) {
            autoScrollHoldEnoughDistanceActivated_ = true;
            showAutoScrollIconAndWindow();
        }
    }
    return StageVerdict::next();
}

void MouseButtonListener::showAutoScrollIconAndWindow() {
    showOverlay(2);
    auto* window = overlayWindow();
    if (window) window->setHasShadow(false);
    const Point anchor = overlayPointer();
    if (auto* screen = fullScreen()) screen->setAutoScrollAnchorPoint(anchor);
    if (auto* engine = autoScrollEngine()) engine->startDisplayLinkWithPoint(anchor);
}

// ---- Grab ----

StageVerdict MouseButtonListener::grabStage(EventType type, const Event& event) {
    auto& settings = SettingsKeeper::shared();
    const auto grabButton = settings.getGrabButtonNumber();
    const std::int64_t button = buttonOf(event);
    if (!grabButton || (button != *grabButton && !grabDown_) || captureMode())
        return StageVerdict::next();
    // Other buttons and the wheel do nothing while a grab runs.
    if (grabDown_ && button != *grabButton) return StageVerdict::swallow("grabRunning");

    if (isPress(type)) {
        startGrab(event.location());
        return StageVerdict::swallow("grab");
    }
    if (!isRelease(type)) return StageVerdict::next();

    endGrab();
    if (dragCounter_ < kGrabClickMovements && !settings.getIsDisableGrabAction() &&
        !tabIsOnInFront(PreferencesTab::Grab)) {
        // Assignments are stored under the modifier keys only; Caps Lock
        // must not hide them (see AssignmentRouting::kAssignmentMask).
        if (!AssignmentRouting::runAssignment(button,
                                              event.flags() & AssignmentRouting::kAssignmentMask))
            SimulateMouse::simulateMouseByButtonNumber(button);
    }
    if (!settings.getIsDisableGrabMoveCursor()) return StageVerdict::swallow("grab");
    if (anchorPointForGrab_ == Point{}) return StageVerdict::swallow("grab");
    // The pinned pointer was kept at the anchor by moving every event back;
    // one real move lets the system and the applications see where it is.
    Event move =
        Event::mouse(EventType::MouseMoved, {anchorPointForGrab_.x + 1, anchorPointForGrab_.y},
                     platform::MouseButton::Left);
    installedPlatform().eventStream().post(platform::TapLocation::HID, move);
    anchorPointForGrab_ = Point{};
    return StageVerdict::next();
}

void MouseButtonListener::startGrab(Point at) {
    if (grabDown_) endGrab();
    grabDown_ = true;
    dragCounter_ = 0;
    anchorPointForGrab_ = at;
    directionInspector_ = std::make_unique<MouseDirectionInspector>(at);
    grabnDragScroll_ = grabEngine();
    if (grabnDragScroll_) grabnDragScroll_->stopDisplayLink();
    if (auto* movement = movementListener()) {
        movement->setDelegate(this);
        movement->startListeningToMovment();
    }
}

void MouseButtonListener::endGrab() {
    if (auto* movement = movementListener()) movement->stopListeningToMovment();
    grabDown_ = false;
    MouseCursor::changeCursorStyle(MouseCursor::kArrow);
    closeOverlay();
    if (auto* grab = grabnDragScroll_ ? grabnDragScroll_ : grabEngine()) grab->stopScrollWithGrab();
}

void MouseButtonListener::movmentDetected(Event& event) {
    const bool pinned = SettingsKeeper::shared().getIsDisableGrabMoveCursor();
    if (dragCounter_ == 0 && pinned) {
        showOverlay(0);
        if (auto* window = overlayWindow()) window->setHasShadow(false);
        Point icon = overlayPointer();
        icon.y -= kGrabIconOffset;
        if (auto* screen = fullScreen()) screen->setAutoScrollAnchorPoint(icon);
    }
    ++dragCounter_;
    if (!directionInspector_ || !grabnDragScroll_) return;
    directionInspector_->setDelegate(&grabnDragScroll_->directionDelegate());
    directionInspector_->grabDirection(event.location(),
                                       event.doubleField(EventField::MouseEventDeltaX),
                                       event.doubleField(EventField::MouseEventDeltaY));
    if (pinned) {
        MouseCursor::changeCursorStyle(MouseCursor::kCrosshair);
        event.setLocation(anchorPointForGrab_);
    } else {
        MouseCursor::changeCursorStyle(MouseCursor::kClosedHand);
    }
    grabnDragScroll_->startDisplayLink();
}

// ---- Gestures and rocker presses ----

StageVerdict MouseButtonListener::gestureStage(EventType type, const Event& event) {
    const auto gestureButton = SettingsKeeper::shared().getGestureNumber();
    if (!gestureButton || buttonOf(event) != *gestureButton || isReplayedClick(event))
        return StageVerdict::next();
    // The Gestures screen draws the gesture itself.
    if (tabIsOnInFront(PreferencesTab::Gestures)) return StageVerdict::pass("gesture");

    if (isPress(type)) {
        startGesture();
        return StageVerdict::swallow("gesture");
    }
    if (isDrag(type)) {
        drawGesture();
        return StageVerdict::next();
    }
    if (!isRelease(type)) return StageVerdict::next();

    gestureButtonPressed_ = false;
    gestureDown_ = false;
    closeOverlay();
    if (auto* screen = fullScreen()) screen->removeAllLines();
    if (gestureDirections_.empty()) {
        // Drawn without a stroke: nothing happens. Not drawn at all: the
        // button was only clicked.
        if (showDrawScreen_) return StageVerdict::swallow("gesture");
        replayGestureClick(type, event);
        return StageVerdict::next();
    }
    runDrawnGesture();
    return StageVerdict::next();
}

void MouseButtonListener::startGesture() {
    gestureDown_ = true;
    gestureButtonPressed_ = true;
    gestureDirections_.clear();
    directionInspector_ = std::make_unique<MouseDirectionInspector>(overlayPointer());
    readyForDragg_ = true;
    showDrawScreen_ = false;
}

void MouseButtonListener::drawGesture() {
    if (readyForDragg_ && directionInspector_ &&
        directionInspector_->isDraggSubstantial(overlayPointer())) {
        directionInspector_.reset();
        showOverlay(1);
        // Strokes are measured from where the overlay appeared.
        const Point start = overlayPointer();
        directionInspector_ = std::make_unique<MouseDirectionInspector>(start);
        directionInspector_->setDelegate(this);
        if (auto* screen = fullScreen()) screen->readyForDragSettings(start);
        readyForDragg_ = false;
        showDrawScreen_ = true;
    }
    if (showDrawScreen_ && directionInspector_) {
        const Point p = overlayPointer();
        directionInspector_->findMouseDirection(p);
        if (auto* screen = fullScreen()) screen->drawLineWithPosition(p);
    }
}

void MouseButtonListener::foundNewDirection(std::uint64_t direction) {
    gestureDirections_ += std::to_string(direction);
    if (auto* screen = fullScreen()) screen->foundDirection(direction);
}

void MouseButtonListener::replayGestureClick(EventType releaseType, const Event& release) {
    const bool right = releaseType == EventType::RightMouseUp;
    const Point at = installedPlatform().eventStream().pointerLocation();
    const std::uint64_t flags = getModifiersFlagForEvent(release.flags());
    for (EventType type : {right ? EventType::RightMouseDown : EventType::OtherMouseDown,
                           right ? EventType::RightMouseUp : EventType::OtherMouseUp}) {
        Event click = Event::mouse(
            type, at, right ? platform::MouseButton::Right : platform::MouseButton::Center);
        if (!right) click.setIntegerField(EventField::MouseEventButtonNumber, buttonOf(release));
        click.setFlags(flags);
        click.setIntegerField(EventField::MouseEventNumber, platform::EventMarks::kReplayedClick);
        installedPlatform().eventStream().post(platform::TapLocation::HID, click);
    }
}

void MouseButtonListener::runDrawnGesture() {
    auto& settings = SettingsKeeper::shared();
    lastUnderMouseApp_ = FrontMostObserver::underMouseApp();
    if (lastUnderMouseApp_ && !lastUnderMouseApp_->bundleIdentifier.empty()) {
        if (auto gesture = settings.fetchGestureByBundleWndDirections(
                lastUnderMouseApp_->bundleIdentifier, gestureDirections_)) {
            // The application's own gesture is meant for it: it must be active
            // to receive what the action posts.
            if (!lastUnderMouseApp_->active) SimulateMouse::leftClick();
            runAction(gesture);
            return;
        }
    }
    auto global = settings.fetchGestureByBundleWndDirections(AppWithGestures::kGlobalBundleId,
                                                             gestureDirections_);
    runAction(global);
}

StageVerdict MouseButtonListener::rockerStage(EventType type, const Event& event) {
    if (!SettingsKeeper::shared().getGestureNumber() || !gestureButtonPressed_ ||
        isReplayedClick(event))
        return StageVerdict::next();
    if (platform::isMouseDown(type)) {
        runRockerGesture(buttonOf(event));
        return StageVerdict::swallow("rocker");
    }
    if (type == EventType::ScrollWheel) return AssignmentRouting::wheelStage(*this, event);
    return StageVerdict::pass("rocker");
}

void MouseButtonListener::runRockerGesture(std::int64_t button) {
    auto& settings = SettingsKeeper::shared();
    const std::string key = std::to_string(button);
    const auto isRocker = [](const std::shared_ptr<Gesture>& g) {
        return g && !g->gestureDirections;
    };
    lastUnderMouseApp_ = FrontMostObserver::underMouseApp();
    if (lastUnderMouseApp_ && !lastUnderMouseApp_->bundleIdentifier.empty()) {
        if (auto gesture = settings.fetchGestureByBundleWithdBindNumberStr(
                lastUnderMouseApp_->bundleIdentifier, key)) {
            if (isRocker(gesture)) runRockerAction(gesture);
            return;
        }
    }
    auto& all = settings.getAllGestures();
    auto global = all.find(AppWithGestures::kGlobalBundleId);
    if (global == all.end()) return;
    auto gesture = global->second.find(key);
    if (gesture != global->second.end() && isRocker(gesture->second))
        runRockerAction(gesture->second);
}

// ---- Overlay and helpers ----

void MouseButtonListener::showOverlay(int viewsState) {
    if (auto* window = overlayWindow()) {
        window->show();
        window->setFrame(getRectForClick());
        window->setLevel(kFloatingWindowLevel);
    }
    if (auto* screen = fullScreen()) screen->setViewsState(viewsState);
}

void MouseButtonListener::closeOverlay() {
    if (auto* window = overlayWindow()) window->close();
}

platform::Rect MouseButtonListener::getRectForClick() {
    auto& platform = installedPlatform();
    const Point pointer = platform.eventStream().pointerLocation();
    const auto displays = platform.screens().displaysWithPoint(pointer, 1);
    if (!displays) {
        WEXO_LOG_ERROR("ERROR.");
        return {};
    }
    if (displays->empty()) return {};
    for (const auto& screen : platform.screens().screens())
        if (screen.screenNumber == displays->front()) return screen.frame;
    return {};
}

std::uint64_t MouseButtonListener::getModifiersFlagForEvent(std::uint64_t flags) {
    return flags & kModifierKeysMask;
}

void MouseButtonListener::turnScrollProcessingOn() {
    canProcessScroll_ = true;
}

bool MouseButtonListener::takeWheelActionTurn() {
    if (!canProcessScroll_) return false;
    canProcessScroll_ = false;
    scrollProcessingTimer_ = installedPlatform().runLoop().performAfterDelay(
        kWheelActionPause, [this] { turnScrollProcessingOn(); });
    return true;
}

void MouseButtonListener::endInteractions() {
    if (grabDown_) endGrab();
    if (gestureDown_ || gestureButtonPressed_) {
        gestureDown_ = false;
        gestureButtonPressed_ = false;
        closeOverlay();
        if (auto* screen = fullScreen()) screen->removeAllLines();
    }
    auto* engine = autoScrollEngine();
    const bool scrolling = engine && engine->isScrollingInProgress();
    if (autoScrollDown_ || scrolling) {
        autoScrollDown_ = false;
        autoScrollHoldEnoughDistanceActivated_ = false;
        if (scrolling) engine->stopDisplayLink();
        closeOverlay();
    }
}

}  // namespace wexo
