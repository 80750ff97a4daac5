#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "events/EngineLinks.h"
#include "events/MouseDirectionInspector.h"
#include "events/MouseDirectionInspectorDelegate.h"
#include "events/MouseMovmentDelegate.h"
#include "events/MouseTapMachine.h"
#include "events/PressFates.h"
#include "events/StageVerdict.h"
#include "platform/Event.h"
#include "platform/EventStream.h"
#include "platform/Geometry.h"
#include "platform/RunLoop.h"
#include "platform/Shared.h"
#include "platform/Workspace.h"

namespace wexo {

// The main mouse tap. Every button press, release and drag (but the left
// button's release) and every wheel event passes its callback, which decides
// whether the event starts or belongs to auto-scroll, a grab, a gesture or a
// rocker press, a button or wheel assignment, or a preferences screen that
// captures buttons; it then passes the event, swallows it, or posts events in
// its place. It also places the overlay window for auto-scroll, grabs and
// gestures, and follows the pointer during a mouse-button grab.
//
// The callback is a fixed sequence of stages (see decide); each is a function
// that settles the event or hands it on, and the decision trace names the
// stage that settled it. Auto-scroll, grabs and gestures are one state
// machine (MouseTapMachine.h): the interaction stage asks it what the event
// means in the current state and runs the transition it names, each traced.
// An event the state cannot explain is logged and passed unchanged. Main
// thread only.
class MouseButtonListener : public MouseButtonStateLink,
                            public MouseMovmentDelegate,
                            public MouseDirectionInspectorDelegate {
  public:
    // Left, right and other presses; right and other releases; left, right
    // and other drags; the wheel. Left releases never reach the tap.
    static constexpr std::uint64_t kMouseEventMask = 0xE4000DA;
    // A grab with fewer movement events than this was a click.
    static constexpr std::int64_t kGrabClickMovements = 20;
    // In hold-to-activate mode, auto-scroll starts once the pointer is more
    // than this many whole points from the press on either axis.
    static constexpr std::int64_t kHoldActivationDistance = 5;
    // After a wheel-direction action, no other fires for this long.
    static constexpr double kWheelActionPause = 0.3;
    // Shift, Control, Option, Command and the secondary-function key.
    static constexpr std::uint64_t kModifierKeysMask = 0x9E0000;
    // The pinned-grab anchor icon sits this far below the pointer.
    static constexpr double kGrabIconOffset = 17;

    // Records itself as the shared instance and as the source of the held
    // flags the grab engine's maintenance timer reads.
    MouseButtonListener();
    // Stops the tap and ends whatever the tap had running.
    ~MouseButtonListener() override;
    MouseButtonListener(const MouseButtonListener&) = delete;
    MouseButtonListener& operator=(const MouseButtonListener&) = delete;

    static MouseButtonListener& shared();

    // Allows wheel actions and installs the tap in its place among the
    // program's taps, or enables the one installed before. Without
    // Accessibility trust no tap can be made; that is logged.
    void startListeningToButtons();
    // Disables the tap. A grab, gesture or auto-scroll that was running ends
    // here: its release would no longer reach the tap, and nothing else
    // would end it.
    void stopListeningToButtons();
    bool isListening() const;

    // Shows the auto-scroll icon in the overlay at the pointer and starts
    // auto-scroll there.
    void showAutoScrollIconAndWindow();
    // The frame of the screen under the pointer (screen-list coordinates);
    // the zero rectangle, logged as "ERROR.", when the display lookup fails,
    // and the zero rectangle when no screen matches.
    static platform::Rect getRectForClick();
    // Only the modifier keys' bits of the flags.
    static std::uint64_t getModifiersFlagForEvent(std::uint64_t flags);
    // Wheel-direction actions may fire again.
    void turnScrollProcessingOn();
    // Takes the turn of one wheel-direction action: false while the pause
    // after the last one lasts; otherwise starts a new pause.
    bool takeWheelActionTurn();

    // MouseMovmentDelegate: a movement during a mouse-button grab.
    void movmentDetected(platform::Event& event) override;
    // MouseDirectionInspectorDelegate: a stroke of the gesture being drawn.
    void foundNewDirection(std::uint64_t direction) override;

    // The tap's callback.
    [[nodiscard]] platform::Verdict mouseEventCallback(platform::EventType type,
                                                       platform::Event& event);

    // MouseButtonStateLink.
    bool grabDown() const override { return state_ == TapState::Grabbing; }
    bool gestureDown() const override { return gestureButtonPressed(); }
    bool autoScrollDown() const override {
        return state_ == TapState::AutoScrollArmed || state_ == TapState::AutoScrollClicked ||
               state_ == TapState::AutoScrollHolding;
    }

    TapState state() const { return state_; }
    // The button of the running interaction; meaningless while idle.
    std::int64_t heldButton() const { return heldButton_; }
    bool gestureButtonPressed() const {
        return state_ == TapState::GestureArmed || state_ == TapState::GestureDrawing;
    }
    bool readyForDragg() const { return state_ == TapState::GestureArmed; }
    bool showDrawScreen() const { return state_ == TapState::GestureDrawing; }
    bool canProcessScroll() const { return canProcessScroll_; }
    bool autoScrollHoldEnoughDistanceActivated() const {
        return state_ == TapState::AutoScrollHolding;
    }
    const std::string& gestureDirections() const { return gestureDirections_; }
    std::int64_t dragCounter() const { return dragCounter_; }
    platform::Point anchorPointForGrab() const { return anchorPointForGrab_; }
    platform::Point anchorPointForAutoScroll() const { return anchorPointForAutoScroll_; }
    const std::optional<platform::RunningApplication>& lastUnderMouseApp() const {
        return lastUnderMouseApp_;
    }

  private:
    // The stages, in the callback's order.
    StageVerdict decide(platform::EventType type, platform::Event& event);
    StageVerdict accessibilityWatchdog();
    StageVerdict tapNotices(platform::EventType type, const platform::Event& event);
    StageVerdict autoScrollRunning(platform::EventType type);
    StageVerdict grabRunning(platform::EventType type);
    StageVerdict bindCapture(platform::EventType type, const platform::Event& event);
    StageVerdict passThrough(platform::EventType type, const platform::Event& event);
    StageVerdict interaction(platform::EventType type, platform::Event& event);
    StageVerdict lastStage(platform::EventType type, const platform::Event& event);

    // The machine: what the event is in the current state, and the effects
    // of the transition it makes.
    TapInput classify(platform::EventType type, const platform::Event& event);
    TapInput classifyIdlePress(const platform::Event& event);
    StageVerdict apply(TapStep step, TapInput input, platform::EventType type,
                       platform::Event& event);
    void traceTransition(TapTransition transition, TapState from, TapState to) const;
    void rememberPress(platform::EventType type, const platform::Event& event, bool passed);

    // Parts of the transitions.
    void startGrab(platform::Point at);
    void endGrab();
    StageVerdict finishGrab(const platform::Event& release);
    void startGesture();
    void showGestureOverlay();
    void drawGesture();
    void endGesture();
    void showOverlay(int viewsState);
    void closeOverlay();
    // Auto-scroll, a grab or a gesture in progress comes to its end as if
    // its button had been let go without effect.
    void endInteractions();

    TapState state_ = TapState::Idle;
    std::int64_t heldButton_ = 0;
    // Releases are handled to match their presses, so that an application
    // never keeps a button down that the tap let it see pressed.
    PressFates fates_;
    bool canProcessScroll_ = false;
    std::unique_ptr<platform::EventTap> mouseEventTap_;
    std::string gestureDirections_;
    std::unique_ptr<MouseDirectionInspector> directionInspector_;
    std::optional<platform::RunningApplication> lastUnderMouseApp_;
    GrabEngineLink* grabnDragScroll_ = nullptr;
    std::int64_t dragCounter_ = 0;
    platform::Point anchorPointForGrab_;
    platform::Point anchorPointForAutoScroll_;
    // The delayed turnScrollProcessingOn, dropped with the listener.
    std::shared_ptr<platform::Timer> scrollProcessingTimer_;

    SharedInstallation<MouseButtonListener> installation_{this};
    SharedInstallation<MouseButtonStateLink> stateInstallation_{this};
};

}  // namespace wexo
