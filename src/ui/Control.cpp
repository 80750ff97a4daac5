#include "ui/Control.h"

#include "platform/Platform.h"
#include "ui/ActionTarget.h"
#include "ui/View.h"

namespace wexo::ui {

Control::Control(std::string identifier) : identifier_(std::move(identifier)) {}

Control::~Control() {
    removeFromSuperview();
}

void Control::setHidden(bool hidden) {
    if (hidden_ == hidden) return;
    hidden_ = hidden;
    changed(ControlChange::Hidden);
}

bool Control::isHiddenOrHasHiddenAncestor() const {
    for (const Control* c = this; c; c = c->enclosingControl())
        if (c->hidden_) return true;
    return false;
}

Control* Control::enclosingControl() const {
    if (superview_) return superview_;
    return partOf_;
}

void Control::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    changed(ControlChange::Enabled);
}

void Control::setAlphaValue(double alpha) {
    if (alpha_ == alpha && alphaDuration_ == 0) return;
    alpha_ = alpha;
    alphaDuration_ = 0;
    changed(ControlChange::Alpha);
}

void Control::animateAlphaValue(double alpha, double duration, std::function<void()> completion) {
    alpha_ = alpha;
    alphaDuration_ = duration > 0 ? duration : 0;
    changed(ControlChange::Alpha);
    if (!completion) return;
    std::weak_ptr<bool> alive = alive_;
    installedPlatform().runLoop().performAfterDelay(alphaDuration_,
                                                    [alive, completion = std::move(completion)] {
                                                        if (alive.lock()) completion();
                                                    });
}

platform::Point PositionAnimation::originAt(double elapsed) const {
    if (duration <= 0 || elapsed >= duration) return to;
    if (elapsed <= 0) return from;
    const double fraction = elapsed / duration;
    const double eased = timing ? timing(fraction) : fraction;
    return platform::Point{from.x + (to.x - from.x) * eased, from.y + (to.y - from.y) * eased};
}

void Control::animateFrameOrigin(platform::Point from, platform::Point to, double duration,
                                 TimingFunction timing, std::function<void()> completion) {
    auto& runLoop = installedPlatform().runLoop();
    duration = duration > 0 ? duration : 0;
    frame_.origin = to;
    positionAnim_ = PositionAnimation{from, to, timing, duration, runLoop.now()};
    changed(ControlChange::Frame);
    if (!completion) return;
    std::weak_ptr<bool> alive = alive_;
    runLoop.performAfterDelay(duration, [alive, completion = std::move(completion)] {
        if (alive.lock()) completion();
    });
}

platform::Point Control::presentationOrigin() const {
    if (!positionAnim_) return frame_.origin;
    return positionAnim_->originAt(installedPlatform().runLoop().now() - positionAnim_->beganAt);
}

void Control::setToolTipKey(std::optional<std::string> key) {
    if (toolTipKey_ == key) return;
    toolTipKey_ = std::move(key);
    changed(ControlChange::ToolTip);
}

void Control::setFrame(platform::Rect frame) {
    if (frame_ == frame) return;
    frame_ = frame;
    positionAnim_.reset();
    changed(ControlChange::Frame);
}

platform::Rect Control::frameInWindow() const {
    platform::Rect r = frame_;
    for (const Control* c = enclosingControl(); c && c->enclosingControl();
         c = c->enclosingControl()) {
        r.origin.x += c->frame_.origin.x;
        r.origin.y += c->frame_.origin.y;
    }
    return r;
}

void Control::setTag(std::int64_t tag) {
    if (tag_ == tag) return;
    tag_ = tag;
    changed(ControlChange::Tag);
}

void Control::setTarget(ActionTarget* target, std::string action) {
    target_ = target;
    action_ = std::move(action);
}

namespace {
// Main thread only; back at 0 whenever no action runs.
int actionDepth = 0;
}  // namespace

bool Control::sendAction() {
    return sendToTarget(action_);
}

bool Control::sendToTarget(std::string_view selector) {
    if (!target_ || selector.empty()) return false;
    ++actionDepth;
    const bool performed = target_->performAction(selector, *this);
    --actionDepth;
    return performed;
}

bool Control::isSendingAction() {
    return actionDepth > 0;
}

void Control::removeFromSuperview() {
    if (superview_) superview_->removeSubview(*this);
}

void Control::changed(ControlChange what) {
    observers_.notify(*this, what);
    didChange(what);
}

}  // namespace wexo::ui
