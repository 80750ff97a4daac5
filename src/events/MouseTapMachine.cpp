#include "events/MouseTapMachine.h"

namespace wexo {

namespace {

using S = TapState;
using I = TapInput;
using T = TapTransition;

constexpr TapStep stay(S s, T t) {
    return {t, s};
}

TapStep fromIdle(I input) {
    switch (input) {
        case I::AutoScrollClickPress:
            return {T::StartAutoScroll, S::AutoScrollClicked};
        case I::AutoScrollHoldPress:
            return {T::ArmAutoScroll, S::AutoScrollArmed};
        case I::GrabPress:
            return {T::StartGrab, S::Grabbing};
        case I::GesturePress:
            return {T::StartGesture, S::GestureArmed};
        case I::LinkPress:
            return stay(S::Idle, T::LeaveToLink);
        case I::ScreenGesturePress:
            return stay(S::Idle, T::LeaveToGesturesScreen);
        case I::Press:
        case I::Release:
        case I::PassedRelease:
        case I::Drag:
        case I::Wheel:
        case I::ReplayedClick:
            return stay(S::Idle, T::Unused);
        default:
            return stay(S::Idle, T::Impossible);
    }
}

// Other buttons keep their ordinary meaning while the auto-scroll button is
// down; a press while auto-scroll runs has stopped it before the machine
// sees it.
TapStep fromAutoScroll(S from, I input) {
    switch (input) {
        case I::HeldDrag:
            return from == S::AutoScrollArmed ? stay(from, T::MeasureAutoScroll)
                                              : stay(from, T::Unused);
        case I::HeldDragFar:
            return from == S::AutoScrollArmed ? TapStep{T::ActivateAutoScroll, S::AutoScrollHolding}
                                              : stay(from, T::Unused);
        case I::HeldRelease:
            if (from == S::AutoScrollArmed) return {T::ReplayAutoScrollClick, S::Idle};
            if (from == S::AutoScrollClicked) return {T::LeaveAutoScrollRunning, S::Idle};
            return {T::StopAutoScroll, S::Idle};
        case I::HeldPress:
            return from == S::AutoScrollClicked ? stay(from, T::StartAutoScroll)
                                                : TapStep{T::ArmAutoScroll, S::AutoScrollArmed};
        case I::UnpairedRelease:
            return stay(from, T::Impossible);
        default:
            return stay(from, T::Unused);
    }
}

TapStep fromGrabbing(I input) {
    switch (input) {
        case I::HeldPress:
            return stay(S::Grabbing, T::RestartGrab);
        case I::HeldDrag:
        case I::HeldDragFar:
            return stay(S::Grabbing, T::FollowGrab);
        case I::HeldRelease:
            return {T::EndGrab, S::Idle};
        case I::PassedRelease:
            return stay(S::Grabbing, T::PassPairedRelease);
        case I::UnpairedRelease:
            return stay(S::Grabbing, T::Impossible);
        case I::Press:
        case I::Release:
        case I::Drag:
        case I::Wheel:
        case I::ReplayedClick:
            return stay(S::Grabbing, T::BlockDuringGrab);
        default:
            return stay(S::Grabbing, T::Impossible);
    }
}

TapStep fromGesture(S from, I input) {
    switch (input) {
        case I::HeldPress:
            return {T::RestartGesture, S::GestureArmed};
        case I::HeldDrag:
            return from == S::GestureArmed ? stay(from, T::TrackGesture)
                                           : stay(from, T::DrawGesture);
        case I::HeldDragFar:
            return from == S::GestureArmed ? TapStep{T::ShowGesture, S::GestureDrawing}
                                           : stay(from, T::DrawGesture);
        case I::HeldRelease:
            return from == S::GestureArmed ? TapStep{T::ReplayGestureClick, S::Idle}
                                           : TapStep{T::FinishGesture, S::Idle};
        case I::Press:
            return stay(from, T::RockerPress);
        case I::UnpairedRelease:
            return stay(from, T::Impossible);
        case I::Release:
        case I::PassedRelease:
        case I::Drag:
        case I::Wheel:
        case I::ReplayedClick:
            return stay(from, T::Unused);
        default:
            return stay(from, T::Impossible);
    }
}

}  // namespace

TapStep nextTapStep(TapState from, TapInput input) {
    switch (from) {
        case S::Idle:
            return fromIdle(input);
        case S::AutoScrollArmed:
        case S::AutoScrollClicked:
        case S::AutoScrollHolding:
            return fromAutoScroll(from, input);
        case S::Grabbing:
            return fromGrabbing(input);
        case S::GestureArmed:
        case S::GestureDrawing:
            return fromGesture(from, input);
    }
    return stay(from, T::Impossible);
}

std::string_view tapStateName(TapState state) {
    switch (state) {
        case S::Idle:
            return "idle";
        case S::AutoScrollArmed:
            return "autoScrollArmed";
        case S::AutoScrollClicked:
            return "autoScrollClicked";
        case S::AutoScrollHolding:
            return "autoScrollHolding";
        case S::Grabbing:
            return "grabbing";
        case S::GestureArmed:
            return "gestureArmed";
        case S::GestureDrawing:
            return "gestureDrawing";
    }
    return "?";
}

std::string_view tapInputName(TapInput input) {
    switch (input) {
        case I::AutoScrollClickPress:
            return "autoScrollClickPress";
        case I::AutoScrollHoldPress:
            return "autoScrollHoldPress";
        case I::GrabPress:
            return "grabPress";
        case I::GesturePress:
            return "gesturePress";
        case I::LinkPress:
            return "linkPress";
        case I::ScreenGesturePress:
            return "screenGesturePress";
        case I::HeldPress:
            return "heldPress";
        case I::HeldDrag:
            return "heldDrag";
        case I::HeldDragFar:
            return "heldDragFar";
        case I::HeldRelease:
            return "heldRelease";
        case I::Press:
            return "press";
        case I::Release:
            return "release";
        case I::PassedRelease:
            return "passedRelease";
        case I::UnpairedRelease:
            return "unpairedRelease";
        case I::Drag:
            return "drag";
        case I::Wheel:
            return "wheel";
        case I::ReplayedClick:
            return "replayedClick";
    }
    return "?";
}

std::string_view tapTransitionName(TapTransition transition) {
    switch (transition) {
        case T::Unused:
            return "none";
        case T::ArmAutoScroll:
            return "armAutoScroll";
        case T::StartAutoScroll:
            return "startAutoScroll";
        case T::LeaveToLink:
            return "leaveToLink";
        case T::MeasureAutoScroll:
            return "measureAutoScroll";
        case T::ActivateAutoScroll:
            return "activateAutoScroll";
        case T::ReplayAutoScrollClick:
            return "replayAutoScrollClick";
        case T::LeaveAutoScrollRunning:
            return "leaveAutoScrollRunning";
        case T::StopAutoScroll:
            return "stopAutoScroll";
        case T::StartGrab:
            return "startGrab";
        case T::RestartGrab:
            return "restartGrab";
        case T::FollowGrab:
            return "followGrab";
        case T::EndGrab:
            return "endGrab";
        case T::BlockDuringGrab:
            return "blockDuringGrab";
        case T::PassPairedRelease:
            return "passPairedRelease";
        case T::StartGesture:
            return "startGesture";
        case T::LeaveToGesturesScreen:
            return "leaveToGesturesScreen";
        case T::RestartGesture:
            return "restartGesture";
        case T::TrackGesture:
            return "trackGesture";
        case T::ShowGesture:
            return "showGesture";
        case T::DrawGesture:
            return "drawGesture";
        case T::ReplayGestureClick:
            return "replayGestureClick";
        case T::FinishGesture:
            return "finishGesture";
        case T::RockerPress:
            return "rockerPress";
        case T::Impossible:
            return "impossible";
        case T::EndInteraction:
            return "endInteraction";
    }
    return "?";
}

}  // namespace wexo
