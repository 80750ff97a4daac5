#include "grab/GrabnDragScroll.h"

#include <cmath>
#include <utility>
#include <variant>

#include "app/HelperMethods.h"
#include "easing/EasingFunctions.h"
#include "events/WholeNumbers.h"
#include "platform/EventMarks.h"
#include "platform/Log.h"
#include "platform/Platform.h"
#include "settings/KxDefaults.h"
#include "settings/SettingsKeeper.h"

namespace wexo {

namespace {

// Signs of the axes for the direction the tracker reported last.
double horizontalSign(std::uint64_t direction) {
    return direction == 3 ? -1.0 : direction == 4 ? 1.0 : 0.0;
}
double verticalSign(std::uint64_t direction) {
    return direction == 1 ? 1.0 : direction == 2 ? -1.0 : 0.0;
}

// The grab speed factor as a whole number. The cache holds 0 until the Grab
// screen fills it, and no speed below 1 makes sense, so anything below 1
// (or not a number) reads as the default 1.
std::int64_t speedFactor(double stored) {
    if (!(stored >= 1.0)) return 1;
    return truncToInt64(stored);
}

// The throw's length in frames, as the single-precision number the setting
// is taken as. A length that is not finite would throw forever (or never
// decide), and a negative one is no throw at all: both read as 0.
double throwFrames(double stored) {
    const double frames = static_cast<double>(static_cast<float>(stored));
    if (!std::isfinite(frames) || frames < 0) {
        WEXO_LOG_ERROR("Throw duration %f is not usable; no throw.", stored);
        return 0;
    }
    return frames;
}

}  // namespace

GrabnDragScroll::GrabnDragScroll() {
    auto& platform = installedPlatform();
    auto created = platform.displayLinks().create(platform.screens().mainDisplayId());
    if (auto* error = std::get_if<int>(&created)) {
        WEXO_LOG_ERROR("DisplayLink created with error:%d", *error);
    } else {
        displayLink_ = std::move(std::get<std::unique_ptr<platform::DisplayLink>>(created));
        displayLink_->setOutputCallback([this] { displayLinkCallback(); });
    }
    isGrabAnimationRunning_.store(false, std::memory_order_release);
    {
        std::lock_guard lock(mutex_);
        fields_.localThrowDuration = 1.0;
    }
    grabRestartTimer_ = platform.runLoop().schedule(kMaintenanceInterval, kMaintenanceInterval,
                                                    [this] { grabRestartFire(); });
}

GrabnDragScroll::~GrabnDragScroll() {
    // Nobody may reach a half-destroyed engine, and no frame may run into it.
    SharedSlot<GrabEngineLink>::uninstall(this);
    SharedSlot<GrabnDragScroll>::uninstall(this);
    if (grabRestartTimer_) grabRestartTimer_->invalidate();
    if (displayLink_) displayLink_->stop();
    displayLink_.reset();
}

GrabnDragScroll& GrabnDragScroll::sharedInstance() {
    return SharedSlot<GrabnDragScroll>::require();
}

void GrabnDragScroll::startDisplayLink() {
    const std::int64_t acceleration = speedFactor(SettingsKeeper::shared().getGrabAccelNumber());
    {
        std::lock_guard lock(mutex_);
        fields_.finishingAnimationCounter = 0;
        fields_.draggingIsLiveCounter = 0;
        fields_.currentAcceleration = acceleration;
        isGrabAnimationRunning_.store(true, std::memory_order_release);
    }
    if (displayLink_) displayLink_->start();
}

void GrabnDragScroll::stopDisplayLink() {
    {
        std::lock_guard lock(mutex_);
        resetLocked();
        isGrabAnimationRunning_.store(false, std::memory_order_release);
    }
    if (displayLink_) displayLink_->stop();
}

void GrabnDragScroll::stopScrollWithGrab() {
    const auto& settings = SettingsKeeper::shared();
    // Without a link nothing would ever run the throw, and the running flag
    // it keeps set would hold off wheel scrolling until the next grab.
    if (settings.getIsAnimateThrow() && displayLink_) {
        const double frames = throwFrames(settings.getThrowDuration());
        std::lock_guard lock(mutex_);
        fields_.localAnimateScroll = true;
        fields_.localThrowDuration = frames;
        return;
    }
    {
        std::lock_guard lock(mutex_);
        fields_.localAnimateScroll = false;
    }
    stopDisplayLink();
}

void GrabnDragScroll::foundNewDirection(std::uint64_t direction) {
    std::lock_guard lock(mutex_);
    fields_.currentDirection = direction;
}

void GrabnDragScroll::foundNewEvent(platform::Point location, double deltaX, double deltaY) {
    std::lock_guard lock(mutex_);
    fields_.currentPoint = location;
    fields_.distanceFromDeltaX += std::fabs(deltaX);
    fields_.distanceFromDeltaY += std::fabs(deltaY);
    fields_.draggingIsLiveCounter = 0;
    if (fields_.lastPoint == platform::Point{}) fields_.lastPoint = location;
}

void GrabnDragScroll::displayLinkCallback() {
    const auto& settings = SettingsKeeper::shared();
    const double reverseH = settings.getIsReverseGrabHorizontal() ? 1.0 : -1.0;
    const double reverseV = settings.getIsReverseGrabVertical() ? 1.0 : -1.0;
    const bool pinned = settings.getIsDisableGrabMoveCursor();

    std::int32_t wheelVertical = 0;
    std::int32_t wheelHorizontal = 0;
    bool throwEnded = false;
    {
        std::unique_lock lock(mutex_);
        // A link left running by a start and a stop that crossed on two
        // threads finds the engine idle: it stops and posts nothing.
        if (!isGrabAnimationRunning()) {
            lock.unlock();
            stopLinkUnlessRestarted();
            return;
        }
        Fields& f = fields_;
        ++f.draggingIsLiveCounter;
        const double signH = horizontalSign(f.currentDirection);
        const double signV = verticalSign(f.currentDirection);
        bool moving = true;
        if (!f.localAnimateScroll) {
            const auto acceleration = static_cast<double>(f.currentAcceleration);
            if (!pinned) {
                f.horizontalDistance = std::ceil(f.lastPoint.x - f.currentPoint.x);
                f.verticalDistance = std::ceil(f.lastPoint.y - f.currentPoint.y);
                wheelHorizontal = truncToInt32(acceleration * reverseH * f.horizontalDistance);
                wheelVertical = truncToInt32(acceleration * reverseV * f.verticalDistance);
            } else {
                // The pointer stays where the grab began, so only the deltas
                // tell how far it was moved, and only along the direction.
                f.horizontalDistance = f.distanceFromDeltaX;
                f.verticalDistance = f.distanceFromDeltaY;
                f.distanceFromDeltaX = 0;
                f.distanceFromDeltaY = 0;
                if (f.draggingIsLiveCounter >= kPinnedStillFrames) {
                    f.horizontalDistance = 0;
                    f.verticalDistance = 0;
                }
                wheelHorizontal = truncToInt32(acceleration * signH * f.horizontalDistance);
                wheelVertical = truncToInt32(acceleration * signV * f.verticalDistance);
            }
            f.lastPoint = f.currentPoint;
        } else {
            const double progress = EasingFunctions::getDelayByGraph(
                kThrowCurve, static_cast<double>(f.finishingAnimationCounter), 0, 1,
                f.localThrowDuration);
            const double horizontal = (pinned ? signH : reverseH) * f.horizontalDistance;
            const double vertical = (pinned ? signV : reverseV) * f.verticalDistance;
            wheelHorizontal = truncToInt32(horizontal * (1 - progress));
            wheelVertical = truncToInt32(vertical * (1 - progress));
            ++f.finishingAnimationCounter;
            moving = wheelHorizontal != 0 || wheelVertical != 0;
        }
        if ((!moving || static_cast<double>(f.finishingAnimationCounter) > f.localThrowDuration) &&
            f.localAnimateScroll) {
            resetLocked();
            isGrabAnimationRunning_.store(false, std::memory_order_release);
            throwEnded = true;
        }
    }
    if (throwEnded) stopLinkUnlessRestarted();

    // Also a frame without movement posts its (zero) event, and the last
    // frame of a throw posts its final one.
    auto event = platform::Event::scrollWheel(platform::ScrollEventUnit::Pixel, 2, wheelVertical,
                                              wheelHorizontal);
    event.setIntegerField(platform::EventField::EventSourceUserData,
                          platform::EventMarks::kOwnScroll);
    installedPlatform().eventStream().post(platform::TapLocation::HID, event);
}

void GrabnDragScroll::grabRestartFire() {
    if (auto* buttons = mouseButtonState()) {
        if (buttons->grabDown() || buttons->gestureDown() || buttons->autoScrollDown()) return;
    }
    if (KxDefaults::getScrollingEnabled().value_or(false)) {
        const std::int64_t now = truncToInt64(installedPlatform().runLoop().wallClock());
        const std::int64_t last = SettingsKeeper::shared().getLastScrollTimestamp();
        // A timestamp ahead of the clock counts as recent; a gap too wide
        // for the integer is not.
        std::int64_t elapsed = 0;
        const bool overflow = __builtin_sub_overflow(now, last, &elapsed);
        if (!overflow && elapsed < kRecentScrollSeconds) return;
    }
    HelperMethods::restartApp();
}

GrabnDragScroll::Fields GrabnDragScroll::fields() const {
    std::lock_guard lock(mutex_);
    Fields copy = fields_;
    copy.isGrabAnimationRunning = isGrabAnimationRunning();
    return copy;
}

void GrabnDragScroll::resetLocked() {
    fields_.lastPoint = platform::Point{};
    fields_.localAnimateScroll = false;
    fields_.horizontalDistance = 0;
    fields_.verticalDistance = 0;
    fields_.localThrowDuration = 1.0;
    fields_.finishingAnimationCounter = 0;
}

void GrabnDragScroll::stopLinkUnlessRestarted() {
    if (!displayLink_) return;
    displayLink_->stop();
    if (isGrabAnimationRunning()) displayLink_->start();
}

}  // namespace wexo
