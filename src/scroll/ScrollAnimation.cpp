#include "scroll/ScrollAnimation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <variant>

#include "app/HelperMethods.h"
#include "easing/EasingCurveHelper.h"
#include "easing/EasingFunctions.h"
#include "events/AssignmentRouting.h"
#include "events/DecisionTracer.h"
#include "events/EngineLinks.h"
#include "events/EventTapOrder.h"
#include "events/FrontMostObserver.h"
#include "events/ScreenRegistry.h"
#include "platform/EventMarks.h"
#include "platform/Log.h"
#include "platform/Platform.h"
#include "platform/Shared.h"
#include "settings/DisplaysManager.h"
#include "settings/KxDefaults.h"
#include "settings/SettingsKeeper.h"

namespace wexo {

using platform::Event;
using platform::EventField;
using platform::EventType;
using platform::Point;
using platform::Rect;
using platform::Verdict;

namespace {

constexpr std::uint64_t kScrollWheelMask = platform::eventMaskBit(EventType::ScrollWheel);
constexpr std::uint64_t kEveryTypeButNull = 0xFFFFFFFE;
// A divided notch never scrolls less than this.
constexpr double kSmallestDividedNotch = 10.0;
// Lines per notch beyond this are taken as this many; any sane setting is far
// below it, and it keeps the single-precision product finite.
constexpr double kMostLinesPerNotch = 10000.0;

constexpr const char* kTap = "wheel";

std::int64_t signOf(std::int64_t v) {
    return (v > 0) - (v < 0);
}

// Conversions of computed sizes to integers: truncation toward zero, a value
// beyond the range clamped to it and NaN taken as 0, so that no setting,
// however odd, makes a conversion undefined.
std::int64_t toInt64(double v) {
    if (std::isnan(v)) return 0;
    constexpr double kLimit = 9.2e18;  // just inside the 64-bit range
    return static_cast<std::int64_t>(std::clamp(v, -kLimit, kLimit));
}

std::int32_t toInt32(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<std::int32_t>(std::clamp(v, double{std::numeric_limits<std::int32_t>::min()},
                                                double{std::numeric_limits<std::int32_t>::max()}));
}

double ease(std::int64_t graph, double t, double d) {
    return EasingFunctions::getDelayByGraph(graph, t, 0.0, 1.0, d);
}

// floor(lines × 100), computed in single precision as the settings screen
// shows it. A count that is not a finite number reads as the default; one
// below 0 or absurdly large is clamped.
double notchPixels(std::optional<double> lines) {
    double l = lines.value_or(SingleScrollSettingsObject::kDefaultLinesNumber);
    if (!std::isfinite(l)) l = SingleScrollSettingsObject::kDefaultLinesNumber;
    l = std::clamp(l, 0.0, kMostLinesPerNotch);
    return std::floor(static_cast<float>(l) * 100.0f);
}

bool isHorizontal(std::int64_t direction) {
    return direction == ScrollAnimation::kScrollLeft || direction == ScrollAnimation::kScrollRight;
}

}  // namespace

ScrollAnimation::ScrollAnimation() : self_(std::make_shared<ScrollAnimation*>(this)) {
    legacyDisabledApps_ = KxDefaults::getDisabledAppsArray().value_or(std::vector<std::string>{});
    continAccelDelta_ = 0.9;
    lastKnownPixels_ = 0;
    scrollsInProccess_ = 0;
    cumulativeFrames_ = 0;

    auto& platform = installedPlatform();
    auto created = platform.displayLinks().create(platform.screens().mainDisplayId());
    if (auto* error = std::get_if<int>(&created)) {
        WEXO_LOG_ERROR("DisplayLink created with error:%d", *error);
    } else {
        displayLink_ = std::move(std::get<std::unique_ptr<platform::DisplayLink>>(created));
        link_ = displayLink_.get();
        link_->setOutputCallback([this] { displayLinkCallback(); });
    }

    setupBlock();
    spaceObservation_ =
        platform.workspace().observeActiveSpaceDidChange([this] { spaceChanged(); });
}

ScrollAnimation::~ScrollAnimation() {
    // The link first: once it is gone no frame can run on this engine.
    if (link_) link_->stop();
    displayLink_.reset();
    self_.reset();
    SharedSlot<ScrollAnimation>::uninstall(this);
}

ScrollAnimation* ScrollAnimation::shared() {
    return SharedSlot<ScrollAnimation>::get();
}

void ScrollAnimation::startListeningToWheel() {
    SharedSlot<ScrollAnimation>::install(this);
    if (!scrollEventTap_) {
        // The callback reaches the engine through the process-wide reference,
        // so a replaced engine's tap never works on a stale instance.
        // Behind the mouse tap, whenever it is created: see SessionTap.
        scrollEventTap_ =
            createSessionTap(SessionTap::Wheel, kScrollWheelMask, [](EventType type, Event& event) {
                auto* engine = ScrollAnimation::shared();
                return engine ? engine->scrollEventCallback(type, event) : Verdict::pass();
            });
    }
    if (scrollEventTap_) scrollEventTap_->enable(true);
}

void ScrollAnimation::stopListeningToWheel() {
    if (scrollEventTap_) scrollEventTap_->enable(false);
}

void ScrollAnimation::applySettingsToScroller(const SingleScrollSettingsObject& s) {
    using S = SingleScrollSettingsObject;
    isEnabled_ = !s.isNativeScroll;
    fixedPixels_ = notchPixels(s.verticalLinesNumber);
    horzFixedPixels_ = notchPixels(s.horizontalLinesNumber);
    setMilliSec(s.scrollSpeed.value_or(S::kDefaultScrollSpeed));
    // A negative step would shrink the divisor of the continuous mode towards
    // zero; no step is the least a broken value can mean.
    const double contid = s.contidDelta.value_or(S::kDefaultContidDelta);
    continDeltaPref_ = std::isfinite(contid) ? std::max(contid, 0.0) : S::kDefaultContidDelta;
    animateScroll_ = s.isAnimatingScroll;
    continuousScroll_ = s.isContinuous;
    horzAnimateScroll_ = s.isAnimatingHorizontalScroll;
    verAnimateScroll_ = s.isAnimatingVerticalScroll;
    const std::int64_t graph = s.scrollAnimationIndex.value_or(S::kDefaultScrollAnimationIndex);
    selectedGraphType_ = graph;
    currentGraphType_ = graph;
    outGraphType_ = EasingCurveHelper::findOutForGraph(graph);
    isMultiplyLines_ = s.isMultiplyLines;
    isDivideLines_ = s.isDivideLines;
    // Multiplying or dividing by less than 1 would make the modifier stop or
    // reverse scrolling, and a divisor of 0 has no value: both count as 1.
    linesMultiplier_ = std::max<std::int64_t>(1, s.multiplyLinesNumber.value_or(1));
    linesDivider_ = std::max<std::int64_t>(1, s.divideLinesNumber.value_or(1));
    isReverseVertical_ = s.isReverseVertical;
    isReverseHorizontal_ = s.isReverseHorizontal;
}

std::int64_t ScrollAnimation::findDelta(const Event& event) const {
    const std::int64_t sy = signOf(event.integerField(EventField::ScrollWheelEventPointDeltaAxis1));
    const std::int64_t sx = signOf(event.integerField(EventField::ScrollWheelEventPointDeltaAxis2));
    const bool shift = (event.flags() & platform::EventFlags::Shift) != 0;
    const auto horizontal = [&](std::int64_t code, std::int64_t reversed) {
        return isReverseHorizontal_ ? reversed : code;
    };
    const auto vertical = [&](std::int64_t code, std::int64_t reversed) {
        return isReverseVertical_ ? reversed : code;
    };
    if (shift && (sy == 1 || sx == 1)) return horizontal(kScrollLeft, kScrollRight);
    if (sy == 1) return vertical(kScrollUp, kScrollDown);
    if (shift && (sy == -1 || sx == -1)) return horizontal(kScrollRight, kScrollLeft);
    if (sy == -1) return vertical(kScrollDown, kScrollUp);
    if (sx == 1) return horizontal(kScrollLeft, kScrollRight);
    if (sx == -1) return horizontal(kScrollRight, kScrollLeft);
    return vertical(kScrollRight, kScrollLeft);
}

void ScrollAnimation::setMilliSec(std::int64_t milliSec) {
    milliSec_ = milliSec;
    fixedFrames_ = calcualteFramesFromMs(milliSec);
}

std::int64_t ScrollAnimation::calcualteFramesFromMs(std::int64_t milliSec) {
    // A notch of no duration is scrolled within one frame.
    if (milliSec <= 0) return 0;
    return toInt64(std::trunc(60.0 / (1000.0 / static_cast<double>(milliSec))));
}

void ScrollAnimation::setupBlock() {
    blockEventTap_ = installedPlatform().eventStream().createTap(
        platform::TapLocation::Session, platform::TapPlacement::HeadInsert,
        platform::TapOption::Default, kEveryTypeButNull,
        [](EventType, Event&) { return Verdict::pass(); });
    stopBlock();
}

void ScrollAnimation::startBlock() {
    if (blockEventTap_ && !blockEventTap_->isEnabled()) blockEventTap_->enable(true);
}

void ScrollAnimation::stopBlock() {
    if (blockEventTap_) blockEventTap_->enable(false);
}

bool ScrollAnimation::isBlockEnabledForTesting() const {
    return blockEventTap_ && blockEventTap_->isEnabled();
}

void ScrollAnimation::spaceChanged() {
    cmndPressed_ = false;
    optionPressed_ = false;
    ctrlPressed_ = false;
    shiftPressed_ = false;
}

bool ScrollAnimation::isInRect(const Rect& rect) {
    return rect.contains(installedPlatform().eventStream().pointerLocation());
}

std::optional<platform::RunningApplication> ScrollAnimation::lastUnderMouseApp() const {
    return settingsInForce_.load() ? lastUnderMouseApp_ : std::nullopt;
}

// ---- The wheel tap ----

Verdict ScrollAnimation::scrollEventCallback(EventType type, Event& event) {
    auto& platform = installedPlatform();
    SettingsKeeper::shared().setLastScrollTimestamp(toInt64(platform.runLoop().wallClock()));

    if (type == EventType::TapDisabledByTimeout) {
        if (scrollEventTap_) scrollEventTap_->enable(true);
        return traced(kTap, "tapDisabledByTimeout", Verdict::pass(), event);
    }
    if (type == EventType::TapDisabledByUserInput)
        return traced(kTap, "tapDisabledByUserInput", Verdict::pass(), event);

    if (event.integerField(EventField::ScrollWheelEventMomentumPhase) != 0 ||
        event.integerField(EventField::ScrollWheelEventScrollPhase) != 0)
        return traced(kTap, "trackpadPhase", Verdict::pass(), event);
    if (event.integerField(EventField::EventSourceUserData) == platform::EventMarks::kOwnScroll)
        return traced(kTap, "ownEvent", Verdict::pass(), event);

    // The mouse tap runs the action of an assigned direction; here the
    // notch must not scroll as well.
    if (auto* menu = screenRegistry()) {
        if (auto* buttons = menu->buttonsVC()) {
            const std::int64_t button = HelperMethods::findOriginalDelta(
                event.integerField(EventField::ScrollWheelEventPointDeltaAxis2),
                event.integerField(EventField::ScrollWheelEventPointDeltaAxis1));
            // The mouse tap's mask: both taps must agree on what is assigned,
            // or a notch it passes during its pause would scroll.
            const auto modifiers =
                static_cast<std::int64_t>(event.flags() & AssignmentRouting::kAssignmentMask);
            auto assigned = buttons->fetchMouseButtonByButton(button, modifiers);
            if (assigned && assigned->isActiveSet())
                return traced(kTap, "assignedDirection", Verdict::swallow(), event);
        }
    }

    const std::uint64_t flags = event.flags();
    cmndPressed_ = (flags & platform::EventFlags::Command) != 0;
    optionPressed_ = (flags & platform::EventFlags::Alternate) != 0;
    ctrlPressed_ = (flags & platform::EventFlags::Control) != 0;
    shiftPressed_ = (flags & platform::EventFlags::Shift) != 0;
    if (ctrlPressed_) return traced(kTap, "controlHeld", Verdict::pass(), event);

    switch (resolveSettings(platform.eventStream().pointerLocation())) {
        case Resolution::NoDisplay:
            // Nothing says how this display scrolls: the system's own
            // scrolling is better than none.
            publishMultiplier(1.0);
            clearLastUnderMouseApp();
            return traced(kTap, "noDisplay", Verdict::pass(), event);
        case Resolution::Resolved:
            if (isDisabledApplication()) {
                publishMultiplier(1.0);
                return passThrough(event);
            }
            break;
        case Resolution::InForce:
            break;
    }
    return shape(event);
}

ScrollAnimation::Resolution ScrollAnimation::resolveSettings(Point pointer) {
    auto& screens = installedPlatform().screens();
    const bool inForce = settingsInForce_.load();
    // While the pointer stays on the display the settings were resolved on,
    // the registry would answer that display again: no need to ask it. This
    // keeps the in-force path free of the registry's copies.
    if (inForce && lastUsedDisplay_ && screens.displayBounds(lastDisplayId_).contains(pointer))
        return Resolution::InForce;

    auto display = DisplaysManager::getDisplayForClick();
    if (!display) {
        DisplaysManager::setupDisplays();
        display = DisplaysManager::getDisplayForClick();
    }
    if (inForce && display && lastUsedDisplay_ && display->serial == lastUsedDisplay_->serial)
        return Resolution::InForce;

    lastUsedDisplay_ = display;
    lastUnderMouseApp_ = FrontMostObserver::underMouseApp();
    settingsInForce_ = lastUnderMouseApp_.has_value();
    if (!display) return Resolution::NoDisplay;
    if (auto found = screens.displaysWithPoint(pointer, 1); found && !found->empty())
        lastDisplayId_ = found->front();
    else
        lastDisplayId_ = display->screenID;

    const std::string& bundle = lastUnderMouseApp_ ? lastUnderMouseApp_->bundleIdentifier
                                                   : AppWithScrollSettings::kGlobalBundleId;
    auto entry = DisplaysManager::getAppForDisplay(*display, bundle);
    // A table that lost even its Global entry is no better than no display.
    if (!entry) return Resolution::NoDisplay;
    applySettingsToScroller(entry->scrollSettings);
    return Resolution::Resolved;
}

bool ScrollAnimation::isDisabledApplication() const {
    if (!isEnabled_) return true;
    if (!lastUnderMouseApp_) return false;
    const auto& app = *lastUnderMouseApp_;
    if (app.localizedName == "java") return true;
    if (app.bundleIdentifier == "org.videolan.vlc" || app.bundleIdentifier == "com.apple.dock")
        return true;
    return std::find(legacyDisabledApps_.begin(), legacyDisabledApps_.end(),
                     app.bundleIdentifier) != legacyDisabledApps_.end();
}

Verdict ScrollAnimation::passThrough(Event& event) {
    clearLastUnderMouseApp();
    if (isReverseVertical_)
        event.setIntegerField(EventField::ScrollWheelEventDeltaAxis1,
                              -event.integerField(EventField::ScrollWheelEventDeltaAxis1));
    if (isReverseHorizontal_)
        event.setIntegerField(EventField::ScrollWheelEventDeltaAxis2,
                              -event.integerField(EventField::ScrollWheelEventDeltaAxis2));
    return traced(kTap, "disabledApp", Verdict::pass(), event);
}

Verdict ScrollAnimation::shape(Event& event) {
    const std::int64_t direction = findDelta(event);
    currentDirection_ = direction;
    const double notch = isHorizontal(direction) ? horzFixedPixels_.load() : fixedPixels_.load();
    const std::int64_t sign = (direction == kScrollUp || direction == kScrollLeft) ? 1 : -1;

    // Worked out here and published once: a frame reads the factor with the
    // notches it belongs to, never the 1 it passes through on the way.
    double multiplier = 1.0;
    if (cmndPressed_ && isMultiplyLines_) multiplier = static_cast<double>(linesMultiplier_);
    if (optionPressed_ && isDivideLines_) {
        multiplier = 1.0 / static_cast<double>(linesDivider_);
        // A notch of no distance stays one: there is nothing to enlarge.
        if (multiplier * notch < kSmallestDividedNotch && notch > 0)
            multiplier = 1.0 / (notch / kSmallestDividedNotch);
    }

    const bool animated =
        animateScroll_ && (isHorizontal(direction) ? horzAnimateScroll_ : verAnimateScroll_);
    if (!animated) {
        publishMultiplier(multiplier);
        const std::int32_t value = toInt32(std::trunc(multiplier * (notch / 2.5) * sign));
        stopGrabAnimationIfRunning();
        postScroll(direction, value, event.location());
        clearLastUnderMouseApp();
        return traced(kTap, "immediateScroll", Verdict::swallow(), event);
    }

    startBlock();
    {
        std::lock_guard lock(animationMutex_);
        myMultiplier_ = multiplier;
        addNotch(multiplier * notch, sign);
        delta_ = sign;
        if (link_) link_->start();
    }
    stopGrabAnimationIfRunning();
    // An event addressed to no process is left to the system as well.
    if (event.integerField(EventField::EventTargetUnixProcessID) == 0)
        return traced(kTap, "animatedUntargeted", Verdict::pass(), event);
    return traced(kTap, "animated", Verdict::swallow(), event);
}

void ScrollAnimation::publishMultiplier(double multiplier) {
    std::lock_guard lock(animationMutex_);
    myMultiplier_ = multiplier;
}

void ScrollAnimation::postScroll(std::int64_t direction, std::int32_t value, Point at) const {
    Event scroll = isHorizontal(direction)
                       ? Event::scrollWheel(platform::ScrollEventUnit::Pixel, 2, 0, value)
                       : Event::scrollWheel(platform::ScrollEventUnit::Pixel, 1, value);
    // A created event is where the pointer is.
    scroll.setLocation(at);
    scroll.setIntegerField(EventField::EventSourceUserData, platform::EventMarks::kOwnScroll);
    installedPlatform().eventStream().post(platform::TapLocation::HID, scroll);
}

void ScrollAnimation::stopGrabAnimationIfRunning() const {
    const auto& keeper = SettingsKeeper::shared();
    if (!keeper.getGrabButtonNumber() && !keeper.getGrabKeyNumber()) return;
    if (auto* grab = grabEngine(); grab && grab->isGrabAnimationRunning()) grab->stopDisplayLink();
}

// ---- The animation ----

void ScrollAnimation::addNotch(double pixels, std::int64_t sign) {
    const std::int64_t frames = fixedFrames_;
    const std::int64_t running = delta_;
    if (running == 0 || running == sign) {
        scrollsInProccess_ += 1;
        fixedCumulativeFrames_ += frames;
        cumulativePixels_ += pixels;
        cumulativeFrames_ += frames;
        continAccelDelta_ += continDeltaPref_.load();
    } else {
        // Reversed: the new notch alone, from rest.
        scrollsInProccess_ = 1;
        framesCounter_ = 0;
        lastKnownPercent_ = 0;
        lastKnownpixelsToMove_ = 0;
        pixelsTraveled_ = 0;
        continAccelDelta_ = 1.0;
        cumulativePixels_ = pixels;
        cumulativeFrames_ = frames;
        fixedCumulativeFrames_ = frames;
    }
}

void ScrollAnimation::displayLinkCallback() {
    auto& platform = installedPlatform();
    const Point pointer = platform.eventStream().pointerLocation();
    auto& keeper = SettingsKeeper::shared();

    // What stops the animation from outside: a grab in progress, the pointer
    // off the scrolled window or on a window in front of it. Asked before the
    // frame takes its lock, so that no other lock is ever taken inside it.
    bool blocked = (keeper.getGrabButtonNumber() || keeper.getGrabKeyNumber()) && grabEngine() &&
                   grabEngine()->isGrabAnimationRunning();
    if (!blocked) {
        blocked = keeper.readWindowRects([&](const Rect& window, const std::vector<Rect>& inFront) {
            if (window.isZero()) return false;
            if (!window.contains(pointer)) return true;
            return std::any_of(inFront.begin(), inFront.end(),
                               [&](const Rect& r) { return r.contains(pointer); });
        });
    }

    double px = 0;
    bool stopped = false;
    std::int64_t direction = 0, sign = 0;
    {
        std::lock_guard lock(animationMutex_);
        const std::int64_t frame = ++framesCounter_;
        const double cumulative = cumulativePixels_;
        const double multiplier = myMultiplier_;
        const double vertical = fixedPixels_;
        double p = 0;

        if (!continuousScroll_) {
            const double step = multiplier * vertical;
            const double remaining = cumulative - pixelsTraveled_;
            if (step >= remaining) {
                p = ease(selectedGraphType_, static_cast<double>(frame),
                         static_cast<double>(fixedFrames_.load()));
                px = std::trunc(step * p - lastKnownPercent_ * step);
                if (px < 0) px = std::trunc(lastKnownPixels_.load());
            } else {
                // Everything but the last notch at once; the last one eases
                // from its start.
                px = std::trunc((cumulative - step) - pixelsTraveled_);
                framesCounter_ = 0;
                lastKnownPercent_ = 0;
                p = 0;
                cumulativeFrames_ = fixedFrames_.load();
            }
            pixelsTraveled_ += px;
        } else {
            const double lastPercent = lastKnownPercent_;
            const double lastCumulative = lastKnownCumulativePixels_;
            const bool restart =
                cumulative != lastCumulative && lastCumulative != 0 &&
                (lastPercent != 0 || cumulative <= 2 * multiplier * multiplier * vertical);
            if (restart) {
                framesCounter_ = 0;
                currentGraphType_ = outGraphType_.load();
                if (lastPercent > 0.5)
                    cumulativePixels_ = (1 - lastPercent) * cumulative + multiplier * vertical;
            }
            // continAccelDelta is at least 0.9: it starts there or at 1.0 and
            // grows by a step that is never negative.
            cumulativeFrames_ = toInt64(std::ceil(
                static_cast<double>(fixedCumulativeFrames_.load()) / continAccelDelta_.load()));
            p = ease(currentGraphType_, static_cast<double>(framesCounter_.load()),
                     static_cast<double>(cumulativeFrames_.load()));
            px = restart ? std::trunc(lastKnownpixelsToMove_.load())
                         : std::trunc(cumulativePixels_ * p - lastCumulative * lastPercent);
        }

        lastKnownPercent_ = p;
        lastKnownCumulativePixels_ = cumulativePixels_.load();
        lastKnownpixelsToMove_ = px;
        direction = currentDirection_;
        sign = delta_;

        stopped = (px <= 0 && p > 0.96) || blocked || framesCounter_ >= cumulativeFrames_;
        if (stopped) stopAnimation();
    }

    if (!blocked) postScroll(direction, toInt32(px * static_cast<double>(sign)), pointer);

    if (stopped) {
        if (platform.runLoop().isMainThread()) {
            stopBlock();
        } else {
            // Taps belong to the main thread. By the time it gets there a new
            // notch may have started another animation, which keeps it.
            platform.runLoop().postToMain([weak = std::weak_ptr<ScrollAnimation*>(self_)] {
                auto self = weak.lock();
                if (!self) return;
                ScrollAnimation& engine = **self;
                if (!engine.link_ || !engine.link_->isRunning()) engine.stopBlock();
            });
        }
    }
}

void ScrollAnimation::stopAnimation() {
    cumulativeFrames_ = 0;
    cumulativePixels_ = 0;
    framesCounter_ = 0;
    lastKnownPercent_ = 0;
    lastKnownCumulativePixels_ = 0;
    lastKnownpixelsToMove_ = 0;
    pixelsTraveled_ = 0;
    fixedCumulativeFrames_ = 0;
    continAccelDelta_ = 0.9;
    currentGraphType_ = selectedGraphType_.load();
    clearLastUnderMouseApp();
    if (link_) link_->stop();
}

ScrollAnimation::State ScrollAnimation::stateForTesting() const {
    return State{isEnabled_,
                 continuousScroll_,
                 cmndPressed_,
                 optionPressed_,
                 ctrlPressed_,
                 shiftPressed_,
                 milliSec_,
                 fixedFrames_,
                 currentDirection_,
                 delta_,
                 fixedPixels_,
                 horzFixedPixels_,
                 continDeltaPref_,
                 myMultiplier_,
                 selectedGraphType_,
                 outGraphType_,
                 currentGraphType_,
                 framesCounter_,
                 cumulativeFrames_,
                 fixedCumulativeFrames_,
                 scrollsInProccess_,
                 cumulativePixels_,
                 pixelsTraveled_,
                 continAccelDelta_,
                 lastKnownPercent_,
                 lastKnownCumulativePixels_,
                 lastKnownpixelsToMove_};
}

}  // namespace wexo
