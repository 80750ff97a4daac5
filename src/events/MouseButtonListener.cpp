#include "events/MouseButtonListener.h"

#include <cmath>

#include "actions/KxShortcutsKeeper.h"
#include "actions/SimulateMouse.h"
#include "app/HelperMethods.h"
#include "cursor/MouseCursor.h"
#include "events/ApplicationLink.h"
#include "events/AssignmentRouting.h"
#include "events/DecisionTracer.h"
#include "events/EventTapOrder.h"
#include "events/GestureActions.h"
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

// Events the program posted itself; no stage acts on them again.
bool isOwnEvent(const Event& e) {
    const std::int64_t mark = e.integerField(EventField::EventSourceUserData);
    return mark == platform::EventMarks::kSyntheticInput ||
           mark == platform::EventMarks::kOwnScroll;
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
    rememberPress(type, event, !decided.swallows());
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
    if (auto v = interaction(type, event); v.decided()) return v;
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

// Whatever was held when the system disabled the tap ends there: releases
// may have gone by unseen while it was off, and an interaction waiting for
// one would hold the overlay, the movement watcher and the left button.
StageVerdict MouseButtonListener::tapNotices(EventType type, const Event& event) {
    if (type == EventType::TapDisabledByUserInput) {
        endInteractions();
        return StageVerdict::pass("tapDisabled");
    }
    if (event.integerField(EventField::KeyboardEventAutorepeat) != 0)
        return StageVerdict::pass("autorepeat");
    if (type == EventType::TapDisabledByTimeout) {
        endInteractions();
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
    if (state_ == TapState::Grabbing &&
        (type == EventType::LeftMouseDown || type == EventType::LeftMouseDragged))
        return StageVerdict::swallow("grabRunning");
    return StageVerdict::next();
}

StageVerdict MouseButtonListener::bindCapture(EventType type, const Event& event) {
    if (!SettingsKeeper::shared().getGestureNumber()) return StageVerdict::next();
    auto* registry = screenRegistry();
    auto* gestures = registry ? registry->gesturesVC() : nullptr;
    if (!gestures || !tabIsOnInFront(PreferencesTab::Gestures) || !gestures->readyForBind())
        return StageVerdict::next();
    // The interaction that began before the screen came to the front still
    // ends with its button.
    if (state_ != TapState::Idle && isRelease(type) && buttonOf(event) == heldButton_)
        return StageVerdict::next();
    if (platform::isMouseDown(type))
        gestures->setBindButton(KxShortcutsKeeper::getPreDdefinedButtonsByNumber(buttonOf(event)));
    return StageVerdict::swallow("bindCapture");
}

StageVerdict MouseButtonListener::passThrough(EventType type, const Event& event) {
    if (type == EventType::LeftMouseDragged) return StageVerdict::pass("leftButton");
    if (type == EventType::LeftMouseDown && !gestureButtonPressed())
        return StageVerdict::pass("leftButton");
    if (isOwnEvent(event)) return StageVerdict::pass("ownEvent");
    return StageVerdict::next();
}

StageVerdict MouseButtonListener::interaction(EventType type, Event& event) {
    const TapInput input = classify(type, event);
    const TapStep step = nextTapStep(state_, input);
    if (step.transition == TapTransition::Unused) return StageVerdict::next();
    return apply(step, input, type, event);
}

StageVerdict MouseButtonListener::lastStage(EventType type, const Event& event) {
    if (isPress(type)) return AssignmentRouting::buttonStage(event);
    if (type == EventType::ScrollWheel) return AssignmentRouting::wheelStage(*this, event);
    // A gesture held: what its rocker stage lets through.
    if (gestureButtonPressed()) return StageVerdict::pass("rocker");
    return StageVerdict::pass("unclaimed");
}

// ---- The machine ----

TapInput MouseButtonListener::classify(EventType type, const Event& event) {
    const std::int64_t button = buttonOf(event);
    if (type == EventType::ScrollWheel) return TapInput::Wheel;
    if (isReplayedClick(event)) return TapInput::ReplayedClick;
    const bool held = state_ != TapState::Idle && button == heldButton_;

    if (platform::isMouseDown(type)) {
        if (type == EventType::LeftMouseDown) return TapInput::Press;
        if (held) return TapInput::HeldPress;
        return state_ == TapState::Idle ? classifyIdlePress(event) : TapInput::Press;
    }
    if (isRelease(type)) {
        if (held) return TapInput::HeldRelease;
        switch (fates_.pending(button)) {
            case PressFates::Fate::Passed:
                return TapInput::PassedRelease;
            case PressFates::Fate::Swallowed:
                return TapInput::Release;
            case PressFates::Fate::Unseen:
                break;
        }
        // Buttons beyond those followed are taken at their word.
        return PressFates::follows(button) ? TapInput::UnpairedRelease : TapInput::Release;
    }
    if (isDrag(type)) {
        // While armed, any button's drag measures the distance: with two
        // buttons down the system names the drag after one of them.
        if (state_ == TapState::AutoScrollArmed) {
            const Point at = event.location();
            const std::int64_t dx = truncToInt64(std::fabs(at.x - anchorPointForAutoScroll_.x));
            const std::int64_t dy = truncToInt64(std::fabs(at.y - anchorPointForAutoScroll_.y));
            const bool far = dy > kHoldActivationDistance || dx > kHoldActivationDistance;
            return far ? TapInput::HeldDragFar : TapInput::HeldDrag;
        }
        if (!held) return TapInput::Drag;
        if (state_ == TapState::GestureArmed && directionInspector_ &&
            directionInspector_->isDraggSubstantial(overlayPointer()))
            return TapInput::HeldDragFar;
        return TapInput::HeldDrag;
    }
    return TapInput::Drag;
}

// The roles of a button, in their order: auto-scroll, grab, gesture.
TapInput MouseButtonListener::classifyIdlePress(const Event& event) {
    auto& settings = SettingsKeeper::shared();
    const std::int64_t button = buttonOf(event);
    const bool capture = captureMode();
    if (const auto autoScroll = settings.getAutoScrollButtonNumber();
        autoScroll && button == *autoScroll && !capture) {
        auto& platform = installedPlatform();
        const auto& cursor = platform.cursor();
        if (settings.getIsOverLinkActAsButtonOutlt() &&
            cursor.currentSystemCursorHotSpot() == cursor.pointingHandHotSpot())
            return TapInput::LinkPress;
        auto* engine = autoScrollEngine();
        const bool outsideScrollArea = settings.getIsSmartAutoScroll() &&
                                       platform.accessibility().isProcessTrusted(false) && engine &&
                                       !engine->isScrollArea();
        if (!outsideScrollArea)
            return settings.getIsHoldToActivate() ? TapInput::AutoScrollHoldPress
                                                  : TapInput::AutoScrollClickPress;
    }
    if (const auto grab = settings.getGrabButtonNumber(); grab && button == *grab && !capture)
        return TapInput::GrabPress;
    if (const auto gesture = settings.getGestureNumber(); gesture && button == *gesture)
        return tabIsOnInFront(PreferencesTab::Gestures) ? TapInput::ScreenGesturePress
                                                        : TapInput::GesturePress;
    return TapInput::Press;
}

StageVerdict MouseButtonListener::apply(TapStep step, TapInput input, EventType type,
                                        Event& event) {
    const TapState from = state_;
    const std::int64_t button = buttonOf(event);
    state_ = step.to;
    traceTransition(step.transition, from, step.to);

    using T = TapTransition;
    switch (step.transition) {
        case T::Unused:
            break;
        case T::ArmAutoScroll:
            heldButton_ = button;
            anchorPointForAutoScroll_ = event.location();
            return StageVerdict::swallow("autoScroll");
        case T::StartAutoScroll:
            heldButton_ = button;
            showAutoScrollIconAndWindow();
            return StageVerdict::swallow("autoScroll");
        case T::LeaveToLink:
            return StageVerdict::pass("autoScrollOverLink");
        case T::MeasureAutoScroll:
            return StageVerdict::pass("autoScroll");
        case T::ActivateAutoScroll:
            showAutoScrollIconAndWindow();
            return StageVerdict::pass("autoScroll");
        case T::ReplayAutoScrollClick:
            SimulateMouse::simulateMouseByButtonNumber(button);
            return StageVerdict::swallow("autoScroll");
        case T::LeaveAutoScrollRunning:
            return StageVerdict::pass("autoScroll");
        case T::StopAutoScroll:
            if (auto* engine = autoScrollEngine()) engine->stopDisplayLink();
            closeOverlay();
            return StageVerdict::swallow("autoScroll");
        case T::StartGrab:
        case T::RestartGrab:
            if (from == TapState::Grabbing) endGrab();
            heldButton_ = button;
            startGrab(event.location());
            return StageVerdict::swallow("grab");
        case T::FollowGrab:
            return StageVerdict::pass("grab");
        case T::EndGrab:
            return finishGrab(event);
        case T::BlockDuringGrab:
            return StageVerdict::swallow("grabRunning");
        case T::PassPairedRelease:
            return StageVerdict::pass("pairedRelease");
        case T::StartGesture:
        case T::RestartGesture:
            heldButton_ = button;
            startGesture();
            return StageVerdict::swallow("gesture");
        case T::LeaveToGesturesScreen:
            return StageVerdict::pass("gesture");
        case T::TrackGesture:
            return StageVerdict::pass("gesture");
        case T::ShowGesture:
            showGestureOverlay();
            drawGesture();
            return StageVerdict::pass("gesture");
        case T::DrawGesture:
            drawGesture();
            return StageVerdict::pass("gesture");
        case T::ReplayGestureClick:
            endGesture();
            GestureActions::replayGestureClick(type, event);
            return StageVerdict::pass("gesture");
        case T::FinishGesture:
            endGesture();
            // Shown but not drawn: the stroke was abandoned.
            if (gestureDirections_.empty()) return StageVerdict::swallow("gesture");
            lastUnderMouseApp_ = GestureActions::runDrawnGesture(gestureDirections_);
            return StageVerdict::pass("gesture");
        case T::RockerPress:
            lastUnderMouseApp_ = GestureActions::runRockerGesture(button);
            return StageVerdict::swallow("rocker");
        case T::Impossible:
            platform::Log::write(platform::LogLevel::Warning, __FILE__, __LINE__,
                                 "Mouse tap: " + std::string(tapInputName(input)) + " of button " +
                                     std::to_string(button) + " while " +
                                     std::string(tapStateName(from)) + "; passed unchanged.");
            return StageVerdict::pass("impossible");
        case T::EndInteraction:
            break;
    }
    return StageVerdict::next();
}

void MouseButtonListener::traceTransition(TapTransition transition, TapState from,
                                          TapState to) const {
    if (auto* tracer = SharedSlot<DecisionTracer>::get())
        tracer->transition(kTap, tapTransitionName(transition), tapStateName(from),
                           tapStateName(to));
}

void MouseButtonListener::rememberPress(EventType type, const Event& event, bool passed) {
    if (isOwnEvent(event) || isReplayedClick(event)) return;
    const std::int64_t button = buttonOf(event);
    if (isPress(type))
        fates_.pressed(button, passed ? PressFates::Fate::Passed : PressFates::Fate::Swallowed);
    if (isRelease(type)) fates_.released(button);
}

// ---- Auto-scroll ----

void MouseButtonListener::showAutoScrollIconAndWindow() {
    showOverlay(2);
    auto* window = overlayWindow();
    if (window) window->setHasShadow(false);
    const Point anchor = overlayPointer();
    if (auto* screen = fullScreen()) screen->setAutoScrollAnchorPoint(anchor);
    if (auto* engine = autoScrollEngine()) engine->startDisplayLinkWithPoint(anchor);
}

// ---- Grab ----

void MouseButtonListener::startGrab(Point at) {
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
    MouseCursor::changeCursorStyle(MouseCursor::kArrow);
    closeOverlay();
    if (auto* grab = grabnDragScroll_ ? grabnDragScroll_ : grabEngine()) grab->stopScrollWithGrab();
}

StageVerdict MouseButtonListener::finishGrab(const Event& release) {
    auto& settings = SettingsKeeper::shared();
    const std::int64_t button = buttonOf(release);
    endGrab();
    if (dragCounter_ < kGrabClickMovements && !settings.getIsDisableGrabAction() &&
        !tabIsOnInFront(PreferencesTab::Grab)) {
        // Assignments are stored under the modifier keys only; Caps Lock
        // must not hide them (see AssignmentRouting::kAssignmentMask).
        if (!AssignmentRouting::runAssignment(button,
                                              release.flags() & AssignmentRouting::kAssignmentMask))
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
    return StageVerdict::pass("grab");
}

void MouseButtonListener::movmentDetected(Event& event) {
    // The watcher hears movements only between a grab's press and release.
    if (state_ != TapState::Grabbing) return;
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

void MouseButtonListener::startGesture() {
    gestureDirections_.clear();
    directionInspector_ = std::make_unique<MouseDirectionInspector>(overlayPointer());
}

void MouseButtonListener::showGestureOverlay() {
    directionInspector_.reset();
    showOverlay(1);
    // Strokes are measured from where the overlay appeared.
    const Point start = overlayPointer();
    directionInspector_ = std::make_unique<MouseDirectionInspector>(start);
    directionInspector_->setDelegate(this);
    if (auto* screen = fullScreen()) screen->readyForDragSettings(start);
}

void MouseButtonListener::drawGesture() {
    if (!directionInspector_) return;
    const Point p = overlayPointer();
    directionInspector_->findMouseDirection(p);
    if (auto* screen = fullScreen()) screen->drawLineWithPosition(p);
}

void MouseButtonListener::endGesture() {
    closeOverlay();
    if (auto* screen = fullScreen()) screen->removeAllLines();
}

void MouseButtonListener::foundNewDirection(std::uint64_t direction) {
    gestureDirections_ += std::to_string(direction);
    if (auto* screen = fullScreen()) screen->foundDirection(direction);
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
    const TapState from = state_;
    auto* engine = autoScrollEngine();
    const bool scrolling = engine && engine->isScrollingInProgress();
    if (from == TapState::Idle && !scrolling) return;
    state_ = TapState::Idle;
    traceTransition(TapTransition::EndInteraction, from, state_);
    switch (from) {
        case TapState::Grabbing:
            endGrab();
            break;
        case TapState::GestureArmed:
        case TapState::GestureDrawing:
            endGesture();
            break;
        default:
            break;
    }
    if (scrolling) engine->stopDisplayLink();
    if (scrolling || from != TapState::Grabbing) closeOverlay();
}

}  // namespace wexo
