#include "autoscroll/AutoScroll.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>
#include <variant>

#include "easing/EasingFunctions.h"
#include "events/ApplicationLink.h"
#include "events/WholeNumbers.h"
#include "platform/EventMarks.h"
#include "platform/Log.h"
#include "platform/Platform.h"
#include "settings/SettingsKeeper.h"

namespace wexo {

namespace {

constexpr const char* kRoleAttribute = "AXRole";
constexpr const char* kParentAttribute = "AXParent";
constexpr const char* kScrollAreaRole = "AXScrollArea";
constexpr const char* kListRole = "AXList";

// The release animation's length in frames, as the single-precision number
// the setting is taken as. One that is not finite would ease out forever (or
// never decide), a negative one is no animation: both read as 0.
double releaseFrames(double stored) {
    const double frames = static_cast<double>(static_cast<float>(stored));
    if (!std::isfinite(frames) || frames < 0) {
        WEXO_LOG_ERROR("Release duration %f is not usable; no release animation.", stored);
        return 0;
    }
    return frames;
}

std::int32_t toWheel(double v) {
    return truncToInt32(v);
}

}  // namespace

AutoScroll::AutoScroll() {
    auto& platform = installedPlatform();
    auto created = platform.displayLinks().create(platform.screens().mainDisplayId());
    if (auto* error = std::get_if<int>(&created)) {
        WEXO_LOG_ERROR("DisplayLink created with error:%d", *error);
    } else {
        displayLink_ = std::move(std::get<std::unique_ptr<platform::DisplayLink>>(created));
        displayLink_->setOutputCallback([this] { displayLinkCallback(); });
    }
    {
        std::lock_guard lock(mutex_);
        fields_.currentHorizontalDistance = 0;
        fields_.currentVerticalDistance = 0;
        fields_.localReleaseDuration = 1.0;
    }
    auto& accessibility = platform.accessibility();
    if (accessibility.isProcessTrusted(false))
        systemWideElement_ = accessibility.systemWideElement();
}

AutoScroll::~AutoScroll() {
    SharedSlot<AutoScrollLink>::uninstall(this);
    SharedSlot<AutoScroll>::uninstall(this);
    if (displayLink_) displayLink_->stop();
    displayLink_.reset();
}

AutoScroll& AutoScroll::sharedInstance() {
    return SharedSlot<AutoScroll>::require();
}

std::int64_t AutoScroll::usableSpeed(double stored) {
    if (std::isnan(stored)) return kDefaultSpeed;
    return std::clamp(truncToInt64(stored), std::int64_t{0}, kSpeedLimit - 1);
}

void AutoScroll::startDisplayLinkWithPoint(platform::Point anchorInOverlay) {
    {
        std::lock_guard lock(mutex_);
        fields_.anchorPoint = anchorInOverlay;
        isScrollingInProgress_.store(true, std::memory_order_release);
        fields_.isAnimatingRelease = false;
        fields_.finishingAnimationCounter = 0;
    }
    if (displayLink_) displayLink_->start();
}

void AutoScroll::stopDisplayLink() {
    const auto& settings = SettingsKeeper::shared();
    // Without a link there is nothing to ease out with.
    if (settings.getIsAnimateRelease() && displayLink_) {
        const double frames = releaseFrames(settings.getReleaseDuration());
        std::lock_guard lock(mutex_);
        fields_.localReleaseDuration = frames;
        fields_.isAnimatingRelease = true;
        isScrollingInProgress_.store(false, std::memory_order_release);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        fields_.isAnimatingRelease = false;
        isScrollingInProgress_.store(false, std::memory_order_release);
        finalStopLocked();
    }
    if (displayLink_) displayLink_->stop();
}

void AutoScroll::finalStop() {
    std::lock_guard lock(mutex_);
    finalStopLocked();
}

void AutoScroll::finalStopLocked() {
    fields_.currentHorizontalDistance = 0;
    fields_.currentVerticalDistance = 0;
    fields_.finishingAnimationCounter = 0;
    fields_.superSlowDownCounter = 0;
    fields_.localReleaseDuration = 1.0;
}

void AutoScroll::findMouseDirection(platform::Point point) {
    std::lock_guard lock(mutex_);
    findMouseDirectionLocked(point);
}

void AutoScroll::findMouseDirectionLocked(platform::Point point) {
    const auto& settings = SettingsKeeper::shared();
    const std::int64_t dx = truncToInt64(point.x - fields_.anchorPoint.x);
    const std::int64_t dy = truncToInt64(point.y - fields_.anchorPoint.y);
    if (magnitude(dx) <= magnitude(dy)) {
        const bool up = dy > 0;
        fields_.currentDirection = up != settings.getIsReverseAutoScrollVertical() ? 1 : 2;
    } else {
        const bool right = dx > 0;
        fields_.currentDirection = right != settings.getIsReverseAutoScrollHorizontal() ? 4 : 3;
    }
}

void AutoScroll::noteUnusableSpeed(double stored) {
    const std::int64_t usable = usableSpeed(stored);
    if (!std::isnan(stored) && static_cast<double>(usable) == std::trunc(stored)) return;
    const auto bits = std::bit_cast<std::uint64_t>(stored);
    if (lastNotedSpeedBits_.exchange(bits) == bits) return;
    WEXO_LOG_ERROR("Auto-scroll speed %@ is out of range; scrolling at speed %lld.", stored,
                   usable);
}

void AutoScroll::displayLinkCallback() {
    auto* application = applicationLink();
    if (!application) return;  // no overlay window to measure the pointer in
    const platform::Point pointer =
        application->gestureWindow().mouseLocationOutsideOfEventStream();
    const auto& settings = SettingsKeeper::shared();
    const double storedSpeed = settings.getAutoScrollAccelNumber();
    noteUnusableSpeed(storedSpeed);
    const std::int64_t divisor = kSpeedLimit - usableSpeed(storedSpeed);
    const std::int64_t superSlowDown = settings.getAutoScrollSuperSlowDownNumber();

    platform::Event event;
    bool releaseEnded = false;
    {
        std::unique_lock lock(mutex_);
        Fields& f = fields_;
        // A link left running by a start and a stop that crossed on two
        // threads finds the engine idle: it stops and posts nothing.
        if (!isScrollingInProgress() && !f.isAnimatingRelease) {
            lock.unlock();
            stopLinkUnlessRestarted();
            return;
        }
        findMouseDirectionLocked(pointer);
        ++f.superSlowDownCounter;

        const bool horizontal = f.currentDirection == 3 || f.currentDirection == 4;
        const double offset =
            horizontal ? pointer.x - f.anchorPoint.x : pointer.y - f.anchorPoint.y;
        const std::int64_t distance = truncToInt64(std::fabs(offset));
        if (distance < kDeadZone) return;  // pauses a release too
        const double sign = horizontal ? (f.currentDirection == 3 ? 1.0 : -1.0)
                                       : (f.currentDirection == 1 ? 1.0 : -1.0);
        std::int64_t& speed = horizontal ? f.currentHorizontalDistance : f.currentVerticalDistance;

        bool moving = true;
        std::int32_t value = 0;
        if (!f.isAnimatingRelease) {
            speed = (distance - kDeadZone) / divisor;
            std::int64_t step = speed;
            if (!horizontal && superSlowDown > 0) {
                // Single pixels, one every k frames: every superSlowDown
                // frames near the dead zone, faster as the speed grows.
                std::int64_t every = superSlowDown;
                if (speed >= 2) every = std::max<std::int64_t>(superSlowDown / speed, 1);
                step = f.superSlowDownCounter % every == 0 ? 1 : 0;
            }
            value = toWheel(sign * static_cast<double>(step));
        } else {
            const double progress = EasingFunctions::getDelayByGraph(
                kReleaseCurve, static_cast<double>(f.finishingAnimationCounter), 0, 1,
                f.localReleaseDuration);
            value = toWheel(sign * (1 - progress) * static_cast<double>(speed));
            ++f.finishingAnimationCounter;
            moving = value != 0;
        }
        if ((!moving ||
             static_cast<double>(f.finishingAnimationCounter) > f.localReleaseDuration) &&
            f.isAnimatingRelease) {
            f.isAnimatingRelease = false;
            finalStopLocked();
            releaseEnded = true;
        }
        event = horizontal
                    ? platform::Event::scrollWheel(platform::ScrollEventUnit::Pixel, 2, 0, value)
                    : platform::Event::scrollWheel(platform::ScrollEventUnit::Pixel, 1, value);
    }
    if (releaseEnded) stopLinkUnlessRestarted();

    event.setIntegerField(platform::EventField::EventSourceUserData,
                          platform::EventMarks::kOwnScroll);
    installedPlatform().eventStream().post(platform::TapLocation::HID, event);
}

void AutoScroll::stopLinkUnlessRestarted() {
    if (!displayLink_) return;
    displayLink_->stop();
    bool wanted = false;
    {
        std::lock_guard lock(mutex_);
        wanted = isScrollingInProgress() || fields_.isAnimatingRelease;
    }
    if (wanted) displayLink_->start();
}

AutoScroll::Fields AutoScroll::fields() const {
    std::lock_guard lock(mutex_);
    Fields copy = fields_;
    copy.isScrollingInProgress = isScrollingInProgress();
    return copy;
}

// ---- The element under the pointer ----

void AutoScroll::updateCurrentUIElement() {
    auto& platform = installedPlatform();
    const platform::Point position = platform.eventStream().pointerLocation();
    if (lastMousePoint_ == position) return;
    if (systemWideElement_) {
        auto element = platform.accessibility().elementAtPosition(*systemWideElement_, position);
        if (element && currentUIElement_ != element) currentUIElement_ = element;
    }
    lastMousePoint_ = position;
}

std::vector<std::string> AutoScroll::attributeNamesOfUIElement(platform::AXElement element) {
    return installedPlatform().accessibility().attributeNames(element);
}

std::optional<platform::AXValue> AutoScroll::valueOfAttribute(const std::string& attribute,
                                                              platform::AXElement ofUIElement) {
    const auto names = attributeNamesOfUIElement(ofUIElement);
    if (std::find(names.begin(), names.end(), attribute) == names.end()) return std::nullopt;
    return installedPlatform().accessibility().attributeValue(ofUIElement, attribute);
}

std::optional<std::string> AutoScroll::roleOfUIElement(std::optional<platform::AXElement> element) {
    if (!element) return std::nullopt;
    auto value = valueOfAttribute(kRoleAttribute, *element);
    if (!value) return std::nullopt;
    if (auto* role = std::get_if<std::string>(&*value)) return *role;
    return std::nullopt;
}

std::optional<platform::AXElement> AutoScroll::parentOfUIElement(
    std::optional<platform::AXElement> element) {
    if (!element) return std::nullopt;
    auto value = valueOfAttribute(kParentAttribute, *element);
    if (!value) return std::nullopt;
    if (auto* parent = std::get_if<platform::AXElement>(&*value)) return *parent;
    return std::nullopt;
}

bool AutoScroll::isScrollArea() {
    updateCurrentUIElement();
    const auto role = roleOfUIElement(currentUIElement_);
    if (role == kScrollAreaRole || role == kListRole) return true;
    ancestorsCounter_ = 0;
    return isAncestorsScroller(currentUIElement_);
}

bool AutoScroll::isAncestorsScroller(std::optional<platform::AXElement> element) {
    ++ancestorsCounter_;
    const auto parent = parentOfUIElement(element);
    const auto role = roleOfUIElement(parent);
    if (!role) return false;
    if (*role == kScrollAreaRole) return true;
    if (ancestorsCounter_ >= kMaxAncestors) return false;
    return isAncestorsScroller(parent);
}

}  // namespace wexo
